// Folders and paths of the image tests.
#include "tests/dialogs/image_test_files.h"

void DeleteTree(const AIString& folder)
{
    AIString pattern(folder);
    pattern.AppendText(L"\\*");
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(pattern.GetText(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!lstrcmpW(found.cFileName, L".") || !lstrcmpW(found.cFileName, L"..")) continue;
            AIString path(folder);
            path.AppendChar(L'\\').AppendText(found.cFileName);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) DeleteTree(path);
            else DeleteFileW(path.GetText());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(folder.GetText());
}

AIString OwnFolder(const WCHAR* name)
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString folder(temp);
    folder.AppendText(L"tavik_images_").AppendUnsigned(GetCurrentProcessId()).AppendChar(L'_').AppendText(name);
    DeleteTree(folder);
    CreateDirectoryW(folder.GetText(), nullptr);
    return folder;
}

AIString Join(const AIString& folder, const WCHAR* name)
{
    AIString path(folder);
    path.AppendChar(L'\\').AppendText(name);
    return path;
}
