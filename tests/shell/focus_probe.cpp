// Tells a test that drives the program from outside which of its controls
// has the keyboard focus, a state the display does not show (child windows
// have no window of their own there).
//
// Usage: focus_probe <title prefix> [text|caret|selection|menu|previews]
// Prints the window class of the focused control of the thread that owns
// the first visible top-level window whose title begins with the prefix
// ("none" when that thread has no focus), or with "text" the control's text,
// with "caret" the caret's screen position "x y height", with "selection" the
// focused edit control's selection "start end", with "menu" "open"
// while a pop-up menu shows ("none" otherwise), with "previews" the texts of
// the visible read-only rich edits (the preview panes) joined by "|", with
// "count <class>" how many child windows of that class the window holds,
// shown or hidden; exits 1 when no such window exists.
#include "foundation/win.h"
#include <shellapi.h>
#include <stdio.h>

struct Search {
    const WCHAR* prefix;
    HWND found;
};

struct Panes {
    WCHAR* out;
    int room;
};

static BOOL CALLBACK CollectPane(HWND window, LPARAM lParam)
{
    Panes* panes = (Panes*)lParam;
    WCHAR cls[64] = {0};
    GetClassNameW(window, cls, 64);
    LONG style = GetWindowLongW(window, GWL_STYLE);
    if (lstrcmpiW(cls, L"RichEdit20W") != 0 || !(style & ES_READONLY) || !IsWindowVisible(window)) return TRUE;
    int used = lstrlenW(panes->out);
    if (panes->room - used < 2) return FALSE;
    if (used) lstrcatW(panes->out, L"|");
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, panes->room - used - 1, (LPARAM)(panes->out + used + (used ? 1 : 0)),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    return TRUE;
}

struct ClassCount {
    const WCHAR* cls;
    int count;
};

static BOOL CALLBACK CountOfClass(HWND window, LPARAM lParam)
{
    ClassCount* counted = (ClassCount*)lParam;
    WCHAR cls[64] = {0};
    GetClassNameW(window, cls, 64);
    if (lstrcmpiW(cls, counted->cls) == 0) counted->count++;
    return TRUE;
}

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
    WCHAR answer[512] = L"none";
    int wantText = argc > 2 && lstrcmpW(argv[2], L"text") == 0;
    int wantCaret = argc > 2 && lstrcmpW(argv[2], L"caret") == 0;
    int wantMenu = argc > 2 && lstrcmpW(argv[2], L"menu") == 0;
    int wantSelection = argc > 2 && lstrcmpW(argv[2], L"selection") == 0;
    int wantPreviews = argc > 2 && lstrcmpW(argv[2], L"previews") == 0;
    int wantCount = argc > 3 && lstrcmpW(argv[2], L"count") == 0;
    int gotInfo = GetGUIThreadInfo(GetWindowThreadProcessId(search.found, nullptr), &info);
    if (wantCount) {
        ClassCount counted = {argv[3], 0};
        EnumChildWindows(search.found, CountOfClass, (LPARAM)&counted);
        wsprintfW(answer, L"%d", counted.count);
    } else if (wantPreviews) {
        answer[0] = 0;
        Panes panes = {answer, 512};
        EnumChildWindows(search.found, CollectPane, (LPARAM)&panes);
    } else if (wantMenu) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        lstrcpyW(answer, menu && IsWindowVisible(menu) ? L"open" : L"none");
    } else if (wantCaret) {
        if (gotInfo && info.hwndCaret) {
            POINT at = {info.rcCaret.left, info.rcCaret.top};
            ClientToScreen(info.hwndCaret, &at);
            wsprintfW(answer, L"%d %d %d", (int)at.x, (int)at.y, (int)(info.rcCaret.bottom - info.rcCaret.top));
        }
    } else if (gotInfo && info.hwndFocus) {
        if (wantSelection) {
            // Both ends in one answer (no pointers cross the process).
            DWORD_PTR both = 0;
            if (SendMessageTimeoutW(info.hwndFocus, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &both))
                wsprintfW(answer, L"%d %d", (int)LOWORD(both), (int)HIWORD(both));
        } else if (wantText) {
            DWORD_PTR copied = 0;
            answer[0] = 0;
            SendMessageTimeoutW(info.hwndFocus, WM_GETTEXT, 512, (LPARAM)answer, SMTO_ABORTIFHUNG, 2000, &copied);
        } else {
            GetClassNameW(info.hwndFocus, answer, 128);
        }
    }
    char narrow[1600];
    WideCharToMultiByte(CP_UTF8, 0, answer, -1, narrow, sizeof narrow, nullptr, nullptr);
    printf("%s\n", narrow);
    return 0;
}
