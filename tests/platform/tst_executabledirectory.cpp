#include "ExecutableDirectory.h"
#include "FileName.h"
#include "FixtureDb.h"
#include "RawNames.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <stdexcept>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace lexaran::platform;

extern char **environ;

namespace {

// The target of a symbolic link as bytes; empty when it cannot be read.
QByteArray LinkTarget(const QByteArray &link)
{
    QByteArray target(4096, Qt::Uninitialized);
    const ssize_t length = readlink(link.constData(), target.data(), std::size_t(target.size()));
    return length < 0 ? QByteArray() : target.first(length);
}

QByteArray RawFileBytes(const QByteArray &path)
{
    QByteArray bytes;
    const int fd = open(path.constData(), O_RDONLY);
    if (fd < 0)
        return bytes;
    char buffer[65536];
    ssize_t length;
    while ((length = read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, length);
    close(fd);
    return bytes;
}

bool CopyExecutable(const QString &from, const QByteArray &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    const int fd = open(to.constData(), O_WRONLY | O_CREAT | O_EXCL, 0755);
    if (fd < 0)
        return false;
    const bool written = write(fd, bytes.constData(), std::size_t(bytes.size())) == bytes.size();
    return close(fd) == 0 && written;
}

// A running program, killed when the guard goes.
class TChild
{
public:
    TChild(const QByteArray &program, const QByteArray &workingDirectory)
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.constData());
        char *argv[] = {const_cast<char *>(program.constData()), nullptr};
        if (posix_spawn(&pid_, program.constData(), &actions, nullptr, argv, environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~TChild()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    TChild(const TChild &) = delete;
    TChild &operator=(const TChild &) = delete;

    pid_t Pid() const { return pid_; }
    bool Running() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }

    // The files the program holds open, by their bytes.
    QList<QByteArray> OpenFiles() const
    {
        QList<QByteArray> files;
        const QByteArray fdDirectory = "/proc/" + QByteArray::number(pid_) + "/fd";
        for (const QByteArray &fd : RawEntries(fdDirectory))
            files.append(LinkTarget(fdDirectory + '/' + fd));
        return files;
    }

private:
    pid_t pid_ = -1;
};

} // namespace

class tst_ExecutableDirectory : public QObject
{
    Q_OBJECT

private slots:
    void linkTargetDirectory_data();
    void linkTargetDirectory();
    void unreadableLink();
    void programInNonUtf8Directory();
};

void tst_ExecutableDirectory::linkTargetDirectory_data()
{
    QTest::addColumn<QByteArray>("directoryName");
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xe9-dir");
    QTest::newRow("Kazakh letters") << QByteArray("сөздік");
    QTest::newRow("cut UTF-8 sequence and a blank") << QByteArray("\xd2\x9b \xd2");
}

void tst_ExecutableDirectory::linkTargetDirectory()
{
    QFETCH(QByteArray, directoryName);
    QTemporaryDir temporary;
    const TRawDirectory directory(QFile::encodeName(temporary.path()), directoryName);
    QVERIFY(directory.IsValid());
    const QByteArray program = directory.Path() + "/lexaran";
    const int fd = open(program.constData(), O_WRONLY | O_CREAT, 0755);
    QVERIFY(fd >= 0 && close(fd) == 0);
    const QByteArray link = QFile::encodeName(temporary.filePath(QStringLiteral("link")));
    QVERIFY(symlink(program.constData(), link.constData()) == 0);

    const QString found = LinkTargetDirectory(link.constData());
    QCOMPARE(EncodeFileName(found), directory.Path() + '/');
    QVERIFY(found.endsWith(u'/'));
}

void tst_ExecutableDirectory::unreadableLink()
{
    // No fallback: when the system does not say where the program is, the
    // user is told so.
    QTemporaryDir temporary;
    for (const QString &name : {QStringLiteral("no such link"), QStringLiteral("plain file")}) {
        const QString path = temporary.filePath(name);
        if (name == QStringLiteral("plain file"))
            QVERIFY(WriteFileBytes(path, "not a link"));
        try {
            LinkTargetDirectory(QFile::encodeName(path).constData());
            QFAIL("no error");
        } catch (const std::runtime_error &error) {
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Бағдарлама файлының қалтасы анықталмады"));
        }
    }
}

void tst_ExecutableDirectory::programInNonUtf8Directory()
{
    // The real program, copied into a directory whose name is not UTF-8 next
    // to a dictionary and started from elsewhere, opens that dictionary and
    // no other file of that name.
    QTemporaryDir temporary;
    const QByteArray base = QFile::encodeName(temporary.path());
    const TRawDirectory directory(base, "caf\xe9-dir");
    const TRawDirectory elsewhere(base, "elsewhere");
    QVERIFY(directory.IsValid() && elsewhere.IsValid());
    const QByteArray program = directory.Path() + "/lexaran";
    QVERIFY(CopyExecutable(QStringLiteral(LEXARAN_PATH), program));
    const QString plain = temporary.filePath(QStringLiteral("termins.db"));
    MakeDatabase(plain, TermTableSql(3));
    const QByteArray dictionary = directory.Path() + "/termins.db";
    QVERIFY(rename(QFile::encodeName(plain).constData(), dictionary.constData()) == 0);
    const QByteArray before = RawFileBytes(dictionary);
    QVERIFY(!before.isEmpty());

    qputenv("QT_QPA_PLATFORM", "offscreen");
    {
        TChild child(program, elsewhere.Path());
        QVERIFY(child.Pid() > 0);
        QList<QByteArray> dictionaries;
        QDeadlineTimer deadline(30000);
        while (dictionaries.isEmpty() && child.Running() && !deadline.hasExpired()) {
            for (const QByteArray &file : child.OpenFiles()) {
                if (file.endsWith("termins.db"))
                    dictionaries.append(file);
            }
            if (dictionaries.isEmpty())
                QTest::qSleep(50);
        }
        QVERIFY2(child.Running(), "the program ended on its own");
        QVERIFY2(!dictionaries.isEmpty(), "no termins.db opened within 30 s");
        QCOMPARE(dictionaries, QList<QByteArray>{dictionary});
        QCOMPARE(RawEntries(elsewhere.Path()), QList<QByteArray>());
    }
    QCOMPARE(RawEntries(directory.Path()), (QList<QByteArray>{"lexaran", "termins.db"}));
    QCOMPARE(RawFileBytes(dictionary), before);
}

QTEST_MAIN(tst_ExecutableDirectory)
#include "tst_executabledirectory.moc"
