// A window of the program looked up each time a test uses it: the panes the
// program makes only when first needed are not there when a fixture starts.
#pragma once
#include "foundation/win.h"

struct LiveWindow {
    HWND (*find)();
    operator HWND() const { return find(); }
};
