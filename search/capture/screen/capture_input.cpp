// Pauses, Shift release, time-limited messages and module names for the capture.
#include "search/capture/screen/capture_input.h"
#include "foundation/newer_windows.h"

namespace {

int AsyncShiftDown() { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) ? 1 : 0; }

int (*g_isShiftDown)() = AsyncShiftDown;

const int kShiftPollMs = 20;

}  // namespace

void PauseWithMessages(int milliseconds)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, 0, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        DWORD passed = GetTickCount() - start;
        if ((int)passed >= milliseconds) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - passed, QS_ALLINPUT);
    }
}

void SetShiftStateReader(int (*isShiftDown)()) { g_isShiftDown = isShiftDown ? isShiftDown : AsyncShiftDown; }

int WaitForShiftRelease()
{
    for (int waited = 0; g_isShiftDown(); waited += kShiftPollMs) {
        if (waited >= kShiftReleaseWaitMs) return 0;
        PauseWithMessages(kShiftPollMs);
    }
    return 1;
}

LRESULT SendForeignMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kForeignMessageTimeoutMs, &result))
        return 0;
    return (LRESULT)result;
}

void GetWindowModuleName(HWND window, AIString& name)
{
    name.Clear();
    DWORD processId = 0;
    if (!window || !GetWindowThreadProcessId(window, &processId)) return;
    WCHAR path[MAX_PATH];
    if (GetProcessImagePath(processId, path, MAX_PATH)) {
        const WCHAR* file = path;
        for (const WCHAR* p = path; *p; p++)
            if (*p == L'\\' || *p == L'/') file = p + 1;
        name.AssignText(file);
    }
}
