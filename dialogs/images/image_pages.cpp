// Pages of the image list and the small pictures of the current page.
#include "dialogs/images/image_pages.h"
#include "dialogs/images/image_list.h"
#include "dialogs/images/image_list_rules.h"
#include "dialogs/images/image_thumbs.h"
#include "drawing/ai_dib.h"
#include "foundation/ai_string_table.h"
#include "imaging/ai_image.h"
#include "imaging/image_ops.h"
#include "notestore/note_store.h"

namespace {

struct SlotState
{
    AIDib slots[kThumbnailSlots];
    SIZE imageSizes[kThumbnailSlots] = {};  // each slot's picture's own size (the icon is padded)
    RECT pictures[kThumbnailSlots] = {};    // where each slot's icon shows the picture
    int loading = 0;  // the busy guard of a load that pumps
};

SlotState& Slots()
{
    static SlotState state;
    return state;
}

}  // namespace

void UpdateImagePaging(ImagePaging& paging, int itemCount)
{
    if (paging.gridSize < kMinGridSize) paging.gridSize = kMinGridSize;
    if (paging.gridSize > kMaxGridSize) paging.gridSize = kMaxGridSize;
    paging.pageCount = CalcImagePageCount(itemCount, paging.gridSize);
    if (paging.page > paging.pageCount) paging.page = paging.pageCount;
    if (paging.page < 1) paging.page = 1;
}

int ImageIndexOfCell(const ImagePaging& paging, int cell, int itemCount)
{
    int perPage = paging.gridSize * paging.gridSize;
    if (cell < 0 || cell >= perPage) return -1;
    int index = (paging.page - 1) * perPage + cell;
    return index < itemCount ? index : -1;
}

void FreeThumbnailSlots()
{
    for (AIDib& slot : Slots().slots) slot.FreeGdiObjects();
    for (SIZE& size : Slots().imageSizes) size = {0, 0};
    for (RECT& picture : Slots().pictures) SetRectEmpty(&picture);
}

RECT GetThumbnailSlotPicture(int slot)
{
    RECT none = {0, 0, 0, 0};
    if (slot < 0 || slot >= kThumbnailSlots || Slots().slots[slot].IsEmpty()) return none;
    return Slots().pictures[slot];
}

RECT FitThumbnailSlot(int slot, const RECT& cell, int emptySide)
{
    RECT picture = GetThumbnailSlotPicture(slot);
    if (IsRectEmpty(&picture)) return FitIntoCell(cell, emptySide, emptySide);
    return FitIntoCell(cell, picture.right - picture.left, picture.bottom - picture.top);
}

void DrawThumbnailSlot(HDC dc, int slot, const RECT& fitted)
{
    RECT picture = GetThumbnailSlotPicture(slot);
    if (!IsRectEmpty(&picture)) Slots().slots[slot].DrawPartStretched(dc, picture, fitted);
}

SIZE GetThumbnailSlotImageSize(int slot)
{
    if (slot < 0 || slot >= kThumbnailSlots) return {0, 0};
    return Slots().imageSizes[slot];
}

AIDib* GetThumbnailSlot(int slot)
{
    if (slot < 0 || slot >= kThumbnailSlots) return nullptr;
    return &Slots().slots[slot];
}

namespace {

int EnsureFiles(const WCHAR* item, const ThumbnailLoad& load, ThumbnailReport& report, ThumbResult& result)
{
    AIString path;
    ResolveRelativePath(item, path);
    if (path.StartsWithNoCase(L"file:")) path.DeleteRange(0, 5);
    ThumbRequest request;
    request.imagePath = path.GetText();
    request.tempFolder = load.tempFolder;
    request.screenWidth = load.screenWidth;
    request.screenHeight = load.screenHeight;
    if (!LoadOrMakeThumbFile(request, result)) {
        report.skipped++;
        report.lastReason.Copy(result.reason);
        return 0;
    }
    report.prepared++;
    if (result.made) report.made++;
    return 1;
}

}  // namespace

int LoadImageIcon(const WCHAR* item, int slot, const ThumbnailLoad& load, ThumbnailReport& report)
{
    AIDib* bitmap = GetThumbnailSlot(slot);
    if (!bitmap) return 0;
    bitmap->FreeGdiObjects();
    Slots().imageSizes[slot] = {0, 0};
    SetRectEmpty(&Slots().pictures[slot]);
    ThumbResult result;
    if (!EnsureFiles(item, load, report, result)) return 0;
    if (!bitmap->LoadImageFile(result.iconPath.GetText(), kImageJpg)) return 0;
    Slots().imageSizes[slot] = {result.imageWidth, result.imageHeight};
    Slots().pictures[slot] = PictureInIcon(bitmap->GetWidth(), bitmap->GetHeight(), result.copyWidth,
                                           result.copyHeight, result.imageWidth, result.imageHeight);
    return 1;
}

void PrepareThumbnails(const ThumbnailLoad& load, ThumbnailReport& report)
{
    report = ThumbnailReport();
    SlotState& state = Slots();
    if (state.loading) {
        report.busy = 1;
        return;
    }
    state.loading = 1;
    AIString value;
    for (int i = 0; i < load.limit; i++) {
        // The list may have changed during the last pump: read it afresh.
        AIStringTable& list = GetImageListTable();
        if (i >= list.GetCount()) break;
        list.GetValueAt(i, value);
        if (i < kThumbnailSlots) {
            if (!state.slots[i].GetHBitmap()) LoadImageIcon(value.GetText(), i, load, report);
        }
        else {
            ThumbResult result;
            EnsureFiles(value.GetText(), load, report, result);
        }
        if (load.pump && (!load.pump(load.context) || (load.stillWanted && !load.stillWanted(load.context)))) {
            report.stopped = 1;
            break;
        }
    }
    state.loading = 0;
}

namespace {

const int kGridMargin = 5;     // around the grid and between cells
const int kGridEdge = 10;      // right and bottom edge
const int kMinCellSide = 5;
// Narrow rectangles lose a column at these height-to-width ratios (in quarters).
const int kNarrowQuarters[] = {7, 10, 15};

}  // namespace

int LayoutThumbnailGrid(const RECT& area, int count, int gridSize, RECT* cells, int maxCells)
{
    int left = area.left + kGridMargin, top = area.top + kGridMargin;
    int w = area.right - kGridEdge - left, h = area.bottom - kGridEdge - top;
    int total = count;
    if (total > gridSize * gridSize) total = gridSize * gridSize;
    if (total > kThumbnailSlots) total = kThumbnailSlots;
    if (total > maxCells) total = maxCells;
    if (total <= 0 || w <= 0 || h <= 0) return 0;
    int columns = 1;
    while (columns * columns < total) columns++;
    for (int quarters : kNarrowQuarters)
        if (columns >= 2 && h * 4 > quarters * w) columns--;
    int rows = (total + columns - 1) / columns;
    int cellWidth = w / columns - kGridMargin, cellHeight = h / rows;
    if (cellWidth < kMinCellSide || cellHeight - kGridMargin < kMinCellSide) return 0;
    for (int k = 0; k < total; k++) {
        int column = k % columns + 1, row = k / columns;
        RECT& cell = cells[k];
        cell.left = left + (column - 1) * cellWidth + kGridMargin * column;
        cell.top = top + row * cellHeight;
        cell.right = cell.left + cellWidth;
        cell.bottom = cell.top + cellHeight - kGridMargin;
    }
    return total;
}

int HitTestThumbnailCell(const RECT* cells, int count, int x, int y)
{
    for (int k = 0; k < count; k++)
        if (x > cells[k].left && x < cells[k].right && y > cells[k].top && y < cells[k].bottom) return k;
    return -1;
}

RECT FitIntoCell(const RECT& cell, int width, int height)
{
    int cw = cell.right - cell.left, ch = cell.bottom - cell.top;
    RECT fitted = cell;
    if (width <= 0 || height <= 0 || cw <= 0 || ch <= 0) return fitted;
    int fw = cw, fh = (int)((int64_t)height * cw / width);
    if (fh > ch) {
        fh = ch;
        fw = (int)((int64_t)width * ch / height);
    }
    fitted.left = cell.left + (cw - fw) / 2;
    fitted.top = cell.top + (ch - fh) / 2;
    fitted.right = fitted.left + fw;
    fitted.bottom = fitted.top + fh;
    return fitted;
}

RECT PictureInIcon(int iconWidth, int iconHeight, int copyWidth, int copyHeight, int imageWidth, int imageHeight)
{
    RECT whole = {0, 0, iconWidth, iconHeight};
    if (iconWidth <= 0 || iconHeight <= 0 || copyWidth <= 0 || copyHeight <= 0 || imageWidth <= 0 ||
        imageHeight <= 0)
        return whole;
    int32_t copyShownWidth = 0, copyShownHeight = 0, pictureWidth = 0, pictureHeight = 0;
    ThumbnailFitSize(copyWidth, copyHeight, iconWidth, iconHeight, &copyShownWidth, &copyShownHeight);
    ThumbnailFitSize(imageWidth, imageHeight, copyWidth, copyHeight, &pictureWidth, &pictureHeight);
    int64_t copyLeft = (iconWidth - copyShownWidth) / 2, copyTop = (iconHeight - copyShownHeight) / 2;
    int64_t pictureLeft = (copyWidth - pictureWidth) / 2, pictureTop = (copyHeight - pictureHeight) / 2;
    // Copy pixels to icon pixels, rounded to the nearest.
    auto across = [&](int64_t x) { return (int)(copyLeft + (x * copyShownWidth + copyWidth / 2) / copyWidth); };
    auto down = [&](int64_t y) { return (int)(copyTop + (y * copyShownHeight + copyHeight / 2) / copyHeight); };
    RECT part = {across(pictureLeft), down(pictureTop), across(pictureLeft + pictureWidth),
                 down(pictureTop + pictureHeight)};
    // A picture far smaller than the screen keeps at least one pixel of the icon.
    if (part.right <= part.left) part.right = part.left + 1;
    if (part.bottom <= part.top) part.bottom = part.top + 1;
    return part;
}
