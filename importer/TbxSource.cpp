#include "TbxSource.h"

#include "TImportText.h"

#include <QRegularExpression>

namespace lexaran::importer {

namespace {

const QString kXmlNamespace = QStringLiteral("http://www.w3.org/XML/1998/namespace");

enum class TLanguage { Other, Rus, Kaz };

TLanguage LanguageOf(QStringView code)
{
    const qsizetype cut = code.indexOf(QRegularExpression(QStringLiteral("[-_]")));
    const QString language = code.left(cut < 0 ? code.size() : cut).trimmed().toString().toLower();
    if (language == u"ru" || language == u"rus")
        return TLanguage::Rus;
    if (language == u"kk" || language == u"kaz")
        return TLanguage::Kaz;
    return TLanguage::Other;
}

QStringView LanguageAttribute(const QXmlStreamAttributes &attributes)
{
    if (attributes.hasAttribute(kXmlNamespace, QStringLiteral("lang")))
        return attributes.value(kXmlNamespace, QStringLiteral("lang"));
    return attributes.value(QStringLiteral("lang"));
}

bool IsSubjectField(const QXmlStreamReader &reader)
{
    return (reader.name() == u"descrip" && reader.attributes().value(QStringLiteral("type")) == u"subjectField")
           || reader.name() == u"subjectField";
}

} // namespace

TTbxSource::TTbxSource(const QString &path, TSourceInfo &info) : path_(path), file_(path)
{
    info.Kind = TSourceKind::Tbx;
    if (!file_.open(QIODevice::ReadOnly)) {
        throw TImportError(QStringLiteral("%1: файлды оқу мүмкін емес. Оны оқуға рұқсатыңыз бар екенін тексеріңіз.")
                               .arg(ShownName(path))
                               .toStdString());
    }
    reader_.setDevice(&file_);
}

QString TTbxSource::Where(std::int64_t line) const
{
    return AtLine(path_, line);
}

void TTbxSource::ReadConcept(std::int64_t line)
{
    QStringList rus, kaz;
    QString subject;
    TLanguage language = TLanguage::Other;
    int depth = 1;
    while (depth > 0 && !reader_.atEnd()) {
        const QXmlStreamReader::TokenType token = reader_.readNext();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        const QStringView name = reader_.name();
        if (name == u"langSet" || name == u"langSec") {
            language = LanguageOf(LanguageAttribute(reader_.attributes()));
        } else if (name == u"term") {
            const QString term = reader_.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            --depth;
            if (term.isEmpty())
                continue;
            if (language == TLanguage::Rus && !rus.contains(term))
                rus << term;
            else if (language == TLanguage::Kaz && !kaz.contains(term))
                kaz << term;
        } else if (IsSubjectField(reader_)) {
            const QString text = reader_.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            --depth;
            if (subject.isEmpty())
                subject = text;
        }
    }
    const QString firstRus = rus.value(0);
    const QString firstKaz = kaz.value(0);
    ready_.push_back(TSourceRow{{firstRus, firstKaz, subject}, line});
    for (qsizetype i = 1; i < rus.size(); ++i)
        ready_.push_back(TSourceRow{{rus[i], firstKaz, subject}, line});
    for (qsizetype i = 1; i < kaz.size(); ++i)
        ready_.push_back(TSourceRow{{firstRus, kaz[i], subject}, line});
}

bool TTbxSource::Next(TSourceRow &row)
{
    while (ready_.empty()) {
        if (reader_.atEnd())
            break;
        const QXmlStreamReader::TokenType token = reader_.readNext();
        if (token == QXmlStreamReader::StartElement
            && (reader_.name() == u"termEntry" || reader_.name() == u"conceptEntry"))
            ReadConcept(reader_.lineNumber());
    }
    if (reader_.hasError()) {
        throw TImportError(QStringLiteral("%1, %2-баған: TBX файлы бүлінген (XML құрылымы бұзылған). Файлды "
                                          "терминология бағдарламасынан қайта шығарып, тағы көріңіз.")
                               .arg(AtLine(path_, reader_.lineNumber()))
                               .arg(reader_.columnNumber())
                               .toStdString());
    }
    if (ready_.empty())
        return false;
    row = std::move(ready_.front());
    ready_.pop_front();
    return true;
}

} // namespace lexaran::importer
