// The current note's pictures as a grid for the main window.
#include "dialogs/images/image_page_paint.h"
#include "dialogs/images/image_list.h"
#include "dialogs/images/image_list_rules.h"
#include "dialogs/screen_frame.h"
#include "drawing/ai_dib.h"
#include "foundation/ai_string_table.h"

namespace {

struct PageCache
{
    int32_t noteIndex = -1;
    int linkCount = -1;
    int count = 0;
    RECT cells[kThumbnailSlots];
    int cellCount = 0;
};

PageCache& Cache()
{
    static PageCache cache;
    return cache;
}

}  // namespace

void ForgetImagePage()
{
    Cache().noteIndex = -1;
    Cache().linkCount = -1;
}

ImagePageResult PrepareImagePage(HDC dc, const RECT& rect, const ImagePageRequest& request)
{
    PageCache& cache = Cache();
    ImagePageResult result;
    if (request.searchMode) {
        result.count = cache.count;
        return result;
    }
    int linkCount = request.links ? request.links->GetCount() : 0;
    // The image browser may have put the whole folder's pictures in the list.
    if (ImageListHoldsAllImages()) ForgetImagePage();
    if (!dc || request.noteIndex != cache.noteIndex || linkCount != cache.linkCount) {
        FreeThumbnailSlots();
        ClearImageList();
        AIStringTable& list = GetImageListTable();
        if (request.links && linkCount) CollectNoteImageItems(*request.links, request.isWebImage, list);
        ThumbnailLoad load = request.load;
        int perPage = request.gridSize * request.gridSize;
        load.limit = perPage < kThumbnailSlots ? perPage : kThumbnailSlots;
        load.pump = nullptr;  // no progress for the main window's grid
        ThumbnailReport report;
        PrepareThumbnails(load, report);
        cache.noteIndex = request.noteIndex;
        cache.linkCount = linkCount;
        cache.count = GetImageCount();
    }
    result.count = cache.count;
    if (dc) result.cellsDrawn = PaintThumbnailGrid(dc, rect, request.gridSize, GetCurrentImageIndex());
    return result;
}

int PaintThumbnailGrid(HDC dc, const RECT& rect, int gridSize, int current)
{
    PageCache& cache = Cache();
    int count = GetImageCount();
    if (gridSize < kMinGridSize) gridSize = kMinGridSize;
    if (gridSize > kMaxGridSize) gridSize = kMaxGridSize;
    cache.cellCount = LayoutThumbnailGrid(rect, count, gridSize, cache.cells, kThumbnailSlots);
    for (int k = 0; k < cache.cellCount; k++) {
        AIDib* slot = GetThumbnailSlot(k);
        int empty = !slot || slot->IsEmpty();
        RECT fitted = FitThumbnailSlot(k, cache.cells[k], kEmptyThumbnailSide);
        if (empty) FillSolid(dc, fitted.left, fitted.top, fitted.right, fitted.bottom, kEmptyThumbnailFill);
        else DrawThumbnailSlot(dc, k, fitted);
        FrameSolid(dc, fitted, kThumbnailFrame);
        if (k == current) {
            RECT mark = fitted;
            InflateRect(&mark, 2, 2);
            FrameSolid(dc, mark, kCurrentThumbnailMark);
        }
    }
    return cache.cellCount == kThumbnailSlots ? count : cache.cellCount;
}

int HitTestImagePage(int x, int y)
{
    return HitTestThumbnailCell(Cache().cells, Cache().cellCount, x, y);
}
