#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

struct sqlite3;
class TSQLQuery;

// The one connection to the term database.
//
// Params holds "name=value" lines; three matter: "Database=" (the file; on
// Unix its bytes as EncodeFileName gives them, so a name decoded with
// DecodeFileName reaches the same file), "FailIfMissing=" (compared with
// "True" without regard to case: "True", and a missing line, open the file
// read-write without creating it; any other value opens it read-write and
// creates it empty when missing) and "DriverName=" (informative; the driver
// is always SQLite).
// Opening sets no pragma, registers nothing and runs no statement; it only
// asks the engine not to checkpoint a WAL log at close, so that closing never
// writes into the file.
//
// Owner of the engine connection, and of nothing else; it stays where it
// was made, since the queries on it hold its address. Closing it, and so the
// destructor, first closes every query on it: the engine lets go of the file
// only once no compiled statement is left. The destructor never throws.
class TSQLConnection
{
public:
    TSQLConnection();
    ~TSQLConnection();
    TSQLConnection(const TSQLConnection &) = delete;
    TSQLConnection &operator=(const TSQLConnection &) = delete;

    QStringList Params;

    // The quote character that the database declares for names.
    static constexpr QChar IdentifierQuote = u'"';

    bool Connected() const noexcept { return db_ != nullptr; }
    // true opens with Params (throws TStoreError: the engine's text and code,
    // or "<engine library> not found"); false closes. Opening an open
    // connection does nothing.
    void SetConnected(bool connected);
    void Open() { SetConnected(true); }
    void Close() { SetConnected(false); }

    // The value of the named parameter line, or empty.
    QString Param(const QString &name) const;

    // The open engine connection; null while closed.
    sqlite3 *Handle() const noexcept { return db_.get(); }

private:
    friend class TSQLQuery;
    // A query registers itself for its whole life.
    void Attach(TSQLQuery *query);
    void Detach(TSQLQuery *query) noexcept;
    void CloseQueries() noexcept;

    struct TCloseDb { void operator()(sqlite3 *db) const noexcept; };
    std::vector<TSQLQuery *> queries_;
    std::unique_ptr<sqlite3, TCloseDb> db_;
};
