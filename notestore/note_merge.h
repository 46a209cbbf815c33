// Putting the notes edited here together with a data file that another
// program (or a second instance) changed meanwhile. Three versions of each
// note are compared: the base (the file as this program last loaded or
// saved it), here (this program's notes now) and outside (the file on disk
// now). The rule, note by note:
//   - changed on one side only: that side's version wins (a deletion too);
//   - changed on both sides to the same text: that text, once;
//   - edited here and deleted outside: the note edited here stays;
//   - deleted here and edited outside: the outside version comes back (the
//     deleted copy stays in the notes folder's "deleted" folder);
//   - edited on both sides: both texts are kept. The note keeps its title and
//     the text edited here; the outside text becomes a note of its own beside
//     it, titled "<title> (other copy)" (stored as "<title>_(other_copy)",
//     cut to fit 30 characters, "_2", "_3", ... when that title is taken).
// Pure functions: no files and no windows here.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// One side's version of a note: its text after the title line (body and
// link block). text null: that side has no such note.
struct NoteVersion {
    const WCHAR* text;
    int32_t len;
};

enum NoteMergeAction {
    kMergeTakeOutside = 0,   // the note as the file on disk has it, or without it
    kMergeKeepHere,          // the version here wins
    kMergeDropDeletedHere,   // deleted here, unchanged outside: it stays deleted
    kMergeKeepBoth,          // the version here under the title, the outside one as a copy
};

// hereChanged: the note was edited, created, deleted or renamed here since
// the base (a note whose text lives in its side file counts as edited).
NoteMergeAction DecideNoteMerge(const NoteVersion& base, const NoteVersion& here, int32_t hereChanged,
                                const NoteVersion& outside);

// 1 when both versions are absent, or both present with the same text.
int32_t SameNoteVersion(const NoteVersion& a, const NoteVersion& b);

// Whether a stored title is in use (any letter case).
typedef int32_t (*TitleTakenFn)(const WCHAR* title, void* context);

// The stored title of the copy that keeps the other side's text beside the
// note `title`. 1 with a free title in out; 0 when none is free.
int32_t MakeOtherCopyTitle(const WCHAR* title, TitleTakenFn isTaken, void* context, AIString& out);
