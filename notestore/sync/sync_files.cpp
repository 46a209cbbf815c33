// The file steps of a pass: line files, copies written through a temporary
// file and a replace, revisions, the log, and who this store is.
#include "notestore/sync/sync_internal.h"
#include "notestore/note_io.h"
#include "notestore/datafile_identity.h"
#include "foundation/file_write.h"

const WCHAR kListHeader[] = L"tavik-files 1";
const WCHAR kStateHeader[] = L"tavik-state 1";
const WCHAR kListFileName[] = L"tavik.files";
const WCHAR kMarkerFileName[] = L"tavik.edit";
const WCHAR kLogFileName[] = L"tavik.log";
const WCHAR kCopiesFolder[] = L"sync\\";
const WCHAR kImagesFolder[] = L"images\\";
const WCHAR kRevisionsFolder[] = L"revisions\\";

SyncEngine g_syncEngine;

namespace {

// A line file far beyond 10,000 notes is not one of ours.
const int64_t kMaxLineFileBytes = 64 * 1024 * 1024;

}  // namespace

const AIString& SyncFolderOf(SyncFolderKind kind)
{
    return kind == kSyncFolder ? g_noteStore.sync.SyncFolderPath : g_noteStore.sync.ShareFolderPath;
}

void CopyPathOf(const AIString& folder, const WCHAR* title, AIString& out)
{
    AIString base;
    MakeSideFileBase(title, base);
    out.Copy(folder).AppendText(kCopiesFolder).AppendString(base).AppendText(L".txt");
}

int32_t IsFolderReachable(const AIString& folder)
{
    if (folder.IsEmpty()) return 0;
    DWORD attributes = GetFileAttributesW(folder.GetText());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

uint64_t HashNoteText(const WCHAR* text, int32_t len)
{
    return HashDatafileBytes((const uint8_t*)text, (int64_t)len * sizeof(WCHAR));
}

void StoreOwnerName(AIString& out)
{
    WCHAR user[256], computer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD userLen = 256, computerLen = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetUserNameW(user, &userLen)) user[0] = 0;
    if (!GetComputerNameW(computer, &computerLen)) computer[0] = 0;
    out.AssignText(user[0] ? user : L"someone").AppendText(L" on ").AppendText(computer[0] ? computer : L"?");
}

// The same data file on the same computer is always the same owner; two data
// files (two machines sharing a folder in the tests) are two owners.
uint64_t StoreOwnerId()
{
    AIString who;
    StoreOwnerName(who);
    who.AppendChar(L'|').AppendString(g_noteStore.notesFolder);
    who.ToLowerCase();
    uint64_t id = HashNoteText(who.GetText(), who.GetLength());
    return id ? id : 1;
}

uint64_t NowStamp()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return FileTimeValue(now);
}

int32_t ReadLineFile(const WCHAR* path, const WCHAR* header, int32_t fields, SyncTable& table, int32_t* missing)
{
    table.Clear();
    *missing = 0;
    uint8_t* block = 0;
    int64_t size = 0;
    NoteIoError io = ReadWholeFile(path, kMaxLineFileBytes, 0, &block, &size);
    if (io != kIoOk) {
        DWORD error = GetLastError();
        if (io == kIoOpen && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)) {
            *missing = 1;
            return 1;
        }
        return 0;
    }
    AIString text;
    int32_t ok = Utf8ToText(block, size, text) && table.Parse(text.GetText(), text.GetLength(), header, fields);
    LocalFree(block);
    return ok;
}

int32_t WriteFileThroughTemporary(const WCHAR* path, const void* bytes, int64_t size, const uint64_t* writeTime,
                                  SyncFlush flush, const WCHAR* temporaryPath)
{
    AIString temporary(temporaryPath ? temporaryPath : path);
    if (!temporaryPath) temporary.AppendText(L".tmp");
    HANDLE file = CreateFileW(temporary.GetText(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) return 0;
    int32_t ok = WriteAllToFile(file, bytes, size) ? 1 : 0;
    if (ok && writeTime) {
        FILETIME time;
        time.dwLowDateTime = (DWORD)(*writeTime & 0xFFFFFFFFu);
        time.dwHighDateTime = (DWORD)(*writeTime >> 32);
        ok = SetFileTime(file, 0, 0, &time) ? 1 : 0;
    }
    if (ok && flush == kFlushFirst && !FlushFileBuffers(file)) ok = 0;
    if (!CloseHandle(file)) ok = 0;
    // Only a flushed copy is worth the write-through move.
    if (ok && flush == kFlushFirst && ReplaceFileWith(temporary.GetText(), path) != kIoOk) ok = 0;
    if (ok && flush == kNoFlush && !MoveFileExW(temporary.GetText(), path, MOVEFILE_REPLACE_EXISTING)) ok = 0;
    if (!ok) DeleteFileW(temporary.GetText());
    return ok;
}

int32_t WriteLineFile(const WCHAR* path, const WCHAR* header, const SyncTable& table)
{
    AIString text;
    table.Compose(header, text);
    int64_t size = 0;
    uint8_t* bytes = TextToUtf8(text.GetText(), text.GetLength(), &size);
    if (!bytes) return 0;
    int32_t ok = WriteFileThroughTemporary(path, bytes, size, 0, kFlushFirst);
    LocalFree(bytes);
    return ok;
}

namespace {

// The revision's path for a title and a hash; 1 when it is to be written
// (it is not there yet, and its folder is).
int32_t RevisionPath(const AIString& folder, const WCHAR* title, uint64_t hash, AIString& path, int32_t* there)
{
    AIString base;
    MakeSideFileBase(title, base);
    path.Copy(folder).AppendText(kRevisionsFolder).AppendString(base).AppendChar(L'_');
    AppendHex64(path, hash);
    path.AppendText(L".txt");
    *there = GetFileAttributesW(path.GetText()) != INVALID_FILE_ATTRIBUTES;
    if (*there) return 1;
    AIString revisions(folder);
    revisions.AppendText(kRevisionsFolder);
    return EnsureFolder(revisions.GetText());
}

// A copy that does not decode may be as large as a file the store would read.
const int64_t kMaxUnreadableBytes = 64 * 1024 * 1024;

}  // namespace

int32_t KeepRevision(const AIString& folder, const WCHAR* title, const WCHAR* text, int32_t len)
{
    AIString path;
    int32_t there = 0;
    if (!RevisionPath(folder, title, HashNoteText(text, len), path, &there)) return 0;
    if (there) return 1;
    int64_t size = 0;
    uint8_t* bytes = TextToUtf8(text, len, &size);
    if (!bytes) return 0;
    int32_t ok = WriteFileThroughTemporary(path.GetText(), bytes, size, 0, kNoFlush);
    LocalFree(bytes);
    return ok;
}

int32_t KeepUnreadableRevision(const AIString& folder, const WCHAR* title, const AIString& copyPath)
{
    uint8_t* block = 0;
    int64_t size = 0;
    if (ReadWholeFile(copyPath.GetText(), kMaxUnreadableBytes, 0, &block, &size) != kIoOk) return 0;
    AIString path;
    int32_t there = 0;
    int32_t ok = RevisionPath(folder, title, HashDatafileBytes(block, size), path, &there);
    if (ok && !there) ok = WriteFileThroughTemporary(path.GetText(), block, size, 0, kNoFlush);
    LocalFree(block);
    return ok;
}

void AppendSyncLogLine(AIString& lines, const WCHAR* action, const WCHAR* title)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    WCHAR stamp[32];
    wsprintfW(stamp, L"%04u-%02u-%02u %02u:%02u:%02u\t", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
              now.wSecond);
    AIString who;
    StoreOwnerName(who);
    lines.AppendText(stamp).AppendString(who).AppendChar(L'\t').AppendText(action).AppendChar(L'\t');
    lines.AppendText(title).AppendText(L"\r\n");
}

void WriteSyncLog(const AIString& folder, const AIString& lines)
{
    if (lines.IsEmpty()) return;
    AIString path(folder);
    path.AppendText(kLogFileName);
    HANDLE file = CreateFileW(path.GetText(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, 0, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) return;
    int64_t size = 0;
    uint8_t* bytes = TextToUtf8(lines.GetText(), lines.GetLength(), &size);
    if (bytes) {
        WriteAllToFile(file, bytes, size);
        LocalFree(bytes);
    }
    CloseHandle(file);
}

void RaiseSyncNotice(const WCHAR* text)
{
    g_syncEngine.lastNotice.AssignText(text);
    if (g_syncEngine.noticeHook) g_syncEngine.noticeHook(text);
}

void SetSyncNoticeHook(SyncNoticeHook hook) { g_syncEngine.noticeHook = hook; }
const WCHAR* GetLastSyncNotice() { return g_syncEngine.lastNotice.GetText(); }
const SyncPassReport& GetLastSyncReport() { return g_syncEngine.report; }

void SetSyncPassProbe(SyncPassProbe probe, void* context)
{
    g_syncEngine.probe = probe;
    g_syncEngine.probeContext = context;
}
