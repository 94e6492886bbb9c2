#include "Program.h"

#include "Categories.h"
#include "Floors.h"
#include "SearchSQL.h"
#include "TDBGrid.h"
#include "TEdit.h"
#include "TRadioGroup.h"
#include "TStrings.h"
#include "Unit1.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lexaran::bench {

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
                const QString categoryText = category ? QString::fromUtf16(search::kCategories[17]) : QString();
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

namespace {

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

} // namespace

int RunProgram(const QString &path, int repeat, bool utf8, int terms, TChildRun run)
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
    if (run == TChildRun::Startup)
        return 0;

    if (run == TChildRun::Full) {
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
                bare.Copy(store::TStrings::Joined(lines), *copy);
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

} // namespace lexaran::bench
