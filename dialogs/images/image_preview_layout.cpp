// The arithmetic of image previews: fitting, paging and the thumbnail's place.
#include "dialogs/images/image_preview_layout.h"

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

// Picture pixels per 1000 area pixels; at least 1 so that it always divides.
int Ratio(int picture, int area)
{
    int64_t ratio = (int64_t)picture * kScaleOneToOne / area;
    return ratio < 1 ? 1 : ratio > INT32_MAX ? INT32_MAX : (int)ratio;
}

// A picture length shown at scale, at least one pixel.
int Shown(int picture, int scale)
{
    int64_t shown = (int64_t)picture * kScaleOneToOne / scale;
    return shown < 1 ? 1 : (int)shown;
}

// A shown length back in picture pixels, within the picture.
int Unshown(int shown, int scale, int picture)
{
    int64_t back = (int64_t)shown * scale / kScaleOneToOne;
    return back > picture ? picture : (int)back;
}

RECT Centred(const RECT& area, int width, int height)
{
    RECT r;
    r.left = area.left + (Width(area) - width) / 2;
    r.top = area.top + (Height(area) - height) / 2;
    r.right = r.left + width;
    r.bottom = r.top + height;
    return r;
}

}  // namespace

PreviewPlacement FitImageIntoArea(const RECT& area, int width, int height, PreviewFitRule rule)
{
    PreviewPlacement placement;
    int areaWidth = Width(area), areaHeight = Height(area);
    if (areaWidth <= 0 || areaHeight <= 0 || width <= 0 || height <= 0) return placement;
    placement.drawn = 1;
    placement.source = {0, 0, width, height};
    if (rule == kFitSmallAtOneToOne && width < areaWidth && height < areaHeight) {
        placement.dest = Centred(area, width, height);
        return placement;
    }
    int widthRatio = Ratio(width, areaWidth);
    int heightRatio = Ratio(height, areaHeight);
    if (rule == kFitWidthNeverEnlarge) {
        placement.scale = widthRatio < kScaleOneToOne ? kScaleOneToOne : widthRatio;
        int shownHeight = Shown(height, placement.scale);
        if (shownHeight > areaHeight) {
            // The lower part of the page is cut off.
            placement.source.bottom = Unshown(areaHeight, placement.scale, height);
            shownHeight = areaHeight;
        }
        placement.dest = Centred(area, Shown(width, placement.scale), shownHeight);
        placement.dest.top = area.top;
        placement.dest.bottom = area.top + shownHeight;
        return placement;
    }
    placement.scale = widthRatio > heightRatio ? widthRatio : heightRatio;
    placement.dest = Centred(area, Shown(width, placement.scale), Shown(height, placement.scale));
    return placement;
}

int ShownPercentOfScale(int scale)
{
    return scale > 0 ? 100 * kScaleOneToOne / scale : 0;
}

int StepPictureTransparency(int transparency, int up)
{
    int level = transparency + (up ? kPictureTransparencyStep : -kPictureTransparencyStep);
    if (level < kPictureOpaque) return kPictureOpaque;
    if (level > kPictureFullyTransparent) return kPictureFullyTransparent;
    return level;
}

int PictureKeepLevel(int transparency)
{
    const int kWhole = 255;
    if (transparency <= kPictureOpaque) return kWhole;
    if (transparency >= kPictureFullyTransparent) return 0;
    return kWhole * (kPictureFullyTransparent - transparency) / kPictureFullyTransparent;
}

PagedPlacement LayoutImagePages(const RECT& area, int width, int height, int firstPage, int step)
{
    PagedPlacement pages;
    int areaWidth = Width(area);
    int sliceHeight = Height(area) - kPageLabelBand;
    if (areaWidth <= 0 || sliceHeight <= 0 || width <= 0 || height <= 0) return pages;

    int widthRatio = Ratio(width, areaWidth);
    pages.scale = widthRatio < kScaleOneToOne ? kScaleOneToOne : widthRatio;
    int columnWidth = Shown(width, pages.scale);
    int shownHeight = Shown(height, pages.scale);
    int columns = Clamp((areaWidth + kPageColumnGap) / (columnWidth + kPageColumnGap), 1, kMaxPageColumns);
    int overlap = columns > 1 ? kPageOverlapColumns : kPageOverlapSingle;
    if (overlap >= sliceHeight) overlap = 0;
    int stride = sliceHeight - overlap;

    pages.pageCount = 1;
    if (shownHeight > sliceHeight) pages.pageCount += (shownHeight - sliceHeight + stride - 1) / stride;
    int64_t first = (int64_t)firstPage + (int64_t)step * columns;
    pages.firstPage = (int)(first < 0 ? 0 : first > pages.pageCount - 1 ? pages.pageCount - 1 : first);

    int shownColumns = pages.pageCount - pages.firstPage < columns ? pages.pageCount - pages.firstPage : columns;
    int total = shownColumns * columnWidth + (shownColumns - 1) * kPageColumnGap;
    int left = area.left + (areaWidth - total) / 2;
    for (int i = 0; i < shownColumns; i++) {
        int top = (pages.firstPage + i) * stride;
        int bottom = top + sliceHeight < shownHeight ? top + sliceHeight : shownHeight;
        pages.source[i] = {0, Unshown(top, pages.scale, height), width, Unshown(bottom, pages.scale, height)};
        int x = left + i * (columnWidth + kPageColumnGap);
        pages.dest[i] = {x, area.top, x + columnWidth, area.top + bottom - top};
    }
    pages.drawn = shownColumns;
    if (columns > 1 || pages.pageCount > 1) pages.label = {area.left, area.top + sliceHeight, area.right, area.bottom};
    return pages;
}

ThumbnailPlacement LayoutThumbnailPreview(const RECT& previewArea, int width, int height, int captionChars,
                                          ThumbnailPreviewMode mode)
{
    ThumbnailPlacement placement;
    RECT area = {previewArea.left + kThumbnailInset, previewArea.top + kThumbnailInset,
                 previewArea.right - kThumbnailInset, previewArea.bottom - kThumbnailInset};
    if (Width(area) <= 0 || Height(area) <= 0 || width <= 0 || height <= 0) return placement;
    placement.area = area;
    placement.captionPoints = Clamp(Width(area) / (captionChars > 0 ? captionChars : 1), kThumbnailCaptionMinPoints,
                                    kThumbnailCaptionMaxPoints);
    placement.shadowOffset = Clamp(placement.captionPoints / 8, 1, 4);
    int band = placement.captionPoints * 23 / 10;
    if (band > Height(area)) band = Height(area);
    placement.caption = {area.left, area.top, area.right, area.top + band};

    RECT below = {area.left, area.top + band, area.right, area.bottom};
    if (mode == kThumbnailScreen) {
        int half = kThumbnailScreenMargin / 2;
        RECT inner = {below.left + half, below.top + half, below.right - half, below.bottom - half};
        PreviewPlacement fit = FitImageIntoArea(inner, width, height, kFitAlways);
        if (!fit.drawn) return placement;
        placement.image = fit.dest;
    } else {
        if (Width(below) <= 0 || Height(below) <= 0) return placement;
        int64_t percent = 100;
        if ((int64_t)width * percent > (int64_t)Width(below) * 100) percent = (int64_t)Width(below) * 100 / width;
        if ((int64_t)height * percent > (int64_t)Height(below) * 100) percent = (int64_t)Height(below) * 100 / height;
        int shownWidth = (int)((int64_t)width * percent / 100), shownHeight = (int)((int64_t)height * percent / 100);
        if (shownWidth <= 0 || shownHeight <= 0) return placement;
        placement.image = Centred(below, shownWidth, shownHeight);
    }
    placement.drawn = 1;
    return placement;
}
