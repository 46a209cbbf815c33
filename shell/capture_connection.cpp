// The capture connected to the program: its links, the click mode (the
// editor holds the mouse; the next click names the browser window), the hot
// key's start and the ribbon commands.
#include "shell/capture_connection.h"
#include "shell/commands.h"
#include "shell/frame_window.h"
#include "shell/global_windows.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "shell/shell_ids.h"
#include "dialogs/dialog_center.h"
#include "dialogs/screen_launchers.h"
#include "editor/images/image_paste.h"
#include "notestore/note_store.h"
#include "search/capture/screen/capture_shell_links.h"
#include "search/capture/screen/screen_capture.h"
#include "search/capture/web_capture.h"
#include "foundation/app.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "foundation/hash_name.h"

namespace {

enum { kClickModeMs = 5000, kBalloonShownMs = 3000 };

const WCHAR kBalloonTitle[] = L"Orvanta Tavik";
const WCHAR kClickInstruction[] = L"Click the web browser's window to capture its page";

void Status(const WCHAR* text, int level) { SetStatusText(text, (StatusLevel)level); }
// Wine draws a balloon as an empty window of its own: the status line (and
// a message for what must be read) stand in for balloons there.
int Balloon(const WCHAR* text) { return g_app.system.IsWine() ? 0 : SetTrayIcon(kBalloonTitle, text); }
void WebBalloon(const WCHAR* text) { Balloon(text); }
void RemoveBalloonLater() { StartMainTimer(kTimerCaptureBalloon, kBalloonShownMs); }
void Message(int32_t id) { g_dialogCenter.ShowMessage((uint32_t)id); }
void SaveNote() { SaveCurrentNote(kSaveAskOnFailure); }
int SaveImage(const WCHAR* address, const WCHAR* label) { return SaveWebCaptureImage(address, label, 0); }
void StartClickTimer() { StartMainTimer(kTimerCaptureClickMode, kClickModeMs); }
void StopClickTimer() { StopMainTimer(kTimerCaptureClickMode); }

void ShowCapturedNote(const WCHAR* title)
{
    FillNoteList();
    int32_t index = FindNoteByTitle(title, 0, 0);
    if (index >= 0) ReadAndShowNote(index, kShowAndRecord);
}

// The click mode's click, wherever it lands (in another program's window the
// editor's mouse capture does not see it): it is taken from the mouse's
// low-level hook, kept from the window under it, and the capture runs from
// the content window's by-name route once the hook has returned.
HHOOK g_clickHook = 0;
int g_eatButtonUp = 0;

LRESULT CALLBACK ClickModeHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == WM_LBUTTONUP && g_eatButtonUp) {
        g_eatButtonUp = 0;
        return 1;
    }
    if (code == HC_ACTION && wParam == WM_LBUTTONDOWN && IsCaptureClickArmed()) {
        EndCaptureClick();
        g_eatButtonUp = 1;
        POINT p = ((const MSLLHOOKSTRUCT*)lParam)->pt;
        if (g_captureShell.editor) ScreenToClient(g_captureShell.editor, &p);
        PostMessageW(g_mainPanel.GetHwndField(), MsgCommandByName, HashName("CaptureWindow"),
                     MAKELPARAM((WORD)(short)p.x, (WORD)(short)p.y));
        return 1;
    }
    return CallNextHookEx(g_clickHook, code, wParam, lParam);
}

void RemoveClickHook()
{
    if (g_clickHook) UnhookWindowsHookEx(g_clickHook);
    g_clickHook = 0;
}

// The top-level window under a point of the editor, 0 when it is one of ours.
HWND ForeignWindowAt(LPARAM point)
{
    HWND editor = g_captureShell.editor;
    POINT p = {(short)LOWORD(point), (short)HIWORD(point)};
    if (editor) ClientToScreen(editor, &p);
    HWND under = WindowFromPoint(p);
    HWND root = under ? GetAncestor(under, GA_ROOT) : 0;
    DWORD process = 0;
    if (root) GetWindowThreadProcessId(root, &process);
    return process && process != GetCurrentProcessId() ? root : 0;
}

int ShowsClickInstruction() { return CompareTextNoCase(GetStatusText(), kClickInstruction) == 0; }

// Ends the click mode; the instruction goes with it, replaced by `ended`
// (the capture that follows a click says what it does itself).
void EndClickMode(const WCHAR* ended)
{
    TRACE_SCOPE(kTraceScreenCapture, 5);
    int wasOn = g_clickHook != 0;
    EndCaptureClick();
    StopClickTimer();
    RemoveClickHook();
    if (!wasOn) return;
    if (ended && ShowsClickInstruction()) Status(ended, kStatusDone);
    if (GetCapture() == g_captureShell.editor) ReleaseCapture();
    if (g_captureShell.frame) ShowWindow(g_captureShell.frame, SW_SHOW);
}

}  // namespace

void ConnectCapture()
{
    CaptureShellLinks& l = g_captureShell;
    l.frame = g_frame.GetHwndField();
    l.editor = g_mainPanel.editor.GetHwnd();
    l.setStatus = Status;
    l.showBalloon = Balloon;
    l.removeBalloonLater = RemoveBalloonLater;
    l.openPasteScreen = ShowPasteImageScreen;
    l.showMessage = Message;
    l.saveCurrentNote = SaveNote;
    l.saveCaptureImage = SaveImage;
    l.showCapturedNote = ShowCapturedNote;
    WebCaptureHooks hooks = {};
    hooks.showStatus = Status;
    hooks.showBalloon = WebBalloon;
    SetWebCaptureHooks(hooks);
}

void StartCapture(int now)
{
    TRACE_SCOPE(kTraceScreenCapture, 3);
    if (now == kCaptureNow) {
        CaptureBrowserWindow(GetForegroundWindow());
        return;
    }
    HWND editor = g_captureShell.editor;
    if (!editor) return;
    ArmCaptureClickMode();
    StartClickTimer();
    SetWindowPos(g_captureShell.frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RemoveClickHook();
    g_eatButtonUp = 0;
    g_clickHook = SetWindowsHookExW(WH_MOUSE_LL, ClickModeHook, GetModuleHandleW(nullptr), 0);
    SetCapture(editor);
    Status(kClickInstruction, kStatusInfo);
}

void CaptureWindow(LPARAM point)
{
    TRACE_SCOPE(kTraceScreenCapture, 4);
    EndClickMode(nullptr);
    HWND target = ForeignWindowAt(point);
    CaptureBrowserWindow(target ? target : GetForegroundWindow());
    if (ShowsClickInstruction()) Status(L"Web capture: nothing was captured", kStatusWarning);
}

void EndCaptureClickMode() { EndClickMode(L"Capture Web ended - no window was clicked"); }

LRESULT CmdCaptureWeb(HWND, WPARAM, LPARAM)
{
    StartCapture(kCaptureAfterClick);
    return 1;
}

LRESULT CmdCaptureScreenshot(HWND, WPARAM, LPARAM) { return CaptureScreenshot(); }
