#pragma once

#include <QByteArrayView>
#include <QString>

namespace lexaran::importer {

// Windows-1251 bytes as text, by Qt where its build has the code page and
// otherwise by the system (iconv, or MultiByteToWideChar on Windows). The
// code page has one byte per character, so any cut of a byte stream
// decodes on its own. Throws TImportError when the system has no converter.
QString DecodeWindows1251(QByteArrayView bytes);

} // namespace lexaran::importer
