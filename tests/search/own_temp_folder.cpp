// The tests' own temporary folder.
#include "tests/search/own_temp_folder.h"
#include "foundation/ai_file.h"
#include "foundation/app.h"

namespace {

// Everything inside a folder, folders too (the folder itself stays).
void EmptyFolder(const AIString& folder)
{
    AIString pattern(folder);
    pattern.AppendText(L"\\*");
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(pattern.GetText(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (!lstrcmpW(found.cFileName, L".") || !lstrcmpW(found.cFileName, L"..")) continue;
        AIString path(folder);
        path.AppendText(L"\\").AppendText(found.cFileName);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            EmptyFolder(path);
            RemoveDirectoryW(path.GetText());
        } else {
            SetFileAttributesW(path.GetText(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.GetText());
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

}  // namespace

AIString UseOwnTempFolder(const WCHAR* prefix)
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString folder(temp);
    folder.AppendText(prefix).AppendUnsigned(GetCurrentProcessId());
    // Process numbers come round again: what an earlier run left in a folder
    // of the same name (cached look-ups, PDF texts) must not answer for this one.
    static int emptied = 0;
    if (!emptied) EmptyFolder(folder);
    emptied = 1;
    CreateDirectoryW(folder.GetText(), nullptr);
    g_app.system.SetPortableTempFolder(folder.GetText());
    return folder;
}

void DeleteStaleCacheFile(const AIString& cachePath) { AIFile::DeleteQuiet(cachePath.GetText()); }
