#include "Startup.h"

#include "Measure.h"

#include <cstdio>

namespace lexaran::bench {

TStartupRun MeasureStartup(const QString &path, bool utf8, int terms, int repeat)
{
    TStartupRun run;
    for (int r = 0; r < repeat; ++r) {
        TClock::time_point started;
        auto figures = Spawn(ChildArguments(path, 1, utf8, terms, TChildRun::Startup), &started);
        run.startup.push_back((figures[QStringLiteral("painted_at_ns")].at(0) - double(Nanoseconds(started))) / 1e6);
        run.inProcess.push_back(figures[QStringLiteral("startup_in_process")].at(0));
    }
    return run;
}

void PrintStartup(const TStartupRun &run)
{
    std::printf("\n### Start-up\n\n| step | min | median |\n|---|---:|---:|\n");
    std::printf("| process start to first painted window | %.1f | %.1f |\n", Stats(run.startup).min,
                Stats(run.startup).median);
    std::printf("| of which window made, shown and painted (in process) | %.1f | %.1f |\n",
                Stats(run.inProcess).min, Stats(run.inProcess).median);
}

} // namespace lexaran::bench
