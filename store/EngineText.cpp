#include "EngineText.h"

namespace lexaran::store {

namespace {

// The value bits of a lead byte from 0xC0 on; the engine accepts any number
// of continuation bytes after it.
constexpr unsigned char kLeadBits[64] = {
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f,
    0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x1b, 0x1c, 0x1d, 0x1e, 0x1f,
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f,
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x00, 0x01, 0x02, 0x03, 0x00, 0x01, 0x00, 0x00,
};

// Reads one character the engine's way. A byte below 0xC0 stands for
// itself, even a stray continuation byte; a decoded value below 0x80, in the
// surrogate range or a non-character U+xFFFE/U+xFFFF becomes U+FFFD. The
// arithmetic wraps at 32 bits as the engine's does.
char32_t ReadCharacter(const unsigned char *&p, const unsigned char *end)
{
    char32_t c = *p++;
    if (c >= 0xC0) {
        c = kLeadBits[c - 0xC0];
        while (p != end && (*p & 0xC0) == 0x80)
            c = (c << 6) + (0x3F & *p++);
        if (c < 0x80 || (c & 0xFFFFF800) == 0xD800 || (c & 0xFFFFFFFE) == 0xFFFE)
            c = 0xFFFD;
    }
    return c;
}

int Units(char32_t c)
{
    return c <= 0xFFFF ? 1 : 2;
}

// Writes a character as the engine does; above U+FFFF as a pair whose bits
// are masked, so values beyond U+10FFFF come out as the engine's do.
char16_t *WriteCharacter(char16_t *out, char32_t c)
{
    if (c <= 0xFFFF) {
        *out++ = char16_t(c);
        return out;
    }
    const unsigned high = (((c >> 10) & 0x3F) + (((c - 0x10000) >> 10) & 0xC0)) & 0xFF;
    *out++ = char16_t(((0xD8 + (((c - 0x10000) >> 18) & 0x03)) << 8) | high);
    *out++ = char16_t(((0xDC + ((c >> 8) & 0x03)) << 8) | (c & 0xFF));
    return out;
}

} // namespace

qsizetype Utf8LengthForUnits(QByteArrayView utf8, qsizetype limit)
{
    // Every UTF-16 unit costs at least one byte, so a text of no more bytes
    // than the limit fits as it is: the common case, decided without a scan.
    if (utf8.size() <= limit)
        return utf8.size();
    const auto *begin = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *end = begin + utf8.size();
    const unsigned char *p = begin;
    qsizetype units = 0;
    while (p != end) {
        const unsigned char *next = p;
        units += Units(ReadCharacter(next, end));
        if (units > limit)
            break;
        p = next;
    }
    return p - begin;
}

QString EngineUtf8ToUtf16(QByteArrayView utf8, qsizetype limit, bool *cut)
{
    const qsizetype bytes = limit < 0 ? utf8.size() : Utf8LengthForUnits(utf8, limit);
    if (cut)
        *cut = bytes < utf8.size();
    // Never more units than bytes.
    QString text(bytes, Qt::Uninitialized);
    auto *out = reinterpret_cast<char16_t *>(text.data());
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *end = p + bytes;
    while (p != end)
        out = WriteCharacter(out, ReadCharacter(p, end));
    text.truncate(out - reinterpret_cast<const char16_t *>(text.constData()));
    return text;
}

} // namespace lexaran::store
