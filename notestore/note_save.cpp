// Saving the data file: the notes in title order, from the buffer or their
// mirrors, checked, written to a flushed temporary copy that then replaces
// the file; the previous version stays as the backup. A failure at any step
// leaves the old file whole, keeps the mirrors and says so.
#include "notestore/note_store_internal.h"
#include "notestore/note_io.h"
#include "foundation/ai_string_table.h"
#include "foundation/errors.h"
#include "foundation/result_flag.h"
#include "foundation/trace.h"

namespace {

// Where one note's record comes from.
struct RecordSource {
    const WCHAR* text;
    WCHAR* owned;        // LocalAlloc copy of a mirror record, or null
};

// The new file in memory: [FF FE][text][0 0][guard], with its note spans.
struct ComposedFile {
    uint8_t* block;
    int32_t chars;
    NoteSpanArray spans;
    int32_t badMirrors;  // mirrors that could not be read (kept on disk)
    AIString firstBadMirror;
    AIStringList taken;  // titles whose mirrors went into the file
    uint64_t hash;       // HashDatafileBytes of the file's bytes
};

// Each note's source and its record as the new file holds it.
struct Sources {
    RecordSource* items;
    JoinedRecord* records;
    int32_t count;

    Sources() : items(0), records(0), count(0) {}
    ~Sources()
    {
        if (records) LocalFree(records);
        if (!items) return;
        for (int32_t i = 0; i < count; i++)
            if (items[i].owned) LocalFree(items[i].owned);
        LocalFree(items);
    }
    int32_t Allocate(int32_t notes)
    {
        count = notes;
        SIZE_T n = (SIZE_T)(notes ? notes : 1);
        items = (RecordSource*)LocalAlloc(LPTR, n * sizeof(RecordSource));
        records = (JoinedRecord*)LocalAlloc(LPTR, n * sizeof(JoinedRecord));
        return items && records;
    }
};

// The place of the loaded text's record that starts at mark, or -1.
int32_t LoadedSpanAt(int32_t mark)
{
    const NoteSpanArray& spans = g_storeBuffer.spans;
    int32_t low = 0, high = spans.count;
    while (low < high) {
        int32_t mid = (low + high) / 2;
        if (spans.items[mid].mark < mark) low = mid + 1;
        else high = mid;
    }
    return low < spans.count && spans.items[low].mark == mark ? low : -1;
}

// Copies a mirror's record into its own block.
int32_t TakeMirror(const WCHAR* title, RecordSource& source, JoinedRecord& joined)
{
    AIString record;
    if (!ReadMirrorRecord(title, record)) return 0;
    SIZE_T bytes = (SIZE_T)record.GetLength() * sizeof(WCHAR);
    source.owned = (WCHAR*)LocalAlloc(LMEM_FIXED, bytes ? bytes : 2);
    if (!source.owned) return 0;
    CopyMemory(source.owned, record.GetText(), bytes);
    source.text = source.owned;
    joined.len = record.GetLength();
    joined.titleLen = -1;
    joined.rank = -1;
    return 1;
}

// A note copied from an old file may lack a link block (files written by
// hand). The file must end with one, so the last note gets an empty block;
// its body stays as it was.
const WCHAR* ClosingForLastRecord(const WCHAR* t, int32_t n)
{
    if (n >= 4 && t[n - 4] == L'}' && t[n - 3] == L'}' && t[n - 2] == L'\r' && t[n - 1] == L'\n') return L"";
    if (n >= 2 && t[n - 2] == L'}' && t[n - 1] == L'}' && FindLinkBlock(t, n) < n) return L"\r\n";
    return L"\r\n{{\r\n}}\r\n";
}

NoteIoError ComposeFile(ComposedFile& out)
{
    NoteStore& s = g_noteStore;
    out.block = 0;
    out.chars = 0;
    out.spans.items = 0;
    out.spans.count = out.spans.capacity = 0;
    out.badMirrors = 0;
    int32_t count = GetNoteCount();
    Sources sources;
    if (!sources.Allocate(count)) return kIoNoMemory;
    int64_t total = g_storeBuffer.preambleChars;
    AIString title;
    for (int32_t i = 0; i < count; i++) {
        RecordSource& source = sources.items[i];
        JoinedRecord& record = sources.records[i];
        int32_t value = IndexValueAt(i);
        s.noteIndex->GetKeyAt(i, title);
        if (value == kIndexSideFileOnly || (value < 0 && value > kIndexDeletedLimit)) {
            if (TakeMirror(title.GetText(), source, record)) {
                out.taken.AddString(title.GetText());
            } else {
                if (out.badMirrors++ == 0) MirrorPathOf(title.GetText(), out.firstBadMirror);
                value = value == kIndexSideFileOnly ? kIndexNoValue : -value;
            }
        }
        if (!source.owned && value >= 0 && value < s.bufferChars && s.buffer[value] == kNoteMark) {
            source.text = s.buffer + value;
            record.len = RecordEndAt(value) - value;
            // The loaded text's records were checked when it was read.
            record.rank = LoadedSpanAt(value);
            record.titleLen = record.rank >= 0 ? g_storeBuffer.spans.items[record.rank].titleLen : -1;
        }
        total += record.len;
    }
    const WCHAR* closing = L"";
    for (int32_t i = count - 1; i >= 0; i--) {
        if (!sources.items[i].text) continue;
        closing = ClosingForLastRecord(sources.items[i].text, sources.records[i].len);
        break;
    }
    total += TextLength(closing);
    if (total > (kMaxDatafileBytes - 2) / 2) return kIoTooLarge;
    SIZE_T bytes = 2 + (SIZE_T)total * sizeof(WCHAR) + 2 + sizeof(kGuardBytes);
    out.block = (uint8_t*)LocalAlloc(LMEM_FIXED, bytes);
    if (!out.block) return kIoNoMemory;
    out.block[0] = 0xFF;
    out.block[1] = 0xFE;
    WCHAR* text = (WCHAR*)(out.block + 2);
    int32_t at = g_storeBuffer.preambleChars;
    CopyMemory(text, s.buffer, (SIZE_T)at * sizeof(WCHAR));
    // The file's identity is hashed as it is put together, each record while
    // it is still in the cache.
    RunningDatafileHash hash;
    StartRunningHash(hash, out.block, 2 + total * 2);
    for (int32_t i = 0; i < count; i++) {
        CopyMemory(text + at, sources.items[i].text, (SIZE_T)sources.records[i].len * sizeof(WCHAR));
        at += sources.records[i].len;
        AddToRunningHash(hash, 2 + (int64_t)at * 2);
    }
    CopyMemory(text + at, closing, (SIZE_T)TextLength(closing) * sizeof(WCHAR));
    at += TextLength(closing);
    text[at] = 0;
    out.chars = at;
    out.hash = FinishRunningHash(hash);
    // Never write a file that would not open again. Only what did not come
    // from the checked text needs a look; when that finds anything, the
    // whole text is parsed as a load would.
    if (ParseJoinedRecords(text, out.chars, g_storeBuffer.preambleChars, sources.records, count, out.spans))
        return kIoOk;
    DatafileProblem problem;
    if (!ParseDatafileText(text, out.chars, out.spans, problem)) {
        LocalFree(out.block);
        out.block = 0;
        FreeNoteSpans(out.spans);
        return kIoCompose;
    }
    return kIoOk;
}

// Asks whether to try again after a failed step; the old file is whole.
int32_t AskAfterFailure(const WCHAR* target, const WCHAR* step)
{
    AIString message;
    message.AppendText(L"The data file could not be saved (").AppendText(step).AppendText(L"):\r\n");
    message.AppendText(target);
    message.AppendText(L"\r\nThe previous version is unchanged and your edited notes are kept in the notes folder.");
    message.AppendText(kRetryQuestion);
    return ReportError(GetLastError(), L"Save failed", message.GetText()) == IDYES;
}

const WCHAR* StepName(NoteIoError error)
{
    switch (error) {
    case kIoOpen: return L"cannot create the temporary copy";
    case kIoFlush: return L"cannot flush the temporary copy";
    case kIoBackup: return L"cannot keep the previous version";
    case kIoReplace: return L"cannot replace the file";
    case kIoNoMemory: return L"not enough memory";
    case kIoTooLarge: return L"the notes would pass the size limit of 50 MB";
    case kIoCompose: return L"the notes could not be put together";
    default: return L"cannot write the temporary copy";
    }
}

// Gives a copy the time it was taken (a copy keeps its source's time) and
// puts it on the disk. 1 on success.
int32_t StampAndFlush(const WCHAR* path)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) return 0;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    int32_t ok = SetFileTime(file, 0, 0, &now) && FlushFileBuffers(file);
    return CloseHandle(file) && ok;
}

// The day's first save keeps the previous version as the weekday's backup.
// It is copied beside its place, stamped and only then replaces last week's:
// a kill never leaves a backup cut short that counts as taken today.
void KeepWeekdayBackup(const WCHAR* backupPath)
{
    static const WCHAR* const kDays[] = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
    NoteStore& s = g_noteStore;
    SYSTEMTIME now;
    GetLocalTime(&now);
    AIString folder(s.notesFolder), path, name(s.datafilePath.GetText() + s.dataFolder.GetLength());
    folder.AppendText(L"backup\\");
    int dot = name.FindChar(L'.', true);
    if (dot > 0) name.SetLength(dot);
    path.Copy(folder).AppendString(name).AppendChar(L'_').AppendText(kDays[now.wDayOfWeek % 7]).AppendText(L".tavik");
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(path.GetText(), GetFileExInfoStandard, &data)) {
        FILETIME local;
        SYSTEMTIME written;
        if (FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && FileTimeToSystemTime(&local, &written) &&
            written.wYear == now.wYear && written.wMonth == now.wMonth && written.wDay == now.wDay)
            return;
    }
    if (!EnsureFolder(folder.GetText())) return;
    AIString temporary(path);
    temporary.AppendText(L".tmp");
    if (!CopyFileW(backupPath, temporary.GetText(), FALSE) || !StampAndFlush(temporary.GetText()) ||
        ReplaceFileWith(temporary.GetText(), path.GetText()) != kIoOk)
        DeleteFileW(temporary.GetText());
}

// The previous version becomes the backup: a hard link costs nothing; where
// links are not possible, a copy.
NoteIoError KeepBackup(const WCHAR* target, const WCHAR* backup)
{
    if (GetFileAttributesW(target) == INVALID_FILE_ATTRIBUTES) return kIoOk;
    SetFileAttributesW(backup, FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(backup);
    if (!g_noteIoFaults.refuseHardLinks && CreateHardLinkW(backup, target, 0)) return kIoOk;
    return CopyFileW(target, backup, FALSE) ? kIoOk : kIoBackup;
}

// After a main save the file holds every mirror that was read: those go.
// A mirror that could not be read stays, and the scan takes it up again.
void AdoptSavedFile(ComposedFile& file)
{
    NoteStore& s = g_noteStore;
    AIString title, path;
    for (int i = 0; i < file.taken.GetCount(); i++) {
        file.taken.GetItemTextMode(i, title, 1);
        MirrorPathOf(title.GetText(), path);
        DeleteFileW(path.GetText());
    }
    s.mirrorNotes->Clear();
    ClearMirrorTexts();
    InstallStoreBuffer(file.block, file.chars, file.spans);
    file.block = 0;
    RebuildIndexFromBuffer();
    ScanNotesFolderForNewAndDeleted();
    RefindCurrentNote();
}

int32_t SaveTo(const WCHAR* target, int32_t isMain)
{
    TRACE_SCOPE(kNoteStoreModule, 40);
    NoteStore& s = g_noteStore;
    if (!s.loaded) return kSaveNothing;
    if (s.walkCount > 0) {
        // Only the main save runs later; a copy cannot wait for the walk.
        if (!isMain) return kSaveFailed;
        s.savePending = 1;
        return kSaveDeferred;
    }
    if (isMain && s.readOnly) return kSaveNothing;
    // A save with nothing changed writes nothing and keeps the backup as it is.
    if (isMain && !HasUnsavedNotes()) return kSaveNothing;
    if (isMain && HasDatafileChangedOnDisk()) return kSaveChangedOnDisk;
    if (!CheckDatafileGuard()) {
        ReportError(0, L"Save failed",
                    L"The notes in memory are damaged, so the data file was not saved.\r\n"
                    L"The previous version is unchanged.");
        return kSaveFailed;
    }
    AIString temporary(target), backup(target);
    temporary.AppendText(L".tmp");
    backup.AppendText(L".bak");
    for (;;) {
        ComposedFile file;
        NoteIoError composed = ComposeFile(file);
        if (composed != kIoOk) {
            if (AskAfterFailure(target, StepName(composed))) continue;
            return kSaveFailed;
        }
        NoteIoError result = WriteFlushedCopy(temporary.GetText(), file.block, 2 + (int64_t)file.chars * 2);
        if (result == kIoOk && isMain) {
            CloseDatafileHandle();
            result = KeepBackup(target, backup.GetText());
            if (result == kIoOk) result = ReplaceFileWith(temporary.GetText(), target);
        } else if (result == kIoOk) {
            result = ReplaceFileWith(temporary.GetText(), target);
        }
        if (result == kIoOk) {
            if (isMain) {
                AdoptSavedFile(file);
                OpenDatafileHandle();
                RecordDatafileIdentity(file.hash);
                KeepWeekdayBackup(backup.GetText());
            } else {
                LocalFree(file.block);
                FreeNoteSpans(file.spans);
            }
            // Each unreadable mirror is reported once per run, not at every save.
            static AIString s_reportedMirror;
            if (file.badMirrors && !s_reportedMirror.EqualsString(file.firstBadMirror)) {
                s_reportedMirror.Copy(file.firstBadMirror);
                AIString message(L"The data file was saved, but a note's side file could not be read and was "
                                 L"left out:\r\n");
                message.AppendString(file.firstBadMirror);
                ReportError(0, L"Note left out", message.GetText());
            }
            return kSaveDone;
        }
        DeleteFileW(temporary.GetText());
        LocalFree(file.block);
        FreeNoteSpans(file.spans);
        if (isMain && s.fileHandle == INVALID_HANDLE_VALUE) OpenDatafileHandle();
        if (result == kIoDiskFull) {
            RaiseStoreMessage(isMain ? kMsgOutOfDiskSpace : kMsgSavingCopyFailed);
            return kSaveFailed;
        }
        if (!isMain) {
            RaiseStoreMessage(kMsgSavingCopyFailed);
            return kSaveFailed;
        }
        if (!AskAfterFailure(target, StepName(result))) return kSaveFailed;
    }
}

}  // namespace

int32_t SaveDatafileIfOpen()
{
    NoteStore& s = g_noteStore;
    if (!s.loaded || s.datafilePath.IsEmpty()) return kSaveNothing;
    AIString target(s.datafilePath);
    // The notes go out to the sync and share folders first, so that what
    // came in from them is saved with the rest.
    SyncFolders(1);
    int32_t result = SaveTo(target.GetText(), 1);
    SetResult(result == kSaveDone || result == kSaveNothing || result == kSaveDeferred);
    return result;
}

int32_t SaveDatafileCopy(const WCHAR* path)
{
    WCHAR full[MAX_PATH];
    DWORD n = path && *path ? GetFullPathNameW(path, MAX_PATH, full, 0) : 0;
    if (n == 0 || n >= MAX_PATH || g_noteStore.datafilePath.EqualsTextNoCase(full)) {
        SetResult(0);
        return kSaveFailed;
    }
    int32_t result = SaveTo(full, 0);
    SetResult(result == kSaveDone);
    return result;
}
