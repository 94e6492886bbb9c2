#include "Floors.h"

#include "Measure.h"
#include "CountSQL.h"
#include "SearchSQL.h"
#include "TSQLConnection.h"
#include "TStrings.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace lexaran::bench {

TBare::TBare(const QString &path, bool utf8) : utf8_(utf8)
{
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open16(path.utf16(), &raw);
    db_.reset(raw);
    if (rc != SQLITE_OK)
        Fail("cannot open the benchmark file");
}

void TBare::Copy(const QString &text, TFloorCopy &copy)
{
    tools::TStmtHandle stmt = Prepare(text);
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

long long TBare::Count(const QString &text)
{
    tools::TStmtHandle stmt = Prepare(text);
    return sqlite3_step(stmt.get()) == SQLITE_ROW ? sqlite3_column_int64(stmt.get(), 0) : -1;
}

QString TBare::Text(const QString &sql)
{
    tools::TStmtHandle stmt = Prepare(sql);
    if (sqlite3_step(stmt.get()) != SQLITE_ROW)
        return {};
    return QString::fromUtf16(static_cast<const char16_t *>(sqlite3_column_text16(stmt.get(), 0)));
}

tools::TStmtHandle TBare::Prepare(const QString &text)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare16_v2(db_.get(), text.utf16(), int(text.size() * 2), &stmt, nullptr) != SQLITE_OK)
        Fail("the floor cannot prepare a statement");
    return tools::TStmtHandle(stmt);
}

QString BareCountText(const QStringList &lines)
{
    const QString text = store::TStrings::Joined(lines);
    return ComposeCountSQL(text, TableNameFromSQL(text), TSQLConnection::IdentifierQuote).trimmed();
}

int RunFloorA(const QString &path, bool utf8)
{
    TBare bare(path, utf8);
    auto copy = std::make_unique<TFloorCopy>();
    const double cpu = ThreadCpuMilliseconds();
    const auto start = TClock::now();
    bare.Copy(store::TStrings::Joined({ShowAllSQL()}), *copy);
    Print("floor_a", {Milliseconds(TClock::now() - start)});
    Print("floor_a_cpu", {ThreadCpuMilliseconds() - cpu});
    Print("raw_bytes", {double(copy->TextBytes())});
    Print("rows", {double(copy->rows)});
    return 0;
}

} // namespace lexaran::bench
