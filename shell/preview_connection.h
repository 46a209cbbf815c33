// Connects the link preview pane and the text pipelines (PDF text, word
// look-up) to the content window: the pane is made, its links and the
// editor's hover filled in.
#pragma once
#include "foundation/win.h"

void ConnectPreview(HWND content);
