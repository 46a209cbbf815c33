// The note list's rows: the list box keeps no strings, only the number of
// notes; each row is drawn from the note index when it shows, and letter keys
// are answered from the index too.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// The title a row shows: the note's title in its shown form ("" past the end).
void NoteListRowTitle(int row, AIString& shown);
// Fills the list with one row per note (keeps no strings: a load of many
// notes costs no string copies).
void SetNoteListRowCount(HWND list, int count);
// Rows as high as a plain list box makes them for `font` (an owner-drawn
// list keeps the height it had before its font was set).
void SetNoteListRowHeight(HWND list, HFONT font);
// WM_DRAWITEM for the note list: 1 when the item was the list's.
int NoteListDrawItem(HWND list, const DRAWITEMSTRUCT* item);
// WM_CHARTOITEM: the next row after `caret` (wrapping) whose shown title
// begins with `typed`, ignoring case; -2 (nothing to do) when no title does.
int NoteListRowForChar(WCHAR typed, int caret, int count);
