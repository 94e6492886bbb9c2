#include "XlsxSource.h"

#include "TImportText.h"

#include <QXmlStreamReader>

namespace lexaran::importer {

namespace {

constexpr int kPiece = 1 << 16;
constexpr std::size_t kBlock = 1 << 20;

// What the workbook's relationships map an id to, as a member's name.
QString MemberOf(const QString &target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    return QStringLiteral("xl/") + target;
}

} // namespace

int ColumnOfReference(QStringView reference)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i) {
        const char16_t c = reference[i].toUpper().unicode();
        if (c < u'A' || c > u'Z' || column > 100000)
            return -1;
        column = column * 26 + (c - u'A' + 1);
    }
    return i == 0 ? -1 : column - 1;
}

TXlsxSource::TXlsxSource(const QString &path, std::unique_ptr<TZipArchive> zip, const TImportOptions &options,
                         TSourceInfo &info)
    : path_(path), zip_(std::move(zip))
{
    info.Kind = TSourceKind::Xlsx;
    // Sheets in workbook order, each with its relationship id.
    std::vector<std::pair<QString, QString>> sheets;
    {
        QXmlStreamReader reader(zip_->ReadAll(QStringLiteral("xl/workbook.xml")));
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"sheet") {
                const QXmlStreamAttributes attributes = reader.attributes();
                QString id;
                for (const QXmlStreamAttribute &attribute : attributes) {
                    if (attribute.name() == u"id")
                        id = attribute.value().toString();
                }
                sheets.emplace_back(attributes.value(QStringLiteral("name")).toString(), id);
            }
        }
        if (reader.hasError())
            zip_->Damaged(QStringLiteral("xl/workbook.xml"));
    }
    std::map<QString, QString> targets;
    QString sharedStrings;
    if (zip_->Has(QStringLiteral("xl/_rels/workbook.xml.rels"))) {
        QXmlStreamReader reader(zip_->ReadAll(QStringLiteral("xl/_rels/workbook.xml.rels")));
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"Relationship") {
                const QXmlStreamAttributes attributes = reader.attributes();
                const QString target = MemberOf(attributes.value(QStringLiteral("Target")).toString());
                targets[attributes.value(QStringLiteral("Id")).toString()] = target;
                if (attributes.value(QStringLiteral("Type")).endsWith(u"/sharedStrings"))
                    sharedStrings = target;
            }
        }
        if (reader.hasError())
            zip_->Damaged(QStringLiteral("xl/_rels/workbook.xml.rels"));
    }
    if (sheets.empty())
        zip_->Damaged(QStringLiteral("кітапта парақ жоқ"));
    for (const auto &sheet : sheets)
        info.Sheets << sheet.first;

    std::size_t chosen = 0;
    if (!options.Sheet.isEmpty()) {
        chosen = std::size_t(info.Sheets.indexOf(options.Sheet));
        if (chosen >= sheets.size()) {
            throw TImportError(QStringLiteral("%1: «%2» парағы жоқ. Файлдағы парақтар: %3.")
                                   .arg(ShownName(path), options.Sheet, info.Sheets.join(QStringLiteral(", ")))
                                   .toStdString());
        }
    }
    sheet_ = sheets[chosen].first;
    info.Sheet = sheet_;
    QString member = targets.count(sheets[chosen].second) ? targets[sheets[chosen].second]
                                                          : QStringLiteral("xl/worksheets/sheet%1.xml").arg(chosen + 1);
    if (sharedStrings.isEmpty() && zip_->Has(QStringLiteral("xl/sharedStrings.xml")))
        sharedStrings = QStringLiteral("xl/sharedStrings.xml");
    if (!sharedStrings.isEmpty() && zip_->Has(sharedStrings))
        ReadSharedStrings(sharedStrings);

    zip_->Open(member);
    feed_ = std::make_unique<TXmlFeed>([this] {
        QByteArray piece(kPiece, Qt::Uninitialized);
        piece.resize(zip_->Read(piece.data(), kPiece));
        return piece;
    });
}

void TXlsxSource::Damaged() const
{
    zip_->Damaged(QStringLiteral("«%1» парағының %2-жолы маңында XML бұзылған")
                      .arg(sheet_)
                      .arg(feed_ ? feed_->Reader().lineNumber() : 0));
}

void TXlsxSource::ReadSharedStrings(const QString &member)
{
    zip_->Open(member);
    TXmlFeed feed([this] {
        QByteArray piece(kPiece, Qt::Uninitialized);
        piece.resize(zip_->Read(piece.data(), kPiece));
        return piece;
    });
    QXmlStreamReader &reader = feed.Reader();
    QString text;
    bool inString = false;
    auto store = [&] {
        // A cell holds at most 32,767 characters in Excel.
        if (text.size() > 32767)
            zip_->Damaged(QStringLiteral("«%1» ішінде тым ұзын мәтін бар").arg(member));
        if (blocks_.empty() || kBlock - blocks_.back().size() <= std::size_t(text.size())) {
            if (blocks_.size() >= 4095)
                zip_->Damaged(QStringLiteral("жолдар кестесі тым үлкен"));
            blocks_.emplace_back();
            blocks_.back().reserve(kBlock);
        }
        std::vector<char16_t> &block = blocks_.back();
        strings_.push_back(std::uint32_t((blocks_.size() - 1) * kBlock + block.size()));
        block.insert(block.end(), text.utf16(), text.utf16() + text.size());
        text.clear();
    };
    for (;;) {
        const QXmlStreamReader::TokenType token = feed.Next();
        if (token == QXmlStreamReader::Invalid || token == QXmlStreamReader::EndDocument)
            break;
        if (token == QXmlStreamReader::EndElement && reader.name() == u"si") {
            store();
            inString = false;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == u"sst") {
            bool ok = false;
            const qint64 unique = reader.attributes().value(QStringLiteral("uniqueCount")).toLongLong(&ok);
            if (ok && unique > 0 && unique < (qint64(1) << 31))
                strings_.reserve(std::size_t(unique));
        } else if (reader.name() == u"si") {
            inString = true;
        } else if (reader.name() == u"rPh") {
            feed.Skip();   // phonetic hints are no part of the text
        } else if (reader.name() == u"t" && inString) {
            text += feed.ElementText();
        }
    }
    if (reader.hasError())
        zip_->Damaged(QStringLiteral("«%1» бұзылған").arg(member));
}

QString TXlsxSource::SharedString(qsizetype index) const
{
    if (index < 0 || std::size_t(index) >= strings_.size())
        return QString();
    const std::size_t start = strings_[std::size_t(index)];
    const std::vector<char16_t> &block = blocks_[start / kBlock];
    const bool last = std::size_t(index) + 1 == strings_.size();
    const std::size_t next = last ? 0 : strings_[std::size_t(index) + 1];
    const std::size_t end = !last && next / kBlock == start / kBlock ? next % kBlock : block.size();
    return QString::fromUtf16(block.data() + start % kBlock, qsizetype(end - start % kBlock));
}

std::int64_t TXlsxSource::BytesRead() const
{
    const std::int64_t size = zip_->OpenSize();
    if (size <= 0)
        return zip_->FileSize();
    return std::int64_t(double(zip_->OpenRead()) / double(size) * double(zip_->FileSize()));
}

QString TXlsxSource::Where(std::int64_t line) const
{
    return QStringLiteral("%1, «%2» парағы, %3-жол").arg(ShownName(path_), sheet_).arg(line);
}

bool TXlsxSource::Next(TSourceRow &row)
{
    if (ended_)
        return false;
    QXmlStreamReader &reader = feed_->Reader();
    for (;;) {
        const QXmlStreamReader::TokenType token = feed_->Next();
        if (token == QXmlStreamReader::Invalid)
            Damaged();
        if (token == QXmlStreamReader::EndDocument) {
            ended_ = true;
            return false;
        }
        if (token != QXmlStreamReader::StartElement || reader.name() != u"row")
            continue;
        bool ok = false;
        const std::int64_t number = reader.attributes().value(QStringLiteral("r")).toLongLong(&ok);
        row.Line = ok && number > 0 ? number : nextRow_;
        nextRow_ = row.Line + 1;
        row.Cells.clear();
        int column = 0;
        // The cells of this row.
        for (;;) {
            const QXmlStreamReader::TokenType inner = feed_->Next();
            if (inner == QXmlStreamReader::Invalid)
                Damaged();
            if (inner == QXmlStreamReader::EndElement && reader.name() == u"row")
                return true;
            if (inner != QXmlStreamReader::StartElement || reader.name() != u"c")
                continue;
            const QXmlStreamAttributes attributes = reader.attributes();
            const int at = ColumnOfReference(attributes.value(QStringLiteral("r")));
            if (at >= 0)
                column = at;
            const QString type = attributes.value(QStringLiteral("t")).toString();
            QString value, inlineText;
            for (;;) {
                const QXmlStreamReader::TokenType part = feed_->Next();
                if (part == QXmlStreamReader::Invalid)
                    Damaged();
                if (part == QXmlStreamReader::EndElement && reader.name() == u"c")
                    break;
                if (part != QXmlStreamReader::StartElement)
                    continue;
                if (reader.name() == u"v")
                    value = feed_->ElementText();
                else if (reader.name() == u"rPh")
                    feed_->Skip();
                else if (reader.name() == u"t")
                    inlineText += feed_->ElementText();
                else if (reader.name() == u"f")
                    feed_->Skip();
            }
            QString text;
            if (type == u"s")
                text = SharedString(value.trimmed().toLongLong());
            else if (type == u"inlineStr")
                text = inlineText;
            else if (type == u"str" || type == u"e" || type == u"b")
                text = value;
            else
                text = NumberText(value);
            if (column > 16384)
                Damaged();
            if (column < row.Cells.size()) {
                row.Cells[column] = text;
            } else {
                while (row.Cells.size() < column)
                    row.Cells.append(QString());
                row.Cells.append(text);
            }
            ++column;
        }
    }
}

} // namespace lexaran::importer
