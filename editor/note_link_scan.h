// Finding the runs a note's mark-up shows as links and effects: hyperlink
// labels, addresses, tags, **bold**, //italic// and --strike-- (other notes'
// titles: note_title_matcher.h). Pure text work on the editor's text (a paragraph end counted
// once, as the editor's positions count it); nothing here touches a window.
#pragma once
#include "foundation/win.h"

enum NoteRunKind : int32_t {
    RunHyperlink = 1,  // a label of the note's hyperlink table, inside its brackets
    RunAddress = 2,    // http://, https://, www., mailto:
    RunTag = 3,        // "@" and the name
    RunNoteLink = 4,   // another note's title
    RunBold = 5,
    RunItalic = 6,
    RunStrike = 7,
};

struct NoteRun {
    int32_t start;
    int32_t end;
    int32_t kind;
};

// A growable array of runs in one LocalAlloc block.
struct NoteRunList {
    NoteRun* items;
    int32_t count;
    int32_t capacity;
};
void InitRunList(NoteRunList& list);
void FreeRunList(NoteRunList& list);
// 0 when memory ran out (the run is dropped).
int32_t AddRun(NoteRunList& list, int32_t start, int32_t end, int32_t kind);

// 1 when the line starting at lineStart is a heading line ("# ", "## ", "### ").
int32_t IsHeadingLineAt(const WCHAR* text, int32_t len, int32_t lineStart);

// Every "[label]" of the text: the run covers the label, the brackets stay
// outside it (they are text of the note, and the run's text is the label that
// the hyperlink table knows). Matched exactly, letter case included.
void FindHyperlinkLabels(const WCHAR* text, int32_t len, const WCHAR* label, int32_t labelLen, NoteRunList& out);

// Addresses beginning with http://, https://, www. or mailto: after a line
// start, blank or opening bracket; longer than 8 characters; trailing
// punctuation of the sentence is not part of them.
void FindAddresses(const WCHAR* text, int32_t len, NoteRunList& out);

// "@name" after a blank, TAB or line start (the store's rule for tags).
void FindTags(const WCHAR* text, int32_t len, NoteRunList& out);

// **bold**, //italic//, --strike-- within one line; the run covers the text
// between the markers. A "//" right after ":" (an address) opens nothing.
void FindInlineEffects(const WCHAR* text, int32_t len, NoteRunList& out);
