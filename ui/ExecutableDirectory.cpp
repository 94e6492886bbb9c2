#include "ExecutableDirectory.h"

#include "FileName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <stdexcept>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace lexaran {

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
    return store::DecodeFileName(QByteArrayView(target).first(slash + 1));
#endif
}

QString ExecutableDirectory()
{
#if defined(Q_OS_LINUX)
    // Qt decodes this path as UTF-8 and gives up on a name that is not, so
    // the link is read here and its bytes kept.
    return LinkTargetDirectory("/proc/self/exe");
#elif defined(_WIN32)
    // The system's own UTF-16 path, whatever its length; the engine's
    // library is looked for in the same place.
    const QString directory = store::ModuleDirectory();
    if (directory.isEmpty())
        NotFound();
    return directory;
#else
    const QString program = QCoreApplication::applicationFilePath();
    if (program.isEmpty())
        NotFound();
    return QDir::toNativeSeparators(QFileInfo(program).absolutePath() + QLatin1Char('/'));
#endif
}

} // namespace lexaran
