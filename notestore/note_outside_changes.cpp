// Changes made to the data file by others: the identity of the file as this
// store last loaded or saved it, the test whether the file on disk is still
// that file, what was changed here since, and loading the file as it now
// stands without losing a note edited here (the rule is in note_merge.h).
#include "notestore/note_store_internal.h"
#include "notestore/note_io.h"
#include "notestore/note_merge.h"
#include "notestore/change_log.h"
#include "foundation/ai_string_table.h"
#include "foundation/result_flag.h"
#include "foundation/trace.h"
#include <new>

namespace {

// A note changed here since the base, with its base version.
struct HereChange {
    AIString title;
    int32_t deleted;        // in the base, gone from the index (deleted or renamed here)
    int32_t inBase;
    AIString baseText;      // the text after the title line
};

// A data file read from disk and checked, not installed.
struct ParsedFile {
    uint8_t* block;
    const WCHAR* text;
    int32_t chars;
    NoteSpanArray spans;
};

void FreeParsedFile(ParsedFile& file)
{
    if (file.block) LocalFree(file.block);
    file.block = 0;
    FreeNoteSpans(file.spans);
}

int32_t ReadParsedFile(const WCHAR* path, ParsedFile& out)
{
    out.block = 0;
    out.text = 0;
    out.chars = 0;
    out.spans.items = 0;
    out.spans.count = out.spans.capacity = 0;
    int64_t size = 0;
    if (ReadWholeFile(path, kMaxDatafileBytes, 0, &out.block, &size) != kIoOk) return 0;
    DatafileProblem problem;
    if (CheckDatafileBytes(out.block, size) == 0) {
        out.text = (const WCHAR*)(out.block + 2);
        out.chars = (int32_t)((size - 2) / 2);
        if (ParseDatafileText(out.text, out.chars, out.spans, problem)) return 1;
    }
    FreeParsedFile(out);
    return 0;
}

// The note of that title (any letter case) in a parsed text: its version, or
// an absent one.
NoteVersion VersionIn(const WCHAR* text, int32_t chars, const NoteSpanArray& spans, const WCHAR* title)
{
    NoteVersion version = {0, 0};
    int32_t titleLen = TextLength(title);
    int32_t low = 0, high = spans.count;
    while (low < high) {
        int32_t mid = (low + high) / 2;
        const NoteSpan& span = spans.items[mid];
        int32_t order = CompareTitles(text + span.mark + 1, span.titleLen, title, titleLen);
        if (order == 0) {
            int32_t end = mid + 1 < spans.count ? spans.items[mid + 1].mark : chars;
            int32_t body = FindBodyStart(text + span.mark, end - span.mark);
            version.text = text + span.mark + body;
            version.len = end - span.mark - body;
            return version;
        }
        if (order < 0) low = mid + 1;
        else high = mid;
    }
    return version;
}

NoteVersion BaseVersionOf(const WCHAR* title)
{
    return VersionIn(g_noteStore.buffer, g_noteStore.bufferChars, g_storeBuffer.spans, title);
}

NoteVersion VersionOf(const AIString& text)
{
    NoteVersion version = {text.GetText(), text.GetLength()};
    return version;
}

// Every note changed here since the base: those with a side file (edited,
// new or renamed here) and those of the base no longer in the index.
int32_t CollectHereChanges(HereChange*& changes, int32_t& count)
{
    NoteStore& s = g_noteStore;
    int32_t capacity = s.mirrorNotes->GetCount() + g_storeBuffer.spans.count;
    count = 0;
    changes = new (std::nothrow) HereChange[capacity > 0 ? capacity : 1];
    if (!changes) return 0;
    AIString title;
    for (int32_t i = 0; i < s.mirrorNotes->GetCount(); i++) {
        s.mirrorNotes->GetItemTextMode(i, title, 1);
        HereChange& change = changes[count++];
        change.title.Copy(title);
        change.deleted = 0;
        NoteVersion base = BaseVersionOf(title.GetText());
        change.inBase = base.text ? 1 : 0;
        if (base.text) change.baseText.AssignTextN(base.text, base.len);
    }
    for (int32_t i = 0; i < g_storeBuffer.spans.count; i++) {
        const NoteSpan& span = g_storeBuffer.spans.items[i];
        title.AssignTextN(s.buffer + span.mark + 1, span.titleLen);
        if (IndexPositionOf(title.GetText()) >= 0) continue;
        HereChange& change = changes[count++];
        change.title.Copy(title);
        change.deleted = 1;
        change.inBase = 1;
        NoteVersion base = BaseVersionOf(title.GetText());
        change.baseText.AssignTextN(base.text, base.len);
    }
    return 1;
}

// A title is taken by a note of the new file, a note kept here or a copy
// made in this merge (the side file exists).
struct TakenTitles {
    const ParsedFile* outside;
};

int32_t IsTitleTaken(const WCHAR* title, void* context)
{
    const ParsedFile* outside = ((TakenTitles*)context)->outside;
    if (VersionIn(outside->text, outside->chars, outside->spans, title).text) return 1;
    if (IndexPositionOf(title) >= 0) return 1;
    AIString path;
    MirrorPathOf(title, path);
    return GetFileAttributesW(path.GetText()) != INVALID_FILE_ATTRIBUTES;
}

// Writes the outside text of a note as a note of its own beside it; the
// copy's title goes into `written`.
int32_t KeepOtherCopy(const WCHAR* title, const NoteVersion& outside, const ParsedFile& file, AIStringList& written)
{
    TakenTitles taken = {&file};
    AIString copyTitle, record, path;
    if (!MakeOtherCopyTitle(title, IsTitleTaken, &taken, copyTitle)) return 0;
    record.AppendChar(kNoteMark).AppendString(copyTitle).AppendText(L"\r\n").AppendTextN(outside.text, outside.len);
    MirrorPathOf(copyTitle.GetText(), path);
    if (WriteUtf16FileSafely(path.GetText(), record.GetText(), record.GetLength()) != kIoOk) return 0;
    written.AddString(copyTitle.GetText());
    AppendChangeLog(kLogOtherCopy, copyTitle.GetText(), record.GetText(), record.GetLength());
    return 1;
}

void RemoveWrittenCopies(AIStringList& written)
{
    AIString title, path;
    for (int i = 0; i < written.GetCount(); i++) {
        written.GetItemTextMode(i, title, 1);
        MirrorPathOf(title.GetText(), path);
        DeleteFileW(path.GetText());
    }
}

// 0 when the file is not there (nothing to write over); otherwise 1 with the
// file's identity, unknown when it could not be read.
int32_t ReadDiskIdentity(const WCHAR* path, const DatafileIdentity& known, DatafileIdentity& out)
{
    out.known = 0;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : 1;
    }
    int64_t size = ((int64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    uint64_t time = FileTimeValue(data.ftLastWriteTime);
    if (size != known.size) {
        // Another size is another file: no need to read it.
        out.known = 1;
        out.size = size;
        out.writeTime = time;
        out.hash = 0;
        return 1;
    }
    // The same size: the bytes tell. They are hashed as they are read, a
    // piece at a time, so the whole file is never held twice.
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, 0);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const DWORD kPieceBytes = 1024 * kHashBlockBytes * 32;  // 1 MB
    uint8_t* piece = (uint8_t*)LocalAlloc(LMEM_FIXED, kPieceBytes);
    DatafileHasher hasher;
    StartDatafileHash(hasher, size);
    int64_t done = 0;
    DWORD got = 0;
    bool read = piece != 0;
    while (read) {
        got = 0;
        read = ReadFile(file, piece, kPieceBytes, &got, 0) != 0;
        if (!read || got != kPieceBytes || done + got >= size) break;
        AddToDatafileHash(hasher, piece, got);
        done += got;
    }
    // The last piece (shorter, or the one that reached the size) finishes the hash.
    if (read && done + got == size) {
        LARGE_INTEGER length;
        if (GetFileSizeEx(file, &length) && length.QuadPart == size) {
            out.known = 1;
            out.size = size;
            out.writeTime = time;
            out.hash = FinishDatafileHash(hasher, piece, got);
        }
    }
    if (piece) LocalFree(piece);
    CloseHandle(file);
    return 1;
}

}  // namespace

void RecordDatafileIdentity(uint64_t hash)
{
    NoteStore& s = g_noteStore;
    s.identity.known = 0;
    if (!g_storeBuffer.block || s.datafilePath.IsEmpty()) return;
    WIN32_FILE_ATTRIBUTE_DATA data;
    uint64_t time = 0;
    if (GetFileAttributesExW(s.datafilePath.GetText(), GetFileExInfoStandard, &data))
        time = FileTimeValue(data.ftLastWriteTime);
    s.identity.known = 1;
    s.identity.size = 2 + (int64_t)s.bufferChars * 2;
    s.identity.writeTime = time;
    s.identity.hash = hash;
}

namespace {

DWORD WINAPI ReadDiskIdentityThread(void* parameter)
{
    DatafileChangeCheck& check = *(DatafileChangeCheck*)parameter;
    check.found = ReadDiskIdentity(check.path.GetText(), check.known, check.disk);
    return 0;
}

}  // namespace

void StartDatafileChangeCheck(DatafileChangeCheck& check, DatafileCheckPlace place)
{
    NoteStore& s = g_noteStore;
    check.thread = 0;
    check.found = 0;
    check.disk.known = 0;
    check.state = kDiskSame;
    // Nothing loaded, or nothing known of the file: nothing to compare.
    check.finished = !s.loaded || !s.identity.known;
    if (check.finished) return;
    check.path.Copy(s.datafilePath);
    check.known = s.identity;
    if (place == kCheckBeside) check.thread = CreateThread(0, 0, ReadDiskIdentityThread, &check, 0, 0);
    // Without a thread the file is read here and now.
    if (!check.thread) ReadDiskIdentityThread(&check);
}

int32_t FinishDatafileChangeCheck(DatafileChangeCheck& check)
{
    if (!check.finished) {
        if (check.thread) {
            WaitForSingleObject(check.thread, INFINITE);
            CloseHandle(check.thread);
            check.thread = 0;
        }
        check.finished = 1;
        check.state = check.found ? CompareDatafileIdentity(check.known, check.disk) : kDiskSame;
        // A new time alone is no change: it is taken as the file's own.
        if (check.state == kDiskTouched) g_noteStore.identity.writeTime = check.disk.writeTime;
    }
    return check.state == kDiskChanged ? 1 : 0;
}

int32_t HasDatafileChangedOnDisk()
{
    TRACE_SCOPE(kNoteStoreModule, 60);
    DatafileChangeCheck check;
    StartDatafileChangeCheck(check, kCheckHere);
    return FinishDatafileChangeCheck(check);
}

int32_t HasUnsavedNotes()
{
    NoteStore& s = g_noteStore;
    if (!s.loaded) return 0;
    if (s.mirrorNotes->GetCount() > 0 || GetNoteCount() != g_storeBuffer.spans.count) return 1;
    // Same count, no side file: every note must still be the file's own.
    for (int32_t i = 0; i < GetNoteCount(); i++)
        if (IndexValueAt(i) < 0) return 1;
    return 0;
}

int32_t ReloadDatafileKeepingEdits(int32_t* copiesMade)
{
    TRACE_SCOPE(kNoteStoreModule, 61);
    NoteStore& s = g_noteStore;
    if (copiesMade) *copiesMade = 0;
    if (!s.loaded || s.walkCount > 0) return SetResult(0);
    AIString path(s.datafilePath);
    // Side files written since the last look (another instance's too) count
    // as notes edited here, as they would when the file is opened.
    ScanNotesFolderForNewAndDeleted();
    ParsedFile outside;
    if (!ReadParsedFile(path.GetText(), outside)) {
        // Refused: the load says why and keeps everything as it is.
        return LoadDatafile(path.GetText());
    }
    HereChange* changes = 0;
    int32_t count = 0;
    if (!CollectHereChanges(changes, count)) {
        FreeParsedFile(outside);
        return SetResult(0);
    }
    // Copies first: when one cannot be written, nothing has changed yet.
    AIStringList written;
    AIStringList dropped;
    int32_t ok = 1;
    AIString hereRecord, hereText;
    for (int32_t i = 0; i < count && ok; i++) {
        const HereChange& change = changes[i];
        NoteVersion base = change.inBase ? VersionOf(change.baseText) : NoteVersion{0, 0};
        NoteVersion here = {0, 0};
        if (!change.deleted) {
            hereText.Clear();
            // A side file that cannot be read compares as other text.
            if (ReadMirrorRecord(change.title.GetText(), hereRecord)) {
                int32_t body = FindBodyStart(hereRecord.GetText(), hereRecord.GetLength());
                hereText.AssignTextN(hereRecord.GetText() + body, hereRecord.GetLength() - body);
            }
            here = VersionOf(hereText);
        }
        NoteVersion there = VersionIn(outside.text, outside.chars, outside.spans, change.title.GetText());
        switch (DecideNoteMerge(base, here, 1, there)) {
        case kMergeKeepBoth:
            ok = KeepOtherCopy(change.title.GetText(), there, outside, written);
            break;
        case kMergeDropDeletedHere:
            dropped.AddString(change.title.GetText());
            break;
        default:
            break;
        }
    }
    delete[] changes;
    FreeParsedFile(outside);
    if (!ok || !LoadDatafile(path.GetText())) {
        RemoveWrittenCopies(written);
        ScanNotesFolderForNewAndDeleted();
        return SetResult(0);
    }
    // Notes deleted (or renamed) here that nobody changed outside stay gone.
    AIString title;
    for (int i = 0; i < dropped.GetCount(); i++) {
        dropped.GetItemTextMode(i, title, 1);
        int32_t at = IndexPositionOf(title.GetText());
        if (at >= 0 && IndexValueAt(at) >= 0) s.noteIndex->RemoveAtSorted(at);
    }
    if (copiesMade) *copiesMade = written.GetCount();
    return SetResult(1);
}
