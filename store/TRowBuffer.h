#pragma once

#include "TFieldDef.h"

#include <QByteArrayView>
#include <QStringView>

#include <cstdint>
#include <vector>

class TSQLQuery;

// Rows held column by column: numbers in one array per column, every text
// column's characters in one contiguous UTF-16 buffer with an end offset per
// row, bytes likewise, and one null bit per value. A million terms cost
// their characters plus a few bytes per row, with no allocation per cell.
class TRowBuffer
{
public:
    TRowBuffer() = default;
    explicit TRowBuffer(const std::vector<TFieldDef> &fields);

    int RowCount() const noexcept { return rows_; }
    int FieldCount() const noexcept { return int(columns_.size()); }

    // Appends the query's current row, column i into field i; a column the
    // query lacks is NULL. Throws std::bad_alloc, or std::length_error when a
    // column's characters outgrow what the offsets can address.
    void AppendFrom(const TSQLQuery &query);
    // Releases the growth reserve once the last row has arrived.
    void Shrink();

    bool IsNull(int row, int field) const;
    QStringView Text(int row, int field) const;     // text fields
    qint64 Integer(int row, int field) const;       // fkInteger
    double Float(int row, int field) const;         // fkFloat
    QByteArrayView Bytes(int row, int field) const; // fkBytes

    // The bytes the rows occupy, reserves included.
    std::size_t ByteSize() const noexcept;

private:
    struct TColumn
    {
        TFieldKind kind = fkMemo;
        std::vector<qint64> numbers;   // fkInteger values, fkFloat bit patterns
        std::vector<char16_t> chars;   // text fields
        std::vector<char> bytes;       // fkBytes
        std::vector<std::uint32_t> ends; // text and bytes: end offset per row
        std::vector<std::uint64_t> nulls; // one bit per row

        std::size_t Start(int row) const noexcept { return row == 0 ? 0 : ends[row - 1]; }
    };

    std::vector<TColumn> columns_;
    int rows_ = 0;
};
