#include "notestore/note_io.h"
#include "notestore/datafile_identity.h"
#include "notestore/side_file_text.h"
#include "foundation/file_write.h"

NoteIoFaults g_noteIoFaults = {-1, 0, 0, 0, 0, 0, 0};

void ResetNoteIoFaults()
{
    g_noteIoFaults.failWriteAfterBytes = -1;
    g_noteIoFaults.failFlush = 0;
    g_noteIoFaults.failReplace = 0;
    g_noteIoFaults.refuseHardLinks = 0;
    g_noteIoFaults.failCreate = 0;
    g_noteIoFaults.saveStep = 0;
    g_noteIoFaults.readPiece = 0;
}

void PassSaveStep(SaveStep step)
{
    if (g_noteIoFaults.saveStep) g_noteIoFaults.saveStep(step);
}

namespace {

// Files are read and written in pieces small enough to be still in the
// cache when they are hashed.
const int64_t kCachedPieceBytes = 1024 * 1024;
const DWORD kPageBytes = 4096;
int64_t s_bytesWrittenTotal = 0;

// Writes all bytes; honours the test fault (a write error after so many bytes).
NoteIoError WriteAll(HANDLE file, const uint8_t* bytes, int64_t size)
{
    if (g_noteIoFaults.failWriteAfterBytes >= 0) {
        int64_t room = g_noteIoFaults.failWriteAfterBytes - s_bytesWrittenTotal;
        if (room < size) {
            if (room > 0 && WriteAllToFile(file, bytes, room)) s_bytesWrittenTotal += room;
            SetLastError(ERROR_WRITE_FAULT);
            return kIoWrite;
        }
    }
    if (!WriteAllToFile(file, bytes, size)) return IsDiskFullError(GetLastError()) ? kIoDiskFull : kIoWrite;
    s_bytesWrittenTotal += size;
    return kIoOk;
}

}  // namespace

int64_t GrowthRoomBytes(int64_t fileBytes)
{
    const int64_t kLeastRoom = 256 * 1024;
    return fileBytes / 16 > kLeastRoom ? fileBytes / 16 : kLeastRoom;
}

NoteIoError ReadWholeFile(const WCHAR* path, int64_t maxBytes, int32_t tail, uint8_t** block, int64_t* size,
                          uint64_t* hash, ReadRoom room)
{
    *block = 0;
    *size = 0;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, 0);
    if (file == INVALID_HANDLE_VALUE) return kIoOpen;
    LARGE_INTEGER length;
    if (!GetFileSizeEx(file, &length)) {
        CloseHandle(file);
        return kIoRead;
    }
    if (length.QuadPart > maxBytes) {
        CloseHandle(file);
        return kIoTooLarge;
    }
    SIZE_T total = (SIZE_T)length.QuadPart + 2 + (SIZE_T)tail;
    SIZE_T growth = room == kReadWithGrowthRoom ? (SIZE_T)GrowthRoomBytes(length.QuadPart) : 0;
    uint8_t* data = (uint8_t*)LocalAlloc(LMEM_FIXED, total + growth);
    if (!data) {
        CloseHandle(file);
        return kIoNoMemory;
    }
    int64_t done = 0;
    StreamingDatafileHash streaming;
    StartStreamingHash(streaming, length.QuadPart);
    while (done < length.QuadPart) {
        DWORD want = (DWORD)(length.QuadPart - done > kCachedPieceBytes ? kCachedPieceBytes : length.QuadPart - done);
        // The piece's pages are faulted in first: taking them while the
        // read copies into them costs half as much again (20 MB: 17 ms
        // instead of 11).
        for (DWORD page = 0; page < want; page += kPageBytes) data[done + page] = 0;
        DWORD got = 0;
        if (!ReadFile(file, data + done, want, &got, 0) || got == 0) break;
        // Hashed while the piece is still in the cache.
        if (hash) AddToStreamingHash(streaming, data + done, got);
        done += got;
        if (g_noteIoFaults.readPiece) g_noteIoFaults.readPiece(path, done);
    }
    CloseHandle(file);
    if (done != length.QuadPart) {
        LocalFree(data);
        return kIoRead;
    }
    ZeroMemory(data + done, total - (SIZE_T)done);
    *block = data;
    *size = done;
    if (hash) *hash = FinishStreamingHash(streaming);
    return kIoOk;
}

// Creates a file for writing; honours the test fault.
HANDLE CreateForWriting(const WCHAR* path, DWORD disposition, DWORD flags)
{
    if (g_noteIoFaults.failCreate) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileW(path, GENERIC_WRITE, 0, 0, disposition, flags, 0);
}

NoteIoError WriteFlushedCopy(const WCHAR* temporaryPath, const void* bytes, int64_t size)
{
    HANDLE file = CreateForWriting(temporaryPath, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    if (file == INVALID_HANDLE_VALUE) return kIoOpen;
    NoteIoError result = WriteAll(file, (const uint8_t*)bytes, size);
    if (result == kIoOk && (g_noteIoFaults.failFlush || !FlushFileBuffers(file))) result = kIoFlush;
    if (!CloseHandle(file) && result == kIoOk) result = kIoWrite;
    if (result != kIoOk) DeleteFileW(temporaryPath);
    return result;
}

NoteIoError WriteFlushedPieces(const WCHAR* temporaryPath, const FilePiece* pieces, int32_t count, uint64_t* hash)
{
    int64_t total = 0;
    for (int32_t i = 0; i < count; i++) total += pieces[i].size;
    StreamingDatafileHash streaming;
    StartStreamingHash(streaming, total);
    HANDLE file = CreateForWriting(temporaryPath, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    if (file == INVALID_HANDLE_VALUE) return kIoOpen;
    NoteIoError result = kIoOk;
    for (int32_t i = 0; i < count && result == kIoOk; i++) {
        // Each part is hashed just before it is written, while it is in the cache.
        for (int64_t done = 0; done < pieces[i].size && result == kIoOk; done += kCachedPieceBytes) {
            int64_t part = pieces[i].size - done < kCachedPieceBytes ? pieces[i].size - done : kCachedPieceBytes;
            AddToStreamingHash(streaming, pieces[i].bytes + done, part);
            result = WriteAll(file, pieces[i].bytes + done, part);
        }
    }
    if (result == kIoOk && (g_noteIoFaults.failFlush || !FlushFileBuffers(file))) result = kIoFlush;
    if (!CloseHandle(file) && result == kIoOk) result = kIoWrite;
    if (result != kIoOk) DeleteFileW(temporaryPath);
    else if (hash) *hash = FinishStreamingHash(streaming);
    return result;
}

NoteIoError ReplaceFileWith(const WCHAR* source, const WCHAR* target)
{
    if (g_noteIoFaults.failReplace) return kIoReplace;
    // A read-only file is the user's wish that it stays as it is; the move
    // itself would replace it on some systems.
    DWORD attributes = GetFileAttributesW(target);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return kIoReplace;
    }
    if (!MoveFileExW(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return kIoReplace;
    return kIoOk;
}

int64_t FreeBytesIn(const WCHAR* folder)
{
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExW(folder, &available, 0, 0)) return -1;
    return available.QuadPart > (ULONGLONG)INT64_MAX ? INT64_MAX : (int64_t)available.QuadPart;
}

int32_t IsOnSameVolume(const WCHAR* a, const WCHAR* b)
{
    WCHAR volumeA[MAX_PATH], volumeB[MAX_PATH];
    if (!GetVolumePathNameW(a, volumeA, MAX_PATH) || !GetVolumePathNameW(b, volumeB, MAX_PATH)) return 1;
    return CompareTextNoCase(volumeA, volumeB) == 0;
}

int32_t EnsureFolder(const WCHAR* folder)
{
    AIString path(folder);
    while (path.GetLength() > 3 && path.CharAt(path.GetLength() - 1) == L'\\') path.SetLength(path.GetLength() - 1);
    DWORD attributes = GetFileAttributesW(path.GetText());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
    int slash = path.FindChar(L'\\', true);
    if (slash > 2) {
        AIString parent;
        parent.AssignTextN(path.GetText(), slash);
        if (GetFileAttributesW(parent.GetText()) == INVALID_FILE_ATTRIBUTES && !EnsureFolder(parent.GetText()))
            return 0;
    }
    if (CreateDirectoryW(path.GetText(), 0)) return 1;
    return GetLastError() == ERROR_ALREADY_EXISTS ? 1 : 0;
}

int32_t CanCreateFilesIn(const WCHAR* folder)
{
    AIString probe(folder);
    if (probe.GetLength() && probe.CharAt(probe.GetLength() - 1) != L'\\') probe.AppendChar(L'\\');
    probe.AppendText(L"~tavik_write_probe_");
    probe.AppendInt((int32_t)GetCurrentProcessId());
    probe.AppendText(L".tmp");
    HANDLE file = CreateForWriting(probe.GetText(), CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE);
    if (file == INVALID_HANDLE_VALUE) return 0;
    CloseHandle(file);
    return 1;
}

NoteIoError WriteUtf16FileSafely(const WCHAR* path, const WCHAR* text, int32_t chars)
{
    AIString folder(path);
    int slash = folder.FindChar(L'\\', true);
    if (slash > 0) {
        folder.SetLength(slash + 1);
        if (!EnsureFolder(folder.GetText())) return kIoOpen;
    }
    SIZE_T bytes = 2 + (SIZE_T)chars * sizeof(WCHAR);
    uint8_t* data = (uint8_t*)LocalAlloc(LMEM_FIXED, bytes);
    if (!data) return kIoNoMemory;
    data[0] = 0xFF;
    data[1] = 0xFE;
    if (chars > 0) CopyMemory(data + 2, text, (SIZE_T)chars * sizeof(WCHAR));
    AIString temporary(path);
    temporary.AppendText(L".tmp");
    NoteIoError result = WriteFlushedCopy(temporary.GetText(), data, (int64_t)bytes);
    LocalFree(data);
    if (result != kIoOk) return result;
    result = ReplaceFileWith(temporary.GetText(), path);
    if (result != kIoOk) DeleteFileW(temporary.GetText());
    return result;
}

int32_t ReadNoteTextFile(const WCHAR* path, int32_t maxChars, AIString& out)
{
    out.Clear();
    uint8_t* block = 0;
    int64_t size = 0;
    if (ReadWholeFile(path, 2 + (int64_t)maxChars * 2, 0, &block, &size) != kIoOk) return 0;
    int32_t ok = DecodeNoteTextBytes(block, size, out);
    LocalFree(block);
    return ok;
}

void KeepNewestFiles(const AIString& folder, const WCHAR* pattern, int32_t keep)
{
    AIString search(folder), oldest, path;
    search.AppendText(pattern);
    for (;;) {
        int32_t count = 0;
        oldest.Clear();
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW(search.GetText(), &found);
        if (find == INVALID_HANDLE_VALUE) return;
        do {
            count++;
            if (oldest.IsEmpty() || oldest.CompareText(found.cFileName) > 0) oldest.AssignText(found.cFileName);
        } while (FindNextFileW(find, &found));
        FindClose(find);
        if (count <= keep) return;
        path.Copy(folder).AppendString(oldest);
        if (!DeleteFileW(path.GetText())) return;
    }
}

void AppendTimeStamp(AIString& out)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    WCHAR text[32];
    wsprintfW(text, L"%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
              now.wSecond);
    out.AppendText(text);
}
