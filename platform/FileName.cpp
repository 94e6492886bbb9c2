#include "FileName.h"

namespace lexaran::platform {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscapedByte(char16_t unit)
{
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

// The length of the well-formed UTF-8 sequence at the start of `bytes` and
// its code point, or 0 when it does not start one. Overlong forms, encoded
// surrogates and code points past U+10FFFF are not well-formed.
int WellFormedSequence(const unsigned char *bytes, qsizetype available, char32_t &codePoint)
{
    const unsigned char lead = bytes[0];
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (available < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        const unsigned char next = bytes[i];
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF))
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return length;
}

} // namespace

QString DecodeFileName(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    QString name;
    name.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        const int length = WellFormedSequence(data + i, bytes.size() - i, codePoint);
        if (length == 0) {
            // Bytes below 0x80 always decode, so only 0x80..0xFF get here.
            name.append(QChar(char16_t(kEscapeBase + data[i])));
            ++i;
        } else {
            name.append(QChar::fromUcs4(codePoint));
            i += length;
        }
    }
    return name;
}

QByteArray EncodeFileName(QStringView name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    for (qsizetype i = 0; i < name.size();) {
        if (IsEscapedByte(name[i].unicode())) {
            bytes.append(char(name[i].unicode() - kEscapeBase));
            ++i;
            continue;
        }
        // A run of ordinary text up to the next escaped byte; the low half
        // of a surrogate pair belongs to its pair, never to an escape.
        qsizetype end = i;
        while (end < name.size() && !IsEscapedByte(name[end].unicode())) {
            if (name[end].isHighSurrogate() && end + 1 < name.size() && name[end + 1].isLowSurrogate())
                ++end;
            ++end;
        }
        bytes.append(name.sliced(i, end - i).toUtf8());
        i = end;
    }
    return bytes;
}

} // namespace lexaran::platform
