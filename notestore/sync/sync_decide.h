// What a pass does with one note, from three versions of it: the base (the
// note as this data file and the folder last agreed on it, kept in the
// store's sync state), here (the note in this data file now) and there (the
// copy in the folder now). Versions are compared by content hashes, never by
// times: the clocks of two machines need not agree. Pure functions.
#pragma once
#include "foundation/win.h"

enum SyncSideState {
    kSideAbsent = 0,     // no such note on this side (never there, or deleted)
    kSideSame,           // as in the base
    kSideChanged,        // other text than the base, or new
    kSideInTransit,      // there only: the copy is still arriving or being written
};

enum SyncAction {
    kSyncNothing = 0,
    kSyncPush,           // the text here goes to the folder (its old copy to revisions)
    kSyncPull,           // the folder's text comes here (the old text here to revisions)
    kSyncDeleteThere,    // deleted here: the copy goes to revisions, its line leaves the list
    kSyncDeleteHere,     // deleted there: the note here is deleted, its text kept in revisions
    kSyncAdopt,          // both sides hold the same text: only the base is recorded
    kSyncConflict,       // both changed: the text here stays and goes out, the folder's text
                         // becomes a conflict note beside it and a revision
    kSyncForget,         // gone on both sides: the base forgets the note
    kSyncRetryLater,     // the copy is in transit: nothing now, the next pass looks again
};

// inBase: the base knows the note. sameText: here and there hold the same
// text (read only when both changed or the base does not know the note).
SyncAction DecideSync(int32_t inBase, SyncSideState here, SyncSideState there, int32_t sameText);

// Whether a copy in the folder is whole, from the file list's line for it
// and the copy itself: listed hash and stamp, the copy's own hash, its
// last-write time, and whether its bytes decode.
enum SyncCopyState {
    kCopyWhole = 0,      // its hash is the listed one
    kCopyEditedOutside,  // written after the list's stamp and decodes: edited by hand elsewhere
    kCopyInTransit,      // does not decode, or the list is newer than the copy
};
SyncCopyState JudgeCopy(uint64_t listedHash, uint64_t listedStamp, uint64_t copyHash, uint64_t copyWriteTime,
                        int32_t decodes);
