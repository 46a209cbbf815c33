// Where Ctrl+J (and Ctrl with a click) goes next in the note's text, whose
// paragraphs end in CR: with a selection, the next place the selected text
// stands; without one, the next line that begins as the caret's line does,
// else the next place the word around the caret stands. Letter case is
// ignored; the search goes round from the text's start. Pure text work.
#pragma once
#include "foundation/win.h"

// The position of the next occurrence, or -1 when there is none other than
// the current place.
int32_t NextOccurrence(const WCHAR* text, int32_t length, int32_t selStart, int32_t selEnd);
