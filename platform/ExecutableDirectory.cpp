#include "ExecutableDirectory.h"

#include "FileName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>

#include <string>
#else
#include <unistd.h>
#endif

namespace lexaran::platform {

namespace {

[[noreturn]] void NotFound()
{
    throw std::runtime_error("Бағдарлама файлының қалтасы анықталмады");
}

} // namespace

QString LinkTargetDirectory(const char *link)
{
#ifdef _WIN32
    Q_UNUSED(link);
    NotFound();
#else
    // readlink does not say whether it cut the name short, so the buffer
    // grows until the name leaves room to spare.
    QByteArray target(256, Qt::Uninitialized);
    for (;;) {
        const ssize_t length = readlink(link, target.data(), std::size_t(target.size()));
        if (length < 0)
            NotFound();
        if (length < target.size()) {
            target.truncate(length);
            break;
        }
        target.resize(target.size() * 2);
    }
    const qsizetype slash = target.lastIndexOf('/');
    if (slash < 0)
        NotFound();
    return DecodeFileName(QByteArrayView(target).first(slash + 1));
#endif
}

QString ExecutableDirectory()
{
#if defined(Q_OS_LINUX)
    // Qt decodes this path as UTF-8 and gives up on a name that is not, so
    // the link is read here and its bytes kept.
    return LinkTargetDirectory("/proc/self/exe");
#elif defined(_WIN32)
    // The system's own UTF-16 path, whatever its length. A name cut short
    // to the buffer comes back exactly as long as the buffer, so the buffer
    // grows until the name leaves room to spare.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length == 0)
            NotFound();
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        if (name.size() >= 32768 * 2)
            NotFound();
        name.resize(name.size() * 2);
    }
    const std::size_t separator = name.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        NotFound();
    return QString::fromStdWString(name.substr(0, separator + 1));
#else
    const QString program = QCoreApplication::applicationFilePath();
    if (program.isEmpty())
        NotFound();
    return QDir::toNativeSeparators(QFileInfo(program).absolutePath() + QLatin1Char('/'));
#endif
}

} // namespace lexaran::platform
