// Lets a script that drives the program from outside open its screens and
// find their windows, which the display cannot tell apart by title.
//
// Usage: screen_probe <title prefix> show <screen id>
//          posts the content window the by-name command "ShowDialog";
//        screen_probe <title prefix> command <command id>
//          posts the frame a WM_COMMAND;
//        screen_probe <title prefix> rect <window class>
//          prints "left top width height" of the visible top-level window of
//          that class in the program's thread (exit 1 when there is none);
//        screen_probe <title prefix> texts <window class>
//          prints the start of the text of every visible child of the window
//          of that class, one a line (line ends shown as blanks).
#include "foundation/win.h"
#include "foundation/hash_name.h"
#include <shellapi.h>
#include <stdio.h>

struct Search {
    const WCHAR* prefix;
    HWND found;
};

static BOOL CALLBACK MatchTitle(HWND window, LPARAM lParam)
{
    Search* search = (Search*)lParam;
    WCHAR title[256], className[64];
    if (!IsWindowVisible(window) || !GetWindowTextW(window, title, 256)) return TRUE;
    GetClassNameW(window, className, 64);
    if (lstrcmpW(className, L"winGuide_") == 0 || lstrcmpW(className, L"winBuffer_") == 0) return TRUE;
    int n = lstrlenW(search->prefix);
    if (CompareStringW(LOCALE_INVARIANT, 0, title, n < lstrlenW(title) ? n : lstrlenW(title), search->prefix, n) !=
        CSTR_EQUAL)
        return TRUE;
    search->found = window;
    return FALSE;
}

struct ClassSearch {
    const WCHAR* className;
    HWND found;
};

static BOOL CALLBACK MatchClass(HWND window, LPARAM lParam)
{
    ClassSearch* search = (ClassSearch*)lParam;
    WCHAR className[64];
    if (!IsWindowVisible(window) || !GetClassNameW(window, className, 64)) return TRUE;
    if (lstrcmpW(className, search->className) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

struct ChildTexts {
    const WCHAR* className;
    int printed;
};

static BOOL CALLBACK PrintChildText(HWND window, LPARAM lParam)
{
    ChildTexts* texts = (ChildTexts*)lParam;
    WCHAR className[64], text[300] = L"";
    if (!IsWindowVisible(window) || !GetClassNameW(window, className, 64)) return TRUE;
    if (lstrcmpW(className, texts->className) != 0) return TRUE;
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 300, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, &copied);
    for (WCHAR* p = text; *p; p++)
        if (*p == L'\r' || *p == L'\n') *p = L' ';
    char narrow[1000];
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    printf("%s\n", narrow);
    texts->printed++;
    return TRUE;
}

static int Number(const WCHAR* text)
{
    int n = 0;
    for (; *text >= L'0' && *text <= L'9'; text++) n = n * 10 + (*text - L'0');
    return n;
}

int main()
{
    int argc = 0;
    WCHAR** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 4) return 2;
    Search search = {argv[1], nullptr};
    EnumWindows(MatchTitle, (LPARAM)&search);
    if (!search.found) return 1;
    if (lstrcmpW(argv[2], L"show") == 0) {
        HWND content = FindWindowExW(search.found, nullptr, L"winMain", nullptr);
        if (!content) return 1;
        return PostMessageW(content, MsgCommandByName, HashName("ShowDialog"), Number(argv[3])) ? 0 : 1;
    }
    if (lstrcmpW(argv[2], L"command") == 0)
        return PostMessageW(search.found, WM_COMMAND, Number(argv[3]), 0) ? 0 : 1;
    if (lstrcmpW(argv[2], L"rect") == 0) {
        ClassSearch byClass = {argv[3], nullptr};
        EnumThreadWindows(GetWindowThreadProcessId(search.found, nullptr), MatchClass, (LPARAM)&byClass);
        if (!byClass.found) return 1;
        RECT r;
        GetWindowRect(byClass.found, &r);
        printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (lstrcmpW(argv[2], L"texts") == 0) {
        ChildTexts texts = {argv[3], 0};
        EnumChildWindows(search.found, PrintChildText, (LPARAM)&texts);
        return texts.printed ? 0 : 1;
    }
    return 2;
}
