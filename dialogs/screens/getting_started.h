// The getting started guide's state, as its window shows it.
#pragma once
#include "foundation/win.h"

int32_t GettingStartedPage();           // the page asked for (1 to 31)
int32_t GettingStartedDisplayedPage();  // the page the fade shows now
