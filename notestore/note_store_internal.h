// What the note store's source files share among themselves.
#pragma once
#include "notestore/note_store.h"
#include "notestore/datafile_format.h"
#include "foundation/trace_modules.h"
#include "notestore/note_io.h"

// Trace module of the note store.
enum { kNoteStoreModule = kTraceNoteStore };

// The buffer's block: the byte-order mark, the text, a zero, the guard bytes.
struct StoreBuffer {
    uint8_t* block;        // LocalAlloc block; buffer == (WCHAR*)(block + 2)
    int32_t capacityChars; // text the block has room for (with its zero and guard)
    NoteSpanArray spans;   // note marks in buffer order (records end at the next mark)
    int32_t preambleChars; // header line and anything before the first note
};

// The store's block for a data file of that many bytes, as ReadWholeFile
// lays it out read with kStoreBlockTail and kReadWithGrowthRoom (a save that
// puts a file together makes the same): its size, and the characters of
// text it has room for with their zero and the guard.
int64_t StoreBlockBytes(int64_t fileBytes);
int32_t StoreTextCapacity(int64_t fileBytes);
extern StoreBuffer g_storeBuffer;

extern const uint8_t kGuardBytes[3];
// The bytes a read of the data file leaves after its text: the zero and the guard.
const int32_t kStoreBlockTail = 2 + sizeof(kGuardBytes);

// Raises a catalogue message through the hook (and remembers it).
void RaiseStoreMessage(int32_t id, const WCHAR* insert1 = 0, const WCHAR* insert2 = 0, const WCHAR* insert3 = 0);

// (Re)opens the handle that keeps the data file from being changed behind
// the store's back.
void OpenDatafileHandle();
// Installs a block read or composed as [FF FE][text][0 0][guard] (chars
// characters of text, room for capacityChars) with its note spans, freeing
// the old one. The store takes ownership of block and spans.
void InstallStoreBuffer(uint8_t* block, int32_t chars, int32_t capacityChars, NoteSpanArray& spans);
// The block's text was rewritten where it lies (chars characters now): takes
// the new spans and ends the text with its zero and guard again.
void InstallRewrittenText(int32_t chars, NoteSpanArray& spans);
void FreeStoreBuffer();
// The end of the record whose mark is at offset (the next mark or the end).
int32_t RecordEndAt(int32_t mark);

// The note index of a text's notes, joined and split, before it replaces
// the store's: everything that needs memory is done first.
struct JoinedNoteIndex {
    AIString text;
    int32_t* starts;
    int32_t count;

    JoinedNoteIndex();
    ~JoinedNoteIndex();
    int32_t Join(const WCHAR* buffer, const NoteSpanArray& spans, JoinMemory memory = kJoinAskWhenShort);
    // The index takes the joined text over.
    int32_t AssignTo(AIStringTable& index);

private:
    JoinedNoteIndex(const JoinedNoteIndex&);
    JoinedNoteIndex& operator=(const JoinedNoteIndex&);
};

// Rebuilds the note index from the buffer's spans (values = offsets).
int32_t RebuildIndexFromBuffer();
// The value part of a sorted index item.
int32_t IndexValueAt(int32_t position);
int32_t SetIndexValue(int32_t position, int32_t value);
// Position of the title (ignoring case), or -1.
int32_t IndexPositionOf(const WCHAR* title);

// Side files of a note.
void MirrorPathOf(const WCHAR* title, AIString& out);
void DeletedCopyPathOf(const WCHAR* title, AIString& out);
void LongCopyPathOf(const WCHAR* title, AIString& out);
void SetStoreFolders(const WCHAR* datafilePath);

// Reads a note's mirror file and gives its record as it would stand in the
// data file ("¤" title CR LF body CR LF link block), cleaned of anything that
// could break the data file. 1 on success.
int32_t ReadMirrorRecord(const WCHAR* title, AIString& record);
// The note's full stored record (from its mirror or the buffer). 1 on success.
int32_t ReadNoteRecord(int32_t position, AIString& record);
// Composes a record from a title, a body and the links of a table.
void ComposeNoteRecord(const WCHAR* title, const AIString& cleanBody, const AIStringTable* links, AIString& out);

// Mirror-note list and mirror-text table housekeeping.
void AddMirrorNote(const WCHAR* title);
void RemoveMirrorNote(const WCHAR* title);
void ClearMirrorTexts();

// A hash of a title or tag name that ignores letter case.
uint32_t FoldedTitleHash(const WCHAR* text, int32_t len);

// Tags found in the buffer's notes.
void RebuildTagsFromBuffer();
void ClearTags();

// Keeps a copy of the data file as it now stands (mirrors included) in the
// notes folder's "backup\minutes", at most once a minute while notes are stored;
// the newest kMinuteBackupsKept copies are kept.
void KeepMinuteBackup();
// After the day's first save: keeps the version before it (at backupPath)
// as the weekday's backup.
void KeepWeekdayBackup(const WCHAR* backupPath);
// Tells once per data file that its disk is short of room (a backup skipped,
// the save's previous backup let go).
void SayLowDiskSpaceOnce(const WCHAR* folder);
// Room left on a disk beyond what a file needs: what the file system takes
// for its own records.
const int64_t kSaveRoomMargin = 64 * 1024;

// The kinds of save: the data file itself, a copy the user asked for, a
// backup copy (which asks nothing and tells nothing: its caller does).
enum SaveKind { kSaveMain, kSaveCopy, kSaveBackupCopy };
// Saves the notes as they now stand to path as a backup copy. kSaveDone, or
// kSaveFailed with the failed step in failure.
int32_t SaveBackupCopy(const WCHAR* path, NoteIoError& failure);

// Sets ResultFlag 0 and gives -1, for look-ups that find nothing.
int32_t NotFound();

// Remembers the identity of the data file as the buffer now holds it (after
// a load or a save), given the hash of the bytes read or written.
void RecordDatafileIdentity(uint64_t hash);

// HasDatafileChangedOnDisk in two steps, kCheckBeside on a thread of its
// own, so that a save puts its new file together meanwhile: Start takes the path and the identity as they
// stand; Finish waits and gives the same answer (asked again, the same
// answer without waiting). Nothing may change the store's path or identity
// in between.
struct DatafileChangeCheck {
    HANDLE thread;
    AIString path;
    DatafileIdentity known;
    DatafileIdentity disk;
    int32_t found;      // the file is there (its identity read or not)
    int32_t finished;   // the answer is in state
    DatafileDiskState state;
};
enum DatafileCheckPlace { kCheckHere, kCheckBeside };
void StartDatafileChangeCheck(DatafileChangeCheck& check, DatafileCheckPlace place);
int32_t FinishDatafileChangeCheck(DatafileChangeCheck& check);

// Re-finds the current note's position after the index changed.
void RefindCurrentNote();
