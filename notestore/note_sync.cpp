// The sync and share folders as far as the store needs them now: checking
// the folders. Synchronisation and edit markers do nothing while no folder
// is set; the sync engine itself fills them in later.
#include "notestore/note_store_internal.h"
#include "notestore/note_io.h"

namespace {

void CopyFolderSetting(const AIString& setting, AIString& path)
{
    path.Copy(setting);
    path.Trim(1, 1);
    if (!path.IsEmpty() && path.CharAt(path.GetLength() - 1) != L'\\') path.AppendChar(L'\\');
}

// The folder exists and its subfolders exist or could be made.
int32_t CheckFolder(const AIString& folder)
{
    DWORD attributes = GetFileAttributesW(folder.GetText());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
    static const WCHAR* const kSubfolders[] = {L"sync", L"images", L"revisions"};
    for (const WCHAR* sub : kSubfolders) {
        AIString path(folder);
        path.AppendText(sub);
        if (!EnsureFolder(path.GetText())) return 0;
    }
    return 1;
}

bool NoFolderSet()
{
    const NoteSyncState& sync = g_noteStore.sync;
    return sync.SyncFolderPath.IsEmpty() && sync.ShareFolderPath.IsEmpty();
}

}  // namespace

int32_t CheckSyncFolders()
{
    NoteSyncState& sync = g_noteStore.sync;
    CopyFolderSetting(sync.SyncFolderSetting, sync.SyncFolderPath);
    CopyFolderSetting(sync.ShareFolderSetting, sync.ShareFolderPath);
    int32_t ok = 1;
    if (!sync.SyncFolderPath.IsEmpty() && !CheckFolder(sync.SyncFolderPath)) ok = 0;
    if (!sync.ShareFolderPath.IsEmpty() && !CheckFolder(sync.ShareFolderPath)) ok = 0;
    return ok;
}

int32_t SyncFolders(int32_t full)
{
    (void)full;
    if (NoFolderSet() || !g_noteStore.loaded) return 0;
    return 0;  // the sync engine comes with its own change
}

int32_t SyncClaimEditMarker()
{
    if (NoFolderSet() || g_noteStore.currentIndex < 0) return 0;
    return 0;  // the share folder's edit map comes with the sync engine
}

int32_t SyncReleaseEditMarker()
{
    if (NoFolderSet()) return 0;
    g_noteStore.sync.editMarkerHeld = 0;
    return 0;
}
