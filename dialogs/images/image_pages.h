// The image list's pages: the grid size and the current page, and the small
// pictures of the current page held in memory (at most kThumbnailSlots), each
// loaded from its ".icon" file, which is made first when it is missing or
// older than the picture. Loading pumps messages between pictures; a second
// load asked for meanwhile does nothing, and a load whose list changed during
// a pump stops.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

class AIDib;

const int kThumbnailSlots = 40;
const int kMinGridSize = 3;
const int kMaxGridSize = 6;

struct ImagePaging
{
    int gridSize = kMinGridSize;  // n: n x n cells a page
    int page = 1;                 // from 1
    int pageCount = 1;
};
// Clamps the grid size, recomputes the page count for itemCount and lowers
// the page to it when it lies beyond.
void UpdateImagePaging(ImagePaging& paging, int itemCount);
// The list index of a cell of the current page, or -1 when there is none.
int ImageIndexOfCell(const ImagePaging& paging, int cell, int itemCount);

struct ThumbnailLoad
{
    const WCHAR* tempFolder = nullptr;
    int screenWidth = 0;
    int screenHeight = 0;
    int limit = kThumbnailSlots;  // pictures to prepare (slots beyond 40 only make files)
    void* context = nullptr;
    int (*pump)(void* context) = nullptr;         // between pictures; 0 stops
    int (*stillWanted)(void* context) = nullptr;  // after each pump; 0 stops
};

struct ThumbnailReport
{
    int prepared = 0;      // pictures whose files exist now
    int made = 0;          // of them, files made (not reused)
    int skipped = 0;       // pictures that could not be read
    AIString lastReason;   // why the last one was skipped
    int stopped = 0;       // 1 when a pump or a change stopped the load
    int busy = 0;          // 1 when another load was running: nothing done
};

// Frees every slot.
void FreeThumbnailSlots();
// The bitmap of slot (null when out of range); empty when nothing is loaded.
AIDib* GetThumbnailSlot(int slot);
// The own size of the picture whose icon a slot holds ({0, 0} when empty or
// out of range): the icon is padded to a square, so aspect tests read this.
SIZE GetThumbnailSlotImageSize(int slot);
// The part of a slot's bitmap that shows the picture (the icon without the
// copy's white padding and the icon's dark bands); empty when nothing is loaded.
RECT GetThumbnailSlotPicture(int slot);
// A slot's picture fitted and centred into cell (a slot without one counts as
// emptySide x emptySide), and the picture drawn there when the slot holds one.
RECT FitThumbnailSlot(int slot, const RECT& cell, int emptySide);
void DrawThumbnailSlot(HDC dc, int slot, const RECT& fitted);
// Frees the slot's bitmap, ensures the item's files and loads its icon.
// item is a list value ("rel:\images\name" or a path).
int LoadImageIcon(const WCHAR* item, int slot, const ThumbnailLoad& load, ThumbnailReport& report);
// Prepares the pictures of the image list from its first one: the first
// kThumbnailSlots into their slots, the rest up to the limit as files only.
void PrepareThumbnails(const ThumbnailLoad& load, ThumbnailReport& report);

// The cells of a page's grid inside a rectangle: at most kThumbnailSlots, in
// about as many columns as rows, fewer columns in a tall narrow rectangle.
// cells receives up to maxCells rectangles; returns the number laid out (0
// when the rectangle is too small for a cell).
int LayoutThumbnailGrid(const RECT& area, int count, int gridSize, RECT* cells, int maxCells);
// The cell holding (x, y) strictly inside, or -1.
int HitTestThumbnailCell(const RECT* cells, int count, int x, int y);
// Fits a picture of width x height into a cell keeping its aspect, centred.
RECT FitIntoCell(const RECT& cell, int width, int height);
// The picture's part of its icon: the screen-size copy holds the picture
// (never enlarged) centred on a white canvas of copyWidth x copyHeight, and
// the icon holds that copy fitted and centred. The whole icon when a size is
// unknown (0).
RECT PictureInIcon(int iconWidth, int iconHeight, int copyWidth, int copyHeight, int imageWidth, int imageHeight);
