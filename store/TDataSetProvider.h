#pragma once

#include "TFieldDef.h"

#include <vector>

namespace lexaran::store { class TRowBuffer; }
class TSQLQuery;

// Copies rows out of an executed statement for the result set. The query is
// not owned and must outlive the provider.
//
// Columns are copied by position: the statement's column i fills field i of
// the buffer, whatever its name. The fields keep the names of the statement
// that opened the result set, and the grid binds its columns to those names
// (TDataSource), so a later statement shows the right data only when its
// columns come in the same order. The search statements name id, rus, kaz,
// cat in that order; "select * from termin_items" relies on the table itself
// beginning with those four columns, which is why a term file must be made
// that way (the importer writes it so).
class TDataSetProvider
{
public:
    explicit TDataSetProvider(TSQLQuery *dataSet) : DataSet(dataSet) {}

    TSQLQuery *DataSet;

    // The fields of the executed statement, in column order.
    const std::vector<lexaran::store::TFieldDef> &Fields() const;

    // Appends up to `maxRows` further rows (all when negative) of the
    // executed statement to `into` and returns how many arrived; an empty
    // buffer takes the engine's text form for the database. A closed
    // statement delivers none. A failure throws TStoreError whose message is
    // the underlying text without trailing blanks, control characters and
    // full stops, and leaves `into` with the rows that arrived whole; running
    // out of memory, or a column too large for the buffer, is reported the
    // engine's way ("out of memory", "string or blob too big").
    int GetRecords(lexaran::store::TRowBuffer &into, int maxRows);

    // Lets go of the executed statement (closes the query), so that no read
    // of the database outlives a fill that failed.
    void Release() noexcept;
};
