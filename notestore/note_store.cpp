// The store's state, its buffer, loading and the read side of notes.
#include "notestore/note_store_internal.h"
#include "notestore/note_io.h"
#include "notestore/datafile_read_ahead.h"
#include "foundation/ai_string_table.h"
#include "foundation/app.h"
#include "foundation/errors.h"
#include "foundation/result_flag.h"
#include "foundation/trace.h"

// The tables behind the store's pointers; defined before the store so that
// they are constructed first.
static AIStringTable s_noteIndex(0);
static AIStringTable s_hyperlinks(0);
static AIStringTable s_webCaptureImages(0);
static AIStringList s_recentlyViewed;
static AIStringList s_mirrorNotes;
static AIStringList s_tagNames;
static AIStringList s_tagNotes[kMaxTags];

StoreBuffer g_storeBuffer = {0, 0, {0, 0, 0}, 0};
const uint8_t kGuardBytes[3] = {0x7B, 0xDE, 0x6F};

NoteStore::NoteStore()
    : loaded(0), readOnly(0), unicode(1), fileHandle(INVALID_HANDLE_VALUE), buffer(0), bufferChars(0),
      generation(1), walkCount(0), savePending(0), noteIndex(&s_noteIndex), currentIndex(-1),
      hyperlinks(&s_hyperlinks), hiddenLinkChars(0), recentlyViewed(&s_recentlyViewed), tagNames(&s_tagNames),
      mirrorNotes(&s_mirrorNotes), mirrorAgeThreshold(0), webCaptureImages(&s_webCaptureImages), settings(0),
      messageHook(0), lastMessageId(0)
{
    for (int i = 0; i < kMaxTags; i++) tagNotes[i] = &s_tagNotes[i];
    for (int i = 0; i < kMirrorTextRecords; i++) {
        mirrorTexts[i].key1 = 0;
        mirrorTexts[i].key2 = 0;
        mirrorTexts[i].text = 0;
        mirrorTexts[i].age = -1;
    }
    sync.editMarkerHeld = 0;
    identity.known = 0;
}

NoteStore g_noteStore;

// ---- Messages ----

void SetNoteStoreMessageHook(NoteStoreMessageHook hook) { g_noteStore.messageHook = hook; }

void RaiseStoreMessage(int32_t id, const WCHAR* insert1, const WCHAR* insert2, const WCHAR* insert3)
{
    NoteStore& s = g_noteStore;
    s.lastMessageId = id;
    s.lastMessageInserts[0].AssignText(insert1);
    s.lastMessageInserts[1].AssignText(insert2);
    s.lastMessageInserts[2].AssignText(insert3);
    if (s.messageHook)
        s.messageHook(id, s.lastMessageInserts[0].GetText(), s.lastMessageInserts[1].GetText(),
                      s.lastMessageInserts[2].GetText());
}

// ---- The buffer ----

void FreeStoreBuffer()
{
    NoteStore& s = g_noteStore;
    if (g_storeBuffer.block) LocalFree(g_storeBuffer.block);
    g_storeBuffer.block = 0;
    g_storeBuffer.capacityChars = 0;
    FreeNoteSpans(g_storeBuffer.spans);
    g_storeBuffer.preambleChars = 0;
    s.buffer = 0;
    s.bufferChars = 0;
    s.generation++;
}

int64_t StoreBlockBytes(int64_t fileBytes) { return fileBytes + 2 + kStoreBlockTail + GrowthRoomBytes(fileBytes); }

int32_t StoreTextCapacity(int64_t fileBytes)
{
    int64_t chars = (StoreBlockBytes(fileBytes) - 2 - 2 - (int64_t)sizeof(kGuardBytes)) / 2;
    return chars < 0 ? 0 : chars > 0x7FFFFFFF ? 0x7FFFFFFF : (int32_t)chars;
}

namespace {

// Takes the spans and ends the text with its zero and the guard bytes.
void SetStoreText(int32_t chars, NoteSpanArray& spans)
{
    NoteStore& s = g_noteStore;
    FreeNoteSpans(g_storeBuffer.spans);
    g_storeBuffer.spans = spans;
    spans.items = 0;
    spans.count = spans.capacity = 0;
    s.bufferChars = chars;
    s.buffer[chars] = 0;
    CopyMemory((uint8_t*)(s.buffer + chars + 1), kGuardBytes, sizeof(kGuardBytes));
    g_storeBuffer.preambleChars = g_storeBuffer.spans.count ? g_storeBuffer.spans.items[0].mark : chars;
}

}  // namespace

void InstallStoreBuffer(uint8_t* block, int32_t chars, int32_t capacityChars, NoteSpanArray& spans)
{
    FreeStoreBuffer();
    g_storeBuffer.block = block;
    g_storeBuffer.capacityChars = capacityChars;
    g_noteStore.buffer = (WCHAR*)(block + 2);
    SetStoreText(chars, spans);
}

void InstallRewrittenText(int32_t chars, NoteSpanArray& spans)
{
    SetStoreText(chars, spans);
    g_noteStore.generation++;
}

int32_t CheckDatafileGuard()
{
    NoteStore& s = g_noteStore;
    if (!s.buffer) return 1;
    if (s.buffer[s.bufferChars] != 0) return 0;
    const uint8_t* guard = (const uint8_t*)(s.buffer + s.bufferChars + 1);
    return guard[0] == kGuardBytes[0] && guard[1] == kGuardBytes[1] && guard[2] == kGuardBytes[2];
}

int32_t RecordEndAt(int32_t mark)
{
    const NoteSpanArray& spans = g_storeBuffer.spans;
    int32_t low = 0, high = spans.count;
    while (low < high) {
        int32_t mid = (low + high) / 2;
        if (spans.items[mid].mark <= mark) low = mid + 1;
        else high = mid;
    }
    return low < spans.count ? spans.items[low].mark : g_noteStore.bufferChars;
}

WCHAR* GetDatafileBuffer() { return g_noteStore.buffer; }
int32_t GetDatafileBufferChars() { return g_noteStore.bufferChars; }

const NoteSpan* GetDatafileSpans(int32_t* count)
{
    // The spans belong to the installed block; a buffer from elsewhere has none.
    bool installed = g_storeBuffer.block && g_noteStore.buffer == (WCHAR*)(g_storeBuffer.block + 2);
    *count = installed ? g_storeBuffer.spans.count : 0;
    return installed ? g_storeBuffer.spans.items : nullptr;
}
uint32_t GetDatafileGeneration() { return g_noteStore.generation; }
void BeginDatafileWalk() { g_noteStore.walkCount++; }

void EndDatafileWalk()
{
    NoteStore& s = g_noteStore;
    if (s.walkCount > 0) s.walkCount--;
    if (s.walkCount == 0 && s.savePending) {
        s.savePending = 0;
        SaveDatafileIfOpen();
    }
}

int32_t IsDatafileReadOnly() { return g_noteStore.readOnly ? 1 : 0; }
int32_t IsDatafileLoaded() { return g_noteStore.loaded ? 1 : 0; }

// ---- The index ----

int32_t IndexValueAt(int32_t position)
{
    int length = 0, keyLength = 0;
    const WCHAR* item = g_noteStore.noteIndex->ItemAtSorted(position, &length, &keyLength);
    if (!item || keyLength >= length) return kIndexNoValue;
    int64_t value = 0;
    int i = keyLength + 1;
    bool negative = i < length && item[i] == L'-';
    if (negative) i++;
    if (i >= length) return kIndexNoValue;
    for (; i < length; i++) {
        if (item[i] < L'0' || item[i] > L'9' || value > 3000000000LL) return kIndexNoValue;
        value = value * 10 + (item[i] - L'0');
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return kIndexNoValue;
    return (int32_t)value;
}

int32_t SetIndexValue(int32_t position, int32_t value)
{
    AIString title, number;
    if (!g_noteStore.noteIndex->GetKeyAt(position, title)) return 0;
    number.AssignInt(value);
    return g_noteStore.noteIndex->SetKeyValueString(title.GetText(), number.GetText()) >= 0;
}

int32_t IndexPositionOf(const WCHAR* title) { return g_noteStore.noteIndex->IndexOfKeyString(title); }

JoinedNoteIndex::JoinedNoteIndex() : starts(0), count(0) {}

JoinedNoteIndex::~JoinedNoteIndex()
{
    if (starts) LocalFree(starts);
}

int32_t JoinedNoteIndex::Join(const WCHAR* buffer, const NoteSpanArray& spans, JoinMemory memory)
{
    count = spans.count;
    starts = (int32_t*)LocalAlloc(LMEM_FIXED, (SIZE_T)(count + 1) * sizeof(int32_t));
    return starts && JoinNoteIndex(buffer, spans, text, starts, memory);
}

// The parse checked that the titles come in title order, which is the
// index's order (titles hold no colon), so the index needs no sort and no
// check.
int32_t JoinedNoteIndex::AssignTo(AIStringTable& index)
{
    return index.AssignSplitInKeyOrder(text, starts, count) && index.GetCount() == count;
}

int32_t RebuildIndexFromBuffer()
{
    TRACE_SCOPE(kNoteStoreModule, 10);
    JoinedNoteIndex joined;
    return joined.Join(g_noteStore.buffer, g_storeBuffer.spans) && joined.AssignTo(*g_noteStore.noteIndex);
}

int32_t NotFound()
{
    SetResult(0);
    return -1;
}

void RefindCurrentNote()
{
    NoteStore& s = g_noteStore;
    if (s.currentIndex < 0) return;
    s.currentIndex = s.currentTitle.IsEmpty() ? -1 : IndexPositionOf(s.currentTitle.GetText());
}

int32_t GetNoteCount() { return g_noteStore.noteIndex->GetCount(); }
int32_t GetNoteIndexValue(int32_t noteIndex) { return IndexValueAt(noteIndex); }

int32_t GetNoteTitle(int32_t noteIndex, AIString& title) { return g_noteStore.noteIndex->GetKeyAt(noteIndex, title); }

// ---- Loading ----

namespace {

// Reads and validates (or takes what the start read ahead); raises the
// file's message and returns 0 when refused.
int32_t ReadAndValidate(const WCHAR* path, ParsedDatafile& out)
{
    out.block = 0;
    out.chars = 0;
    out.spans.items = 0;
    out.spans.count = out.spans.capacity = 0;
    out.index = 0;
    if (TakeDatafileReadAhead(path, out)) return 1;
    int64_t size = 0;
    NoteIoError io;
    for (;;) {
        io = ReadWholeFile(path, kMaxDatafileBytes, kStoreBlockTail, &out.block, &size, &out.hash,
                           kReadWithGrowthRoom);
        DWORD error = GetLastError();
        if (io != kIoOpen || (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION)) break;
        AIString message(L"The file is locked and probably open in a different application:\r\n");
        message.AppendText(path).AppendText(kRetryQuestion);
        if (ReportError((int)error, L"File locked", message.GetText()) != IDYES) return 0;
    }
    if (io == kIoTooLarge) {
        RaiseStoreMessage(kMsgDatafileTooLarge, path);
        return 0;
    }
    if (io != kIoOk) {
        RaiseStoreMessage(kMsgDatafileNotValid, path);
        return 0;
    }
    int32_t refused = CheckDatafileBytes(out.block, size);
    DatafileProblem problem;
    if (!refused) {
        out.chars = (int32_t)((size - 2) / 2);
        out.capacityChars = StoreTextCapacity(size);
        if (!ParseDatafileText((const WCHAR*)(out.block + 2), out.chars, out.spans, problem))
            refused = problem.messageId ? problem.messageId : kMsgDatafileNotValid;
    }
    if (!refused) return 1;

    if (refused == kMsgDatafileUnsorted) {
        const WCHAR* text = (const WCHAR*)(out.block + 2);
        AIString title, previous;
        title.AssignTextN(text + problem.titleStart, problem.titleLen);
        previous.AssignTextN(text + problem.previousStart, problem.previousLen);
        RaiseStoreMessage(refused, path, title.GetText(), previous.GetText());
    } else if (refused == kMsgMinimumOneNote) {
        RaiseStoreMessage(refused);
    } else {
        RaiseStoreMessage(refused, path);
    }
    LocalFree(out.block);
    out.block = 0;
    FreeNoteSpans(out.spans);
    return 0;
}

// Read-only when the file says so or cannot be opened for writing, or when
// its folder takes no new file: every save writes a new copy beside it.
int32_t ProbeReadOnly(const WCHAR* path)
{
    DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return 1;
    HANDLE probe = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    if (probe == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(probe);
    return CanCreateFilesIn(g_noteStore.dataFolder.GetText()) ? 0 : 1;
}

void ResetCurrentNote()
{
    NoteStore& s = g_noteStore;
    s.currentIndex = -1;
    s.currentTitle.Clear();
    s.currentText.Clear();
    s.hyperlinks->Clear();
    s.hiddenLinkChars = 0;
}

}  // namespace

void CloseDatafileHandle()
{
    NoteStore& s = g_noteStore;
    if (s.fileHandle != INVALID_HANDLE_VALUE) CloseHandle(s.fileHandle);
    s.fileHandle = INVALID_HANDLE_VALUE;
}

// Keeps the file open so that other programs can read it but not change it
// behind the store's back.
void OpenDatafileHandle()
{
    NoteStore& s = g_noteStore;
    CloseDatafileHandle();
    s.fileHandle = CreateFileW(s.datafilePath.GetText(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, 0,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
}

int32_t LoadDatafile(const WCHAR* path)
{
    TRACE_SCOPE(kNoteStoreModule, 1);
    NoteStore& s = g_noteStore;
    if (!path || !*path || s.walkCount > 0) return SetResult(0);

    WCHAR full[MAX_PATH];
    DWORD n = GetFullPathNameW(path, MAX_PATH, full, 0);
    if (n == 0 || n >= MAX_PATH) {
        RaiseStoreMessage(kMsgDatafileNotValid, path);
        return SetResult(0);
    }
    ParsedDatafile file;
    if (!ReadAndValidate(full, file)) return SetResult(0);
    // Everything that can fail for want of memory happens before the open
    // file is given up. The index may have been joined with the read ahead.
    JoinedNoteIndex joinedHere;
    JoinedNoteIndex& joined = file.index ? *file.index : joinedHere;
    if (!file.index && !joined.Join((const WCHAR*)(file.block + 2), file.spans)) {
        FreeParsedDatafile(file);
        RaiseStoreMessage(kMsgDatafileNotValid, full);
        return SetResult(0);
    }

    // The edit marker held on another data file's note goes with that file.
    if (s.loaded && !s.datafilePath.EqualsTextNoCase(full)) SyncReleaseEditMarker();
    CloseDatafileHandle();
    InstallStoreBuffer(file.block, file.chars, file.capacityChars, file.spans);
    s.datafilePath.AssignText(full);
    SetStoreFolders(full);
    int32_t assigned = joined.AssignTo(*s.noteIndex);
    delete file.index;
    if (!assigned) {
        FreeStoreBuffer();
        s.noteIndex->Clear();
        s.loaded = 0;
        RaiseStoreMessage(kMsgDatafileNotValid, full);
        return SetResult(0);
    }
    s.readOnly = ProbeReadOnly(full);
    s.unicode = 1;
    s.loaded = 1;
    s.savePending = 0;
    ResetCurrentNote();
    s.recentlyViewed->Clear();
    s.mirrorNotes->Clear();
    ClearMirrorTexts();
    AIString webCaptures(s.dataFolder);
    webCaptures.AppendText(L"images\\web_captures.cache");
    s.webCaptureImages->Clear();
    s.webCaptureImages->LoadFromFile(webCaptures.GetText());
    OpenDatafileHandle();
    RecordDatafileIdentity(file.hash);
    // Notes edited but not yet saved, and notes that exist only as side files.
    ScanNotesFolderForNewAndDeleted();
    RebuildTagsFromBuffer();
    CheckSyncFolders();
    SyncFolders(1);
    AddRecentDatafile(s.settings ? *s.settings : g_app.settings.Record(), full);
    return SetResult(1);
}

int32_t CloseDatafile()
{
    NoteStore& s = g_noteStore;
    if (s.walkCount > 0) return 0;
    DropDatafileReadAhead();
    SyncReleaseEditMarker();
    CloseDatafileHandle();
    FreeStoreBuffer();
    s.noteIndex->Clear();
    ResetCurrentNote();
    s.mirrorNotes->Clear();
    ClearMirrorTexts();
    ClearTags();
    s.loaded = 0;
    s.readOnly = 0;
    s.savePending = 0;
    s.identity.known = 0;
    s.datafilePath.Clear();
    s.dataFolder.Clear();
    s.notesFolder.Clear();
    return 1;
}

// ---- Finding and reading notes ----

int32_t FindNoteByTitle(const WCHAR* title, int32_t unused, int32_t prefix)
{
    (void)unused;
    AIString key;
    StoredTitleForm(title, key);
    if (key.IsEmpty()) return NotFound();
    AIStringTable* index = g_noteStore.noteIndex;
    if (!prefix) {
        int32_t at = index->IndexOfKeyString(key.GetText());
        if (at < 0) return NotFound();
        SetResult(1);
        return at;
    }
    // Titles sharing a prefix stand together in title order: the first title
    // not below the prefix is the only candidate.
    int32_t low = 0, high = index->GetCount();
    while (low < high) {
        int32_t mid = (low + high) / 2;
        int length = 0, keyLength = 0;
        const WCHAR* item = index->ItemAtSorted(mid, &length, &keyLength);
        if (CompareTitles(item, keyLength, key.GetText(), key.GetLength()) < 0) low = mid + 1;
        else high = mid;
    }
    if (low < index->GetCount()) {
        int length = 0, keyLength = 0;
        const WCHAR* item = index->ItemAtSorted(low, &length, &keyLength);
        if (keyLength >= key.GetLength() && CompareTitles(item, key.GetLength(), key.GetText(), key.GetLength()) == 0) {
            SetResult(1);
            return low;
        }
    }
    return NotFound();
}

int32_t ReadNoteRecord(int32_t position, AIString& record)
{
    NoteStore& s = g_noteStore;
    record.Clear();
    int32_t value = IndexValueAt(position);
    AIString title;
    if (!s.noteIndex->GetKeyAt(position, title)) return 0;
    if (value == kIndexSideFileOnly || (value < 0 && value > kIndexDeletedLimit)) {
        if (ReadMirrorRecord(title.GetText(), record)) return 1;
        if (value == kIndexSideFileOnly) return 0;
        value = -value;  // the mirror is gone: the data file still holds the note
    }
    if (value < 0 || value >= s.bufferChars || !s.buffer || s.buffer[value] != kNoteMark) return 0;
    int32_t end = RecordEndAt(value);
    record.AssignTextN(s.buffer + value, end - value);
    return record.GetLength() == end - value;
}

int32_t LoadNoteText(int32_t noteIndex, int32_t flags)
{
    TRACE_SCOPE(kNoteStoreModule, 2);
    (void)flags;
    return ReadNoteText(noteIndex, g_noteStore.currentText);
}

int32_t ReadNoteText(int32_t noteIndex, AIString& out)
{
    AIString record;
    if (!ReadNoteRecord(noteIndex, record)) {
        out.Clear();
        return SetResult(0);
    }
    int32_t body = FindBodyStart(record.GetText(), record.GetLength());
    out.AssignTextN(record.GetText() + body, record.GetLength() - body);
    return SetResult(1);
}

int32_t OpenCurrentNote(int32_t noteIndex)
{
    TRACE_SCOPE(kNoteStoreModule, 3);
    NoteStore& s = g_noteStore;
    if (!LoadNoteText(noteIndex, 0)) return 0;
    // An edit marker belongs to the note being edited: another note shown ends it.
    AIString opened;
    s.noteIndex->GetKeyAt(noteIndex, opened);
    if (!s.currentTitle.EqualsTextNoCase(opened.GetText())) SyncReleaseEditMarker();
    s.currentIndex = noteIndex;
    s.currentTitle.Copy(opened);
    const WCHAR* text = s.currentText.GetText();
    int32_t length = s.currentText.GetLength();
    int32_t block = FindLinkBlock(text, length);
    s.hyperlinks->Clear();
    LinkLineCursor cursor;
    StartLinkLines(cursor, text + block, length - block);
    const WCHAR* label;
    const WCHAR* target;
    int32_t labelLen, targetLen;
    AIString key, value;
    while (block < length && NextLinkLine(cursor, &label, &labelLen, &target, &targetLen)) {
        key.AssignTextN(label, labelLen);
        value.AssignTextN(target, targetLen);
        s.hyperlinks->AddItemString(key.GetText(), value.GetText(), 0);
    }
    s.hyperlinks->SortIndex();
    s.hiddenLinkChars = length - block;
    s.currentText.SetLength(block);
    return SetResult(1);
}

