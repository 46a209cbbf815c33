// The content window's application timers (ids 10001 to 10230): started
// through StartMainTimer so that KillAllTimers can stop every one of them.
#include "shell/main_panel.h"
#include "search/quick/quick_search_box.h"
#include "shell/later_entry_points.h"
#include "shell/ribbon_hover.h"
#include "shell/capture_connection.h"
#include "shell/frame_window.h"
#include "shell/ctrl_hint.h"
#include "shell/image_preview_connection.h"
#include "shell/quick_search_pulse.h"
#include "search/preview/preview_pane.h"
#include "editor/editor_status.h"
#include "editor/keys/note_editor.h"
#include "shell/shell_ids.h"
#include "foundation/hash_name.h"
#include "foundation/trace.h"

static const UINT_PTR kMainTimerIds[] = {
    kTimerCtrlHintFirst, kTimerCtrlHintFirst + 1, kTimerCtrlHintFirst + 2, kTimerCtrlHintFirst + 3,
    kTimerCtrlHintLast, kTimerCtrlHintEditor, kTimerEditorStatus, kTimerLinkHover, kTimerQuickPreview,
    kTimerImageHover, kTimerEditorRepaint, kTimerEditorRepaint2, kTimerRibbonHover, kTimerCaptureClickMode,
    kTimerThumbnail, kTimerPreviewRepaint, kTimerQuickSearchPreview, kTimerCaptureBalloon, kTimerStartupDone,
    kTimerQuickSearchPulse,
};
enum { kMainTimerCount = sizeof kMainTimerIds / sizeof kMainTimerIds[0] };

// Which of them are started (for KillAllTimers).
static int s_timerRunning[kMainTimerCount];

static int TimerSlot(UINT_PTR timerId)
{
    for (int i = 0; i < kMainTimerCount; i++)
        if (kMainTimerIds[i] == timerId) return i;
    return -1;
}

void StartMainTimer(UINT_PTR timerId, UINT milliseconds)
{
    HWND panel = g_mainPanel.GetHwndField();
    int slot = TimerSlot(timerId);
    if (!panel || slot < 0) return;
    if (SetTimer(panel, timerId, milliseconds, nullptr)) s_timerRunning[slot] = 1;
}

void StopMainTimer(UINT_PTR timerId)
{
    HWND panel = g_mainPanel.GetHwndField();
    int slot = TimerSlot(timerId);
    if (panel) KillTimer(panel, timerId);
    if (slot >= 0) s_timerRunning[slot] = 0;
}

int CountRunningMainTimers()
{
    int running = 0;
    for (int flag : s_timerRunning) running += flag;
    return running;
}

void KillAllTimers()
{
    TRACE_SCOPE(kTraceMainTimers, 1);
    for (int i = 0; i < kMainTimerCount; i++) StopMainTimer(kMainTimerIds[i]);
}

int StopTimersForExit()
{
    TRACE_SCOPE(kTraceMainTimers, 2);
    // The editor starts its hint timers itself: they are stopped whoever started them.
    for (UINT_PTR id = kTimerCtrlHintFirst; id <= kTimerCtrlHintLast; id++) StopMainTimer(id);
    StopMainTimer(kTimerCtrlHintEditor);
    if (IsDialogCenterBusy()) {
        // The highlight's timer stops: the highlight goes with it.
        EndCaretLineHighlight();
        StopMainTimer(kTimerEditorStatus);
        CloseMessageBoxForExit();
    }
    g_mainPanel.ctrlHintState = -1;
    return 1;
}

// The one-shot start-up timer: the window is up and painted; focus the
// editor, unless the user has already put the focus into a pane (on a slow
// start the timer comes late, and QuickSearch may be in use).
static void OnStartupDone()
{
    StopMainTimer(kTimerStartupDone);
    HWND editor = g_mainPanel.editor.GetHwnd();
    if (!editor || !IsWindowVisible(editor)) return;
    HWND frame = GetAncestor(editor, GA_ROOT);
    HWND focus = GetFocus();
    if (focus && focus != frame) return;
    if (GetForegroundWindow() == frame) SetFocus(editor);
}

void OnMainTimer(HWND, UINT_PTR timerId)
{
    TRACE_SCOPE(kTraceMainTimers, 3);
    switch (timerId) {
    case kTimerEditorStatus:
        StopMainTimer(kTimerEditorStatus);
        EndCaretLineHighlight();
        break;
    case kTimerLinkHover:
        StopMainTimer(kTimerLinkHover);
        StopMainTimer(kTimerQuickPreview);
        PaintImagePreview(kPreviewFromTimer, kPreviewTextOnly, 0);
        break;
    case kTimerImageHover:
        StopMainTimer(kTimerImageHover);
        PaintImagePreview(kPreviewFromTimer, kPreviewWithImage, 0);
        break;
    case kTimerQuickPreview:
        StopMainTimer(kTimerQuickPreview);
        HideQuickPreview(1);
        break;
    case kTimerThumbnail:
        StopMainTimer(kTimerThumbnail);
        HideThumbnail();
        break;
    case kTimerPreviewRepaint:
        StopMainTimer(kTimerPreviewRepaint);
        // A picture is drawn straight into the window: it draws itself again.
        if (IsImagePreviewShown()) RepaintShownImagePreview();
        else RepaintPreviewOnce();
        break;
    case kTimerQuickSearchPreview:
        StopMainTimer(kTimerQuickSearchPreview);
        if (g_mainPanel.noteList.GetHwnd())
            ShowQuickSearchPreview((int)SendMessageW(g_mainPanel.noteList.GetHwnd(), LB_GETCURSEL, 0, 0), 1);
        break;
    case kTimerCaptureBalloon:
        StopMainTimer(kTimerCaptureBalloon);
        RemoveTrayBalloon();
        break;
    case kTimerCaptureClickMode:
        StopMainTimer(kTimerCaptureClickMode);
        EndCaptureClickMode();
        break;
    case kTimerEditorRepaint:
    case kTimerEditorRepaint2:
        StopMainTimer(timerId);
        if (g_mainPanel.editor.GetHwnd()) InvalidateRect(g_mainPanel.editor.GetHwnd(), nullptr, FALSE);
        break;
    case kTimerRibbonHover:
        StepRibbonAnimation();
        break;
    case kTimerStartupDone:
        OnStartupDone();
        break;
    case kTimerQuickSearchPulse:
        StepQuickSearchPulse();
        break;
    default:
        if ((timerId >= kTimerCtrlHintFirst && timerId <= kTimerCtrlHintLast) || timerId == kTimerCtrlHintEditor)
            RunCtrlHint((int)timerId);
        break;
    }
}
