#include "TTermWriter.h"

#include "TImportText.h"
#include "TermImport.h"
#include "TextCase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lexaran::importer {

using lexaran::text::UpperCaseSimple;

void TCloseDb::operator()(sqlite3 *db) const noexcept
{
    sqlite3_close_v2(db);
}

void TFinalize::operator()(sqlite3_stmt *stmt) const noexcept
{
    sqlite3_finalize(stmt);
}

namespace {

// Moves `from` to `to`, replacing a file there in one step; false when the
// system refuses.
bool MoveReplacing(const QString &from, const QString &to)
{
#ifdef _WIN32
    const std::wstring source = QDir::toNativeSeparators(from).toStdWString();
    const std::wstring destination = QDir::toNativeSeparators(to).toStdWString();
    return MoveFileExW(source.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData(), error);
    return !error;
#endif
}

// The file a chain of symbolic links ends at (a dangling one included).
QString FollowLinks(const QString &path)
{
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 32; ++hops) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            break;
        current = info.symLinkTarget();
    }
    return current;
}

std::uint64_t Hash(const QString &rus, const QString &kaz, const QString &cat)
{
    // FNV-1a over the three texts with a separator no text holds.
    std::uint64_t hash = 14695981039346656037ULL;
    auto mix = [&hash](const QString &text) {
        for (QChar c : text) {
            hash ^= c.unicode();
            hash *= 1099511628211ULL;
        }
        hash ^= 0xFFFFu;
        hash *= 1099511628211ULL;
    };
    mix(rus);
    mix(kaz);
    mix(cat);
    return hash;
}

QString ColumnText(sqlite3_stmt *stmt, int column)
{
    const void *text = sqlite3_column_text16(stmt, column);
    const int bytes = sqlite3_column_bytes16(stmt, column);
    return text ? QString::fromUtf16(static_cast<const char16_t *>(text), bytes / 2) : QString();
}

} // namespace

TTermWriter::TTermWriter(const QString &target)
    : shown_(ShownName(target)), target_(FollowLinks(target))
{
    const QFileInfo info(target_);
    if (!info.dir().exists()) {
        throw TImportError(QStringLiteral("%1: «%2» қалтасы жоқ. Сөздікті бар қалтаға жазыңыз.")
                               .arg(shown_, ShownName(info.absolutePath()))
                               .toStdString());
    }
    if (info.isDir())
        throw TImportError(QStringLiteral("%1: бұл — қалта. Сөздік файлының атын беріңіз.").arg(shown_).toStdString());
    // The temporary file only reserves a fresh name beside the target; its
    // handle goes with the object (Windows moves no file anyone holds open).
    {
        QTemporaryFile reserved(info.absolutePath() + QLatin1String("/.termins-XXXXXX"));
        if (!reserved.open())
            Fail(QStringLiteral("қалтаға жазу мүмкін емес. Қалтаға жазуға рұқсатыңыз бар екенін тексеріңіз."));
        reserved.setAutoRemove(false);
        scratch_ = reserved.fileName();
    }
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open(scratch_.toUtf8().constData(), &raw);
    db_.reset(raw);
    Check(rc);
    // The length of every text column is fixed in the table's declaration
    // once the longest value is known, at the end.
    sqlite3_db_config(db_.get(), SQLITE_DBCONFIG_DEFENSIVE, 0, nullptr);
    // A scratch file has nothing to roll back to: no journal; one sync at
    // the end, before the file is moved into place.
    Exec("pragma journal_mode = off");
    Exec("pragma synchronous = full");
    Exec("pragma encoding = 'UTF-8'");
    Exec("create table termin_items (id INTEGER PRIMARY KEY, rus VARCHAR(1), kaz VARCHAR(1), cat VARCHAR(1), "
         "rus_upper VARCHAR(1), kaz_upper VARCHAR(1))");
    Exec("begin");
    sqlite3_stmt *stmt = nullptr;
    Check(sqlite3_prepare_v2(db_.get(),
                             "insert into termin_items (id, rus, kaz, cat, rus_upper, kaz_upper) "
                             "values (?, ?, ?, ?, ?, ?)",
                             -1, &stmt, nullptr));
    insert_.reset(stmt);
    Check(sqlite3_prepare_v2(db_.get(), "select rus, kaz, cat from termin_items where id = ?", -1, &stmt, nullptr));
    lookup_.reset(stmt);
    seen_.assign(1 << 16, 0);
}

TTermWriter::~TTermWriter()
{
    lookup_.reset();
    insert_.reset();
    db_.reset();
    if (!committed_ && !scratch_.isEmpty())
        QFile::remove(scratch_);
}

void TTermWriter::Fail(const QString &why) const
{
    QString message = QStringLiteral("%1: сөздік файлын жазу мүмкін емес").arg(shown_);
    message += why.isEmpty() ? QStringLiteral(". Дискіде орын бар екенін және қалтаға жазуға рұқсатыңыз бар екенін "
                                              "тексеріңіз.")
                             : QStringLiteral(": ") + why;
    throw TImportError(message.toStdString());
}

void TTermWriter::Check(int rc) const
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        Fail();
}

void TTermWriter::Exec(const char *sql) const
{
    Check(sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr));
}

bool TTermWriter::SeenBefore(std::uint64_t hash, const QString &rus, const QString &kaz, const QString &cat)
{
    const std::uint64_t mask = seen_.size() - 1;
    const std::uint64_t tag = hash >> 32;
    for (std::uint64_t slot = tag & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t entry = seen_[slot];
        if (entry == 0)
            return false;
        if (entry >> 32 != tag)
            continue;
        sqlite3_stmt *lookup = lookup_.get();
        Check(sqlite3_bind_int64(lookup, 1, sqlite3_int64(entry & 0xFFFFFFFFu)));
        const bool same = sqlite3_step(lookup) == SQLITE_ROW && ColumnText(lookup, 0) == rus
                          && ColumnText(lookup, 1) == kaz && ColumnText(lookup, 2) == cat;
        sqlite3_reset(lookup);
        if (same)
            return true;
    }
}

void TTermWriter::Remember(std::uint64_t hash, std::int64_t id)
{
    if ((seenCount_ + 1) * 2 > seen_.size()) {
        std::vector<std::uint64_t> old(seen_.size() * 2, 0);
        old.swap(seen_);
        const std::uint64_t mask = seen_.size() - 1;
        for (std::uint64_t entry : old) {
            if (entry == 0)
                continue;
            std::uint64_t slot = (entry >> 32) & mask;
            while (seen_[slot] != 0)
                slot = (slot + 1) & mask;
            seen_[slot] = entry;
        }
    }
    const std::uint64_t mask = seen_.size() - 1;
    std::uint64_t slot = (hash >> 32) & mask;
    while (seen_[slot] != 0)
        slot = (slot + 1) & mask;
    seen_[slot] = (hash >> 32) << 32 | std::uint64_t(id);
    ++seenCount_;
}

bool TTermWriter::Add(const QString &rus, const QString &kaz, const QString &cat)
{
    const std::uint64_t hash = Hash(rus, kaz, cat);
    if (SeenBefore(hash, rus, kaz, cat))
        return false;
    if (count_ >= 0xFFFFFFFFLL)
        Fail(QStringLiteral("терминдер тым көп"));
    const std::int64_t id = ++count_;
    sqlite3_stmt *insert = insert_.get();
    const QString upperRus = UpperCaseSimple(rus);
    const QString upperKaz = UpperCaseSimple(kaz);
    auto bind = [&](int index, const QString &text) {
        Check(sqlite3_bind_text16(insert, index, text.utf16(), int(text.size() * 2), SQLITE_STATIC));
    };
    Check(sqlite3_bind_int64(insert, 1, id));
    bind(2, rus);
    bind(3, kaz);
    bind(4, cat);
    bind(5, upperRus);
    bind(6, upperKaz);
    Check(sqlite3_step(insert));
    sqlite3_reset(insert);
    longest_[0] = std::max(longest_[0], int(rus.size()));
    longest_[1] = std::max(longest_[1], int(kaz.size()));
    longest_[2] = std::max(longest_[2], int(cat.size()));
    Remember(hash, id);
    return true;
}

void TTermWriter::Commit()
{
    lookup_.reset();
    insert_.reset();
    // The declared lengths, now that the longest texts are known. Only the
    // numbers in the declaration change, not the columns' kind, so the rows
    // stay as they are.
    const QString table = QStringLiteral("create table termin_items (id INTEGER PRIMARY KEY, rus VARCHAR(%1), "
                                         "kaz VARCHAR(%2), cat VARCHAR(%3), rus_upper VARCHAR(%1), "
                                         "kaz_upper VARCHAR(%2))")
                              .arg(longest_[0])
                              .arg(longest_[1])
                              .arg(longest_[2]);
    const QByteArray update = QStringLiteral("update sqlite_schema set sql = '%1' where type = 'table' and "
                                             "name = 'termin_items'")
                                  .arg(table)
                                  .toUtf8();
    Exec("pragma writable_schema = on");
    Exec(update.constData());
    Exec("pragma writable_schema = off");
    Exec("commit");
    db_.reset();

    // The new declaration, read by a fresh connection as the dictionary
    // will read it.
    {
        sqlite3 *raw = nullptr;
        const int rc = sqlite3_open_v2(scratch_.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
        TDbHandle check(raw);
        Check(rc);
        const char *declared = nullptr;
        if (sqlite3_table_column_metadata(check.get(), nullptr, "termin_items", "kaz_upper", &declared, nullptr,
                                          nullptr, nullptr, nullptr)
                != SQLITE_OK
            || QByteArray(declared) != QByteArray("VARCHAR(") + QByteArray::number(longest_[1]) + ')')
            Fail();
    }
    // A dictionary is for everyone to read, like any file a user writes.
    QFile::setPermissions(scratch_, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!MoveReplacing(scratch_, target_))
        Fail(QStringLiteral("файлды орнына қою мүмкін болмады. Файлды басқа бағдарлама ашып тұрмағанын тексеріңіз."));
    committed_ = true;
}

} // namespace lexaran::importer
