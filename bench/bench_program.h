// The program's own frame and content window for the benchmarks that measure
// it as the user meets it (no data file opened yet).
#pragma once
#include "foundation/win.h"

// The frame, shown; 0 (and a line saying so) when it could not be made.
HWND StartBenchProgram();
