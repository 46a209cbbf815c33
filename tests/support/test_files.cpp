#include <cstring>
#include "tests/support/test_files.h"
#include "foundation/ai_string.h"
#include "tests/support/gtest.h"

std::string ReadBytes(const WCHAR* path)
{
    HANDLE f = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                           OPEN_EXISTING, 0, 0);
    if (f == INVALID_HANDLE_VALUE) return "<missing>";
    std::string out;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(f, chunk, sizeof(chunk), &got, 0) && got > 0) out.append(chunk, got);
    CloseHandle(f);
    return out;
}

void WriteBytes(const WCHAR* path, const std::string& bytes)
{
    HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, f) << Utf8(path);
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(f, bytes.data(), (DWORD)bytes.size(), &written, 0);
    CloseHandle(f);
    EXPECT_EQ(bytes.size(), (size_t)written) << Utf8(path);
}

void WriteNotesDatafile(const WCHAR* path, const AIString& records)
{
    AIString file(L"Tavik 10\r\n");
    file.AppendString(records);
    std::string bytes("\xff\xfe", 2);
    bytes.append((const char*)file.GetText(), (size_t)file.GetLength() * 2);
    WriteBytes(path, bytes);
}

void ThisTestProgramFile(AIString& module)
{
    WCHAR exe[MAX_PATH];
    GetModuleFileNameW(0, exe, MAX_PATH);
    module.AssignText(exe);
#ifndef __MINGW32__
    if (!module.EndsWithNoCase(L".so")) module.AppendText(L".so");
#endif
}

void DeleteFilesMatching(const AIString& folder, const WCHAR* pattern)
{
    AIString search(folder);
    search.AppendText(pattern);
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(search.GetText(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        AIString file(folder);
        file.AppendText(found.cFileName);
        DeleteFileW(file.GetText());
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

void DeleteSideFiles(const AIString& notesFolder) { DeleteFilesMatching(notesFolder, L"*.rtm"); }

bool RewriteFileNewer(const WCHAR* path, const char* text)
{
    HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILETIME written;
    GetFileTime(file, nullptr, nullptr, &written);
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    DWORD done = 0;
    WriteFile(file, text, (DWORD)strlen(text), &done, nullptr);
    ULARGE_INTEGER later;
    later.LowPart = written.dwLowDateTime;
    later.HighPart = written.dwHighDateTime;
    later.QuadPart += 20000000;  // two seconds on
    written.dwLowDateTime = later.LowPart;
    written.dwHighDateTime = later.HighPart;
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    return true;
}
