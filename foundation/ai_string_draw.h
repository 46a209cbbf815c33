// The drawing state an AIString carries once a drawing call needs it.
#pragma once
#include "foundation/win.h"

struct AIStringDrawState {
    LOGFONTW font;
    COLORREF colour;
    UINT drawFlags;   // DrawText flags: alignment, word break, tab expansion
    HFONT cachedFont; // made from `font` on first use, dropped when it changes
};

void FreeDrawState(AIStringDrawState* state);
