// Measures the dictionary as the user meets it, each figure beside a floor
// measured in the same run:
//
// - floor (a), Show all: every row of the table copied by a bare loop over
//   the engine's C API as the engine holds the file's text (column_text for
//   a UTF-8 file, column_text16 for a UTF-16 one), into one growing buffer
//   per column with an end offset per value: no allocation per value;
// - floor (b), a search: the search statement copied the same way, then its
//   count statement, both through the bare engine;
// - the program: the real window (TForm1, offscreen) in a process of its
//   own, timed from the click until its event loop is idle and the grid has
//   painted; start-up from process start to the first painted window;
//   resident memory from /proc/self/status (on Windows the working set).
//
//   lexaran_bench [--terms N] [--repeat R] [--data-dir DIR] [--encoding utf8|utf16|both]
//                 [--curve N,N,...]
//
// --curve runs only Show all (floor, program, memory) at each size given.

#include "Categories.h"
#include "SQLText.h"
#include "SearchSQL.h"
#include "TDBGrid.h"
#include "TEdit.h"
#include "TRadioGroup.h"
#include "TSQLConnection.h"
#include "TStrings.h"
#include "TermFile.h"
#include "Unit1.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>
#include <time.h>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

double Milliseconds(TClock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

long long Nanoseconds(TClock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

// The calling thread's processor time (user and system), which other
// processes on the machine disturb far less than the wall clock.
double ThreadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct TStats
{
    double min = 0;
    double median = 0;
};

TStats Stats(std::vector<double> times)
{
    if (times.empty())
        return {};
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2]};
}

// The resident set in KiB: now (VmRSS) or at its peak (VmHWM), from
// /proc/self/status; on Windows the working set and its peak.
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

// Puts the benchmark file into the program's directory under `name` without
// copying its bytes where the system allows: a symbolic link, or on Windows
// a hard link (QFile::link makes a shell shortcut there, which the engine
// cannot read), and a copy only when neither can be made.
bool PlaceDatabase(const QString &file, const QString &name)
{
    const QString target = QFileInfo(file).absoluteFilePath();
#ifdef _WIN32
    if (CreateHardLinkW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(name).utf16()),
                        reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(target).utf16()), nullptr))
        return true;
    return QFile::copy(target, name);
#else
    return QFile::link(target, name);
#endif
}

[[noreturn]] void Fail(const char *what)
{
    std::fprintf(stderr, "lexaran_bench: %s\n", what);
    std::exit(2);
}

// ---- the floors: a bare loop over the C API --------------------------------

// One growing buffer, as a plain C loop keeps it: realloc doubling.
struct TFloorBuffer
{
    char *data = nullptr;
    std::size_t size = 0;
    std::size_t capacity = 0;

    TFloorBuffer() = default;
    TFloorBuffer(const TFloorBuffer &) = delete;
    ~TFloorBuffer() { std::free(data); }

    void Put(const void *bytes, std::size_t count)
    {
        if (size + count > capacity) {
            capacity = std::max({capacity * 2, size + count, std::size_t(4096)});
            data = static_cast<char *>(std::realloc(data, capacity));
            if (!data)
                Fail("floor out of memory");
        }
        std::memcpy(data + size, bytes, count);
        size += count;
    }
};

// The copy of a result: the integer column and three text columns, each
// text column its characters and a 32-bit end offset per value.
struct TFloorCopy
{
    TFloorBuffer ids;
    TFloorBuffer text[3];
    TFloorBuffer ends[3];
    std::size_t rows = 0;

    std::size_t TextBytes() const { return text[0].size + text[1].size + text[2].size; }
};

struct TCloseDb { void operator()(sqlite3 *db) const { sqlite3_close_v2(db); } };
struct TFinalize { void operator()(sqlite3_stmt *stmt) const { sqlite3_finalize(stmt); } };
using TStmt = std::unique_ptr<sqlite3_stmt, TFinalize>;

class TBare
{
public:
    TBare(const QString &path, bool utf8) : utf8_(utf8)
    {
        sqlite3 *raw = nullptr;
        if (sqlite3_open16(path.utf16(), &raw) != SQLITE_OK)
            Fail("cannot open the benchmark file");
        db_.reset(raw);
    }

    // Steps to the end, copying the first four columns (an integer and
    // three texts) as the engine holds the file's text.
    void Copy(const QString &text, TFloorCopy &copy)
    {
        TStmt stmt = Prepare(text);
        sqlite3_stmt *s = stmt.get();
        while (sqlite3_step(s) == SQLITE_ROW) {
            const sqlite3_int64 id = sqlite3_column_int64(s, 0);
            copy.ids.Put(&id, sizeof id);
            for (int c = 0; c < 3; ++c) {
                const void *chars = utf8_ ? static_cast<const void *>(sqlite3_column_text(s, c + 1))
                                          : sqlite3_column_text16(s, c + 1);
                const int bytes = utf8_ ? sqlite3_column_bytes(s, c + 1) : sqlite3_column_bytes16(s, c + 1);
                copy.text[c].Put(chars, std::size_t(bytes));
                const auto end = std::uint32_t(copy.text[c].size >> (utf8_ ? 0 : 1));
                copy.ends[c].Put(&end, sizeof end);
            }
            ++copy.rows;
        }
    }

    long long Count(const QString &text)
    {
        TStmt stmt = Prepare(text);
        return sqlite3_step(stmt.get()) == SQLITE_ROW ? sqlite3_column_int64(stmt.get(), 0) : -1;
    }

    QString Text(const QString &sql)
    {
        TStmt stmt = Prepare(sql);
        if (sqlite3_step(stmt.get()) != SQLITE_ROW)
            return {};
        return QString::fromUtf16(static_cast<const char16_t *>(sqlite3_column_text16(stmt.get(), 0)));
    }

private:
    TStmt Prepare(const QString &text)
    {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare16_v2(db_.get(), text.utf16(), int(text.size() * 2), &stmt, nullptr) != SQLITE_OK)
            Fail("the floor cannot prepare a statement");
        return TStmt(stmt);
    }

    std::unique_ptr<sqlite3, TCloseDb> db_;
    bool utf8_;
};

QString BareCountText(const QStringList &lines)
{
    const QString text = TStrings::Joined(lines);
    return ComposeCountSQL(text, TableNameFromSQL(text), TSQLConnection::IdentifierQuote).trimmed();
}

// ---- the searches ----------------------------------------------------------

struct TSearch
{
    QString name;
    TSearchRequest request;
};

// Every match kind on each field, with and without a category, for a
// common syllable, and every kind on both fields for one existing term.
std::vector<TSearch> Searches(const QString &path, int terms, bool utf8)
{
    TBare bare(path, utf8);
    const QString id = QString::number(std::max(1, terms * 7 / 10));
    const QString rareRus = bare.Text(QStringLiteral("select rus from termin_items where id = ") + id);
    const QString rareKaz = bare.Text(QStringLiteral("select kaz from termin_items where id = ") + id);
    const char *kinds[] = {"contains", "begins", "equals"};
    const char *fields[] = {"both", "Russian", "Kazakh"};
    std::vector<TSearch> searches;
    for (int kind = 0; kind < 3; ++kind) {
        for (int field = 0; field < 3; ++field) {
            for (int category = 0; category < 2; ++category) {
                QString text = field == sfKazakh ? QStringLiteral("қа") : QStringLiteral("ра");
                if (kind == mkEquals)
                    text = field == sfKazakh ? QStringLiteral("қала") : QStringLiteral("рало");
                // The category list's entry 17, as the window's list gives it.
                const QString categoryText = category ? QString::fromUtf16(lexaran::kCategories[17]) : QString();
                searches.push_back({QStringLiteral("common %1, %2%3").arg(kinds[kind], fields[field], category ? ", category" : ""),
                                    {text, TMatchKind(kind), TSearchField(field), category ? 17 : 0, categoryText}});
            }
        }
    }
    for (int kind = 0; kind < 3; ++kind) {
        searches.push_back({QStringLiteral("rare %1, Russian").arg(kinds[kind]),
                            {rareRus, TMatchKind(kind), sfRussian, 0, QString()}});
        searches.push_back({QStringLiteral("rare %1, Kazakh").arg(kinds[kind]),
                            {rareKaz, TMatchKind(kind), sfKazakh, 0, QString()}});
    }
    return searches;
}

// ---- the program, in a process of its own ----------------------------------

// Notes every paint of the widget it watches.
class TPaintWatch : public QObject
{
public:
    explicit TPaintWatch(QWidget *widget) { widget->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// Runs the event loop until the watched widget has painted and nothing is
// left to do; fails after a minute.
void UntilPaintedAndIdle(TPaintWatch &watch)
{
    const auto deadline = TClock::now() + std::chrono::minutes(1);
    while (!watch.painted) {
        if (TClock::now() > deadline)
            Fail("timed out after a minute waiting for the grid to paint");
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// From `act` (a click) until the grid has painted and the loop is idle.
double ClickToIdle(TPaintWatch &watch, const std::function<void()> &act)
{
    watch.painted = false;
    const auto start = TClock::now();
    act();
    UntilPaintedAndIdle(watch);
    return Milliseconds(TClock::now() - start);
}

void Print(const char *key, const std::vector<double> &values)
{
    std::printf("%s", key);
    for (double value : values)
        std::printf(" %.3f", value);
    std::printf("\n");
    std::fflush(stdout);
}

// The child: start-up, searches, Show all, scrolling; one line per figure.
int RunProgram(const QString &path, int repeat, bool utf8, int terms, bool searches, bool startupOnly)
{
    const auto entered = TClock::now();
    QTemporaryDir directory;
    if (!PlaceDatabase(path, directory.filePath(QStringLiteral("termins.db"))))
        Fail("cannot place the benchmark file beside the program");
    TForm1 form(directory.path() + QLatin1Char('/'));
    QWidget *viewport = form.DBGrid1->viewport();
    TPaintWatch watch(viewport);
    form.show();
    UntilPaintedAndIdle(watch);
    const auto painted = TClock::now();
    std::printf("painted_at_ns %lld\n", Nanoseconds(painted));
    Print("startup_in_process", {Milliseconds(painted - entered)});
    if (startupOnly)
        return 0;

    if (searches) {
        const std::vector<TSearch> list = Searches(path, terms, utf8);
        TBare bare(path, utf8);
        for (std::size_t i = 0; i < list.size(); ++i) {
            const TSearchRequest &request = list[i].request;
            form.Edit1->setText(request.Text);
            form.RadioGroup1->SetItemIndex(int(request.MatchKind));
            form.RadioGroup2->SetItemIndex(int(request.Field));
            form.ComboBox1->setCurrentIndex(request.CategoryIndex);
            if (ComposeSearchSQL(form.ReadSearchRequest()) != ComposeSearchSQL(request))
                Fail("the window's search differs from the floor's");
            // Floor (b) and the click take turns, so that whatever else the
            // machine does falls on both alike.
            const QStringList lines = ComposeSearchSQL(request);
            const QString countText = BareCountText(lines);
            std::vector<double> times, floor;
            for (int r = 0; r < repeat; ++r) {
                auto copy = std::make_unique<TFloorCopy>();
                const auto start = TClock::now();
                bare.Copy(TStrings::Joined(lines), *copy);
                bare.Count(countText);
                floor.push_back(Milliseconds(TClock::now() - start));
                times.push_back(ClickToIdle(watch, [&] { form.BitBtn1->click(); }));
            }
            Print(qPrintable(QStringLiteral("search%1").arg(i)), times);
            Print(qPrintable(QStringLiteral("floor_b%1").arg(i)), floor);
        }
    }

    // Show all from the start-up's thousand rows.
    form.Edit1->clear();
    form.RadioGroup1->SetItemIndex(0);
    form.RadioGroup2->SetItemIndex(0);
    form.ComboBox1->setCurrentIndex(0);
    ClickToIdle(watch, [&] { form.BitBtn1->click(); });
    const long before = StatusKiB("VmRSS");
    // Where the click's time goes: until every new row has arrived, then
    // until the grid's model has taken them, then until painted and idle.
    TClock::time_point clicked, arrived, filled;
    QObject::connect(&form.ClientDataSet1, &TClientDataSet::AboutToFill, [&] { arrived = TClock::now(); });
    QObject::connect(&form.ClientDataSet1, &TClientDataSet::Filled, [&] { filled = TClock::now(); });
    std::vector<double> showAll, afterRefill, toRows, toModel, cpu;
    long settledFirst = 0, peakFirst = 0;
    for (int r = 0; r < repeat; ++r) {
        const double cpuStart = ThreadCpuMilliseconds();
        showAll.push_back(ClickToIdle(watch, [&] {
            clicked = TClock::now();
            form.BitBtn2->click();
        }));
        cpu.push_back(ThreadCpuMilliseconds() - cpuStart);
        afterRefill.push_back(Milliseconds(TClock::now() - filled));
        toRows.push_back(Milliseconds(arrived - clicked));
        toModel.push_back(Milliseconds(filled - arrived));
        if (r == 0) {
            settledFirst = StatusKiB("VmRSS");
            peakFirst = StatusKiB("VmHWM");
        }
    }
    if (form.DBGrid1->model()->rowCount() != terms)
        Fail("Show all did not show every term");
    Print("showall", showAll);
    Print("refill_to_idle", afterRefill);
    Print("click_to_rows", toRows);
    Print("showall_cpu", cpu);
    Print("rows_to_model", toModel);
    Print("rss_before_kib", {double(before)});
    Print("rss_after_first_kib", {double(settledFirst)});
    Print("hwm_after_first_kib", {double(peakFirst)});
    Print("rss_after_all_kib", {double(StatusKiB("VmRSS"))});
    Print("hwm_after_all_kib", {double(StatusKiB("VmHWM"))});

    // Scrolling from the first row to the last, by Ctrl+End.
    std::vector<double> scroll;
    for (int r = 0; r < repeat; ++r) {
        // Back to the first row; when it is already there nothing paints.
        QTest::keyClick(form.DBGrid1, Qt::Key_Home, Qt::ControlModifier);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        scroll.push_back(ClickToIdle(watch, [&] { QTest::keyClick(form.DBGrid1, Qt::Key_End, Qt::ControlModifier); }));
    }
    if (form.DBGrid1->currentIndex().row() != terms - 1)
        Fail("Ctrl+End did not reach the last row");
    Print("scroll", scroll);
    return 0;
}

// Runs the child and collects its figures; `started` is when it was spawned.
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

// ---- the report ------------------------------------------------------------

QString DatabaseFor(const QString &directory, int terms, bool utf8)
{
    const QString path = QStringLiteral("%1/terms-%2-%3.db").arg(directory).arg(terms).arg(utf8 ? "utf8" : "utf16");
    if (!QFileInfo::exists(path)) {
        std::fprintf(stderr, "writing %s\n", qPrintable(path));
        WriteTermDatabase(path, SyntheticTerms(terms, 20261209), utf8 ? TTextEncoding::Utf8 : TTextEncoding::Utf16);
    }
    return path;
}

// The child for floor (a): one copy of every row in a fresh process, whose
// memory is as new as the program's at its first Show all.
int RunFloorA(const QString &path, bool utf8)
{
    TBare bare(path, utf8);
    auto copy = std::make_unique<TFloorCopy>();
    const double cpu = ThreadCpuMilliseconds();
    const auto start = TClock::now();
    bare.Copy(TStrings::Joined({ShowAllSQL()}), *copy);
    Print("floor_a", {Milliseconds(TClock::now() - start)});
    Print("floor_a_cpu", {ThreadCpuMilliseconds() - cpu});
    Print("raw_bytes", {double(copy->TextBytes())});
    Print("rows", {double(copy->rows)});
    return 0;
}

QStringList ChildArguments(const QString &path, int repeat, bool utf8, int terms, const char *mode)
{
    return {QStringLiteral("--program"), path, QStringLiteral("--repeat"), QString::number(repeat),
            QStringLiteral("--encoding"), QLatin1String(utf8 ? "utf8" : "utf16"), QStringLiteral("--terms"),
            QString::number(terms), QStringLiteral("--mode"), QLatin1String(mode)};
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
        auto floor = Spawn(ChildArguments(path, 1, utf8, 0, "floor"), &started);
        run.floor.push_back(floor[QStringLiteral("floor_a")].at(0));
        run.floorCpu.push_back(floor[QStringLiteral("floor_a_cpu")].at(0));
        run.rawBytes = std::size_t(floor[QStringLiteral("raw_bytes")].at(0));
        run.rows = std::size_t(floor[QStringLiteral("rows")].at(0));
        auto program = Spawn(ChildArguments(path, 1, utf8, terms, "showall"), &started);
        run.program.push_back(program[QStringLiteral("showall")].at(0));
        run.programCpu.push_back(program[QStringLiteral("showall_cpu")].at(0));
        run.toRows.push_back(program[QStringLiteral("click_to_rows")].at(0));
        run.toModel.push_back(program[QStringLiteral("rows_to_model")].at(0));
        run.added.push_back((program[QStringLiteral("rss_after_first_kib")].at(0) - program[QStringLiteral("rss_before_kib")].at(0)) * 1024);
        run.peak.push_back((program[QStringLiteral("hwm_after_first_kib")].at(0) - program[QStringLiteral("rss_before_kib")].at(0)) * 1024);
    }
    return run;
}

double Ratio(double a, double b)
{
    return b > 0 ? a / b : 0.0;
}

void Bench(const QString &path, int terms, int repeat, bool utf8)
{
    const char *encoding = utf8 ? "UTF-8" : "UTF-16";
    std::printf("\n## %d terms, stored as %s\n", terms, encoding);
    std::fflush(stdout);

    // Start-up: process start to the first painted window.
    std::vector<double> startup, inProcess;
    for (int r = 0; r < repeat; ++r) {
        TClock::time_point started;
        auto figures = Spawn(ChildArguments(path, 1, utf8, terms, "startup"), &started);
        startup.push_back((figures[QStringLiteral("painted_at_ns")].at(0) - double(Nanoseconds(started))) / 1e6);
        inProcess.push_back(figures[QStringLiteral("startup_in_process")].at(0));
    }

    TClock::time_point started;
    auto figures = Spawn(ChildArguments(path, repeat, utf8, terms, "full"), &started);
    const TShowAllRun run = ShowAllInTurns(path, utf8, terms, repeat);

    std::printf("\n### Start-up\n\n| step | min | median |\n|---|---:|---:|\n");
    std::printf("| process start to first painted window | %.1f | %.1f |\n", Stats(startup).min, Stats(startup).median);
    std::printf("| of which window made, shown and painted (in process) | %.1f | %.1f |\n", Stats(inProcess).min,
                Stats(inProcess).median);

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

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lexaran"));
    int terms = 1000000, repeat = 5;
    QString dataDir = QDir::currentPath(), encoding = QStringLiteral("both"), program, mode, curve;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--terms"))
            terms = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--repeat"))
            repeat = qMax(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--data-dir"))
            dataDir = args[i + 1];
        else if (args[i] == QLatin1String("--encoding"))
            encoding = args[i + 1];
        else if (args[i] == QLatin1String("--program"))
            program = args[i + 1];
        else if (args[i] == QLatin1String("--mode"))
            mode = args[i + 1];
        else if (args[i] == QLatin1String("--curve"))
            curve = args[i + 1];
    }
    if (!program.isEmpty() && mode == QLatin1String("floor"))
        return RunFloorA(program, encoding == QLatin1String("utf8"));
    if (!program.isEmpty()) {
        return RunProgram(program, repeat, encoding == QLatin1String("utf8"), terms, mode == QLatin1String("full"),
                          mode == QLatin1String("startup"));
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
            sizes.push_back(size.toInt());
        for (bool utf8 : forms)
            Curve(dataDir, sizes, repeat, utf8);
        return 0;
    }
    for (bool utf8 : forms)
        Bench(DatabaseFor(dataDir, terms, utf8), terms, repeat, utf8);
    return 0;
}
