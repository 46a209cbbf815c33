// A window's paint drawn into a memory bitmap of its client size (kept from
// one paint to the next) and copied to the window at the end.
#pragma once
#include "foundation/win.h"

class AIDib;

struct BufferedPaint {
    PAINTSTRUCT ps;
    HDC windowDC;
    HDC memory;  // 0 when the client area is empty or no bitmap could be made
    int width;
    int height;
};

void BeginBufferedPaint(HWND window, AIDib& buffer, BufferedPaint& paint);
// Copies the picture to the window (when there is one) and ends the paint.
void EndBufferedPaint(HWND window, AIDib& buffer, BufferedPaint& paint);
