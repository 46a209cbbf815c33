#include "foundation/message_pump.h"
#include "foundation/app.h"

int PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, 0, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit for the main loop and stop pumping at once.
            PostQuitMessage((int)msg.wParam);
            return 0;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 1;
}

int RunModalLoop()
{
    MSG msg;
    BOOL got = GetMessageW(&msg, 0, 0, 0);
    if (got == 0 || msg.message == WM_QUIT) {
        PostQuitMessage((int)msg.wParam);
        return 0;
    }
    if (got == -1) return 0;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return 1;
}

static OwnKeysFilter s_ownKeys = nullptr;

void SetOwnKeysFilter(OwnKeysFilter filter) { s_ownKeys = filter; }

void DispatchLoopMessage(MSG* msg, HACCEL accelerators, HWND frame)
{
    int ownKey = s_ownKeys && s_ownKeys(msg);
    if (!ownKey && accelerators && frame && TranslateAcceleratorW(frame, accelerators, msg)) return;
    TranslateMessage(msg);
    DispatchMessageW(msg);
}

int RunMessageLoop(HACCEL accelerators, HWND frame)
{
    MSG msg;
    while (g_app.GetRunState() != kRunClosing) {
        BOOL got = GetMessageW(&msg, 0, 0, 0);
        if (got == 0) return (int)msg.wParam;
        if (got == -1) return -1;
        DispatchLoopMessage(&msg, accelerators, frame);
    }
    return 0;
}

int PumpMessagesAsMainLoop(HACCEL accelerators, HWND frame)
{
    MSG msg;
    while (PeekMessageW(&msg, 0, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage((int)msg.wParam);
            return 0;
        }
        DispatchLoopMessage(&msg, accelerators, frame);
    }
    return 1;
}
