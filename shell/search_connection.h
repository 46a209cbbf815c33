// Connects QuickSearch, the full-text result panel and the search engine to
// the shell: the search windows are made, the links filled in, and the panes
// laid out for full-text search while it shows.
#pragma once
#include "foundation/win.h"
#include "shell/panel_layout.h"

void ConnectSearch(HWND content);
// Places (or hides) the keyword field, the result panel and the preview pane
// for full-text search, over the normal layout l.
void LayOutFullTextSearch(const PanelLayout& l);
