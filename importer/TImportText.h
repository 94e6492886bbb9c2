#pragma once

#include <QString>
#include <QStringView>

// The importer's shared wording and small text rules.
namespace lexaran::importer {

// The file's name as the user gave it, with the system's separators.
QString ShownName(const QString &path);

// "<file>, <line>-жол".
QString AtLine(const QString &path, qint64 line);

// A spreadsheet's number as its text: whole numbers without a fraction
// ("1993", not "1993.0"), others with up to 15 significant digits. Text that
// is no number is given back unchanged.
QString NumberText(QStringView value);

// Whether `text` shows letters lost to a code page without them: a '?'
// touching a letter, other than one that closes the text after a letter.
bool HasLostLetters(QStringView text);

} // namespace lexaran::importer
