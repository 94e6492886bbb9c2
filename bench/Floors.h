#pragma once

// The floors: what the engine's C API alone takes to copy a result, as a
// plain C loop would, against which the program's figures stand.
//
// - floor (a), Show all: every row of the table copied as the engine holds
//   the file's text (column_text for a UTF-8 file, column_text16 for a
//   UTF-16 one), into one growing buffer per column with an end offset per
//   value: no allocation per value;
// - floor (b), a search: the search statement copied the same way, then its
//   count statement, both through the bare engine.

#include "EngineHandles.h"
#include "Measure.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace lexaran::bench {

// One growing buffer, as a plain C loop keeps it: realloc doubling.
struct TFloorBuffer
{
    char *data = nullptr;
    std::size_t size = 0;
    std::size_t capacity = 0;

    TFloorBuffer() = default;
    TFloorBuffer(const TFloorBuffer &) = delete;
    TFloorBuffer &operator=(const TFloorBuffer &) = delete;
    ~TFloorBuffer() { std::free(data); }

    void Put(const void *bytes, std::size_t count)
    {
        if (size + count > capacity) {
            capacity = std::max({capacity * 2, size + count, std::size_t(4096)});
            data = static_cast<char *>(std::realloc(data, capacity));
            if (!data)
                Fail("floor out of memory");
        }
        std::memcpy(data + size, bytes, count);
        size += count;
    }
};

// The copy of a result: the integer column and three text columns, each
// text column its characters and a 32-bit end offset per value.
struct TFloorCopy
{
    TFloorBuffer ids;
    TFloorBuffer text[3];
    TFloorBuffer ends[3];
    std::size_t rows = 0;

    std::size_t TextBytes() const { return text[0].size + text[1].size + text[2].size; }
};

class TBare
{
public:
    TBare(const QString &path, bool utf8);

    // Steps to the end, copying the first four columns (an integer and
    // three texts) as the engine holds the file's text.
    void Copy(const QString &text, TFloorCopy &copy);
    // The first column of the first row as a number; -1 without a row.
    long long Count(const QString &text);
    // The first column of the first row as text; empty without a row.
    QString Text(const QString &sql);

private:
    tools::TStmtHandle Prepare(const QString &text);

    tools::TDbHandle db_;
    bool utf8_;
};

// The count statement the store derives from the search statement `lines`.
QString BareCountText(const QStringList &lines);

// The child for floor (a): one copy of every row in a fresh process, whose
// memory is as new as the program's at its first Show all.
int RunFloorA(const QString &path, bool utf8);

} // namespace lexaran::bench
