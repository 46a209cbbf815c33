#include "dialogs/modal_backdrop.h"
#include "drawing/buffered_paint.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "drawing/ai_dib.h"
#include "drawing/ai_effects.h"
#include "foundation/app.h"
#include "foundation/hash_name.h"
#include "foundation/misc_services.h"
#include "ui/ai_window.h"
#include "ui/window_table.h"

BackdropRecord g_backdrop;
DialogReceiver g_dialogHostReceiver = 0;
DialogReceiver g_noteDialogReceiver = 0;
DialogReceiver g_errorDetailsReceiver = 0;
HWND g_dialogHostWindow = 0;
AIWindow g_backdropWindow(kBackdropWindowId);

namespace {

const COLORREF kBlendColour = RGB(10, 10, 10);
// Marks the WM_DESTROY that CloseBackdropWindow posts, which only asks for the end.
const WPARAM kPostedDestroyMark = 0xBD;

AIDib g_snapshot;
AIDib g_paintBuffer;

int SpeedIndex() { return g_app.system.GetCpuSpeedIndex(); }
int TransparencyOff() { return g_app.settings.Record().transparencyOff ? 1 : 0; }
int NewerThanXp() { return g_app.system.GetWindowsVersion() > 5.99 ? 1 : 0; }


int BackdropOnReset()
{
    g_dialogCenter.done = 0;
    g_backdrop.tickCount = 0;
    g_backdrop.paintContext = 0;
    if (HWND frame = DialogFrameWindow()) EnableWindow(frame, FALSE);
    return 1;
}

// The snapshot, blended toward the backdrop colour at the current alpha.
void DrawSnapshot(HDC dc, int width, int height, int blend)
{
    if (!g_snapshot.IsEmpty()) {
        g_snapshot.Draw(dc, 0, 0);
    } else {
        RECT all = {0, 0, width, height};
        FillRect(dc, &all, (HBRUSH)GetStockObject(GRAY_BRUSH));
    }
    if (blend && g_backdrop.alpha < 255)
        AIEffectContext::BlendColour(dc, 0, 0, width, height, -1, g_backdrop.alpha, kBlendColour);
}

LRESULT BackdropOnPaint(HWND window, UINT, WPARAM, LPARAM)
{
    FlushComposition(1);
    BufferedPaint paint;
    BeginBufferedPaint(window, g_paintBuffer, paint);
    HDC memory = paint.memory;
    int width = paint.width, height = paint.height;
    g_backdrop.paintContext = memory;
    BackdropRecord& b = g_backdrop;

    if (b.darkeningPhase == 1) {
        b.alpha -= 255;
        if (b.alpha <= b.lowTarget || SpeedIndex() < 100 || TransparencyOff()) {
            KillTimer(window, kBackdropFadeTimer);
            b.darkeningPhase = 0;
            b.alpha = b.lowTarget;
        }
        if (memory) DrawSnapshot(memory, width, height, 1);
    } else if (b.lighteningPhase == 1) {
        if (SpeedIndex() < 350) b.lighteningStep = 120;
        int increment = b.lighteningStep + 10;
        if (increment > 255) increment = 255;
        if (b.alpha >= b.highTarget || SpeedIndex() < 100 || TransparencyOff()) {
            KillTimer(window, kBackdropFadeTimer);
            b.alpha = b.highTarget;
            b.lighteningPhase = 0;
            if (TransparencyOff()) Sleep(100);
        }
        if (memory) DrawSnapshot(memory, width, height, 1);
        b.alpha += increment;
    } else if (memory) {
        DrawSnapshot(memory, width, height, b.ownerCode != kOwnerNoteDialogs);
        // The program's windows are in the background: the backdrop turns grey.
        if (!g_app.GetGuardFlag())
            AIEffectContext::MakeGreyscale(memory, 0, 0, width, height, 0, 100, RGB(100, 100, 100));
    }

    if (b.darkeningPhase != 1) {
        Sleep(10);
        if (NewerThanXp()) Sleep(50);
    }
    b.paintContext = 0;
    EndBufferedPaint(window, g_paintBuffer, paint);
    FlushComposition(1);

    if (b.darkeningPhase == 0) {
        Sleep(100);
        if (b.darkeningPhase == 0) ShowPendingDialog();
    }
    if (b.lighteningPhase == 0) CloseBackdropWindow();
    return 0;
}

LRESULT BackdropOnTimer(HWND window, UINT, WPARAM timerId, LPARAM)
{
    BackdropRecord& b = g_backdrop;
    if (timerId == kBackdropCloseTimer) {
        KillTimer(window, kBackdropCloseTimer);
        b.lighteningPhase = 1;
        DialogState = kDialogClosingByTimer;
        SetTimer(window, kBackdropFadeTimer, kBackdropTickMs, 0);
    }
    if (DialogState == kDialogBackdropFading) {
        if (++b.tickCount >= kBackdropFallbackTicks) {
            b.tickCount = 0;
            KillTimer(window, kBackdropFadeTimer);
            b.darkeningPhase = 0;
            b.alpha = b.lowTarget;
            ShowPendingDialog();
            return 0;
        }
    } else if (DialogState == kDialogClosing || DialogState == kDialogClosingByTimer) {
        if (++b.tickCount >= kBackdropFallbackTicks) {
            b.tickCount = 0;
            KillTimer(window, kBackdropFadeTimer);
            b.lighteningPhase = 0;
            b.alpha = b.highTarget;
            CloseBackdropWindow();
            return 0;
        }
    } else {
        b.tickCount = 0;
    }
    InvalidateRect(window, 0, FALSE);
    return 1;
}

LRESULT BackdropOnClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_dialogCenter.done) return 0;
    if (message == WM_CLOSE && lParam == 1 && g_backdrop.lighteningPhase != 1) {
        g_backdrop.lighteningPhase = 1;
        if (IsWindow(window)) SetTimer(window, kBackdropFadeTimer, kBackdropTickMs, 0);
        return 0;
    }
    // A real destruction (not the one CloseBackdropWindow posts): the window
    // is on its way out and must not be destroyed a second time.
    if (message == WM_DESTROY && wParam != kPostedDestroyMark && g_backdropWindow.GetHwndField() == window)
        g_backdropWindow.SetHwndField(0);
    RestoreAfterDialog();
    return 0;
}

LRESULT ReturnZero(HWND, UINT, WPARAM, LPARAM) { return 0; }
LRESULT ReturnOne(HWND, UINT, WPARAM, LPARAM) { return 1; }
LRESULT BackdropOnReset(HWND, UINT, WPARAM, LPARAM) { return BackdropOnReset(); }

// The backdrop's commands: none.
LRESULT BackdropOnCommand(HWND, UINT, WPARAM, LPARAM) { return 0; }

const MessageEntry kBackdropMessages[] = {
    {WM_CREATE, ReturnZero},
    {WM_ERASEBKGND, ReturnOne},
    {WM_PAINT, BackdropOnPaint},
    {WM_COMMAND, BackdropOnCommand},
    {WM_ACTIVATE, ReturnOne},
    {WM_DESTROY, BackdropOnClose},
    {WM_CLOSE, BackdropOnClose},
    {MsgBeforeShow, BackdropOnReset},
    {WM_TIMER, BackdropOnTimer},
    {WM_SYSCOMMAND, ReturnOne},
};

// Where the backdrop lies, in screen coordinates.
RECT BackdropRect()
{
    RECT r = {0, 0, 0, 0};
    HWND frame = DialogFrameWindow();
    if (g_backdrop.rectangleMode == 2 && g_dialogShell.content) {
        GetWindowRect(g_dialogShell.content, &r);
    } else if (g_backdrop.rectangleMode == 0 && frame) {
        GetWindowRect(frame, &r);
    } else if (frame) {
        GetClientRect(frame, &r);
        MapWindowPoints(frame, 0, (POINT*)&r, 2);
    }
    return r;
}

}  // namespace

LRESULT CALLBACK BackdropWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DispatchMessageTable(kBackdropMessages, window, message, wParam, lParam);
}

void BackdropTargetsFor(int32_t ownerCode, int32_t* low, int32_t* high)
{
    *low = 255;
    *high = 255;
    switch (ownerCode) {
    case 8: *low = 100; break;
    case kOwnerBackdropOnly: *low = 0; break;
    case kScreenFilePanel: *low = 100; *high = 250; break;
    case kScreenImageBrowser: *low = 20; *high = 250; break;
    case 5: case 6: case 12: case 14: case 15: case 17: case 19: case 20: case 21: case 24: *low = 100; break;
    default: break;  // note dialogs, error details and unknown owners stay undarkened
    }
    if (SpeedIndex() < 250) *high = *low;
}

void RequestModalDialog(int32_t rectangleMode, DialogRequester requester, int32_t ownerCode)
{
    // A backdrop still up from an earlier dialog (its close still fading or
    // posted) goes now: once this record forgets it, nothing would destroy
    // it and it would stay over the program. Its destruction must not end
    // anything of the new dialog's.
    HWND earlier = g_backdropWindow.GetHwndField();
    g_backdropWindow.SetHwndField(0);
    if (earlier && IsWindow(earlier)) {
        uint32_t done = g_dialogCenter.done;
        g_dialogCenter.done = 1;
        DestroyWindow(earlier);
        g_dialogCenter.done = done;
    }
    ZeroMemory(&g_backdrop, sizeof(g_backdrop));
    g_backdrop.rectangleMode = rectangleMode;
    g_backdrop.requester = requester;
    g_backdrop.ownerCode = ownerCode;
    g_backdropWindow.SetHwndField(0);
}

HWND GetBackdropWindow()
{
    HWND window = g_backdropWindow.GetHwndField();
    return (window && IsWindow(window)) ? window : 0;
}

void CreateBackdropWindow()
{
    BackdropRecord& b = g_backdrop;
    DialogState = kDialogBackdropFading;
    BackdropTargetsFor(b.ownerCode, &b.lowTarget, &b.highTarget);
    b.lighteningPhase = -1;
    b.alpha = b.highTarget;
    b.darkeningPhase = 1;
    b.lighteningStep = 300;

    HWND frame = DialogFrameWindow();
    if (frame && !g_app.system.IsWine())
        SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    FlushComposition(1);
    if (g_dialogShell.content) UpdateWindow(g_dialogShell.content);
    if (frame) UpdateWindow(frame);

    RECT r = BackdropRect();
    int width = r.right - r.left, height = r.bottom - r.top;
    g_snapshot.FreeGdiObjects();
    if (frame && width > 0 && height > 0) {
        HDC dc = GetDC(frame);
        if (dc) {
            g_snapshot.CaptureFromDC(dc, 0, 0, width, height);
            ReleaseDC(frame, dc);
        }
    }
    if (g_app.GetActiveWindowId() != kBackdropWindowId) b.savedWindowId = g_app.GetActiveWindowId();

    AIWindow::RegisterClassWithIcon(L"winBuffer_", BackdropWindowProc, 0);
    WCHAR caption[256] = L"";
    if (frame) GetWindowTextW(frame, caption, 256);
    HWND window = g_backdropWindow.Create(0, L"winBuffer_", caption, WS_POPUP | WS_VISIBLE, r.left, r.top, width,
                                          height, DialogMainWindow(), 0, 0);
    if (!window) return;  // the user gave up: no timer, the dialog is never asked for
    g_backdropWindow.RunGuarded([](AIWindow*) -> int { return BackdropOnReset(); });
    EnableWindow(window, FALSE);
    SetTimer(window, kBackdropFadeTimer, kBackdropTickMs, 0);
}

void ShowPendingDialog()
{
    BackdropRecord& b = g_backdrop;
    HWND window = GetBackdropWindow();
    if (window) KillTimer(window, kBackdropFadeTimer);
    b.darkeningPhase = -1;
    b.alpha = b.lowTarget;
    FlushComposition(1);
    Sleep(10);
    if (NewerThanXp()) Sleep(100);
    static const uint32_t showDialog = HashName("ShowDialog");
    DialogReceiver receiver = 0;
    if (b.ownerCode == kOwnerErrorDetails) receiver = g_errorDetailsReceiver;
    else if (b.ownerCode == kOwnerNoteDialogs) receiver = g_noteDialogReceiver;
    else if (b.ownerCode != kOwnerBackdropOnly) receiver = g_dialogHostReceiver;
    if (receiver) {
        WPARAM argument = (b.ownerCode == kOwnerErrorDetails || b.ownerCode == kOwnerNoteDialogs) ? 0 : b.ownerCode;
        receiver(window, MsgCommandByName, showDialog, (LPARAM)argument);
        return;
    }
    // Backdrop only, or nobody to show the dialog: the backdrop closes again,
    // here and not in a later paint, which an empty backdrop (no frame, a
    // minimised frame) never gets.
    CloseBackdropWindow();
}

void CloseBackdropWindow()
{
    HWND window = GetBackdropWindow();
    if (window) KillTimer(window, kBackdropFadeTimer);
    g_backdrop.lighteningPhase = -1;
    g_backdrop.alpha = g_backdrop.highTarget;
    if (window) PostMessageW(window, WM_DESTROY, kPostedDestroyMark, 0);
}

void DestroyDialogWindows()
{
    HWND host = g_dialogHostWindow;
    g_dialogHostWindow = 0;
    if (host && IsWindow(host)) DestroyWindow(host);
    HWND backdrop = g_backdropWindow.GetHwndField();
    g_backdropWindow.SetHwndField(0);
    if (backdrop && IsWindow(backdrop)) DestroyWindow(backdrop);
}

void RestoreAfterDialog()
{
    if (g_dialogCenter.done) return;
    g_dialogCenter.done = 1;
    if (HWND window = GetBackdropWindow()) KillTimer(window, kBackdropFadeTimer);
    if (g_dialogHostWindow && IsWindow(g_dialogHostWindow)) KillTimer(g_dialogHostWindow, 5);
    if (HWND window = GetBackdropWindow()) EnableWindow(window, TRUE);
    DialogEnableMainWindows();
    DialogState = kDialogRestored;
    int32_t saved = g_backdrop.savedWindowId;
    g_app.SetActiveWindowId((saved == kBackdropWindowId || saved == 0) ? 200 : saved);
    DestroyDialogWindows();
    g_dialogCenter.busy = 0;
    if (g_dialogShell.afterDialogRestored) g_dialogShell.afterDialogRestored();
    if (HWND frame = DialogFrameWindow()) UpdateWindow(frame);
    DialogSetStatusText(L"Ready", kStatusDone);
}
