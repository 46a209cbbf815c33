// Edit locks in the share folder: the marker claimed at the first change of
// a shared note, honoured by others (the note opens read-only there), kept
// fresh by every pass and released when the changes are undone, another note
// is shown or the data file closes. A stale marker is no longer honoured.
#include "notestore/sync/sync_internal.h"
#include "notestore/sync/edit_markers.h"

namespace {

void MarkerPath(AIString& out)
{
    out.Copy(g_noteStore.sync.ShareFolderPath).AppendText(kMarkerFileName);
}

// The copy of the note in the share folder exists: the note is shared.
int32_t IsShared(const WCHAR* title)
{
    AIString path;
    CopyPathOf(g_noteStore.sync.ShareFolderPath, title, path);
    return GetFileAttributesW(path.GetText()) != INVALID_FILE_ATTRIBUTES;
}

int32_t ReadMarkers(SyncTable& markers)
{
    AIString path;
    MarkerPath(path);
    int32_t missing = 0;
    return ReadLineFile(path.GetText(), kMarkerHeader, kMarkerFields, markers, &missing);
}

int32_t WriteMarkers(const SyncTable& markers)
{
    AIString path;
    MarkerPath(path);
    return WriteLineFile(path.GetText(), kMarkerHeader, markers);
}

void TellLocked(const WCHAR* title, const AIString& holder)
{
    AIString shown, notice;
    ShownTitleForm(title, shown);
    notice.AppendText(L"<lred>").AppendString(shown).AppendText(L" is being edited by ").AppendString(holder);
    notice.AppendText(L"</lred> - it is read-only here until they are done");
    RaiseSyncNotice(notice.GetText());
}

// The claim could not be made (the share folder full, read-only or gone, its
// markers unreadable): the others are not kept off the note, and the user
// knows it.
void TellClaimFailed(const WCHAR* title)
{
    AIString shown, notice;
    ShownTitleForm(title, shown);
    notice.AppendText(L"<lred>").AppendString(shown).AppendText(L" could not be marked as being edited here");
    notice.AppendText(L"</lred> (the share folder cannot be written) - others may edit it at the same time; ");
    notice.AppendText(L"should both change it, both texts are kept");
    RaiseSyncNotice(notice.GetText());
}

}  // namespace

int32_t IsNoteLockedByOther(const WCHAR* title, AIString& holder)
{
    holder.Clear();
    if (!g_noteStore.loaded || g_noteStore.sync.ShareFolderPath.IsEmpty() || !title || !*title) return 0;
    SyncTable markers;
    if (!ReadMarkers(markers)) return 0;
    return IsMarkedByOther(markers, title, StoreOwnerId(), NowStamp(), holder);
}

int32_t SyncClaimEditMarker()
{
    NoteStore& s = g_noteStore;
    if (s.sync.ShareFolderPath.IsEmpty() || s.currentIndex < 0) return 0;
    AIString title;
    if (!GetNoteTitle(s.currentIndex, title) || !IsShared(title.GetText())) return 0;
    if (s.sync.editMarkerHeld && g_syncEngine.heldMarkerTitle.EqualsTextNoCase(title.GetText())) return 1;
    SyncReleaseEditMarker();
    SyncTable markers;
    if (!ReadMarkers(markers)) {
        TellClaimFailed(title.GetText());
        return 0;
    }
    uint64_t owner = StoreOwnerId(), now = NowStamp();
    AIString holder, name;
    if (IsMarkedByOther(markers, title.GetText(), owner, now, holder)) {
        TellLocked(title.GetText(), holder);
        return 0;
    }
    StoreOwnerName(name);
    if (!SetMarker(markers, title.GetText(), owner, now, name.GetText()) || !WriteMarkers(markers)) {
        TellClaimFailed(title.GetText());
        return 0;
    }
    s.sync.editMarkerHeld = 1;
    g_syncEngine.heldMarkerTitle.Copy(title);
    return 1;
}

int32_t SyncReleaseEditMarker()
{
    NoteStore& s = g_noteStore;
    if (!s.sync.editMarkerHeld) return 0;
    s.sync.editMarkerHeld = 0;
    AIString title(g_syncEngine.heldMarkerTitle);
    g_syncEngine.heldMarkerTitle.Clear();
    if (s.sync.ShareFolderPath.IsEmpty()) return 0;
    SyncTable markers;
    if (!ReadMarkers(markers)) return 0;
    if (!RemoveOwnMarker(markers, title.GetText(), StoreOwnerId())) return 1;
    return WriteMarkers(markers);
}

void RefreshOwnEditMarker()
{
    NoteStore& s = g_noteStore;
    if (!s.sync.editMarkerHeld || s.sync.ShareFolderPath.IsEmpty()) return;
    SyncTable markers;
    AIString name;
    StoreOwnerName(name);
    if (ReadMarkers(markers) &&
        SetMarker(markers, g_syncEngine.heldMarkerTitle.GetText(), StoreOwnerId(), NowStamp(), name.GetText()))
        WriteMarkers(markers);
}
