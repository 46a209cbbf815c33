// Shows the note mark-up in the editor without changing the text: heading
// paragraphs ("# ", "## ", "### ") get their size, weight and heading mark,
// the others the body format. The mark-up characters stay, so the text saved
// is the text that was read.
#pragma once
#include "foundation/win.h"
#include <richedit.h>

// The body text's face and size for the notes shown from now on (null or 0
// keeps that one). The size stays below the smallest heading's, so that body
// text never reads as a heading; the size kept is returned.
int SetNoteBodyFont(const WCHAR* face, int points);
int NoteBodyPoints();
int NoteSmallestHeadingPoints();

// The body format as the editor's default and on all of its text: set once on
// the empty editor before a note's text goes in, the text takes it at no cost.
void SetNoteBodyFormat(HWND editor);
// Gives every heading paragraph its heading format (the rest keeps the body format).
void FormatNoteHeadings(HWND editor);
// Formats the paragraph holding `position` as its mark-up says: heading or body.
void FormatNoteParagraphAt(HWND editor, int position);
// The format FormatNoteParagraphAt gives the paragraph at `position`; returns
// its heading level (0: body text).
int NoteParagraphFormatAt(HWND editor, int position, CHARFORMAT2W* format);
// The heading level a line's text starts with (1-3), 0 for none.
int HeadingLevelOfLine(const WCHAR* text, int length);
