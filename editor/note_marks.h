// The note editor's link marks and inline effects, derived from the note's
// mark-up and the note store: hyperlink labels of the note's hyperlink table,
// addresses, tags and other notes' titles become link runs (their mark in the
// underline type), **bold**, //italic// and --strike-- get their effect.
// Nothing here changes the editor's text: the text saved is the text read,
// and neither the undo steps nor the modified flag move.
#pragma once
#include "foundation/win.h"
#include "foundation/message_ids.h"
#include <richedit.h>

class AIControl;

enum {
    kMaxAutomaticLinks = 1000,     // note links made in one note
};

// What one marking pass did.
struct NoteMarkCounts {
    int32_t hyperlinks;
    int32_t addresses;
    int32_t tags;
    int32_t noteLinks;
    int32_t effects;
    int32_t capHit;        // 1 when more titles were found than kMaxAutomaticLinks
    double scanMs;         // finding the runs in the text
    double writeMs;        // reading the text and writing the formats
};

// Makes this editor the one ShowNoteHyperlinks and ApplyLineTagsInEditor
// work on (null: none).
void InstallNoteMarks(AIControl* editor);
// Marks every hyperlink of the current note in the installed editor again.
void ShowNoteHyperlinks();
// Re-reads the installed editor's caret line: formats its tag and link words
// (reformat 1) and updates the tag lists.
void ApplyLineTagsInEditor(int32_t reformat);

// Marks the whole text from the store's current note: every kind of link
// (rich text drops them all, so after any load every kind is applied again)
// and the inline effects; adds the note to the tag lists of its tags.
// Raises message 29 when the note holds more than kMaxAutomaticLinks titles.
int32_t ShowAllNoteMarks(AIControl* editor, NoteMarkCounts* counts);

// Marks the paragraphs that [from, to) touches again from their text. A link
// run that ends at openEnd (a word still being typed) is left plain; -1: none.
int32_t MarkParagraphs(AIControl* editor, int32_t from, int32_t to, int32_t openEnd);

// After an edit of [from, to) inside one long body paragraph: marks the
// words around the edit and the runs they touch, writing only the formats
// that differ from those a marking of the whole paragraph gives, where
// `body` is the paragraph's own format. Returns the number of format writes,
// or -1 when the paragraph needs the whole treatment (a short paragraph, a
// heading or part of one, an edit over a paragraph end).
int32_t MarkAroundEdit(AIControl* editor, int32_t from, int32_t to, int32_t openEnd,
                       const CHARFORMAT2W& body);

// The line of the caret: with reformat 1 its marks are made again from its
// text; in any case its tags go into the store's tag lists.
int32_t ApplyLineMarks(AIControl* editor, int32_t reformat);
