#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace lexaran::store {

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

#ifdef _WIN32
// The directory of the running executable, from the full path that the
// system reports for it (GetModuleFileNameW, however long), ending in "\\";
// empty when the system does not say. Here rather than beside the window's
// ExecutableDirectory because the store, too, looks there: for the engine's
// library.
QString ModuleDirectory();
#endif

} // namespace lexaran::store
