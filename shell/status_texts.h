// The status-line texts that carry a title, a path or another text from
// outside the program. The status line reads mark-up, so every outside text
// goes in escaped: a title "a<b>" or a path with "&" shows as it is.
#pragma once
#include "foundation/ai_string.h"

// "<b>Title</b> - 12 notes" for the note shown (blanks for "_", "1 note").
void ComposeShownNoteStatus(const WCHAR* title, int32_t noteCount, AIString& out);
// The data file at `path` could not be opened.
void ComposeOpenFailedStatus(const WCHAR* path, AIString& out);
// Appends an outside text so that it shows as written, never as mark-up.
void AppendOutsideText(AIString& markup, const WCHAR* text);
