#include "shell/sync_connection.h"
#include "shell/frame_window.h"
#include "dialogs/screen_launchers.h"
#include "shell/frame_ribbon.h"
#include "shell/ribbon_hover.h"
#include "shell/main_panel.h"
#include "shell/command_table.h"
#include "shell/note_commands.h"
#include "shell/shutdown.h"
#include "shell/shell_ids.h"
#include "shell/later_entry_points.h"
#include "shell/capture_connection.h"
#include "editor/editor_status.h"
#include "shell/second_instance.h"
#include "shell/typing_store.h"
#include "foundation/app.h"
#include "foundation/hash_name.h"
#include "foundation/trace.h"
#include <shellapi.h>
#include <commctrl.h>

FrameWindow g_frame;
enum { kHotKeyCapture = 1, kSysCommandWelcome = 0x0010 };

LRESULT OnRibbonCommand(HWND window, UINT commandId, WPARAM wParam, LPARAM lParam)
{
    int handled = 0;
    return RunCommandById(window, MAKEWPARAM(commandId, HIWORD(wParam)), lParam, &handled);
}

static void LayoutFrame(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    g_ribbon.Attach(window, 0, 0, client.right);  // lays the ribbon out
    int band = RibbonBandHeight();
    g_frame.ribbonBandHeight = band;
    g_frame.ribbonTabHeight = Ribbon::kTabStripHeight;
    HWND panel = g_mainPanel.GetHwndField();
    if (panel) MoveWindow(panel, 0, band, client.right, client.bottom > band ? client.bottom - band : 0, TRUE);
}

void SetRibbonMode(int mode)
{
    g_frame.ribbonMode = mode ? 1 : 0;
    g_ribbon.SetDisplayMode(mode ? Ribbon::ModeFull : Ribbon::ModeHidden);
    HWND frame = g_frame.GetHwndField();
    if (frame) {
        LayoutFrame(frame);
        InvalidateRect(frame, nullptr, TRUE);
    }
}

static LRESULT FrameOnSize(HWND window, UINT, WPARAM wParam, LPARAM)
{
    if (wParam != SIZE_MINIMIZED) LayoutFrame(window);
    return 0;
}

static LRESULT FrameOnPaint(HWND window, UINT, WPARAM, LPARAM)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    RECT band = {0, 0, client.right, g_frame.ribbonBandHeight};
    if (band.bottom > 0) {
        // Draw into a memory bitmap so that the ribbon never flickers.
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, band.right > 0 ? band.right : 1, band.bottom);
        HGDIOBJ old = SelectObject(memory, bitmap);
        FillRect(memory, &band, GetSysColorBrush(COLOR_BTNFACE));
        g_ribbon.Paint(memory);
        BitBlt(dc, 0, 0, band.right, band.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    EndPaint(window, &ps);
    return 0;
}

static LRESULT FrameOnEraseBackground(HWND, UINT, WPARAM, LPARAM) { return 1; }

static LRESULT FrameOnMouse(HWND window, UINT message, WPARAM, LPARAM lParam)
{
    int x = (short)LOWORD(lParam), y = (short)HIWORD(lParam);
    if (message == WM_LBUTTONDOWN) SetCapture(window);
    if (message == WM_LBUTTONUP && GetCapture() == window) ReleaseCapture();
    AIControl* before = g_ribbon.GetHotControl();
    if (g_ribbon.TrackMouse(message, x, y)) InvalidateRect(window, nullptr, FALSE);
    AIControl* hot = g_ribbon.GetHotControl();
    if (message == WM_MOUSEMOVE && hot != before) {
        if (hot) RibbonMouseMove(2, hot->GetId());
        else SetStatusText(L"", kStatusInfo);
    }
    // Told when the pointer leaves for a pane: the highlight must not stay.
    if (message == WM_MOUSEMOVE && hot) {
        TRACKMOUSEEVENT leave = {sizeof(leave), TME_LEAVE, window, 0};
        TrackMouseEvent(&leave);
    }
    return 0;
}

static LRESULT FrameOnMouseLeave(HWND, UINT, WPARAM, LPARAM)
{
    ResetRibbonHover();
    return 0;
}

static LRESULT FrameOnCommand(HWND window, UINT, WPARAM wParam, LPARAM lParam)
{
    return OnRibbonCommand(window, LOWORD(wParam), wParam, lParam);
}

static LRESULT FrameOnTimer(HWND window, UINT, WPARAM wParam, LPARAM)
{
    OnFrameTimer(window, wParam);
    return 0;
}

void OnFrameTimer(HWND, UINT_PTR timerId)
{
    if (timerId == kTimerFramePeriodic) {
        TRACE_SCOPE(kTraceFrame, 2);
        OpenHandedOverDatafile();
        HWND editor = g_mainPanel.editor.GetHwnd();
        int32_t modified = editor && SendMessageW(editor, EM_GETMODIFY, 0, 0) ? 1 : 0;
        if (ShouldStoreTypedNote(g_frame.typingStore, modified, TypingClockNow(), (DWORD)g_mainPanel.lastEditTick))
            SaveCurrentNoteAutomatically();
        RunTimedSyncPass();
    } else if (timerId == kTimerStatusAnimation) {
        TRACE_SCOPE(kTraceFrame, 3);
        TickStatusLine();
    } else if (timerId == kTimerPasteFollowUp) {
        KillTimer(g_frame.GetHwndField(), kTimerPasteFollowUp);
        UpdateEditorStatus(kEditorStatusRefresh);
    }
}

static LRESULT FrameOnClose(HWND, UINT, WPARAM, LPARAM)
{
    ShutdownApplication();
    return 0;
}

static LRESULT FrameOnQueryEndSession(HWND, UINT, WPARAM, LPARAM)
{
    ShutdownApplication();
    return TRUE;
}

static LRESULT FrameOnEndSession(HWND, UINT, WPARAM wParam, LPARAM)
{
    if (wParam) ShutdownApplication();
    return 0;
}

static bool s_keepFocusInFrame = false;

void KeepFocusInFrame(bool keep) { s_keepFocusInFrame = keep; }

// The frame passes the focus on to the pane that had it last (QuickSearch,
// the editor, a search box), else to the editor: coming back to the program
// never moves the user's typing into another pane.
static LRESULT FrameOnSetFocus(HWND frame, UINT, WPARAM, LPARAM)
{
    if (s_keepFocusInFrame) return 0;
    HWND pane = g_mainPanel.focusPane;
    if (!pane || !IsWindow(pane) || !IsWindowVisible(pane) || !IsChild(frame, pane)) pane = g_mainPanel.editor.GetHwnd();
    if (pane && IsWindowVisible(pane)) SetFocus(pane);
    return 0;
}

// Leaving for another program saves the note: the user may switch off or
// copy the data file while Tavik is in the background.
static LRESULT FrameOnActivateApp(HWND, UINT, WPARAM wParam, LPARAM)
{
    g_app.SetGuardFlag(wParam ? 1 : 0);
    if (!wParam) SaveCurrentNoteAutomatically();
    return 0;
}

// Activated, the program counts as in use again (screens and the message
// box are drawn in colour); the focus stays in the pane that has it, and
// only when no pane has it does the frame take it (and pass it on).
static LRESULT FrameOnActivate(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) return DefWindowProcW(window, message, wParam, lParam);
    g_app.SetGuardFlag(1);
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus)) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

// The wheel reaches the frame over the ribbon (the panes send it here).
static LRESULT FrameOnMouseWheel(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    if (TurnRibbonTabsAt(at, GET_WHEEL_DELTA_WPARAM(wParam))) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

static LRESULT FrameOnGetMinMaxInfo(HWND, UINT, WPARAM, LPARAM lParam)
{
    MINMAXINFO* info = (MINMAXINFO*)lParam;
    info->ptMinTrackSize.x = 520;
    info->ptMinTrackSize.y = 360;
    return 0;
}

static LRESULT FrameOnTrayIcon(HWND window, UINT, WPARAM, LPARAM lParam)
{
    if (lParam == WM_LBUTTONUP || lParam == WM_LBUTTONDBLCLK) {
        ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
    }
    return 0;
}

LRESULT OnHotKey(HWND, UINT, WPARAM wParam, LPARAM)
{
    TRACE_SCOPE(kTraceFrame, 4);
    if (wParam == kHotKeyCapture) StartCapture(kCaptureNow);
    return 0;
}

LRESULT OnSysCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TRACE_SCOPE(kTraceFrame, 5);
    if ((wParam & 0xFFF0) == kSysCommandWelcome) {
        ShowWelcomeScreen();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

static const MessageEntry kFrameMessages[] = {
    {WM_SIZE, FrameOnSize},
    {WM_PAINT, FrameOnPaint},
    {WM_ERASEBKGND, FrameOnEraseBackground},
    {WM_MOUSEMOVE, FrameOnMouse},
    {WM_MOUSELEAVE, FrameOnMouseLeave},
    {WM_LBUTTONDOWN, FrameOnMouse},
    {WM_LBUTTONUP, FrameOnMouse},
    {WM_COMMAND, FrameOnCommand},
    {WM_TIMER, FrameOnTimer},
    {WM_HOTKEY, OnHotKey},
    {WM_SYSCOMMAND, OnSysCommand},
    {WM_CLOSE, FrameOnClose},
    {WM_QUERYENDSESSION, FrameOnQueryEndSession},
    {WM_ENDSESSION, FrameOnEndSession},
    {WM_SETFOCUS, FrameOnSetFocus},
    {WM_GETMINMAXINFO, FrameOnGetMinMaxInfo},
    {WM_MOUSEWHEEL, FrameOnMouseWheel},
    {WM_ACTIVATEAPP, FrameOnActivateApp},
    {WM_ACTIVATE, FrameOnActivate},
    {MsgTrayIcon, FrameOnTrayIcon},
    {MsgStartedAgain, FrameOnStartedAgain},
    {WM_COPYDATA, FrameOnCopyData},
};

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DispatchMessageTable(kFrameMessages, window, message, wParam, lParam);
}

HWND CreateFrameWindow(HINSTANCE instance)
{
    TRACE_SCOPE(kTraceFrame, 6);
    const WCHAR* name = g_app.GetName();
    if (!name || !name[0]) name = L"Tavik";
    AIWindow::RegisterClassWithIcon(name, FrameWindowProc, IDI_TAVIK);
    (void)instance;
    // Off-screen first: the saved placement moves it into view.
    int offLeft = GetSystemMetrics(SM_XVIRTUALSCREEN) - 1000;
    HWND frame = g_frame.Create(0, name, kProductName, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, offLeft, 0, 960, 680,
                                nullptr, nullptr, nullptr);
    if (!frame) return nullptr;
    g_frame.borderWidth = GetSystemMetrics(SM_CXSIZEFRAME);
    g_frame.borderHeight = GetSystemMetrics(SM_CYSIZEFRAME);
    g_frame.captionHeight = GetSystemMetrics(SM_CYCAPTION);
    HMENU system = GetSystemMenu(frame, FALSE);
    if (system) {
        AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(system, MF_STRING, kSysCommandWelcome, L"Welcome to Tavik");
    }
    RECT client;
    GetClientRect(frame, &client);
    BuildRibbon(frame, client.right);
    return frame;
}

void PlaceFrameWithinWorkArea(const WINDOWPLACEMENT* saved, FrameShowing showing)
{
    HWND frame = g_frame.GetHwndField();
    if (!frame) return;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    RECT wanted = {work.left + 40, work.top + 30, work.left + 40 + 960, work.top + 30 + 680};
    UINT show = SW_SHOWNORMAL;
    if (saved && saved->length == sizeof(WINDOWPLACEMENT)) {
        wanted = saved->rcNormalPosition;
        if (saved->showCmd == SW_SHOWMAXIMIZED) show = SW_SHOWMAXIMIZED;
    }
    int width = wanted.right - wanted.left, height = wanted.bottom - wanted.top;
    int workWidth = work.right - work.left, workHeight = work.bottom - work.top;
    if (width < 520) width = 520;
    if (height < 360) height = 360;
    if (width > workWidth) width = workWidth;
    if (height > workHeight) height = workHeight;
    int left = wanted.left, top = wanted.top;
    if (left + width > work.right) left = work.right - width;
    if (top + height > work.bottom) top = work.bottom - height;
    if (left < work.left) left = work.left;
    if (top < work.top) top = work.top;
    placement.rcNormalPosition = {left, top, left + width, top + height};
    placement.showCmd = show == SW_SHOWNORMAL && showing == kFrameHiddenUntilShown ? SW_HIDE : show;
    SetWindowPlacement(frame, &placement);
}

void ShowPlacedFrame()
{
    HWND frame = g_frame.GetHwndField();
    if (!frame || IsWindowVisible(frame)) return;
    // The placement again, now shown: what PlaceFrameWithinWorkArea would have done at once.
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(frame, &placement)) return;
    placement.showCmd = SW_SHOWNORMAL;
    SetWindowPlacement(frame, &placement);
}

WORD WindowHotKeyForName(const WCHAR* programName)
{
    if (CompareTextNoCase(programName, L"Tavik") == 0) return VK_F12;
    if (TextLength(programName) <= 10) return (WORD)(VK_F12 | (HOTKEYF_CONTROL << 8));
    return (WORD)(VK_F12 | (HOTKEYF_ALT << 8));
}

int RegisterProgramHotKeys(HWND frame, int allowHotKeys, int allowWindowHotKey)
{
    TRACE_SCOPE(kTraceTrayHotKeys, 1);
    if (!allowHotKeys) return 0;
    int count = 0;
    // Either may be refused (another program holds the key, no desktop): go on without it.
    if (RegisterHotKey(frame, kHotKeyCapture, MOD_SHIFT, VK_SNAPSHOT)) count++;
    if (allowWindowHotKey && SendMessageW(frame, WM_SETHOTKEY, WindowHotKeyForName(g_app.GetName()), 0) == 1)
        count++;
    return count;
}

int RegisterHotKeysAsSet(HWND frame)
{
    return RegisterProgramHotKeys(frame, !g_app.settings.Record().hotKeysOff, !g_app.HasWord(kWordNoHotkey));
}

void UnregisterProgramHotKeys(HWND frame)
{
    if (!frame) return;
    UnregisterHotKey(frame, kHotKeyCapture);
    SendMessageW(frame, WM_SETHOTKEY, 0, 0);
}

static int s_trayShown = 0;

int SetTrayIcon(const WCHAR* title, const WCHAR* text)
{
    TRACE_SCOPE(kTraceTrayHotKeys, 2);
    HWND frame = g_frame.GetHwndField();
    if (!frame) return 0;
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = frame;
    data.uID = 1;
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = MsgTrayIcon;
    data.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TAVIK));
    CopyTextBounded(data.szTip, 128, g_app.GetName());
    if (title || text) {
        data.uFlags |= NIF_INFO;
        CopyTextBounded(data.szInfoTitle, 64, title ? title : L"");
        CopyTextBounded(data.szInfo, 256, text ? text : L"");
        data.dwInfoFlags = NIIF_INFO;
    }
    BOOL ok = Shell_NotifyIconW(s_trayShown ? NIM_MODIFY : NIM_ADD, &data);
    if (ok) s_trayShown = 1;
    return ok ? 1 : 0;
}

void RemoveTrayBalloon()
{
    TRACE_SCOPE(kTraceTrayHotKeys, 4);
    if (!s_trayShown) return;
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = g_frame.GetHwndField();
    data.uID = 1;
    data.uFlags = NIF_INFO;  // an empty text takes the balloon away
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void RemoveTrayIcon()
{
    if (!s_trayShown) return;
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = g_frame.GetHwndField();
    data.uID = 1;
    Shell_NotifyIconW(NIM_DELETE, &data);
    s_trayShown = 0;
}
