#pragma once

#include <QString>
#include <QStringList>

namespace lexaran::builder {

// The builder's command line for the one step that may need raised rights:
// "--put-in-place BUILT STAMP" copies the term file BUILT into the
// dictionary of this Lexaran (DictionaryPlace.h), keeping the previous one
// as its backup named by STAMP, and does nothing else: no window opens.
QString PutInPlaceOption();
QStringList PutInPlaceArguments(const QString &built, const QString &stamp);

// Runs that step in the builder run again with the rights the dictionary's
// folder needs: on Windows elevated through the "runas" verb (the system
// asks the user), on Linux through pkexec (the desktop's authentication
// agent asks). Waits for it while the window keeps drawing itself. Throws
// std::runtime_error with a message for the user when the rights were not
// given or the copy failed; the dictionary is then as it was.
void PutInPlaceWithRights(const QString &built, const QString &stamp);

// The copying run's own entry: returns the process's exit code (0 done, 1
// failed, with the reason on standard error; 2 a wrong command line).
int PutInPlaceCommand(const QStringList &arguments);

} // namespace lexaran::builder
