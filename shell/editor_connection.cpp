// Connects the note editor to the shell.
#include "shell/editor_connection.h"
#include "shell/sync_connection.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/note_editor.h"
#include "dialogs/dialog_center.h"
#include "dialogs/screen_launchers.h"
#include "shell/file_commands.h"
#include "shell/frame_ribbon.h"
#include "shell/frame_window.h"
#include "shell/image_preview_connection.h"
#include "shell/image_thumbnails.h"
#include "shell/later_entry_points.h"
#include "shell/split_view.h"
#include "shell/ctrl_hint.h"
#include "shell/editor_ribbon.h"
#include "shell/link_helpers.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "shell/note_markup_view.h"
#include "shell/shell_ids.h"
#include "shell/shell_messages.h"
#include "foundation/message_pump.h"

namespace {

void ShowEditorMessage(int32_t id) { RaiseShellMessage(id, nullptr, kStatusWarning); }
void CloseMessageBox() { UpdateMessageBox(-1); }
int Save() { return SaveCurrentNote(kSaveAskOnFailure); }
int NewNote(int fromActive) { return CreateNewNote(fromActive ? kNewNoteFromActive : kNewNoteEmpty); }
int Refresh(int) { return RefreshNotes(); }
int Navigate(int forward) { return forward ? NavigateForward() : NavigateBack(); }
int Print() { return PrintNote(kPrintDefaultPage); }
int Heading() { return ToggleHeading(g_mainPanel.editor.GetHwnd(), kHeadingToggle); }
int QuickSearch(int focus) { return ShowQuickSearch(focus ? kFocusQuickSearch : kFocusEditor); }
int IncSearch(int mode) { return ToggleIncSearch((IncSearchMode)mode); }
int Favourite(int slot) { return OpenFavorite(slot); }

// Ctrl+K: the hyperlink dialog over the selected label, for a web page, an
// e-mail address or a file; a new link or one of the note.
int32_t EditHyperlink(AIString& label, AIString& target, int isNew)
{
    return g_dialogCenter.EditHyperlinkDialog(label, target, isNew ? kLinkOptionNew : 0, 0, nullptr);
}

// A pasted file: the dialog opens on the new link as the paste planned it.
int32_t EditNewHyperlink(AIString& label, AIString& target, int32_t mode, const WCHAR* noteText)
{
    return g_dialogCenter.EditHyperlinkDialog(label, target, kLinkOptionNew, mode, noteText);
}

// A pasted picture goes through the paste-image screen once the host offers it.
int32_t PasteImageScreen()
{
    if (!IsScreenAvailable(kScreenPasteImage)) return kScreenNotOffered;
    return ShowPasteImageScreen();
}

void ShowEditorMessageWithText(int32_t id, const WCHAR* insert)
{
    AIString text(insert);
    g_dialogCenter.ShowMessageWithText((uint32_t)id, text);
}

void Pasted()
{
    if (HWND frame = g_frame.GetHwndField()) SetTimer(frame, kTimerPasteFollowUp, kPasteFollowUpMs, nullptr);
}

// Following links.
int ShowLinkedNote(int32_t index) { return ReadAndShowNote(index, kShowAndRecord); }
int SetHeading(int level) { return ToggleHeading(g_mainPanel.editor.GetHwnd(), (HeadingChoice)level); }
void MinimiseMain()
{
    if (HWND frame = g_frame.GetHwndField()) ShowWindow(frame, SW_MINIMIZE);
}
int ConfirmLink(const WCHAR* question)
{
    return MessageBoxW(g_frame.GetHwndField(), question, L"Tavik", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// A followed picture link: shown by the image preview.
int ShowFollowedImage(const WCHAR* path)
{
    SetImagePreviewTarget(path, kImagePreviewFitted, 0);
    return PreviewImageFile(1, 0);
}
int EditImageFile(const WCHAR* path)
{
    PasteImageRequest request;
    request.editImage = 1;
    request.imagePath = path;
    return ShowPasteImageScreenFor(request) >= 0;
}

int32_t RunScreen(EditorScreen screen)
{
    switch (screen) {
    case kEditorScreenShortcuts: return ShowShortcutsScreen();
    case kEditorScreenTipOfDay: return ShowTipOfDayScreen();
    case kEditorScreenFilePanel: return HandleFileCommand();
    case kEditorScreenBrowseLinks: return BrowseLinksScreen();
    case kEditorScreenFavourites: return OpenFavorite(kFavouritesScreen);  // acts on the choice
    }
    return kScreenNotOffered;
}

void ForwardToQuickSearch(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND box = g_mainPanel.quickSearch.GetHwnd();
    if (box) SendMessageW(box, message, wParam, lParam);
}

int QuickSearchFocused() { return GetFocus() == g_mainPanel.quickSearch.GetHwnd(); }

int ShowsAt(HWND window, POINT screen)
{
    RECT r;
    return window && IsWindowVisible(window) && GetWindowRect(window, &r) && PtInRect(&r, screen);
}

HWND WheelTargetAt(POINT screen, int ctrl)
{
    HWND list = g_mainPanel.noteList.GetHwnd(), field = g_mainPanel.quickSearch.GetHwnd();
    if (ShowsAt(list, screen)) return list;
    if (!ctrl && ShowsAt(field, screen)) return field;
    if (!ctrl && IsOverRibbon(screen, 1)) return g_frame.GetHwndField();
    return nullptr;
}

}  // namespace

void ConnectEditor()
{
    EditorShellLinks& l = g_editorShell;
    l.frame = g_frame.GetHwndField();
    l.content = g_mainPanel.GetHwndField();
    l.setStatusText = SetStatusText;
    l.setStatusSlot = SetStatusSlotText;
    l.showMessage = ShowEditorMessage;
    l.closeMessageBox = CloseMessageBox;
    l.saveNote = Save;
    l.newNote = NewNote;
    l.renameNote = RenameCurrentNote;
    l.refreshNotes = Refresh;
    l.navigate = Navigate;
    l.openDatafile = OpenDatafileDialog;
    l.printNote = Print;
    l.toggleHeading = Heading;
    l.quickSearch = QuickSearch;
    l.incSearch = IncSearch;
    l.openFavourite = Favourite;
    l.runScreen = RunScreen;
    l.editHyperlink = EditHyperlink;
    l.editNewHyperlink = EditNewHyperlink;
    l.pasteImageScreen = PasteImageScreen;
    l.showMessageWithText = ShowEditorMessageWithText;
    l.pasted = Pasted;
    l.toggleSplitView = ToggleSplitView;
    l.stepPictureTransparency = StepImagePreviewTransparency;
    l.toggleImageZoom = ToggleImageZoom;
    l.setImageZoom = SetImageZoom;
    l.forwardToQuickSearch = ForwardToQuickSearch;
    l.formatParagraph = FormatNoteParagraphAt;
    l.paragraphFormat = NoteParagraphFormatAt;
    l.applyEditorBackground = ApplyEditorBackground;
    l.startTimer = StartMainTimer;
    l.stopTimer = StopMainTimer;
    l.startCtrlHint = StartCtrlHint;
    l.stopCtrlHint = StopCtrlHint;
    l.isQuickSearchFocused = QuickSearchFocused;
    l.showSyncedNote = ShowSyncedNoteOnEntry;
    l.wheelTargetAt = WheelTargetAt;
    l.setRibbonControl = SetRibbonControl;
    l.showRibbonHelp = ShowRibbonHelp;
    l.showRibbonZoom = ShowRibbonZoom;
    l.imageSaved = OnImageSaved;
    l.linkedFile = OnFileLinked;
    l.showNote = ShowLinkedNote;
    l.setHeading = SetHeading;
    l.minimiseMain = MinimiseMain;
    l.confirm = ConfirmLink;
    l.openNoteOfImage = OpenNoteByFileName;
    l.showImage = ShowFollowedImage;
    l.editImage = EditImageFile;
    InstallNoteEditor(&g_mainPanel.editor);
    SetOwnKeysFilter(EditorOwnsKey);
}
