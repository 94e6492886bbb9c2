#include "ImportCommand.h"

#include "TermImport.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTextStream>

#include <atomic>
#include <csignal>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace lexaran::tools {

using namespace lexaran::importer;

namespace {

// Set when the user or the system asks the command to stop (Ctrl+C, a
// termination request, the console closing); the import then cancels at
// its next progress report and removes its scratch file.
std::atomic<bool> stopRequested{false};

#ifdef _WIN32
// Set once the command has cleaned up, so that a closing console, which
// ends the process as soon as the handler returns, waits for it.
HANDLE cleanedUp = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event)
{
    stopRequested = true;
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        if (cleanedUp)
            WaitForSingleObject(cleanedUp, 4000);
    }
    return TRUE;
}
#else
extern "C" void OnSignal(int)
{
    stopRequested = true;
}
#endif

void CatchStops()
{
#ifdef _WIN32
    cleanedUp = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#else
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaction(signal, &action, nullptr);
    // A closed terminal's pipe: an error on writing, not death.
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

void Cleaned()
{
#ifdef _WIN32
    if (cleanedUp)
        SetEvent(cleanedUp);
#endif
}

bool IsTerminal(std::FILE *stream)
{
#ifdef _WIN32
    return _isatty(_fileno(stream));
#else
    return isatty(fileno(stream));
#endif
}

// Kazakh text to a standard stream: UTF-8 bytes, and on a Windows console
// its own wide-character call, so that the letters show whatever its code
// page.
void Print(std::FILE *stream, const QString &text)
{
#ifdef _WIN32
    HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (IsTerminal(stream) && GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        DWORD written = 0;
        WriteConsoleW(handle, text.utf16(), DWORD(text.size()), &written, nullptr);
        return;
    }
#endif
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

const QString kUsage = QStringLiteral(
    "Қолданылуы: lexaran-import ТІЗІМ --out ФАЙЛ [--sheet ПАРАҚ] [--columns О,Қ[,С]]\n"
    "\n"
    "Терминдер тізімінен (Excel .xlsx, LibreOffice .ods, .csv немесе .tsv, TBX) Lexaran сөздігінің\n"
    "termins.db файлын жасайды.\n"
    "\n"
    "  --out ФАЙЛ         жазылатын сөздік файлы (бар файл тек сәтті аяқталғанда ауыстырылады)\n"
    "  --sheet ПАРАҚ      .xlsx/.ods кітабының оқылатын парағы (әдепкіде бірінші парақ)\n"
    "  --columns О,Қ[,С]  орысша, қазақша және сала бағандары: нөмірі (1-ден) не әрпі (A, B, C);\n"
    "                     сала бағаны болмаса, оны жазбаңыз немесе 0 деп жазыңыз\n"
    "  --help             осы анықтаманы шығарады\n"
    "\n"
    "Шығу кодтары: 0 — сөздік жазылды, 1 — тізім қабылданбады (ештеңе жазылған жоқ), 2 — команда қате "
    "жазылған.\n");

int Usage(const QString &why)
{
    Print(stderr, QStringLiteral("lexaran-import: %1\n\n").arg(why) + kUsage);
    return 2;
}

QString Lines(const std::vector<std::int64_t> &lines, std::int64_t count)
{
    QStringList numbers;
    for (std::int64_t line : lines)
        numbers << QString::number(line);
    QString text = numbers.join(QStringLiteral(", "));
    if (count > std::int64_t(lines.size()))
        text += QStringLiteral(", …");
    return text;
}

QString Summary(const QString &output, const TImportSummary &summary)
{
    QString text = QStringLiteral("%1: %2 термин жазылды.\n").arg(output).arg(summary.TermsWritten);
    for (const TImportSummary::TSkipped &skipped : summary.Skipped) {
        text += QStringLiteral("Өткізіліп кетті — %1: %2 (жолдар: %3).\n")
                    .arg(skipped.Reason)
                    .arg(skipped.Count)
                    .arg(Lines(skipped.FirstLines, skipped.Count));
    }
    for (const TImportSummary::TSkipped &remark : summary.Remarks) {
        text += QStringLiteral("Назар аударыңыз — %1: %2 (жолдар: %3).\n")
                    .arg(remark.Reason)
                    .arg(remark.Count)
                    .arg(Lines(remark.FirstLines, remark.Count));
    }
    if (!summary.UnknownCategories.empty()) {
        text += QStringLiteral("Бағдарламаның салалар тізімінде жоқ салалар (олардың терминдері тек «Барлық "
                               "категория» таңдалғанда табылады):\n");
        for (const auto &[category, count] : summary.UnknownCategories) {
            text += QStringLiteral("  %1: %2\n")
                        .arg(category.isEmpty() ? QStringLiteral("(саласы жазылмаған)")
                                                : QStringLiteral("«%1»").arg(category))
                        .arg(count);
        }
    }
    return text;
}

} // namespace

std::optional<TColumnsArgument> ParseColumns(const QString &text)
{
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("[,;]")));
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    int columns[3] = {-1, -1, -1};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString part = parts[i].trimmed().toUpper();
        bool ok = false;
        const int number = part.toInt(&ok);
        if (ok && number >= 1 && number <= 16384) {
            columns[i] = number - 1;
        } else if (ok && number == 0 && i == 2) {
            columns[i] = -1;
        } else if (part == u"-" && i == 2) {
            columns[i] = -1;
        } else if (!part.isEmpty() && part.size() <= 3
                   && std::all_of(part.begin(), part.end(), [](QChar c) { return c >= u'A' && c <= u'Z'; })) {
            int column = 0;
            for (QChar c : part)
                column = column * 26 + (c.unicode() - u'A' + 1);
            columns[i] = column - 1;
        } else {
            return std::nullopt;
        }
    }
    if (columns[0] < 0 || columns[1] < 0 || columns[0] == columns[1] || columns[2] == columns[0]
        || columns[2] == columns[1])
        return std::nullopt;
    return TColumnsArgument{columns[0], columns[1], columns[2]};
}

int RunImportCommand(const QStringList &arguments)
{
    QString input, output;
    TImportOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == u"--help" || argument == u"-h") {
            Print(stdout, kUsage);
            return 0;
        }
        if (argument == u"--out" || argument == u"--sheet" || argument == u"--columns") {
            if (!hasValue)
                return Usage(QStringLiteral("«%1» параметрінің мәні жазылмаған.").arg(argument));
            const QString value = arguments[++i];
            if (argument == u"--out") {
                output = value;
            } else if (argument == u"--sheet") {
                options.Sheet = value;
            } else {
                const std::optional<TColumnsArgument> columns = ParseColumns(value);
                if (!columns)
                    return Usage(QStringLiteral("«%1» — бағандар дұрыс жазылмаған (мысалы: 1,2,3 немесе A,B).")
                                     .arg(value));
                options.Columns = TColumnMap{columns->Rus, columns->Kaz, columns->Cat};
            }
        } else if (argument.startsWith(u"--") && argument.size() > 2) {
            return Usage(QStringLiteral("«%1» деген параметр жоқ.").arg(argument));
        } else if (input.isEmpty()) {
            input = argument;
        } else {
            return Usage(QStringLiteral("терминдер тізімі бір ғана болады, ал «%1» артық.").arg(argument));
        }
    }
    if (input.isEmpty())
        return Usage(QStringLiteral("терминдер тізімінің файлы жазылмаған."));
    if (output.isEmpty())
        return Usage(QStringLiteral("сөздік файлы жазылмаған (--out ФАЙЛ)."));

    CatchStops();
    const bool showProgress = IsTerminal(stderr);
    QElapsedTimer sinceShown;
    sinceShown.start();
    bool shown = false;
    auto progress = [&](const TProgress &at) {
        if (stopRequested)
            return false;
        if (showProgress && sinceShown.elapsed() >= 200) {
            sinceShown.restart();
            const int percent = at.BytesTotal > 0 ? int(100 * at.BytesRead / at.BytesTotal) : 0;
            Print(stderr, QStringLiteral("\r%1 жол оқылды (%2%)").arg(at.RowsRead).arg(std::min(percent, 100)));
            shown = true;
        }
        return true;
    };
    auto endProgress = [&] {
        if (shown)
            Print(stderr, QStringLiteral("\r\x1b[K"));
    };
    try {
        const TImportSummary summary = Import(input, output, options, progress);
        endProgress();
        Cleaned();
        Print(stdout, Summary(output, summary));
        return 0;
    } catch (const TImportCancelled &cancelled) {
        endProgress();
        Cleaned();
        Print(stderr, QStringLiteral("lexaran-import: %1\n").arg(QString::fromUtf8(cancelled.what())));
        return 1;
    } catch (const std::exception &error) {
        endProgress();
        Cleaned();
        Print(stderr, QStringLiteral("lexaran-import: %1\n").arg(QString::fromUtf8(error.what())));
        return 1;
    } catch (...) {
        Cleaned();
        Print(stderr, QStringLiteral("lexaran-import: күтпеген қате, ештеңе жазылған жоқ.\n"));
        return 1;
    }
}

} // namespace lexaran::tools
