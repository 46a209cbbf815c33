// Connects the dialogs to the shell's windows, status line and commands.
#include "shell/dialogs_connection.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/error_details.h"
#include "dialogs/message_box.h"
#include "dialogs/screen_launchers.h"
#include "dialogs/screens/screens.h"
#include "editor/dialogs/note_dialog.h"
#include "editor/images/image_paste.h"
#include "foundation/hash_name.h"
#include "shell/frame_window.h"
#include "shell/shell_settings.h"
#include "shell/later_entry_points.h"
#include "search/preview/preview_pane.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "shell/file_commands.h"
#include "shell/shell_messages.h"
#include "notestore/note_store.h"

namespace {
int StopTimers() { return StopTimersForExit(); }
int PreviewShowing() { return !g_mainPanel.previewHeld && g_mainPanel.previewShown ? 1 : 0; }
void HidePreview() { HideQuickPreview(0); }
void AfterRestored()
{
    g_mainPanel.highlightAnimation = -1;
    g_mainPanel.windowState = 1;
    if (g_mainPanel.focusPane) SetFocus(g_mainPanel.focusPane);
}
void InvalidateStatus()
{
    if (HWND content = g_mainPanel.GetHwndField()) InvalidateRect(content, &g_mainPanel.layout.status, FALSE);
}
void SetCurrent(int32_t index) { g_mainPanel.currentNote = index; }
// The panel's choice of a recent file: the open file is saved first; when that
// fails nothing changes (-1), so the recent entry is not blamed.
int OpenFromPanel(const WCHAR* path)
{
    if (IsDatafileLoaded() && (!SaveCurrentNote(kSaveAskOnFailure) || SaveDatafileIfOpen() == kSaveFailed)) return -1;
    return OpenDatafile(path) ? 1 : 0;
}
int ShowNote(int32_t index) { return ReadAndShowNote(index, kShowAndRecord); }
// Right of the note list's column and below the ribbon: the content window's
// part from the splitter on, in the frame's client coordinates.
int ImageBrowserArea(RECT* area)
{
    HWND frame = g_frame.GetHwndField(), content = g_mainPanel.GetHwndField();
    if (!frame || !content || !IsWindowVisible(content)) return 0;
    RECT r;
    GetClientRect(content, &r);
    r.left = g_mainPanel.layout.splitter.right;
    if (r.left >= r.right || r.top >= r.bottom) return 0;
    MapWindowPoints(content, frame, (POINT*)&r, 2);
    *area = r;
    return 1;
}
}  // namespace

void ConnectDialogs()
{
    g_dialogShell.frame = g_frame.GetHwndField();
    g_dialogShell.content = g_mainPanel.GetHwndField();
    g_dialogShell.editor = g_mainPanel.editor.GetHwnd();
    g_dialogShell.statusLineHeight = kStatusHeight;
    g_dialogShell.setStatusText = SetStatusText;
    g_dialogShell.invalidateStatusLine = InvalidateStatus;
    g_dialogShell.stopTimersForDialog = StopTimers;
    g_dialogShell.killAllTimers = KillAllTimers;
    g_dialogShell.isQuickPreviewShowing = PreviewShowing;
    g_dialogShell.hideQuickPreview = HidePreview;
    g_dialogShell.afterDialogRestored = AfterRestored;
    g_dialogShell.setCurrentNote = SetCurrent;
    g_dialogShell.refreshDatafile = RefreshNotes;
    g_dialogShell.openDatafile = OpenFromPanel;
    g_dialogShell.showNote = ShowNote;
    g_dialogShell.chosenTitle = &g_mainPanel.chosenTitle;
    g_dialogShell.syncFoldersStored = TakeUpSyncFolderSettings;
    g_dialogShell.saveImageIntoNote = SaveImageIntoNote;
    g_dialogShell.imageBrowserArea = ImageBrowserArea;
    RegisterAllScreens();
    ConnectNoteDialogs();
    ConnectErrorDetails();
    ConnectNoteStoreMessages();
    SetShellMessageHook(ShowCatalogueMessage);
}

void UpdateMessageBox(int mode) { g_dialogCenter.UpdateMessageBox(mode); }
void ShowDialogScreen(LPARAM argument) { g_dialogCenter.RunDialogScreen((int32_t)argument); }
int IsDialogCenterBusy() { return (int)g_dialogCenter.IsDialogBusy(); }
void CloseMessageBoxForExit() { MessageBoxOnCommand(0, MsgCommandByName, HashName("Exit"), 0); }
