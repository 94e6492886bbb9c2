#pragma once

#include <QString>
#include <QStringView>

namespace lexaran::text {

// Case mapping by the simple, locale-independent Unicode rules: every code
// point (a surrogate pair counts as one) is replaced by its one-to-one
// upper- or lower-case form. The length in UTF-16 units never changes, so a
// position found in the mapped copy is valid in the original text; letters
// without a one-letter counterpart (such as "ß") stay as they are. A lone
// surrogate is kept unchanged. Never throws except std::bad_alloc.
QString UpperCaseSimple(QStringView text);
QString LowerCaseSimple(QStringView text);

} // namespace lexaran::text
