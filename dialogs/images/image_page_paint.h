// The current note's pictures as a grid of small pictures for the main
// window: the page is prepared again only when the note or the number of its
// links changed, drawn fitted into a rectangle, and its cells kept for the
// mouse.
#pragma once
#include "foundation/win.h"
#include "dialogs/images/image_pages.h"

class AIStringTable;

struct ImagePageRequest
{
    int32_t noteIndex = -1;                // the current note
    const AIStringTable* links = nullptr;  // its link table (label ":" target)
    int (*isWebImage)(const WCHAR* item) = nullptr;
    int searchMode = 0;                    // 1 while full-text search shows: nothing is done
    int gridSize = kMinGridSize;
    ThumbnailLoad load;                    // where the small pictures are made
};

struct ImagePageResult
{
    int count = 0;       // pictures of the note
    int cellsDrawn = 0;  // cells drawn (the count when every slot was used)
};

// Prepares (when the note or its links changed, or without a device context)
// and with a device context draws the grid into rect.
ImagePageResult PrepareImagePage(HDC dc, const RECT& rect, const ImagePageRequest& request);
// Forgets the prepared page, so that the next call prepares it again.
void ForgetImagePage();

// Draws up to min(count, n x n, 40) small pictures of the list's first page
// into rect, the current picture (list index, -1 none) marked. Returns the
// cells drawn, or the item count when all 40 slots were drawn.
int PaintThumbnailGrid(HDC dc, const RECT& rect, int gridSize, int current);
// The cell of the last drawn grid holding (x, y) strictly inside, or -1.
int HitTestImagePage(int x, int y);

const COLORREF kEmptyThumbnailFill = RGB(250, 250, 250);
const COLORREF kThumbnailFrame = RGB(10, 10, 10);
const COLORREF kCurrentThumbnailMark = RGB(255, 50, 50);
const int kEmptyThumbnailSide = 350;
