// The drop caret: while something is dragged over the editor, a caret shows
// where the drop would go in; the editor's selection stays as it is.
#pragma once
#include "foundation/win.h"
#include <stdint.h>

// The insertion point nearest to a point of the editor's client area: before
// the character under it, or after it when the point lies in its right half.
// -1 when the editor has no text position there.
int32_t DropInsertionPoint(HWND editor, POINT client);

// Draws the caret at the insertion point nearest to the point (moving it
// from where it was); hides it where there is none.
void ShowDropCaret(HWND editor, POINT client);
void HideDropCaret();

// Where the caret shows: the insertion point, -1 while hidden; its rectangle.
int32_t DropCaretPosition();
RECT DropCaretRect();
