// The File panel's choices: new, open, refresh, save a copy, print, exit and
// the eight recent data files. Frame commands go through the frame's command
// table; loading goes through the note store.
#include "dialogs/screen_launchers.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "foundation/app.h"
#include "foundation/hash_name.h"
#include "notestore/note_store.h"
#include "resources/resource_ids.h"

namespace {

void FrameCommand(UINT commandId)
{
    if (HWND frame = DialogFrameWindow()) SendMessageW(frame, WM_COMMAND, commandId, 0);
}

void ContentRedraw(int on)
{
    HWND content = g_dialogShell.content;
    if (!content) return;
    SendMessageW(content, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) RedrawWindow(content, 0, 0, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
}

void SetCurrentNote(int32_t index)
{
    if (g_dialogShell.setCurrentNote) g_dialogShell.setCurrentNote(index);
}

void RunContentSetup()
{
    if (g_dialogShell.runContentSetup) g_dialogShell.runContentSetup();
}

// Saves and loads the same data file again. The note shown before is found
// again by its title: notes added, renamed or deleted meanwhile move the others.
void RefreshDatafile()
{
    int32_t previous = g_noteStore.currentIndex;
    AIString title;
    if (previous >= 0) {
        GetNoteTitle(previous, title);
        FrameCommand(IDM_SAVE_NOTE);
    }
    SaveDatafileIfOpen();
    ContentRedraw(0);
    AIString path;
    path.Copy(g_noteStore.datafilePath);
    LoadDatafile(path.GetText());
    int32_t index = title.IsEmpty() ? -1 : FindNoteByTitle(title.GetText(), 0, 0);
    if (index < 0 && previous >= 0) {
        int32_t last = GetNoteCount() - 1;
        index = previous > last ? last : previous;
    }
    SetCurrentNote(index);
    RunContentSetup();
    ContentRedraw(1);
    DialogSetStatusText(L"Refreshed data - Save completed", 0);
    if (g_dialogShell.content) UpdateWindow(g_dialogShell.content);
}

int32_t OpenRecentDatafile(int slot, int32_t result)
{
    SettingsRecord& settings = g_app.settings.Record();
    AIString path;
    SettingsGetRecentFile(settings, slot, path);
    if (path.IsEmpty()) return result;
    if (path.EqualsTextNoCase(g_noteStore.datafilePath.GetText())) return 0;
    if (path.StartsWithNoCase(L"rel:\\")) {
        AIString resolved;
        ResolveRelativePath(path.GetText(), resolved);
        path.Copy(resolved);
    }
    if (g_app.system.IsPortable()) {
        AIString folder(path), dataFolder(GetDataFolder());
        folder.SplitAtChar(L'\\', 0, 1);
        if (dataFolder.EndsWithNoCase(L"\\")) dataFolder.SetLength(dataFolder.GetLength() - 1);
        if (dataFolder.IsEmpty() || !folder.StartsWithNoCase(dataFolder.GetText())) {
            g_dialogCenter.ShowMessage(37);
            return result;
        }
    }
    g_dialogCenter.UpdateMessageBox(-1);
    if (g_noteStore.currentIndex >= 0) FrameCommand(IDM_SAVE_NOTE);
    SaveDatafileIfOpen();
    CloseDatafileHandle();
    if (HWND content = g_dialogShell.content) {
        SendMessageW(content, MsgCommandByName, HashName("HideControlsNoFile"), 0);
        UpdateWindow(content);
    }
    Sleep(500);
    ContentRedraw(0);
    SetCurrentNote(-1);
    if (LoadDatafile(path.GetText())) RunContentSetup();
    else SettingsSetRecentFile(settings, slot, 0);
    ContentRedraw(1);
    g_dialogCenter.UpdateMessageBox(0);
    return result;
}

}  // namespace

int32_t CarryOutFileCommand(int32_t result)
{
    switch (result) {
    case 1: FrameCommand(IDM_NEW_DATAFILE); break;
    case 2: FrameCommand(IDM_OPEN_DATAFILE); break;
    case 3: RefreshDatafile(); break;
    case 4: FrameCommand(IDM_SAVE_COPY); break;
    case 5: FrameCommand(IDM_PRINT_NOTE); break;
    case 6: FrameCommand(IDM_PAGE_SETUP_PRINT); break;
    case 99: FrameCommand(IDM_EXIT); break;
    default:
        if (result >= 101 && result <= 108) return OpenRecentDatafile(result - 101, result);
        break;
    }
    return result;
}

int32_t HandleFileCommand()
{
    if (!IsScreenAvailable(kScreenFilePanel)) return -1;
    DialogCenter& c = g_dialogCenter;
    c.CloseActiveDialog();
    c.kind = kScreenFilePanel;
    c.busy = 1;
    c.result = -1;
    c.done = 0;
    int32_t result = RunScreenLoop(SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    CountDialogClosed();
    if (g_dialogShell.content) InvalidateRect(g_dialogShell.content, 0, FALSE);
    DialogInvalidateStatusLine();
    if (HWND frame = DialogFrameWindow()) {
        InvalidateRect(frame, 0, FALSE);
        UpdateWindow(frame);
    }
    result = CarryOutFileCommand(result);
    FinishAfterScreen();
    return result;
}
