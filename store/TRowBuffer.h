#pragma once

#include "TFieldDef.h"
#include "TPodArray.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <limits>
#include <vector>

namespace lexaran::store {

// Rows held column by column: numbers in one array per column, every text
// column's text in one contiguous buffer with an end offset per row, bytes
// likewise, and one null bit per value. A million terms cost their text as
// the engine stores it plus about 20 bytes a row, with no allocation per
// cell; text becomes a QString only when a cell is read.
//
// Filling: for every row one Append call per field, then EndRow. A failed
// append throws std::bad_alloc, or std::length_error when a column outgrows
// its limit (at most what its 32-bit offsets address); DropUnfinishedRow then
// takes back the row that was not ended, and the rows before it read as they
// did. A column past the limit is an error, never a wrapped offset.
class TRowBuffer
{
public:
    static constexpr std::uint64_t kMaxColumnUnits = std::numeric_limits<std::uint32_t>::max();

    TRowBuffer() = default;
    // `columnLimit` caps the units (UTF-8 bytes, UTF-16 units or bytes) that
    // one column holds; at most kMaxColumnUnits.
    explicit TRowBuffer(const std::vector<TFieldDef> &fields, std::uint64_t columnLimit = kMaxColumnUnits);

    int RowCount() const noexcept { return rows_; }
    int FieldCount() const noexcept { return int(columns_.size()); }
    TFieldKind Kind(int field) const { return columns_[field].kind; }

    // The form text is held in: tfUtf16 until set. It can be set while no
    // text is held (every text value so far NULL); setting another form
    // after that throws std::logic_error.
    TTextForm TextForm() const noexcept { return form_; }
    bool TextFormSet() const noexcept { return formSet_; }
    void SetTextForm(TTextForm form);

    void AppendNull(int field);
    void AppendInteger(int field, qint64 value);   // fkInteger
    void AppendFloat(int field, double value);     // fkFloat
    void AppendText(int field, QByteArrayView utf8); // text fields of a tfUtf8 buffer
    void AppendText(int field, QStringView text);    // text fields of a tfUtf16 buffer
    void AppendBytes(int field, QByteArrayView bytes); // fkBytes
    void EndRow();
    void DropUnfinishedRow() noexcept;
    // Releases the growth reserve once the last row has arrived.
    void Shrink() noexcept;

    bool IsNull(int row, int field) const;
    // The text of a text field, at most `limit` UTF-16 units of it when
    // `limit` is not negative, never half of a surrogate pair; `cut`
    // (optional) tells whether anything was left off. UTF-8 is translated as
    // the engine translates it.
    QString Text(int row, int field, qsizetype limit = -1, bool *cut = nullptr) const;
    qint64 Integer(int row, int field) const;       // fkInteger
    double Float(int row, int field) const;         // fkFloat
    QByteArrayView Bytes(int row, int field) const; // fkBytes

private:
    struct TColumn
    {
        TFieldKind kind = fkMemo;
        TPodArray<qint64> numbers;     // fkInteger values, fkFloat bit patterns
        TPodArray<char> units;         // text (in the buffer's form) and bytes
        TPodArray<std::uint32_t> ends; // text and bytes: end offset per row, in units
        TPodArray<std::uint64_t> nulls; // one bit per row

        std::size_t Start(int row) const noexcept { return row == 0 ? 0 : ends[row - 1]; }
        // Where the next value's units begin: the end of the last one held.
        std::uint32_t End() const noexcept { return ends.size() == 0 ? 0 : ends[ends.size() - 1]; }
    };

    void AppendUnits(int field, const char *data, std::size_t count, std::size_t unitSize);
    [[noreturn]] static void ThrowColumnTooLarge();
    std::size_t UnitSize(const TColumn &column) const noexcept;

    std::vector<TColumn> columns_;
    std::uint64_t columnLimit_ = kMaxColumnUnits;
    TTextForm form_ = tfUtf16;
    bool formSet_ = false;
    int rows_ = 0;
};

// The appends run once per value of a million rows; they stay inline.

inline void TRowBuffer::AppendUnits(int field, const char *data, std::size_t count, std::size_t unitSize)
{
    TColumn &column = columns_[std::size_t(field)];
    const std::uint64_t end = std::uint64_t(column.End()) + count;
    if (end > columnLimit_)
        ThrowColumnTooLarge();
    // The end goes in first: if the text then cannot be had, the column is
    // one offset long, which DropUnfinishedRow takes back.
    column.ends.push_back(std::uint32_t(end));
    column.units.append(data, count * unitSize);
}

inline void TRowBuffer::AppendText(int field, QByteArrayView utf8)
{
    Q_ASSERT(form_ == tfUtf8);
    AppendUnits(field, utf8.data(), std::size_t(utf8.size()), 1);
}

inline void TRowBuffer::AppendText(int field, QStringView text)
{
    Q_ASSERT(form_ == tfUtf16);
    AppendUnits(field, reinterpret_cast<const char *>(text.utf16()), std::size_t(text.size()), 2);
}

inline void TRowBuffer::AppendInteger(int field, qint64 value)
{
    columns_[std::size_t(field)].numbers.push_back(value);
}

} // namespace lexaran::store
