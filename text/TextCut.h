#pragma once

#include <QStringView>

namespace lexaran::text {

// The first `count` UTF-16 units of `text` (all of it when it is shorter),
// one fewer when the last would be the first half of a surrogate pair, so a
// cut never splits a character. A negative count gives an empty view.
QStringView LeftChars(QStringView text, qsizetype count) noexcept;

} // namespace lexaran::text
