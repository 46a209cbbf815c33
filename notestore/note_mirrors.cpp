// Mark-up mirror files: reading them as data-file records, the mirror-note
// list, the mirror-text table and the scan of the notes folder.
#include "notestore/note_store_internal.h"
#include "notestore/note_io.h"
#include "notestore/side_file_text.h"
#include "foundation/ai_string_table.h"
#include "foundation/result_flag.h"
#include "foundation/trace.h"
#include <string.h>
#include <algorithm>
#include <vector>

namespace {

// A note's text is at most 50,000 characters; a mirror far beyond that is
// not a note of this program.
const int32_t kMaxMirrorChars = 1000000;
uint32_t s_mirrorStamp = 0;

// A record's first key: non-zero while the record is in use.
uint32_t TitleKey(const WCHAR* title, int32_t length)
{
    uint32_t h = FoldedTitleHash(title, length);
    return h ? h : 1;
}

// What each mirror-text record was read from, kept beside the record (same
// position): a mirror whose last write and size are unchanged since is not
// read again. A write that came less than kRacyWindow before the read may
// share its time with a later one of the same size, so such a read is never
// trusted.
struct MirrorReadStamp {
    uint64_t lastWrite;
    uint64_t size;
    uint64_t readAt;
};
MirrorReadStamp s_readStamps[kMirrorTextRecords];
const uint64_t kRacyWindow = 2 * 10000000ull;  // 2 s in FILETIME units

uint64_t FromFileTime(const FILETIME& time) { return ((uint64_t)time.dwHighDateTime << 32) | time.dwLowDateTime; }

uint64_t Now()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return FromFileTime(now);
}

// The title a record was made for: after its note mark, up to the line end.
int32_t RecordTitleLength(const WCHAR* text)
{
    int32_t n = 0;
    while (text[1 + n] && text[1 + n] != L'\r') n++;
    return n;
}

// The records of the last reload, looked up by title.
struct PreviousRecords {
    std::vector<int32_t> slots;  // record positions with a text, by title hash
    std::vector<uint32_t> hashes;
};

uint32_t RecordHash(const WCHAR* text) { return FoldedTitleHash(text + 1, RecordTitleLength(text)); }

void IndexPreviousRecords(PreviousRecords& previous)
{
    const MirrorTextRecord* records = g_noteStore.mirrorTexts;
    for (int32_t i = 0; i < kMirrorTextRecords; i++)
        if (records[i].text) previous.slots.push_back(i);
    previous.hashes.resize(kMirrorTextRecords);
    for (int32_t slot : previous.slots) previous.hashes[(size_t)slot] = RecordHash(records[slot].text);
    std::sort(previous.slots.begin(), previous.slots.end(), [&](int32_t a, int32_t b) {
        return previous.hashes[(size_t)a] < previous.hashes[(size_t)b];
    });
}

// The previous record of title, still unread from its file and unchanged
// there since; -1 when it must be read.
int32_t UnchangedPreviousRecord(const PreviousRecords& previous, const AIString& title, const WCHAR* path,
                                MirrorReadStamp& stamp)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return -1;
    stamp.lastWrite = FromFileTime(data.ftLastWriteTime);
    stamp.size = ((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    const uint32_t hash = FoldedTitleHash(title.GetText(), title.GetLength());
    auto at = std::lower_bound(previous.slots.begin(), previous.slots.end(), hash,
                               [&](int32_t slot, uint32_t h) { return previous.hashes[(size_t)slot] < h; });
    for (; at != previous.slots.end() && previous.hashes[(size_t)*at] == hash; ++at) {
        const MirrorTextRecord& record = g_noteStore.mirrorTexts[*at];
        const MirrorReadStamp& old = s_readStamps[*at];
        if (!record.text || RecordTitleLength(record.text) != title.GetLength() ||
            memcmp(record.text + 1, title.GetText(), (size_t)title.GetLength() * sizeof(WCHAR)))
            continue;
        if (old.lastWrite != stamp.lastWrite || old.size != stamp.size || old.readAt < old.lastWrite + kRacyWindow)
            return -1;
        return *at;
    }
    return -1;
}

}  // namespace

void ComposeNoteRecord(const WCHAR* title, const AIString& cleanBody, const AIStringTable* links, AIString& out)
{
    out.Clear();
    out.AppendChar(kNoteMark).AppendText(title).AppendText(L"\r\n").AppendString(cleanBody);
    AppendLinkBlockStart(out);
    for (int i = 0; links && i < links->GetCount(); i++) {
        int length = 0, keyLength = 0;
        const WCHAR* item = links->ItemAtSorted(i, &length, &keyLength);
        if (!item) continue;
        int valueStart = keyLength < length ? keyLength + 1 : length;
        AppendLinkLine(out, item, keyLength, item + valueStart, length - valueStart);
    }
    AppendLinkBlockEnd(out);
}

int32_t ReadMirrorRecord(const WCHAR* title, AIString& record)
{
    record.Clear();
    AIString path, text;
    MirrorPathOf(title, path);
    if (!ReadNoteTextFile(path.GetText(), kMaxMirrorChars, text)) return 0;
    MirrorRecordFromText(title, text.GetText(), text.GetLength(), record);
    return 1;
}

void AddMirrorNote(const WCHAR* title)
{
    if (g_noteStore.mirrorNotes->FindItemString(title, 1) < 0) g_noteStore.mirrorNotes->AddString(title);
}

void RemoveMirrorNote(const WCHAR* title)
{
    int at = g_noteStore.mirrorNotes->FindItemString(title, 1);
    if (at >= 0) g_noteStore.mirrorNotes->RemoveItem(at);
}

void ClearMirrorTexts()
{
    for (int i = 0; i < kMirrorTextRecords; i++) {
        MirrorTextRecord& r = g_noteStore.mirrorTexts[i];
        if (r.text) LocalFree(r.text);
        r.text = 0;
        r.key1 = r.key2 = 0;
        r.age = -1;
    }
}

int32_t ReloadNotesFromMirrors()
{
    TRACE_SCOPE(kNoteStoreModule, 20);
    NoteStore& s = g_noteStore;
    // A walker may be reading these texts.
    if (s.walkCount > 0) return 0;
    // The previous texts are taken over where their files did not change.
    PreviousRecords previous;
    IndexPreviousRecords(previous);
    std::vector<WCHAR*> oldTexts((size_t)kMirrorTextRecords);
    std::vector<MirrorReadStamp> oldStamps(s_readStamps, s_readStamps + kMirrorTextRecords);
    for (int32_t i = 0; i < kMirrorTextRecords; i++) oldTexts[(size_t)i] = s.mirrorTexts[i].text;

    int32_t filled = 0;
    AIString title, record, path;
    std::vector<WCHAR*> texts;
    std::vector<MirrorReadStamp> stamps;
    for (int i = 0; i < s.mirrorNotes->GetCount() && filled < kMirrorTextRecords; i++) {
        s.mirrorNotes->GetItemTextMode(i, title, 1);
        MirrorPathOf(title.GetText(), path);
        MirrorReadStamp stamp = {};
        const uint64_t readAt = Now();
        WCHAR* text = 0;
        int32_t kept = UnchangedPreviousRecord(previous, title, path.GetText(), stamp);
        if (kept >= 0 && oldTexts[(size_t)kept]) {
            text = oldTexts[(size_t)kept];
            oldTexts[(size_t)kept] = 0;
            stamp.readAt = oldStamps[(size_t)kept].readAt;
        } else {
            if (!ReadMirrorRecord(title.GetText(), record)) continue;
            SIZE_T bytes = ((SIZE_T)record.GetLength() + 1) * sizeof(WCHAR);
            text = (WCHAR*)LocalAlloc(LMEM_FIXED, bytes);
            if (!text) break;
            CopyMemory(text, record.GetText(), bytes);
            stamp.readAt = readAt;
        }
        texts.push_back(text);
        stamps.push_back(stamp);
        filled++;
    }
    for (WCHAR* text : oldTexts)
        if (text) LocalFree(text);
    for (int32_t i = 0; i < kMirrorTextRecords; i++) {
        MirrorTextRecord& r = s.mirrorTexts[i];
        r.text = 0;
        r.key1 = r.key2 = 0;
        r.age = -1;
    }
    for (int32_t i = 0; i < filled; i++) {
        MirrorTextRecord& r = s.mirrorTexts[i];
        r.text = texts[(size_t)i];
        r.key1 = TitleKey(r.text + 1, RecordTitleLength(r.text));
        if (++s_mirrorStamp == 0) s_mirrorStamp = 1;
        r.key2 = s_mirrorStamp;
        r.age = 0;
        s_readStamps[i] = stamps[(size_t)i];
    }
    return filled;
}

int32_t ScanNotesFolderForNewAndDeleted()
{
    TRACE_SCOPE(kNoteStoreModule, 21);
    NoteStore& s = g_noteStore;
    if (!s.loaded) return 0;
    int32_t changes = 0;
    AIString pattern(s.notesFolder), title, number;
    pattern.AppendText(L"*.tavik.rtm");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.GetText(), &found);
    const int kSuffix = 10;  // ".tavik.rtm"
    while (search != INVALID_HANDLE_VALUE) {
        AIString name(found.cFileName);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.GetLength() > kSuffix &&
            name.EndsWithNoCase(L".tavik.rtm")) {
            TitleFromSideFileBase(name.GetText(), name.GetLength() - kSuffix, title);
            if (IsValidStoredTitle(title.GetText(), title.GetLength())) {
                int32_t at = IndexPositionOf(title.GetText());
                if (at < 0) {
                    number.AssignInt(kIndexSideFileOnly);
                    if (s.noteIndex->AddItemString(title.GetText(), number.GetText(), 1) >= 0) {
                        AddMirrorNote(title.GetText());
                        changes++;
                    }
                } else {
                    int32_t value = IndexValueAt(at);
                    s.noteIndex->GetKeyAt(at, title);
                    if (value > 0) {
                        SetIndexValue(at, -value);
                        changes++;
                    }
                    AddMirrorNote(title.GetText());
                }
            }
        }
        if (!FindNextFileW(search, &found)) {
            FindClose(search);
            search = INVALID_HANDLE_VALUE;
        }
    }
    // Mirrors that have gone: a side-file-only note goes with its file; a note
    // of the data file falls back to its text there.
    AIString path;
    for (int i = s.mirrorNotes->GetCount() - 1; i >= 0; i--) {
        s.mirrorNotes->GetItemTextMode(i, title, 1);
        MirrorPathOf(title.GetText(), path);
        if (GetFileAttributesW(path.GetText()) != INVALID_FILE_ATTRIBUTES) continue;
        int32_t at = IndexPositionOf(title.GetText());
        int32_t value = IndexValueAt(at);
        if (at >= 0 && value == kIndexSideFileOnly) s.noteIndex->RemoveAtSorted(at);
        else if (at >= 0 && value < 0 && value > kIndexDeletedLimit) SetIndexValue(at, -value);
        s.mirrorNotes->RemoveItem(i);
        changes++;
    }
    RefindCurrentNote();
    return changes;
}
