// The tests' own temporary folder.
#include "tests/search/own_temp_folder.h"
#include "foundation/ai_file.h"
#include "foundation/app.h"

AIString UseOwnTempFolder(const WCHAR* prefix)
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString folder(temp);
    folder.AppendText(prefix).AppendUnsigned(GetCurrentProcessId());
    CreateDirectoryW(folder.GetText(), nullptr);
    g_app.system.SetPortableTempFolder(folder.GetText());
    return folder;
}

void DeleteStaleCacheFile(const AIString& cachePath) { AIFile::DeleteQuiet(cachePath.GetText()); }
