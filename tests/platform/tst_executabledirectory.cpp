#include "ExecutableDirectory.h"
#include "FileName.h"
#include "FixtureDb.h"
#include "RawNames.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;
#endif

using namespace lexaran::platform;

namespace {

#ifdef _WIN32
// The full path of this program as the system reports it.
QString ModuleFileName()
{
    std::wstring name(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
    name.resize(length);
    return QString::fromStdWString(name);
}

// A program started with CreateProcessW, ended when the guard goes.
class TChild
{
public:
    TChild(const QString &program, const QString &workingDirectory)
    {
        const std::wstring path = QDir::toNativeSeparators(program).toStdWString();
        std::wstring commandLine = L"\"" + path + L"\"";
        // Only the long form of a path may pass MAX_PATH here.
        const std::wstring application = path.size() >= MAX_PATH ? L"\\\\?\\" + path : path;
        const std::wstring directory = QDir::toNativeSeparators(workingDirectory).toStdWString();
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           directory.c_str(), &startup, &process_)) {
            CloseHandle(process_.hThread);
        } else {
            process_.hProcess = nullptr;
        }
    }
    ~TChild()
    {
        if (process_.hProcess) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 30000);
            CloseHandle(process_.hProcess);
        }
    }
    TChild(const TChild &) = delete;
    TChild &operator=(const TChild &) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    // Waits until the program has made its window (and so run its start-up)
    // and waits for input; false when that takes longer than `milliseconds`.
    bool WaitIdle(DWORD milliseconds) const
    {
        return Started() && WaitForInputIdle(process_.hProcess, milliseconds) == 0;
    }
    bool Running() const { return Started() && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

private:
    PROCESS_INFORMATION process_{};
};
#else


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
#endif

} // namespace

class tst_ExecutableDirectory : public QObject
{
    Q_OBJECT

private slots:
    void linkTargetDirectory_data();
    void linkTargetDirectory();
    void unreadableLink();
    void programInNonUtf8Directory();
    void ownDirectory();
    void programInKazakhLongPath_data();
    void programInKazakhLongPath();
    void engineOnlyInWorkingDirectory();
};

#ifdef _WIN32
void tst_ExecutableDirectory::linkTargetDirectory_data()
{
}

void tst_ExecutableDirectory::linkTargetDirectory()
{
    QSKIP("the executable's directory comes from the system's own call on Windows, not from a link");
}

void tst_ExecutableDirectory::unreadableLink()
{
    QSKIP("the executable's directory comes from the system's own call on Windows, not from a link");
}

void tst_ExecutableDirectory::programInNonUtf8Directory()
{
    QSKIP("Windows file names are UTF-16, never bytes outside UTF-8; programInKazakhLongPath covers them");
}

void tst_ExecutableDirectory::ownDirectory()
{
    // The folder of the path that the system reports for this very program,
    // with its separator at the end.
    const QString program = ModuleFileName();
    QVERIFY(!program.isEmpty());
    const QString directory = ExecutableDirectory();
    QCOMPARE(directory, program.left(program.lastIndexOf(u'\\') + 1));
    QVERIFY(directory.endsWith(u'\\'));
    QCOMPARE(QDir::fromNativeSeparators(directory), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}

void tst_ExecutableDirectory::programInKazakhLongPath_data()
{
    QTest::addColumn<int>("length");  // of the program's folder, at least
    QTest::newRow("Kazakh name") << 0;
    QTest::newRow("Kazakh name just short of 260 characters") << 230;
    QTest::newRow("Kazakh name past 260 characters") << 300;
}

void tst_ExecutableDirectory::programInKazakhLongPath()
{
    // The real program, copied with its engine into a folder with a Kazakh
    // name (deeper than the old 260-character limit, too) and started from
    // elsewhere, creates its missing dictionary in that folder and nowhere
    // else.
    QFETCH(int, length);
    QTemporaryDir temporary;
    QString folder = temporary.filePath(QStringLiteral("сөздік қоры"));
    for (int level = 0; folder.size() < length; ++level)
        folder += QStringLiteral("/терминдер жинағы %1").arg(level);
    QVERIFY(QDir().mkpath(folder));
    const QString elsewhere = temporary.filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkpath(elsewhere));
    const QString program = folder + QLatin1String("/lexaran.exe");
    QVERIFY(QFile::copy(QStringLiteral(LEXARAN_PATH), program));
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QLatin1String("/sqlite3.dll"),
                        folder + QLatin1String("/sqlite3.dll")));
    const QString dictionary = folder + QLatin1String("/termins.db");

    qputenv("QT_QPA_PLATFORM", "offscreen");
    {
        TChild child(program, elsewhere);
        const DWORD refusal = child.Started() ? 0 : GetLastError();
        // Before the program runs at all: the system itself may start
        // nothing from a folder past MAX_PATH (wine 8 does not, nor Windows
        // without long paths turned on).
        if (program.size() >= MAX_PATH && refusal != 0)
            QSKIP(qPrintable(QStringLiteral("the system starts no program from a path of %1 characters: %2")
                                 .arg(program.size()).arg(qt_error_string(int(refusal)))));
        QVERIFY2(child.Started(), qPrintable(qt_error_string(int(refusal))));
        QDeadlineTimer deadline(60000);
        while (!QFileInfo::exists(dictionary) && child.Running() && !deadline.hasExpired())
            QTest::qSleep(50);
        QVERIFY2(QFileInfo::exists(dictionary), "no termins.db made beside the program within 60 s");
        QVERIFY2(child.Running(), "the program ended on its own");
    }
    QCOMPARE(QDir(elsewhere).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{QStringLiteral("lexaran.exe"), QStringLiteral("sqlite3.dll"), QStringLiteral("termins.db")}));
}

void tst_ExecutableDirectory::engineOnlyInWorkingDirectory()
{
    // The program with no engine beside it, started from a folder that has
    // one: it starts, reports the missing engine (its box waits for the
    // user) and never opens a dictionary, for it loads no engine from the
    // working directory or the search path.
    QTemporaryDir temporary;
    const QString folder = temporary.filePath(QStringLiteral("сөздік қоры"));
    const QString working = temporary.filePath(QStringLiteral("жұмыс қалтасы"));
    QVERIFY(QDir().mkpath(folder) && QDir().mkpath(working));
    const QString program = folder + QLatin1String("/lexaran.exe");
    QVERIFY(QFile::copy(QStringLiteral(LEXARAN_PATH), program));
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QLatin1String("/sqlite3.dll"),
                        working + QLatin1String("/sqlite3.dll")));

    qputenv("QT_QPA_PLATFORM", "offscreen");
    {
        TChild child(program, working);
        QVERIFY2(child.Started(), qPrintable(qt_error_string()));
        QVERIFY2(child.WaitIdle(60000), "the program did not come to wait for input within 60 s");
        QVERIFY2(child.Running(), "the program ended on its own");
        QVERIFY(!QFileInfo::exists(folder + QLatin1String("/termins.db")));
    }
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("lexaran.exe")});
    QCOMPARE(QDir(working).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("sqlite3.dll")});
}
#else
void tst_ExecutableDirectory::engineOnlyInWorkingDirectory()
{
    QSKIP("on Unix the engine is the system's shared library, found by the system's own search");
}

void tst_ExecutableDirectory::ownDirectory()
{
    // The link's target is the program's own path.
    const QString directory = ExecutableDirectory();
    QCOMPARE(directory, QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}

void tst_ExecutableDirectory::programInKazakhLongPath_data()
{
}

void tst_ExecutableDirectory::programInKazakhLongPath()
{
    QSKIP("Windows' path limits; on Unix programInNonUtf8Directory and linkTargetDirectory cover the names");
}

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

#endif

QTEST_MAIN(tst_ExecutableDirectory)
#include "tst_executabledirectory.moc"
