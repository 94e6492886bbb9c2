#pragma once

// Start-up: from the process's start to the first painted window, each
// time in a fresh program process, and the part of it spent in the process
// (the window made, shown and painted).

#include <QString>

#include <vector>

namespace lexaran::bench {

struct TStartupRun
{
    std::vector<double> startup, inProcess;
};

TStartupRun MeasureStartup(const QString &path, bool utf8, int terms, int repeat);

// The report's start-up table.
void PrintStartup(const TStartupRun &run);

} // namespace lexaran::bench
