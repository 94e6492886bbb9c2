#include "TSQLConnection.h"

#include "FileName.h"
#include "SqliteApi.h"
#include "TSQLQuery.h"

#include <optional>

using namespace lexaran::store;

namespace {

// The value of the first "name=value" line of `params` whose name matches
// without regard to case; nothing when there is no such line.
std::optional<QString> ParamValue(const QStringList &params, const QString &name)
{
    const QString prefix = name + QLatin1Char('=');
    for (const QString &line : params) {
        if (line.startsWith(prefix, Qt::CaseInsensitive))
            return line.mid(prefix.size());
    }
    return std::nullopt;
}

} // namespace

void TSQLConnection::TCloseDb::operator()(sqlite3 *db) const noexcept
{
    // The queries' statements are gone by now; close_v2 still defers the
    // close behind any other statement instead of failing, so no order in
    // which owners go away leaks.
    Sqlite().close_v2(db);
}

TSQLConnection::TSQLConnection() = default;

TSQLConnection::~TSQLConnection()
{
    CloseQueries();
}

void TSQLConnection::Attach(TSQLQuery *query)
{
    queries_.push_back(query);
}

void TSQLConnection::Detach(TSQLQuery *query) noexcept
{
    std::erase(queries_, query);
}

void TSQLConnection::CloseQueries() noexcept
{
    // A statement that outlives its connection turns the close into a
    // deferred one, and the file stays open (and, on Windows, locked) until
    // the statement goes. A closed query opens the connection again when
    // it is next opened.
    for (TSQLQuery *query : queries_)
        query->Close();
}

QString TSQLConnection::Param(const QString &name) const
{
    return ParamValue(Params, name).value_or(QString());
}

void TSQLConnection::SetConnected(bool connected)
{
    if (!connected) {
        CloseQueries();
        db_.reset();
        return;
    }
    if (db_)
        return;

    const TSqliteApi &api = Sqlite();
    const QString path = Param(QStringLiteral("Database"));
    // Only an explicit value other than "True" gives permission to create.
    const std::optional<QString> failIfMissing = ParamValue(Params, QStringLiteral("FailIfMissing"));
    const bool mustExist = !failIfMissing
        || failIfMissing->compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;

    sqlite3 *raw = nullptr;
#ifdef _WIN32
    const int rc = mustExist
        ? api.open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr)
        : api.open16(path.utf16(), &raw);
#else
    // A Unix file name is bytes; the path may carry bytes that are not UTF-8
    // (see FileName.h), and open16 would turn them into U+FFFD and so name
    // another file. open16 itself converts to UTF-8 and opens with these
    // same flags; the one difference is that a file it creates gets UTF-16
    // as its text encoding, which does not matter for a file without tables.
    const QByteArray file = lexaran::platform::EncodeFileName(path);
    const int rc = api.open_v2(file.constData(), &raw,
                               mustExist ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
#endif
    // The engine hands back a connection even when opening fails, to carry
    // the error text; it is owned (and so closed) from here on either way.
    std::unique_ptr<sqlite3, TCloseDb> opened(raw);
    check(opened.get(), rc);
    // The last connection to close a WAL file would copy the log into the
    // file and delete the log: a write into a file this program only reads.
    // Left alone, the log keeps another program's changes for the next
    // reader.
    int kept = 0;
    check(opened.get(), api.db_config(opened.get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, &kept));
    db_ = std::move(opened);
}
