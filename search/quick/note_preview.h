// A note's text in the preview pane: a head line in bold, then the body (the
// link block left out). The store's current note is left as it was.
#pragma once
#include "foundation/win.h"

// 1 when the note could be read.
int FillNotePreview(HWND pane, int32_t noteIndex, const WCHAR* head);
