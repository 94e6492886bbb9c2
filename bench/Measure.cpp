#include "Measure.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <time.h>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace lexaran::bench {

double Milliseconds(TClock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

long long Nanoseconds(TClock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

double ThreadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

TStats Stats(std::vector<double> times)
{
    if (times.empty())
        return {};
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2]};
}

double Ratio(double a, double b)
{
    return b > 0 ? a / b : 0.0;
}

long StatusKiB(const char *key)
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    const SIZE_T bytes = std::strcmp(key, "VmHWM") == 0 ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
    return long(bytes / 1024);
#else
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
#endif
}

[[noreturn]] void Fail(const char *what)
{
    std::fprintf(stderr, "lexaran_bench: %s\n", what);
    std::exit(2);
}

void Print(const char *key, const std::vector<double> &values)
{
    std::printf("%s", key);
    for (double value : values)
        std::printf(" %.3f", value);
    std::printf("\n");
    std::fflush(stdout);
}

QStringList ChildArguments(const QString &path, int repeat, bool utf8, int terms, TChildRun run)
{
    const char *mode = run == TChildRun::FloorA  ? "floor"
                       : run == TChildRun::Startup ? "startup"
                       : run == TChildRun::ShowAll ? "showall"
                                                   : "full";
    return {QStringLiteral("--program"), path, QStringLiteral("--repeat"), QString::number(repeat),
            QStringLiteral("--encoding"), QLatin1String(utf8 ? "utf8" : "utf16"), QStringLiteral("--terms"),
            QString::number(terms), QStringLiteral("--mode"), QLatin1String(mode)};
}

std::map<QString, std::vector<double>> Spawn(const QStringList &arguments, TClock::time_point *started)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    *started = TClock::now();
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(30 * 60 * 1000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        Fail("the program's run failed or took longer than 30 minutes");
    std::map<QString, std::vector<double>> figures;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> words = line.trimmed().split(' ');
        if (words.size() < 2)
            continue;
        std::vector<double> &values = figures[QString::fromLatin1(words[0])];
        for (qsizetype i = 1; i < words.size(); ++i)
            values.push_back(words[i].toDouble());
    }
    return figures;
}

} // namespace lexaran::bench
