#pragma once

#include <QDateTime>
#include <QString>

namespace lexaran::builder {

// Where the dictionary of this Lexaran lives: termins.db beside the
// builder's own executable, which is installed beside the program's. When
// that name is a symbolic link (the Debian package keeps the dictionary
// under /var/lib/lexaran), the file it points to. Throws std::runtime_error
// with a message for the user when the executable's folder is unknown.
QString LexaranDictionary();

// The program beside the builder that reads that dictionary.
QString LexaranProgram();

// The name a replaced dictionary keeps beside the new one, made from the
// moment of the replacement: "termins.db" replaced at 2026-12-11 15:47:00
// is kept as "termins.db.20261211-154700.bak" in the same folder.
QString BackupStamp(const QDateTime &when);
QString BackupPath(const QString &dictionary, const QString &stamp);
// Whether `stamp` has the form BackupStamp makes, and nothing else (the
// copying run with raised rights takes it from its command line).
bool IsBackupStamp(const QString &stamp);

// Whether this process may make files in `folder`: the one sure way to know
// is to make one there, which is what this tries (and removes again).
bool CanWriteIn(const QString &folder);

// Puts the term file `built` in place of `dictionary`: the present
// dictionary, when there is one, is first copied to its backup (BackupPath
// of `stamp`), then the new one is written beside it under another name and
// moved over it, so that the dictionary is at every moment either the old
// file or the new one. Returns the backup's path, empty when there was no
// dictionary. Throws std::runtime_error with a message for the user; the
// dictionary is then as it was.
QString PutInPlace(const QString &built, const QString &dictionary, const QString &stamp);

} // namespace lexaran::builder
