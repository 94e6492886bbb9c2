#include "StartupShowState.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace lexaran::app {

namespace {

// The show commands that matter here, as winuser.h numbers them; spelled
// out so that the mapping is the same, and checked, on every platform.
constexpr unsigned kShowMaximized = 3;     // SW_SHOWMAXIMIZED
constexpr unsigned kShowMinNoActive = 7;   // SW_SHOWMINNOACTIVE

#ifdef _WIN32
static_assert(kShowMaximized == SW_SHOWMAXIMIZED && kShowMinNoActive == SW_SHOWMINNOACTIVE);
#endif

} // namespace

Qt::WindowStates ShowStateForCommand(unsigned showCommand)
{
    switch (showCommand) {
    case kShowMaximized:
        return Qt::WindowMaximized;
    case kShowMinNoActive:
        return Qt::WindowMinimized;
    default:
        return Qt::WindowNoState;
    }
}

Qt::WindowStates StartupShowState()
{
#ifdef _WIN32
    STARTUPINFOW info{};
    info.cb = sizeof(info);
    GetStartupInfoW(&info);
    if (info.dwFlags & STARTF_USESHOWWINDOW)
        return ShowStateForCommand(info.wShowWindow);
#endif
    // The X11 and Wayland desktops pass no such request to a program; the
    // window manager applies its own rules to the window once it is shown.
    return Qt::WindowNoState;
}

} // namespace lexaran::app
