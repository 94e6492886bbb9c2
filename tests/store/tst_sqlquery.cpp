#include "FileName.h"
#include "RawNames.h"
#include "SqliteApi.h"
#include "StoreFixture.h"
#include "StoreErrorCheck.h"
#include "TStoreError.h"
#include "TimeLimits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <chrono>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace lexaran::store;

class tst_SQLQuery : public QObject
{
    Q_OBJECT

private slots:
    void engineLibrary();
    void missingFileIsCreatedEmpty();
    void openMode_data();
    void openMode();
    void openingFailures_data();
    void openingFailures();
    void exclusiveLockFailsAtOnce();
    void closedConnectionReopens();
    void closingReleasesFile_data();
    void closingReleasesFile();
    void failedOpenClosesStatementOnly();
    void sqlChangeClosesStatement();
    void fieldTyping_data();
    void fieldTyping();
    void fieldNamesAndFlags();
    void undeclaredLength();
    void onlyFirstStatementRuns();
    void valuesReadForward();
    void textCutToDeclaredLength();
    void nonLatinPath();
    void nonUtf8Path();
};

void tst_SQLQuery::engineLibrary()
{
#ifdef _WIN32
    QCOMPARE(SqliteLibraryFileName(), QStringLiteral("sqlite3.dll"));
    // Only the executable's own folder, by the library's full path.
    QCOMPARE(SqliteLibraryPath(),
             QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QLatin1String("\\sqlite3.dll"));

    // A working directory with an engine in it lends none to a folder
    // without one.
    QTemporaryDir working, empty, impostor;
    QVERIFY(QFile::copy(SqliteLibraryPath(), working.filePath(QStringLiteral("sqlite3.dll"))));
    const auto inside = [](const QTemporaryDir &directory) {
        return QDir::toNativeSeparators(directory.filePath(QStringLiteral("sqlite3.dll")));
    };
    {
        struct TRestoreCurrent
        {
            QString path = QDir::currentPath();
            ~TRestoreCurrent() { QDir::setCurrent(path); }
        } restore;
        QVERIFY(QDir::setCurrent(working.path()));
        QVERIFY_STORE_ERROR(TSqliteApi::Load(inside(empty)), QStringLiteral("sqlite3.dll not found"));
    }

    // A library that loads, and offers one of the engine's functions but
    // not the rest, under the engine's name.
    QVERIFY(QFile::copy(QStringLiteral(LACKS_ENGINE_PATH), inside(impostor)));
    QVERIFY_STORE_ERROR(TSqliteApi::Load(inside(impostor)), QStringLiteral("sqlite3.dll not found"));
    // The store keeps what it loaded; the test lets go, so that the folder
    // can be removed.
    if (const HMODULE loaded = GetModuleHandleW(reinterpret_cast<const wchar_t *>(inside(impostor).utf16())))
        FreeLibrary(loaded);
    const TSqliteApi api = TSqliteApi::Load(SqliteLibraryPath());
#else
    QCOMPARE(SqliteLibraryFileName(), QStringLiteral("libsqlite3.so.0"));
    QCOMPARE(SqliteLibraryPath(), SqliteLibraryFileName());
    QVERIFY_STORE_ERROR(TSqliteApi::Load(QStringLiteral("libnosuchengine.so.0")),
                        QStringLiteral("libnosuchengine.so.0 not found"));
    QVERIFY_STORE_ERROR(TSqliteApi::Load(QStringLiteral("/nonexistent/folder/libsqlite3.so.0")),
                        QStringLiteral("libsqlite3.so.0 not found"));
    // A library that loads, and offers one of the engine's functions but
    // not the rest, is refused in the same words, which name the file.
    const QString lacking = QStringLiteral(LACKS_ENGINE_PATH);
    QLibrary library(lacking);
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    QVERIFY(library.resolve("sqlite3_open_v2"));
    QVERIFY_STORE_ERROR(TSqliteApi::Load(lacking), QFileInfo(lacking).fileName() + QLatin1String(" not found"));
    const TSqliteApi api = TSqliteApi::Load(SqliteLibraryFileName());
#endif
    QVERIFY(api.table_column_metadata);
}

void tst_SQLQuery::missingFileIsCreatedEmpty()
{
    TStoreFixture fixture;
    fixture.connection.Open();
    QVERIFY(fixture.connection.Connected());
    QVERIFY(QFileInfo::exists(fixture.path));
    QCOMPARE(QFileInfo(fixture.path).size(), 0);
    try {
        fixture.Run(QStringLiteral("select id, rus, kaz, cat from termin_items limit 1000"));
        QFAIL("statement ran on an empty file");
    } catch (const TStoreError &error) {
        QCOMPARE(error.message(), QStringLiteral("no such table: termin_items"));
        QCOMPARE(error.code(), SQLITE_ERROR);
    }
    QCOMPARE(QFileInfo(fixture.path).size(), 0);
}

void tst_SQLQuery::openMode_data()
{
    QTest::addColumn<QStringList>("failIfMissingLines");
    QTest::addColumn<bool>("filePresent");
    QTest::addColumn<bool>("opens");

    const struct { const char *name; QStringList lines; bool createsMissing; } modes[] = {
        {"line missing", {}, false},
        {"True", {QStringLiteral("FailIfMissing=True")}, false},
        {"lower case", {QStringLiteral("FailIfMissing=true")}, false},
        {"upper case name and value", {QStringLiteral("FAILIFMISSING=TRUE")}, false},
        {"False", {QStringLiteral("FailIfMissing=False")}, true},
        {"yes", {QStringLiteral("FailIfMissing=yes")}, true},
        {"empty value", {QStringLiteral("FailIfMissing=")}, true},
        {"first line decides", {QStringLiteral("FailIfMissing=False"), QStringLiteral("FailIfMissing=True")}, true},
    };
    for (const auto &mode : modes) {
        QTest::addRow("%s, file present", mode.name) << mode.lines << true << true;
        QTest::addRow("%s, file missing", mode.name) << mode.lines << false << mode.createsMissing;
    }
}

void tst_SQLQuery::openMode()
{
    QFETCH(QStringList, failIfMissingLines);
    QFETCH(bool, filePresent);
    QFETCH(bool, opens);

    TStoreFixture fixture(filePresent ? TermTableSql(2) : QString());
    fixture.connection.Params.removeLast();
    fixture.connection.Params += failIfMissingLines;
    const QByteArray before = FileBytes(fixture.path);
    if (opens) {
        fixture.Run(QStringLiteral("select count(*) from sqlite_schema"));
        QVERIFY(fixture.connection.Connected());
        QVERIFY(QFileInfo::exists(fixture.path));
        QCOMPARE(FileBytes(fixture.path), before);
    } else {
        // A missing file in the must-exist mode is an error, and nothing is
        // created.
        QVERIFY_STORE_ERROR(fixture.connection.Open(), QStringLiteral("unable to open database file"));
        QVERIFY(!fixture.connection.Connected());
        QVERIFY(!QFileInfo::exists(fixture.path));
    }
}

void tst_SQLQuery::nonUtf8Path()
{
    // A directory name that is not UTF-8 arrives decoded without loss and
    // reaches the engine as its bytes; the file is found, and created there
    // when missing.
#ifdef _WIN32
    QSKIP("Windows file names are UTF-16, never bytes outside UTF-8; nonLatinPath covers them");
#else
    QTemporaryDir directory;
    const QByteArray parent = QFile::encodeName(directory.path());
    const TRawDirectory folder(parent, "caf\xe9-dir");
    QVERIFY(folder.IsValid());
    const QString plainPath = directory.filePath(QStringLiteral("termins.db"));
    MakeDatabase(plainPath, TermTableSql(4));
    QVERIFY(rename(QFile::encodeName(plainPath).constData(), (folder.Path() + "/termins.db").constData()) == 0);

    for (const char *file : {"/termins.db", "/created.db"}) {
        TSQLConnection connection;
        connection.Params = {QStringLiteral("DriverName=Sqlite"),
                             QLatin1String("Database=") + lexaran::platform::DecodeFileName(folder.Path() + file),
                             QStringLiteral("FailIfMissing=False")};
        TSQLQuery query(&connection);
        query.SQL.Add(QStringLiteral("select count(*) from sqlite_schema"));
        query.Open();
        QVERIFY(query.Fetch());
        QCOMPARE(query.Text(0), qstrcmp(file, "/termins.db") == 0 ? u"1" : u"0");
    }
    QCOMPARE(RawEntries(folder.Path()), (QList<QByteArray>{"created.db", "termins.db"}));
    // Nothing appeared anywhere else (a lossy name would name another file).
    QCOMPARE(RawEntries(parent), QList<QByteArray>{"caf\xe9-dir"});
#endif
}

void tst_SQLQuery::openingFailures_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("inMissingDirectory");
    QTest::addColumn<QString>("message");

    QTest::newRow("directory where nothing can be created") << QByteArray() << true
                                                            << QStringLiteral("unable to open database file");
    QTest::newRow("file that is not a database")
        << QByteArray("These are not the pages of a database, only some text to fill the header.\n").repeated(20)
        << false << QStringLiteral("file is not a database");
}

void tst_SQLQuery::openingFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, inMissingDirectory);
    QFETCH(QString, message);

    TStoreFixture fixture;
    if (inMissingDirectory) {
        fixture.connection.Params[1] = QLatin1String("Database=") + fixture.directory.filePath(QStringLiteral("no/such/dir/termins.db"));
    } else {
        QVERIFY(WriteFileBytes(fixture.path, content));
    }
    // The engine reports some failures on opening, others at the first
    // statement; either way the user sees the engine's text.
    try {
        fixture.Run(QStringLiteral("select id, rus, kaz, cat from termin_items limit 1000"));
        QFAIL("no error");
    } catch (const TStoreError &error) {
        QCOMPARE(error.message(), message);
        QVERIFY(error.code() != 0);
    }
    if (!content.isEmpty())
        QCOMPARE(FileBytes(fixture.path), content);
}

void tst_SQLQuery::exclusiveLockFailsAtOnce()
{
    TStoreFixture fixture(TermTableSql(3));
    sqlite3 *holder = nullptr;
    QCOMPARE(sqlite3_open(fixture.path.toUtf8().constData(), &holder), SQLITE_OK);
    QCOMPARE(sqlite3_exec(holder, "pragma locking_mode = exclusive; begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);

    const auto start = std::chrono::steady_clock::now();
    QVERIFY_STORE_ERROR(fixture.Run(QStringLiteral("select * from termin_items")), QStringLiteral("database is locked"));
    QVERIFY(std::chrono::steady_clock::now() - start < ScaledLimit(std::chrono::milliseconds(500)));
    QVERIFY(fixture.connection.Connected());
    sqlite3_close(holder);
}

void tst_SQLQuery::closedConnectionReopens()
{
    TStoreFixture fixture(TermTableSql(2));
    QVERIFY(!fixture.connection.Connected());
    fixture.Run(QStringLiteral("select * from termin_items"));
    QVERIFY(fixture.connection.Connected());
    fixture.connection.Close();
    fixture.Run(QStringLiteral("select * from termin_items"));
    QVERIFY(fixture.connection.Connected());
    QVERIFY(fixture.query.Fetch());
}

void tst_SQLQuery::closingReleasesFile_data()
{
    QTest::addColumn<int>("rowsRead");  // -1: the query is not opened
    QTest::addColumn<bool>("counted");

    QTest::newRow("connection without a statement") << -1 << false;
    QTest::newRow("statement open, no row read") << 0 << false;
    QTest::newRow("rows read halfway") << 2 << false;
    QTest::newRow("rows read and counted") << 4 << true;
}

void tst_SQLQuery::closingReleasesFile()
{
    QFETCH(int, rowsRead);
    QFETCH(bool, counted);

    TStoreFixture fixture(TermTableSql(4));
    fixture.connection.Open();
    if (rowsRead >= 0) {
        fixture.Run(QStringLiteral("select * from termin_items"));
        for (int i = 0; i < rowsRead; ++i)
            QVERIFY(fixture.query.Fetch());
    }
    if (counted)
        QCOMPARE(fixture.query.RecordCount(), 4);
    QVERIFY(HeldOpenHere(fixture.path));

    fixture.connection.Close();
    QVERIFY(!fixture.connection.Connected());
    QVERIFY(!HeldOpenHere(fixture.path));
    // The query closed with the connection and is still usable: it reads
    // nothing, and opening it opens the connection again.
    QVERIFY(!fixture.query.Active());
    QVERIFY(!fixture.query.Fetch());
    fixture.Run(QStringLiteral("select rus from termin_items"));
    QVERIFY(fixture.query.Fetch());
    QCOMPARE(fixture.query.Text(0), u"рус1");
    fixture.connection.Close();
    // What a user of the file sees: it can be deleted at once.
    QVERIFY(QFile::remove(fixture.path));
}

void tst_SQLQuery::failedOpenClosesStatementOnly()
{
    TStoreFixture fixture(TermTableSql(2));
    fixture.Run(QStringLiteral("select rus from termin_items"));
    QVERIFY(fixture.query.Active());
    QVERIFY_STORE_ERROR(fixture.Run(QStringLiteral("select rus_upperr from termin_items")),
                        QStringLiteral("no such column: rus_upperr"));
    QVERIFY(!fixture.query.Active());
    QVERIFY(fixture.query.Fields().empty());
    QVERIFY(fixture.connection.Connected());
    QVERIFY_STORE_ERROR(fixture.Run(QStringLiteral("select kaz from termin_items where")),
                        QStringLiteral("incomplete input"));
    QVERIFY_STORE_ERROR(fixture.Run(QString()), QStringLiteral("Missing query, table name or procedure name"));
}

void tst_SQLQuery::sqlChangeClosesStatement()
{
    TStoreFixture fixture(TermTableSql(2));
    fixture.Run(QStringLiteral("select rus from termin_items"));
    fixture.query.SQL.Add(QStringLiteral("-- another line"));
    QVERIFY(!fixture.query.Active());
    QVERIFY(!fixture.query.Fetch());
    fixture.query.Open();
    QCOMPARE(fixture.query.SQL.Text(), QStringLiteral("select rus from termin_items\r\n-- another line\r\n"));
    QVERIFY(fixture.query.Fetch());
    QCOMPARE(fixture.query.Text(0), u"рус1");
}

void tst_SQLQuery::fieldTyping_data()
{
    QTest::addColumn<QString>("declared");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("size");

    QTest::newRow("VARCHAR(255) text") << QStringLiteral("VARCHAR(255)") << QStringLiteral("'слово'") << int(fkString) << 255;
    QTest::newRow("NVARCHAR( 40) text") << QStringLiteral("NVARCHAR( 40)") << QStringLiteral("'x'") << int(fkString) << 40;
    QTest::newRow("TEXT") << QStringLiteral("TEXT") << QStringLiteral("'слово'") << int(fkMemo) << 0;
    QTest::newRow("VARCHAR without length") << QStringLiteral("VARCHAR") << QStringLiteral("'x'") << int(fkMemo) << 0;
    QTest::newRow("no declared type") << QString() << QStringLiteral("'x'") << int(fkMemo) << 0;
    QTest::newRow("NULL in the first row") << QStringLiteral("VARCHAR(255)") << QStringLiteral("NULL") << int(fkMemo) << 0;
    QTest::newRow("integer value") << QString() << QStringLiteral("42") << int(fkInteger) << 0;
    QTest::newRow("real value") << QString() << QStringLiteral("2.5") << int(fkFloat) << 0;
    QTest::newRow("blob value") << QStringLiteral("VARCHAR(255)") << QStringLiteral("x'00ff'") << int(fkBytes) << 0;
}

void tst_SQLQuery::fieldTyping()
{
    QFETCH(QString, declared);
    QFETCH(QString, value);
    QFETCH(int, kind);
    QFETCH(int, size);

    TStoreFixture fixture(QStringLiteral("create table t (c %1); insert into t values (%2); insert into t values ('later');")
                              .arg(declared, value));
    fixture.Run(QStringLiteral("select c from t"));
    QCOMPARE(fixture.query.Fields().size(), std::size_t(1));
    QCOMPARE(int(fixture.query.Fields()[0].Kind), kind);
    QCOMPARE(fixture.query.Fields()[0].Size, size);
}

void tst_SQLQuery::fieldNamesAndFlags()
{
    TStoreFixture fixture(QStringLiteral(
        "create table t (Id INTEGER PRIMARY KEY AUTOINCREMENT, Rus VARCHAR(10) NOT NULL, kaz VARCHAR(10));"
        "insert into t (Rus, kaz) values ('а', 'б');"));
    fixture.Run(QStringLiteral("select id as key, RUS, kaz alias, count(*), 1 + 1 from t"));
    const std::vector<TFieldDef> &fields = fixture.query.Fields();
    QCOMPARE(fields.size(), std::size_t(5));
    struct TExpected { const char *name; bool nullable; bool autoIncrement; TFieldKind kind; };
    const TExpected expected[] = {
        {"Id", false, true, fkInteger},
        {"Rus", false, false, fkString},
        {"kaz", true, false, fkString},
        {"Column3", false, false, fkMemo},
        {"Column4", false, false, fkMemo},
    };
    for (std::size_t i = 0; i < fields.size(); ++i) {
        QCOMPARE(fields[i].Name, QString::fromLatin1(expected[i].name));
        QCOMPARE(fields[i].Nullable, expected[i].nullable);
        QCOMPARE(fields[i].AutoIncrement, expected[i].autoIncrement);
        QCOMPARE(int(fields[i].Kind), int(expected[i].kind));
    }
}

void tst_SQLQuery::undeclaredLength()
{
    TStoreFixture fixture(QStringLiteral("create table t (price DECIMAL(10,2), other DECIMAL(10,2));"
                                         "insert into t values ('двенадцать', 3);"));
    QVERIFY_STORE_ERROR(fixture.Run(QStringLiteral("select price from t")),
                        QStringLiteral("'10,2' is not a valid integer value"));
    QVERIFY(!fixture.query.Active());
    // A number in the first row never looks at the declared length.
    fixture.Run(QStringLiteral("select other from t"));
    QCOMPARE(int(fixture.query.Fields()[0].Kind), int(fkInteger));
}

void tst_SQLQuery::onlyFirstStatementRuns()
{
    TStoreFixture fixture(TermTableSql(3));
    fixture.Run(QStringLiteral("select count(*) from termin_items; drop table termin_items; select 'x'"));
    QVERIFY(fixture.query.Fetch());
    QCOMPARE(fixture.query.Text(0), u"3");
    fixture.Run(QStringLiteral("select count(*) from termin_items"));
    QVERIFY(fixture.query.Fetch());
    QCOMPARE(fixture.query.Text(0), u"3");
}

void tst_SQLQuery::valuesReadForward()
{
    TStoreFixture fixture(QStringLiteral(
        "create table t (id INTEGER PRIMARY KEY, rus VARCHAR(20), kaz VARCHAR(20), n REAL, b BLOB);"
        "insert into t values (1, 'су', NULL, 1.5, x'0102');"
        "insert into t values (2, NULL, 'жер', NULL, NULL);"
        "insert into t values (9223372036854775807, '', '', -0.25, x'');"));
    fixture.Run(QStringLiteral("select id, rus, kaz, n, b from t order by id"));

    QVERIFY(fixture.query.Fetch());
    QCOMPARE(fixture.query.Integer(0), 1);
    QCOMPARE(fixture.query.Text(1), u"су");
    QVERIFY(fixture.query.IsNull(2));
    QCOMPARE(fixture.query.Float(3), 1.5);
    QCOMPARE(fixture.query.Bytes(4), QByteArray("\x01\x02", 2));

    QVERIFY(fixture.query.Fetch());
    QVERIFY(fixture.query.IsNull(1));
    QCOMPARE(fixture.query.Text(2), u"жер");
    QVERIFY(fixture.query.IsNull(3));

    QVERIFY(fixture.query.Fetch());
    QCOMPARE(fixture.query.Integer(0), std::numeric_limits<qint64>::max());
    QVERIFY(!fixture.query.IsNull(1));
    QVERIFY(fixture.query.Text(1).isEmpty());

    QVERIFY(!fixture.query.Fetch());
    QVERIFY(!fixture.query.Fetch());
}

void tst_SQLQuery::textCutToDeclaredLength()
{
    TStoreFixture fixture(QStringLiteral("create table t (c VARCHAR(4));"
                                         "insert into t values ('қысқа');"
                                         "insert into t values ('abc\U0001F600');"
                                         "insert into t values ('ab');"));
    fixture.Run(QStringLiteral("select c from t"));
    // The UTF-8 reading is cut at the same characters.
    QVERIFY(fixture.query.Fetch());
    QCOMPARE(fixture.query.Text(0), u"қысқ");
    QCOMPARE(fixture.query.Utf8Text(0).toByteArray(), QStringLiteral("қысқ").toUtf8());
    QVERIFY(fixture.query.Fetch());
    // Four UTF-16 units would split the emoji's surrogate pair.
    QCOMPARE(fixture.query.Text(0), u"abc");
    QCOMPARE(fixture.query.Utf8Text(0).toByteArray(), QByteArray("abc"));
    QVERIFY(fixture.query.Fetch());
    QCOMPARE(fixture.query.Text(0), u"ab");
    QCOMPARE(fixture.query.Utf8Text(0).toByteArray(), QByteArray("ab"));
}

void tst_SQLQuery::nonLatinPath()
{
    QTemporaryDir directory;
    const QString folder = directory.filePath(QStringLiteral("сөздік қоры"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/termins.db");
    MakeDatabase(path, TermTableSql(5));

    TSQLConnection connection;
    connection.Params = {QStringLiteral("DriverName=Sqlite"), QLatin1String("Database=") + path,
                         QStringLiteral("FailIfMissing=False")};
    TSQLQuery query(&connection);
    query.SQL.Add(QStringLiteral("select count(*) from termin_items"));
    query.Open();
    QVERIFY(query.Fetch());
    QCOMPARE(query.Text(0), u"5");
}

QTEST_GUILESS_MAIN(tst_SQLQuery)
#include "tst_sqlquery.moc"
