// Taking up the folder settings: the paths with their trailing backslash,
// and each folder with its "sync", "images" and "revisions" subfolders.
#include "notestore/sync/sync_internal.h"
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
    const WCHAR* const kSubfolders[] = {kCopiesFolder, kImagesFolder, kRevisionsFolder};
    for (const WCHAR* sub : kSubfolders) {
        AIString path(folder);
        path.AppendText(sub);
        if (!EnsureFolder(path.GetText())) return 0;
    }
    return 1;
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

