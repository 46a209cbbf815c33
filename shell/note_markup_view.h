// Shows the note mark-up in the editor without changing the text: heading
// lines ("# ", "## ", "### ") get their size, weight and heading mark, other
// lines the plain format. The mark-up characters stay, so the text saved is
// the text that was read.
#pragma once
#include "foundation/win.h"

// line -1 formats every line, else only that line.
void ApplyNoteMarkupFormatting(HWND editor, int line);
// The heading level a line's text starts with (1-3), 0 for none.
int HeadingLevelOfLine(const WCHAR* text, int length);
