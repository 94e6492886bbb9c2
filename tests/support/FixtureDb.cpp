#include "FixtureDb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

void MakeDatabase(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    // The engine takes file names as UTF-8, also on Windows.
    int rc = sqlite3_open(path.toUtf8().constData(), &db);
    char *error = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const std::string message = error ? error : sqlite3_errmsg(db);
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("fixture: " + message);
}

QString TermTableSql(int count)
{
    QString sql = QStringLiteral(
        "create table termin_items (id INTEGER PRIMARY KEY, rus VARCHAR(255), kaz VARCHAR(255), "
        "cat VARCHAR(255), rus_upper VARCHAR(255), kaz_upper VARCHAR(255));\n"
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1)\n"
        "insert into termin_items (id, rus, kaz, cat, rus_upper, kaz_upper)\n"
        "select i, 'рус' || i, 'қаз' || i, case i % 2 when 0 then 'Медицина' else 'Химия' end,\n"
        "'РУС' || i, 'ҚАЗ' || i from n where %1 > 0;\n");
    return sql.arg(count);
}

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush();
}

bool HeldOpenHere(const QString &path)
{
#ifdef _WIN32
    const HANDLE file = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                                    GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return false;
#else
    const QString target = QFileInfo(path).canonicalFilePath();
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo &descriptor : descriptors.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (!target.isEmpty() && descriptor.symLinkTarget() == target)
            return true;
    }
    return false;
#endif
}
