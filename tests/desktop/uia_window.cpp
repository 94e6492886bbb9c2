// What a Windows screen reader reads of a window, through UI Automation
// (the engine's flat client functions, which wine implements):
// every element of the window's tree, one line each,
//   <depth> <control type id> <x> <y> <width> <height> <name>
// (the rectangle in screen pixels), written as UTF-8 to the output file.
// The window is the top-level window whose title is the given text.
// Exit code 0 when the tree was read, 1 otherwise (with a line on stderr).
// Usage: uia_window.exe <window title> <output file>

#include <windows.h>

#include <oleauto.h>

#include <cstdio>
#include <string>
#include <type_traits>

namespace {

// The engine's flat client functions, from uiautomationcore.dll (the MinGW
// headers declare none of them).
using HUIANODE = void *;
struct TUiaCondition { int ConditionType; };                 // ConditionType_True = 0
struct TUiaCacheRequest
{
    TUiaCondition *ViewCondition;
    int Scope;                                                // TreeScope_Element = 1
    int *Properties;
    int PropertyCount;
    int *Patterns;
    int PatternCount;
    int ElementMode;                                          // AutomationElementMode_Full = 1
};
using TNodeFromHandle = HRESULT(WINAPI *)(HWND, HUIANODE *);
using TGetPropertyValue = HRESULT(WINAPI *)(HUIANODE, int, VARIANT *);
using TNavigate = HRESULT(WINAPI *)(HUIANODE, int, TUiaCondition *, TUiaCacheRequest *, SAFEARRAY **, BSTR *);
using TNodeFromVariant = HRESULT(WINAPI *)(VARIANT *, HUIANODE *);
using TNodeRelease = BOOL(WINAPI *)(HUIANODE);

constexpr int kBoundingRectangle = 30001;
constexpr int kControlType = 30003;
constexpr int kName = 30005;
constexpr int kNextSibling = 1;
constexpr int kFirstChild = 3;

struct TUia
{
    TNodeFromHandle NodeFromHandle;
    TGetPropertyValue GetPropertyValue;
    TNavigate Navigate;
    TNodeFromVariant NodeFromVariant;
    TNodeRelease NodeRelease;
};

std::string Utf8(const wchar_t *text, int length)
{
    if (length <= 0)
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// The node next to `node` in `direction`; null when there is none.
HUIANODE Step(const TUia &uia, HUIANODE node, int direction)
{
    TUiaCondition always{0};
    TUiaCacheRequest request{&always, 1, nullptr, 0, nullptr, 0, 1};
    SAFEARRAY *data = nullptr;
    BSTR structure = nullptr;
    HUIANODE next = nullptr;
    if (SUCCEEDED(uia.Navigate(node, direction, &always, &request, &data, &structure)) && data) {
        VARIANT first;
        VariantInit(&first);
        LONG index[2] = {0, 0};
        if (SUCCEEDED(SafeArrayGetElement(data, index, &first)))
            uia.NodeFromVariant(&first, &next);
        VariantClear(&first);
        SafeArrayDestroy(data);
    }
    SysFreeString(structure);
    return next;
}

void Write(FILE *out, const TUia &uia, HUIANODE node, int depth)
{
    VARIANT value;
    VariantInit(&value);
    long type = 0;
    if (SUCCEEDED(uia.GetPropertyValue(node, kControlType, &value)) && value.vt == VT_I4)
        type = value.lVal;
    VariantClear(&value);
    double box[4] = {0, 0, 0, 0};
    if (SUCCEEDED(uia.GetPropertyValue(node, kBoundingRectangle, &value)) && value.vt == (VT_ARRAY | VT_R8)) {
        for (LONG i = 0; i < 4; ++i)
            SafeArrayGetElement(value.parray, &i, &box[i]);
    }
    VariantClear(&value);
    std::string name;
    if (SUCCEEDED(uia.GetPropertyValue(node, kName, &value)) && value.vt == VT_BSTR && value.bstrVal)
        name = Utf8(value.bstrVal, int(SysStringLen(value.bstrVal)));
    VariantClear(&value);
    for (char &c : name) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    std::fprintf(out, "%d %ld %.0f %.0f %.0f %.0f %s\n", depth, type, box[0], box[1], box[2], box[3], name.c_str());

    HUIANODE child = Step(uia, node, kFirstChild);
    while (child) {
        Write(out, uia, child, depth + 1);
        HUIANODE next = Step(uia, child, kNextSibling);
        uia.NodeRelease(child);
        child = next;
    }
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 3) {
        std::fputs("usage: uia_window.exe <window title> <output file>\n", stderr);
        return 2;
    }
    const HWND window = FindWindowW(nullptr, argv[1]);
    if (!window) {
        std::fputs("uia_window: no top-level window has that title\n", stderr);
        return 1;
    }
    const HMODULE core = LoadLibraryW(L"uiautomationcore.dll");
    if (!core) {
        std::fputs("uia_window: UI Automation is not available\n", stderr);
        return 1;
    }
    auto resolve = [core](auto &function, const char *name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
            reinterpret_cast<void *>(GetProcAddress(core, name)));
        return function != nullptr;
    };
    TUia uia{};
    if (!resolve(uia.NodeFromHandle, "UiaNodeFromHandle") || !resolve(uia.GetPropertyValue, "UiaGetPropertyValue")
        || !resolve(uia.Navigate, "UiaNavigate") || !resolve(uia.NodeFromVariant, "UiaHUiaNodeFromVariant")
        || !resolve(uia.NodeRelease, "UiaNodeRelease")) {
        std::fputs("uia_window: uiautomationcore.dll lacks the client functions\n", stderr);
        return 1;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
        std::fputs("uia_window: the component-object runtime did not start\n", stderr);
        return 1;
    }
    int status = 1;
    HUIANODE root = nullptr;
    if (FAILED(uia.NodeFromHandle(window, &root)) || !root) {
        std::fputs("uia_window: the window gives no UI Automation element\n", stderr);
    } else if (FILE *out = _wfopen(argv[2], L"wb")) {
        Write(out, uia, root, 0);
        status = std::fclose(out) == 0 ? 0 : 1;
        uia.NodeRelease(root);
    } else {
        std::fputs("uia_window: cannot write the output file\n", stderr);
        uia.NodeRelease(root);
    }
    CoUninitialize();
    return status;
}
