// The editor's zoom: the RichEdit ratio read as a percentage (a ratio of 0/0
// is 100 %), and its display on the status line.
#pragma once
#include "foundation/win.h"

int32_t EditorZoomPercent(HWND editor);
// Shows "Zoom: n %" and refreshes the editor's status.
void ShowEditorZoomStatus(int32_t percent);
