#pragma once

#include "TermImport.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

namespace lexaran::importer {

// One row of a term list as its source holds it: every cell's text, and
// the line (row number of a sheet, line of a text or XML file) it starts on.
struct TSourceRow
{
    QStringList Cells;
    std::int64_t Line = 0;
};

// A term list read forward, one row at a time, never all of it in memory.
class TRowSource
{
public:
    virtual ~TRowSource() = default;
    // The next row; false at the end. Throws TImportError for damaged input.
    virtual bool Next(TSourceRow &row) = 0;
    // How far into the input file reading has come, in bytes (an estimate
    // for compressed sheets).
    virtual std::int64_t BytesRead() const = 0;
    // Where a row is, for a message: the file and the line or sheet row.
    virtual QString Where(std::int64_t line) const = 0;
    // Whether the rows are columns of a table with a possible header row
    // (false for TBX, whose rows are always Russian, Kazakh, subject).
    virtual bool Tabular() const { return true; }
};

// Opens `path`, tells its kind by its content and fills the kind, sheets,
// encoding and separator of `info`. Throws TImportError.
std::unique_ptr<TRowSource> OpenSource(const QString &path, const TImportOptions &options, TSourceInfo &info);

} // namespace lexaran::importer
