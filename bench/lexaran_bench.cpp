// Measures the dictionary as the user meets it, each figure beside a floor
// measured in the same run: the floors (Floors.h) are bare loops over the
// engine's C API, the program (Program.h) is the real window in a process of
// its own, and start-up (Startup.h) runs from process start to the first
// painted window. This file makes the databases, runs the children in turns
// and writes the report.
//
//   lexaran_bench [--terms N] [--repeat R] [--data-dir DIR] [--encoding utf8|utf16|both]
//                 [--curve N,N,...]
//
// --curve runs only Show all (floor, program, memory) at each size given.
// Any other argument is refused with the usage text and exit code 2.

#include "Floors.h"
#include "Measure.h"
#include "Program.h"
#include "Startup.h"
#include "TermFile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

using namespace lexaran::bench;
using namespace lexaran::tools;

namespace {

QString DatabaseFor(const QString &directory, int terms, bool utf8)
{
    const QString path = QStringLiteral("%1/terms-%2-%3.db").arg(directory).arg(terms).arg(utf8 ? "utf8" : "utf16");
    if (!QFileInfo::exists(path)) {
        std::fprintf(stderr, "writing %s\n", qPrintable(path));
        WriteTermDatabase(path, SyntheticTerms(terms, 20261209), utf8 ? TTextEncoding::Utf8 : TTextEncoding::Utf16);
    }
    return path;
}

// Show all from the start-up's rows, each time in a fresh program process,
// taking turns with floor (a) in a fresh process of its own, so that
// whatever else the machine does falls on both alike.
struct TShowAllRun
{
    std::vector<double> floor, floorCpu, program, programCpu, toRows, toModel, added, peak;
    std::size_t rawBytes = 0;
    std::size_t rows = 0;
};

TShowAllRun ShowAllInTurns(const QString &path, bool utf8, int terms, int repeat)
{
    TShowAllRun run;
    for (int r = 0; r < repeat; ++r) {
        TClock::time_point started;
        auto floor = Spawn(ChildArguments(path, 1, utf8, 0, TChildRun::FloorA), &started);
        run.floor.push_back(floor[QStringLiteral("floor_a")].at(0));
        run.floorCpu.push_back(floor[QStringLiteral("floor_a_cpu")].at(0));
        run.rawBytes = std::size_t(floor[QStringLiteral("raw_bytes")].at(0));
        run.rows = std::size_t(floor[QStringLiteral("rows")].at(0));
        auto program = Spawn(ChildArguments(path, 1, utf8, terms, TChildRun::ShowAll), &started);
        run.program.push_back(program[QStringLiteral("showall")].at(0));
        run.programCpu.push_back(program[QStringLiteral("showall_cpu")].at(0));
        run.toRows.push_back(program[QStringLiteral("click_to_rows")].at(0));
        run.toModel.push_back(program[QStringLiteral("rows_to_model")].at(0));
        run.added.push_back((program[QStringLiteral("rss_after_first_kib")].at(0) - program[QStringLiteral("rss_before_kib")].at(0)) * 1024);
        run.peak.push_back((program[QStringLiteral("hwm_after_first_kib")].at(0) - program[QStringLiteral("rss_before_kib")].at(0)) * 1024);
    }
    return run;
}

void Bench(const QString &path, int terms, int repeat, bool utf8)
{
    const char *encoding = utf8 ? "UTF-8" : "UTF-16";
    std::printf("\n## %d terms, stored as %s\n", terms, encoding);
    std::fflush(stdout);

    const TStartupRun startup = MeasureStartup(path, utf8, terms, repeat);

    TClock::time_point started;
    auto figures = Spawn(ChildArguments(path, repeat, utf8, terms, TChildRun::Full), &started);
    const TShowAllRun run = ShowAllInTurns(path, utf8, terms, repeat);

    PrintStartup(startup);

    // Searches: click to idle against floor (b), measured in turns.
    const std::vector<TSearch> searches = Searches(path, terms, utf8);
    std::printf("\n### Searches: click to idle against floor (b)\n\n"
                "| search | program min | program median | floor (b) min | floor (b) median | ratio (min) |\n"
                "|---|---:|---:|---:|---:|---:|\n");
    double worst = 0;
    for (std::size_t i = 0; i < searches.size(); ++i) {
        const TStats program = Stats(figures[QStringLiteral("search%1").arg(i)]);
        const TStats bareStats = Stats(figures[QStringLiteral("floor_b%1").arg(i)]);
        const double ratio = Ratio(program.min, bareStats.min);
        worst = std::max(worst, ratio);
        std::printf("| %s | %.1f | %.1f | %.1f | %.1f | %.3f |\n", qPrintable(searches[i].name), program.min, program.median,
                    bareStats.min, bareStats.median, ratio);
    }
    std::printf("\nhighest search ratio: %.3f\n", worst);

    const TStats showAll = Stats(run.program), floorA = Stats(run.floor);
    const TStats showAllCpu = Stats(run.programCpu), floorCpu = Stats(run.floorCpu);
    const TStats toRows = Stats(run.toRows), toModel = Stats(run.toModel);
    const TStats refill = Stats(figures[QStringLiteral("refill_to_idle")]);
    const TStats scroll = Stats(figures[QStringLiteral("scroll")]);
    const TStats repeated = Stats(figures[QStringLiteral("showall")]);
    std::printf("\n### Show all: click to idle against floor (a)\n\n"
                "| step | program min | program median | floor (a) min | floor (a) median | ratio (min) |\n"
                "|---|---:|---:|---:|---:|---:|\n");
    std::printf("| show all, wall clock | %.1f | %.1f | %.1f | %.1f | %.3f |\n", showAll.min, showAll.median, floorA.min,
                floorA.median, Ratio(showAll.min, floorA.min));
    std::printf("| show all, processor time of the thread | %.1f | %.1f | %.1f | %.1f | %.3f |\n", showAllCpu.min,
                showAllCpu.median, floorCpu.min, floorCpu.median, Ratio(showAllCpu.min, floorCpu.min));
    std::printf("\n| step | min | median |\n|---|---:|---:|\n");
    std::printf("| click until every new row has arrived | %.1f | %.1f |\n", toRows.min, toRows.median);
    std::printf("| rows arrived until the grid's model holds them | %.1f | %.1f |\n", toModel.min, toModel.median);
    std::printf("| refill done to grid painted and idle | %.1f | %.1f |\n", refill.min, refill.median);
    std::printf("| Show all again over all rows, click to idle | %.1f | %.1f |\n", repeated.min, repeated.median);
    std::printf("| Ctrl+End to the last row, painted and idle | %.1f | %.1f |\n", scroll.min, scroll.median);

    const double budget = double(run.rawBytes) + 24.0 * double(run.rows);
    const TStats added = Stats(run.added), peak = Stats(run.peak);
    std::printf("\n### Memory\n\n| figure | bytes |\n|---|---:|\n");
    std::printf("| raw text as the engine stores it (rus, kaz, cat) | %zu |\n", run.rawBytes);
    std::printf("| raw + 24 bytes a row | %.0f |\n", budget);
    std::printf("| resident added by Show all, settled (min) | %.0f |\n", added.min);
    std::printf("| resident added by Show all, settled (median) | %.0f |\n", added.median);
    std::printf("| ratio added (median) / (raw + 24 a row) | %.3f |\n", Ratio(added.median, budget));
    std::printf("| peak resident (VmHWM) above the resident before Show all (median) | %.0f |\n", peak.median);
    std::printf("| resident before Show all | %.0f |\n", figures[QStringLiteral("rss_before_kib")].at(0) * 1024);
    std::printf("| resident after %d Show alls in one process (settled) | %.0f |\n", repeat,
                figures[QStringLiteral("rss_after_all_kib")].at(0) * 1024);
    std::printf("| peak resident after %d Show alls (old and new rows held at once) | %.0f |\n", repeat,
                figures[QStringLiteral("hwm_after_all_kib")].at(0) * 1024);
    std::fflush(stdout);
}

// Show all only, at several sizes.
void Curve(const QString &dataDir, const std::vector<int> &sizes, int repeat, bool utf8)
{
    std::printf("\n## Show all by size, stored as %s\n\n"
                "| terms | program min (ms) | floor (a) min (ms) | ratio | ms per 1000 terms | added resident (bytes) | raw + 24/row | ratio |\n"
                "|---:|---:|---:|---:|---:|---:|---:|---:|\n", utf8 ? "UTF-8" : "UTF-16");
    std::fflush(stdout);
    for (int terms : sizes) {
        const QString path = DatabaseFor(dataDir, terms, utf8);
        const TShowAllRun run = ShowAllInTurns(path, utf8, terms, repeat);
        const TStats showAll = Stats(run.program), floorA = Stats(run.floor), added = Stats(run.added);
        const double budget = double(run.rawBytes) + 24.0 * double(run.rows);
        std::printf("| %d | %.1f | %.1f | %.3f | %.3f | %.0f | %.0f | %.3f |\n", terms, showAll.min, floorA.min,
                    Ratio(showAll.min, floorA.min), showAll.min * 1000 / terms, added.median, budget,
                    Ratio(added.median, budget));
        std::fflush(stdout);
    }
}

constexpr const char *kUsage =
    "usage: lexaran_bench [--terms N] [--repeat R] [--data-dir DIR] [--encoding utf8|utf16|both]\n"
    "                     [--curve N,N,...]\n";

[[noreturn]] void Usage(const QString &why)
{
    std::fprintf(stderr, "lexaran_bench: %s\n%s", qPrintable(why), kUsage);
    std::exit(2);
}

// A whole number of at least `least` from `value`, or the usage text and
// exit code 2.
int Number(const QString &option, const QString &value, int least = 1)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || number < least)
        Usage(QStringLiteral("%1 takes a whole number of at least %2, not \"%3\"").arg(option).arg(least).arg(value));
    return number;
}

std::optional<TChildRun> ChildRun(const QString &mode)
{
    if (mode == QLatin1String("floor"))
        return TChildRun::FloorA;
    if (mode == QLatin1String("startup"))
        return TChildRun::Startup;
    if (mode == QLatin1String("showall"))
        return TChildRun::ShowAll;
    if (mode == QLatin1String("full"))
        return TChildRun::Full;
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    int terms = 1000000, repeat = 5;
    QString dataDir = QDir::currentPath(), encoding = QStringLiteral("both"), program, mode, curve;
    // The arguments are read before the application object exists, so that
    // a wrong one is refused without a display.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    for (qsizetype i = 1; i < args.size(); i += 2) {
        const QString &option = args[i];
        if (i + 1 >= args.size())
            Usage(option.startsWith(QLatin1String("--")) ? option + QLatin1String(" wants a value")
                                                         : QLatin1String("unknown argument ") + option);
        const QString &value = args[i + 1];
        if (option == QLatin1String("--terms"))
            terms = Number(option, value, 0);
        else if (option == QLatin1String("--repeat"))
            repeat = Number(option, value);
        else if (option == QLatin1String("--data-dir"))
            dataDir = value;
        else if (option == QLatin1String("--encoding"))
            encoding = value;
        else if (option == QLatin1String("--curve"))
            curve = value;
        // The benchmark's own child processes.
        else if (option == QLatin1String("--program"))
            program = value;
        else if (option == QLatin1String("--mode"))
            mode = value;
        else
            Usage(QLatin1String("unknown argument ") + option);
    }
    if (encoding != QLatin1String("utf8") && encoding != QLatin1String("utf16") && encoding != QLatin1String("both"))
        Usage(QLatin1String("unknown encoding ") + encoding);
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lexaran"));
    if (!program.isEmpty()) {
        const std::optional<TChildRun> run = ChildRun(mode);
        if (!run || encoding == QLatin1String("both"))
            Usage(QLatin1String("a child run wants --mode floor|startup|showall|full and one encoding"));
        const bool utf8 = encoding == QLatin1String("utf8");
        return *run == TChildRun::FloorA ? RunFloorA(program, utf8) : RunProgram(program, repeat, utf8, terms, *run);
    }
    QDir().mkpath(dataDir);
    std::vector<bool> forms;
    if (encoding != QLatin1String("utf16"))
        forms.push_back(true);
    if (encoding != QLatin1String("utf8"))
        forms.push_back(false);
    if (!curve.isEmpty()) {
        std::vector<int> sizes;
        for (const QString &size : curve.split(u','))
            sizes.push_back(Number(QStringLiteral("--curve"), size));
        for (bool utf8 : forms)
            Curve(dataDir, sizes, repeat, utf8);
        return 0;
    }
    for (bool utf8 : forms)
        Bench(DatabaseFor(dataDir, terms, utf8), terms, repeat, utf8);
    return 0;
}
