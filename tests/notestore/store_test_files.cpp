#include "tests/notestore/store_test_files.h"
#include <stdlib.h>

ScratchFolder::ScratchFolder()
{
    static int s_counter = 0;
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    WCHAR name[64];
    wsprintfW(name, L"tavik_notestore_%u_%d\\", GetCurrentProcessId(), ++s_counter);
    path_.AssignText(temp).AppendText(name);
    RemoveTree(path_.GetText());
    CreateDirectoryW(path_.GetText(), 0);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_.GetText()); }

AIString ScratchFolder::File(const WCHAR* name) const
{
    AIString p(path_);
    p.AppendText(name);
    return p;
}

void RemoveTree(const WCHAR* folder)
{
    AIString pattern(folder);
    pattern.AppendText(L"*");
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(pattern.GetText(), &found);
    while (h != INVALID_HANDLE_VALUE) {
        AIString name(found.cFileName);
        if (!name.EqualsText(L".") && !name.EqualsText(L"..")) {
            AIString path(folder);
            path.AppendString(name);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                path.AppendChar(L'\\');
                RemoveTree(path.GetText());
            } else {
                SetFileAttributesW(path.GetText(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.GetText());
            }
        }
        if (!FindNextFileW(h, &found)) {
            FindClose(h);
            h = INVALID_HANDLE_VALUE;
        }
    }
    RemoveDirectoryW(folder);
}

bool FileExists(const WCHAR* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

std::string Utf16File(const WCHAR* text)
{
    std::string out("\xFF\xFE", 2);
    out.append((const char*)text, (size_t)TextLength(text) * 2);
    return out;
}

AIString NoteRecord(const WCHAR* title, const WCHAR* body)
{
    AIString r;
    r.AppendChar(0x00A4).AppendText(title).AppendText(L"\r\n").AppendText(body).AppendText(L"\r\n{{\r\n}}\r\n");
    return r;
}

std::string DataFile(const AIString& records)
{
    AIString text(L"Tavik 10\r\n");
    text.AppendString(records);
    return Utf16File(text.GetText());
}

AIString TestDataFolder()
{
    const char* unixPath = getenv("TAVIK_TEST_DATA");
    AIString path(L"Z:");
    AIString rest;
    rest.FromUtf8(unixPath ? unixPath : "/work/main/tests/notestore");
    WCHAR* p = rest.GetBuffer(rest.GetLength());
    for (int i = 0; i < rest.GetLength(); i++)
        if (p[i] == L'/') p[i] = L'\\';
    path.AppendString(rest).AppendChar(L'\\');
    return path;
}

uint64_t WriteTimeOf(const WCHAR* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return 0;
    return ((uint64_t)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
}

int SetWriteTime(const WCHAR* path, uint64_t time)
{
    HANDLE file = CreateFileW(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                              OPEN_EXISTING, 0, 0);
    if (file == INVALID_HANDLE_VALUE) return 0;
    FILETIME written = {(DWORD)time, (DWORD)(time >> 32)};
    BOOL ok = SetFileTime(file, 0, 0, &written);
    CloseHandle(file);
    return ok ? 1 : 0;
}

std::vector<CorpusFile> DamagedCorpusFiles()
{
    std::vector<CorpusFile> files;
    AIString corpus = TestDataFolder();
    corpus.AppendText(L"corpus\\");
    AIString pattern(corpus);
    pattern.AppendText(L"*.tavik");
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(pattern.GetText(), &found);
    if (h == INVALID_HANDLE_VALUE) return files;
    do {
        CorpusFile file;
        file.name.AssignText(found.cFileName);
        file.path.Copy(corpus).AppendText(found.cFileName);
        files.push_back(file);
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return files;
}
