// AIDib: creation, bitmap resources, the memory device context, captures and copies.
#include "drawing/ai_dib.h"
#include "drawing/pixel_blend.h"
#include "drawing/pixel_surface.h"
#include "foundation/errors.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include <string.h>
#include "foundation/process_end.h"

namespace {

const int kModule = kTraceDib;
// The same cap as the image library's: larger bitmaps are refused outright.
const int64_t kMaxDibPixels = 100000000;

}  // namespace

AIDib::AIDib()
    : bitmap_(0), memoryDC_(0), previousBitmap_(0), bits_(0), width_(0), height_(0), bitsPerPixel_(0),
      stride_(0), hasAlpha_(0) {}

AIDib::~AIDib()
{
    if (!IsProcessEnding()) FreeGdiObjects();
}

int AIDib::CreateSection(int width, int height, int bitsPerPixel)
{
    TRACE_SCOPE(kModule, 1);
    if (width <= 0 || height <= 0 || (int64_t)width * height > kMaxDibPixels) return 0;
    if (bitsPerPixel != 24 && bitsPerPixel != 32) return 0;
    BITMAPINFO info;
    FillTopDownInfo(&info, width, height, bitsPerPixel);
    void* bits = 0;
    HBITMAP bitmap;
    do {
        bitmap = CreateDIBSection(0, &info, DIB_RGB_COLORS, &bits, 0, 0);
    } while (!bitmap && AskRetryOutOfResources());
    if (!bitmap) return 0;  // the bitmap held before stays
    FreeGdiObjects();
    bitmap_ = bitmap;
    bits_ = bits;
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    stride_ = ((width * bitsPerPixel + 31) / 32) * 4;
    hasAlpha_ = 0;
    return 1;
}

int AIDib::Create(int width, int height, int bitsPerPixel) { return CreateSection(width, height, bitsPerPixel); }

void AIDib::TakeFrom(AIDib& other)
{
    FreeGdiObjects();
    bitmap_ = other.bitmap_;
    memoryDC_ = other.memoryDC_;
    previousBitmap_ = other.previousBitmap_;
    bits_ = other.bits_;
    width_ = other.width_;
    height_ = other.height_;
    bitsPerPixel_ = other.bitsPerPixel_;
    stride_ = other.stride_;
    hasAlpha_ = other.hasAlpha_;
    other.bitmap_ = 0;
    other.memoryDC_ = 0;
    other.previousBitmap_ = 0;
    other.bits_ = 0;
    other.width_ = other.height_ = other.bitsPerPixel_ = other.stride_ = other.hasAlpha_ = 0;
}

int AIDib::LoadBitmapResource(int id, HINSTANCE module)
{
    TRACE_SCOPE(kModule, 12);
    if (!module) module = GetModuleHandleW(0);
    HBITMAP loaded = (HBITMAP)LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!loaded) return 0;
    SourcePixels source;
    int done = 0;
    if (SourceOpen(&source, loaded) && CreateSection(source.width, source.height, 32)) {
        for (int y = 0; y < height_; y++) {
            uint32_t* out = (uint32_t*)((uint8_t*)bits_ + (size_t)y * stride_);
            const uint32_t* in = SourceRow(source, y);
            // Bitmap resources carry no transparency of their own.
            for (int x = 0; x < width_; x++) out[x] = in[x] | 0xFF000000u;
        }
        done = 1;
    }
    SourceClose(&source);
    DeleteObject(loaded);
    return done;
}

RECT AIDib::GetRect() const
{
    RECT rect = {0, 0, width_, height_};
    return rect;
}

SIZE AIDib::GetSize() const
{
    SIZE size = {width_, height_};
    return size;
}

HDC AIDib::SelectIntoMemoryDC()
{
    if (!bitmap_) return 0;
    if (!memoryDC_) {
        HDC dc;
        do {
            dc = CreateCompatibleDC(0);
        } while (!dc && AskRetryOutOfResources());
        if (!dc) return 0;
        memoryDC_ = dc;
        previousBitmap_ = SelectObject(memoryDC_, bitmap_);
    }
    return memoryDC_;
}

void AIDib::ReleaseMemoryDC()
{
    if (!memoryDC_) return;
    SelectObject(memoryDC_, previousBitmap_);
    DeleteDC(memoryDC_);
    memoryDC_ = 0;
    previousBitmap_ = 0;
}

void AIDib::FreeGdiObjects()
{
    ReleaseMemoryDC();
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = 0;
    bits_ = 0;
    width_ = height_ = bitsPerPixel_ = stride_ = hasAlpha_ = 0;
}

int AIDib::CaptureFromDC(HDC dc, int x, int y, int width, int height)
{
    TRACE_SCOPE(kModule, 2);
    if (!dc) return 0;
    // Repeated captures of one size reuse the bitmap.
    if (!bitmap_ || width_ != width || height_ != height || bitsPerPixel_ != 24) {
        if (!CreateSection(width, height, 24)) return 0;
    }
    HDC own = SelectIntoMemoryDC();
    if (!own) return 0;
    hasAlpha_ = 0;
    return BitBlt(own, 0, 0, width, height, dc, x, y, SRCCOPY) ? 1 : 0;
}

int AIDib::CaptureRectFromDC(HDC dc, int x, int y, int width, int height)
{
    TRACE_SCOPE(kModule, 3);
    if (!dc) return 0;
    if (x < 0) { width += x; x = 0; }
    if (y < 0) { height += y; y = 0; }
    if (width <= 0 || height <= 0) return 0;
    int needWidth = x + width > width_ ? x + width : width_;
    int needHeight = y + height > height_ ? y + height : height_;
    if (!bitmap_ || needWidth != width_ || needHeight != height_ || bitsPerPixel_ != 24) {
        AIDib grown;
        if (!grown.CreateSection(needWidth, needHeight, 24)) return 0;
        if (bitmap_ && !Draw(grown.SelectIntoMemoryDC(), 0, 0)) return 0;
        TakeFrom(grown);
    }
    HDC own = SelectIntoMemoryDC();
    if (!own) return 0;
    hasAlpha_ = 0;
    return BitBlt(own, x, y, width, height, dc, x, y, SRCCOPY) ? 1 : 0;
}

HDC AIDib::CaptureWithBackground(HDC dc, int x, int y, int width, int height)
{
    return CaptureFromDC(dc, x, y, width, height) ? SelectIntoMemoryDC() : 0;
}

HDC AIDib::CaptureRectWithBackground(HDC dc, int x, int y, int width, int height)
{
    return CaptureRectFromDC(dc, x, y, width, height) ? SelectIntoMemoryDC() : 0;
}

int AIDib::Draw(HDC dc, int x, int y)
{
    HDC own = SelectIntoMemoryDC();
    if (!own || !dc) return 0;
    return BitBlt(dc, x, y, width_, height_, own, 0, 0, SRCCOPY) ? 1 : 0;
}

int AIDib::DrawClipped(HDC dc, int x, int y, const RECT& clip)
{
    RECT whole = {x, y, x + width_, y + height_};
    RECT visible;
    if (!IntersectRect(&visible, &whole, &clip)) return 0;
    return DrawPart(dc, visible.left, visible.top, visible.left - x, visible.top - y,
                    visible.right - visible.left, visible.bottom - visible.top);
}

int AIDib::DrawPart(HDC dc, int x, int y, int sourceX, int sourceY, int width, int height)
{
    HDC own = SelectIntoMemoryDC();
    if (!own || !dc) return 0;
    // Keep the source rectangle inside the bitmap.
    if (sourceX < 0) { x -= sourceX; width += sourceX; sourceX = 0; }
    if (sourceY < 0) { y -= sourceY; height += sourceY; sourceY = 0; }
    if (sourceX + width > width_) width = width_ - sourceX;
    if (sourceY + height > height_) height = height_ - sourceY;
    if (width <= 0 || height <= 0) return 0;
    return BitBlt(dc, x, y, width, height, own, sourceX, sourceY, SRCCOPY) ? 1 : 0;
}

namespace {

int Stretch(HDC dc, HDC own, const RECT& source, const RECT& dest, int mode)
{
    if (!own || !dc) return 0;
    int previousMode = SetStretchBltMode(dc, mode);
    POINT previousOrigin;
    if (mode == HALFTONE) SetBrushOrgEx(dc, 0, 0, &previousOrigin);
    BOOL done = StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, own, source.left,
                           source.top, source.right - source.left, source.bottom - source.top, SRCCOPY);
    if (mode == HALFTONE) SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, 0);
    SetStretchBltMode(dc, previousMode);
    return done ? 1 : 0;
}

}  // namespace

int AIDib::DrawStretched(HDC dc, const RECT& dest)
{
    return Stretch(dc, SelectIntoMemoryDC(), GetRect(), dest, COLORONCOLOR);
}

int AIDib::DrawStretchedEx(HDC dc, const RECT& source, const RECT& dest)
{
    RECT inside;
    RECT whole = GetRect();
    if (!IntersectRect(&inside, &source, &whole) || !EqualRect(&inside, &source)) return 0;
    return Stretch(dc, SelectIntoMemoryDC(), source, dest, COLORONCOLOR);
}

int AIDib::DrawPartStretched(HDC dc, const RECT& source, const RECT& dest)
{
    RECT inside;
    RECT whole = GetRect();
    if (!IntersectRect(&inside, &source, &whole) || !EqualRect(&inside, &source)) return 0;
    return Stretch(dc, SelectIntoMemoryDC(), source, dest, HALFTONE);
}

namespace {

int DrawOwnBits(const AIDib& dib, HDC dc, int x, int y, const SourceDrawOptions& options)
{
    if (dib.IsEmpty()) return 0;
    SourcePixels source;
    if (!SourceOpenBits(&source, dib.GetBits(), dib.GetWidth(), dib.GetHeight(), dib.GetBitsPerPixel(), dib.GetStride()))
        return 0;
    int drawn = DrawSourcePixels(dc, x, y, source, 0, 0, source.width, source.height, options);
    SourceClose(&source);
    return drawn;
}

}  // namespace

int AIDib::DrawWithOpacity(HDC dc, int x, int y, int opacity)
{
    TRACE_SCOPE(kModule, 4);
    SourceDrawOptions options = OpaqueDraw();
    options.topOpacity = options.bottomOpacity = ClampByte(opacity);
    options.useAlpha = hasAlpha_;
    if (options.topOpacity == 255 && !hasAlpha_) return Draw(dc, x, y);
    return DrawOwnBits(*this, dc, x, y, options);
}

int AIDib::DrawTransparent(HDC dc, int x, int y, COLORREF key)
{
    TRACE_SCOPE(kModule, 5);
    SourceDrawOptions options = OpaqueDraw();
    options.useKey = 1;
    options.key = PixelFromColour(key);
    return DrawOwnBits(*this, dc, x, y, options);
}

int AIDib::DrawBlendedKeyed(HDC dc, int x, int y, COLORREF key, int opacity)
{
    TRACE_SCOPE(kModule, 6);
    SourceDrawOptions options = OpaqueDraw();
    options.topOpacity = options.bottomOpacity = ClampByte(opacity);
    options.useKey = 1;
    options.key = PixelFromColour(key);
    return DrawOwnBits(*this, dc, x, y, options);
}
