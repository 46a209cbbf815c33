// The paste screen's large view: a picture stretched over a rectangle of the
// screen (the main window's client area), keeping its aspect ratio on a grey
// ground, in a window of its own above the backdrop and the host. It never
// takes the activation: the host keeps the keys and the mouse capture.
#pragma once
#include "foundation/win.h"

class AIImage;

// Shows (or moves and repaints) the view over `screenRect` with a copy of
// `image`, owned by `owner`; 0 when it could not be made.
HWND ShowLargeView(HWND owner, const RECT& screenRect, const AIImage& image);
void HideLargeView();
// The view's window while it shows, else 0.
HWND LargeViewWindow();
// Where a picture of w x h stands in a client area of cw x ch: as large as
// fits, centred.
RECT FitLargeView(int w, int h, int cw, int ch);
