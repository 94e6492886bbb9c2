#pragma once

#include <QString>

namespace lexaran::store {

// The kinds a result column can take.
enum TFieldKind : int {
    fkInteger,  // 64-bit signed integer
    fkFloat,    // double-precision real
    fkString,   // text of at most Size characters
    fkMemo,     // long text
    fkBytes,    // byte data
};

// One typed result column.
struct TFieldDef
{
    QString Name;               // the table column's declared name, or "Column<n>"
    TFieldKind Kind = fkMemo;
    int Size = 0;               // fkString only: the most characters a value keeps
    bool Nullable = false;
    bool AutoIncrement = false;
};

// The form in which text is held: the engine's own form for the database,
// so that copying a row translates nothing.
enum TTextForm : int {
    tfUtf16,
    tfUtf8,
};

} // namespace lexaran::store
