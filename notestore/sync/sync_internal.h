// What the sync engine's source files share: the folders' file names, the
// engine's state for the run, and the file steps every pass takes.
#pragma once
#include "notestore/note_store_internal.h"
#include "notestore/sync/sync_table.h"

// The two folders a pass works on.
enum SyncFolderKind { kSyncFolder = 0, kShareFolder = 1, kSyncFolderKinds = 2 };

extern const WCHAR kListHeader[];    // the folder's file list
extern const WCHAR kStateHeader[];   // this data file's base for a folder
enum {
    kListFields = 4,    // copy hash, stamp, bytes, owner
    kStateFields = 2,   // hash of the text here, hash of the copy there
};
enum { kListHash = 0, kListStamp = 1, kListBytes = 2, kListOwner = 3 };
enum { kStateHere = 0, kStateThere = 1 };

// Names inside a folder.
extern const WCHAR kListFileName[];     // "tavik.files"
extern const WCHAR kMarkerFileName[];   // "tavik.edit"
extern const WCHAR kLogFileName[];      // "tavik.log"
extern const WCHAR kCopiesFolder[];     // "sync\\"
extern const WCHAR kImagesFolder[];     // "images\\"
extern const WCHAR kRevisionsFolder[];  // "revisions\\"

// The engine's state for the run.
struct SyncEngine {
    AIString heldMarkerTitle;                  // the note whose marker this store holds
    int32_t unreachableTold[kSyncFolderKinds]; // the folder's outage was announced
    SyncNoticeHook noticeHook;
    AIString lastNotice;
    SyncPassReport report;
    SyncTable* unreadableCopies[kSyncFolderKinds]; // copies that did not decode: time, size, told
    SyncPassProbe probe;                       // tests: called between notes
    void* probeContext;
};
extern SyncEngine g_syncEngine;

// The folder of a kind (with trailing backslash), "" when not set.
const AIString& SyncFolderOf(SyncFolderKind kind);
// The path of a note's copy in a folder.
void CopyPathOf(const AIString& folder, const WCHAR* title, AIString& out);
// 1 when the folder is there and is a folder.
int32_t IsFolderReachable(const AIString& folder);

// This store's owner id and the name shown to others (user and computer).
uint64_t StoreOwnerId();
void StoreOwnerName(AIString& out);
// The time now as a file time (UTC).
uint64_t NowStamp();

// Reads a line file. 1 when read (a missing file reads as an empty table,
// *missing 1); 0 when it exists but cannot be read or is cut short.
int32_t ReadLineFile(const WCHAR* path, const WCHAR* header, int32_t fields, SyncTable& table, int32_t* missing);
// Writes a line file (UTF-8) through a temporary copy and a replace.
int32_t WriteLineFile(const WCHAR* path, const WCHAR* header, const SyncTable& table);
// Writes bytes through a temporary copy beside the path and a replace; the
// file then bears the given time (when not null). The temporary copy is
// temporaryPath, or the path + ".tmp" when that is null. kFlushFirst puts the copy
// on the disk before the replace (the list and the base: they name what
// must be there); a note's copy is not flushed one by one, since a copy the
// list does not match is sent again by its writer. 1 on success.
enum SyncFlush { kNoFlush = 0, kFlushFirst = 1 };
int32_t WriteFileThroughTemporary(const WCHAR* path, const void* bytes, int64_t size, const uint64_t* writeTime,
                                  SyncFlush flush, const WCHAR* temporaryPath = 0);

// Keeps a note's text in the folder's "revisions" (UTF-8, named by the
// title and the text's hash: the same text is kept once). 1 when it is there.
int32_t KeepRevision(const AIString& folder, const WCHAR* title, const WCHAR* text, int32_t len);
// Keeps a copy that is not text (its bytes as they are) in the folder's
// "revisions", named by the title and the bytes' hash. 1 when it is there.
int32_t KeepUnreadableRevision(const AIString& folder, const WCHAR* title, const AIString& copyPath);
// The folder's log: a pass gathers its lines and appends them; what came
// here is appended at once, so that a pass cut short leaves its lines.
void AppendSyncLogLine(AIString& lines, const WCHAR* action, const WCHAR* title);
void WriteSyncLog(const AIString& folder, const AIString& lines);
// Tells the user (through the notice hook) and remembers the text.
void RaiseSyncNotice(const WCHAR* text);

// The hash of a note's text (UTF-16 code units).
uint64_t HashNoteText(const WCHAR* text, int32_t len);

// Stamps this store's edit marker anew (a pass does it, so that a marker
// held while editing never goes stale).
void RefreshOwnEditMarker();
