#pragma once

// The program as the user meets it: the real window (TForm1, offscreen) in
// a process of its own, timed from the click until its event loop is idle
// and the grid has painted; resident memory from /proc/self/status (on
// Windows the working set).

#include "Measure.h"
#include "TSearchRequest.h"

#include <QString>

#include <vector>

namespace lexaran::bench {

struct TSearch
{
    QString name;
    TSearchRequest request;
};

// Every match kind on each field, with and without a category, for a
// common syllable, and every kind on both fields for one existing term.
std::vector<TSearch> Searches(const QString &path, int terms, bool utf8);

// The child that runs the program on the database at `path`: its start-up
// (printed as painted_at_ns and startup_in_process), then, unless `run` is
// Startup, every search against floor (b) when `run` is Full, Show all from
// the start-up's rows and scrolling, each `repeat` times. One line per
// figure; returns the process's exit code.
int RunProgram(const QString &path, int repeat, bool utf8, int terms, TChildRun run);

} // namespace lexaran::bench
