// Changing notes: storing the current note, creating and deleting notes.
// Every change goes to a side file first; the data file changes only when it
// is saved.
#include "notestore/note_store_internal.h"
#include "notestore/note_io.h"
#include "notestore/change_log.h"
#include "foundation/ai_string_table.h"
#include "foundation/errors.h"
#include "foundation/file_write.h"
#include "foundation/result_flag.h"
#include "foundation/trace.h"

namespace {

enum { kAsk = 1, kDoNotAsk = 0 };

// Writes a side file; on failure asks the user whether to try again (unless
// told not to ask).
int32_t WriteSideFileWithRetry(const AIString& path, const AIString& text, const WCHAR* what, int32_t ask = kAsk)
{
    for (;;) {
        NoteIoError result = WriteUtf16FileSafely(path.GetText(), text.GetText(), text.GetLength());
        if (result == kIoOk) return 1;
        if (!ask) return 0;
        AIString message;
        message.AppendText(what).AppendText(L"\r\n").AppendString(path);
        if (result == kIoDiskFull) message.AppendText(L"\r\n").AppendText(kDiskFullReason);
        message.AppendText(kRetryQuestion);
        if (ReportError(GetLastError(), L"Note not stored", message.GetText()) != IDYES) return 0;
    }
}

// Keeps a note within the length limit without losing anything: the whole
// text goes to a side copy first, then the body is cut. 0 when the copy
// could not be written (then nothing is cut).
int32_t LimitNoteLength(const WCHAR* title, AIString& body, int32_t blockChars, int32_t ask = kAsk)
{
    if (body.GetLength() + blockChars <= kMaxNoteChars) return 1;
    AIString path, whole(body);
    LongCopyPathOf(title, path);
    if (!WriteSideFileWithRetry(path, whole, L"The full text of the long note could not be kept in", ask)) return 0;
    int32_t keep = kMaxNoteChars - blockChars;
    if (keep < 0) keep = 0;
    const WCHAR* t = body.GetText();
    if (keep > 0 && t[keep - 1] == L'\r') keep--;
    if (keep > 0 && IS_HIGH_SURROGATE(t[keep - 1])) keep--;
    AIString cut;
    cut.AssignInt(body.GetLength() - keep);
    body.SetLength(keep);
    RaiseStoreMessage(kMsgNoteTooLarge, cut.GetText(), path.GetText());
    return 1;
}

// A mirror on disk whose title the index does not know was written after the
// last scan (a capture): it is a note, and its title is taken. The scan lists it.
bool IsUnscannedMirror(const AIString& mirrorPath)
{
    if (GetFileAttributesW(mirrorPath.GetText()) == INVALID_FILE_ATTRIBUTES) return false;
    ScanNotesFolderForNewAndDeleted();
    return true;
}

void RemoveTitleFromTags(const WCHAR* title)
{
    NoteStore& s = g_noteStore;
    for (int i = 0; i < s.tagNames->GetCount() && i < kMaxTags; i++) {
        int at = s.tagNotes[i]->FindItemString(title, 1);
        if (at >= 0) s.tagNotes[i]->RemoveItem(at);
    }
}

}  // namespace

int32_t StoreCurrentNote(const WCHAR* body, int32_t askOnFailure)
{
    TRACE_SCOPE(kNoteStoreModule, 30);
    NoteStore& s = g_noteStore;
    if (!s.loaded || s.readOnly || s.currentIndex < 0 || s.currentIndex >= GetNoteCount()) return SetResult(0);
    AIString title, clean, block, record;
    s.noteIndex->GetKeyAt(s.currentIndex, title);
    CleanBodyText(body, TextLength(body), clean);
    ComposeNoteRecord(title.GetText(), AIString(), s.hyperlinks, block);
    int32_t blockChars = block.GetLength() - (title.GetLength() + 3);  // without mark, title and CR LF
    int32_t ask = askOnFailure ? kAsk : kDoNotAsk;
    if (!LimitNoteLength(title.GetText(), clean, blockChars, ask)) return SetResult(0);
    ComposeNoteRecord(title.GetText(), clean, s.hyperlinks, record);
    AIString path;
    MirrorPathOf(title.GetText(), path);
    if (!WriteSideFileWithRetry(path, record, L"The note could not be written to", ask)) return SetResult(0);
    int32_t value = IndexValueAt(s.currentIndex);
    if (value > 0) SetIndexValue(s.currentIndex, -value);
    AddMirrorNote(title.GetText());
    s.currentText.Copy(clean);
    s.hiddenLinkChars = blockChars;
    AppendChangeLog(kLogStored, title.GetText(), record.GetText(), record.GetLength());
    KeepMinuteBackup();
    return SetResult(1);
}

int32_t CreateNote(const WCHAR* title, const WCHAR* body)
{
    TRACE_SCOPE(kNoteStoreModule, 31);
    NoteStore& s = g_noteStore;
    if (!s.loaded || s.readOnly) return NotFound();
    AIString stored, clean, record, path, number;
    NormaliseTitle(title, stored);
    if (!IsValidStoredTitle(stored.GetText(), stored.GetLength()) || IndexPositionOf(stored.GetText()) >= 0)
        return NotFound();
    MirrorPathOf(stored.GetText(), path);
    if (IsUnscannedMirror(path)) return NotFound();
    CleanBodyText(body, TextLength(body), clean);
    const int32_t kEmptyBlockChars = 10;  // CR LF "{{" CR LF "}}" CR LF
    if (!LimitNoteLength(stored.GetText(), clean, kEmptyBlockChars)) return NotFound();
    ComposeNoteRecord(stored.GetText(), clean, 0, record);
    if (!WriteSideFileWithRetry(path, record, L"The new note could not be written to")) return NotFound();
    number.AssignInt(kIndexSideFileOnly);
    int32_t at = s.noteIndex->AddItemString(stored.GetText(), number.GetText(), 1);
    AddMirrorNote(stored.GetText());
    RefindCurrentNote();
    AppendChangeLog(kLogCreated, stored.GetText(), record.GetText(), record.GetLength());
    SetResult(at >= 0);
    return at;
}

int32_t DeleteNote(int32_t noteIndex)
{
    TRACE_SCOPE(kNoteStoreModule, 32);
    NoteStore& s = g_noteStore;
    if (!s.loaded || s.readOnly || noteIndex < 0 || noteIndex >= GetNoteCount()) return SetResult(0);
    if (GetNoteCount() <= 1) {
        RaiseStoreMessage(kMsgMinimumOneNote);
        return SetResult(0);
    }
    AIString title, record, copyPath, mirror;
    s.noteIndex->GetKeyAt(noteIndex, title);
    if (!ReadNoteRecord(noteIndex, record)) return SetResult(0);
    DeletedCopyPathOf(title.GetText(), copyPath);
    if (!WriteSideFileWithRetry(copyPath, record, L"The deleted note could not be kept in")) return SetResult(0);
    MirrorPathOf(title.GetText(), mirror);
    DeleteFileW(mirror.GetText());
    RemoveMirrorNote(title.GetText());
    RemoveTitleFromTags(title.GetText());
    s.noteIndex->RemoveAtSorted(noteIndex);
    if (s.currentIndex == noteIndex) {
        s.currentIndex = -1;
        s.currentTitle.Clear();
        s.currentText.Clear();
        s.hyperlinks->Clear();
        s.hiddenLinkChars = 0;
    } else {
        RefindCurrentNote();
    }
    AppendChangeLog(kLogDeleted, title.GetText(), 0, 0);
    return SetResult(1);
}

int32_t RenameNote(int32_t noteIndex, const WCHAR* newTitle)
{
    TRACE_SCOPE(kNoteStoreModule, 33);
    NoteStore& s = g_noteStore;
    if (!s.loaded || s.readOnly || noteIndex < 0 || noteIndex >= GetNoteCount()) return NotFound();
    AIString oldTitle, title, record, renamed, oldMirror, newMirror, number;
    s.noteIndex->GetKeyAt(noteIndex, oldTitle);
    NormaliseTitle(newTitle, title);
    int32_t other = IndexPositionOf(title.GetText());
    if (!IsValidStoredTitle(title.GetText(), title.GetLength()) || (other >= 0 && other != noteIndex))
        return NotFound();
    if (!ReadNoteRecord(noteIndex, record)) return NotFound();
    int32_t body = FindBodyStart(record.GetText(), record.GetLength());
    renamed.AppendChar(kNoteMark).AppendString(title).AppendText(L"\r\n");
    renamed.AppendTextN(record.GetText() + body, record.GetLength() - body);
    MirrorPathOf(oldTitle.GetText(), oldMirror);
    MirrorPathOf(title.GetText(), newMirror);
    // The new mirror exists in full before anything of the old name goes.
    // (A change of case writes the same file; look-ups ignore case.)
    bool sameFile = newMirror.EqualsTextNoCase(oldMirror.GetText());
    if (!sameFile && IsUnscannedMirror(newMirror)) return NotFound();
    if (!WriteSideFileWithRetry(newMirror, renamed, L"The renamed note could not be written to")) return NotFound();
    if (!sameFile) DeleteFileW(oldMirror.GetText());
    RemoveMirrorNote(oldTitle.GetText());
    s.noteIndex->RemoveAtSorted(noteIndex);
    number.AssignInt(kIndexSideFileOnly);
    int32_t at = s.noteIndex->AddItemString(title.GetText(), number.GetText(), 1);
    AddMirrorNote(title.GetText());
    for (int i = 0; i < s.tagNames->GetCount() && i < kMaxTags; i++) {
        int found = s.tagNotes[i]->FindItemString(oldTitle.GetText(), 1);
        if (found >= 0) s.tagNotes[i]->SetItemText(found, title.GetText());
    }
    if (s.currentTitle.EqualsString(oldTitle)) s.currentTitle.Copy(title);
    RefindCurrentNote();
    AppendChangeLog(kLogRenamedFrom, oldTitle.GetText(), 0, 0);
    AppendChangeLog(kLogRenamed, title.GetText(), renamed.GetText(), renamed.GetLength());
    SetResult(at >= 0);
    return at;
}
