#include "FixtureDb.h"
#include "Categories.h"
#include "TermFile.h"
#include "TextCase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <cstdint>
#include <limits>
#include <optional>

using lexaran::search::kCategories;
using lexaran::text::UpperCaseSimple;

using namespace lexaran::tools;

namespace {

// Three lines (two terms, then a blank line): a malformed line after them is line 4.
const QByteArray kGoodStart = QByteArrayLiteral("право\tқұқық\tЗаңтану\r\n"
                                                "закон\tзаң\tЗаңтану\n"
                                                "\n");

const QString kKazakhLetters = QStringLiteral("әғқңөұүһіӘҒҚҢӨҰҮҺІ");

// Every name in the directory, hidden ones included.
QStringList DirectoryEntries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// "rus<TAB>kaz<TAB>cat" per entry.
QStringList Flattened(const std::vector<TTermEntry> &entries)
{
    QStringList rows;
    for (const TTermEntry &entry : entries)
        rows << entry.Rus + u'\t' + entry.Kaz + u'\t' + entry.Cat;
    return rows;
}

std::vector<TTermEntry> Entries(const QStringList &rows)
{
    std::vector<TTermEntry> entries;
    for (const QString &row : rows) {
        const QStringList fields = row.split(u'\t');
        entries.push_back({fields.value(0), fields.value(1), fields.value(2)});
    }
    return entries;
}

QSet<QString> SubjectCategories()
{
    QSet<QString> subjects;
    for (const char16_t *category : kCategories.subspan(1))
        subjects.insert(QString::fromUtf16(category));
    return subjects;
}

struct TQueryResult
{
    QList<QStringList> rows;  // every value as text, NULL as a null string
    QString error;            // empty on success
};

// Runs one statement on the file through the engine's own C interface.
TQueryResult Query(const QString &path, const char *sql)
{
    TQueryResult result;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        result.error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close_v2(db);
        return result;
    }
    sqlite3_stmt *stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        rc = sqlite3_step(stmt);
        if (rc != SQLITE_ROW)
            break;
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            const void *text = sqlite3_column_text16(stmt, i);
            row << (text ? QString::fromUtf16(static_cast<const char16_t *>(text), sqlite3_column_bytes16(stmt, i) / 2)
                         : QString());
        }
        result.rows << row;
    }
    if (rc != SQLITE_DONE)
        result.error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    return result;
}

// The stored terms in id order, each as "rus<TAB>kaz<TAB>cat<TAB>rus_upper<TAB>kaz_upper".
QStringList StoredRows(const QString &path, QString *error)
{
    const TQueryResult result = Query(path, "select rus, kaz, cat, rus_upper, kaz_upper from termin_items order by id");
    *error = result.error;
    QStringList rows;
    for (const QStringList &row : result.rows)
        rows << row.join(u'\t');
    return rows;
}

// What the stored rows should be: each entry with the search's own capitals.
QStringList ExpectedRows(const QStringList &entries)
{
    QStringList rows;
    for (const TTermEntry &entry : Entries(entries))
        rows << QStringList{entry.Rus, entry.Kaz, entry.Cat, UpperCaseSimple(entry.Rus), UpperCaseSimple(entry.Kaz)}.join(u'\t');
    return rows;
}

QString Encoding(const QString &path)
{
    const TQueryResult result = Query(path, "pragma encoding");
    return result.rows.size() == 1 && result.rows[0].size() == 1 ? result.rows[0][0] : result.error;
}

// Writes the database; the error message, or an empty string on success.
QString TryWrite(const QString &path, const QStringList &entries, std::optional<TTextEncoding> encoding = std::nullopt)
{
    try {
        if (encoding)
            WriteTermDatabase(path, Entries(entries), *encoding);
        else
            WriteTermDatabase(path, Entries(entries));
    } catch (const TTermFileError &error) {
        return QString::fromStdString(error.what()) + QLatin1String(" (TTermFileError)");
    } catch (const std::exception &error) {
        return QString::fromStdString(error.what()) + QLatin1String(" (not a TTermFileError)");
    }
    return QString();
}

struct TRun
{
    bool finished = false;
    QProcess::ExitStatus status = QProcess::CrashExit;
    int code = -1;
    QString errors;
};

TRun RunTool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(MKTERMDB_PATH), arguments);
    TRun run;
    run.finished = process.waitForFinished(60000);
    run.status = process.exitStatus();
    run.code = process.exitCode();
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

bool IsRussianLetter(QChar c)
{
    return (c >= u'а' && c <= u'я') || (c >= u'А' && c <= u'Я') || c == u'ё' || c == u'Ё';
}

bool IsKazakhLetter(QChar c)
{
    return IsRussianLetter(c) || kKazakhLetters.contains(c);
}

// Words of the given letters, one blank between words, none at the ends.
template <typename IsLetter>
bool IsWords(const QString &text, IsLetter isLetter)
{
    if (text.isEmpty() || text.startsWith(u' ') || text.endsWith(u' ') || text.contains(QLatin1String("  ")))
        return false;
    for (QChar c : text) {
        if (c != u' ' && !isLetter(c))
            return false;
    }
    return true;
}

} // namespace

class tst_TermFile : public QObject
{
    Q_OBJECT

private slots:
    void readRejectsMalformed_data();
    void readRejectsMalformed();
    void readRejectsUnreadable_data();
    void readRejectsUnreadable();
    void readGoodInput_data();
    void readGoodInput();

    void writeSchema();
    void writeRows_data();
    void writeRows();
    void writeEncoding_data();
    void writeEncoding();
    void writeReplacesExisting_data();
    void writeReplacesExisting();
    void writeFailureLeavesNothing_data();
    void writeFailureLeavesNothing();
    void writeReadableByOthers_data();
    void writeReadableByOthers();

    void toolRejectsMalformedTsv_data();
    void toolRejectsMalformedTsv();
    void toolBadCommandLine_data();
    void toolBadCommandLine();
    void toolWritesDatabase_data();
    void toolWritesDatabase();

    void syntheticRepeatable_data();
    void syntheticRepeatable();
    void syntheticCount_data();
    void syntheticCount();
    void syntheticCategories_data();
    void syntheticCategories();
    void syntheticText_data();
    void syntheticText();

    void sampleDictionary();
};

void tst_TermFile::readRejectsMalformed_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");

    const QByteArray after = QByteArrayLiteral("\nсело\tауыл\tТарих\n");
    QTest::newRow("two fields only") << kGoodStart + "город\tқала" + after << 4;
    QTest::newRow("four fields") << kGoodStart + "город\tқала\tТарих\tлишнее" + after << 4;
    QTest::newRow("one field, no tab") << kGoodStart + "город" + after << 4;
    QTest::newRow("empty first field") << kGoodStart + "\tқала\tТарих" + after << 4;
    QTest::newRow("empty middle field") << kGoodStart + "город\t\tТарих" + after << 4;
    QTest::newRow("empty last field") << kGoodStart + "город\tқала\t" + after << 4;
    QTest::newRow("field of blanks") << kGoodStart + "город\t   \tТарих" + after << 4;
    QTest::newRow("last field only a second carriage return") << kGoodStart + "город\tқала\t\r\r" + after << 4;
    QTest::newRow("invalid UTF-8 byte") << kGoodStart + "город\tқа\xffла\tТарих" + after << 4;
    QTest::newRow("truncated UTF-8 sequence") << kGoodStart + "город\tқала\tТари\xd1" + after << 4;
    QTest::newRow("overlong UTF-8 encoding") << kGoodStart + "город\t\xc0\xafқала\tТарих" + after << 4;
    QTest::newRow("UTF-8 encoded surrogate") << kGoodStart + "город\tқала\xed\xa0\x80\tТарих" + after << 4;
    QTest::newRow("bad last line without a newline") << kGoodStart + "город\tқала" << 4;
    QTest::newRow("bad first line") << QByteArrayLiteral("город\tқала\n") + kGoodStart << 1;
    QTest::newRow("lines of blanks and CR-only lines counted")
        << QByteArrayLiteral("город\tқала\tТарих\n   \n\r\n\n") + "село\tауыл" + after << 5;
}

void tst_TermFile::readRejectsMalformed()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("термины.tsv"));
    QVERIFY(WriteFileBytes(path, content));
    try {
        const std::vector<TTermEntry> entries = ReadTermsTsv(path);
        QFAIL(qPrintable(QStringLiteral("accepted, %1 entries").arg(entries.size())));
    } catch (const TTermFileError &error) {
        const QString message = QString::fromStdString(error.what());
        const QString place = QStringLiteral("%1:%2:").arg(path).arg(line);
        QVERIFY2(message.startsWith(place), qPrintable(message));
    }
}

void tst_TermFile::readRejectsUnreadable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isDirectory");

    QTest::newRow("missing file") << QStringLiteral("жоқ.tsv") << false;
    QTest::newRow("a directory") << QStringLiteral("каталог.tsv") << true;
}

void tst_TermFile::readRejectsUnreadable()
{
    QFETCH(QString, name);
    QFETCH(bool, isDirectory);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(name);
    if (isDirectory)
        QVERIFY(QDir(dir.path()).mkdir(name));
    try {
        ReadTermsTsv(path);
        QFAIL("read without error");
    } catch (const TTermFileError &error) {
        const QString message = QString::fromStdString(error.what());
        QVERIFY2(message.startsWith(path), qPrintable(message));
    }
}

void tst_TermFile::readGoodInput_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("entries");

    const QStringList two{QStringLiteral("город\tқала\tТарих"), QStringLiteral("село\tауыл\tТарих")};
    QTest::newRow("LF endings") << QByteArrayLiteral("город\tқала\tТарих\nсело\tауыл\tТарих\n") << two;
    QTest::newRow("CRLF endings") << QByteArrayLiteral("город\tқала\tТарих\r\nсело\tауыл\tТарих\r\n") << two;
    QTest::newRow("no newline at the end") << QByteArrayLiteral("город\tқала\tТарих\r\nсело\tауыл\tТарих") << two;
    QTest::newRow("carriage return at the very end") << QByteArrayLiteral("город\tқала\tТарих\nсело\tауыл\tТарих\r") << two;
    QTest::newRow("blank lines skipped")
        << QByteArrayLiteral("\n\r\nгород\tқала\tТарих\n   \n\n \r\nсело\tауыл\tТарих\n\n\n") << two;
    QTest::newRow("Kazakh letters and an apostrophe")
        << QByteArrayLiteral("д'артаньян\tД'Артаньян\tӘдебиет және лингвистика\r\n"
                             "алфавит\tәғқңөұүһі ӘҒҚҢӨҰҮҺІ\tПән сөздері\r\n")
        << QStringList{QStringLiteral("д'артаньян\tД'Артаньян\tӘдебиет және лингвистика"),
                       QStringLiteral("алфавит\tәғқңөұүһі ӘҒҚҢӨҰҮҺІ\tПән сөздері")};
    QTest::newRow("blanks inside fields kept")
        << QByteArrayLiteral("водный транспорт\tсу көлігі\tКөлік және қатынас жолдары\n")
        << QStringList{QStringLiteral("водный транспорт\tсу көлігі\tКөлік және қатынас жолдары")};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("only blank lines") << QByteArrayLiteral("\n\r\n  \n") << QStringList();
}

void tst_TermFile::readGoodInput()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, entries);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("terms.tsv"));
    QVERIFY(WriteFileBytes(path, content));
    try {
        QCOMPARE(Flattened(ReadTermsTsv(path)), entries);
    } catch (const TTermFileError &error) {
        QFAIL(error.what());
    }
}

void tst_TermFile::writeSchema()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("termins.db"));
    const QString written = TryWrite(path, {QStringLiteral("город\tқала\tТарих")});
    QVERIFY2(written.isEmpty(), qPrintable(written));

    // cid, name, type, notnull, dflt_value, pk
    const TQueryResult columns = Query(path, "pragma table_info(termin_items)");
    QVERIFY2(columns.error.isEmpty(), qPrintable(columns.error));
    QStringList names, types, keys;
    for (const QStringList &column : columns.rows) {
        names << column.value(1);
        types << column.value(2);
        keys << column.value(5);
    }
    QCOMPARE(names, (QStringList{"id", "rus", "kaz", "cat", "rus_upper", "kaz_upper"}));
    QCOMPARE(types, (QStringList{"INTEGER", "VARCHAR(255)", "VARCHAR(255)", "VARCHAR(255)", "VARCHAR(255)", "VARCHAR(255)"}));
    QCOMPARE(keys, (QStringList{"1", "0", "0", "0", "0", "0"}));
}

void tst_TermFile::writeRows_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("capitals");  // "RUS<TAB>KAZ" per entry

    QTest::newRow("Russian and Kazakh words")
        << QStringList{QStringLiteral("город\tқала\tТарих"),
                       QStringLiteral("водный транспорт\tсу көлігі\tКөлік және қатынас жолдары")}
        << QStringList{QStringLiteral("ГОРОД\tҚАЛА"), QStringLiteral("ВОДНЫЙ ТРАНСПОРТ\tСУ КӨЛІГІ")};
    QTest::newRow("every Kazakh-specific letter")
        << QStringList{QStringLiteral("алфавит\tәғқңөұүһі\tПән сөздері")}
        << QStringList{QStringLiteral("АЛФАВИТ\tӘҒҚҢӨҰҮҺІ")};
    QTest::newRow("sharp s and a ligature keep their form")
        << QStringList{QStringLiteral("straße\tкөше straße\tТарих"), QStringLiteral("ﬁlm\tﬁlm фильм\tМәдениет және өнер")}
        << QStringList{QStringLiteral("STRAßE\tКӨШЕ STRAßE"), QStringLiteral("ﬁLM\tﬁLM ФИЛЬМ")};
    QTest::newRow("apostrophe, digits and capitals")
        << QStringList{QStringLiteral("д'артаньян 2019\tЁлка ШЫРША\t2019")}
        << QStringList{QStringLiteral("Д'АРТАНЬЯН 2019\tЁЛКА ШЫРША")};
    QTest::newRow("letter outside the basic plane")
        << QStringList{QString::fromUtf16(u"\U00010428x\tқ\U00010428\tТарих")}
        << QStringList{QString::fromUtf16(u"\U00010400X\tҚ\U00010400")};
    QTest::newRow("no entries") << QStringList() << QStringList();
}

void tst_TermFile::writeRows()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, capitals);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("termins.db"));
    const QString written = TryWrite(path, entries);
    QVERIFY2(written.isEmpty(), qPrintable(written));

    QString error;
    const QStringList rows = StoredRows(path, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(rows, ExpectedRows(entries));
    for (qsizetype i = 0; i < rows.size(); ++i)
        QCOMPARE(rows[i].section(u'\t', 3), capitals[i]);
    QCOMPARE(DirectoryEntries(dir.path()), QStringList{QStringLiteral("termins.db")});
}

void tst_TermFile::writeEncoding_data()
{
    QTest::addColumn<QString>("asked");  // empty: the default
    QTest::addColumn<QString>("encoding");

    QTest::newRow("UTF-8 by default") << QString() << QStringLiteral("UTF-8");
    QTest::newRow("UTF-8 when asked") << QStringLiteral("utf8") << QStringLiteral("UTF-8");
    QTest::newRow("UTF-16 when asked") << QStringLiteral("utf16") << QStringLiteral("UTF-16le");
}

void tst_TermFile::writeEncoding()
{
    QFETCH(QString, asked);
    QFETCH(QString, encoding);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("termins.db"));
    const QStringList entries{QStringLiteral("город\tҚазақстан қаласы\tЗаңтану"), QStringLiteral("straße\tкөше\tТарих")};
    std::optional<TTextEncoding> askedEncoding;
    if (!asked.isEmpty())
        askedEncoding = asked == QLatin1String("utf16") ? TTextEncoding::Utf16 : TTextEncoding::Utf8;
    const QString written = TryWrite(path, entries, askedEncoding);
    QVERIFY2(written.isEmpty(), qPrintable(written));

    QCOMPARE(Encoding(path), encoding);
    QString error;
    QCOMPARE(StoredRows(path, &error), ExpectedRows(entries));
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void tst_TermFile::writeReplacesExisting_data()
{
    QTest::addColumn<QByteArray>("oldBytes");  // empty: an older dictionary made by the engine
    QTest::addColumn<QString>("folder");       // made inside the test directory; empty: none

    QTest::newRow("file that is no database") << QByteArrayLiteral("not a database at all\n") << QString();
    QTest::newRow("older dictionary with the same table") << QByteArray() << QString();
    QTest::newRow("older dictionary in a folder with a Kazakh name") << QByteArray() << QStringLiteral("сөздік қоры");
}

void tst_TermFile::writeReplacesExisting()
{
    QFETCH(QByteArray, oldBytes);
    QFETCH(QString, folder);

    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    if (!folder.isEmpty())
        QVERIFY(QDir(temporary.path()).mkdir(folder));
    const QDir dir(temporary.filePath(folder));
    const QString path = dir.filePath(QStringLiteral("termins.db"));
    if (oldBytes.isEmpty()) {
        MakeDatabase(path, QStringLiteral(
            "create table termin_items (id INTEGER PRIMARY KEY, rus VARCHAR(255), kaz VARCHAR(255), cat VARCHAR(255),"
            " rus_upper VARCHAR(255), kaz_upper VARCHAR(255));"
            "insert into termin_items values (1, 'старое', 'ескі', 'Тарих', 'СТАРОЕ', 'ЕСКІ');"
            "insert into termin_items values (7, 'прежнее', 'бұрынғы', 'Тарих', 'ПРЕЖНЕЕ', 'БҰРЫНҒЫ');"));
    } else {
        QVERIFY(WriteFileBytes(path, oldBytes));
    }

    const QStringList entries{QStringLiteral("город\tқала\tТарих"), QStringLiteral("село\tауыл\tТарих")};
    const QString written = TryWrite(path, entries);
    QVERIFY2(written.isEmpty(), qPrintable(written));
    QString error;
    QCOMPARE(StoredRows(path, &error), ExpectedRows(entries));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(DirectoryEntries(dir.path()), QStringList{QStringLiteral("termins.db")});
}

void tst_TermFile::writeFailureLeavesNothing_data()
{
    QTest::addColumn<QString>("target");  // relative to the test directory
    QTest::addColumn<bool>("targetIsDirectory");

    QTest::newRow("target is a directory holding a file") << QStringLiteral("termins.db") << true;
    QTest::newRow("directory does not exist") << QStringLiteral("missing/termins.db") << false;
}

void tst_TermFile::writeFailureLeavesNothing()
{
    QFETCH(QString, target);
    QFETCH(bool, targetIsDirectory);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(target);
    const QByteArray inside = QByteArrayLiteral("a user's own file\n");
    if (targetIsDirectory) {
        QVERIFY(QDir(dir.path()).mkdir(target));
        QVERIFY(WriteFileBytes(path + QLatin1String("/inside.txt"), inside));
    }
    const QStringList before = DirectoryEntries(dir.path());

    const QString written = TryWrite(path, {QStringLiteral("город\tқала\tТарих")});
    QVERIFY2(written.endsWith(QLatin1String(" (TTermFileError)")), qPrintable(written));
    QCOMPARE(DirectoryEntries(dir.path()), before);
    if (targetIsDirectory) {
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(DirectoryEntries(path), QStringList{QStringLiteral("inside.txt")});
        QCOMPARE(FileBytes(path + QLatin1String("/inside.txt")), inside);
    }
}

void tst_TermFile::writeReadableByOthers_data()
{
    QTest::addColumn<bool>("replacePrivateFile");

    QTest::newRow("new file") << false;
    QTest::newRow("replacing a file only its owner may read") << true;
}

void tst_TermFile::writeReadableByOthers()
{
    QFETCH(bool, replacePrivateFile);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("termins.db"));
    if (replacePrivateFile) {
        QVERIFY(WriteFileBytes(path, QByteArrayLiteral("old")));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    }
    const QString written = TryWrite(path, {QStringLiteral("город\tқала\tТарих")});
    QVERIFY2(written.isEmpty(), qPrintable(written));

    const QFile::Permissions permissions = QFileInfo(path).permissions();
    QVERIFY(permissions.testFlag(QFile::ReadOwner));
    QVERIFY(permissions.testFlag(QFile::WriteOwner));
    QVERIFY(permissions.testFlag(QFile::ReadOther));
}

void tst_TermFile::toolRejectsMalformedTsv_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("existingOutput");

    QTest::newRow("two fields, no output file yet") << kGoodStart + "город\tқала\nсело\tауыл\tТарих\n" << 4 << false;
    QTest::newRow("invalid UTF-8, existing output kept") << kGoodStart + "город\t\xff\tТарих\n" << 4 << true;
    QTest::newRow("empty field on the last line, existing output kept")
        << kGoodStart + "город\tқала\tТарих\nсело\t\tТарих" << 5 << true;
}

void tst_TermFile::toolRejectsMalformedTsv()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);
    QFETCH(bool, existingOutput);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString tsv = dir.filePath(QStringLiteral("terms.tsv"));
    QVERIFY(WriteFileBytes(tsv, content));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("out")));
    const QString outDir = dir.filePath(QStringLiteral("out"));
    const QString out = outDir + QLatin1String("/termins.db");
    const QByteArray oldBytes = QByteArray("an earlier dictionary\0\x01\x02", 24);
    if (existingOutput)
        QVERIFY(WriteFileBytes(out, oldBytes));
    const QStringList before = DirectoryEntries(outDir);

    const TRun run = RunTool({QStringLiteral("--tsv"), tsv, QStringLiteral("--out"), out});
    QVERIFY(run.finished);
    QCOMPARE(run.status, QProcess::NormalExit);
    QVERIFY2(run.code != 0, qPrintable(run.errors));
    QVERIFY2(run.errors.contains(QStringLiteral("%1:%2:").arg(tsv).arg(line)), qPrintable(run.errors));
    QCOMPARE(DirectoryEntries(outDir), before);
    if (existingOutput)
        QCOMPARE(FileBytes(out), oldBytes);
    else
        QVERIFY(!QFileInfo::exists(out));
}

void tst_TermFile::toolBadCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");  // "TSV" and "OUT" stand for the paths

    QTest::newRow("no --out") << QStringList{"--tsv", "TSV"};
    QTest::newRow("--out without a value") << QStringList{"--tsv", "TSV", "--out"};
    QTest::newRow("neither --tsv nor --synthetic") << QStringList{"--out", "OUT"};
    QTest::newRow("both --tsv and --synthetic") << QStringList{"--tsv", "TSV", "--synthetic", "10", "--out", "OUT"};
    QTest::newRow("count that is no number") << QStringList{"--synthetic", "ten", "--out", "OUT"};
    QTest::newRow("negative count") << QStringList{"--synthetic", "-5", "--out", "OUT"};
    QTest::newRow("seed that is no number") << QStringList{"--synthetic", "10", "--seed", "x", "--out", "OUT"};
    QTest::newRow("unknown option") << QStringList{"--tsv", "TSV", "--out", "OUT", "--force"};
}

void tst_TermFile::toolBadCommandLine()
{
    QFETCH(QStringList, arguments);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString tsv = dir.filePath(QStringLiteral("terms.tsv"));
    QVERIFY(WriteFileBytes(tsv, QByteArrayLiteral("город\tқала\tТарих\n")));
    const QString out = dir.filePath(QStringLiteral("termins.db"));
    for (QString &argument : arguments) {
        if (argument == QLatin1String("TSV"))
            argument = tsv;
        else if (argument == QLatin1String("OUT"))
            argument = out;
    }

    const TRun run = RunTool(arguments);
    QVERIFY(run.finished);
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.code, 2);
    QVERIFY2(run.errors.contains(QLatin1String("usage")), qPrintable(run.errors));
    QCOMPARE(DirectoryEntries(dir.path()), QStringList{QStringLiteral("terms.tsv")});
}

void tst_TermFile::toolWritesDatabase_data()
{
    QTest::addColumn<QStringList>("arguments");  // "TSV" and "OUT" stand for the paths
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("encoding");

    const QStringList fromTsv{QStringLiteral("город\tқала\tТарих"), QStringLiteral("straße\tкөше\tТарих")};
    QTest::newRow("from a TSV file") << QStringList{"--tsv", "TSV", "--out", "OUT"} << fromTsv << QStringLiteral("UTF-8");
    QTest::newRow("from a TSV file in UTF-16, options reordered")
        << QStringList{"--utf16", "--out", "OUT", "--tsv", "TSV"} << fromTsv << QStringLiteral("UTF-16le");
    QTest::newRow("synthetic terms with a seed")
        << QStringList{"--synthetic", "75", "--seed", "12345", "--out", "OUT"}
        << Flattened(SyntheticTerms(75, 12345)) << QStringLiteral("UTF-8");
    QTest::newRow("synthetic terms with a large seed in UTF-16")
        << QStringList{"--out", "OUT", "--seed", "18446744073709551615", "--synthetic", "3", "--utf16"}
        << Flattened(SyntheticTerms(3, std::numeric_limits<std::uint64_t>::max())) << QStringLiteral("UTF-16le");
    QTest::newRow("no synthetic terms") << QStringList{"--synthetic", "0", "--out", "OUT"} << QStringList()
                                        << QStringLiteral("UTF-8");
}

void tst_TermFile::toolWritesDatabase()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, entries);
    QFETCH(QString, encoding);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString tsv = dir.filePath(QStringLiteral("terms.tsv"));
    QVERIFY(WriteFileBytes(tsv, QByteArrayLiteral("город\tқала\tТарих\r\n\r\nstraße\tкөше\tТарих\r\n")));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("out")));
    const QString out = dir.filePath(QStringLiteral("out/termins.db"));
    for (QString &argument : arguments) {
        if (argument == QLatin1String("TSV"))
            argument = tsv;
        else if (argument == QLatin1String("OUT"))
            argument = out;
    }

    const TRun run = RunTool(arguments);
    QVERIFY(run.finished);
    QCOMPARE(run.status, QProcess::NormalExit);
    QVERIFY2(run.code == 0, qPrintable(run.errors));
    QString error;
    QCOMPARE(StoredRows(out, &error), ExpectedRows(entries));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(Encoding(out), encoding);
    QCOMPARE(DirectoryEntries(dir.filePath(QStringLiteral("out"))), QStringList{QStringLiteral("termins.db")});
}

void tst_TermFile::syntheticRepeatable_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<quint64>("seed");

    QTest::newRow("seed 0") << 200 << quint64(0);
    QTest::newRow("seed 1") << 200 << quint64(1);
    QTest::newRow("the tool's usual seed") << 500 << quint64(20261209);
    QTest::newRow("largest seed") << 200 << std::numeric_limits<quint64>::max();
    QTest::newRow("a single term") << 1 << quint64(42);
}

void tst_TermFile::syntheticRepeatable()
{
    QFETCH(int, count);
    QFETCH(quint64, seed);

    const QStringList terms = Flattened(SyntheticTerms(count, seed));
    QCOMPARE(Flattened(SyntheticTerms(count, seed)), terms);
    QVERIFY(Flattened(SyntheticTerms(count, seed + 1)) != terms);
    QVERIFY(Flattened(SyntheticTerms(count, seed ^ 0x8000000000000000ULL)) != terms);
    // A longer list from the same seed is different terms, not a different start.
    QCOMPARE(Flattened(SyntheticTerms(count + 10, seed)).mid(0, count), terms);
}

void tst_TermFile::syntheticCount_data()
{
    QTest::addColumn<int>("count");

    QTest::newRow("none") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("one fewer than the categories") << 58;
    QTest::newRow("as many as the categories") << 59;
    QTest::newRow("thousands") << 5000;
}

void tst_TermFile::syntheticCount()
{
    QFETCH(int, count);
    QCOMPARE(int(SyntheticTerms(count, 7).size()), count);
}

void tst_TermFile::syntheticCategories_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<quint64>("seed");

    QTest::newRow("exactly one per category") << 59 << quint64(3);
    QTest::newRow("one more than the categories") << 60 << quint64(4);
    QTest::newRow("several hundred") << 700 << quint64(5);
}

void tst_TermFile::syntheticCategories()
{
    QFETCH(int, count);
    QFETCH(quint64, seed);

    const QSet<QString> subjects = SubjectCategories();
    QCOMPARE(subjects.size(), 59);
    QSet<QString> seen;
    for (const TTermEntry &entry : SyntheticTerms(count, seed)) {
        QVERIFY2(subjects.contains(entry.Cat), qPrintable(entry.Cat));
        seen.insert(entry.Cat);
    }
    QCOMPARE(seen, subjects);
}

void tst_TermFile::syntheticText_data()
{
    QTest::addColumn<quint64>("seed");

    QTest::newRow("seed 0") << quint64(0);
    QTest::newRow("seed 99") << quint64(99);
    QTest::newRow("the tool's usual seed") << quint64(20261209);
}

void tst_TermFile::syntheticText()
{
    QFETCH(quint64, seed);

    bool kazakhLetterSeen = false;
    for (const TTermEntry &entry : SyntheticTerms(1000, seed)) {
        QVERIFY2(IsWords(entry.Rus, IsRussianLetter), qPrintable(entry.Rus));
        QVERIFY2(IsWords(entry.Kaz, IsKazakhLetter), qPrintable(entry.Kaz));
        QVERIFY2(entry.Rus.size() <= 255 && entry.Kaz.size() <= 255, qPrintable(entry.Rus + u' ' + entry.Kaz));
        for (QChar c : entry.Kaz)
            kazakhLetterSeen = kazakhLetterSeen || kKazakhLetters.contains(c);
    }
    QVERIFY(kazakhLetterSeen);
}

void tst_TermFile::sampleDictionary()
{
    std::vector<TTermEntry> entries;
    try {
        entries = ReadTermsTsv(QStringLiteral(SAMPLE_TSV));
    } catch (const TTermFileError &error) {
        QFAIL(error.what());
    }
    QVERIFY2(entries.size() >= 300, qPrintable(QString::number(entries.size())));

    const QSet<QString> subjects = SubjectCategories();
    QSet<QString> seen;
    bool cityFound = false;
    for (const TTermEntry &entry : entries) {
        QVERIFY2(subjects.contains(entry.Cat), qPrintable(entry.Cat));
        seen.insert(entry.Cat);
        // Russian never holds the Kazakh-specific letters: the columns are not swapped.
        for (QChar c : entry.Rus)
            QVERIFY2(!kKazakhLetters.contains(c), qPrintable(entry.Rus));
        cityFound = cityFound || entry.Kaz.contains(QStringLiteral("қала"));
    }
    QVERIFY2(seen.size() >= 20, qPrintable(QString::number(seen.size())));
    QVERIFY(cityFound);
}

QTEST_GUILESS_MAIN(tst_TermFile)
#include "tst_termfile.moc"
