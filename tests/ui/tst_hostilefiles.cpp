#include "FixtureDb.h"
#include "FormFixture.h"
#include "OtherConnection.h"
#include "SearchSQL.h"
#include "TDBGrid.h"
#include "TEdit.h"
#include "TRadioGroup.h"
#include "TStatusBar.h"
#include "TimeLimits.h"
#include "Unit1.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// A real dictionary of `terms` rows, then `damage` applied to its bytes.
void Dictionary(const QString &path, int terms, const std::function<void(QByteArray &)> &damage = {})
{
    MakeDatabase(path, TermTableSql(terms));
    if (damage) {
        QByteArray bytes = FileBytes(path);
        damage(bytes);
        QVERIFY(WriteFileBytes(path, bytes));
    }
}

// What the window showed: its rows, its panels, its error boxes.
struct TOutcome
{
    int rows = 0;
    QString panel0;
    QString panel1;
    QStringList boxes;
};

// Runs what a user does (start-up, a search, Show all, close) on the
// fixture's file and reports what was shown.
TOutcome Use(TFormFixture &fixture, const QString &searchText = QStringLiteral("рус1"))
{
    TOutcome outcome;
    {
        TForm1 &form = fixture.Open();
        form.show();
        form.Edit1->setText(searchText);
        form.BitBtn1->click();
        form.BitBtn2->click();
        // Painted as the user would see it.
        form.grab();
        outcome.rows = form.DBGrid1->model()->rowCount();
        outcome.panel0 = form.StatusBar1->PanelText(0);
        outcome.panel1 = form.StatusBar1->PanelText(1);
        form.close();
    }
    fixture.Close();
    outcome.boxes = fixture.Boxes();
    return outcome;
}

// What stands at `path`, told apart by kind: a file's bytes, a directory's
// entries, or nothing. A step that turned a directory into a file, or wrote
// into it, shows here.
QByteArray PathState(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        const QStringList entries = QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        return "directory: " + entries.join(u'/').toUtf8();
    }
    if (info.exists())
        return "file: " + FileBytes(path);
    return "nothing";
}

QStringList SideFiles(const QString &directory)
{
    return QDir(directory).entryList({QStringLiteral("termins.db-*")}, QDir::Files | QDir::Hidden);
}

} // namespace

class tst_HostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void hostileFile_data();
    void hostileFile();
    void lockedByAnotherProcess();
    void badSearchInput_data();
    void badSearchInput();
    void fileNeverWritten();
    void closingLeavesAnotherProgramsLog();
    void failedFillHoldsNoLock();
};

void tst_HostileFiles::hostileFile_data()
{
    using TMake = std::function<void(const QString &)>;
    QTest::addColumn<TMake>("make");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("panel0");
    QTest::addColumn<QString>("panel1");
    QTest::addColumn<QStringList>("boxes");

    const QString noTable = QStringLiteral("no such table: termin_items.");
    const QString notDatabase = QStringLiteral("file is not a database.");
    const QString malformed = QStringLiteral("database disk image is malformed.");

    QTest::newRow("zero-length file") << TMake([](const QString &p) { QVERIFY(WriteFileBytes(p, QByteArray())); })
        << 0 << QString() << QString() << QStringList{noTable, noTable, noTable};
    QTest::newRow("random bytes") << TMake([](const QString &p) {
            QByteArray bytes(8192, Qt::Uninitialized);
            QRandomGenerator generator(7);
            for (char &byte : bytes)
                byte = char(generator.bounded(256));
            QVERIFY(WriteFileBytes(p, bytes));
        }) << 0 << QString() << QString() << QStringList{notDatabase, notDatabase, notDatabase};
    QTest::newRow("valid header, damaged pages") << TMake([](const QString &p) {
            Dictionary(p, 3000, [](QByteArray &bytes) {
                for (qsizetype i = 4096; i < bytes.size(); i += 7)
                    bytes[i] = char(0xA5);
            });
        }) << 0 << QString() << QString() << QStringList{malformed, malformed, malformed};
    QTest::newRow("truncated file") << TMake([](const QString &p) {
            Dictionary(p, 3000, [](QByteArray &bytes) { bytes.truncate(bytes.size() / 2); });
        }) << 0 << QString() << QString() << QStringList{malformed, malformed, malformed};
    QTest::newRow("directory named termins.db") << TMake([](const QString &p) { QDir().mkpath(p); })
        << 0 << QString() << QString()
        << QStringList{QStringLiteral("unable to open database file."), QStringLiteral("unable to open database file."),
                       QStringLiteral("unable to open database file.")};
    QTest::newRow("termin_items as a view") << TMake([](const QString &p) {
            MakeDatabase(p, TermTableSql(40).replace(QStringLiteral("termin_items"), QStringLiteral("terms"))
                                + QStringLiteral("create view termin_items as select * from terms;"));
        }) << 40 << QStringLiteral("Базада барлығы 40 термин бар") << QStringLiteral("Сұраныс бойынша 11 термин табылды")
        << QStringList();
    QTest::newRow("10 MB text value") << TMake([](const QString &p) {
            MakeDatabase(p, TermTableSql(3) + QStringLiteral("update termin_items set rus = hex(zeroblob(5242880)) where id = 1;"));
        }) << 3 << QStringLiteral("Базада барлығы 3 термин бар") << QStringLiteral("Сұраныс бойынша 1 термин табылды")
        << QStringList();
    QTest::newRow("10 MB long text") << TMake([](const QString &p) {
            MakeDatabase(p, TermTableSql(3).replace(QStringLiteral("rus VARCHAR(255)"), QStringLiteral("rus TEXT"))
                                + QStringLiteral("update termin_items set rus = hex(zeroblob(5242880)) where id = 1;"));
        }) << 3 << QStringLiteral("Базада барлығы 3 термин бар") << QStringLiteral("Сұраныс бойынша 1 термин табылды")
        << QStringList();
    QTest::newRow("BLOB in rus") << TMake([](const QString &p) {
            MakeDatabase(p, TermTableSql(3) + QStringLiteral("update termin_items set rus = x'00ff00ff' where id = 1;"));
        }) << 3 << QStringLiteral("Базада барлығы 3 термин бар") << QStringLiteral("Сұраныс бойынша 1 термин табылды")
        << QStringList();
    QTest::newRow("table of 100 columns") << TMake([](const QString &p) {
            QString extra;
            for (int i = 0; i < 94; ++i)
                extra += QStringLiteral(", c%1 VARCHAR(10) default 'x'").arg(i);
            MakeDatabase(p, TermTableSql(12).replace(QStringLiteral("kaz_upper VARCHAR(255))"),
                                                     QStringLiteral("kaz_upper VARCHAR(255)") + extra + u')'));
        }) << 12 << QStringLiteral("Базада барлығы 12 термин бар") << QStringLiteral("Сұраныс бойынша 4 термин табылды")
        << QStringList();
    QTest::newRow("file in WAL mode") << TMake([](const QString &p) {
            MakeDatabase(p, QStringLiteral("pragma journal_mode = wal;") + TermTableSql(20));
        }) << 20 << QStringLiteral("Базада барлығы 20 термин бар") << QStringLiteral("Сұраныс бойынша 11 термин табылды")
        << QStringList();
    QTest::newRow("read-only file") << TMake([](const QString &p) {
            MakeDatabase(p, TermTableSql(20));
            QFile::setPermissions(p, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        }) << 20 << QStringLiteral("Базада барлығы 20 термин бар") << QStringLiteral("Сұраныс бойынша 11 термин табылды")
        << QStringList();
}

void tst_HostileFiles::hostileFile()
{
    using TMake = std::function<void(const QString &)>;
    QFETCH(TMake, make);
    QFETCH(int, rows);
    QFETCH(QString, panel0);
    QFETCH(QString, panel1);
    QFETCH(QStringList, boxes);

    TFormFixture fixture;
    make(fixture.Path());
    const QByteArray before = PathState(fixture.Path());

    QElapsedTimer timer;
    timer.start();
    const TOutcome outcome = Use(fixture);
    QVERIFY(timer.elapsed() < ScaledLimit(std::chrono::seconds(20)).count());

    QCOMPARE(outcome.boxes, boxes);
    QCOMPARE(outcome.rows, rows);
    QCOMPARE(outcome.panel0, panel0);
    QCOMPARE(outcome.panel1, panel1);
    QCOMPARE(PathState(fixture.Path()), before);
    // A WAL file (its header's write version 2) keeps its log and index, since
    // closing folds no log into the file; the window wrote nothing to the log.
    const QByteArray file = FileBytes(fixture.Path());
    if (file.startsWith("SQLite format 3") && file.size() > 18 && file[18] == 2) {
        QCOMPARE(SideFiles(fixture.directory.path()), (QStringList{QStringLiteral("termins.db-shm"), QStringLiteral("termins.db-wal")}));
        QCOMPARE(QFileInfo(fixture.Path() + QLatin1String("-wal")).size(), 0);
    } else {
        QCOMPARE(SideFiles(fixture.directory.path()), QStringList());
    }
}

void tst_HostileFiles::lockedByAnotherProcess()
{
    TFormFixture fixture;
    Dictionary(fixture.Path(), 30);
    const QByteArray before = FileBytes(fixture.Path());

    QProcess holder;
    holder.start(QStringLiteral(HOLDLOCK_PATH), {fixture.Path()});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

    QElapsedTimer timer;
    timer.start();
    const TOutcome outcome = Use(fixture);
    // No waiting for the lock: every step fails at once.
    QVERIFY(timer.elapsed() < ScaledLimit(std::chrono::seconds(3)).count());
    const QString locked = QStringLiteral("database is locked.");
    QCOMPARE(outcome.boxes, (QStringList{locked, locked, locked}));
    QCOMPARE(outcome.rows, 0);

    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(10000));
    QCOMPARE(FileBytes(fixture.Path()), before);
}

void tst_HostileFiles::badSearchInput_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("panel1");   // empty: the search failed
    QTest::addColumn<QStringList>("boxes");

    const QString tooComplex = QStringLiteral("LIKE or GLOB pattern too complex.");
    auto found = [](int n) { return QStringLiteral("Сұраныс бойынша %1 термин табылды").arg(n); };
    QTest::newRow("100000 characters, contains") << QString(100000, u'ж') << int(mkContains) << QString() << QStringList{tooComplex};
    QTest::newRow("100000 characters, equals") << QString(100000, u'ж') << int(mkEquals) << found(0) << QStringList();
    QTest::newRow("emoji") << QStringLiteral("😀") << int(mkContains) << found(1) << QStringList();
    QTest::newRow("pair outside the BMP, upper-cased") << QStringLiteral("\U00010428") << int(mkContains) << found(1) << QStringList();
    QTest::newRow("control characters") << QStringLiteral("\t\n\x01\x7f") << int(mkContains) << found(0) << QStringList();
    QTest::newRow("lone surrogate") << QString(QChar(0xD83D)) << int(mkContains) << found(0) << QStringList();
    QTest::newRow("only blanks") << QStringLiteral("   ") << int(mkContains) << found(0) << QStringList();
    QTest::newRow("only quotes") << QStringLiteral("'''") << int(mkContains) << found(0) << QStringList();
    QTest::newRow("percent alone") << QStringLiteral("%") << int(mkContains) << found(52) << QStringList();
    QTest::newRow("underscore alone, starts with") << QStringLiteral("_") << int(mkStartsWith) << found(52) << QStringList();
    QTest::newRow("percent alone, equals") << QStringLiteral("%") << int(mkEquals) << found(0) << QStringList();
}

void tst_HostileFiles::badSearchInput()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(QString, panel1);
    QFETCH(QStringList, boxes);

    TFormFixture fixture;
    MakeDatabase(fixture.Path(), TermTableSql(50)
        + QStringLiteral("insert into termin_items values (51, '😀 смайлик', 'күлкі', 'Тарих', '😀 СМАЙЛИК', 'КҮЛКІ');"
                         "insert into termin_items values (52, '𐐨 deseret', 'х', 'Тарих', '𐐀 DESERET', 'Х');"));
    {
        TForm1 &form = fixture.Open();
        form.Edit1->setText(text);
        QCOMPARE(form.Edit1->text(), text);
        form.RadioGroup1->SetItemIndex(kind);
        form.RadioGroup2->SetItemIndex(sfRussian);
        form.BitBtn1->click();
        QCOMPARE(form.StatusBar1->PanelText(1), panel1);
        if (panel1.isEmpty())
            QCOMPARE(form.DBGrid1->model()->rowCount(), 52);
    }
    fixture.Close();
    QCOMPARE(fixture.Boxes(), boxes);
}

void tst_HostileFiles::fileNeverWritten()
{
    TFormFixture fixture;
    Dictionary(fixture.Path(), 1500);
    const QByteArray before = FileBytes(fixture.Path());
    const QDateTime modified = QFileInfo(fixture.Path()).lastModified();
    QTest::qWait(20);

    {
        TForm1 &form = fixture.Open();
        form.show();
        form.Edit1->setText(QStringLiteral("рус1"));
        for (int kind = 0; kind < 3; ++kind) {
            for (int field = 0; field < 3; ++field) {
                for (int category : {0, 17}) {
                    form.RadioGroup1->SetItemIndex(kind);
                    form.RadioGroup2->SetItemIndex(field);
                    form.ComboBox1->setCurrentIndex(category);
                    form.BitBtn1->click();
                }
            }
        }
        form.BitBtn2->click();
        QCOMPARE(form.DBGrid1->model()->rowCount(), 1500);
        form.close();
    }
    fixture.Close();
    QCOMPARE(fixture.Boxes(), QStringList());
    QCOMPARE(FileBytes(fixture.Path()), before);
    QCOMPARE(QFileInfo(fixture.Path()).lastModified(), modified);
    QCOMPARE(SideFiles(fixture.directory.path()), QStringList());
}

void tst_HostileFiles::closingLeavesAnotherProgramsLog()
{
    TFormFixture fixture;
    Dictionary(fixture.Path(), 30);
    QByteArray before;
    {
        TForm1 &form = fixture.Open();
        form.show();
        {
            // Another program turns the file into a WAL file and adds a term
            // while the window is open; the window reads it from the log.
            TOtherConnection other(fixture.Path());
            QCOMPARE(other.Execute(QStringLiteral("pragma journal_mode = wal")), QString());
            QCOMPARE(other.Execute(QStringLiteral(
                         "insert into termin_items values (31, 'жаңа', 'жаңа', 'Химия', 'ЖАҢА', 'ЖАҢА')")),
                     QString());
            form.BitBtn2->click();
            QCOMPARE(form.DBGrid1->model()->rowCount(), 31);
        }
        // The other program is gone; its term is still only in its log.
        QVERIFY(QFileInfo(fixture.Path() + QLatin1String("-wal")).size() > 0);
        before = FileBytes(fixture.Path());
        form.close();
    }
    fixture.Close();
    QCOMPARE(fixture.Boxes(), QStringList());
    QCOMPARE(FileBytes(fixture.Path()), before);
    QVERIFY(QFileInfo(fixture.Path() + QLatin1String("-wal")).size() > 0);
    // The next reader finds the term in the log.
    QCOMPARE(TOtherConnection(fixture.Path()).Text(QStringLiteral("select rus from termin_items where id = 31")),
             QStringLiteral("жаңа"));
}

void tst_HostileFiles::failedFillHoldsNoLock()
{
    // Start-up finds no table, so the set stays closed; then another program
    // puts a dictionary in the file's place, and Show all runs its statement
    // before the closed set refuses the fill.
    TFormFixture fixture;
    QVERIFY(WriteFileBytes(fixture.Path(), QByteArray()));
    TForm1 &form = fixture.Open();
    form.show();
    MakeDatabase(fixture.Path(), TermTableSql(30));
    form.BitBtn2->click();
    QCOMPARE(fixture.Boxes(), (QStringList{QStringLiteral("no such table: termin_items."),
                                         QStringLiteral("ClientDataSet1: Cannot perform this operation on a closed dataset.")}));
    QCOMPARE(form.DBGrid1->model()->rowCount(), 0);

    // With the window still open and idle, another program writes at once.
    TOtherConnection other(fixture.Path());
    QCOMPARE(other.Execute(QStringLiteral("create table notes (note TEXT)")), QString());
    QCOMPARE(other.Text(QStringLiteral("select count(*) from sqlite_master where name = 'notes'")), QStringLiteral("1"));
}

QTEST_MAIN(tst_HostileFiles)
#include "tst_hostilefiles.moc"
