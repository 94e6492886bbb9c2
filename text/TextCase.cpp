#include "TextCase.h"

namespace lexaran::text {

namespace {

template <typename Map>
QString MapCodePoints(QStringView text, Map map)
{
    QString result(text.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            const char32_t mapped = map(QChar::surrogateToUcs4(c, text[i + 1]));
            // A supplementary letter's simple counterpart is itself
            // supplementary; should a mapping ever leave that plane, keep the
            // original pair so that the length stays the same.
            if (QChar::requiresSurrogates(mapped)) {
                out[i] = QChar(QChar::highSurrogate(mapped));
                out[i + 1] = QChar(QChar::lowSurrogate(mapped));
            } else {
                out[i] = c;
                out[i + 1] = text[i + 1];
            }
            ++i;
            continue;
        }
        const char32_t mapped = c.isSurrogate() ? c.unicode() : map(c.unicode());
        out[i] = QChar::requiresSurrogates(mapped) ? c : QChar(char16_t(mapped));
    }
    return result;
}

} // namespace

QString UpperCaseSimple(QStringView text)
{
    return MapCodePoints(text, [](char32_t u) { return QChar::toUpper(u); });
}

QString LowerCaseSimple(QStringView text)
{
    return MapCodePoints(text, [](char32_t u) { return QChar::toLower(u); });
}

} // namespace lexaran::text
