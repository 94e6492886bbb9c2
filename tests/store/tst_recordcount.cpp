#include "CountSQL.h"
#include "SearchSQL.h"
#include "StoreErrorCheck.h"
#include "StoreFixture.h"
#include "TStrings.h"

#include <QTest>

using namespace lexaran::store;

namespace {

const QString kNotSupported = QStringLiteral("[0x0005]: Operation Not Supported");

// Ten terms whose capital copies hold the key phrases as words.
const QString kCountFixture = QStringLiteral(
    "create table termin_items (id INTEGER PRIMARY KEY, rus VARCHAR(255), kaz VARCHAR(255), cat VARCHAR(255),"
    " rus_upper VARCHAR(255), kaz_upper VARCHAR(255));"
    "insert into termin_items values (1, 'a order by b', 'қ', 'Медицина', 'A ORDER BY B', 'Қ');"
    "insert into termin_items values (2, 'a distinct b', 'қ', 'Химия', 'A DISTINCT B', 'Қ');"
    "insert into termin_items values (3, 'x where y', 'қ', 'Медицина', 'X WHERE Y', 'Қ');"
    "insert into termin_items values (4, 'д''артаньян', 'қ', 'Химия', 'Д''АРТАНЬЯН', 'Қ');"
    "insert into termin_items values (5, 'город', 'қала', 'Медицина', 'ГОРОД', 'ҚАЛА');"
    "insert into termin_items values (6, 'город', 'қала', 'Химия', 'ГОРОД', 'ҚАЛА');"
    "insert into termin_items values (7, 'городок', 'қалашық', 'Медицина', 'ГОРОДОК', 'ҚАЛАШЫҚ');"
    "insert into termin_items values (8, 'distinctive', 'd', 'Химия', 'DISTINCTIVE', 'D');"
    "insert into termin_items values (9, 'село', 'ауыл', 'Тарих', 'СЕЛО', 'АУЫЛ');"
    "insert into termin_items values (10, 'вода', 'су', 'Тарих', 'ВОДА', 'СУ');");

QStringList Search(const QString &text, TMatchKind kind = mkContains, TSearchField field = sfBoth,
                   int category = 0, const QString &categoryText = QString())
{
    return ComposeSearchSQL({text, kind, field, category, categoryText});
}

} // namespace

class tst_RecordCount : public QObject
{
    Q_OBJECT

private slots:
    void tableName_data();
    void tableName();
    void count_data();
    void count();
    void tableNameKeptWhole();
    void emptyText();
    void cachedUntilNextOpen();
    void reopensClosedConnection();
};

void tst_RecordCount::tableName_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("table");

    QTest::newRow("start-up statement") << StartupSQL() + "\r\n" << QStringLiteral("termin_items");
    QTest::newRow("search statement") << TStrings::Joined(Search(QStringLiteral("қала"))) << QStringLiteral("termin_items");
    QTest::newRow("FROM in capitals, name case kept") << QStringLiteral("SELECT * FROM Termin_Items") << QStringLiteral("Termin_Items");
    QTest::newRow("double-quoted name with a blank") << QStringLiteral("select * from \"termin items\" where 1") << QStringLiteral("termin items");
    QTest::newRow("bracketed name") << QStringLiteral("select * from [termin_items]") << QStringLiteral("termin_items");
    QTest::newRow("back-quoted name") << QStringLiteral("select * from `t`") << QStringLiteral("t");
    QTest::newRow("schema and table") << QStringLiteral("select * from main.termin_items") << QStringLiteral("main.termin_items");
    QTest::newRow("quoted schema and table") << QStringLiteral("select * from \"main\".\"t\"") << QStringLiteral("main.t");
    QTest::newRow("quoted from is no FROM") << QStringLiteral("select 'from', \"from\" from t") << QStringLiteral("t");
    QTest::newRow("semicolon after the name") << QStringLiteral("select * from t;") << QStringLiteral("t");
    QTest::newRow("parenthesis after the name") << QStringLiteral("select count(*) from t)") << QStringLiteral("t");
    QTest::newRow("subquery: its first word") << QStringLiteral("select * from (select * from t)") << QStringLiteral("select");
    QTest::newRow("line break after the name") << QStringLiteral("select a from t\r\nlimit 1") << QStringLiteral("t");
    QTest::newRow("comma separates words") << QStringLiteral("select a,b from t,u") << QStringLiteral("t");
    QTest::newRow("no FROM") << QStringLiteral("select 1") << QString();
    QTest::newRow("FROM at the end") << QStringLiteral("select 1 from") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void tst_RecordCount::tableName()
{
    QFETCH(QString, text);
    QFETCH(QString, table);
    QCOMPARE(TableNameFromSQL(text), table);
}

void tst_RecordCount::count_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("countSql");  // empty: counting fails before a count statement exists
    QTest::addColumn<int>("count");         // -1: "[0x0005]: Operation Not Supported"

    QTest::newRow("start-up statement") << QStringList{StartupSQL()}
        << QStringLiteral("select count(*) from \"termin_items\"") << 10;
    QTest::newRow("search without category") << Search(QStringLiteral("қала"))
        << QStringLiteral("select count(*) from \"termin_items\" where (upper(rus_upper)  like '%ҚАЛА%' or "
                          "upper(kaz_upper)  like '%ҚАЛА%')\r\nlimit 1000\r\n") << 3;
    QTest::newRow("search with category") << Search(QStringLiteral("қала"), mkContains, sfBoth, 17, QStringLiteral("Медицина"))
        << QStringLiteral("select count(*) from \"termin_items\" where (upper(rus_upper)  like '%ҚАЛА%' or "
                          "upper(kaz_upper)  like '%ҚАЛА%') AND  cat='Медицина'\r\nlimit 1000\r\n") << 2;
    QTest::newRow("no match") << Search(QStringLiteral("жоқ"), mkEquals)
        << QStringLiteral("select count(*) from \"termin_items\" where (upper(rus_upper)  = 'ЖОҚ' or "
                          "upper(kaz_upper)  = 'ЖОҚ')\r\nlimit 1000\r\n") << 0;
    QTest::newRow("where in the search text") << Search(QStringLiteral("x where y"), mkEquals, sfRussian)
        << QStringLiteral("select count(*) from \"termin_items\" where upper(rus_upper)  = 'X WHERE Y'\r\nlimit 1000\r\n") << 1;
    QTest::newRow("order by in the search text") << Search(QStringLiteral("a order by b"), mkEquals, sfRussian)
        << QStringLiteral("select count(*) from \"termin_items\" where upper(rus_upper)  = 'A ORDER BY B'\r\nlimit 1000\r\n") << 1;
    QTest::newRow("distinct in the search text") << Search(QStringLiteral("A Distinct b"), mkContains, sfRussian)
        << QStringLiteral("select count(*) from \"termin_items\" where upper(rus_upper)  like '%A DISTINCT B%'\r\nlimit 1000\r\n") << 1;
    QTest::newRow("distinct without blanks around") << Search(QStringLiteral("distinct"), mkContains, sfRussian)
        << QStringLiteral("select count(*) from \"termin_items\" where upper(rus_upper)  like '%DISTINCT%'\r\nlimit 1000\r\n") << 2;
    QTest::newRow("quote in the search text") << Search(QStringLiteral("д'артаньян"), mkEquals, sfRussian)
        << QStringLiteral("select count(*) from \"termin_items\" where upper(rus_upper)  = 'Д''АРТАНЬЯН'\r\nlimit 1000\r\n") << 1;
    QTest::newRow("where inside quotes before the real one")
        << QStringList{QStringLiteral("select ' where ' as w, id from termin_items where id > 8")}
        << QStringLiteral("select count(*) from \"termin_items\" where id > 8\r\n") << 2;
    QTest::newRow("order by outside quotes is cut")
        << QStringList{QStringLiteral("select * from termin_items where id > 3 order by id desc")}
        << QStringLiteral("select count(*) from \"termin_items\" where id > 3") << 7;
    QTest::newRow("order by on the next line stays")
        << QStringList{QStringLiteral("select * from termin_items where id > 3"), QStringLiteral("order by id desc")}
        << QStringLiteral("select count(*) from \"termin_items\" where id > 3\r\norder by id desc\r\n") << 7;
    QTest::newRow("order by without where plays no part")
        << QStringList{QStringLiteral("select * from termin_items order by id")}
        << QStringLiteral("select count(*) from \"termin_items\"") << 10;
    QTest::newRow("real distinct") << QStringList{QStringLiteral("select DISTINCT cat from termin_items")}
        << QString() << -1;
    QTest::newRow("parameter") << QStringList{QStringLiteral("select * from termin_items where id = :id")}
        << QString() << -1;
    QTest::newRow("no table name") << QStringList{QStringLiteral("select 1")} << QString() << -1;
    QTest::newRow("engine refuses the count statement")
        << QStringList{QStringLiteral("select * from termin_items t where t.id > 1")}
        << QStringLiteral("select count(*) from \"termin_items\" where t.id > 1\r\n") << -1;
}

void tst_RecordCount::count()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, countSql);
    QFETCH(int, count);

    const QString text = TStrings::Joined(lines);
    if (!countSql.isEmpty())
        QCOMPARE(ComposeCountSQL(text, TableNameFromSQL(text), u'"'), countSql);

    TStoreFixture fixture(kCountFixture);
    fixture.query.SQL.Clear();
    for (const QString &line : lines)
        fixture.query.SQL.Add(line);
    fixture.query.Open();
    if (count < 0)
        QVERIFY_STORE_ERROR(fixture.query.RecordCount(), kNotSupported);
    else
        QCOMPARE(fixture.query.RecordCount(), count);
}

void tst_RecordCount::tableNameKeptWhole()
{
    const QString text = QStringLiteral("select * from [t order by x] where a = 1 order by a");
    QCOMPARE(TableNameFromSQL(text), QStringLiteral("t order by x"));
    QCOMPARE(ComposeCountSQL(text, TableNameFromSQL(text), u'"'),
             QStringLiteral("select count(*) from \"t order by x\" where a = 1"));
}

void tst_RecordCount::emptyText()
{
    TStoreFixture fixture(kCountFixture);
    QVERIFY_STORE_ERROR(fixture.query.RecordCount(), QStringLiteral("Missing query, table name or procedure name"));
}

void tst_RecordCount::cachedUntilNextOpen()
{
    TStoreFixture fixture(kCountFixture);
    fixture.Run(StartupSQL());
    QCOMPARE(fixture.query.RecordCount(), 10);
    // The open statement holds a read lock; the writer needs it gone.
    fixture.query.Close();
    MakeDatabase(fixture.path, QStringLiteral("insert into termin_items (id) values (11);"));
    // The second read is the cached count, not a new count statement.
    QCOMPARE(fixture.query.RecordCount(), 10);
    fixture.query.Open();
    QCOMPARE(fixture.query.RecordCount(), 11);
}

void tst_RecordCount::reopensClosedConnection()
{
    TStoreFixture fixture(kCountFixture);
    fixture.query.SQL.Add(StartupSQL());
    QVERIFY(!fixture.connection.Connected());
    QCOMPARE(fixture.query.RecordCount(), 10);
    QVERIFY(fixture.connection.Connected());
}

QTEST_GUILESS_MAIN(tst_RecordCount)
#include "tst_recordcount.moc"
