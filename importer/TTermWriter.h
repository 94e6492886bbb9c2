#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace lexaran::importer {

struct TCloseDb
{
    void operator()(sqlite3 *db) const noexcept;
};
struct TFinalize
{
    void operator()(sqlite3_stmt *stmt) const noexcept;
};
using TDbHandle = std::unique_ptr<sqlite3, TCloseDb>;
using TStmtHandle = std::unique_ptr<sqlite3_stmt, TFinalize>;

// Writes a term file as the dictionary reads it: the table termin_items
// (id from 1, rus, kaz, cat, rus_upper, kaz_upper), the capitals by the
// dictionary's own simple upper-case mapping, every text column declared
// with a length that holds its longest value. The rows go into a scratch
// file beside the target, which Commit() moves into place; until then, and
// whenever the writer is dropped without Commit(), the target is as it was
// and the scratch file is removed.
class TTermWriter
{
public:
    // `target` is the file to replace or make; a symbolic link is followed,
    // so that the file it points to is replaced and the link stays.
    explicit TTermWriter(const QString &target);
    TTermWriter(const TTermWriter &) = delete;
    TTermWriter &operator=(const TTermWriter &) = delete;
    ~TTermWriter();

    // Adds a term unless the same three texts were added before; false for
    // a repeat.
    bool Add(const QString &rus, const QString &kaz, const QString &cat);
    std::int64_t Count() const noexcept { return count_; }
    void Commit();

    // The file that is written in the end (the link followed).
    const QString &Target() const noexcept { return target_; }

private:
    [[noreturn]] void Fail(const QString &why = QString()) const;
    void Check(int rc) const;
    void Exec(const char *sql) const;
    bool SeenBefore(std::uint64_t hash, const QString &rus, const QString &kaz, const QString &cat);
    void Remember(std::uint64_t hash, std::int64_t id);

    QString shown_;
    QString target_;
    QString scratch_;
    TDbHandle db_;
    TStmtHandle insert_;
    TStmtHandle lookup_;
    std::int64_t count_ = 0;
    int longest_[3] = {1, 1, 1};
    // Repeats: an open-addressing table of (32 bits of the row's hash, id);
    // a matching hash is confirmed by reading that row back.
    std::vector<std::uint64_t> seen_;
    std::size_t seenCount_ = 0;
    bool committed_ = false;
};

} // namespace lexaran::importer
