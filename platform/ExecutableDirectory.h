#pragma once

#include <QString>

namespace lexaran::platform {

// Where the program finds its dictionary: the directory of the running
// executable, ending in the platform's path separator. Whatever bytes the
// directory's name holds, the result names it exactly (see FileName.h).
// Throws std::runtime_error with a message for the user when the system does
// not say where the executable is; there is no other place to fall back to.
QString ExecutableDirectory();

// The directory of the file that the symbolic link `link` points to, ending
// in "/", decoded with DecodeFileName. Throws as ExecutableDirectory does
// when the link cannot be read. ExecutableDirectory reads /proc/self/exe
// through it on Linux.
QString LinkTargetDirectory(const char *link);

} // namespace lexaran::platform
