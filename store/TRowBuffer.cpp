#include "TRowBuffer.h"

#include "TSQLQuery.h"

#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>

TRowBuffer::TRowBuffer(const std::vector<TFieldDef> &fields)
{
    columns_.resize(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i)
        columns_[i].kind = fields[i].Kind;
}

namespace {

template <typename T>
void AppendRange(std::vector<T> &into, const T *data, std::size_t count,
                 std::vector<std::uint32_t> &ends)
{
    const std::size_t end = into.size() + count;
    if (end > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("column too large");
    into.insert(into.end(), data, data + count);
    ends.push_back(std::uint32_t(end));
}

} // namespace

void TRowBuffer::AppendFrom(const TSQLQuery &query)
{
    if (rows_ == std::numeric_limits<int>::max())
        throw std::length_error("too many rows");
    const int available = int(query.Fields().size());
    const std::size_t word = std::size_t(rows_) / 64;
    const std::uint64_t bit = std::uint64_t(1) << (rows_ % 64);

    for (int i = 0; i < FieldCount(); ++i) {
        TColumn &column = columns_[i];
        if (word >= column.nulls.size())
            column.nulls.push_back(0);
        const bool isNull = i >= available || query.IsNull(i);
        if (isNull)
            column.nulls[word] |= bit;
        switch (column.kind) {
        case fkInteger:
            column.numbers.push_back(isNull ? 0 : query.Integer(i));
            break;
        case fkFloat:
            column.numbers.push_back(isNull ? 0 : std::bit_cast<qint64>(query.Float(i)));
            break;
        case fkString:
        case fkMemo: {
            const QStringView text = isNull ? QStringView() : query.Text(i);
            AppendRange(column.chars, text.utf16(), std::size_t(text.size()), column.ends);
            break;
        }
        case fkBytes: {
            const QByteArray bytes = isNull ? QByteArray() : query.Bytes(i);
            AppendRange(column.bytes, bytes.constData(), std::size_t(bytes.size()), column.ends);
            break;
        }
        }
    }
    ++rows_;
}

void TRowBuffer::Shrink()
{
    for (TColumn &column : columns_) {
        column.numbers.shrink_to_fit();
        column.chars.shrink_to_fit();
        column.bytes.shrink_to_fit();
        column.ends.shrink_to_fit();
        column.nulls.shrink_to_fit();
    }
}

bool TRowBuffer::IsNull(int row, int field) const
{
    return (columns_[field].nulls[std::size_t(row) / 64] >> (row % 64)) & 1;
}

QStringView TRowBuffer::Text(int row, int field) const
{
    const TColumn &column = columns_[field];
    const std::size_t start = column.Start(row);
    return QStringView(column.chars.data() + start, qsizetype(column.ends[row] - start));
}

qint64 TRowBuffer::Integer(int row, int field) const
{
    return columns_[field].numbers[row];
}

double TRowBuffer::Float(int row, int field) const
{
    return std::bit_cast<double>(columns_[field].numbers[row]);
}

QByteArrayView TRowBuffer::Bytes(int row, int field) const
{
    const TColumn &column = columns_[field];
    const std::size_t start = column.Start(row);
    return QByteArrayView(column.bytes.data() + start, qsizetype(column.ends[row] - start));
}

std::size_t TRowBuffer::ByteSize() const noexcept
{
    std::size_t size = sizeof(*this) + columns_.capacity() * sizeof(TColumn);
    for (const TColumn &column : columns_) {
        size += column.numbers.capacity() * sizeof(qint64) + column.chars.capacity() * sizeof(char16_t)
              + column.bytes.capacity() + column.ends.capacity() * sizeof(std::uint32_t)
              + column.nulls.capacity() * sizeof(std::uint64_t);
    }
    return size;
}
