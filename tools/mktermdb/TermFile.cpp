#include "TermFile.h"

#include "Categories.h"
#include "EngineHandles.h"
#include "TextCase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lexaran::tools {

using lexaran::search::kCategories;

using lexaran::text::UpperCaseSimple;

std::vector<TTermEntry> ReadTermsTsv(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TTermFileError(QStringLiteral("%1: %2").arg(path, file.errorString()).toStdString());

    std::vector<TTermEntry> entries;
    int lineNumber = 0;
    while (!file.atEnd()) {
        QByteArray bytes = file.readLine();
        ++lineNumber;
        auto fail = [&](const QString &why) {
            throw TTermFileError(QStringLiteral("%1:%2: %3").arg(path).arg(lineNumber).arg(why).toStdString());
        };
        if (bytes.endsWith('\n'))
            bytes.chop(1);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        if (bytes.trimmed().isEmpty())
            continue;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = decoder.decode(bytes);
        if (decoder.hasError())
            fail(QStringLiteral("not valid UTF-8"));
        const QStringList fields = line.split(u'\t');
        if (fields.size() != 3)
            fail(QStringLiteral("expected 3 tab-separated fields (rus, kaz, cat), found %1").arg(fields.size()));
        for (const QString &field : fields) {
            if (field.trimmed().isEmpty())
                fail(QStringLiteral("empty field"));
        }
        entries.push_back({fields[0], fields[1], fields[2]});
    }
    return entries;
}

namespace {

const char16_t *const kRussianSyllables[] = {
    u"ра", u"ло", u"ми", u"ве", u"ст", u"ко", u"ни", u"та", u"пре", u"об", u"за", u"ка", u"ни",
    u"ро", u"тель", u"ние", u"ва", u"ск", u"гра", u"дно", u"ство", u"мо", u"ле", u"ци", u"ду",
    u"жи", u"щи", u"вы", u"ёж", u"ль", u"пол", u"тер", u"мин", u"вод", u"раз",
};
const char16_t *const kKazakhSyllables[] = {
    u"қа", u"ла", u"ғы", u"ын", u"ұр", u"өн", u"ді", u"са", u"тү", u"бі", u"ңі", u"әл", u"кө",
    u"мұ", u"рі", u"жа", u"ты", u"шы", u"лық", u"тар", u"дің", u"ер", u"құ", u"ғар", u"һа",
    u"үй", u"су", u"ма", u"ке", u"іс", u"бол", u"ту", u"сөз",
};

template <std::size_t N>
QString Word(std::mt19937_64 &random, const char16_t *const (&syllables)[N])
{
    QString word;
    const int parts = 2 + int(random() % 3);
    for (int i = 0; i < parts; ++i)
        word += QString::fromUtf16(syllables[random() % N]);
    return word;
}

template <std::size_t N>
QString Term(std::mt19937_64 &random, const char16_t *const (&syllables)[N])
{
    QString term = Word(random, syllables);
    const int words = int(random() % 3);
    for (int i = 0; i < words; ++i)
        term += u' ' + Word(random, syllables);
    return term;
}

void Check(sqlite3 *db, int rc)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw TTermFileError(sqlite3_errmsg(db));
}

void Exec(sqlite3 *db, const char *sql)
{
    Check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr));
}

void BindText(sqlite3 *db, sqlite3_stmt *stmt, int index, const QString &text)
{
    Check(db, sqlite3_bind_text16(stmt, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT));
}

// The scratch file under its reserved name, removed unless kept: a write
// that fails leaves nothing behind.
class TScratchFile
{
public:
    explicit TScratchFile(QString name) : name_(std::move(name)) {}
    TScratchFile(const TScratchFile &) = delete;
    TScratchFile &operator=(const TScratchFile &) = delete;
    ~TScratchFile()
    {
        if (!kept_)
            QFile::remove(name_);
    }
    void Keep() noexcept { kept_ = true; }

private:
    QString name_;
    bool kept_ = false;
};

// Moves `from` to `to`, replacing a file there in one step; the system's
// reason when it refuses, or an empty string.
QString MoveReplacing(const QString &from, const QString &to)
{
#ifdef _WIN32
    const std::wstring source = QDir::toNativeSeparators(from).toStdWString();
    const std::wstring destination = QDir::toNativeSeparators(to).toStdWString();
    if (MoveFileExW(source.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return QString();
    return qt_error_string(int(GetLastError()));
#else
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData(), error);
    return error ? QString::fromStdString(error.message()) : QString();
#endif
}

} // namespace

std::vector<TTermEntry> SyntheticTerms(int count, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    // Entry 0 of the category list means all categories; the rest are subjects.
    const std::span<const char16_t *const> categories = kCategories.subspan(1);
    std::vector<TTermEntry> entries;
    entries.reserve(std::size_t(qMax(count, 0)));
    for (int i = 0; i < count; ++i) {
        entries.push_back({Term(random, kRussianSyllables), Term(random, kKazakhSyllables),
                           QString::fromUtf16(categories[std::size_t(i) % categories.size()])});
    }
    return entries;
}

void WriteTermDatabase(const QString &path, const std::vector<TTermEntry> &entries, TTextEncoding encoding)
{
    const QFileInfo target(path);
    auto fail = [&](const QString &why) {
        throw TTermFileError(QStringLiteral("%1: %2").arg(path, why).toStdString());
    };
    // The temporary file only reserves a fresh name beside the target. Its
    // close() keeps the handle open (it merely rewinds), and Windows neither
    // moves nor replaces a file that anyone holds open, so the handle goes
    // with the object before the engine writes under that name.
    QString scratchName;
    {
        QTemporaryFile reserved(target.absolutePath() + QLatin1String("/.termdb-XXXXXX"));
        if (!reserved.open())
            fail(reserved.errorString());
        reserved.setAutoRemove(false);
        scratchName = reserved.fileName();
    }
    TScratchFile scratch(scratchName);

    {
        sqlite3 *raw = nullptr;
        // The engine takes file names as UTF-8 on every platform.
        const int rc = sqlite3_open(scratchName.toUtf8().constData(), &raw);
        TDbHandle db(raw);
        Check(db.get(), rc);
        Exec(db.get(), encoding == TTextEncoding::Utf16 ? "pragma encoding = 'UTF-16le'" : "pragma encoding = 'UTF-8'");
        Exec(db.get(), "create table termin_items (id INTEGER PRIMARY KEY, rus VARCHAR(255), kaz VARCHAR(255), "
                       "cat VARCHAR(255), rus_upper VARCHAR(255), kaz_upper VARCHAR(255))");
        Exec(db.get(), "begin");
        sqlite3_stmt *rawStmt = nullptr;
        Check(db.get(), sqlite3_prepare_v2(db.get(),
                                           "insert into termin_items (rus, kaz, cat, rus_upper, kaz_upper) "
                                           "values (?, ?, ?, ?, ?)", -1, &rawStmt, nullptr));
        TStmtHandle insert(rawStmt);
        for (const TTermEntry &entry : entries) {
            BindText(db.get(), insert.get(), 1, entry.Rus);
            BindText(db.get(), insert.get(), 2, entry.Kaz);
            BindText(db.get(), insert.get(), 3, entry.Cat);
            BindText(db.get(), insert.get(), 4, UpperCaseSimple(entry.Rus));
            BindText(db.get(), insert.get(), 5, UpperCaseSimple(entry.Kaz));
            Check(db.get(), sqlite3_step(insert.get()));
            Check(db.get(), sqlite3_reset(insert.get()));
        }
        insert.reset();
        Exec(db.get(), "commit");
        // With its one statement finalized the connection closes here, at
        // once, and lets go of the file before it is moved.
    }

    // A dictionary is for everyone to read, like any file a user writes.
    QFile::setPermissions(scratchName, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const QString moved = MoveReplacing(scratchName, target.absoluteFilePath());
    if (!moved.isEmpty())
        fail(moved);
    scratch.Keep();
}

} // namespace lexaran::tools
