// A visible host window with a rich edit in it, for the editor benchmarks.
#pragma once
#include "foundation/win.h"
#include "ui/ai_control.h"

// Creates the host and the editor (780 x 560); 0 when the rich edit cannot be made.
HWND CreateBenchEditorHost(AIControl& editor);
