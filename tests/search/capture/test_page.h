// The tall page the test browser shows and the capture test checks: a tool
// bar of its own colour, then page rows each of a colour of its own.
#pragma once
#include "foundation/win.h"

const int kTestToolBarRows = 30;
const COLORREF kTestToolBarColour = RGB(90, 90, 120);

inline COLORREF TestPageRowColour(int y) { return RGB(y & 0xFF, 40 + (y >> 8) * 20, 255 - (y & 0x7F)); }
