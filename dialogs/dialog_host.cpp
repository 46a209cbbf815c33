// The dialog host window: opening, the paint with its frame cache and fades,
// closing, keys and activation. Screens plug in through RegisterScreen.
#include "dialogs/dialog_host.h"
#include "drawing/buffered_paint.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/modal_backdrop.h"
#include "dialogs/screen_launchers.h"
#include "drawing/ai_dib.h"
#include "drawing/ai_effects.h"
#include "foundation/app.h"
#include "foundation/hash_name.h"
#include "foundation/misc_services.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "ui/window_table.h"

DialogHostState g_dialogHost;

namespace {

enum { kMaxScreens = 16 };
struct ScreenEntry {
    int32_t id;
    const ScreenHandlers* handlers;
    ScreenMessageHandler messages;
};
ScreenEntry g_screens[kMaxScreens];
int g_screenCount = 0;

AIDib g_hostBackground;  // the backdrop's picture under the host
AIDib g_frameCache;      // the background and the screen's frame, drawn once per opening
AIDib g_hostPaint;       // the paint buffer

// The running average of paint times, handed to the system's delay value.
double g_paintMsTotal = 0;
int g_paintCount = 0;

const COLORREF kGreyTint = RGB(100, 100, 100);
const COLORREF kHostStaticBlue = RGB(0, 0, 255);  // the static 13901: COLORREF 0xFF0000

int TransparencyOff() { return g_app.settings.Record().transparencyOff ? 1 : 0; }
int NewerThanXp() { return g_app.system.GetWindowsVersion() > 5.99 ? 1 : 0; }
int SpeedIndex() { return TransparencyOff() ? 99 : g_app.system.GetCpuSpeedIndex(); }

const ScreenHandlers& Current()
{
    static const ScreenHandlers none = {};
    const ScreenHandlers* h = FindScreen(g_dialogHost.screenId);
    return h ? *h : none;
}

LRESULT ForwardOther(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (int i = 0; i < g_screenCount; i++)
        if (g_screens[i].id == g_dialogHost.screenId && g_screens[i].messages)
            return g_screens[i].messages(window, message, wParam, lParam);
    return 0;
}

int ScreenAvailable(int32_t screenId) { return FindScreen(screenId) ? 1 : 0; }

void FinishOpening(HWND window)
{
    DialogHostState& h = g_dialogHost;
    KillTimer(window, kHostFadeTimer);
    h.level = kScreenLevelOpen;
    h.openingPhase = -1;
    DialogState = kDialogOpen;
    EnableWindow(window, TRUE);
    SetFocus(window);
    InvalidateRect(window, 0, FALSE);
    UpdateWindow(window);
    if (h.focusControl) SetFocus(h.focusControl);
}

LRESULT HostOnClose(HWND window, UINT message, WPARAM, LPARAM);

void FinishClosing(HWND window)
{
    KillTimer(window, kHostFadeTimer);
    g_dialogHost.closingPhase = -1;
    g_dialogHost.level = kScreenLevelClosed;
    HostOnClose(window, 0, 0, 0);
}

// The glass the host lays over a screen's frame, by the screen's frame style.
void DrawGlass(HDC dc, int x, int y, int width, int height)
{
    int style = g_dialogHost.frameStyle;
    if (style == kFrameStyleFlat) return;
    RECT band = {x, y, x + width, y + kScreenTitleBarHeight};
    AIEffectContext glass(dc, band);
    glass.GradientTintInRect(RGB(255, 255, 255), 70);
    if (style == kFrameStyleBand) return;
    RECT all = {x, y, x + width, y + height};
    AIEffectContext whole(dc, all);
    if (style != kFrameStylePicture)
        whole.FourCornerGradientC(all, RGB(255, 255, 255), RGB(235, 240, 250), RGB(235, 240, 250),
                                  RGB(210, 220, 235), 40);
    whole.BorderFadeInRect(all, 4, RGB(255, 255, 255), 60);
    if (style == kFrameStyleTabs) {
        RECT column = {x + 10, y + kScreenTitleBarHeight + 50, x + 30 + kScreenTabWidth, y + height - 50};
        AIEffectContext tint(dc, column);
        tint.FourCornerGradientC(column, RGB(220, 232, 255), RGB(245, 248, 255), RGB(220, 232, 255),
                                 RGB(245, 248, 255), 90);
    } else if (style == kFrameStyleWizard) {
        RECT strip = {x, y + height - 50, x + width, y + height};
        AIEffectContext tint(dc, strip);
        tint.GradientTintInRect(RGB(220, 232, 255), 90);
    }
}

void RebuildFrameCache(HDC memory, int width, int height)
{
    DialogHostState& h = g_dialogHost;
    h.openingPhase = 1;
    if (!g_hostBackground.IsEmpty()) g_hostBackground.Draw(memory, 0, 0);
    else {
        RECT all = {0, 0, width, height};
        FillRect(memory, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    }
    if (h.screenId != kScreenImageBrowser) {
        int fw = width - h.margin1 - h.margin2, fh = height - h.margin1 - h.margin2;
        if (Current().paintFrame) Current().paintFrame(memory, h.margin1, h.margin1, fw, fh);
        DrawGlass(memory, h.margin1, h.margin1, fw, fh);
    }
    g_frameCache.CaptureFromDC(memory, 0, 0, width, height);
    h.frameCacheValid = 1;
}

// The fade of the opening and closing: the backdrop's picture drawn over the
// screen with the opacity that is left.
void DrawFade(HDC memory)
{
    DialogHostState& h = g_dialogHost;
    if (!g_hostBackground.IsEmpty() && h.level < kScreenLevelOpen)
        g_hostBackground.DrawWithOpacity(memory, 0, 0, kScreenLevelOpen - h.level);
}

void StepOpening(HWND window)
{
    DialogHostState& h = g_dialogHost;
    int speed = SpeedIndex();
    int step = speed < 200 ? 999 : speed < 300 ? 120 : 80;
    if (NewerThanXp()) step = 999;
    if (TransparencyOff() || h.screenId == kScreenFavourites || h.screenId == kScreenImageBrowser) step = 999;
    h.level += step;
    if (h.level > 220) h.level = kScreenLevelOpen;
    if (h.level >= kScreenLevelOpen || speed < 100 || TransparencyOff()) {
        KillTimer(window, kHostFadeTimer);
        h.level = kScreenLevelOpen;
        h.openingPhase = 0;
    }
}

void StepClosing(HWND window)
{
    DialogHostState& h = g_dialogHost;
    int speed = SpeedIndex();
    int step = speed < 300 ? -100 : -80;
    if (NewerThanXp() && step > -120) step = -120;
    if (h.screenId == kScreenFavourites || h.screenId == kScreenImageBrowser) step = -999;
    h.level += step;
    if (h.level < 0) h.level = 0;
    if (h.level <= kScreenLevelClosed || speed < 100 || TransparencyOff()) {
        KillTimer(window, kHostFadeTimer);
        h.closingPhase = 0;
        h.level = kScreenLevelClosed;
        h.frameCacheValid = 0;
    }
}

void MeasurePaint(LARGE_INTEGER start)
{
    DialogHostState& h = g_dialogHost;
    if (h.screenId == kScreenWelcomeAnimation || h.screenId == kScreenGettingStarted || h.screenId == kScreenAbout)
        return;
    if (h.openingPhase == 0 && h.closingPhase == 0) return;
    LARGE_INTEGER end, frequency;
    QueryPerformanceCounter(&end);
    QueryPerformanceFrequency(&frequency);
    if (frequency.QuadPart <= 0) return;
    g_paintMsTotal += (double)(end.QuadPart - start.QuadPart) * 1000.0 / (double)frequency.QuadPart;
    g_paintCount++;
    int average = (int)(g_paintMsTotal / g_paintCount + 0.5);
    GetSetDelayValue(average > 0 ? average : 1);
}

LRESULT HostOnPaint(HWND window, UINT, WPARAM, LPARAM)
{
    TRACE_SCOPE(kTraceDialogHost, 2);
    DialogHostState& h = g_dialogHost;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    BufferedPaint paint;
    BeginBufferedPaint(window, g_hostPaint, paint);
    HDC memory = paint.memory;
    int width = paint.width, height = paint.height;
    if (!memory) {
        EndBufferedPaint(window, g_hostPaint, paint);
        return 0;
    }
    h.paintContext = memory;
    h.paintCount++;
    if (h.frameCacheValid && !g_frameCache.IsEmpty()) g_frameCache.Draw(memory, 0, 0);
    else RebuildFrameCache(memory, width, height);
    SetBkMode(memory, TRANSPARENT);
    if (Current().paintContent) Current().paintContent(memory);
    if (h.openingPhase == 1) {
        StepOpening(window);
        DrawFade(memory);
    }
    if (h.closingPhase == 1) {
        StepClosing(window);
        if (SpeedIndex() >= 100) DrawFade(memory);
    }
    if (!g_app.GetGuardFlag() && h.screenId != kScreenImageBrowser)
        AIEffectContext::MakeGreyscale(memory, 0, 0, width, height, 0, 100, kGreyTint);
    if (NewerThanXp()) FlushComposition(1);
    h.paintContext = 0;
    EndBufferedPaint(window, g_hostPaint, paint);
    MeasurePaint(start);
    if (h.openingPhase == 0) FinishOpening(window);
    if (h.closingPhase == 0) FinishClosing(window);
    return 0;
}

// WM_CLOSE starts the closing fade; the fade's end, or a destruction, closes for real.
LRESULT HostOnClose(HWND window, UINT message, WPARAM, LPARAM)
{
    DialogHostState& h = g_dialogHost;
    if (h.closedFlag) return 0;
    if (message == WM_CLOSE && h.closingPhase != 1) {
        // Closed while it fades in: the fade-in stops where it is (its end
        // would stop the fade timer) and the fade-out goes on from there.
        if (h.openingPhase == 1) h.openingPhase = -1;
        InvalidateRect(window, 0, FALSE);
        DialogState = kDialogClosing;
        h.closingPhase = 1;
        SetTimer(window, kHostFadeTimer, kHostTickMs, 0);
        return 0;
    }
    TRACE_SCOPE(kTraceDialogHost, 3);
    KillTimer(window, kHostFadeTimer);
    KillTimer(window, kHostAnimationTimer);
    h.closedFlag = 1;
    if (Current().onClose) Current().onClose();
    if (GetKeyState(VK_CAPITAL) & 1) SendKeyStroke(VK_CAPITAL);
    if (GetCapture() == window) ReleaseCapture();
    g_app.SetActiveWindowId(h.savedWindowId);
    g_frameCache.FreeGdiObjects();
    h.frameCacheValid = 0;
    HWND backdrop = GetBackdropWindow();
    if (backdrop) ShowWindow(backdrop, SW_SHOW);
    Sleep(10);
    if (g_dialogHostWindow == window) g_dialogHostWindow = 0;
    h.window = 0;
    if (message != WM_DESTROY && IsWindow(window)) DestroyWindow(window);
    // The backdrop fades out on its own timer; when it is gone already,
    // nothing is left to fade (no stray thread timer).
    if (backdrop && IsWindow(backdrop)) SetTimer(backdrop, kBackdropCloseTimer, kBackdropTickMs, 0);
    return 0;
}

LRESULT HostOnCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_dialogHost.window = window;
    g_dialogHostWindow = window;
    CreateSharedScreenControls(window);
    return Current().onCreate ? Current().onCreate(window, message, wParam, lParam) : 0;
}

LRESULT HostOnTimer(HWND window, UINT, WPARAM timerId, LPARAM)
{
    DialogHostState& h = g_dialogHost;
    if (timerId == kHostSlideshowTimer) {
        h.slideshowTicks++;
        InvalidateRect(window, 0, TRUE);
        return 0;
    }
    if (DialogState == kDialogHostOpening || DialogState == kDialogClosing) {
        if (++h.tickCount >= kHostFallbackTicks) {
            h.tickCount = 0;
            if (DialogState == kDialogHostOpening) FinishOpening(window);
            else FinishClosing(window);
            return 0;
        }
    } else {
        h.tickCount = 0;
    }
    if (timerId == kHostFadeTimer) InvalidateRect(window, 0, TRUE);
    else if (g_app.GetGuardFlag()) InvalidateRect(window, 0, FALSE);
    return 0;
}

LRESULT HostOnKeyDown(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_KEYDOWN) g_dialogHost.lastKey = wParam;
    return 1;
}

LRESULT HostOnKeyUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The release of a key pressed before the host opened belongs to what
    // came before: the Escape that closed something else, or the 0 of the
    // Ctrl+0 that opened the favourites (which would close them again).
    if (message == WM_KEYUP && g_dialogHost.lastKey != wParam) return 0;
    if (!IsWindowEnabled(window)) {
        // A key pressed and released on the screen while it fades in answers
        // what shows already: the opening ends at once and the key counts.
        if (message != WM_KEYUP || DialogState != kDialogHostOpening || g_dialogHost.window != window) return 0;
        FinishOpening(window);
    }
    return Current().onKeyUp ? Current().onKeyUp(window, message, wParam, lParam) : 0;
}

LRESULT HostOnActivate(HWND window, UINT, WPARAM wParam, LPARAM)
{
    DialogHostState& h = g_dialogHost;
    if (h.openingPhase == 1 || h.closingPhase == 1) return 0;
    HWND backdrop = GetBackdropWindow();
    if (LOWORD(wParam) == WA_INACTIVE) {
        if (h.closingPhase != -1) return 0;
        ForwardOther(window, WM_ACTIVATE, wParam, 0);
        if (backdrop && !g_app.system.IsWine())
            SetWindowPos(backdrop, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        g_app.SetGuardFlag(0);
    } else {
        if (!g_app.GetGuardFlag()) g_app.SetGuardFlag(1);
        if (h.focusControl) SetFocus(h.focusControl);
    }
    if (backdrop) InvalidateRect(backdrop, 0, FALSE);
    InvalidateRect(window, 0, FALSE);
    return 0;
}

LRESULT HostOnCtlColor(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    HDC dc = (HDC)wParam;
    HWND control = (HWND)lParam;
    static HBRUSH focusBrush = 0;
    if (message == WM_CTLCOLOREDIT) {
        if (!focusBrush) focusBrush = CreateSolidBrush(RGB(255, 252, 230));
        int focused = control == g_dialogHost.focusControl;
        SetTextColor(dc, focused ? RGB(0, 0, 0) : RGB(40, 40, 40));
        SetBkColor(dc, focused ? RGB(255, 252, 230) : RGB(255, 255, 255));
        return (LRESULT)(focused ? focusBrush : GetStockObject(WHITE_BRUSH));
    }
    if (GetDlgCtrlID(control) == kHostMarkedStatic) SetTextColor(dc, kHostStaticBlue);
    SetBkMode(dc, TRANSPARENT);
    return (LRESULT)GetStockObject(NULL_BRUSH);
}

LRESULT HostOnCommandMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kHostMarkedStatic) return 1;
    return ForwardOther(window, message, wParam, lParam);
}

LRESULT HostOnBeforeShow(HWND, UINT, WPARAM, LPARAM)
{
    g_dialogHost.closedFlag = 0;
    g_dialogHost.page = 1;
    if (HWND frame = DialogFrameWindow()) EnableWindow(frame, FALSE);
    if (HWND backdrop = GetBackdropWindow()) EnableWindow(backdrop, FALSE);
    if (g_dialogShell.content) EnableWindow(g_dialogShell.content, FALSE);
    return 1;
}

LRESULT HostOnSyncPaint(HWND window, UINT, WPARAM, LPARAM)
{
    if (HWND backdrop = GetBackdropWindow()) UpdateWindow(backdrop);
    UpdateWindow(window);
    return 0;
}

LRESULT ForwardToScreen(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const ScreenHandlers& s = Current();
    LRESULT (*handler)(HWND, UINT, WPARAM, LPARAM) = 0;
    if (message == WM_LBUTTONDOWN) handler = s.onMouseDown;
    else if (message == WM_LBUTTONUP) handler = s.onMouseUp;
    else if (message == WM_MOUSEMOVE && g_app.GetGuardFlag()) handler = s.onMouseMove;
    return handler ? handler(window, message, wParam, lParam) : 0;
}

LRESULT ReturnOne(HWND, UINT, WPARAM, LPARAM) { return 1; }

const MessageEntry kHostMessages[] = {
    {WM_CREATE, HostOnCreate},
    {WM_ERASEBKGND, ReturnOne},
    {WM_PAINT, HostOnPaint},
    {WM_COMMAND, HostOnCommandMessage},
    {WM_ACTIVATE, HostOnActivate},
    {WM_DESTROY, HostOnClose},
    {WM_CLOSE, HostOnClose},
    {WM_DRAWITEM, ReturnOne},
    {WM_LBUTTONDOWN, ForwardToScreen},
    {WM_LBUTTONUP, ForwardToScreen},
    {MsgBeforeShow, HostOnBeforeShow},
    {WM_TIMER, HostOnTimer},
    {WM_KEYUP, HostOnKeyUp},
    {WM_SYSKEYUP, HostOnKeyUp},
    {WM_KEYDOWN, HostOnKeyDown},
    {WM_CHAR, HostOnKeyDown},
    {WM_MOUSEMOVE, ForwardToScreen},
    {WM_CTLCOLORSTATIC, HostOnCtlColor},
    {WM_CTLCOLOREDIT, HostOnCtlColor},
    {WM_SYNCPAINT, HostOnSyncPaint},
    {WM_SYSCOMMAND, ReturnOne},
    {WM_MOUSEWHEEL, DialogHostOnCommand},
    {WM_CAPTURECHANGED, ForwardOther},
};

// The backdrop's picture under the host's window, as the host's background.
void CaptureHostBackground(HWND backdrop, const RECT& hostScreenRect)
{
    g_hostBackground.FreeGdiObjects();
    if (!backdrop) return;
    POINT origin = {hostScreenRect.left, hostScreenRect.top};
    ScreenToClient(backdrop, &origin);
    Sleep(10);
    FlushComposition(1);
    HDC dc = GetDC(backdrop);
    if (!dc) return;
    g_hostBackground.CaptureFromDC(dc, origin.x, origin.y, hostScreenRect.right - hostScreenRect.left,
                                   hostScreenRect.bottom - hostScreenRect.top);
    ReleaseDC(backdrop, dc);
}

// Where the host lies on the screen: centred over the main window (the
// image browser over the area right of the side panel below the ribbon).
RECT HostScreenRect()
{
    DialogHostState& h = g_dialogHost;
    RECT owner = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HWND main = DialogMainWindow();
    if (h.screenId == kScreenImageBrowser && main) {
        POINT origin = {h.x, h.y};
        ClientToScreen(main, &origin);
        RECT r = {origin.x, origin.y, origin.x + h.width, origin.y + h.height};
        return r;
    }
    if (main) GetWindowRect(main, &owner);
    int left = owner.left + (owner.right - owner.left - h.width) / 2;
    int top = owner.top + (owner.bottom - owner.top - h.height) / 2;
    RECT r = {left, top, left + h.width, top + h.height};
    return r;
}

}  // namespace

void RegisterScreen(int32_t screenId, const ScreenHandlers* handlers)
{
    for (int i = 0; i < g_screenCount; i++)
        if (g_screens[i].id == screenId) {
            g_screens[i].handlers = handlers;
            return;
        }
    if (g_screenCount < kMaxScreens) g_screens[g_screenCount++] = {screenId, handlers, nullptr};
}

void RegisterScreenMessages(int32_t screenId, ScreenMessageHandler handler)
{
    for (int i = 0; i < g_screenCount; i++)
        if (g_screens[i].id == screenId) g_screens[i].messages = handler;
}

const ScreenHandlers* FindScreen(int32_t screenId)
{
    for (int i = 0; i < g_screenCount; i++)
        if (g_screens[i].id == screenId) return g_screens[i].handlers;
    return 0;
}

void ConnectDialogHost()
{
    g_dialogHostReceiver = DialogHostOnCommand;
    g_screenAvailable = ScreenAvailable;
}

RECT ScreenRectFor(int32_t screenId)
{
    RECT r = {204, 70, 204 + 480, 70 + 396};
    switch (screenId) {
    case kScreenWelcome: case kScreenAbout: case kScreenGettingStarted: case kScreenShortcuts:
    case kScreenPasteImage: case kScreenFirstStart: case kScreenTipOfDay: case kScreenFavourites:
    case kScreenSyncSettings:
        SetRect(&r, 204, 70, 204 + 550, 70 + 446);
        break;
    case kScreenWelcomeAnimation:
        if (HWND frame = DialogFrameWindow()) {
            GetWindowRect(frame, &r);
            OffsetRect(&r, -r.left, -r.top);
            InflateRect(&r, -50, -50);
        }
        break;
    case kScreenImageBrowser:
        if (g_dialogShell.imageBrowserArea && g_dialogShell.imageBrowserArea(&r)) break;
        if (HWND frame = DialogFrameWindow()) {
            RECT client;
            GetClientRect(frame, &client);
            SetRect(&r, 0, 0, client.right, client.bottom);
        }
        break;
    default: break;
    }
    return r;
}

HWND ShowDialogHost(int32_t screenId)
{
    TRACE_SCOPE(kTraceDialogHost, 1);
    DialogHostState& h = g_dialogHost;
    int32_t keptSaved = h.savedWindowId;
    ZeroMemory(&h, sizeof(h));
    h.savedWindowId = keptSaved;
    h.screenId = screenId;
    h.frameStyle = kFrameStyleGlass;
    RECT r = ScreenRectFor(screenId);
    h.x = r.left;
    h.y = r.top;
    h.width = r.right - r.left;
    h.height = r.bottom - r.top;
    HWND frame = DialogFrameWindow();
    if (frame && !g_app.system.IsWine()) {
        SetWindowLongW(frame, GWL_STYLE, GetWindowLongW(frame, GWL_STYLE) & ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        RedrawWindow(frame, 0, 0, RDW_INVALIDATE | RDW_FRAME);
    }
    if (g_app.system.IsMac()) {
        h.margin1 = h.margin2 = 0;
        h.x += kScreenMacOffset;
        h.y += kScreenMacOffset;
        h.width -= kScreenMacOffset;
        h.height -= 2 * kScreenMacOffset;
    } else {
        h.margin1 = kScreenMargin1;
        h.margin2 = kScreenMargin2;
    }
    HWND backdrop = GetBackdropWindow();
    if (backdrop && !g_app.system.IsWine()) {
        SetWindowPos(backdrop, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        UpdateWindow(backdrop);
    }
    RECT place = HostScreenRect();
    CaptureHostBackground(backdrop, place);
    if (backdrop && !g_app.system.IsWine())
        SetWindowPos(backdrop, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    AIWindow::RegisterClassWithIcon(L"winGuide_", DialogHostWndProc, 0);
    WCHAR caption[256] = L"";
    if (frame) GetWindowTextW(frame, caption, 256);
    static AIWindow hostWindow(kDialogHostWindowId);
    HWND window = hostWindow.Create(0, L"winGuide_", caption, WS_POPUP, place.left, place.top, h.width, h.height,
                                    DialogMainWindow(), 0, 0);
    if (!window) return 0;
    h.window = window;
    g_dialogHostWindow = window;
    SendMessageW(window, MsgBeforeShow, 1, 0);
    ShowWindow(window, SW_SHOWNORMAL);
    int32_t active = g_app.GetActiveWindowId();
    if (active != kDialogHostWindowId) h.savedWindowId = active;
    g_app.SetActiveWindowId(kDialogHostWindowId);
    h.closingPhase = -1;
    h.openingPhase = -99;
    h.level = kScreenLevelClosed;
    SetCapture(window);
    if (Current().onShow) Current().onShow();
    EnableWindow(window, FALSE);
    if (NewerThanXp()) FlushComposition(1);
    h.openingPhase = 1;
    SetTimer(window, kHostFadeTimer, kHostTickMs, 0);
    DialogState = kDialogHostOpening;
    return window;
}

LRESULT DialogHostOnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const uint32_t showDialog = HashName("ShowDialog");
    if (message == MsgCommandByName && (uint32_t)wParam == showDialog) {
        // A screen nobody registered would never close: the backdrop clears again.
        HWND host = FindScreen((int32_t)lParam) ? ShowDialogHost((int32_t)lParam) : 0;
        if (host) UpdateWindow(host);
        else if (GetBackdropWindow()) CloseBackdropWindow();  // nothing to wait for
        return 1;
    }
    if (message == WM_MOUSEWHEEL && g_dialogHost.screenId == kScreenImageBrowser) {
        const ScreenHandlers& s = Current();
        return s.onMouseMove ? s.onMouseMove(window, message, wParam, lParam) : 0;
    }
    if (message == WM_SYNCPAINT && g_dialogHost.window) return HostOnSyncPaint(g_dialogHost.window, message, 0, 0);
    return 0;
}

void CloseScreenWithResult(int32_t result)
{
    g_dialogCenter.result = result;
    if (g_dialogHost.window) SendMessageW(g_dialogHost.window, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK DialogHostWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DispatchMessageTable(kHostMessages, window, message, wParam, lParam);
}

// ---- Edit fields of the screens ----

namespace {

const WCHAR kPreviousProcProperty[] = L"TavikHostEditProc";

void MakeFocusControl(HWND field)
{
    HWND previous = g_dialogHost.focusControl;
    g_dialogHost.focusControl = field;
    if (previous && previous != field) InvalidateRect(previous, 0, TRUE);
    if (g_dialogHost.window) InvalidateRect(g_dialogHost.window, 0, FALSE);
}

}  // namespace

void AttachHostEditField(HWND field)
{
    if (!field) return;
    WNDPROC previous = (WNDPROC)SetWindowLongPtrW(field, GWLP_WNDPROC, (LONG_PTR)DialogHostEditProc);
    SetPropW(field, kPreviousProcProperty, (HANDLE)previous);
}

LRESULT CALLBACK DialogHostEditProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = (WNDPROC)GetPropW(field, kPreviousProcProperty);
    switch (message) {
    case WM_SETFOCUS:
    case EM_SETSEL:
        if (g_dialogHost.focusControl != field) MakeFocusControl(field);
        break;
    case WM_LBUTTONUP:
        if (g_dialogHost.focusControl != field) {
            MakeFocusControl(field);
            if (g_dialogHost.window) UpdateWindow(g_dialogHost.window);
        }
        break;
    case WM_CHAR:
        if (wParam == VK_TAB && g_dialogHost.window) {
            HWND next = GetNextDlgTabItem(g_dialogHost.window, field, FALSE);
            if (next) {
                SetFocus(next);
                SendMessageW(next, EM_SETSEL, 0, -1);
                MakeFocusControl(next);
            }
            return 0;
        }
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) return 0;
        break;
    case WM_KEYUP:
        if (wParam == VK_ESCAPE || wParam == VK_RETURN) {
            // Escape and Enter are the screen's: the host's key handler decides.
            g_dialogHost.lastKey = wParam;
            if (g_dialogHost.window) return HostOnKeyUp(g_dialogHost.window, message, wParam, lParam);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemovePropW(field, kPreviousProcProperty);
        break;
    default: break;
    }
    return previous ? CallWindowProcW(previous, field, message, wParam, lParam) : DefWindowProcW(field, message, wParam, lParam);
}
