#include "OtherConnection.h"

#include <QFile>

#include <sqlite3.h>

#include <stdexcept>

TOtherConnection::TOtherConnection(const QString &path)
{
    if (sqlite3_open(QFile::encodeName(path).constData(), &db_) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db_);
        sqlite3_close(db_);
        throw std::runtime_error("other connection: " + message);
    }
}

TOtherConnection::~TOtherConnection()
{
    sqlite3_close(db_);
}

QString TOtherConnection::Execute(const QString &sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const QString message = rc == SQLITE_OK ? QString() : QString::fromUtf8(error ? error : sqlite3_errmsg(db_));
    sqlite3_free(error);
    return message;
}

QString TOtherConnection::Text(const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    int rc = sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &stmt, nullptr);
    QString text;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW)
            text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    }
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        text = QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db_));
    sqlite3_finalize(stmt);
    return text;
}
