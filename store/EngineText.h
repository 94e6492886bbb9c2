#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Text as the engine holds and translates it. Pure; never throw except
// std::bad_alloc.
namespace lexaran::store {

// The number of bytes of `utf8` that the engine translates into at most
// `limit` UTF-16 units, never splitting a pair; the whole text when it fits.
qsizetype Utf8LengthForUnits(QByteArrayView utf8, qsizetype limit);

// `utf8` translated to UTF-16 exactly as the engine translates a UTF-8
// value for sqlite3_column_text16, malformed bytes included, and cut like
// LeftChars (TextCut.h) when `limit` is not negative. `cut` (optional) tells
// whether anything was left off.
QString EngineUtf8ToUtf16(QByteArrayView utf8, qsizetype limit = -1, bool *cut = nullptr);

} // namespace lexaran::store
