// Whole term files, as the window meets them: a file built from the input
// (declarations, values of every storage class in either text encoding, a
// view, WAL mode, damaged pages) or the input's bytes taken as the file,
// then the start-up, a search of each kind, Show all and the counts through
// the store. Every failure must be a store error with a message; every copy
// must hold exactly the rows that the engine gives for the statement; the
// file must keep its bytes.
//
// Input: byte 0 chooses the file. 3 (mod 4): the rest is the file itself.
// Otherwise its low two bits pick the text encoding (UTF-8, UTF-16le,
// UTF-16be) and its flags a view (0x08), 512-byte pages (0x10), WAL mode
// (0x20) and damage (0x04: the input's tail XORs bytes of the finished file).
// Then one byte per column (id, rus, kaz, cat, rus_upper, kaz_upper and up
// to two more) naming its declared type (0xFF: the column is left out), a
// row count, for each value a kind byte and its operands, and the search.

#include "FuzzInput.h"
#include "SearchSQL.h"
#include "TClientDataSet.h"
#include "TDataSetProvider.h"
#include "TSQLConnection.h"
#include "TSQLQuery.h"
#include "TStoreError.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <bit>
#include <cstring>
#include <limits>
#include <vector>

using namespace lexaran::store;


namespace {

// Reads the input front to back; past its end every read gives zeros.
class TReader
{
public:
    TReader(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    QByteArray Bytes(std::size_t count)
    {
        count = std::min(count, size_ - at_);
        QByteArray bytes(reinterpret_cast<const char *>(data_ + at_), qsizetype(count));
        at_ += count;
        return bytes;
    }
    std::uint64_t Word()
    {
        std::uint64_t word = 0;
        for (int i = 0; i < 8; ++i)
            word = (word << 8) | Byte();
        return word;
    }
    std::size_t Left() const { return size_ - at_; }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

const char *const kDeclaredTypes[] = {
    "INTEGER PRIMARY KEY", "INTEGER", "VARCHAR(255)", "VARCHAR(4)", "NVARCHAR(1)", "VARCHAR(0)",
    "VARCHAR(-3)", "VARCHAR(2147483647)", "VARCHAR(99999999999)", "VARCHAR( 12 )", "VARCHAR(+7)", "TEXT",
    "", "BLOB", "REAL", "DECIMAL(10,2)", "VARCHAR(255) NOT NULL", "INTEGER PRIMARY KEY AUTOINCREMENT",
    "VARCHAR(0x10)", "NUMERIC", "VARCHAR(255) COLLATE NOCASE", "VARCHAR(1e3)", "VARCHAR(3, 5)",
};
const char *const kColumnNames[] = {"id", "rus", "kaz", "cat", "rus_upper", "kaz_upper", "extra1", "extra2"};
const char *const kWords[] = {"рус1", "РУС1", "Медицина", "қала", "ҚАЛА", "%", "_", "'", "a order by b", ""};

void Bind(sqlite3_stmt *insert, int index, TReader &in)
{
    const std::uint8_t kind = in.Byte();
    switch (kind % 10) {
    case 0:
        sqlite3_bind_null(insert, index);
        break;
    case 1:
        sqlite3_bind_int64(insert, index, std::int8_t(in.Byte()));
        break;
    case 2: {
        const std::int64_t limits[] = {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(),
                                       0, -1, 2147483648LL, -2147483649LL, (1LL << 53) + 1};
        sqlite3_bind_int64(insert, index, limits[in.Byte() % std::size(limits)]);
        break;
    }
    case 3:
        sqlite3_bind_double(insert, index, std::bit_cast<double>(in.Word()));
        break;
    case 4: {
        const double limits[] = {std::numeric_limits<double>::max(), -0.0, std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::denorm_min(),
                                 9.2233720368547758e18, -9.2233720368547758e18};
        sqlite3_bind_double(insert, index, limits[in.Byte() % std::size(limits)]);
        break;
    }
    case 5: {
        // Raw bytes as text: invalid UTF-8 is stored as it is.
        const QByteArray bytes = in.Bytes(in.Byte() % 32);
        sqlite3_bind_text(insert, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        break;
    }
    case 6: {
        // UTF-16 units, lone surrogates included.
        const QByteArray bytes = in.Bytes(2 * (in.Byte() % 16));
        sqlite3_bind_text16(insert, index, bytes.constData(), int(bytes.size() & ~1), SQLITE_TRANSIENT);
        break;
    }
    case 7: {
        const QByteArray bytes = in.Bytes(in.Byte() % 32);
        sqlite3_bind_blob(insert, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        break;
    }
    case 8: {
        // A long text: up to 64 KiB of one repeated piece, over many pages.
        const QByteArray piece = QString::fromUtf8(kWords[in.Byte() % std::size(kWords)]).toUtf8() + "ж";
        const QByteArray text = piece.repeated(1 + in.Byte() * 256 / piece.size());
        sqlite3_bind_text(insert, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        break;
    }
    default:
        sqlite3_bind_text(insert, index, kWords[in.Byte() % std::size(kWords)], -1, SQLITE_STATIC);
        break;
    }
}

// Builds the term file at `path` from the input; returns the search the
// window will make.
TSearchRequest BuildTermFile(const QByteArray &path, TReader &in, std::uint8_t flags)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const char *const encodings[] = {"pragma encoding = 'UTF-8'", "pragma encoding = 'UTF-16le'",
                                     "pragma encoding = 'UTF-16be'"};
    sqlite3_exec(db, encodings[flags % 3], nullptr, nullptr, nullptr);
    // The file only has to exist once the builder is closed: no syncing.
    sqlite3_exec(db, "pragma synchronous = off", nullptr, nullptr, nullptr);
    if (flags & 0x10)
        sqlite3_exec(db, "pragma page_size = 512", nullptr, nullptr, nullptr);
    if (flags & 0x20)
        sqlite3_exec(db, "pragma journal_mode = wal", nullptr, nullptr, nullptr);

    const bool view = flags & 0x08;
    QByteArray columns;
    int columnCount = 0;
    const int extras = in.Byte() % 3;
    for (int i = 0; i < 6 + extras; ++i) {
        const std::uint8_t type = in.Byte();
        if (type == 0xFF)
            continue;
        columns += QByteArray(columnCount ? ", " : "") + kColumnNames[i] + ' '
                 + kDeclaredTypes[type % std::size(kDeclaredTypes)];
        ++columnCount;
    }
    const QByteArray table = view ? "terms" : "termin_items";
    sqlite3_exec(db, ("create table " + table + " (" + columns + ")").constData(), nullptr, nullptr, nullptr);
    if (view)
        sqlite3_exec(db, "create view termin_items as select * from terms", nullptr, nullptr, nullptr);

    QByteArray placeholders = "?";
    for (int i = 1; i < columnCount; ++i)
        placeholders += ", ?";
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, ("insert into " + table + " values (" + placeholders + ")").constData(), -1, &insert, nullptr);
    const int rows = in.Byte() % 40;
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    for (int row = 0; insert && row < rows; ++row) {
        for (int column = 1; column <= columnCount; ++column)
            Bind(insert, column, in);
        // A value that a declaration refuses just leaves its row out.
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    sqlite3_finalize(insert);
    sqlite3_close(db);

    TSearchRequest request;
    const QByteArray text = in.Bytes(2 * (in.Byte() % 8));
    request.Text = (in.Byte() & 1) ? Utf16Text(reinterpret_cast<const std::uint8_t *>(text.constData()), std::size_t(text.size()))
                                   : QString::fromUtf8(kWords[in.Byte() % std::size(kWords)]);
    request.Field = TSearchField(in.Byte() % 3);
    if (in.Byte() & 1) {
        request.CategoryIndex = 17;
        request.CategoryText = QStringLiteral("Медицина");
    }
    return request;
}

// Flips bytes of the finished file: each 3 input bytes name an offset
// (scaled to the file) and the bits to flip.
void Damage(const QByteArray &path, TReader &in)
{
    QFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadWrite))
        return;
    QByteArray bytes = file.readAll();
    while (!bytes.isEmpty() && in.Left() >= 3) {
        const std::uint32_t offset = (std::uint32_t(in.Byte()) << 8) | in.Byte();
        bytes[qsizetype(std::uint64_t(offset) * std::uint64_t(bytes.size()) / 65536)] ^= char(in.Byte() | 1);
    }
    file.seek(0);
    file.write(bytes);
}

// The text of a value as the statement's field reads it: a string field
// keeps its first Size characters and never half of a surrogate pair.
// Written out here rather than calling the store's LeftChars: the oracle must
// not share the code it checks.
QStringView AsFieldReadsIt(QStringView text, const TFieldDef &field)
{
    if (field.Kind != fkString || text.size() <= field.Size)
        return text;
    qsizetype keep = field.Size;
    if (keep > 0 && text[keep - 1].isHighSurrogate())
        --keep;
    return text.first(keep);
}

// Whether the result set holds exactly the rows that the engine gives for
// `statement` on `db`, value for value in the set's own fields, each read
// as the statement's columns (`columns`) deliver it.
// The rows of termin_items that `where` (empty, or " WHERE ...") selects, as
// the engine counts them; -1 when the engine cannot count them.
long long EngineCount(sqlite3 *db, const QString &where)
{
    const QString text = QStringLiteral("select count(*) from \"termin_items\" ") + where;
    sqlite3_stmt *stmt = nullptr;
    long long count = -1;
    if (sqlite3_prepare16_v2(db, text.utf16(), int(text.size() * 2), &stmt, nullptr) == SQLITE_OK && stmt
        && sqlite3_step(stmt) == SQLITE_ROW)
        count = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return count;
}

bool HoldsEngineRows(const TClientDataSet &set, sqlite3 *db, const QString &statement,
                     const std::vector<TFieldDef> &columns)
{
    // The engine reads a ":name" marker itself and binds it to null, as the
    // store does; the window's statements hold none outside quoted text.
    const QString &text = statement;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare16_v2(db, text.utf16(), int(text.size() * 2), &stmt, nullptr) != SQLITE_OK || !stmt) {
        sqlite3_finalize(stmt);
        return false;
    }
    const TRowBuffer &rows = set.Rows();
    bool same = true;
    int row = 0;
    int rc;
    while (same && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (row >= rows.RowCount()) {
            same = false;
            break;
        }
        for (int field = 0; same && field < rows.FieldCount(); ++field) {
            const bool isNull = field >= int(columns.size()) || sqlite3_column_type(stmt, field) == SQLITE_NULL;
            if (rows.IsNull(row, field) != isNull) {
                same = false;
                break;
            }
            if (isNull)
                continue;
            switch (set.Fields()[field].Kind) {
            case fkInteger:
                same = rows.Integer(row, field) == sqlite3_column_int64(stmt, field);
                break;
            case fkFloat:
                same = std::bit_cast<qint64>(rows.Float(row, field)) == std::bit_cast<qint64>(sqlite3_column_double(stmt, field));
                break;
            case fkString:
            case fkMemo: {
                const auto *chars = static_cast<const char16_t *>(sqlite3_column_text16(stmt, field));
                const QStringView value(chars, sqlite3_column_bytes16(stmt, field) / 2);
                same = rows.Text(row, field) == AsFieldReadsIt(value, columns[field]);
                break;
            }
            case fkBytes: {
                const auto *bytes = static_cast<const char *>(sqlite3_column_blob(stmt, field));
                same = rows.Bytes(row, field) == QByteArrayView(bytes, sqlite3_column_bytes(stmt, field));
                break;
            }
            }
        }
        ++row;
    }
    if (same)
        same = rc == SQLITE_DONE && row == rows.RowCount();
    sqlite3_finalize(stmt);
    return same;
}

// One handler of the window: it stops at the first failure, which must be
// a store error with a message.
template <typename F>
void Handler(F &&steps)
{
    try {
        steps();
    } catch (const TStoreError &error) {
        FUZZ_ASSERT(!error.message().isEmpty());
    }
}

const QByteArray &TermFilePath()
{
    static QTemporaryDir directory;
    static const QByteArray path = QFile::encodeName(directory.filePath(QStringLiteral("termins.db")));
    return path;
}

void RemoveTermFiles(const QByteArray &path)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        std::remove((path + suffix).constData());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray &path = TermFilePath();
    RemoveTermFiles(path);

    TReader in(data + 1, size - 1);
    const std::uint8_t flags = data[0];
    TSearchRequest search;
    if (flags % 4 == 3) {
        QFile file(QString::fromUtf8(path));
        FUZZ_ASSERT(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
        search.Text = QStringLiteral("рус1");
    } else {
        search = BuildTermFile(path, in, flags);
        if (flags & 0x04)
            Damage(path, in);
    }
    QFile file(QString::fromUtf8(path));
    FUZZ_ASSERT(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    {
        TSQLConnection connection;
        TSQLQuery query(&connection);
        TDataSetProvider provider(&query);
        TClientDataSet set(&provider);
        set.setObjectName(QStringLiteral("ClientDataSet1"));
        sqlite3 *engine = nullptr;
        sqlite3_open_v2(path.constData(), &engine, SQLITE_OPEN_READWRITE, nullptr);

        auto run = [&](const QStringList &lines, bool open) {
            query.SQL.Clear();
            for (const QString &line : lines)
                query.SQL.Add(line);
            query.Open();
            open ? set.Open() : set.Refresh();
            FUZZ_ASSERT(HoldsEngineRows(set, engine, query.SQL.Text(), query.Fields()));
        };

        Handler([&] {
            connection.Params = {QStringLiteral("DriverName=Sqlite"), QLatin1String("Database=") + QString::fromUtf8(path),
                                 QStringLiteral("FailIfMissing=False")};
            connection.SetConnected(true);
            run({StartupSQL()}, true);
            FUZZ_ASSERT(query.RecordCount() == EngineCount(engine, QString()));
        });
        for (TMatchKind kind : {mkContains, mkStartsWith, mkEquals}) {
            search.MatchKind = kind;
            Handler([&] {
                const QStringList lines = ComposeSearchSQL(search);
                run(lines, false);
                FUZZ_ASSERT(query.RecordCount() == EngineCount(engine, lines.at(1)));
            });
        }
        Handler([&] { run({ShowAllSQL()}, false); });
        sqlite3_close(engine);
    }

    FUZZ_ASSERT(file.open(QIODevice::ReadOnly));
    FUZZ_ASSERT(file.readAll() == before);
    return 0;
}
