// The result panel of full-text search: a child window of the content window
// that paints the search's progress, its help, and the page of ranked hits.
#pragma once
#include "foundation/win.h"

HWND CreateResultPanel(HWND content);
HWND GetResultPanel();
// The engine's hooks: the progress line, and the panel painted again.
void PaintSearchProgress(int32_t percent);
void InvalidateResultPanel();
void RepaintResultPanel();
// Paints the panel into a device context of the given size (the window's
// paint, and the benchmark).
void PaintSearchResults(HDC dc, const RECT& area);
