#include "SqliteApi.h"

#include "TStoreError.h"

#include <optional>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace lexaran::store {

namespace {

void *OpenLibrary(const QString &fileName)
{
#ifdef _WIN32
    return reinterpret_cast<void *>(LoadLibraryW(reinterpret_cast<const wchar_t *>(fileName.utf16())));
#else
    return dlopen(fileName.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
#endif
}

void *Resolve(void *library, const char *name)
{
#ifdef _WIN32
    return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(library), name));
#else
    return dlsym(library, name);
#endif
}

} // namespace

QString SqliteLibraryFileName()
{
#ifdef _WIN32
    return QStringLiteral("sqlite3.dll");
#else
    return QStringLiteral("libsqlite3.so.0");
#endif
}

TSqliteApi TSqliteApi::Load(const QString &fileName)
{
    const TStoreError notFound(fileName + QLatin1String(" not found"));
    void *library = OpenLibrary(fileName);
    if (!library)
        throw notFound;

    TSqliteApi api{};
    bool complete = true;
    auto resolve = [&](auto &function, const char *name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(Resolve(library, name));
        complete = complete && function != nullptr;
    };
    resolve(api.open_v2, "sqlite3_open_v2");
    resolve(api.open16, "sqlite3_open16");
    resolve(api.close_v2, "sqlite3_close_v2");
    resolve(api.db_config, "sqlite3_db_config");
    resolve(api.errmsg16, "sqlite3_errmsg16");
    resolve(api.errstr, "sqlite3_errstr");
    resolve(api.errcode, "sqlite3_errcode");
    resolve(api.prepare16_v2, "sqlite3_prepare16_v2");
    resolve(api.step, "sqlite3_step");
    resolve(api.db_handle, "sqlite3_db_handle");
    resolve(api.finalize, "sqlite3_finalize");
    resolve(api.column_count, "sqlite3_column_count");
    resolve(api.column_type, "sqlite3_column_type");
    resolve(api.column_database_name, "sqlite3_column_database_name");
    resolve(api.column_table_name, "sqlite3_column_table_name");
    resolve(api.column_origin_name, "sqlite3_column_origin_name");
    resolve(api.table_column_metadata, "sqlite3_table_column_metadata");
    resolve(api.column_text, "sqlite3_column_text");
    resolve(api.column_text16, "sqlite3_column_text16");
    resolve(api.column_bytes16, "sqlite3_column_bytes16");
    resolve(api.column_int64, "sqlite3_column_int64");
    resolve(api.column_double, "sqlite3_column_double");
    resolve(api.column_blob, "sqlite3_column_blob");
    resolve(api.column_bytes, "sqlite3_column_bytes");
    resolve(api.column_value, "sqlite3_column_value");
    api.value_encoding = reinterpret_cast<decltype(api.value_encoding)>(Resolve(library, "sqlite3_value_encoding"));
    // The library stays loaded either way: unloading one that another part
    // of the process may share is never worth the risk.
    if (!complete)
        throw notFound;
    return api;
}

std::optional<TSqliteApi> gSqlite;

const TSqliteApi &LoadSqlite()
{
    if (!gSqlite)
        gSqlite = TSqliteApi::Load(SqliteLibraryFileName());
    return *gSqlite;
}

void check(sqlite3 *db, int rc)
{
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return;
    const TSqliteApi &api = Sqlite();
    // Without a connection (the engine could not even allocate one) the
    // engine's generic text for the code is all there is.
    const QString message = db
        ? QString::fromUtf16(static_cast<const char16_t *>(api.errmsg16(db)))
        : QString::fromUtf8(api.errstr(rc));
    throw TStoreError(message, rc);
}

void CheckColumnMemory(sqlite3_stmt *stmt)
{
    const TSqliteApi &api = Sqlite();
    sqlite3 *db = api.db_handle(stmt);
    if (api.errcode(db) == SQLITE_NOMEM)
        check(db, SQLITE_NOMEM);
}

} // namespace lexaran::store
