// Putting a preview's text into a read-only rich edit pane: at most 50,000
// characters, the first line in bold when it is a heading-sized line, the
// pane's zoom, scrolled to the top.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// zoomPercent 0 leaves the pane's zoom as it is.
void ShowPreviewText(HWND pane, const AIString& text, int zoomPercent);
// Bolds the first line of the pane's text as ShowPreviewText does.
void BoldPreviewFirstLine(HWND pane, const WCHAR* text, int length);
