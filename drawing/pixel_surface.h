// Access to 32-bit pixels of a region of a device context, and to the pixels
// of a bitmap as a source. Effects and bitmap draws write through a surface
// and never outside the context's drawing area.
#pragma once
#include "foundation/win.h"

struct PixelSurface {
    uint32_t* pixels;  // first pixel of the clipped region
    int stride;        // in pixels, negative for bottom-up bitmaps
    int width;         // clipped region
    int height;
    int offsetX;       // clipped region's corner relative to the requested one
    int offsetY;
    // Private: the copy used when the context's bitmap is not a 32-bit DIB.
    HDC targetDC;
    int targetX;
    int targetY;
    HDC copyDC;
    HBITMAP copyBitmap;
    HGDIOBJ copyPrevious;
};

// The header of a top-down DIB without compression (row 0 first in memory).
void FillTopDownInfo(BITMAPINFO* info, int width, int height, int bitsPerPixel);

// Opens width x height pixels at (x, y) in logical coordinates of dc, clipped
// to the context's clip box. 0 (nothing to do) when the clipped region is empty.
int SurfaceOpen(PixelSurface* surface, HDC dc, int x, int y, int width, int height);
// Writes a copy back and frees it.
void SurfaceClose(PixelSurface* surface);

inline uint32_t* SurfaceRow(const PixelSurface& surface, int row)
{
    return surface.pixels + (intptr_t)row * surface.stride;
}

// A bitmap's pixels as 32-bit rows, top row first (a copy for a bitmap
// handle, the memory itself for bits the caller owns).
struct SourcePixels {
    const uint32_t* pixels;
    int stride;        // in pixels, may be negative
    int width;
    int height;
    uint32_t* copy;    // private
};

int SourceOpen(SourcePixels* source, HBITMAP bitmap);
// A source over memory the caller owns (24 or 32 bits, top row first).
int SourceOpenBits(SourcePixels* source, const void* bits, int width, int height, int bitsPerPixel, int strideBytes);
void SourceClose(SourcePixels* source);

inline const uint32_t* SourceRow(const SourcePixels& source, int row)
{
    return source.pixels + (intptr_t)row * source.stride;
}

// How a source is drawn over a surface (see DrawSourcePixels).
struct SourceDrawOptions {
    int topOpacity;     // 0..255 at the first destination row
    int bottomOpacity;  // 0..255 at the last destination row
    int useKey;         // leave out pixels whose colour is key
    uint32_t key;       // as a pixel (PixelFromColour)
    int useAlpha;       // multiply by the source's alpha byte
    int flip;           // draw upside down
    int silhouette;     // draw `colour` wherever a source pixel is drawn
    uint32_t colour;    // as a pixel
};

SourceDrawOptions OpaqueDraw();

// Draws width x height source pixels from (sourceX, sourceY) at (x, y) of dc;
// both rectangles are clipped. 1 when something was drawn.
int DrawSourcePixels(HDC dc, int x, int y, const SourcePixels& source, int sourceX, int sourceY,
                     int width, int height, const SourceDrawOptions& options);
