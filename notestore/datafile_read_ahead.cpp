// The data file read ahead on a worker thread (see datafile_read_ahead.h).
// The worker calls only ReadWholeFile, CheckDatafileBytes, ParseDatafileText
// and JoinNoteIndex (quietly: it never asks the user): they write no global
// (the letter-fold table builds itself once, from any thread), raise no
// message and trace nothing. The worker writes its result into the state; the UI thread reads
// it only after WaitForSingleObject, and owns everything else.
#include "notestore/datafile_read_ahead.h"
#include "foundation/newer_windows.h"
#include "notestore/note_store_internal.h"
#include "notestore/note_io.h"
#include <new>

namespace {

// What tells one version of a file from another without reading it. The
// change time moves with every write, also when the writer sets the
// last-write time back afterwards.
struct FileStamp {
    int64_t size;
    uint64_t writeTime;
    uint64_t changeTime;
    DWORD volume;
    uint64_t fileIndex;
};

// The read-ahead. Plain data (no destructor); one worker at a time.
struct ReadAhead {
    HANDLE thread;             // 0 when no worker was started or it was waited for
    int32_t held;              // a worker runs or its result waits
    WCHAR path[MAX_PATH];      // full path
    // Written by the worker before it ends.
    int32_t parsed;            // 1 when the whole file was read and parsed
    FileStamp stamp;           // the file as the worker read it
    ParsedDatafile file;
};

ReadAhead s_readAhead;

// Opened for reading with the sharing the load's read uses, so a file the
// load could not read has no stamp either.
int32_t ReadFileStamp(const WCHAR* path, FileStamp& out)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) return 0;
    BY_HANDLE_FILE_INFORMATION info;
    uint64_t changeTime = 0;
    BOOL ok = GetFileInformationByHandle(file, &info) && GetFileChangeTime(file, &changeTime);
    CloseHandle(file);
    if (!ok) return 0;
    out.changeTime = changeTime;
    out.size = ((int64_t)info.nFileSizeHigh << 32) | info.nFileSizeLow;
    out.writeTime = FileTimeValue(info.ftLastWriteTime);
    out.volume = info.dwVolumeSerialNumber;
    out.fileIndex = ((uint64_t)info.nFileIndexHigh << 32) | info.nFileIndexLow;
    return 1;
}

bool SameStamp(const FileStamp& a, const FileStamp& b)
{
    return a.size == b.size && a.writeTime == b.writeTime && a.changeTime == b.changeTime && a.volume == b.volume &&
           a.fileIndex == b.fileIndex;
}

// Reads, checks and parses; keeps the result only when the file stood still
// while it was read.
DWORD WINAPI ReadAheadWorker(void* parameter)
{
    ReadAhead& r = *(ReadAhead*)parameter;
    FileStamp before, after;
    if (!ReadFileStamp(r.path, before)) return 0;
    ParsedDatafile& file = r.file;
    int64_t size = 0;
    if (ReadWholeFile(r.path, kMaxDatafileBytes, kStoreBlockTail, &file.block, &size, &file.hash,
                      kReadWithGrowthRoom) != kIoOk)
        return 0;
    DatafileProblem problem;
    if (CheckDatafileBytes(file.block, size) == 0) {
        file.chars = (int32_t)((size - 2) / 2);
        file.capacityChars = StoreTextCapacity(size);
        r.parsed = ParseDatafileText((const WCHAR*)(file.block + 2), file.chars, file.spans, problem);
    }
    // The index joined here too; without memory for it the load joins it.
    if (r.parsed) {
        file.index = new (std::nothrow) JoinedNoteIndex;
        if (file.index && !file.index->Join((const WCHAR*)(file.block + 2), file.spans, kJoinQuietly)) {
            delete file.index;
            file.index = 0;
        }
    }
    if (r.parsed && (!ReadFileStamp(r.path, after) || !SameStamp(before, after) || after.size != size)) r.parsed = 0;
    if (r.parsed) r.stamp = after;
    else FreeParsedDatafile(file);
    return 0;
}

}  // namespace

void FreeParsedDatafile(ParsedDatafile& file)
{
    if (file.block) LocalFree(file.block);
    file.block = 0;
    file.chars = 0;
    file.capacityChars = 0;
    FreeNoteSpans(file.spans);
    file.hash = 0;
    delete file.index;
    file.index = 0;
}

void FinishDatafileReadAhead()
{
    ReadAhead& r = s_readAhead;
    if (!r.thread) return;
    WaitForSingleObject(r.thread, INFINITE);
    CloseHandle(r.thread);
    r.thread = 0;
}

// Leaves the state empty, as a new worker expects it.
void DropDatafileReadAhead()
{
    ReadAhead& r = s_readAhead;
    FinishDatafileReadAhead();
    FreeParsedDatafile(r.file);
    r.parsed = 0;
    r.held = 0;
    r.path[0] = 0;
}

int32_t StartDatafileReadAhead(const WCHAR* path)
{
    DropDatafileReadAhead();
    if (!path || !*path) return 0;
    ReadAhead& r = s_readAhead;
    DWORD n = GetFullPathNameW(path, MAX_PATH, r.path, 0);
    if (n == 0 || n >= MAX_PATH) {
        r.path[0] = 0;
        return 0;
    }
    r.thread = CreateThread(0, 0, ReadAheadWorker, &r, 0, 0);
    if (!r.thread) {
        r.path[0] = 0;
        return 0;
    }
    r.held = 1;
    return 1;
}

int32_t TakeDatafileReadAhead(const WCHAR* fullPath, ParsedDatafile& out)
{
    ReadAhead& r = s_readAhead;
    if (!r.held) return 0;
    FinishDatafileReadAhead();
    FileStamp now;
    int32_t usable = r.parsed && fullPath && CompareTextNoCase(r.path, fullPath) == 0 &&
                     ReadFileStamp(fullPath, now) && SameStamp(now, r.stamp);
    if (usable) {
        out = r.file;
        r.file.block = 0;
        r.file.spans.items = 0;
        r.file.spans.count = r.file.spans.capacity = 0;
        r.file.index = 0;
    }
    DropDatafileReadAhead();
    return usable;
}

int32_t IsDatafileReadAheadHeld() { return s_readAhead.held; }
