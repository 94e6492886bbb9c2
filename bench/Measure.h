#pragma once

// What every part of the benchmark shares: the clock, the figures a child
// process prints and the parent reads back, and the way it gives up.

#include <QString>
#include <QStringList>

#include <chrono>
#include <map>
#include <vector>

namespace lexaran::bench {

using TClock = std::chrono::steady_clock;

double Milliseconds(TClock::duration d);
long long Nanoseconds(TClock::time_point t);

// The calling thread's processor time (user and system), which other
// processes on the machine disturb far less than the wall clock.
double ThreadCpuMilliseconds();

struct TStats
{
    double min = 0;
    double median = 0;
};
TStats Stats(std::vector<double> times);

// a / b, or 0 when b is not positive.
double Ratio(double a, double b);

// The resident set in KiB: now (VmRSS) or at its peak (VmHWM), from
// /proc/self/status; on Windows the working set and its peak. -1 when
// unknown.
long StatusKiB(const char *key);

// Says what went wrong on standard error and ends the process with code 2.
[[noreturn]] void Fail(const char *what);

// One figure line of a child: the key, then its values.
void Print(const char *key, const std::vector<double> &values);

// What a child process of the benchmark measures.
enum class TChildRun {
    FloorA,   // floor (a): one bare copy of every row
    Startup,  // the program until its first painted window
    ShowAll,  // the program: start-up, Show all, scrolling
    Full,     // the program: start-up, every search, Show all, scrolling
};

// The child's command line, read back by the benchmark's main.
QStringList ChildArguments(const QString &path, int repeat, bool utf8, int terms, TChildRun run);

// Runs this executable as a child with `arguments` and collects its figure
// lines; `started` is when it was spawned. Fails when the child fails or
// takes longer than 30 minutes.
std::map<QString, std::vector<double>> Spawn(const QStringList &arguments, TClock::time_point *started);

} // namespace lexaran::bench
