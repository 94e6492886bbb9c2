#include "TStatement.h"

#include "SqliteApi.h"

namespace lexaran::store {

void TStatement::TFinalize::operator()(sqlite3_stmt *stmt) const noexcept
{
    Sqlite().finalize(stmt);
}

TStatement::TStatement(sqlite3 *db, QStringView text) : db_(db)
{
    sqlite3_stmt *raw = nullptr;
    const int bytes = int(qMin<qsizetype>(text.size(), INT_MAX / 2) * 2);
    const int rc = Sqlite().prepare16_v2(db, text.utf16(), bytes, &raw, nullptr);
    stmt_.reset(raw);
    check(db, rc);
}

bool TStatement::Step()
{
    const int rc = Sqlite().step(stmt_.get());
    check(db_, rc);
    return rc == SQLITE_ROW;
}

} // namespace lexaran::store
