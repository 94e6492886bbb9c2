// Putting a built dictionary in place: the previous one kept beside it as a
// backup, byte for byte; a failure leaves the dictionary as it was; the
// dictionary of this Lexaran is the file a link beside the executable points
// to; the copying run takes nothing but its own form of command line.

#include "DictionaryPlace.h"
#include "ExecutableDirectory.h"
#include "RaisedRights.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using lexaran::builder::BackupPath;
using lexaran::builder::BackupStamp;
using lexaran::builder::CanWriteIn;
using lexaran::builder::IsBackupStamp;
using lexaran::builder::LexaranDictionary;
using lexaran::builder::PutInPlace;
using lexaran::builder::PutInPlaceCommand;

namespace {

void Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

class TestDictionaryPlace : public QObject
{
    Q_OBJECT

private slots:
    void backupNames()
    {
        const QDateTime when(QDate(2026, 12, 11), QTime(15, 47, 3));
        QCOMPARE(BackupStamp(when), QString("20261211-154703"));
        QCOMPARE(BackupPath("/d/termins.db", BackupStamp(when)), QString("/d/termins.db.20261211-154703.bak"));
        QVERIFY(IsBackupStamp(BackupStamp(when)));
        for (const char *bad : {"", "../../etc/x", "20261211-15470", "20261211-154703/..", "20261211-154703\n"})
            QVERIFY2(!IsBackupStamp(QString::fromUtf8(bad)), bad);
    }

    void replacesAndKeepsBackup()
    {
        QTemporaryDir dir;
        const QString dictionary = dir.filePath("termins.db");
        const QString built = dir.filePath("built.db");
        const QByteArray old("the previous dictionary\0with a zero", 35);
        Write(dictionary, old);
        Write(built, QByteArray(200000, 'n'));
        const QString backup = PutInPlace(built, dictionary, "20261211-154703");
        QCOMPARE(backup, dictionary + ".20261211-154703.bak");
        QCOMPARE(Read(dictionary), QByteArray(200000, 'n'));
        QCOMPARE(Read(backup), old);
        // Nothing else is left in the folder: no scratch file of the copy.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    void firstDictionaryHasNoBackup()
    {
        QTemporaryDir dir;
        const QString built = dir.filePath("built.db");
        Write(built, "new");
        QCOMPARE(PutInPlace(built, dir.filePath("termins.db"), "20261211-154703"), QString());
        QCOMPARE(Read(dir.filePath("termins.db")), QByteArray("new"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void failureLeavesDictionary_data()
    {
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("target");
        QTest::newRow("the built file is gone") << "missing.db" << "termins.db";
        QTest::newRow("the target's folder is gone") << "built.db" << "no-such-folder/termins.db";
    }
    void failureLeavesDictionary()
    {
        QFETCH(QString, built);
        QFETCH(QString, target);
        QTemporaryDir dir;
        Write(dir.filePath("built.db"), "new");
        Write(dir.filePath("termins.db"), "old");
        try {
            PutInPlace(dir.filePath(built), dir.filePath(target), "20261211-154703");
            QFAIL("no error");
        } catch (const std::runtime_error &error) {
            QVERIFY2(QString::fromUtf8(error.what()).contains(QDir::toNativeSeparators(dir.path())), error.what());
        }
        QCOMPARE(Read(dir.filePath("termins.db")), QByteArray("old"));
    }

    void writableFolder()
    {
        QTemporaryDir dir;
        QVERIFY(CanWriteIn(dir.path()));
        QVERIFY(!CanWriteIn(dir.filePath("no-such-folder")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    }

#ifndef Q_OS_WIN
    // The package keeps the dictionary elsewhere and links to it from
    // beside the program: it is the link's file that is replaced.
    void dictionaryThroughLink()
    {
        const QString beside = lexaran::platform::ExecutableDirectory() + "termins.db";
        if (QFileInfo::exists(beside) || QFileInfo(beside).isSymLink())
            QSKIP("a termins.db already stands beside the test program");
        QTemporaryDir dir;
        const QString real = QDir(dir.path()).canonicalPath() + "/termins.db";
        QVERIFY(QFile::link(real, beside));
        const QString dangling = LexaranDictionary();
        Write(real, "x");
        const QString present = LexaranDictionary();
        QFile::remove(beside);
        QCOMPARE(dangling, real);
        QCOMPARE(present, real);
    }
#endif

    void copyingRunTakesOnlyItsForm_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no file") << QStringList{"--put-in-place"};
        QTest::newRow("a path for the stamp") << QStringList{"--put-in-place", "x.db", "../../x"};
        QTest::newRow("one argument too many") << QStringList{"--put-in-place", "x.db", "20261211-154703", "y"};
        QTest::newRow("another option") << QStringList{"--other", "x.db", "20261211-154703"};
    }
    void copyingRunTakesOnlyItsForm()
    {
        QFETCH(QStringList, arguments);
        QCOMPARE(PutInPlaceCommand(arguments), 2);
    }
};

QTEST_GUILESS_MAIN(TestDictionaryPlace)
#include "tst_dictionaryplace.moc"
