#pragma once

#include <sqlite3.h>

#include <memory>

// Owners of the engine's handles for the programs that link the engine
// directly (the term-file writer, the benchmark's floors); the program
// itself loads the engine at run time and owns its handles in the store.

namespace lexaran::tools {

struct TCloseDb
{
    void operator()(sqlite3 *db) const noexcept { sqlite3_close_v2(db); }
};
struct TFinalize
{
    void operator()(sqlite3_stmt *stmt) const noexcept { sqlite3_finalize(stmt); }
};

using TDbHandle = std::unique_ptr<sqlite3, TCloseDb>;
using TStmtHandle = std::unique_ptr<sqlite3_stmt, TFinalize>;

} // namespace lexaran::tools
