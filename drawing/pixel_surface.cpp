#include "drawing/pixel_surface.h"
#include "drawing/pixel_blend.h"
#include <stdlib.h>
#include <string.h>

void FillTopDownInfo(BITMAPINFO* info, int width, int height, int bitsPerPixel)
{
    memset(info, 0, sizeof(*info));
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = -height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = (WORD)bitsPerPixel;
    info->bmiHeader.biCompression = BI_RGB;
}

namespace {

// A 32-bit top-down DIB section; bits receives its memory.
HBITMAP CreateTopDown32(int width, int height, void** bits)
{
    BITMAPINFO info;
    FillTopDownInfo(&info, width, height, 32);
    return CreateDIBSection(0, &info, DIB_RGB_COLORS, bits, 0, 0);
}

// The 32-bit DIB section selected into dc, when the context maps logical to
// device pixels one to one (so that its bits can be written in place).
int DirectSection(HDC dc, DIBSECTION* section)
{
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    if (!bitmap) return 0;
    if (GetObjectW(bitmap, sizeof(*section), section) != (int)sizeof(*section)) return 0;
    if (section->dsBm.bmBitsPixel != 32 || !section->dsBm.bmBits) return 0;
    if (section->dsBmih.biCompression != BI_RGB) return 0;
    if (GetMapMode(dc) != MM_TEXT || GetGraphicsMode(dc) == GM_ADVANCED) return 0;
    return 1;
}

// 1 when the section's first row in memory is its top row, 0 when it is the
// bottom row, -1 when that cannot be told. The sign of biHeight that
// GetObject reports cannot be trusted (Wine reports top-down sections as
// positive), so the answer is read back: the first pixel in memory gets a
// marker for a moment and the context is asked which pixel shows it.
int ProbeTopDown(HDC dc, const DIBSECTION& section, int height)
{
    if (height == 1) return 1;
    uint32_t* first = (uint32_t*)section.dsBm.bmBits;
    const uint32_t* last = (const uint32_t*)((const uint8_t*)first + (intptr_t)(height - 1) * section.dsBm.bmWidthBytes);
    POINT origin = {0, 0};
    DPtoLP(dc, &origin, 1);
    GdiFlush();
    uint32_t saved = *first;
    uint32_t marker = 1;
    while (marker == PixelRgb(saved) || marker == PixelRgb(*last)) marker++;
    *first = (saved & 0xFF000000u) | marker;
    COLORREF seen = GetPixel(dc, origin.x, origin.y);
    *first = saved;
    if (seen == CLR_INVALID) return -1;
    return PixelFromColour(seen) == marker ? 1 : 0;
}

}  // namespace

int SurfaceOpen(PixelSurface* surface, HDC dc, int x, int y, int width, int height)
{
    memset(surface, 0, sizeof(*surface));
    if (!dc || width <= 0 || height <= 0) return 0;
    RECT clip;
    int kind = GetClipBox(dc, &clip);
    if (kind == ERROR || kind == NULLREGION) return 0;
    RECT wanted = {x, y, x + width, y + height};
    RECT region;
    if (!IntersectRect(&region, &wanted, &clip)) return 0;

    DIBSECTION section;
    int topDown = -1;
    // A clip region of more than one rectangle is honoured by the copy's
    // write-back; in place the whole clip box would be written.
    if (kind == SIMPLEREGION && DirectSection(dc, &section))
        topDown = ProbeTopDown(dc, section, section.dsBm.bmHeight < 0 ? -section.dsBm.bmHeight : section.dsBm.bmHeight);
    if (topDown >= 0) {
        POINT corner = {region.left, region.top};
        LPtoDP(dc, &corner, 1);
        int bitmapWidth = section.dsBm.bmWidth;
        int bitmapHeight = section.dsBm.bmHeight < 0 ? -section.dsBm.bmHeight : section.dsBm.bmHeight;
        // The clip box lies inside the bitmap already; checked again because
        // a wrong answer here would mean writing outside the pixel memory.
        RECT device = {corner.x, corner.y, corner.x + (region.right - region.left),
                       corner.y + (region.bottom - region.top)};
        RECT bounds = {0, 0, bitmapWidth, bitmapHeight};
        RECT inside;
        if (!IntersectRect(&inside, &device, &bounds)) return 0;
        region.left += inside.left - device.left;
        region.top += inside.top - device.top;
        region.right -= device.right - inside.right;
        region.bottom -= device.bottom - inside.bottom;
        GdiFlush();
        uint8_t* base = (uint8_t*)section.dsBm.bmBits;
        int rowBytes = section.dsBm.bmWidthBytes;
        int row = topDown ? inside.top : bitmapHeight - 1 - inside.top;
        surface->pixels = (uint32_t*)(base + (intptr_t)row * rowBytes) + inside.left;
        surface->stride = (topDown ? rowBytes : -rowBytes) / 4;
    } else {
        int w = region.right - region.left, h = region.bottom - region.top;
        void* bits = 0;
        surface->copyBitmap = CreateTopDown32(w, h, &bits);
        if (!surface->copyBitmap) return 0;
        surface->copyDC = CreateCompatibleDC(dc);
        if (!surface->copyDC) {
            DeleteObject(surface->copyBitmap);
            surface->copyBitmap = 0;
            return 0;
        }
        surface->copyPrevious = SelectObject(surface->copyDC, surface->copyBitmap);
        BitBlt(surface->copyDC, 0, 0, w, h, dc, region.left, region.top, SRCCOPY);
        GdiFlush();
        surface->pixels = (uint32_t*)bits;
        surface->stride = w;
        surface->targetDC = dc;
        surface->targetX = region.left;
        surface->targetY = region.top;
    }
    surface->width = region.right - region.left;
    surface->height = region.bottom - region.top;
    surface->offsetX = region.left - x;
    surface->offsetY = region.top - y;
    return surface->width > 0 && surface->height > 0;
}

void SurfaceClose(PixelSurface* surface)
{
    if (surface->copyDC) {
        BitBlt(surface->targetDC, surface->targetX, surface->targetY, surface->width, surface->height,
               surface->copyDC, 0, 0, SRCCOPY);
        SelectObject(surface->copyDC, surface->copyPrevious);
        DeleteDC(surface->copyDC);
        DeleteObject(surface->copyBitmap);
    }
    memset(surface, 0, sizeof(*surface));
}

int SourceOpenBits(SourcePixels* source, const void* bits, int width, int height, int bitsPerPixel, int strideBytes)
{
    memset(source, 0, sizeof(*source));
    if (!bits || width <= 0 || height <= 0) return 0;
    GdiFlush();
    source->width = width;
    source->height = height;
    if (bitsPerPixel == 32) {
        source->pixels = (const uint32_t*)bits;
        source->stride = strideBytes / 4;
        return 1;
    }
    if (bitsPerPixel != 24) return 0;
    source->copy = (uint32_t*)malloc((size_t)width * height * 4);
    if (!source->copy) return 0;
    for (int y = 0; y < height; y++) {
        const uint8_t* in = (const uint8_t*)bits + (intptr_t)y * strideBytes;
        uint32_t* out = source->copy + (size_t)y * width;
        for (int x = 0; x < width; x++, in += 3)
            out[x] = 0xFF000000u | (uint32_t(in[2]) << 16) | (uint32_t(in[1]) << 8) | in[0];
    }
    source->pixels = source->copy;
    source->stride = width;
    return 1;
}

int SourceOpen(SourcePixels* source, HBITMAP bitmap)
{
    memset(source, 0, sizeof(*source));
    if (!bitmap) return 0;
    // Read through GetDIBits: it knows the bitmap's row order, which
    // GetObject does not report reliably.
    BITMAP plain;
    if (GetObjectW(bitmap, sizeof(plain), &plain) != (int)sizeof(plain)) return 0;
    int width = plain.bmWidth, height = plain.bmHeight < 0 ? -plain.bmHeight : plain.bmHeight;
    if (width <= 0 || height <= 0 || (int64_t)width * height > 100000000) return 0;
    source->copy = (uint32_t*)malloc((size_t)width * height * 4);
    if (!source->copy) return 0;
    BITMAPINFO info;
    FillTopDownInfo(&info, width, height, 32);
    GdiFlush();
    HDC screen = GetDC(0);
    int rows = GetDIBits(screen, bitmap, 0, height, source->copy, &info, DIB_RGB_COLORS);
    ReleaseDC(0, screen);
    if (rows != height) {
        SourceClose(source);
        return 0;
    }
    // Pictures without an alpha plane read back with alpha 0: make them opaque.
    if (plain.bmBitsPixel < 32)
        for (size_t i = 0; i < (size_t)width * height; i++) source->copy[i] |= 0xFF000000u;
    source->pixels = source->copy;
    source->stride = width;
    source->width = width;
    source->height = height;
    return 1;
}

void SourceClose(SourcePixels* source)
{
    free(source->copy);
    memset(source, 0, sizeof(*source));
}

SourceDrawOptions OpaqueDraw()
{
    SourceDrawOptions options;
    memset(&options, 0, sizeof(options));
    options.topOpacity = 255;
    options.bottomOpacity = 255;
    return options;
}

int DrawSourcePixels(HDC dc, int x, int y, const SourcePixels& source, int sourceX, int sourceY,
                     int width, int height, const SourceDrawOptions& options)
{
    if (!source.pixels || width <= 0 || height <= 0) return 0;
    int top = ClampByte(options.topOpacity), bottom = ClampByte(options.bottomOpacity);
    if (top == 0 && bottom == 0) return 0;
    PixelSurface surface;
    if (!SurfaceOpen(&surface, dc, x, y, width, height)) return 0;
    // Columns of the surface whose source column lies inside the bitmap.
    int firstColumn = -sourceX - surface.offsetX;
    if (firstColumn < 0) firstColumn = 0;
    int endColumn = source.width - sourceX - surface.offsetX;
    if (endColumn > surface.width) endColumn = surface.width;
    for (int row = 0; row < surface.height && firstColumn < endColumn; row++) {
        int destRow = surface.offsetY + row;  // within the requested rectangle
        int sourceRow = options.flip ? sourceY + height - 1 - destRow : sourceY + destRow;
        if (sourceRow < 0 || sourceRow >= source.height) continue;
        int opacity = LinearStep(top, bottom, destRow, height - 1);
        if (opacity == 0) continue;
        const uint32_t* in = SourceRow(source, sourceRow) + sourceX + surface.offsetX;
        uint32_t* out = SurfaceRow(surface, row);
        for (int column = firstColumn; column < endColumn; column++) {
            uint32_t pixel = in[column];
            if (options.useKey && PixelRgb(pixel) == options.key) continue;
            uint32_t weight = (uint32_t)opacity;
            if (options.useAlpha) weight = (weight * (pixel >> 24) + 127) / 255;
            if (weight == 0) continue;
            uint32_t value = options.silhouette ? options.colour : pixel;
            out[column] = weight == 255 ? (out[column] & 0xFF000000u) | PixelRgb(value)
                                        : MixPixel(value, out[column], weight);
        }
    }
    SurfaceClose(&surface);
    return 1;
}
