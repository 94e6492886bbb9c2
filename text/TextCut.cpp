#include "TextCut.h"

namespace lexaran::text {

QStringView LeftChars(QStringView text, qsizetype count) noexcept
{
    if (count >= text.size())
        return text;
    if (count <= 0)
        return text.first(0);
    // Keeping half a pair would leave a lone surrogate, which no encoder
    // turns back into the character the user sees.
    if (text[count - 1].isHighSurrogate())
        --count;
    return text.first(count);
}

} // namespace lexaran::text
