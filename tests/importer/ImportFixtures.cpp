#include "ImportFixtures.h"

#include <QFile>
#include <QTemporaryFile>

#include <sqlite3.h>
#include <zip.h>

#include <stdexcept>

QByteArray ZipBytes(const QList<QPair<QString, QByteArray>> &members)
{
    QTemporaryFile scratch;
    if (!scratch.open())
        throw std::runtime_error("no scratch file for a zip");
    const QByteArray name = QFile::encodeName(scratch.fileName());
    zipFile zip = zipOpen64(name.constData(), APPEND_STATUS_CREATE);
    if (!zip)
        throw std::runtime_error("zipOpen64 failed");
    for (const auto &[member, bytes] : members) {
        zip_fileinfo info{};
        const bool stored = member == QLatin1String("mimetype");
        if (zipOpenNewFileInZip(zip, member.toUtf8().constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                stored ? 0 : Z_DEFLATED, stored ? 0 : Z_DEFAULT_COMPRESSION) != ZIP_OK
            || zipWriteInFileInZip(zip, bytes.constData(), unsigned(bytes.size())) != ZIP_OK
            || zipCloseFileInZip(zip) != ZIP_OK)
            throw std::runtime_error("writing a zip member failed");
    }
    if (zipClose(zip, nullptr) != ZIP_OK)
        throw std::runtime_error("zipClose failed");
    QFile file(scratch.fileName());
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

namespace {

QString Escaped(QString text)
{
    return text.replace(u'&', QLatin1String("&amp;")).replace(u'<', QLatin1String("&lt;"));
}

QString Column(int index)
{
    QString name;
    for (++index; index > 0; index = (index - 1) / 26)
        name.prepend(QChar(u'A' + (index - 1) % 26));
    return name;
}

} // namespace

QByteArray XlsxBytes(const QList<QStringList> &rows, const QStringList &sheets)
{
    QStringList shared;
    QString sheet = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                                   "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                                   "<sheetData>");
    for (int r = 0; r < rows.size(); ++r) {
        sheet += QStringLiteral("<row r=\"%1\">").arg(r + 1);
        for (int c = 0; c < rows[r].size(); ++c) {
            const QString cell = rows[r][c];
            const QString ref = Column(c) + QString::number(r + 1);
            if (cell.isEmpty())
                continue;
            if (cell.startsWith(QLatin1String("s:"))) {
                shared << cell.mid(2);
                sheet += QStringLiteral("<c r=\"%1\" t=\"s\"><v>%2</v></c>").arg(ref).arg(shared.size() - 1);
            } else if (cell.startsWith(QLatin1String("i:"))) {
                sheet += QStringLiteral("<c r=\"%1\" t=\"inlineStr\"><is><t>%2</t></is></c>").arg(ref, Escaped(cell.mid(2)));
            } else {
                sheet += QStringLiteral("<c r=\"%1\" s=\"1\"><v>%2</v></c>").arg(ref, cell.mid(2));
            }
        }
        sheet += QStringLiteral("</row>");
    }
    sheet += QStringLiteral("</sheetData></worksheet>");

    // Shared strings, the first as rich text in two runs with a phonetic hint.
    QString strings = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sst xmlns=\"http://schemas."
                                     "openxmlformats.org/spreadsheetml/2006/main\" count=\"%1\" uniqueCount=\"%1\">")
                          .arg(shared.size());
    for (int i = 0; i < shared.size(); ++i) {
        const QString text = Escaped(shared[i]);
        if (i == 0 && text.size() > 1)
            strings += QStringLiteral("<si><r><t>%1</t></r><r><rPr><b/></rPr><t xml:space=\"preserve\">%2</t></r>"
                                      "<rPh sb=\"0\" eb=\"1\"><t>ХХХ</t></rPh></si>")
                           .arg(text.left(1), text.mid(1));
        else
            strings += QStringLiteral("<si><t xml:space=\"preserve\">%1</t></si>").arg(text);
    }
    strings += QStringLiteral("</sst>");

    QString workbook = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<workbook xmlns=\"http://schemas."
                                      "openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"http://schemas."
                                      "openxmlformats.org/officeDocument/2006/relationships\"><sheets>");
    QString rels = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Relationships xmlns=\"http://schemas."
                                  "openxmlformats.org/package/2006/relationships\">");
    QList<QPair<QString, QByteArray>> members;
    for (int i = 0; i < sheets.size(); ++i) {
        // Sheets in reverse member order, so that the workbook's order, not
        // the members' names, decides which sheet is first.
        const int member = sheets.size() - i;
        workbook += QStringLiteral("<sheet name=\"%1\" sheetId=\"%2\" r:id=\"rId%2\"/>").arg(Escaped(sheets[i])).arg(i + 1);
        rels += QStringLiteral("<Relationship Id=\"rId%1\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                               "2006/relationships/worksheet\" Target=\"worksheets/sheet%2.xml\"/>")
                    .arg(i + 1)
                    .arg(member);
        const QString other = QStringLiteral("<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/"
                                             "2006/main\"><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"
                                             "</sheetData></worksheet>");
        members << qMakePair(QStringLiteral("xl/worksheets/sheet%1.xml").arg(member), (i == 0 ? sheet : other).toUtf8());
    }
    workbook += QStringLiteral("</sheets></workbook>");
    rels += QStringLiteral("<Relationship Id=\"rIdS\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                           "relationships/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>");
    members.prepend(qMakePair(QStringLiteral("xl/sharedStrings.xml"), strings.toUtf8()));
    members.prepend(qMakePair(QStringLiteral("xl/_rels/workbook.xml.rels"), rels.toUtf8()));
    members.prepend(qMakePair(QStringLiteral("xl/workbook.xml"), workbook.toUtf8()));
    members.prepend(qMakePair(QStringLiteral("[Content_Types].xml"),
                              QByteArray("<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/"
                                         "package/2006/content-types\"/>")));
    return ZipBytes(members);
}

QByteArray OdsBytes(const QList<QStringList> &rows, const QStringList &sheets)
{
    QString content = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.3\">"
        "<office:body><office:spreadsheet>");
    for (int s = 0; s < sheets.size(); ++s) {
        content += QStringLiteral("<table:table table:name=\"%1\"><table:table-column table:number-columns-repeated=\"3\"/>")
                       .arg(Escaped(sheets[s]));
        const QList<QStringList> sheetRows = s == 0 ? rows : QList<QStringList>{{QStringLiteral("n:1")}};
        for (const QStringList &row : sheetRows) {
            content += QStringLiteral("<table:table-row>");
            for (const QString &cell : row) {
                if (cell.isEmpty()) {
                    content += QStringLiteral("<table:table-cell/>");
                } else if (cell.startsWith(QLatin1String("n:"))) {
                    content += QStringLiteral("<table:table-cell office:value-type=\"float\" office:value=\"%1\">"
                                              "<text:p>%1,00</text:p></table:table-cell>")
                                   .arg(cell.mid(2));
                } else {
                    // Runs of spaces as LibreOffice marks them.
                    QString text = Escaped(cell.mid(2));
                    text.replace(QLatin1String("  "), QLatin1String(" <text:s/>"));
                    content += QStringLiteral("<table:table-cell office:value-type=\"string\"><text:p>%1</text:p>"
                                              "</table:table-cell>")
                                   .arg(text);
                }
            }
            content += QStringLiteral("<table:table-cell table:number-columns-repeated=\"1021\"/></table:table-row>");
        }
        content += QStringLiteral("<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell "
                                  "table:number-columns-repeated=\"1024\"/></table:table-row></table:table>");
    }
    content += QStringLiteral("</office:spreadsheet></office:body></office:document-content>");
    return ZipBytes({{QStringLiteral("mimetype"), QByteArray("application/vnd.oasis.opendocument.spreadsheet")},
                     {QStringLiteral("content.xml"), content.toUtf8()},
                     {QStringLiteral("META-INF/manifest.xml"), QByteArray("<manifest/>")}});
}

QByteArray Utf16Bytes(const QString &text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray{&high, 1} + QByteArray{&low, 1} : QByteArray{&low, 1} + QByteArray{&high, 1};
    }
    return bytes;
}

QByteArray Windows1251Bytes(const QString &text)
{
    // Written out for the test's own letters only: ASCII, and the Russian
    // alphabet, which the code page holds at 0xC0..0xFF (Ёё at 0xA8/0xB8).
    QByteArray bytes;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            bytes += char(u);
        else if (u >= 0x0410 && u <= 0x044F)
            bytes += char(0xC0 + (u - 0x0410));
        else if (u == 0x0401)
            bytes += char(0xA8);
        else if (u == 0x0451)
            bytes += char(0xB8);
        else
            bytes += '?';
    }
    return bytes;
}

QStringList TermRows(const QString &database)
{
    QStringList rows;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db, "select id, rus, kaz, cat, rus_upper, kaz_upper from termin_items order by id",
                               -1, &stmt, nullptr) == SQLITE_OK) {
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                QStringList fields;
                for (int i = 0; i < 6; ++i)
                    fields << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, i)));
                rows << fields.join(u'|');
            }
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return rows;
}

QString DeclaredType(const QString &database, const QString &column)
{
    QString type;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        const char *declared = nullptr;
        if (sqlite3_table_column_metadata(db, nullptr, "termin_items", column.toUtf8().constData(), &declared,
                                          nullptr, nullptr, nullptr, nullptr) == SQLITE_OK)
            type = QString::fromUtf8(declared);
    }
    sqlite3_close(db);
    return type;
}
