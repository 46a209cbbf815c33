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
#include "foundation/message_ids.h"

namespace {

void FrameCommand(UINT commandId)
{
    if (HWND frame = DialogFrameWindow()) SendMessageW(frame, WM_COMMAND, commandId, 0);
}

// Saves and loads the same data file again; the shell finds the note shown
// before by its title.
void RefreshDatafile()
{
    if (g_dialogShell.refreshDatafile) g_dialogShell.refreshDatafile();
}

int32_t OpenRecentDatafile(int slot, int32_t result)
{
    SettingsRecord& settings = g_app.settings.Record();
    AIString path;
    SettingsGetRecentFile(settings, slot, path);
    if (path.IsEmpty()) return result;
    if (path.EqualsTextNoCase(g_noteStore.datafilePath.GetText())) return 0;
    AIString resolved;
    ResolveRelativePath(path.GetText(), resolved);
    path.Copy(resolved);
    if (g_app.system.IsPortable()) {
        AIString folder(path), dataFolder(GetDataFolder());
        folder.SplitAtChar(L'\\', 0, 1);
        if (dataFolder.EndsWithNoCase(L"\\")) dataFolder.SetLength(dataFolder.GetLength() - 1);
        if (dataFolder.IsEmpty() || !folder.StartsWithNoCase(dataFolder.GetText())) {
            g_dialogCenter.ShowMessage(kMsgPortableLocalFilesOnly);
            return result;
        }
    }
    g_dialogCenter.UpdateMessageBox(-1);
    int opened = g_dialogShell.openDatafile ? g_dialogShell.openDatafile(path.GetText()) : 0;
    // A refused file leaves the list; an open file that could not be saved is no fault of the recent one.
    if (opened == 0) SettingsSetRecentFile(settings, slot, 0);
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
