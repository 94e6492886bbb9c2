// What Windows itself says of a top-level window, for the Windows desktop
// check (scripts/windows/desktop-check.sh), which runs this inside wine
// beside the program. For the visible top-level window whose title is the
// given text it writes, as "name=value" lines to the output file:
//   WINDOWS   how many visible top-level windows have that title
//   OUTER     the window's rectangle: left top width height
//   CLIENT    its client area on the screen: left top width height
//   DESKTOP   the rectangle of all monitors: left top width height
//   STATE     normal, minimized or maximized
// Exit code 0 when such a window exists, 1 when none does, 2 for bad use.
//
// With "start", it starts the program instead, as the desktop does when a
// shortcut asks for the given show command (1 normal, 3 maximized, 7
// minimized without activation), and returns without waiting for it.
// Usage: window_probe.exe <window title> <output file>
//        window_probe.exe start <show command> <program>

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

struct TSearch
{
    const wchar_t *Title;
    HWND First = nullptr;
    int Count = 0;
};

BOOL CALLBACK Visit(HWND window, LPARAM data)
{
    auto *search = reinterpret_cast<TSearch *>(data);
    wchar_t title[512];
    const int length = GetWindowTextW(window, title, 512);
    if (IsWindowVisible(window) && length >= 0 && lstrcmpW(title, search->Title) == 0) {
        if (!search->First)
            search->First = window;
        ++search->Count;
    }
    return TRUE;
}

int Start(int showCommand, wchar_t *program)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = WORD(showCommand);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fputs("window_probe: the program did not start\n", stderr);
        return 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc == 4 && lstrcmpW(argv[1], L"start") == 0)
        return Start(_wtoi(argv[2]), argv[3]);
    if (argc != 3) {
        std::fputs("usage: window_probe.exe <window title> <output file>\n"
                   "       window_probe.exe start <show command> <program>\n", stderr);
        return 2;
    }
    TSearch search{argv[1]};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    FILE *out = _wfopen(argv[2], L"wb");
    if (!out) {
        std::fputs("window_probe: cannot write the output file\n", stderr);
        return 2;
    }
    std::fprintf(out, "WINDOWS=%d\n", search.Count);
    if (search.First) {
        RECT outer{};
        GetWindowRect(search.First, &outer);
        RECT client{};
        GetClientRect(search.First, &client);
        POINT origin{0, 0};
        ClientToScreen(search.First, &origin);
        std::fprintf(out, "OUTER='%ld %ld %ld %ld'\n", long(outer.left), long(outer.top),
                     long(outer.right - outer.left), long(outer.bottom - outer.top));
        std::fprintf(out, "CLIENT='%ld %ld %ld %ld'\n", long(origin.x), long(origin.y), long(client.right),
                     long(client.bottom));
        std::fprintf(out, "DESKTOP='%d %d %d %d'\n", GetSystemMetrics(SM_XVIRTUALSCREEN),
                     GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                     GetSystemMetrics(SM_CYVIRTUALSCREEN));
        const char *state = IsIconic(search.First) ? "minimized" : IsZoomed(search.First) ? "maximized" : "normal";
        std::fprintf(out, "STATE=%s\n", state);
    }
    const bool closed = std::fclose(out) == 0;
    return search.First && closed ? 0 : 1;
}
