#include "TSQLConnection.h"

#include "SqliteApi.h"

using namespace lexaran::store;

void TSQLConnection::TCloseDb::operator()(sqlite3 *db) const noexcept
{
    // close_v2 defers the close until the last statement is finalized, so
    // the order in which owners go away never leaks or fails.
    Sqlite().close_v2(db);
}

TSQLConnection::TSQLConnection() = default;
TSQLConnection::~TSQLConnection() = default;
TSQLConnection::TSQLConnection(TSQLConnection &&) noexcept = default;
TSQLConnection &TSQLConnection::operator=(TSQLConnection &&) noexcept = default;

QString TSQLConnection::Param(const QString &name) const
{
    const QString prefix = name + QLatin1Char('=');
    for (const QString &line : Params) {
        if (line.startsWith(prefix, Qt::CaseInsensitive))
            return line.mid(prefix.size());
    }
    return {};
}

void TSQLConnection::SetConnected(bool connected)
{
    if (!connected) {
        db_.reset();
        return;
    }
    if (db_)
        return;

    const TSqliteApi &api = Sqlite();
    const QString path = Param(QStringLiteral("Database"));
    const bool mustExist = Param(QStringLiteral("FailIfMissing")).compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;

    sqlite3 *raw = nullptr;
    const int rc = mustExist
        ? api.open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr)
        : api.open16(path.utf16(), &raw);
    // The engine hands back a connection even when opening fails, to carry
    // the error text; it is owned (and so closed) from here on either way.
    std::unique_ptr<sqlite3, TCloseDb> opened(raw);
    check(opened.get(), rc);
    db_ = std::move(opened);
}
