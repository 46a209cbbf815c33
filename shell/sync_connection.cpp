// Folder sync as the user meets it: notices, edit markers, timed passes.
#include "shell/sync_connection.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "notestore/note_store.h"
#include "editor/format/undo_state.h"
#include <richedit.h>

namespace {

const DWORD kSyncPassInterval = 5 * 60 * 1000;   // a pass every five minutes

DWORD s_lastPassTick = 0;
int32_t s_markerTried = 0;   // the current note's first change claimed (or tried to)
uint32_t s_noticesShown = 0; // sync notices shown so far
WCHAR s_lastNotice[AIStatusLine::kSlotChars + 1];

void ShowSyncNotice(const WCHAR* text)
{
    s_noticesShown++;
    lstrcpynW(s_lastNotice, text, AIStatusLine::kSlotChars + 1);
    SetStatusText(text, kStatusWarning);
}

}  // namespace

void ConnectSyncNotices()
{
    SetSyncNoticeHook(ShowSyncNotice);
    s_lastPassTick = GetTickCount();
}

uint32_t SyncNoticesShown() { return s_noticesShown; }

void ShowStatusKeepingSyncNotice(const WCHAR* text, StatusLevel level, uint32_t noticesBefore)
{
    if (s_noticesShown == noticesBefore) {
        SetStatusText(text, level);
        return;
    }
    // The notice stays in front: what the command did follows it.
    AIString both(s_lastNotice);
    both.AppendText(L" - ").AppendText(text);
    SetStatusText(both.GetText(), level > kStatusWarning ? level : kStatusWarning);
}

void OnEditorChangedForSync(HWND editor)
{
    // Edit markers exist only in a share folder: without one a keystroke
    // carries no sync work.
    if (!IsDatafileLoaded() || g_noteStore.sync.ShareFolderPath.IsEmpty()) return;
    // Back to the text last saved (every change undone): the note is no
    // longer being edited here. Nothing left to undo is not enough: an edit
    // can be made without an undo step.
    if (EditorTextIsSaved(editor)) {
        SyncReleaseEditMarker();
        s_markerTried = 0;
        return;
    }
    if (s_markerTried) return;
    s_markerTried = 1;
    SyncClaimEditMarker();
}

void RunTimedSyncPass()
{
    if (!IsDatafileLoaded() || GetTickCount() - s_lastPassTick < kSyncPassInterval) return;
    s_lastPassTick = GetTickCount();
    if (g_noteStore.sync.SyncFolderPath.IsEmpty() && g_noteStore.sync.ShareFolderPath.IsEmpty()) return;
    // The note in the editor is stored first, so that the pass sees it.
    if (!SaveCurrentNoteAutomatically()) return;
    SyncFolders(1);
    WaitForSyncUpdate();
}

// The pass whose texts the note shown was last shown again after.
static uint32_t s_passShown = 0;

int WaitForSyncUpdate()
{
    const SyncPassReport& report = GetLastSyncReport();
    HWND editor = g_mainPanel.editor.GetHwnd();
    if (report.pulled + report.deletedHere == 0 || report.pass == s_passShown || !editor ||
        SendMessageW(editor, EM_GETMODIFY, 0, 0))
        return 0;
    int32_t at = g_mainPanel.lastShownTitle.IsEmpty() ? -1 : FindNoteByTitle(g_mainPanel.lastShownTitle.GetText(), 0, 0);
    if (at < 0) return 0;
    // Once per pass: showing the note again gives the editor the focus, and
    // each later entry into the editor would show it again, caret and undo lost.
    s_passShown = report.pass;
    // The shown note may have new text: it is shown again as it now stands,
    // with a word while that is under way.
    RefreshImagePreview(L"Please wait while automatically synchronizing and updating the note...", kStatusInfo);
    return ReadAndShowNote(at, kShowFromHistory);
}

void ShowSyncedNoteOnEntry()
{
    if (g_noteStore.sync.SyncFolderPath.IsEmpty() && g_noteStore.sync.ShareFolderPath.IsEmpty()) return;
    WaitForSyncUpdate();
}

int ShowSharedNoteLock(HWND editor, int32_t noteIndex)
{
    s_markerTried = 0;
    AIString title, holder, notice;
    if (!GetNoteTitle(noteIndex, title) || !IsNoteLockedByOther(title.GetText(), holder)) return 0;
    SendMessageW(editor, EM_SETREADONLY, TRUE, 0);
    ShownTitleForm(title.GetText(), notice);
    notice.AppendText(L" <lred>is being edited by ").AppendString(holder);
    notice.AppendText(L"</lred> - read-only until they are done");
    ShowSyncNotice(notice.GetText());
    return 1;
}
