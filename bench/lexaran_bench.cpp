// Measures the dictionary's store and grid on a synthetic term base, each
// figure beside the floor: the same statements run through a bare loop over
// the engine's C API in the same run.
//
//   lexaran_bench [--terms N] [--repeat R] [--data-dir DIR] [--encoding utf8|utf16|both]

#include "SQLText.h"
#include "SearchSQL.h"
#include "TClientDataSet.h"
#include "TDBGrid.h"
#include "TDataSetProvider.h"
#include "TSQLConnection.h"
#include "TSQLQuery.h"
#include "TStrings.h"
#include "TermFile.h"
#include "Unit1.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

struct TStats
{
    double min = 0;
    double median = 0;
};

TStats Measure(int repeat, const std::function<void()> &run)
{
    std::vector<double> times;
    for (int i = 0; i < repeat; ++i) {
        const auto start = TClock::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(TClock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2]};
}

// ---- the floor: a bare loop over the C API --------------------------------

struct TBareRows
{
    std::vector<long long> ids;
    std::vector<std::u16string> texts;
};

struct TCloseDb { void operator()(sqlite3 *db) const { sqlite3_close_v2(db); } };
struct TFinalize { void operator()(sqlite3_stmt *stmt) const { sqlite3_finalize(stmt); } };

class TBare
{
public:
    explicit TBare(const QString &path)
    {
        sqlite3 *raw = nullptr;
        sqlite3_open16(path.utf16(), &raw);
        db_.reset(raw);
    }

    // Prepares from UTF-16, steps to the end copying the first four columns
    // (an integer and three texts), as the result set does.
    std::size_t Copy(const QString &text, TBareRows &rows)
    {
        std::unique_ptr<sqlite3_stmt, TFinalize> stmt(Prepare(text));
        while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
            rows.ids.push_back(sqlite3_column_int64(stmt.get(), 0));
            for (int c = 1; c < 4; ++c) {
                const auto *chars = static_cast<const char16_t *>(sqlite3_column_text16(stmt.get(), c));
                rows.texts.emplace_back(chars ? chars : u"", std::size_t(sqlite3_column_bytes16(stmt.get(), c) / 2));
            }
        }
        return rows.ids.size();
    }

    long long Count(const QString &text)
    {
        std::unique_ptr<sqlite3_stmt, TFinalize> stmt(Prepare(text));
        return sqlite3_step(stmt.get()) == SQLITE_ROW ? sqlite3_column_int64(stmt.get(), 0) : -1;
    }

    QString Text(const char *sql)
    {
        std::unique_ptr<sqlite3_stmt, TFinalize> stmt(Prepare(QString::fromUtf8(sql)));
        if (sqlite3_step(stmt.get()) != SQLITE_ROW)
            return {};
        return QString::fromUtf16(static_cast<const char16_t *>(sqlite3_column_text16(stmt.get(), 0)));
    }

private:
    sqlite3_stmt *Prepare(const QString &text)
    {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare16_v2(db_.get(), text.utf16(), int(text.size() * 2), &stmt, nullptr);
        return stmt;
    }

    std::unique_ptr<sqlite3, TCloseDb> db_;
};

// The statement text the query hands over for these lines.
QString Joined(const QStringList &lines)
{
    TStrings sql;
    for (const QString &line : lines)
        sql.Add(line);
    return sql.Text();
}

QString BareCountText(const QStringList &lines)
{
    const QString text = Joined(lines);
    return ComposeCountSQL(text, TableNameFromSQL(text), u'"').trimmed();
}

// ---- the store, wired as the window wires it ------------------------------

struct TStore
{
    explicit TStore(const QString &path)
    {
        connection.Params = {QStringLiteral("DriverName=Sqlite"), QLatin1String("Database=") + path,
                             QStringLiteral("FailIfMissing=False")};
        connection.Open();
        dataSet.setObjectName(QStringLiteral("ClientDataSet1"));
    }

    void Run(const QStringList &lines)
    {
        query.SQL.Clear();
        for (const QString &line : lines)
            query.SQL.Add(line);
        query.Open();
    }

    TSQLConnection connection;
    TSQLQuery query{&connection};
    TDataSetProvider provider{&query};
    TClientDataSet dataSet{&provider};
};

struct TRow
{
    QString name;
    TStats store;
    TStats bare;
};

void PrintRows(const char *title, const std::vector<TRow> &rows)
{
    std::printf("\n### %s\n\n| step | store min | store median | bare min | bare median | ratio (min) |\n|---|---:|---:|---:|---:|---:|\n", title);
    for (const TRow &row : rows) {
        std::printf("| %s | %.2f | %.2f | %.2f | %.2f | %.3f |\n", qPrintable(row.name), row.store.min, row.store.median,
                    row.bare.min, row.bare.median, row.bare.min > 0 ? row.store.min / row.bare.min : 0.0);
    }
}

QString DatabaseFor(const QString &directory, int terms, TTextEncoding encoding)
{
    const QString path = QStringLiteral("%1/terms-%2-%3.db")
                             .arg(directory).arg(terms).arg(encoding == TTextEncoding::Utf8 ? "utf8" : "utf16");
    if (!QFileInfo::exists(path)) {
        std::fprintf(stderr, "writing %s\n", qPrintable(path));
        WriteTermDatabase(path, SyntheticTerms(terms, 20261209), encoding);
    }
    return path;
}

long PeakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void Bench(const QString &path, int terms, int repeat, const char *encodingName)
{
    std::printf("\n## %d terms, stored as %s\n", terms, encodingName);
    TBare bare(path);
    const QString rareRus = bare.Text(qPrintable(QStringLiteral("select rus from termin_items where id = %1").arg(terms * 7 / 10)));
    const QString rareKaz = bare.Text(qPrintable(QStringLiteral("select kaz from termin_items where id = %1").arg(terms * 7 / 10)));

    // Start-up: statement, opening fill and count.
    std::vector<TRow> startup;
    {
        const QStringList lines{StartupSQL()};
        TRow row{QStringLiteral("start-up"), {}, {}};
        row.store = Measure(repeat, [&] {
            TStore store(path);
            store.Run(lines);
            store.dataSet.Open();
            store.query.RecordCount();
        });
        row.bare = Measure(repeat, [&] {
            TBare floor(path);
            TBareRows rows;
            floor.Copy(Joined(lines), rows);
            floor.Count(BareCountText(lines));
        });
        startup.push_back(row);
    }
    PrintRows("Start-up", startup);

    // Every search kind on each field, with and without a category, for a
    // common and a rare word.
    std::vector<TRow> searches;
    {
        TStore store(path);
        store.Run({StartupSQL()});
        store.dataSet.Open();
        const char *kinds[] = {"contains", "begins", "equals"};
        const char *fields[] = {"both", "Russian", "Kazakh"};
        for (int word = 0; word < 2; ++word) {
            for (int kind = 0; kind < 3; ++kind) {
                for (int field = 0; field < 3; ++field) {
                    for (int category = 0; category < 2; ++category) {
                        QString text = word == 0 ? (field == sfKazakh ? QStringLiteral("қа") : QStringLiteral("ра"))
                                                 : (field == sfKazakh ? rareKaz : rareRus);
                        if (word == 0 && kind == mkEquals)
                            text = field == sfKazakh ? QStringLiteral("қала") : QStringLiteral("рало");
                        const QStringList lines = ComposeSearchSQL(
                            {text, TMatchKind(kind), TSearchField(field), category ? 17 : 0, QStringLiteral("Медицина")});
                        TRow row{QStringLiteral("%1 %2, %3%4").arg(word == 0 ? "common" : "rare", kinds[kind], fields[field],
                                                                   category ? ", category" : ""), {}, {}};
                        row.store = Measure(repeat, [&] {
                            store.Run(lines);
                            store.dataSet.Refresh();
                            store.query.RecordCount();
                        });
                        const QString countText = BareCountText(lines);
                        row.bare = Measure(repeat, [&] {
                            TBareRows rows;
                            bare.Copy(Joined(lines), rows);
                            bare.Count(countText);
                        });
                        searches.push_back(row);
                    }
                }
            }
        }
    }
    PrintRows("Searches (statement, refresh and count)", searches);

    // Show all: the statement and the refresh that copies every term.
    std::vector<TRow> showAll;
    std::size_t setBytes = 0, rawBytes = 0;
    int rowCount = 0;
    {
        TStore store(path);
        store.Run({StartupSQL()});
        store.dataSet.Open();
        TRow row{QStringLiteral("show all"), {}, {}};
        row.store = Measure(repeat, [&] {
            store.Run({ShowAllSQL()});
            store.dataSet.Refresh();
        });
        row.bare = Measure(repeat, [&] {
            TBareRows rows;
            rows.ids.reserve(std::size_t(terms));
            bare.Copy(Joined({ShowAllSQL()}), rows);
        });
        showAll.push_back(row);
        setBytes = store.dataSet.ByteSize();
        rowCount = store.dataSet.RecordCount();
        const TRowBuffer &rows = store.dataSet.Rows();
        for (int r = 0; r < rowCount; ++r) {
            for (int f = 1; f < 4; ++f)
                rawBytes += std::size_t(rows.Text(r, f).size()) * 2;
        }
    }
    PrintRows("Show all", showAll);
    const double limit = 1.25 * double(rawBytes) + 32.0 * rowCount;
    std::printf("\n### Memory after show all\n\n| rows | raw UTF-16 bytes | result set bytes | ratio | limit (1.25 x raw + 32/row) | within |\n"
                "|---:|---:|---:|---:|---:|---|\n| %d | %zu | %zu | %.3f | %.0f | %s |\n",
                rowCount, rawBytes, setBytes, double(setBytes) / double(rawBytes), limit, setBytes <= limit ? "yes" : "no");

    // The grid: from Show all to the first paint, and scrolling to the end.
    {
        QTemporaryDir directory;
        QFile::link(QFileInfo(path).absoluteFilePath(), directory.filePath(QStringLiteral("termins.db")));
        TForm1 form(directory.path() + QLatin1Char('/'));
        form.show();
        QCoreApplication::processEvents();
        std::vector<double> refresh, paint, scroll;
        for (int i = 0; i < repeat; ++i) {
            form.DBGrid1->scrollToTop();
            const auto start = TClock::now();
            form.BitBtn2->click();
            const auto filled = TClock::now();
            form.repaint();
            const auto painted = TClock::now();
            form.DBGrid1->scrollToBottom();
            form.DBGrid1->viewport()->repaint();
            const auto scrolled = TClock::now();
            refresh.push_back(std::chrono::duration<double, std::milli>(filled - start).count());
            paint.push_back(std::chrono::duration<double, std::milli>(painted - filled).count());
            scroll.push_back(std::chrono::duration<double, std::milli>(scrolled - painted).count());
        }
        for (auto *times : {&refresh, &paint, &scroll})
            std::sort(times->begin(), times->end());
        std::printf("\n### Grid (offscreen)\n\n| step | min | median |\n|---|---:|---:|\n");
        std::printf("| show all: click to refreshed set | %.2f | %.2f |\n", refresh.front(), refresh[refresh.size() / 2]);
        std::printf("| first paint after the refresh | %.2f | %.2f |\n", paint.front(), paint[paint.size() / 2]);
        std::printf("| scroll to the last row and paint | %.2f | %.2f |\n", scroll.front(), scroll[scroll.size() / 2]);
        std::printf("\ngrid rows: %d\n", form.DBGrid1->model()->rowCount());
    }
    std::printf("\npeak resident memory so far: %ld KiB\n", PeakResidentKiB());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lexaran"));
    int terms = 1000000, repeat = 5;
    QString dataDir = QDir::currentPath(), encoding = QStringLiteral("both");
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
    }
    QDir().mkpath(dataDir);
    try {
        if (encoding != QLatin1String("utf16"))
            Bench(DatabaseFor(dataDir, terms, TTextEncoding::Utf8), terms, repeat, "UTF-8");
        if (encoding != QLatin1String("utf8"))
            Bench(DatabaseFor(dataDir, terms, TTextEncoding::Utf16), terms, repeat, "UTF-16");
    } catch (const std::exception &error) {
        std::fprintf(stderr, "lexaran_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
