#include "tests/dialogs/screen_test_support.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/modal_backdrop.h"
#include "dialogs/screen_launchers.h"
#include "dialogs/screens/screens.h"
#include "foundation/message_pump.h"

namespace {

ScreenAction g_action = 0;
int (*g_ready)() = 0;
ScreenRun g_run;
UINT_PTR g_pollTimer = 0;

void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD)
{
    if (GetBackdropWindow()) {
        g_run.backdropSeen = 1;
        if (g_backdrop.alpha < g_run.lowestAlpha) g_run.lowestAlpha = g_backdrop.alpha;
    }
    if (!g_action || DialogState != kDialogOpen || !g_dialogHost.window) return;
    // A screen follows the mouse only while it is the active window, as a
    // user's screen is once clicked; another program's window may hold the
    // foreground for a moment.
    if (GetActiveWindow() != g_dialogHost.window) return;
    if (g_ready && !g_ready()) return;
    ScreenAction action = g_action;
    g_action = 0;
    g_run.opened = 1;
    action(g_dialogHost.window);
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
{
    g_run.watchdogFired = 1;
    // Closes what is up; the loop then ends by itself.
    if (g_dialogHost.window) SendMessageW(g_dialogHost.window, WM_CLOSE, 0, 0);
    else PostQuitMessage(0);
}

}  // namespace

void SetScreenReadyCheck(int (*ready)()) { g_ready = ready; }

void ResetScreenTestState()
{
    g_ready = 0;
    ResetDialogTestState();
    RegisterAllScreens();
}

namespace {
int32_t g_screenToRun = 0;
int32_t RunTheScreen() { return g_dialogCenter.RunDialogScreen(g_screenToRun); }
}  // namespace

ScreenRun RunScreen(int32_t screenId, ScreenAction action, int viaFileCommand)
{
    g_screenToRun = screenId;
    return RunScreenThrough(viaFileCommand ? HandleFileCommand : RunTheScreen, action);
}

ScreenRun RunScreenThrough(int32_t (*launch)(), ScreenAction action)
{
    g_run = ScreenRun();
    g_run.lowestAlpha = 1000;
    g_action = action;
    g_pollTimer = SetTimer(0, 0, 20, Poll);
    UINT_PTR watchdog = SetTimer(0, 0, 8000, Watchdog);
    g_run.result = launch();
    KillTimer(0, watchdog);
    KillTimer(0, g_pollTimer);
    g_action = 0;
    MSG msg;
    while (PeekMessageW(&msg, 0, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    return g_run;
}

void ClickHost(HWND host, int x, int y)
{
    LPARAM at = MAKELPARAM(x, y);
    SendMessageW(host, WM_MOUSEMOVE, 0, at);
    SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, at);
    if (IsWindow(host)) SendMessageW(host, WM_LBUTTONUP, 0, at);
}

void ClickControlCentre(HWND host, const RECT& r) { ClickHost(host, (r.left + r.right) / 2, (r.top + r.bottom) / 2); }

void PressHostKey(HWND host, WPARAM key)
{
    SendMessageW(host, WM_KEYDOWN, key, 1);
    if (IsWindow(host)) SendMessageW(host, WM_KEYUP, key, 0xC0000001);
}
