#include "ErrorBoxRecorder.h"
#include "FixtureDb.h"
#include "OtherConnection.h"
#include "TDBGrid.h"
#include "TEdit.h"
#include "TStatusBar.h"
#include "Unit1.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstddef>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#endif

namespace {

constexpr std::size_t kHeadroom = 150u * 1024 * 1024;

#ifdef _WIN32
// The process's memory capped at what it commits now plus the headroom, by
// a job object that the process joins, for as long as the guard lives.
class TMemoryCap
{
public:
    TMemoryCap()
    {
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof counters;
        if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&counters),
                                  sizeof counters))
            return;
        job_ = CreateJobObjectW(nullptr, nullptr);
        if (!job_ || !AssignProcessToJobObject(job_, GetCurrentProcess()))
            return;
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_MEMORY;
        limits.ProcessMemoryLimit = counters.PrivateUsage + kHeadroom;
        set_ = SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits) != 0;
    }
    ~TMemoryCap()
    {
        Lift();
        if (job_)
            CloseHandle(job_);
    }
    TMemoryCap(const TMemoryCap &) = delete;
    TMemoryCap &operator=(const TMemoryCap &) = delete;

    bool IsSet() const { return set_; }
    // Whether the system holds the process to the cap: a commit of twice the
    // headroom must fail.
    static bool Enforced()
    {
        void *block = VirtualAlloc(nullptr, 2 * kHeadroom, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (!block)
            return true;
        VirtualFree(block, 0, MEM_RELEASE);
        return false;
    }
    // The process stays in the job; the job stops limiting it.
    bool Lift()
    {
        if (!set_)
            return true;
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        set_ = !SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return !set_;
    }

private:
    HANDLE job_ = nullptr;
    bool set_ = false;
};
#else
// The bytes of address space the process uses now.
rlim_t AddressSpaceInUse()
{
    std::ifstream statm("/proc/self/statm");
    unsigned long pages = 0;
    statm >> pages;
    return rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE));
}
#endif

} // namespace

class tst_OutOfMemory : public QObject
{
    Q_OBJECT

private slots:
    void showAllThatDoesNotFit();
};

void tst_OutOfMemory::showAllThatDoesNotFit()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer reserves more address space than any limit leaves");
#endif
    // A thousand terms for the start-up, then a hundred of a million
    // Cyrillic characters each: 200 MB as the file's UTF-8 (and as UTF-16),
    // more than the limit below allows.
    QTemporaryDir directory;
    MakeDatabase(directory.filePath(QStringLiteral("termins.db")), QStringLiteral(
        "create table termin_items (id INTEGER PRIMARY KEY, rus TEXT, kaz TEXT, cat TEXT, rus_upper TEXT, kaz_upper TEXT);"
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 1000)"
        " insert into termin_items select i, 'рус' || i, 'қаз' || i, 'Химия', 'РУС' || i, 'ҚАЗ' || i from n;"
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 100)"
        " insert into termin_items (rus, kaz, cat, rus_upper, kaz_upper)"
        " select replace(hex(zeroblob(500000)), '0', 'ж'), 'ұзын', 'Химия', 'ҰЗЫН', 'ҰЗЫН' from n;"));

    TErrorBoxRecorder boxes;
    TForm1 form(directory.path() + QLatin1Char('/'));
    QCOMPARE(form.DBGrid1->model()->rowCount(), 1000);

#ifdef _WIN32
    {
        TMemoryCap cap;
        QVERIFY(cap.IsSet());
        if (!TMemoryCap::Enforced())
            QSKIP("this system does not enforce a job object's memory limit (wine does not)");
        form.BitBtn2->click();
        QVERIFY(cap.Lift());
    }
#else
    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_AS, &previous), 0);
    rlimit limited = previous;
    limited.rlim_cur = AddressSpaceInUse() + kHeadroom;
    QCOMPARE(setrlimit(RLIMIT_AS, &limited), 0);
    form.BitBtn2->click();
    QCOMPARE(setrlimit(RLIMIT_AS, &previous), 0);
#endif

    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("out of memory.")});
    QCOMPARE(form.DBGrid1->model()->rowCount(), 1000);
    QCOMPARE(form.DBGrid1->model()->index(999, 1).data().toString(), QStringLiteral("қаз1000"));

    // The copy stopped part way, yet holds no read of the file: another
    // program writes at once.
    QCOMPARE(TOtherConnection(directory.filePath(QStringLiteral("termins.db")))
                 .Execute(QStringLiteral("insert into termin_items (rus, kaz, cat, rus_upper, kaz_upper)"
                                         " values ('жаңа', 'жаңа', 'Химия', 'ЖАҢА', 'ЖАҢА')")),
             QString());

    // The program goes on: the next search works.
    form.Edit1->setText(QStringLiteral("ұзын"));
    form.BitBtn1->click();
    QCOMPARE(boxes.Texts().size(), 1);
    QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("Сұраныс бойынша 100 термин табылды"));
}

QTEST_MAIN(tst_OutOfMemory)
#include "tst_outofmemory.moc"
