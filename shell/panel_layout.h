// Where the panes of the content window go, worked out from its size alone so
// that the rules can be checked without a window.
#pragma once
#include "foundation/win.h"

enum {
    kDefaultSplitX = 260,
    kMinListWidth = 140,
    kMinEditorWidth = 220,
    kSplitterWidth = 6,
    kSearchHeight = 26,
    kStatusHeight = 24,
    kMargin = 4,
    kMinPreviewHeight = 60,
    kIncSearchHeight = 26,
};

struct PanelLayout {
    RECT quickSearch;
    RECT noteList;
    RECT preview;
    RECT splitter;
    RECT editor;
    RECT incSearch;     // empty unless incremental search is on
    RECT replace;       // empty unless replacing
    RECT status;
    int32_t splitX;     // the split actually used (clamped)
};

// width and height: the content window's client size. splitX: the wanted left
// edge of the splitter. incSearch: 0 off, 1 search box, 2 search and Replace box.
// Panes never overlap, never have a negative size, and the editor keeps its
// minimum width before the list does.
void ComputePanelLayout(int width, int height, int splitX, int incSearch, PanelLayout* out);

// The split after dragging the splitter to x, clamped like the layout clamps it.
int ClampSplitX(int width, int splitX);
