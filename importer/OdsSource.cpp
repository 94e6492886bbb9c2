#include "OdsSource.h"

#include "TImportText.h"

namespace lexaran::importer {

namespace {

constexpr int kPiece = 1 << 16;
const QString kTable = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
// Rows or cells repeated more than this are the sheet's empty tail; a
// repeated row with text is kept once beyond it.
constexpr std::int64_t kRepeatLimit = 1000;

bool Is(const QXmlStreamReader &reader, const QString &ns, QStringView name)
{
    return reader.namespaceUri() == ns && reader.name() == name;
}

std::int64_t Repeated(const QXmlStreamReader &reader, const QString &attribute)
{
    bool ok = false;
    const std::int64_t count = reader.attributes().value(kTable, attribute).toLongLong(&ok);
    return ok && count > 0 ? count : 1;
}

} // namespace

TOdsSource::TOdsSource(const QString &path, std::unique_ptr<TZipArchive> zip, const TImportOptions &options,
                       TSourceInfo &info)
    : path_(path), zip_(std::move(zip))
{
    info.Kind = TSourceKind::Ods;
    // The table names come from a first pass over the content, which the
    // preview needs; the second pass stops at the table read.
    auto open = [this] {
        zip_->Open(QStringLiteral("content.xml"));
        feed_ = std::make_unique<TXmlFeed>([this] {
            QByteArray piece(kPiece, Qt::Uninitialized);
            piece.resize(zip_->Read(piece.data(), kPiece));
            return piece;
        });
    };
    open();
    FindTable(QString(), &info.Sheets);
    if (info.Sheets.isEmpty())
        zip_->Damaged(QStringLiteral("кестеде парақ жоқ"));
    sheet_ = options.Sheet.isEmpty() ? info.Sheets.front() : options.Sheet;
    if (!info.Sheets.contains(sheet_)) {
        throw TImportError(QStringLiteral("%1: «%2» парағы жоқ. Файлдағы парақтар: %3.")
                               .arg(ShownName(path), sheet_, info.Sheets.join(QStringLiteral(", ")))
                               .toStdString());
    }
    info.Sheet = sheet_;
    open();
    FindTable(sheet_, nullptr);
}

void TOdsSource::Damaged() const
{
    zip_->Damaged(QStringLiteral("content.xml, %1-жол маңында XML бұзылған").arg(feed_->Reader().lineNumber()));
}

// Reads on to the start of the table `name` (true), or to the end of the
// content collecting every table's name into `names`.
bool TOdsSource::FindTable(const QString &name, QStringList *names)
{
    QXmlStreamReader &reader = feed_->Reader();
    for (;;) {
        const QXmlStreamReader::TokenType token = feed_->Next();
        if (token == QXmlStreamReader::Invalid)
            Damaged();
        if (token == QXmlStreamReader::EndDocument)
            return false;
        if (token == QXmlStreamReader::StartElement && Is(reader, kTable, u"table")) {
            const QString table = reader.attributes().value(kTable, QStringLiteral("name")).toString();
            if (names) {
                *names << table;
                feed_->Skip();
                if (reader.hasError())
                    Damaged();
            } else if (table == name) {
                return true;
            } else {
                feed_->Skip();
            }
        }
    }
}

QString TOdsSource::CellText()
{
    QXmlStreamReader &reader = feed_->Reader();
    QString text;
    int paragraphs = 0;
    int depth = 1;
    while (depth > 0) {
        const QXmlStreamReader::TokenType token = feed_->Next();
        if (token == QXmlStreamReader::Invalid)
            Damaged();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
        } else if (token == QXmlStreamReader::Characters) {
            if (depth >= 2)
                text += reader.text();
        } else if (token == QXmlStreamReader::StartElement) {
            if (Is(reader, kOffice, u"annotation")) {
                feed_->Skip();
                continue;
            }
            ++depth;
            if (Is(reader, kText, u"p") || Is(reader, kText, u"h")) {
                if (depth == 2 && paragraphs++ > 0)
                    text += u'\n';
            } else if (Is(reader, kText, u"s")) {
                bool ok = false;
                const int count = reader.attributes().value(kText, QStringLiteral("c")).toInt(&ok);
                text += QString(ok && count > 0 ? std::min(count, 1000) : 1, u' ');
            } else if (Is(reader, kText, u"tab")) {
                text += u'\t';
            } else if (Is(reader, kText, u"line-break")) {
                text += u'\n';
            }
        }
    }
    return text;
}

bool TOdsSource::Next(TSourceRow &row)
{
    if (repeats_ > 0) {
        --repeats_;
        row = repeat_;
        row.Line = ++line_;
        return true;
    }
    if (ended_)
        return false;
    QXmlStreamReader &reader = feed_->Reader();
    for (;;) {
        const QXmlStreamReader::TokenType token = feed_->Next();
        if (token == QXmlStreamReader::Invalid)
            Damaged();
        if (token == QXmlStreamReader::EndDocument
            || (token == QXmlStreamReader::EndElement && Is(reader, kTable, u"table"))) {
            ended_ = true;
            return false;
        }
        if (token != QXmlStreamReader::StartElement || !Is(reader, kTable, u"table-row"))
            continue;
        const std::int64_t rowRepeats = Repeated(reader, QStringLiteral("number-rows-repeated"));
        row.Cells.clear();
        bool filled = false;
        std::int64_t pendingEmpty = 0;
        for (;;) {
            const QXmlStreamReader::TokenType inner = feed_->Next();
            if (inner == QXmlStreamReader::Invalid)
                Damaged();
            if (inner == QXmlStreamReader::EndElement && Is(reader, kTable, u"table-row"))
                break;
            if (inner != QXmlStreamReader::StartElement)
                continue;
            if (!Is(reader, kTable, u"table-cell") && !Is(reader, kTable, u"covered-table-cell")) {
                feed_->Skip();
                continue;
            }
            const std::int64_t cellRepeats = Repeated(reader, QStringLiteral("number-columns-repeated"));
            const QXmlStreamAttributes attributes = reader.attributes();
            const QStringView type = attributes.value(kOffice, QStringLiteral("value-type"));
            QString text = CellText();
            if (type == u"float" || type == u"percentage" || type == u"currency")
                text = NumberText(attributes.value(kOffice, QStringLiteral("value")));
            if (text.isEmpty()) {
                // Empty cells stand for themselves only before a filled one.
                pendingEmpty += cellRepeats;
                continue;
            }
            if (row.Cells.size() + pendingEmpty > 16384)
                Damaged();
            for (; pendingEmpty > 0; --pendingEmpty)
                row.Cells.append(QString());
            filled = true;
            for (std::int64_t i = 0; i < std::min(cellRepeats, kRepeatLimit); ++i)
                row.Cells.append(text);
        }
        if (!filled) {
            // Blank rows, however many, only move the count on.
            line_ += rowRepeats;
            continue;
        }
        row.Line = ++line_;
        if (rowRepeats > 1) {
            repeat_ = row;
            repeats_ = std::min(rowRepeats, kRepeatLimit) - 1;
            line_ += rowRepeats - 1 - repeats_;
        }
        return true;
    }
}

std::int64_t TOdsSource::BytesRead() const
{
    const std::int64_t size = zip_->OpenSize();
    if (size <= 0)
        return zip_->FileSize();
    return std::int64_t(double(zip_->OpenRead()) / double(size) * double(zip_->FileSize()));
}

QString TOdsSource::Where(std::int64_t line) const
{
    return QStringLiteral("%1, «%2» парағы, %3-жол").arg(ShownName(path_), sheet_).arg(line);
}

} // namespace lexaran::importer
