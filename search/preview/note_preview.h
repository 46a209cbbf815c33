// A note's text in a preview pane: a head line in bold, then the body (the
// link block left out). The note is read into the preview's own buffer: the
// store's current note is never touched.
#pragma once
#include "foundation/win.h"

// 1 when the note could be read.
int FillNotePreview(HWND pane, int32_t noteIndex, const WCHAR* head, int zoomPercent = 0);
