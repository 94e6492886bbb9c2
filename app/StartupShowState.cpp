#include "StartupShowState.h"

#ifdef _WIN32
#include <windows.h>
#endif

Qt::WindowStates StartupShowState()
{
#ifdef _WIN32
    STARTUPINFOW info{};
    info.cb = sizeof(info);
    GetStartupInfoW(&info);
    if (info.dwFlags & STARTF_USESHOWWINDOW) {
        switch (info.wShowWindow) {
        case SW_SHOWMAXIMIZED:
            return Qt::WindowMaximized;
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
        case SW_MINIMIZE:
            return Qt::WindowMinimized;
        default:
            break;
        }
    }
#endif
    // The X11 and Wayland desktops pass no such request to a program; the
    // window manager applies its own rules to the window once it is shown.
    return Qt::WindowNoState;
}
