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
#include <commctrl.h>

namespace {

enum { kClickModeMs = 5000, kBalloonShownMs = 3000, kClickSubclassId = 0xCA97 };

const WCHAR kBalloonTitle[] = L"Orvanta Tavik";

void Status(const WCHAR* text, int level) { SetStatusText(text, (StatusLevel)level); }
void Balloon(const WCHAR* text) { SetTrayIcon(kBalloonTitle, text); }
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

// The editor while it holds the mouse for the click mode: the click is the
// capture's, not the note's.
LRESULT CALLBACK ClickModeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_LBUTTONDOWN && IsCaptureClickArmed()) {
        EndCaptureClickMode();
        CaptureWindow(lParam);
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
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
    l.startClickTimer = StartClickTimer;
    l.stopClickTimer = StopClickTimer;
    WebCaptureHooks hooks = {};
    hooks.showStatus = Status;
    hooks.showBalloon = Balloon;
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
    SetWindowSubclass(editor, ClickModeProc, kClickSubclassId, 0);
    SetCapture(editor);
    Status(L"Click the web browser's window to capture its page", kStatusInfo);
}

void CaptureWindow(LPARAM point)
{
    TRACE_SCOPE(kTraceScreenCapture, 4);
    HWND target = ForeignWindowAt(point);
    CaptureBrowserWindow(target ? target : GetForegroundWindow());
}

void EndCaptureClickMode()
{
    TRACE_SCOPE(kTraceScreenCapture, 5);
    int wasArmed = IsCaptureClickArmed();
    EndCaptureClick();
    StopClickTimer();
    HWND editor = g_captureShell.editor;
    if (editor) RemoveWindowSubclass(editor, ClickModeProc, kClickSubclassId);
    if (!wasArmed) return;
    if (GetCapture() == editor) ReleaseCapture();
    if (g_captureShell.frame) ShowWindow(g_captureShell.frame, SW_SHOW);
}

LRESULT CmdCaptureWeb(HWND, WPARAM, LPARAM)
{
    StartCapture(kCaptureAfterClick);
    return 1;
}

LRESULT CmdCaptureScreenshot(HWND, WPARAM, LPARAM) { return CaptureScreenshot(); }
