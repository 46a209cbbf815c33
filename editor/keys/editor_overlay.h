// The frame drawn around the incremental search's current match, over the
// editor's own painting. It is drawn, never invalidated, inside the editor's
// WM_PAINT: the place a frame leaves is cleared by a message of its own.
#pragma once
#include "foundation/win.h"

// The editor's own message that clears the place of an earlier frame.
enum : UINT { kMsgClearSearchFrame = WM_APP + 0x105 };

LRESULT EditorPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditorClearSearchFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// How often the editor painted (a repaint loop shows as a count that grows while idle).
int32_t EditorPaintCount();
// The frame drawn last (empty when none).
RECT EditorSearchFrame();
