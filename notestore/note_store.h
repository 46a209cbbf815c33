// NoteStore: the one open data file and everything the rest of the program
// reads of it. The whole file lives in one UTF-16 buffer (terminated by a
// zero and followed by three guard bytes); the note index maps each title to
// its index value. Edited notes live in their mark-up mirror files until the
// data file is saved. The file format is described in docs/datafile-format.md.
//
// Everything runs on the UI thread (only the start's read-ahead of the file
// works on a thread of its own: datafile_read_ahead.h). Code that walks the buffer while it pumps
// messages holds a walk (BeginDatafileWalk / EndDatafileWalk); while a walk
// is held nothing moves or frees the buffer, and a save waits until the last
// walk ends.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "foundation/message_ids.h"
#include "notestore/datafile_format.h"
#include "notestore/datafile_identity.h"

// Limits of the store's tables.
enum {
    kMaxTags = 50,
    kMaxNotesPerTag = 50,
    kMirrorTextRecords = 10000,
    kRecentDatafiles = 8,
    kMinuteBackupsKept = 10,   // per-minute backups of the data file kept while editing
};

class AIStringTable;
class AIStringList;
struct SettingsRecord;


// One record of the mirror-text table: the current text of a note whose text
// lives in its mark-up mirror file, kept for full-text search.
struct MirrorTextRecord {
    uint32_t key1;   // both keys non-zero while the record is in use
    uint32_t key2;
    WCHAR* text;     // UTF-16, begins with the note's U+00A4; LocalAlloc block
    int32_t age;     // -1 unused
};

// How messages reach the user. The dialogs connect ShowMessage here; until
// then (and in tests) the id and inserts are only remembered.
typedef void (*NoteStoreMessageHook)(int32_t messageId, const WCHAR* insert1,
                                     const WCHAR* insert2, const WCHAR* insert3);

// The settings of the sync engine. CheckSyncFolders copies the two settings
// into the two paths (with a trailing backslash).
struct NoteSyncState {
    AIString SyncFolderSetting;
    AIString ShareFolderSetting;
    AIString SyncFolderPath;     // empty: no sync folder
    AIString ShareFolderPath;    // empty: no share folder
    int32_t editMarkerHeld;      // 1 while this user holds the current note's edit marker
};

struct NoteStore {
    // The open data file.
    AIString datafilePath;
    AIString dataFolder;       // with trailing backslash
    AIString notesFolder;      // with trailing backslash
    int32_t loaded;
    int32_t readOnly;
    int32_t unicode;           // 1: the file is UTF-16 (the only kind accepted)
    HANDLE fileHandle;         // held open while loaded; INVALID_HANDLE_VALUE otherwise
    DatafileIdentity identity; // the file as last loaded or saved

    // The whole file after its byte-order mark, terminated by 0 and followed
    // by the guard bytes 7B DE 6F. Read it through GetDatafileBuffer.
    WCHAR* buffer;
    int32_t bufferChars;       // characters before the terminating zero
    uint32_t generation;       // changes whenever the buffer is replaced or freed
    int32_t walkCount;         // walkers holding the buffer
    int32_t savePending;       // a save asked for during a walk; runs when the walk ends

    // The note index: items "title:value" in title order (compared ignoring
    // case, the order of the data file); titles keep their spelling, a blank
    // stored as "_". Its count is the number of notes.
    AIStringTable* noteIndex;

    // The current note.
    int32_t currentIndex;      // -1 none
    AIString currentTitle;
    AIString currentText;      // LoadNoteText: the text after the title line (body and link
                               // block); OpenCurrentNote: the body only
    AIStringTable* hyperlinks; // "label:target" of the current note, ":" in labels as U+00B1
    int32_t hiddenLinkChars;   // length of the current note's link block

    AIStringList* recentlyViewed;

    // Tags: at most 50 names, per tag at most 50 titles.
    AIStringList* tagNames;
    AIStringList* tagNotes[kMaxTags];

    // Notes whose current text lives in their mirror files, and those texts.
    AIStringList* mirrorNotes;
    MirrorTextRecord mirrorTexts[kMirrorTextRecords];
    int32_t mirrorAgeThreshold;

    // Web-capture image table: image name -> page address, saved when changed.
    AIStringTable* webCaptureImages;

    // Where recent data files are kept; null means the application's settings.
    SettingsRecord* settings;

    NoteSyncState sync;

    // Messages.
    NoteStoreMessageHook messageHook;
    int32_t lastMessageId;     // the last message raised (0 none)
    AIString lastMessageInserts[3];

    NoteStore();
};

extern NoteStore g_noteStore;

// ---- Messages ----
void SetNoteStoreMessageHook(NoteStoreMessageHook hook);

// ---- Loading, saving, closing ----

// Opens, validates and indexes the data file. 1 on success (ResultFlag 1);
// 0 when refused, with its message raised and the file untouched; the store
// keeps the file it had open before. Refused while a walk is held.
int32_t LoadDatafile(const WCHAR* path);

// Results of a save.
enum { kSaveFailed = 0, kSaveDone = 1, kSaveDeferred = 2, kSaveNothing = 3, kSaveChangedOnDisk = 4 };

// Saves the data file when one is open and its notes changed: a temporary
// copy, flushed, replaces the file; the previous version stays as the
// backup. Nothing changed: nothing is written (kSaveNothing). A file that
// another program changed since it was loaded or saved is never written
// over (kSaveChangedOnDisk; ReloadDatafileKeepingEdits takes it up). A
// failure at any step leaves the old file whole and reports it. During a
// walk the save is deferred (kSaveDeferred) and runs when the last walk ends.
int32_t SaveDatafileIfOpen();
// Writes the current notes to another path (the open file stays as it is).
// A copy does not wait for a walk: during one it fails (kSaveFailed).
int32_t SaveDatafileCopy(const WCHAR* path);

// ---- Changes made by others ----
// 1 when the data file on disk is no longer the file this store last loaded
// or saved (its size or content differ; a new time alone is no change).
int32_t HasDatafileChangedOnDisk();
// 1 when the notes hold changes the data file does not have yet: notes
// edited, created, renamed or deleted, or side files found at the open.
int32_t HasUnsavedNotes();
// Loads the data file as it now stands on disk and keeps the notes changed
// here, by the rule of note_merge.h: where both sides edited a note, the
// other side's text is kept as a note "<title> (other copy)" beside it
// (*copiesMade counts them). 1 when loaded; 0 when the file is refused or a
// copy cannot be written, and then the store stays as it was.
int32_t ReloadDatafileKeepingEdits(int32_t* copiesMade);

// Closes the data file's handle (the store stays loaded).
void CloseDatafileHandle();
// Forgets the open data file (after saving nothing). Refused during a walk.
int32_t CloseDatafile();

// Keeps the eight recent data-file paths in the settings, newest first.
void AddRecentDatafile(SettingsRecord& settings, const WCHAR* path);

int32_t IsDatafileReadOnly();
int32_t IsDatafileLoaded();

// ---- The buffer ----
// The whole file as one buffer: each note opened by U+00A4, terminated by 0.
// A walker may write a 0 over a note mark and must put it back before it
// lets go. Null when nothing is loaded.
WCHAR* GetDatafileBuffer();
int32_t GetDatafileBufferChars();
struct NoteSpan;
// The buffer's note marks in buffer order and *count of them (offsets into
// GetDatafileBuffer); null with *count 0 when no buffer is installed.
const NoteSpan* GetDatafileSpans(int32_t* count);
uint32_t GetDatafileGeneration();
void BeginDatafileWalk();
void EndDatafileWalk();     // runs a deferred save when the last walk ends
// 1 when the guard bytes behind the buffer are intact.
int32_t CheckDatafileGuard();

// ---- Notes ----
int32_t GetNoteCount();
// The index value of note i (kIndexNoValue when i is out of range).
int32_t GetNoteIndexValue(int32_t noteIndex);
// The title of note i ("" when out of range), blanks as "_".
int32_t GetNoteTitle(int32_t noteIndex, AIString& title);

// prefix 0: the note whose title equals the text, ignoring case, blanks
// compared as "_"; prefix 1: the first title beginning with the text.
// Returns the note index, or -1 with ResultFlag 0. `unused` is not read.
int32_t FindNoteByTitle(const WCHAR* title, int32_t unused, int32_t prefix);

// Loads note i's text after its title line (body and link block) into
// currentText, from the buffer or its mirror file. flags: 0. 1 on success.
int32_t LoadNoteText(int32_t noteIndex, int32_t flags);
// The same text into the caller's own string; currentText is not touched
// (previews read other notes this way while the current one is edited).
int32_t ReadNoteText(int32_t noteIndex, AIString& out);

// Makes note i the current note: its text, title, hyperlink table (from its
// link block) and hidden link length. 1 on success.
int32_t OpenCurrentNote(int32_t noteIndex);

// Stores the current note: `body` is the editor's text; the link block is
// made from the hyperlink table. Reserved characters are replaced; a note over
// kMaxNoteChars is first copied whole to a side file, then cut (message 46
// names the copy). The text goes to the note's mirror file. 1 on success.
// A file that cannot be written is reported with a question whether to try
// again; with askOnFailure 0 the store fails without asking.
int32_t StoreCurrentNote(const WCHAR* body, int32_t askOnFailure = 1);

// Creates a note (its text in its mirror file until the next save); returns
// its index or -1 (invalid or used title).
int32_t CreateNote(const WCHAR* title, const WCHAR* body);
// Gives note i a new title (a change of letter case only is allowed); its
// text moves to the new title's mirror file. Returns the note's new index,
// or -1 (invalid title, or the title of another note).
int32_t RenameNote(int32_t noteIndex, const WCHAR* newTitle);
// Deletes note i: its text is kept as a deleted copy in the notes folder.
// The last note cannot be deleted (message 39). 1 on success. Until the next
// save the old text still stands in the buffer, its title no longer in the
// index (the same holds for the old text of an edited or renamed note).
int32_t DeleteNote(int32_t noteIndex);

// ---- Tags ----
int32_t GetTagCount();
int32_t FindTag(const WCHAR* name);                  // index or -1
int32_t AddTag(const WCHAR* name);                   // index, or -1 when 50 tags exist
int32_t AddTitleToTag(int32_t tagIndex, const WCHAR* title);  // 1 added or present, 0 full or bad index
int32_t RemoveTag(int32_t tagIndex);

// ---- Mirrors and side files ----
// Re-reads the mirror file of every note in the mirror-note list into the
// mirror-text table, from its first record on. Returns the number of records
// filled; does nothing (0) during a walk, which may be reading those texts.
int32_t ReloadNotesFromMirrors();
// Adds notes that exist only as "<title>.tavik.rtm" in the notes folder, and
// drops side-file-only notes whose file has gone. Returns the number of changes.
int32_t ScanNotesFolderForNewAndDeleted();

// ---- Folders and paths ----
const WCHAR* GetDataFolder();    // with trailing backslash, "" when nothing is loaded
const WCHAR* GetNotesFolder();   // with trailing backslash
// "rel:\rest" -> data folder + rest; any other path is copied. 1 when resolved.
int32_t ResolveRelativePath(const WCHAR* path, AIString& out);
// A path inside the data folder -> "rel:\rest"; any other path is copied.
// 1 when made relative.
int32_t MakeRelativePath(const WCHAR* path, AIString& out);

// ---- Sync and share folders (notestore/sync, docs/sync-folders.md) ----
// Safe and without effect while no folder is set.
// One pass with each folder set; 1 when every folder set was passed.
int32_t SyncFolders(int32_t full);
// Marks the current note in the share folder's edit markers as edited here.
// 0 when it is not shared, or another user holds it (then told).
int32_t SyncClaimEditMarker();
// Removes the marker this store holds (every change undone, another note
// shown, the file closed).
int32_t SyncReleaseEditMarker();
// 1 when another user edits the note in the share folder; holder gets the
// name. Such a note opens read-only.
int32_t IsNoteLockedByOther(const WCHAR* title, AIString& holder);

// What the last pass did, note by note counted.
struct SyncPassReport {
    int32_t pushed;        // texts sent to a folder
    int32_t pulled;        // texts taken from a folder
    int32_t deletedThere;
    int32_t deletedHere;
    int32_t conflicts;     // changed on both sides: both kept
    int32_t retried;       // copies still in transit
    int32_t failedFolders; // folders that could not be reached or written
    uint32_t pass;         // which pass of the run this is (1 the first; 0 none yet)
};
const SyncPassReport& GetLastSyncReport();
// What the engine tells the user (conflicts, locks, unreachable folders).
typedef void (*SyncNoticeHook)(const WCHAR* text);
void SetSyncNoticeHook(SyncNoticeHook hook);
const WCHAR* GetLastSyncNotice();
// Tests: called between the notes of a pass.
typedef void (*SyncPassProbe)(int32_t notesDone, void* context);
void SetSyncPassProbe(SyncPassProbe probe, void* context);
// Copies the folder settings into the engine's paths and checks the folders
// and their "sync", "images" and "revisions" subfolders. 1 when all set
// folders are usable.
int32_t CheckSyncFolders();
