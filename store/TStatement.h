#pragma once

#include <QStringView>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace lexaran::store {

// One compiled engine statement. Move-only; the destructor finalizes it and
// never throws. Every engine call is checked: failures throw TStoreError with
// the engine's text and code.
class TStatement
{
public:
    TStatement() = default;
    // Compiles the first statement of `text`, handed over as UTF-16 with its
    // length in bytes; the rest of the text is ignored. A text without any
    // statement (empty, blanks, a comment) gives an empty TStatement.
    TStatement(sqlite3 *db, QStringView text);

    bool IsEmpty() const noexcept { return !stmt_; }
    // Advances one row: true when a row is available, false at the end.
    bool Step();

    sqlite3_stmt *Handle() const noexcept { return stmt_.get(); }

private:
    struct TFinalize { void operator()(sqlite3_stmt *stmt) const noexcept; };
    sqlite3 *db_ = nullptr;
    std::unique_ptr<sqlite3_stmt, TFinalize> stmt_;
};

} // namespace lexaran::store
