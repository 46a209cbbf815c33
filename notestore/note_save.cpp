// Saving the data file: the notes in title order, from the buffer or their
// mirrors, checked, written to a flushed temporary copy that then replaces
// the file; the previous version stays as the backup. A failure at any step
// leaves the old file whole, keeps the mirrors and says so. Unchanged
// records are written straight from the buffer, which then becomes the
// saved text where it lies.
#include "notestore/note_store_internal.h"
#include "notestore/note_io.h"
#include "notestore/text_stretches.h"
#include "foundation/ai_string_table.h"
#include "foundation/errors.h"
#include "foundation/result_flag.h"
#include "foundation/trace.h"

namespace {

// Each note's record as the new file holds it, and the copies of mirror
// records it points into.
struct Sources {
    WCHAR** owned;       // per note: LocalAlloc copy of its mirror record, or null
    JoinedRecord* records;
    int32_t count;

    Sources() : owned(0), records(0), count(0) {}
    ~Sources()
    {
        if (records) LocalFree(records);
        if (!owned) return;
        for (int32_t i = 0; i < count; i++)
            if (owned[i]) LocalFree(owned[i]);
        LocalFree(owned);
    }
    int32_t Allocate(int32_t notes)
    {
        count = notes;
        SIZE_T n = (SIZE_T)(notes ? notes : 1);
        owned = (WCHAR**)LocalAlloc(LPTR, n * sizeof(WCHAR*));
        records = (JoinedRecord*)LocalAlloc(LPTR, n * sizeof(JoinedRecord));
        return owned && records;
    }
};

// The new file: the loaded text's preamble, each note's record, the closing
// block, as stretches; put together in a block of its own only when the
// loaded block cannot take it (or a record needs the full check).
struct PlannedFile {
    Sources sources;
    const WCHAR* closing;
    TextStretch* stretches;
    int32_t stretchCount;
    int32_t chars;
    NoteSpanArray spans;
    uint8_t* block;      // [FF FE][text][0 0][guard][room], or null: written from the stretches
    int32_t blockCapacity;
    uint64_t hash;       // HashDatafileBytes of the file's bytes, once known
    int32_t badMirrors;  // mirrors that could not be read (kept on disk)
    AIString firstBadMirror;
    AIStringList taken;  // titles whose mirrors went into the file

    PlannedFile() : closing(L""), stretches(0), stretchCount(0), chars(0), block(0), blockCapacity(0), hash(0),
                    badMirrors(0)
    {
        spans.items = 0;
        spans.count = spans.capacity = 0;
    }
    ~PlannedFile()
    {
        if (stretches) LocalFree(stretches);
        if (block) LocalFree(block);
        FreeNoteSpans(spans);
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
int32_t TakeMirror(const WCHAR* title, WCHAR*& owned, JoinedRecord& joined)
{
    AIString record;
    if (!ReadMirrorRecord(title, record)) return 0;
    SIZE_T bytes = (SIZE_T)record.GetLength() * sizeof(WCHAR);
    owned = (WCHAR*)LocalAlloc(LMEM_FIXED, bytes ? bytes : 2);
    if (!owned) return 0;
    CopyMemory(owned, record.GetText(), bytes);
    joined.text = owned;
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

// Each note's record: from the loaded text, or from its mirror.
NoteIoError CollectRecords(PlannedFile& out)
{
    NoteStore& s = g_noteStore;
    int32_t count = GetNoteCount();
    Sources& sources = out.sources;
    if (!sources.Allocate(count)) return kIoNoMemory;
    const NoteSpanArray& spans = g_storeBuffer.spans;
    int32_t nextSpan = 0;
    AIString title;
    for (int32_t i = 0; i < count; i++) {
        WCHAR*& owned = sources.owned[i];
        JoinedRecord& record = sources.records[i];
        int32_t value = IndexValueAt(i);
        if (value == kIndexSideFileOnly || (value < 0 && value > kIndexDeletedLimit)) {
            s.noteIndex->GetKeyAt(i, title);
            if (TakeMirror(title.GetText(), owned, record)) {
                out.taken.AddString(title.GetText());
            } else {
                if (out.badMirrors++ == 0) MirrorPathOf(title.GetText(), out.firstBadMirror);
                value = value == kIndexSideFileOnly ? kIndexNoValue : -value;
            }
        }
        if (owned || value < 0 || value >= s.bufferChars) continue;
        // The index and the loaded text are both in title order: the record
        // is usually the next span.
        while (nextSpan < spans.count && spans.items[nextSpan].mark < value) nextSpan++;
        int32_t rank = nextSpan < spans.count && spans.items[nextSpan].mark == value ? nextSpan : LoadedSpanAt(value);
        if (rank >= 0) {
            // The loaded text's records were checked when it was read.
            record.text = s.buffer + value;
            record.len = (rank + 1 < spans.count ? spans.items[rank + 1].mark : s.bufferChars) - value;
            record.rank = rank;
            record.titleLen = spans.items[rank].titleLen;
        } else if (s.buffer[value] == kNoteMark) {
            record.text = s.buffer + value;
            record.len = RecordEndAt(value) - value;
            record.rank = -1;
            record.titleLen = -1;
        }
    }
    for (int32_t i = count - 1; i >= 0; i--) {
        if (!sources.records[i].len) continue;
        out.closing = ClosingForLastRecord(sources.records[i].text, sources.records[i].len);
        break;
    }
    out.stretches = (TextStretch*)LocalAlloc(LMEM_FIXED, (SIZE_T)(count + 2) * sizeof(TextStretch));
    if (!out.stretches) return kIoNoMemory;
    AppendStretch(out.stretches, out.stretchCount, s.buffer, g_storeBuffer.preambleChars);
    for (int32_t i = 0; i < count; i++)
        AppendStretch(out.stretches, out.stretchCount, sources.records[i].text, sources.records[i].len);
    AppendStretch(out.stretches, out.stretchCount, out.closing, TextLength(out.closing));
    int64_t total = StretchesLength(out.stretches, out.stretchCount);
    if (total > (kMaxDatafileBytes - 2) / 2) return kIoTooLarge;
    out.chars = (int32_t)total;
    return kIoOk;
}

// Puts the text together in a block of its own, with room to grow, hashing
// each record while it is still in the cache.
NoteIoError ComposeBlock(PlannedFile& out)
{
    int64_t fileBytes = 2 + (int64_t)out.chars * 2;
    out.block = (uint8_t*)LocalAlloc(LMEM_FIXED, (SIZE_T)StoreBlockBytes(fileBytes));
    if (!out.block) return kIoNoMemory;
    out.blockCapacity = StoreTextCapacity(fileBytes);
    out.block[0] = 0xFF;
    out.block[1] = 0xFE;
    WCHAR* text = (WCHAR*)(out.block + 2);
    StreamingDatafileHash hash;
    StartStreamingHash(hash, fileBytes);
    AddToStreamingHash(hash, out.block, 2);
    int32_t at = 0;
    for (int32_t i = 0; i < out.stretchCount; i++) {
        CopyMemory(text + at, out.stretches[i].text, (SIZE_T)out.stretches[i].len * sizeof(WCHAR));
        AddToStreamingHash(hash, (const uint8_t*)(text + at), (int64_t)out.stretches[i].len * 2);
        at += out.stretches[i].len;
    }
    text[at] = 0;
    out.hash = FinishStreamingHash(hash);
    return kIoOk;
}

// Plans the new file and checks it. Never write a file that would not open
// again: only what did not come from the checked text needs a look; when
// that finds anything, the text is put together and parsed whole as a load
// would. A main save that would outgrow the loaded block puts it together too.
NoteIoError PlanFile(PlannedFile& out, int32_t isMain)
{
    NoteIoError collected = CollectRecords(out);
    if (collected != kIoOk) return collected;
    const Sources& sources = out.sources;
    int32_t checked = ParseJoinedRecords(g_noteStore.buffer, g_storeBuffer.preambleChars, sources.records,
                                         sources.count, out.closing, TextLength(out.closing), out.spans);
    if (checked && (!isMain || out.chars <= g_storeBuffer.capacityChars)) return kIoOk;
    NoteIoError composed = ComposeBlock(out);
    if (composed != kIoOk || checked) return composed;
    DatafileProblem problem;
    return ParseDatafileText((const WCHAR*)(out.block + 2), out.chars, out.spans, problem) ? kIoOk : kIoCompose;
}

// Writes the planned file to the temporary path, flushed.
NoteIoError WritePlannedFile(const WCHAR* temporary, PlannedFile& file)
{
    if (file.block) return WriteFlushedCopy(temporary, file.block, 2 + (int64_t)file.chars * 2);
    static const uint8_t kByteOrderMark[2] = {0xFF, 0xFE};
    FilePiece* pieces = (FilePiece*)LocalAlloc(LMEM_FIXED, (SIZE_T)(file.stretchCount + 1) * sizeof(FilePiece));
    if (!pieces) return kIoNoMemory;
    pieces[0].bytes = kByteOrderMark;
    pieces[0].size = 2;
    for (int32_t i = 0; i < file.stretchCount; i++) {
        pieces[i + 1].bytes = (const uint8_t*)file.stretches[i].text;
        pieces[i + 1].size = (int64_t)file.stretches[i].len * 2;
    }
    NoteIoError result = WriteFlushedPieces(temporary, pieces, file.stretchCount + 1, &file.hash);
    LocalFree(pieces);
    return result;
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

// The previous version becomes the backup: a hard link costs nothing; where
// links are not possible, a copy. It is made under a name of its own and
// then moved over the old backup, so that a backup stands at every moment.
NoteIoError KeepBackup(const WCHAR* target, const WCHAR* backup)
{
    if (GetFileAttributesW(target) == INVALID_FILE_ATTRIBUTES) return kIoOk;
    AIString fresh(backup);
    fresh.AppendText(L".tmp");
    // What a save cut short may have left.
    SetFileAttributesW(fresh.GetText(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(fresh.GetText());
    int32_t made = (!g_noteIoFaults.refuseHardLinks && CreateHardLinkW(fresh.GetText(), target, 0)) ||
                   CopyFileW(target, fresh.GetText(), FALSE);
    if (!made) return kIoBackup;
    PassSaveStep(kSaveStepBackupMade);
    SetFileAttributesW(backup, FILE_ATTRIBUTE_NORMAL);
    int32_t moved = MoveFileExW(fresh.GetText(), backup, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    // Two names of one file: the move leaves both.
    DeleteFileW(fresh.GetText());
    if (!moved) return kIoBackup;
    PassSaveStep(kSaveStepBackupKept);
    return kIoOk;
}

// 1 when the data file is no longer the one the check found: another size
// or time, or another file moved in (its index is not that of the file the
// store held). Asked after the store let go of the file, just before the
// new one replaces it. A file gone holds nothing to lose.
int32_t ChangedSinceCheck(const DatafileChangeCheck& check, int32_t heldIndexKnown, uint64_t heldIndex)
{
    // Nothing was known of the file: nothing to compare.
    if (check.path.IsEmpty()) return 0;
    HANDLE file = CreateFileW(check.path.GetText(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return 1;
        return 0;
    }
    BY_HANDLE_FILE_INFORMATION info;
    BOOL read = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!read || !check.found || !check.disk.known) return 1;
    int64_t size = ((int64_t)info.nFileSizeHigh << 32) | info.nFileSizeLow;
    uint64_t index = ((uint64_t)info.nFileIndexHigh << 32) | info.nFileIndexLow;
    return size != check.disk.size || FileTimeValue(info.ftLastWriteTime) != check.disk.writeTime ||
           (heldIndexKnown && index != heldIndex);
}

// The file index of the data file as the store holds it. 1 when known.
int32_t HeldFileIndex(uint64_t& index)
{
    BY_HANDLE_FILE_INFORMATION info;
    HANDLE held = g_noteStore.fileHandle;
    if (held == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(held, &info)) return 0;
    index = ((uint64_t)info.nFileIndexHigh << 32) | info.nFileIndexLow;
    return 1;
}

// After a main save the file holds every mirror that was read: those go.
// A mirror that could not be read stays, and the scan takes it up again.
// The store's text becomes the saved one: the block put together, or the
// loaded text turned into it where it lies.
void AdoptSavedFile(PlannedFile& file)
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
    // The plan was made to fit the block's room; should the text not turn
    // into the saved one where it lies (it is then left as it was), it is
    // put together anew, and short of memory for that the saved file is
    // read back: the store never keeps a text other than the file's.
    if (!file.block && JoinStretchesInPlace(s.buffer, s.bufferChars, g_storeBuffer.capacityChars, file.stretches,
                                            file.stretchCount) >= 0) {
        InstallRewrittenText(file.chars, file.spans);
    } else if (file.block || ComposeBlock(file) == kIoOk) {
        InstallStoreBuffer(file.block, file.chars, file.blockCapacity, file.spans);
        file.block = 0;
    } else {
        AIString path(s.datafilePath);
        LoadDatafile(path.GetText());
        return;
    }
    RebuildIndexFromBuffer();
    ScanNotesFolderForNewAndDeleted();
    RefindCurrentNote();
}

// Before a main save is written: where the disk has no room for the new
// file beside the old one and its backup, the backup becomes the file as it
// now stands (a link: no room taken), which lets the version before it go.
// The save comes first.
void MakeRoomForSave(const WCHAR* target, const WCHAR* backup, int64_t fileBytes)
{
    int64_t free = FreeBytesIn(g_noteStore.dataFolder.GetText());
    if (free < 0 || free >= fileBytes + kSaveRoomMargin) return;
    SayLowDiskSpaceOnce(g_noteStore.dataFolder.GetText());
    KeepBackup(target, backup);
}

int32_t SaveTo(const WCHAR* target, SaveKind kind, NoteIoError* failure)
{
    int32_t isMain = kind == kSaveMain;
    if (failure) *failure = kIoOk;
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
    // A file another program changed is never written over. The check reads
    // the file on disk while the new one is put together and written; every
    // way out hears its answer first.
    DatafileChangeCheck check;
    if (isMain) StartDatafileChangeCheck(check, kCheckBeside);
    auto changedOnDisk = [&]() { return isMain && FinishDatafileChangeCheck(check); };
    if (!CheckDatafileGuard()) {
        if (changedOnDisk()) return kSaveChangedOnDisk;
        ReportError(0, L"Save failed",
                    L"The notes in memory are damaged, so the data file was not saved.\r\n"
                    L"The previous version is unchanged.");
        return kSaveFailed;
    }
    AIString temporary(target), backup(target);
    temporary.AppendText(L".tmp");
    backup.AppendText(L".bak");
    for (;;) {
        PlannedFile file;
        NoteIoError planned = PlanFile(file, isMain);
        if (planned != kIoOk) {
            if (changedOnDisk()) return kSaveChangedOnDisk;
            if (failure) *failure = planned;
            if (kind == kSaveBackupCopy) return kSaveFailed;
            if (AskAfterFailure(target, StepName(planned))) continue;
            return kSaveFailed;
        }
        if (isMain) MakeRoomForSave(target, backup.GetText(), 2 + (int64_t)file.chars * 2);
        NoteIoError result = WritePlannedFile(temporary.GetText(), file);
        if (isMain && result == kIoOk) PassSaveStep(kSaveStepWritten);
        if (changedOnDisk()) {
            if (result == kIoOk) DeleteFileW(temporary.GetText());
            return kSaveChangedOnDisk;
        }
        if (result == kIoOk && isMain) {
            PassSaveStep(kSaveStepChecked);
            result = KeepBackup(target, backup.GetText());
            uint64_t heldIndex = 0;
            int32_t heldIndexKnown = HeldFileIndex(heldIndex);
            CloseDatafileHandle();
            PassSaveStep(kSaveStepReleased);
            // The handle kept other programs of this system from writing the
            // file or moving another over it until now; one from elsewhere
            // may still have changed it: looked at once more.
            if (result == kIoOk && ChangedSinceCheck(check, heldIndexKnown, heldIndex)) {
                DeleteFileW(temporary.GetText());
                OpenDatafileHandle();
                return kSaveChangedOnDisk;
            }
            if (result == kIoOk) result = ReplaceFileWith(temporary.GetText(), target);
            if (result == kIoOk) PassSaveStep(kSaveStepReplaced);
        } else if (result == kIoOk) {
            result = ReplaceFileWith(temporary.GetText(), target);
        }
        if (result == kIoOk) {
            if (isMain) {
                uint64_t hash = file.hash;
                AdoptSavedFile(file);
                OpenDatafileHandle();
                RecordDatafileIdentity(hash);
                KeepWeekdayBackup(backup.GetText());
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
        if (isMain && s.fileHandle == INVALID_HANDLE_VALUE) OpenDatafileHandle();
        if (failure) *failure = result;
        // A backup's failure is the backup's to tell.
        if (kind == kSaveBackupCopy) return kSaveFailed;
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
    int32_t result = SaveTo(target.GetText(), kSaveMain, 0);
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
    int32_t result = SaveTo(full, kSaveCopy, 0);
    SetResult(result == kSaveDone);
    return result;
}

int32_t SaveBackupCopy(const WCHAR* path, NoteIoError& failure)
{
    failure = kIoOk;
    if (g_noteStore.datafilePath.EqualsTextNoCase(path)) return kSaveFailed;
    return SaveTo(path, kSaveBackupCopy, &failure);
}
