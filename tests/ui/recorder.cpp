#include "tests/ui/recorder.h"
#include <stdio.h>

MessageRecorder g_recorded;

void MessageRecorder::Add(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (count_ >= kMax) return;
    items_[count_++] = {window, message, wParam, lParam};
}

bool MessageRecorder::Matches(const UINT* watched, int watchedCount, const ExpectedMessage* expected,
                              int expectedCount) const
{
    int next = 0;
    bool same = true;
    for (int i = 0; i < count_; i++) {
        bool interesting = false;
        for (int w = 0; w < watchedCount; w++) interesting |= items_[i].message == watched[w];
        if (!interesting) continue;
        if (next >= expectedCount || items_[i].message != expected[next].message ||
            items_[i].wParam != expected[next].wParam)
            same = false;
        next++;
    }
    if (same && next == expectedCount) return true;
    // Show what was recorded, to compare with the expected table.
    printf("recorded:");
    for (int i = 0; i < count_; i++) {
        for (int w = 0; w < watchedCount; w++)
            if (items_[i].message == watched[w]) printf(" {0x%X, %lu}", items_[i].message, (unsigned long)items_[i].wParam);
    }
    printf("\n");
    return false;
}

int MessageRecorder::CountOf(UINT message) const
{
    int n = 0;
    for (int i = 0; i < count_; i++) n += items_[i].message == message;
    return n;
}

namespace {
HHOOK g_hook = 0;
HWND g_watched = 0;

LRESULT CALLBACK RecordHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const CWPSTRUCT* sent = (const CWPSTRUCT*)lParam;
        if (sent->hwnd == g_watched) g_recorded.Add(sent->hwnd, sent->message, sent->wParam, sent->lParam);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

LRESULT CALLBACK TestParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND || message == WM_NOTIFY) g_recorded.Add(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

void StartRecordingWindow(HWND window)
{
    StopRecording();
    g_watched = window;
    g_hook = SetWindowsHookExW(WH_CALLWNDPROC, RecordHook, 0, GetCurrentThreadId());
}

void StopRecording()
{
    if (g_hook) UnhookWindowsHookEx(g_hook);
    g_hook = 0;
    g_watched = 0;
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, 0, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

HWND MakeTestParent(int width, int height)
{
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSW wc;
        ZeroMemory(&wc, sizeof(wc));
        wc.lpfnWndProc = TestParentProc;
        wc.hInstance = GetModuleHandleW(0);
        wc.lpszClassName = L"uiTestParent";
        atom = RegisterClassW(&wc);
    }
    return CreateWindowExW(0, L"uiTestParent", L"ui test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, width,
                           height, 0, 0, GetModuleHandleW(0), 0);
}
