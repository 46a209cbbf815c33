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

std::string ReadBytes(const WCHAR* path)
{
    std::string out;
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    if (h == INVALID_HANDLE_VALUE) return out;
    char buffer[4096];
    DWORD got;
    while (ReadFile(h, buffer, sizeof(buffer), &got, 0) && got) out.append(buffer, got);
    CloseHandle(h);
    return out;
}

void WriteBytes(const WCHAR* path, const std::string& bytes)
{
    HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD wrote;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &wrote, 0);
    CloseHandle(h);
}
