#pragma once

// Internal to the store: the engine's functions, resolved from the shared
// library at run time. Only the store's sources include this header.

#include <sqlite3.h>

#include <QString>

#include <optional>

namespace lexaran::store {

struct TSqliteApi
{
    decltype(&sqlite3_open_v2) open_v2;
    decltype(&sqlite3_open16) open16;
    decltype(&sqlite3_close_v2) close_v2;
    decltype(&sqlite3_db_config) db_config;
    decltype(&sqlite3_errmsg16) errmsg16;
    decltype(&sqlite3_errstr) errstr;
    decltype(&sqlite3_errcode) errcode;
    decltype(&sqlite3_prepare16_v2) prepare16_v2;
    decltype(&sqlite3_step) step;
    decltype(&sqlite3_db_handle) db_handle;
    decltype(&sqlite3_finalize) finalize;
    decltype(&sqlite3_column_count) column_count;
    decltype(&sqlite3_column_type) column_type;
    decltype(&sqlite3_column_database_name) column_database_name;
    decltype(&sqlite3_column_table_name) column_table_name;
    decltype(&sqlite3_column_origin_name) column_origin_name;
    decltype(&sqlite3_table_column_metadata) table_column_metadata;
    decltype(&sqlite3_column_text) column_text;
    decltype(&sqlite3_column_text16) column_text16;
    decltype(&sqlite3_column_bytes16) column_bytes16;
    decltype(&sqlite3_column_int64) column_int64;
    decltype(&sqlite3_column_double) column_double;
    decltype(&sqlite3_column_blob) column_blob;
    decltype(&sqlite3_column_bytes) column_bytes;
    decltype(&sqlite3_column_value) column_value;
    // Optional: the engine has it from 3.40.0 on; null when it lacks it.
    decltype(&sqlite3_value_encoding) value_encoding;

    // Loads the library (a file name for the system's own search, or a full
    // path) and resolves every function above. Throws TStoreError("<file
    // name> not found"), naming the file without its directory, when the
    // library cannot be loaded or lacks one of them that is not optional.
    // The library stays loaded for the process's life.
    static TSqliteApi Load(const QString &library);
};

// The platform's engine library: "sqlite3.dll" on Windows, "libsqlite3.so.0"
// elsewhere.
QString SqliteLibraryFileName();

// Where the engine is loaded from. On Windows the full path of
// SqliteLibraryFileName() in the executable's own directory, and nowhere
// else (empty when the system does not say where the executable is);
// elsewhere the file name alone, for the system's library search.
QString SqliteLibraryPath();

// The engine once loaded; empty until then.
extern std::optional<TSqliteApi> gSqlite;

// Loads the engine; throws as TSqliteApi::Load does.
const TSqliteApi &LoadSqlite();

// The engine, loaded on first use. Throws as TSqliteApi::Load does; a failed
// load is tried again on the next call. Inline: every column read asks for it.
inline const TSqliteApi &Sqlite()
{
    return gSqlite ? *gSqlite : LoadSqlite();
}

// The single place where engine result codes become errors: 0, 100 and 101
// pass; any other code throws TStoreError carrying the connection's own error
// text, unchanged, and the code.
void check(sqlite3 *db, int rc);

// For a column function that answered with no data: throws the engine's
// out-of-memory error when that is why. The engine answers a failed
// allocation or conversion with no data at all, as it answers NULL; only
// the connection's error code tells the two apart.
void CheckColumnMemory(sqlite3_stmt *stmt);

} // namespace lexaran::store
