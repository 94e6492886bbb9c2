#include "TRowBuffer.h"

#include "EngineText.h"
#include "TextCut.h"

#include <bit>
#include <stdexcept>

using lexaran::text::LeftChars;

namespace lexaran::store {

TRowBuffer::TRowBuffer(const std::vector<TFieldDef> &fields, std::uint64_t columnLimit)
    : columnLimit_(qMin(columnLimit, kMaxColumnUnits))
{
    columns_.resize(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i)
        columns_[i].kind = fields[i].Kind;
}

void TRowBuffer::SetTextForm(TTextForm form)
{
    if (form != form_) {
        for (const TColumn &column : columns_) {
            if (column.kind != fkBytes && column.units.size() > 0)
                throw std::logic_error("text form of a row buffer that holds text");
        }
    }
    form_ = form;
    formSet_ = true;
}

std::size_t TRowBuffer::UnitSize(const TColumn &column) const noexcept
{
    return column.kind == fkBytes || form_ == tfUtf8 ? 1 : 2;
}

void TRowBuffer::AppendNull(int field)
{
    TColumn &column = columns_[field];
    const std::size_t word = std::size_t(rows_) / 64;
    while (column.nulls.size() <= word)
        column.nulls.push_back(0);
    switch (column.kind) {
    case fkInteger:
    case fkFloat:
        column.numbers.push_back(0);
        break;
    default:
        column.ends.push_back(column.End());
        break;
    }
    column.nulls[word] |= std::uint64_t(1) << (rows_ % 64);
}

void TRowBuffer::ThrowColumnTooLarge()
{
    throw std::length_error("column too large");
}

void TRowBuffer::AppendFloat(int field, double value)
{
    columns_[field].numbers.push_back(std::bit_cast<qint64>(value));
}

void TRowBuffer::AppendBytes(int field, QByteArrayView bytes)
{
    AppendUnits(field, bytes.data(), std::size_t(bytes.size()), 1);
}

void TRowBuffer::EndRow()
{
    if (rows_ == std::numeric_limits<int>::max())
        throw std::length_error("too many rows");
    ++rows_;
}

void TRowBuffer::DropUnfinishedRow() noexcept
{
    const auto held = std::size_t(rows_);
    for (TColumn &column : columns_) {
        column.numbers.truncate(held);
        if (column.ends.size() > held) {
            column.ends.truncate(held);
            column.units.truncate(std::size_t(column.Start(rows_)) * UnitSize(column));
        }
        column.nulls.truncate((held + 63) / 64);
        if (held % 64 != 0 && column.nulls.size() > held / 64)
            column.nulls[held / 64] &= (std::uint64_t(1) << (held % 64)) - 1;
    }
}

void TRowBuffer::Shrink() noexcept
{
    for (TColumn &column : columns_) {
        column.numbers.shrink_to_fit();
        column.units.shrink_to_fit();
        column.ends.shrink_to_fit();
        column.nulls.shrink_to_fit();
    }
}

bool TRowBuffer::IsNull(int row, int field) const
{
    const TColumn &column = columns_[field];
    const std::size_t word = std::size_t(row) / 64;
    return word < column.nulls.size() && ((column.nulls[word] >> (row % 64)) & 1);
}

QString TRowBuffer::Text(int row, int field, qsizetype limit, bool *cut) const
{
    const TColumn &column = columns_[field];
    const std::size_t start = column.Start(row);
    const std::size_t count = column.ends[row] - start;
    if (form_ == tfUtf8)
        return EngineUtf8ToUtf16(QByteArrayView(column.units.data() + start, qsizetype(count)), limit, cut);
    const QStringView text(reinterpret_cast<const char16_t *>(column.units.data()) + start, qsizetype(count));
    const qsizetype keep = limit < 0 ? text.size() : LeftChars(text, limit).size();
    if (cut)
        *cut = keep < text.size();
    return text.first(keep).toString();
}

qint64 TRowBuffer::Integer(int row, int field) const
{
    return columns_[field].numbers[std::size_t(row)];
}

double TRowBuffer::Float(int row, int field) const
{
    return std::bit_cast<double>(columns_[field].numbers[std::size_t(row)]);
}

QByteArrayView TRowBuffer::Bytes(int row, int field) const
{
    const TColumn &column = columns_[field];
    const std::size_t start = column.Start(row);
    return QByteArrayView(column.units.data() + start, qsizetype(column.ends[row] - start));
}

} // namespace lexaran::store
