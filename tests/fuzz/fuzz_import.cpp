// The importer over CSV and TBX input: any bytes either become a term file
// whose rows are the terms it reports, or a refusal with a message that
// leaves the old file as it was and no scratch file behind.

#include "FuzzInput.h"
#include "TermImport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>

#include <sqlite3.h>

using namespace lexaran::importer;

namespace {

std::int64_t CountTerms(const QString &path)
{
    sqlite3 *db = nullptr;
    std::int64_t count = -1;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db, "select count(*) from termin_items where rus_upper is not null", -1, &stmt,
                               nullptr) == SQLITE_OK
            && sqlite3_step(stmt) == SQLITE_ROW)
            count = sqlite3_column_int64(stmt, 0);
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    static QTemporaryDir directory;
    const QString input = directory.filePath(QStringLiteral("list"));
    const QString output = directory.filePath(QStringLiteral("termins.db"));
    QFile::remove(output);

    // The first byte: even, the rest as a delimited text file's bytes; odd,
    // as the inside of a TBX (v2 or v3) body.
    QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (data[0] & 1) {
        const bool v3 = data[0] & 2;
        bytes = (v3 ? QByteArray("<?xml version=\"1.0\"?><tbx type=\"TBX-Basic\"><text><body>")
                    : QByteArray("<?xml version=\"1.0\"?><martif type=\"TBX\"><text><body>"))
                + bytes + (v3 ? QByteArray("</body></text></tbx>") : QByteArray("</body></text></martif>"));
    }
    {
        QFile file(input);
        FUZZ_ASSERT(file.open(QIODevice::WriteOnly));
        FUZZ_ASSERT(file.write(bytes) == bytes.size());
    }
    const bool existing = data[0] & 4;
    if (existing) {
        QFile file(output);
        FUZZ_ASSERT(file.open(QIODevice::WriteOnly));
        file.write("an earlier dictionary");
    }
    try {
        const TImportSummary summary = Import(input, output);
        FUZZ_ASSERT(summary.TermsWritten > 0);
        FUZZ_ASSERT(CountTerms(output) == summary.TermsWritten);
    } catch (const TImportError &error) {
        FUZZ_ASSERT(std::strlen(error.what()) > 0);
        QFile file(output);
        if (existing) {
            FUZZ_ASSERT(file.open(QIODevice::ReadOnly));
            FUZZ_ASSERT(file.readAll() == "an earlier dictionary");
        } else {
            FUZZ_ASSERT(!file.exists());
        }
    }
    const QStringList left = QDir(directory.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    FUZZ_ASSERT(left.size() <= 2);
    return 0;
}
