#include "bench/bench_editor_host.h"

static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateBenchEditorHost(AIControl& editor)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(0);
    wc.lpszClassName = L"benchEditorHost";
    RegisterClassW(&wc);
    HWND host = CreateWindowExW(0, L"benchEditorHost", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, 0,
                                0, GetModuleHandleW(0), 0);
    if (!host || !editor.CreateWindowedAt(ControlRichEdit, host, 0, 0, 780, 560,
                                          WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL))
        return 0;
    return host;
}
