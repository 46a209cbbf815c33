// One pass with the sync and the share folder: every note compared in three
// versions (the base this data file and the folder last agreed on, the note
// here, the copy there) and brought in step by the rule of sync_decide.h.
// No text is dropped: a text that is replaced or deleted on either side is
// first kept in the folder's "revisions".
#include "notestore/sync/sync_internal.h"
#include "foundation/newer_windows.h"
#include "notestore/sync/sync_decide.h"
#include "notestore/sync/edit_markers.h"
#include "notestore/sync/copy_text.h"
#include "notestore/note_io.h"
#include "notestore/note_merge.h"
#include "notestore/change_log.h"
#include "foundation/ai_string_table.h"
#include "foundation/result_flag.h"
#include "foundation/trace.h"

namespace {

const WCHAR kShareTag[] = L"shared";   // a note carrying "@shared" goes to the share folder
const int32_t kMaxCopyBytes = kMaxNoteChars * 4 * 4;   // a note's UTF-8 with room for hand edits

// A pass over one folder.
struct FolderPass {
    SyncFolderKind kind;
    AIString folder;
    SyncTable list;           // the folder's file list, changed as the pass goes
    SyncTable base;           // this data file's base for the folder
    SyncTable copies;         // the copies in the folder: last-write time, size
    int32_t listChanged;
    int32_t baseChanged;
    int32_t failed;           // a write into the folder failed: the pass stops
    AIStringList pulled;      // titles whose text came here (their base is set after the scan)
    AIStringList pulledThere; // the copy hash of each, as hex
    AIStringList toDelete;    // titles deleted there, deleted here after the walk
    AIStringList madeTitles;  // conflict notes written in this pass
    AIString log;             // the lines for the folder's log
    uint64_t owner;
};

// The copy of a note in the folder.
struct ThereCopy {
    int32_t exists;
    uint64_t writeTime;
    int32_t bytesRead;        // its bytes were read (and hashed)
    int32_t read;             // its bytes were read and decoded into text
    uint64_t hash;            // of its bytes
    int64_t bytes;
    AIString text;
};

void StatePathOf(SyncFolderKind kind, AIString& out)
{
    out.Copy(g_noteStore.notesFolder).AppendText(kind == kSyncFolder ? L"sync.state" : L"share.state");
}

enum { kCopyTimeField = 0, kCopySizeField = 1, kCopyFields = 2 };

// The copies in the folder, looked at once: a look at a name the folder does
// not hold costs a look at all of them where names are compared ignoring case.
int32_t ListCopies(const AIString& folder, SyncTable& copies)
{
    copies.Clear();
    AIString pattern(folder), title, time, size;
    pattern.AppendText(kCopiesFolder).AppendText(L"*.txt");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.GetText(), &found);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    const int32_t kExtension = 4;   // ".txt"
    do {
        int32_t len = TextLength(found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || len <= kExtension) continue;
        TitleFromSideFileBase(found.cFileName, len - kExtension, title);
        if (!IsValidStoredTitle(title.GetText(), title.GetLength())) continue;
        time.Clear();
        AppendHex64(time, FileTimeValue(found.ftLastWriteTime));
        size.Clear();
        size.AppendLong(((int64_t)found.nFileSizeHigh << 32) | found.nFileSizeLow);
        const WCHAR* fields[kCopyFields] = {time.GetText(), size.GetText()};
        copies.Append(title.GetText(), fields, kCopyFields);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return copies.Sort();
}

int64_t DecimalField(const SyncTable& table, int32_t line, int32_t field)
{
    const WCHAR* text;
    int32_t len;
    int64_t value = 0;
    if (!table.Field(line, field, &text, &len) || len == 0 || len > 18) return -1;
    for (int32_t i = 0; i < len; i++) {
        if (text[i] < L'0' || text[i] > L'9') return -1;
        value = value * 10 + (text[i] - L'0');
    }
    return value;
}

void LookAtCopy(const FolderPass& pass, const WCHAR* title, ThereCopy& copy)
{
    copy.read = copy.bytesRead = 0;
    int32_t at = pass.copies.Find(title, TextLength(title));
    copy.exists = at >= 0;
    if (!copy.exists) return;
    copy.writeTime = pass.copies.FieldHex(at, kCopyTimeField);
    copy.bytes = DecimalField(pass.copies, at, kCopySizeField);
}

// Reads the copy: its hash, and its text when it decodes. 1 when it decodes.
int32_t ReadCopy(const AIString& path, ThereCopy& copy)
{
    uint8_t* block = 0;
    int64_t size = 0;
    copy.read = copy.bytesRead = 0;
    if (ReadWholeFile(path.GetText(), kMaxCopyBytes, 0, &block, &size) != kIoOk) return 0;
    copy.bytesRead = 1;
    copy.hash = HashDatafileBytes(block, size);
    copy.bytes = size;
    copy.read = Utf8ToText(block, size, copy.text);
    LocalFree(block);
    return copy.read;
}

// The text of local note at position after its title line.
int32_t HereText(int32_t position, AIString& record, const WCHAR** text, int32_t* len)
{
    NoteStore& s = g_noteStore;
    int32_t value = IndexValueAt(position);
    if (value >= 0 && value < s.bufferChars && s.buffer[value] == kNoteMark) {
        int32_t end = RecordEndAt(value);
        int32_t body = FindBodyStart(s.buffer + value, end - value);
        *text = s.buffer + value + body;
        *len = end - value - body;
        return 1;
    }
    if (!ReadNoteRecord(position, record)) return 0;
    int32_t body = FindBodyStart(record.GetText(), record.GetLength());
    *text = record.GetText() + body;
    *len = record.GetLength() - body;
    return 1;
}

int32_t CarriesShareTag(const WCHAR* text, int32_t len)
{
    int32_t pos = 0, start = 0, nameLen = 0;
    int32_t tagLen = TextLength(kShareTag);
    while (NextTagInText(text, len, &pos, &start, &nameLen))
        if (nameLen == tagLen && CompareOrdinal(text + start, nameLen, kShareTag, tagLen, TRUE) == CSTR_EQUAL)
            return 1;
    return 0;
}

void SetBase(FolderPass& pass, const WCHAR* title, uint64_t here, uint64_t there)
{
    AIString hereText, thereText;
    AppendHex64(hereText, here);
    AppendHex64(thereText, there);
    const WCHAR* fields[kStateFields] = {hereText.GetText(), thereText.GetText()};
    pass.base.Set(title, fields, kStateFields);
    pass.baseChanged = 1;
}

void SetListLine(FolderPass& pass, const WCHAR* title, uint64_t hash, uint64_t stamp, int64_t bytes, uint64_t owner)
{
    AIString hashText, stampText, bytesText, ownerText;
    AppendHex64(hashText, hash);
    AppendHex64(stampText, stamp);
    bytesText.AppendLong(bytes);
    AppendHex64(ownerText, owner);
    const WCHAR* fields[kListFields] = {hashText.GetText(), stampText.GetText(), bytesText.GetText(),
                                        ownerText.GetText()};
    pass.list.Set(title, fields, kListFields);
    pass.listChanged = 1;
}

// An image name another machine wrote must stay inside the images folder.
int32_t IsPlainFileName(const WCHAR* name, int32_t len)
{
    if (len <= 0 || len > MAX_PATH / 2) return 0;
    for (int32_t i = 0; i < len; i++) {
        WCHAR c = name[i];
        if (c == L'\\' || c == L'/' || c == L':' || c < L' ') return 0;
        if (c == L'.' && i + 1 < len && name[i + 1] == L'.') return 0;
    }
    return 1;
}

// The share folder carries the images of its notes: "rel:\images\<name>"
// targets of the note's links are copied where they are missing.
void CopyNoteImages(const AIString& folder, const WCHAR* text, int32_t len, int32_t toFolder)
{
    AIString imagePrefix(kRelativePathPrefix);
    imagePrefix.AppendText(L"\\images\\");
    const WCHAR* kImagePrefix = imagePrefix.GetText();
    const int32_t prefixLen = imagePrefix.GetLength();
    int32_t block = FindLinkBlock(text, len);
    LinkLineCursor cursor;
    StartLinkLines(cursor, text + block, len - block);
    const WCHAR *label, *target;
    int32_t labelLen, targetLen;
    AIString name, here, there;
    while (block < len && NextLinkLine(cursor, &label, &labelLen, &target, &targetLen)) {
        if (targetLen <= prefixLen ||
            CompareOrdinal(target, prefixLen, kImagePrefix, prefixLen, TRUE) != CSTR_EQUAL)
            continue;
        if (!IsPlainFileName(target + prefixLen, targetLen - prefixLen)) continue;
        name.AssignTextN(target + prefixLen, targetLen - prefixLen);
        here.Copy(g_noteStore.dataFolder).AppendText(kImagesFolder).AppendString(name);
        there.Copy(folder).AppendText(kImagesFolder).AppendString(name);
        const AIString& from = toFolder ? here : there;
        const AIString& to = toFolder ? there : here;
        if (GetFileAttributesW(to.GetText()) != INVALID_FILE_ATTRIBUTES) continue;
        if (GetFileAttributesW(from.GetText()) == INVALID_FILE_ATTRIBUTES) continue;
        AIString toFolderPath(to);
        toFolderPath.SetLength(toFolderPath.FindChar(L'\\', true) + 1);
        AIString temporary(to);
        temporary.AppendText(L".tmp");
        if (EnsureFolder(toFolderPath.GetText()) && CopyFileW(from.GetText(), temporary.GetText(), FALSE) &&
            ReplaceFileWith(temporary.GetText(), to.GetText()) == kIoOk)
            continue;
        DeleteFileW(temporary.GetText());
    }
}

// The log's lines so far go to the folder: what came here is there at once,
// also when the pass is cut short before its end.
void FlushSyncLog(FolderPass& pass)
{
    WriteSyncLog(pass.folder, pass.log);
    pass.log.Clear();
}

// The text here goes to the folder; the copy it replaces is kept first.
int32_t PushText(FolderPass& pass, const WCHAR* title, const WCHAR* text, int32_t len, ThereCopy& old,
                 const AIString& path, uint64_t hereHash)
{
    if (old.exists && !old.read) ReadCopy(path, old);
    if (old.exists && old.read && !KeepRevision(pass.folder, title, old.text.GetText(), old.text.GetLength()))
        return 0;
    int64_t size = 0;
    uint8_t* bytes = TextToUtf8(text, len, &size);
    if (!bytes) return 0;
    uint64_t stamp = NowStamp();
    uint64_t hash = HashDatafileBytes(bytes, size);
    // The temporary copy is made beside the copies' folder, not in it: a new
    // name in a folder of thousands of files costs a look at all of them
    // where names are compared ignoring case.
    AIString temporary(pass.folder);
    temporary.AppendText(L"~sending.tmp");
    int32_t ok = WriteFileThroughTemporary(path.GetText(), bytes, size, &stamp, kNoFlush, temporary.GetText());
    LocalFree(bytes);
    if (!ok) return 0;
    SetListLine(pass, title, hash, stamp, size, pass.owner);
    SetBase(pass, title, hereHash, hash);
    if (pass.kind == kShareFolder) CopyNoteImages(pass.folder, text, len, 1);
    AppendSyncLogLine(pass.log, L"sent", title);
    g_syncEngine.report.pushed++;
    return 1;
}

// The folder's text comes here through the note's side file; the scan after
// the walk takes it up.
int32_t PullText(FolderPass& pass, const WCHAR* title, const WCHAR* hereText, int32_t hereLen, const ThereCopy& copy)
{
    if (hereText && !KeepRevision(pass.folder, title, hereText, hereLen)) return 0;
    AIString record, path, hash, taken;
    TidyCopyText(copy.text.GetText(), copy.text.GetLength(), taken);
    record.AppendChar(kNoteMark).AppendText(title).AppendText(L"\r\n").AppendString(taken);
    MirrorPathOf(title, path);
    if (WriteUtf16FileSafely(path.GetText(), record.GetText(), record.GetLength()) != kIoOk) return 0;
    AppendChangeLog(kLogSyncReceived, title, record.GetText(), record.GetLength());
    pass.pulled.AddString(title);
    AppendHex64(hash, copy.hash);
    pass.pulledThere.AddString(hash.GetText());
    if (pass.kind == kShareFolder) CopyNoteImages(pass.folder, copy.text.GetText(), copy.text.GetLength(), 0);
    AppendSyncLogLine(pass.log, L"received", title);
    FlushSyncLog(pass);
    g_syncEngine.report.pulled++;
    return 1;
}

struct TakenContext {
    FolderPass* pass;
    const AIString* text;   // the text the other copy is to hold
    int32_t sameFound;      // the title given holds that text already
};

// The text of a note here, or of a note this pass made (not yet taken up).
int32_t TextOfNoteHere(const WCHAR* title, AIString& text)
{
    AIString record;
    int32_t at = IndexPositionOf(title);
    if (at >= 0 ? !ReadNoteRecord(at, record) : !ReadMirrorRecord(title, record)) return 0;
    int32_t body = FindBodyStart(record.GetText(), record.GetLength());
    text.AssignTextN(record.GetText() + body, record.GetLength() - body);
    return 1;
}

// A title is free for the other copy, or it is an other copy that holds the
// very text already (a note shared in both folders meets the same edits in
// each, or an earlier pass kept it before it was cut short).
int32_t IsTitleTakenHere(const WCHAR* title, void* context)
{
    TakenContext* taken = (TakenContext*)context;
    FolderPass* pass = taken->pass;
    AIString path, text;
    MirrorPathOf(title, path);
    int32_t here = IndexPositionOf(title) >= 0 || pass->madeTitles.FindItemString(title, 1) >= 0 ||
                   GetFileAttributesW(path.GetText()) != INVALID_FILE_ATTRIBUTES;
    if (here && TextOfNoteHere(title, text) &&
        SameTextAsStored(text.GetText(), text.GetLength(), taken->text->GetText(), taken->text->GetLength())) {
        taken->sameFound = 1;
        return 0;
    }
    return here || pass->list.Find(title, TextLength(title)) >= 0;
}

// Changed on both sides: the folder's text becomes a note of its own here
// (and a revision); the text here stays under the title and goes out.
int32_t KeepBoth(FolderPass& pass, const WCHAR* title, const ThereCopy& copy)
{
    AIString copyTitle, record, path, taken;
    TidyCopyText(copy.text.GetText(), copy.text.GetLength(), taken);
    TakenContext context = {&pass, &taken, 0};
    if (!MakeOtherCopyTitle(title, IsTitleTakenHere, &context, copyTitle)) return 0;
    if (!KeepRevision(pass.folder, title, copy.text.GetText(), copy.text.GetLength())) return 0;
    if (context.sameFound) return 1;   // kept already: once is enough
    record.AppendChar(kNoteMark).AppendString(copyTitle).AppendText(L"\r\n").AppendString(taken);
    MirrorPathOf(copyTitle.GetText(), path);
    if (WriteUtf16FileSafely(path.GetText(), record.GetText(), record.GetLength()) != kIoOk) return 0;
    pass.madeTitles.AddString(copyTitle.GetText());
    AppendChangeLog(kLogOtherCopy, copyTitle.GetText(), record.GetText(), record.GetLength());
    AppendSyncLogLine(pass.log, L"conflict, both kept", title);
    FlushSyncLog(pass);
    g_syncEngine.report.conflicts++;
    AIString shown, shownCopy, notice;
    ShownTitleForm(title, shown);
    ShownTitleForm(copyTitle.GetText(), shownCopy);
    notice.AppendText(L"<lred>").AppendString(shown).AppendText(L"</lred> was changed here and in the ");
    notice.AppendText(pass.kind == kSyncFolder ? L"sync" : L"share");
    notice.AppendText(L" folder: both are kept, the other text as the note ").AppendString(shownCopy);
    RaiseSyncNotice(notice.GetText());
    return 1;
}

// Deleted here: the copy goes to the revisions, its line leaves the list.
int32_t RemoveThere(FolderPass& pass, const WCHAR* title, ThereCopy& copy, const AIString& path)
{
    if (copy.exists) {
        if (!copy.read && !ReadCopy(path, copy)) return 0;
        if (!KeepRevision(pass.folder, title, copy.text.GetText(), copy.text.GetLength())) return 0;
        if (!DeleteFileW(path.GetText()) && GetLastError() != ERROR_FILE_NOT_FOUND) return 0;
    }
    if (pass.list.Remove(title)) pass.listChanged = 1;
    if (pass.base.Remove(title)) pass.baseChanged = 1;
    AppendSyncLogLine(pass.log, L"deleted", title);
    g_syncEngine.report.deletedThere++;
    return 1;
}

enum { kUnreadableTime = 0, kUnreadableSize = 1, kUnreadableTold = 2, kUnreadableFields = 3 };

// A copy that does not decode is still arriving while it changes; found again
// unchanged (the same time and size) by a later pass, it is not text and will
// not become text: it must not hold the note back. The first such pass keeps
// it in the revisions and tells the user; an edit here is then sent over it.
// 1 when the copy is unreadable for good and kept.
int32_t IsUnreadableForGood(FolderPass& pass, const WCHAR* title, const ThereCopy& copy, const AIString& path)
{
    SyncTable*& seen = g_syncEngine.unreadableCopies[pass.kind];
    if (!seen) seen = new SyncTable;   // kept while the program runs
    AIString time, size;
    AppendHex64(time, copy.writeTime);
    size.AppendLong(copy.bytes);
    int32_t at = seen->Find(title, TextLength(title));
    int32_t again = at >= 0 && seen->FieldHex(at, kUnreadableTime) == copy.writeTime &&
                    DecimalField(*seen, at, kUnreadableSize) == copy.bytes;
    int32_t told = again && DecimalField(*seen, at, kUnreadableTold) == 1;
    if (again && !told && KeepUnreadableRevision(pass.folder, title, path)) {
        AIString shown, notice;
        ShownTitleForm(title, shown);
        notice.AppendText(L"<lred>The copy of ").AppendString(shown).AppendText(L" in the ");
        notice.AppendText(pass.kind == kSyncFolder ? L"sync" : L"share");
        notice.AppendText(L" folder is not UTF-8 text</lred> - it is kept in the folder's revisions, and the text "
                          L"here is sent in its place when it changes");
        RaiseSyncNotice(notice.GetText());
        told = 1;
    }
    const WCHAR* fields[kUnreadableFields] = {time.GetText(), size.GetText(), told ? L"1" : L"0"};
    seen->Set(title, fields, kUnreadableFields);
    return told;
}

void ForgetUnreadable(FolderPass& pass, const WCHAR* title)
{
    SyncTable* seen = g_syncEngine.unreadableCopies[pass.kind];
    if (seen) seen->Remove(title);
}

// One note. position: its place in the index, -1 when it is not here.
void PassNote(FolderPass& pass, const WCHAR* title, int32_t position)
{
    int32_t titleLen = TextLength(title);
    int32_t baseAt = pass.base.Find(title, titleLen);
    int32_t inBase = baseAt >= 0;
    uint64_t baseHere = inBase ? pass.base.FieldHex(baseAt, kStateHere) : 0;
    uint64_t baseThere = inBase ? pass.base.FieldHex(baseAt, kStateThere) : 0;
    int32_t listAt = pass.list.Find(title, titleLen);

    // Here.
    AIString record;
    const WCHAR* hereText = 0;
    int32_t hereLen = 0;
    uint64_t hereHash = 0;
    SyncSideState here = kSideAbsent;
    if (position >= 0) {
        if (!HereText(position, record, &hereText, &hereLen)) return;   // unreadable here: left for later
        if (pass.kind == kShareFolder && !inBase && listAt < 0 && !CarriesShareTag(hereText, hereLen)) return;
        hereHash = HashNoteText(hereText, hereLen);
        here = inBase && hereHash == baseHere ? kSideSame : kSideChanged;
    }

    // There.
    AIString path;
    CopyPathOf(pass.folder, title, path);
    ThereCopy copy;
    LookAtCopy(pass, title, copy);
    SyncSideState there = kSideAbsent;
    int32_t lineToWrite = 0;   // the list's line is to be (re)written from the copy
    int32_t ownLine = 0;       // this store wrote the list's line
    if (listAt >= 0) {
        uint64_t listedHash = pass.list.FieldHex(listAt, kListHash);
        uint64_t listedStamp = pass.list.FieldHex(listAt, kListStamp);
        // This store wrote the line, and the copy bears the line's stamp: it
        // is the very file this store wrote.
        ownLine = pass.list.FieldHex(listAt, kListOwner) == pass.owner && copy.exists &&
                  copy.writeTime == listedStamp;
        if (!copy.exists) {
            there = kSideInTransit;   // listed, not arrived yet
        } else if (inBase && listedHash == baseThere && copy.writeTime == listedStamp &&
                   copy.bytes == DecimalField(pass.list, listAt, kListBytes)) {
            // The copy as listed and as last taken: its time and size say so
            // without reading it.
            there = kSideSame;
            copy.hash = listedHash;
        } else {
            int32_t decodes = ReadCopy(path, copy);
            SyncCopyState state = JudgeCopy(listedHash, listedStamp, copy.hash, copy.writeTime, decodes);
            if (state == kCopyInTransit) there = kSideInTransit;
            else there = inBase && copy.hash == baseThere ? kSideSame : kSideChanged;
            lineToWrite = state == kCopyEditedOutside;
        }
    } else if (copy.exists && inBase) {
        // The list lost the line (two machines wrote it at once): the copy counts.
        if (!ReadCopy(path, copy)) there = kSideInTransit;
        else there = copy.hash == baseThere ? kSideSame : kSideChanged;
        lineToWrite = there != kSideInTransit;
    }
    // What the store adds to a text it takes (a link block, CR LF line ends)
    // is no difference: a copy taken in a pass cut short before its base was
    // written is the same text, not a conflict.
    int32_t sameText = copy.read && hereText &&
                       SameTextAsStored(hereText, hereLen, copy.text.GetText(), copy.text.GetLength());

    int32_t ok = 1;
    SyncAction action = DecideSync(inBase, here, there, sameText);
    // A copy this store wrote that does not match its line was cut short
    // here (copies are not flushed one by one): nobody else will mend it.
    if (action == kSyncRetryLater && ownLine && hereText) action = kSyncPush;
    // A copy that is not text holds back no edit made here.
    if (action == kSyncRetryLater && copy.bytesRead && !copy.read && IsUnreadableForGood(pass, title, copy, path) &&
        here == kSideChanged)
        action = kSyncPush;
    if (action == kSyncPush) ForgetUnreadable(pass, title);
    switch (action) {
    case kSyncNothing:
        break;
    case kSyncPush:
        ok = PushText(pass, title, hereText, hereLen, copy, path, hereHash);
        lineToWrite = 0;
        break;
    case kSyncPull:
        if (!copy.read && !ReadCopy(path, copy)) break;
        ok = PullText(pass, title, hereText, hereLen, copy);
        break;
    case kSyncDeleteThere:
        ok = RemoveThere(pass, title, copy, path);
        lineToWrite = 0;
        break;
    case kSyncDeleteHere:
        ok = KeepRevision(pass.folder, title, hereText, hereLen);
        if (ok) pass.toDelete.AddString(title);
        break;
    case kSyncAdopt:
        SetBase(pass, title, hereHash, copy.hash);
        break;
    case kSyncConflict:
        ok = KeepBoth(pass, title, copy) && PushText(pass, title, hereText, hereLen, copy, path, hereHash);
        lineToWrite = 0;
        break;
    case kSyncForget:
        if (pass.base.Remove(title)) pass.baseChanged = 1;
        break;
    case kSyncRetryLater:
        g_syncEngine.report.retried++;
        break;
    }
    if (ok && lineToWrite && copy.read) SetListLine(pass, title, copy.hash, copy.writeTime, copy.bytes, 0);
    if (!ok) pass.failed = 1;
}

void Probe(int32_t done)
{
    if (g_syncEngine.probe) g_syncEngine.probe(done, g_syncEngine.probeContext);
}

// A copy of a table (the walk changes the tables it walks).
void Snapshot(const SyncTable& table, const WCHAR* header, int32_t fields, SyncTable& out)
{
    AIString text;
    table.Compose(header, text);
    out.Parse(text.GetText(), text.GetLength(), header, fields);
}

// After the walk: deletions here, the texts that came here, the files.
void FinishPass(FolderPass& pass)
{
    AIString title, hash, record;
    for (int32_t i = 0; i < pass.toDelete.GetCount(); i++) {
        pass.toDelete.GetItemTextMode(i, title, 1);
        int32_t at = IndexPositionOf(title.GetText());
        if (at < 0 || !DeleteNote(at)) continue;
        if (pass.base.Remove(title.GetText())) pass.baseChanged = 1;
        AppendSyncLogLine(pass.log, L"deleted here", title.GetText());
        g_syncEngine.report.deletedHere++;
    }
    if (pass.pulled.GetCount() || pass.madeTitles.GetCount()) ScanNotesFolderForNewAndDeleted();
    for (int32_t i = 0; i < pass.pulled.GetCount(); i++) {
        pass.pulled.GetItemTextMode(i, title, 1);
        pass.pulledThere.GetItemTextMode(i, hash, 1);
        int32_t at = IndexPositionOf(title.GetText());
        const WCHAR* text;
        int32_t len, ok = 0;
        if (at < 0 || !HereText(at, record, &text, &len)) continue;
        SetBase(pass, title.GetText(), HashNoteText(text, len), ParseHex64(hash.GetText(), hash.GetLength(), &ok));
    }
    if (pass.listChanged && !pass.failed) {
        AIString listPath(pass.folder);
        listPath.AppendText(kListFileName);
        if (!WriteLineFile(listPath.GetText(), kListHeader, pass.list)) pass.failed = 1;
    }
    FlushSyncLog(pass);
    if (pass.baseChanged) {
        AIString statePath;
        StatePathOf(pass.kind, statePath);
        // Without its base the next pass would take every note for new on
        // both sides (nothing lost, but every difference kept twice).
        if (!EnsureFolder(g_noteStore.notesFolder.GetText()) ||
            !WriteLineFile(statePath.GetText(), kStateHeader, pass.base))
            pass.failed = 1;
    }
}

void TellUnreachable(SyncFolderKind kind, const AIString& folder)
{
    g_syncEngine.report.failedFolders++;
    if (g_syncEngine.unreachableTold[kind]) return;
    g_syncEngine.unreachableTold[kind] = 1;
    AIString notice(L"<lred>The ");
    notice.AppendText(kind == kSyncFolder ? L"sync" : L"share").AppendText(L" folder cannot be reached</lred> (");
    notice.AppendString(folder).AppendText(L"): the notes here stay as they are; the next pass tries again");
    RaiseSyncNotice(notice.GetText());
}

int32_t PassFolder(SyncFolderKind kind)
{
    FolderPass pass;
    pass.kind = kind;
    pass.folder.Copy(SyncFolderOf(kind));
    if (pass.folder.IsEmpty()) return 1;
    AIString copies(pass.folder);
    copies.AppendText(kCopiesFolder);
    if (!IsFolderReachable(pass.folder) || !EnsureFolder(copies.GetText())) {
        TellUnreachable(kind, pass.folder);
        return 0;
    }
    pass.listChanged = pass.baseChanged = pass.failed = 0;
    if (!ListCopies(pass.folder, pass.copies)) {
        TellUnreachable(kind, pass.folder);
        return 0;
    }
    pass.owner = StoreOwnerId();
    AIString listPath(pass.folder), statePath;
    listPath.AppendText(kListFileName);
    StatePathOf(kind, statePath);
    int32_t missing = 0;
    if (!ReadLineFile(listPath.GetText(), kListHeader, kListFields, pass.list, &missing)) {
        // The list is on its way from another machine: the next pass reads it.
        g_syncEngine.report.retried++;
        return 1;
    }
    // A base that cannot be read makes every note new on both sides: equal
    // texts are adopted, other texts are both kept.
    int32_t listMissing = missing;
    if (!ReadLineFile(statePath.GetText(), kStateHeader, kStateFields, pass.base, &missing)) pass.base.Clear();
    // A folder without its list was emptied or replaced (a drive mounted
    // afresh, a folder made again): its missing copies are no deletions.
    // The pass starts afresh and the notes here go out again.
    if (listMissing && pass.base.Count() > 0) {
        pass.base.Clear();
        pass.baseChanged = 1;
    }
    SyncTable listAtStart, baseAtStart;
    Snapshot(pass.list, kListHeader, kListFields, listAtStart);
    Snapshot(pass.base, kStateHeader, kStateFields, baseAtStart);

    AIString title;
    int32_t done = 0;
    int32_t count = GetNoteCount();
    for (int32_t i = 0; i < count && !pass.failed; i++) {
        g_noteStore.noteIndex->GetKeyAt(i, title);
        PassNote(pass, title.GetText(), i);
        Probe(++done);
    }
    for (int32_t i = 0; i < listAtStart.Count() && !pass.failed; i++) {
        listAtStart.TitleAt(i, title);
        if (IndexPositionOf(title.GetText()) >= 0) continue;
        PassNote(pass, title.GetText(), -1);
        Probe(++done);
    }
    for (int32_t i = 0; i < baseAtStart.Count() && !pass.failed; i++) {
        baseAtStart.TitleAt(i, title);
        if (IndexPositionOf(title.GetText()) >= 0 || listAtStart.Find(title.GetText(), title.GetLength()) >= 0)
            continue;
        PassNote(pass, title.GetText(), -1);
        Probe(++done);
    }
    FinishPass(pass);
    if (pass.failed) {
        TellUnreachable(kind, pass.folder);
        return 0;
    }
    g_syncEngine.unreachableTold[kind] = 0;
    return 1;
}

}  // namespace

int32_t SyncFolders(int32_t full)
{
    TRACE_SCOPE(kNoteStoreModule, 70);
    (void)full;   // every pass is a full one: an unchanged note costs one hash
    NoteStore& s = g_noteStore;
    static uint32_t s_passes = 0;
    ZeroMemory(&g_syncEngine.report, sizeof(g_syncEngine.report));
    g_syncEngine.report.pass = ++s_passes;
    if (!s.loaded || s.readOnly || s.walkCount > 0) return 0;
    if (s.sync.SyncFolderPath.IsEmpty() && s.sync.ShareFolderPath.IsEmpty()) return 0;
    int32_t ok = PassFolder(kSyncFolder);
    if (!PassFolder(kShareFolder)) ok = 0;
    RefreshOwnEditMarker();
    return ok;
}
