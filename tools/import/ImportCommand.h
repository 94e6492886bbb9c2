#pragma once

#include <QStringList>

#include <optional>

namespace lexaran::tools {

// The command line of lexaran-import (without the program's name); prints
// to the standard streams and gives the exit code. Never throws.
int RunImportCommand(const QStringList &arguments);

// "--columns" as the user writes it: two or three columns by number from 1
// or by letter ("1,2,3", "A;B;C", "b,a"); "-" or 0 for no category column.
struct TColumnsArgument
{
    int Rus = 0;
    int Kaz = 1;
    int Cat = 2;
};
std::optional<TColumnsArgument> ParseColumns(const QString &text);

} // namespace lexaran::tools
