#include "shell/search_connection.h"
#include "shell/later_entry_points.h"
#include "shell/capture_connection.h"
#include "search/capture/screen/screen_capture.h"
#include "shell/main_panel.h"
#include "shell/image_preview_connection.h"
#include "shell/note_commands.h"
#include "shell/file_commands.h"
#include "search/quick/full_text_mode.h"
#include "search/quick/quick_search_box.h"
#include "search/quick/result_panel.h"
#include "search/quick/search_shell_links.h"
#include "search/store_search_source.h"
#include "search/preview/word_lookup_preview.h"
#include "editor/keys/editor_links.h"
#include "editor/format/zoom_status.h"
#include "dialogs/screen_launchers.h"
#include "shell/ctrl_hint.h"
#include "shell/editor_ribbon.h"
#include "shell/frame_ribbon.h"
#include "shell/image_preview_connection.h"
#include "shell/quick_search_pulse.h"

namespace {

// The result column takes this share of the width in full-text search.
const int kResultColumnPercent = 45;
const int kResultColumnMin = 300;
const int kPreviewMin = 260;

int32_t CurrentNote() { return g_mainPanel.currentNote; }
int ShowNote(int32_t index) { return ReadAndShowNote(index, kShowAndRecord); }
int FocusQuickSearch(int focus) { return ShowQuickSearch(focus ? kFocusQuickSearch : kFocusEditor); }
int IncSearch(int mode) { return ToggleIncSearch((IncSearchMode)mode); }
int NewNote(int fromActive) { return CreateNewNote(fromActive ? kNewNoteFromActive : kNewNoteEmpty); }
int Print() { return PrintNote(kPrintDefaultPage); }
int Navigate(int forward) { return forward ? NavigateForward() : NavigateBack(); }
void CaptureDocument(int) { StartCapture(kCaptureAfterClick); }
void Screenshot() { CaptureScreenshot(); }
int FullTextFromEditor(const WCHAR* text) { return StartFullTextSearchFor(text); }

void Place(HWND window, const RECT& r, int show)
{
    if (!window) return;
    MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    ShowWindow(window, show ? SW_SHOW : SW_HIDE);
}

void Show(AIControl& control, int show)
{
    if (control.GetHwnd()) ShowWindow(control.GetHwnd(), show ? SW_SHOW : SW_HIDE);
}

}  // namespace

void ConnectSearch(HWND content)
{
    ConnectStoreSearchSource();
    MainPanelWindow& p = g_mainPanel;
    SearchShellLinks& l = g_searchShell;
    l.content = content;
    l.quickSearch = p.quickSearch.GetHwnd();
    l.noteList = p.noteList.GetHwnd();
    l.previewPane = p.previewPane.GetHwnd();
    l.editor = p.editor.GetHwnd();
    l.currentNote = CurrentNote;
    l.showNote = ShowNote;
    l.focusQuickSearch = FocusQuickSearch;
    l.incSearch = IncSearch;
    l.newNote = NewNote;
    l.renameNote = RenameCurrentNote;
    l.printNote = Print;
    l.openDatafile = OpenDatafileDialog;
    l.navigate = Navigate;
    l.captureDocument = CaptureDocument;
    l.captureScreenshot = Screenshot;
    l.lookUpWord = LookUpWordAndReport;
    l.setStatusText = SetStatusText;
    l.layout = UpdateSplitter;
    l.startTimer = StartMainTimer;
    l.showShortcuts = ShowShortcutsScreen;
    l.showZoomStatus = ShowEditorZoomStatus;
    l.setImageZoom = SetImageZoom;
    l.showDefaultImage = ShowDefaultPreviewImage;
    l.startCtrlHint = StartCtrlHint;
    l.stopCtrlHint = StopCtrlHint;
    l.ribbonForQuickSearch = RibbonForQuickSearch;
    l.ribbonForTypedTitle = RibbonForTypedTitle;
    l.isDialogRunning = IsDialogCenterBusy;
    l.isLargeImageShown = IsLargeImagePreviewShown;
    l.refreshStatus = RefreshImagePreview;
    l.pulseBox = StartQuickSearchPulse;
    l.wheelOverRibbon = TurnRibbonTabsAt;
    InstallQuickSearchBox(l.quickSearch);
    PrepareFullTextSearch(content);
    g_editorShell.fullTextSearch = FullTextFromEditor;
}

void LayOutFullTextSearch(const PanelLayout& l)
{
    MainPanelWindow& p = g_mainPanel;
    HWND field = GetFullTextField();
    HWND panel = GetResultPanel();
    if (!IsFullTextSearchMode()) {
        if (field) ShowWindow(field, SW_HIDE);
        if (panel) ShowWindow(panel, SW_HIDE);
        if (!p.noFileMode) {
            Show(p.quickSearch, 1);
            Show(p.noteList, 1);
            Show(p.editor, 1);
            Show(p.previewPane, 1);
        }
        return;
    }
    const int width = l.status.right;
    int column = width * kResultColumnPercent / 100;
    if (column < kResultColumnMin) column = kResultColumnMin;
    if (column > width - kPreviewMin) column = width - kPreviewMin;
    if (column < l.quickSearch.left) column = l.quickSearch.left;
    RECT fieldRect = {l.quickSearch.left, l.quickSearch.top, column, l.quickSearch.bottom};
    RECT panelRect = {l.quickSearch.left, l.noteList.top, column, l.preview.bottom};
    RECT previewRect = {column + kMargin, l.quickSearch.top, l.editor.right, l.preview.bottom};
    Show(p.quickSearch, 0);
    Show(p.noteList, 0);
    Show(p.editor, 0);
    Show(p.incSearchBox, 0);
    Show(p.replaceBox, 0);
    Place(field, fieldRect, 1);
    Place(panel, panelRect, 1);
    HWND preview = p.previewPane.GetHwnd();
    if (preview) MoveWindow(preview, previewRect.left, previewRect.top, previewRect.right - previewRect.left,
                            previewRect.bottom - previewRect.top, TRUE);
}
