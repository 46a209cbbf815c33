#include "tests/foundation/text_test_files.h"

namespace {

void RemoveTree(const AIString& folder)
{
    AIString pattern(folder);
    pattern.AppendText(L"\\*");
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.GetText(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!lstrcmpW(data.cFileName, L".") || !lstrcmpW(data.cFileName, L"..")) continue;
            AIString child(folder);
            child.AppendChar(L'\\').AppendText(data.cFileName);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
            else {
                SetFileAttributesW(child.GetText(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.GetText());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.GetText());
}

}  // namespace

TestFolder::TestFolder(const WCHAR* name)
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_.AssignText(temp).AppendText(L"tavik_text_").AppendText(name).AppendChar(L'_')
        .AppendUnsigned(GetCurrentProcessId());
    RemoveTree(path_);
    CreateDirectoryW(path_.GetText(), 0);
}

TestFolder::~TestFolder() { RemoveTree(path_); }

AIString TestFolder::File(const WCHAR* name) const
{
    AIString file(path_);
    file.AppendChar(L'\\').AppendText(name);
    return file;
}

