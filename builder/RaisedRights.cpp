#include "RaisedRights.h"

#include "DictionaryPlace.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <exception>
#include <stdexcept>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#endif

namespace lexaran::builder {

namespace {

[[noreturn]] void Refuse(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

QString Folder(const QString &dictionary)
{
    return QDir::toNativeSeparators(QFileInfo(dictionary).absolutePath());
}

} // namespace

QString PutInPlaceOption()
{
    return QStringLiteral("--put-in-place");
}

QStringList PutInPlaceArguments(const QString &built, const QString &stamp)
{
    return {PutInPlaceOption(), QDir::toNativeSeparators(QFileInfo(built).absoluteFilePath()), stamp};
}

#ifdef Q_OS_WIN

namespace {

// A command-line argument quoted the way the C runtime reads it back.
std::wstring Quoted(const QString &argument)
{
    std::wstring quoted = L"\"";
    int slashes = 0;
    for (QChar c : argument) {
        if (c == u'\\') {
            ++slashes;
            continue;
        }
        quoted.append(static_cast<std::size_t>(c == u'"' ? slashes * 2 + 1 : slashes), L'\\');
        slashes = 0;
        quoted.push_back(static_cast<wchar_t>(c.unicode()));
    }
    quoted.append(static_cast<std::size_t>(slashes * 2), L'\\');
    quoted.push_back(L'"');
    return quoted;
}

} // namespace

void PutInPlaceWithRights(const QString &built, const QString &stamp)
{
    const std::wstring program = QDir::toNativeSeparators(QCoreApplication::applicationFilePath()).toStdWString();
    std::wstring parameters;
    for (const QString &argument : PutInPlaceArguments(built, stamp)) {
        if (!parameters.empty())
            parameters.push_back(L' ');
        parameters += Quoted(argument);
    }
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    run.lpVerb = L"runas";
    run.lpFile = program.c_str();
    run.lpParameters = parameters.c_str();
    run.nShow = SW_HIDE;
    if (!ShellExecuteExW(&run) || !run.hProcess)
        Refuse(QStringLiteral("Сөздік ауыстырылған жоқ: «%1» қалтасына жазуға әкімші рұқсаты берілмеді")
                   .arg(Folder(LexaranDictionary())));
    // The window keeps drawing itself while the copy runs.
    while (MsgWaitForMultipleObjects(1, &run.hProcess, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    DWORD code = 1;
    GetExitCodeProcess(run.hProcess, &code);
    CloseHandle(run.hProcess);
    if (code != 0)
        Refuse(QStringLiteral("Сөздік «%1» қалтасында ауыстырылмады. Бұрынғы сөздік орнында қалды")
                   .arg(Folder(LexaranDictionary())));
}

#else

void PutInPlaceWithRights(const QString &built, const QString &stamp)
{
    const QString pkexec = QStandardPaths::findExecutable(QStringLiteral("pkexec"));
    if (pkexec.isEmpty())
        Refuse(QStringLiteral("«%1» қалтасына жазу рұқсаты жоқ, ал рұқсат сұрайтын pkexec бағдарламасы орнатылмаған. "
                              "Сөздікті файл ретінде сақтап, оны әкімшіге беріңіз")
                   .arg(Folder(LexaranDictionary())));
    QProcess copy;
    copy.setProcessChannelMode(QProcess::SeparateChannels);
    QEventLoop loop;
    QObject::connect(&copy, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&copy, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QStringList arguments{QCoreApplication::applicationFilePath()};
    arguments += PutInPlaceArguments(built, stamp);
    copy.start(pkexec, arguments);
    if (copy.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (copy.state() != QProcess::NotRunning)
        copy.waitForFinished(-1);
    const QString reason = QString::fromUtf8(copy.readAllStandardError()).trimmed();
    if (copy.exitStatus() != QProcess::NormalExit || copy.exitCode() != 0) {
        // pkexec ends with 126 when the user declined, 127 when not allowed.
        if (copy.exitCode() == 126 || copy.exitCode() == 127 || reason.isEmpty())
            Refuse(QStringLiteral("Сөздік ауыстырылған жоқ: «%1» қалтасына жазуға рұқсат берілмеді")
                       .arg(Folder(LexaranDictionary())));
        Refuse(reason);
    }
}

#endif

int PutInPlaceCommand(const QStringList &arguments)
{
    if (arguments.size() != 3 || arguments.at(0) != PutInPlaceOption() || !IsBackupStamp(arguments.at(2)))
        return 2;
    try {
        PutInPlace(arguments.at(1), LexaranDictionary(), arguments.at(2));
        return 0;
    } catch (const std::exception &error) {
        std::fputs(error.what(), stderr);
        return 1;
    }
}

} // namespace lexaran::builder
