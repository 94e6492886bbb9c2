#pragma once

#include <Qt>

namespace lexaran::app {

// The state in which the desktop asked for the first window to be shown:
// maximized, minimized without activation, or normal.
Qt::WindowStates StartupShowState();

// The state for a Windows show command (the SW_ value of the process's
// start-up information): maximized for SW_SHOWMAXIMIZED, minimized only for
// SW_SHOWMINNOACTIVE, normal for every other command, among them the other
// minimizing ones.
Qt::WindowStates ShowStateForCommand(unsigned showCommand);

} // namespace lexaran::app
