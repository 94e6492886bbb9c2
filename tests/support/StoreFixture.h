#pragma once

#include "FixtureDb.h"
#include "TSQLConnection.h"
#include "TSQLQuery.h"

#include <QTemporaryDir>

// A connection and a query on termins.db in a fresh directory.
struct TStoreFixture
{
    explicit TStoreFixture(const QString &sql = QString(), const QString &failIfMissing = QStringLiteral("False"))
        : path(directory.filePath(QStringLiteral("termins.db")))
    {
        if (!sql.isEmpty())
            MakeDatabase(path, sql);
        connection.Params = {QStringLiteral("DriverName=Sqlite"), QLatin1String("Database=") + path,
                             QLatin1String("FailIfMissing=") + failIfMissing};
    }

    // Replaces the query's statement by `text` (one line) and runs it.
    void Run(const QString &text)
    {
        query.SQL.Clear();
        query.SQL.Add(text);
        query.Open();
    }

    QTemporaryDir directory;
    QString path;
    TSQLConnection connection;
    TSQLQuery query{&connection};
};
