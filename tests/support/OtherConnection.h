#pragma once

#include <QString>

struct sqlite3;

// Another program's connection to a database file: the engine's C API used
// directly, beside and outside the store. Open until the object goes.
class TOtherConnection
{
public:
    // Throws std::runtime_error when the file cannot be opened.
    explicit TOtherConnection(const QString &path);
    ~TOtherConnection();
    TOtherConnection(const TOtherConnection &) = delete;
    TOtherConnection &operator=(const TOtherConnection &) = delete;

    // Runs `sql` (several statements allowed) without waiting for any lock:
    // empty on success, otherwise the engine's error text.
    QString Execute(const QString &sql);

    // The first column of the first row of `sql` as text; empty when there
    // is no row; the engine's error text prefixed "error: " on failure.
    QString Text(const QString &sql);

private:
    sqlite3 *db_ = nullptr;
};
