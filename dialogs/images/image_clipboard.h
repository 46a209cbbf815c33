// The picture shown large goes on the clipboard, so that it can be pasted
// into a note or another program right away.
#pragma once
#include "foundation/win.h"

class AIDib;

// Puts the bitmap on the clipboard as a 24-bit CF_DIB (an alpha plane is
// dropped). 1 on success, 0 when the bitmap is empty or the clipboard busy.
int PutDibOnClipboard(HWND owner, const AIDib& dib);
