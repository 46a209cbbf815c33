// Tells a test that drives the program from outside which of its controls
// has the keyboard focus, a state the display does not show (child windows
// have no window of their own there).
//
// Usage: focus_probe <title prefix>
// Prints the window class of the focused control of the thread that owns
// the first visible top-level window whose title begins with the prefix
// ("none" when that thread has no focus); exits 1 when no such window exists.
#include "foundation/win.h"
#include <shellapi.h>
#include <stdio.h>

struct Search {
    const WCHAR* prefix;
    HWND found;
};

static BOOL CALLBACK MatchTitle(HWND window, LPARAM lParam)
{
    Search* search = (Search*)lParam;
    WCHAR title[256];
    if (!IsWindowVisible(window) || !GetWindowTextW(window, title, 256)) return TRUE;
    int n = lstrlenW(search->prefix);
    if (CompareStringW(LOCALE_INVARIANT, 0, title, n < lstrlenW(title) ? n : lstrlenW(title), search->prefix, n) != CSTR_EQUAL)
        return TRUE;
    search->found = window;
    return FALSE;
}

int main()
{
    int argc = 0;
    WCHAR** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 2;
    Search search = {argv[1], nullptr};
    EnumWindows(MatchTitle, (LPARAM)&search);
    if (!search.found) return 1;
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    WCHAR className[128] = L"none";
    if (GetGUIThreadInfo(GetWindowThreadProcessId(search.found, nullptr), &info) && info.hwndFocus)
        GetClassNameW(info.hwndFocus, className, 128);
    char narrow[256];
    WideCharToMultiByte(CP_UTF8, 0, className, -1, narrow, sizeof narrow, nullptr, nullptr);
    printf("%s\n", narrow);
    return 0;
}
