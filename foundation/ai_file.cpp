#include "foundation/ai_file.h"
#include "foundation/errors.h"
#include "foundation/file_write.h"
#include "foundation/result_flag.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "foundation/process_end.h"

const WCHAR AIFile::kForbiddenNameChars[] = L"?[]=+<>;\",*|^";

namespace {

const WCHAR kLockedText[] = L"The file is locked and probably open in a different application";

// Cleans only the last part of a path: the folders above it exist already and
// may legally hold characters the program keeps out of the names it makes.
void CleanLastName(AIString& path)
{
    int slash = path.FindChar(L'\\', true);
    int other = path.FindChar(L'/', true);
    if (other > slash) slash = other;
    if (slash < 0) {
        AIFile::CleanName(path);
        return;
    }
    AIString name(path.GetText() + slash + 1);
    AIFile::CleanName(name);
    path.SetLength(slash + 1);
    path.AppendString(name);
}

bool IsNotFound(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME;
}

}  // namespace

AIFile::AIFile() : handle_(INVALID_HANDLE_VALUE), openError_(0) {}

AIFile::~AIFile()
{
    if (!IsProcessEnding()) Close();
}

int AIFile::CleanName(AIString& name) { return name.RemoveChars(kForbiddenNameChars); }

namespace {

// The text after an ASCII prefix (any letter case), or null.
const WCHAR* AfterPrefixNoCase(const WCHAR* text, const char* prefix)
{
    for (; *prefix; prefix++, text++) {
        WCHAR c = *text;
        if (c >= L'A' && c <= L'Z') c = (WCHAR)(c - L'A' + L'a');
        char p = *prefix;
        if (p >= 'A' && p <= 'Z') p = (char)(p - 'A' + 'a');
        if (c != (WCHAR)p) return nullptr;
    }
    return text;
}

}  // namespace

int AIFile::IsNetworkPath(const WCHAR* path)
{
    if (!path) return 0;
    while (*path == L' ') path++;
    // "file:" and "Open file:" prefixes of links.
    if (const WCHAR* rest = AfterPrefixNoCase(path, "Open file:")) path = rest;
    while (*path == L' ') path++;
    if (const WCHAR* rest = AfterPrefixNoCase(path, "file:")) path = rest;
    auto slash = [](WCHAR c) { return c == L'\\' || c == L'/'; };
    if (!slash(path[0]) || !slash(path[1])) return 0;
    // "\\?\C:\..." is a long local path; "\\?\UNC\..." and "\\server" are not.
    if (path[2] == L'?' && slash(path[3]) && path[4] && path[5] == L':') return 0;
    return 1;
}

int AIFile::Exists(const WCHAR* path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = (path && *path) ? FindFirstFileW(path, &data) : INVALID_HANDLE_VALUE;
    if (find == INVALID_HANDLE_VALUE) return SetResult(0);
    FindClose(find);
    return SetResult(1);
}

int AIFile::PathExists(const WCHAR* path)
{
    return SetResult(path && *path && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES);
}

int AIFile::CreateFolder(const WCHAR* path)
{
    TRACE_SCOPE(kTraceStrings, 70);
    AIString clean(path);
    CleanLastName(clean);
    if (clean.IsEmpty()) return SetResult(0);
    DWORD attributes = GetFileAttributesW(clean.GetText());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return SetResult(1);
    for (;;) {
        if (CreateDirectoryW(clean.GetText(), 0) || GetLastError() == ERROR_ALREADY_EXISTS) return SetResult(1);
        DWORD error = GetLastError();
        AIString text;
        text.AppendText(L"Could not create the folder ").AppendString(clean).AppendText(L" (error ")
            .AppendUnsigned(error).AppendText(L")").AppendText(kRetryQuestion);
        if (ReportError((int)error, L"Error creating folder", text.GetText()) != IDYES) return SetResult(0);
    }
}

int AIFile::CopyOverwrite(const WCHAR* from, const WCHAR* to)
{
    TRACE_SCOPE(kTraceStrings, 71);
    return SetResult(from && to && CopyFileW(from, to, FALSE));
}

int AIFile::DeleteQuiet(const WCHAR* path)
{
    if (!path || !*path) return SetResult(0);
    if (DeleteFileW(path)) return SetResult(1);
    DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return SetResult(1);  // already gone
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        SetFileAttributesW(path, attributes & ~FILE_ATTRIBUTE_READONLY);
        if (DeleteFileW(path)) return SetResult(1);
    }
    return SetResult(0);
}

int64_t AIFile::GetSizeByName(const WCHAR* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path || !GetFileAttributesExW(path, GetFileExInfoStandard, &data)) { ResultFlag = 0; return -1; }
    ResultFlag = 1;
    return ((int64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

int AIFile::WriteUtf16File(const WCHAR* path, const WCHAR* text, int chars)
{
    TRACE_SCOPE(kTraceStrings, 72);
    static const BYTE kBom[2] = {0xFF, 0xFE};
    if (chars < 0) chars = TextLength(text);
    return WriteBytesFile(path, kBom, sizeof(kBom), text, chars * (int)sizeof(WCHAR));
}

int AIFile::WriteBytesFile(const WCHAR* path, const void* prefix, int prefixBytes, const void* data, int bytes)
{
    TRACE_SCOPE(kTraceStrings, 75);
    AIString target(path);
    CleanLastName(target);
    if (target.IsEmpty()) return SetResult(0);
    AIString temporary(target);
    temporary.AppendText(L".tmp");
    for (;;) {
        AIFile file;
        if (!file.OpenForWrite(temporary.GetText())) return SetResult(0);
        int ok = (prefixBytes <= 0 || file.Write(prefix, prefixBytes)) && (bytes <= 0 || file.Write(data, bytes)) &&
                 file.Flush();
        file.Close();
        if (ok) ok = MoveFileExW(temporary.GetText(), target.GetText(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (ok) return SetResult(1);
        DWORD error = GetLastError();
        DeleteFileW(temporary.GetText());
        AIString message;
        message.AppendText(L"Could not write the file ").AppendString(target);
        if (IsDiskFullError(error)) message.AppendText(L"\r\n").AppendText(kDiskFullReason);
        message.AppendText(kRetryQuestion);
        // The question offers a retry: Yes writes again (a lock may have gone).
        if (ReportError((int)error, L"Error writing file", message.GetText()) != IDYES) return SetResult(0);
    }
}

int AIFile::Open(const WCHAR* path, int forWrite, int retries)
{
    TRACE_SCOPE(kTraceStrings, 73);
    Close();
    name_.AssignText(path);
    if (forWrite) CleanLastName(name_);
    openError_ = ERROR_INVALID_NAME;
    if (name_.IsEmpty()) return SetResult(0);
    for (int attempt = 0;; attempt++) {
        handle_ = forWrite
            ? CreateFileW(name_.GetText(), GENERIC_WRITE, FILE_SHARE_READ, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0)
            : CreateFileW(name_.GetText(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, 0);
        if (handle_ != INVALID_HANDLE_VALUE) { openError_ = 0; return SetResult(1); }
        openError_ = GetLastError();
        if (IsNotFound(openError_)) {
            if (!forWrite) break;  // a missing file is the caller's answer, not an error
        } else if (attempt < retries) {
            Sleep(50);  // waiting cannot make a missing folder appear, but a lock may go
            continue;
        }
        AIString text;
        if (openError_ == ERROR_SHARING_VIOLATION || openError_ == ERROR_LOCK_VIOLATION) text.AppendText(kLockedText);
        else text.AppendText(L"Could not open the file (error ").AppendUnsigned(openError_).AppendText(L")");
        text.AppendText(L":\n").AppendString(name_).AppendText(kRetryQuestion);
        if (ReportError((int)openError_, L"Error opening file", text.GetText()) != IDYES) break;
        attempt = -1;
    }
    SetLastError(openError_);
    return SetResult(0);
}

int AIFile::OpenForRead(const WCHAR* path, int retries) { return Open(path, 0, retries); }
int AIFile::OpenForWrite(const WCHAR* path, int retries) { return Open(path, 1, retries); }

void AIFile::Close()
{
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

int64_t AIFile::GetSize() const
{
    LARGE_INTEGER size;
    if (!IsOpen() || !GetFileSizeEx(handle_, &size)) return -1;
    return size.QuadPart;
}

int AIFile::ReadChunk(void* buffer, int count)
{
    DWORD got = 0;
    if (!IsOpen() || count < 0 || !buffer) return -1;
    if (!ReadFile(handle_, buffer, (DWORD)count, &got, 0)) return -1;
    return (int)got;
}

int AIFile::SeekTo(int64_t offset)
{
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return IsOpen() && offset >= 0 && SetFilePointerEx(handle_, to, 0, FILE_BEGIN);
}

int AIFile::IsUtf16()
{
    if (!IsOpen()) return 0;
    LARGE_INTEGER zero, here;
    zero.QuadPart = 0;
    if (!SetFilePointerEx(handle_, zero, &here, FILE_CURRENT)) return 0;
    unsigned char bom[2] = {0, 0};
    int got = SeekTo(0) ? ReadChunk(bom, 2) : -1;
    SetFilePointerEx(handle_, here, 0, FILE_BEGIN);
    return got == 2 && bom[0] == 0xFF && bom[1] == 0xFE;
}

int AIFile::ReadToText(AIString& out, int64_t maxBytes)
{
    TRACE_SCOPE(kTraceStrings, 74);
    out.Clear();
    int64_t size = GetSize();
    if (size < 0 || !SeekTo(0)) return SetResult(0);
    if (size > maxBytes || size > 0x7FFFFFF0) {
        AIString text;
        text.AppendText(L"The file is too large to be read:\n").AppendString(name_);
        ReportError(0, L"Error reading file", text.GetText());
        return SetResult(0);
    }
    int bytes = (int)size;
    char* raw = (char*)LocalAlloc(LMEM_FIXED, (SIZE_T)bytes + 2);
    while (!raw) {
        if (!AskRetryAllocation()) return SetResult(0);
        raw = (char*)LocalAlloc(LMEM_FIXED, (SIZE_T)bytes + 2);
    }
    int total = 0;
    while (total < bytes) {
        int got = ReadChunk(raw + total, bytes - total);
        if (got <= 0) break;
        total += got;
    }
    int ok = total == bytes;
    const unsigned char* u = (const unsigned char*)raw;
    if (!ok) {
        // a short read is a failure: never hand back half a file as the whole
    } else if (total >= 2 && u[0] == 0xFF && u[1] == 0xFE) {
        int chars = (total - 2) / 2;  // an odd last byte is dropped
        WCHAR* dest = out.GetBuffer(chars);
        if (dest) {
            memcpy(dest, raw + 2, (size_t)chars * sizeof(WCHAR));
            // A NUL inside the file would cut the text short later: show it as a blank.
            for (int i = 0; i < chars; i++) if (!dest[i]) dest[i] = L' ';
            out.SetLength(chars);
        } else ok = 0;
    } else {
        int skip = (total >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) ? 3 : 0;
        UINT codePage = CP_UTF8;
        int chars = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, raw + skip, total - skip, 0, 0);
        if (chars <= 0 && total - skip > 0) {
            codePage = skip ? CP_UTF8 : CP_ACP;
            chars = MultiByteToWideChar(codePage, 0, raw + skip, total - skip, 0, 0);
        }
        if (chars > 0) {
            WCHAR* dest = out.GetBuffer(chars);
            if (dest) {
                chars = MultiByteToWideChar(codePage, 0, raw + skip, total - skip, dest, chars);
                for (int i = 0; i < chars; i++) if (!dest[i]) dest[i] = L' ';
                out.SetLength(chars);
            } else ok = 0;
        }
    }
    LocalFree(raw);
    if (!ok) out.Clear();
    return SetResult(ok);
}

int AIFile::Write(const void* data, int count)
{
    if (!IsOpen() || count < 0) return 0;
    return WriteAllToFile(handle_, data, count);
}

int AIFile::WriteBom()
{
    static const unsigned char bom[2] = {0xFF, 0xFE};
    return Write(bom, 2);
}

int AIFile::WriteText(const WCHAR* text, int chars)
{
    if (chars < 0) chars = TextLength(text);
    if (chars == 0) return IsOpen();
    return Write(text, chars * (int)sizeof(WCHAR));
}

int AIFile::Flush() { return IsOpen() && FlushFileBuffers(handle_); }
