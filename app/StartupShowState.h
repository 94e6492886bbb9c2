#pragma once

#include <Qt>

// The state in which the desktop asked for the first window to be shown:
// maximized, minimized without activation, or normal.
Qt::WindowStates StartupShowState();
