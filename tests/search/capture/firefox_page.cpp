// A small browser for the capture tests: its module name holds "firefox", it
// shows a tall page below a fixed tool bar and scrolls on the keys a browser
// knows (Page Down, Ctrl+Home, Ctrl+End); Alt+D then Ctrl+C copies its address.
// A hidden HTML view child gives no document, as under Wine (its text becomes
// "asked" once the capture has asked it).
// Every page row has a colour of its own, so a capture can be checked row by row.
// Usage: firefox_page <address> <page rows> <ready file> [left top]
//   (the ready file is written once the window shows, with its handle)
#include "tests/search/capture/test_page.h"
#include <stdio.h>
#include <stdlib.h>

namespace {

int g_pageRows = 2000;
int g_offset = 0;
int g_addressArmed = 0;
WCHAR g_address[1024];

int ViewRows(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    return r.bottom - kTestToolBarRows;
}

void ScrollTo(HWND window, int offset)
{
    int last = g_pageRows - ViewRows(window);
    if (offset > last) offset = last;
    if (offset < 0) offset = 0;
    g_offset = offset;
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

// A busy machine: scroll keys take effect this late (0: at once). Set by the
// registered message "TavikTestLateScroll" with the milliseconds in wParam;
// it answers 1 while a scroll is still to come.
int g_lateMs = 0;
int g_pending = 0;
int g_pendingOffset = 0;
const UINT_PTR kLateScrollTimer = 1;

void ScrollWhenDue(HWND window, int offset)
{
    if (g_lateMs <= 0) {
        ScrollTo(window, offset);
        return;
    }
    g_pending = 1;
    g_pendingOffset = offset;
    SetTimer(window, kLateScrollTimer, (UINT)g_lateMs, nullptr);
}

int CurrentOffset() { return g_pending ? g_pendingOffset : g_offset; }

void Paint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    RECT bar = {0, 0, client.right, kTestToolBarRows};
    HBRUSH grey = CreateSolidBrush(kTestToolBarColour);
    FillRect(dc, &bar, grey);
    DeleteObject(grey);
    for (int y = kTestToolBarRows; y < client.bottom; y++) {
        int pageRow = g_offset + y - kTestToolBarRows;
        COLORREF colour = pageRow < g_pageRows ? TestPageRowColour(pageRow) : RGB(255, 255, 255);
        RECT row = {0, y, client.right, y + 1};
        SetBkColor(dc, colour);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &row, nullptr, 0, nullptr);
    }
    EndPaint(window, &ps);
}

void CopyAddress(HWND window)
{
    if (!OpenClipboard(window)) return;
    EmptyClipboard();
    int chars = lstrlenW(g_address) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, chars * sizeof(WCHAR));
    if (block) {
        memcpy(GlobalLock(block), g_address, chars * sizeof(WCHAR));
        GlobalUnlock(block);
        if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
    }
    CloseClipboard();
}

LRESULT CALLBACK HtmlViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static UINT getObject = RegisterWindowMessageW(L"WM_HTML_GETOBJECT");
    if (message == getObject) {
        SetWindowTextW(window, L"asked");
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    static UINT lateScroll = RegisterWindowMessageW(L"TavikTestLateScroll");
    if (message == lateScroll) {
        g_lateMs = (int)wParam;
        return g_pending;
    }
    switch (message) {
    case WM_TIMER:
        if (wParam == kLateScrollTimer) {
            KillTimer(window, kLateScrollTimer);
            g_pending = 0;
            ScrollTo(window, g_pendingOffset);
        }
        return 0;
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == 'D') {
            g_addressArmed = 1;
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_NEXT) ScrollWhenDue(window, CurrentOffset() + ViewRows(window) - 40);
        else if (wParam == VK_HOME && control) ScrollWhenDue(window, 0);
        else if (wParam == VK_END && control) ScrollWhenDue(window, g_pageRows);
        else if (wParam == 'C' && control && g_addressArmed) CopyAddress(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) return 2;
    MultiByteToWideChar(CP_UTF8, 0, argv[1], -1, g_address, 1024);
    g_pageRows = atoi(argv[2]);
    int left = argc > 5 ? atoi(argv[4]) : 40, top = argc > 5 ? atoi(argv[5]) : 40;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PageProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.lpszClassName = L"MozillaWindowClass";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Bean guide - Mozilla Firefox", WS_POPUP | WS_VISIBLE, left,
                                  top, 700, 500, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) return 1;
    WNDCLASSW view = {};
    view.lpfnWndProc = HtmlViewProc;
    view.hInstance = wc.hInstance;
    view.lpszClassName = L"Internet Explorer_Server";
    RegisterClassW(&view);
    CreateWindowExW(0, view.lpszClassName, L"", WS_CHILD, 0, 0, 0, 0, window, nullptr, wc.hInstance, nullptr);
    UpdateWindow(window);
    SetForegroundWindow(window);
    FILE* ready = fopen(argv[3], "w");
    if (ready) {
        fprintf(ready, "%llu\n", (unsigned long long)(UINT_PTR)window);
        fclose(ready);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
