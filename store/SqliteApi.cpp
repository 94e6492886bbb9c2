#include "SqliteApi.h"

#include "ExecutableDirectory.h"
#include "TStoreError.h"

#include <QFileInfo>

#include <optional>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace lexaran::store {

namespace {

void *OpenLibrary(const QString &library)
{
#ifdef _WIN32
    // With a full path the system looks at that one file only: neither the
    // working directory nor the search path can lend the program another
    // engine. The library's own dependencies are looked for beside it
    // first. A damaged file fails the call instead of raising the system's
    // own error window.
    DWORD previousMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    HMODULE module = LoadLibraryExW(reinterpret_cast<const wchar_t *>(library.utf16()), nullptr,
                                    LOAD_WITH_ALTERED_SEARCH_PATH);
    SetThreadErrorMode(previousMode, nullptr);
    return reinterpret_cast<void *>(module);
#else
    return dlopen(library.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
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

QString SqliteLibraryPath()
{
#ifdef _WIN32
    QString path;
    try {
        path = lexaran::platform::ExecutableDirectory() + SqliteLibraryFileName();
    } catch (const std::runtime_error &) {
        // Nowhere to look: no other place stands in for it.
        return QString();
    }
    // Past MAX_PATH only the long form of a path is sure to be accepted.
    if (path.size() >= MAX_PATH && !path.startsWith(QLatin1String("\\\\?\\"))) {
        if (path.startsWith(QLatin1String("\\\\")))  // \\server\share\...
            path.replace(0, 2, QLatin1String("\\\\?\\UNC\\"));
        else
            path.prepend(QLatin1String("\\\\?\\"));
    }
    return path;
#else
    return SqliteLibraryFileName();
#endif
}

TSqliteApi TSqliteApi::Load(const QString &library)
{
    const TStoreError notFound(QFileInfo(library).fileName() + QLatin1String(" not found"));
    void *handle = OpenLibrary(library);
    if (!handle)
        throw notFound;

    TSqliteApi api{};
    bool complete = true;
    auto resolve = [&](auto &function, const char *name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(Resolve(handle, name));
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
    api.value_encoding = reinterpret_cast<decltype(api.value_encoding)>(Resolve(handle, "sqlite3_value_encoding"));
    // The library stays loaded either way: unloading one that another part
    // of the process may share is never worth the risk.
    if (!complete)
        throw notFound;
    return api;
}

std::optional<TSqliteApi> gSqlite;

const TSqliteApi &LoadSqlite()
{
    if (!gSqlite) {
        const QString path = SqliteLibraryPath();
        if (path.isEmpty())
            throw TStoreError(SqliteLibraryFileName() + QLatin1String(" not found"));
        gSqlite = TSqliteApi::Load(path);
    }
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
