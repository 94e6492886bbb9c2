#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace lexaran::platform {

// File names as the system hands them out: bytes that need not be UTF-8.
// A name is carried as a QString without losing a byte, so that it can sit
// in a text parameter and still name the same file when it reaches the
// engine.

// Decodes `bytes` as UTF-8; each byte that does not begin a well-formed
// sequence becomes the lone low surrogate U+DC80 + (byte - 0x80). Valid UTF-8
// decodes as usual and never yields such a surrogate.
QString DecodeFileName(QByteArrayView bytes);

// The inverse: every lone low surrogate U+DC80..U+DCFF becomes its byte
// again, everything else is written as UTF-8. For every byte string b,
// EncodeFileName(DecodeFileName(b)) == b.
QByteArray EncodeFileName(QStringView name);

} // namespace lexaran::platform
