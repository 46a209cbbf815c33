// Region effects: blends, greys, blur and tints, edge highlights, fades and
// gradients, each a loop over the clipped pixels of a surface.
#include "drawing/ai_effects.h"
#include "drawing/pixel_blend.h"
#include "drawing/pixel_surface.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include <stdlib.h>
#include <string.h>

namespace {

const int kModule = kTraceEffects;

// Distance of a pixel of a width x height rectangle from its nearest edge.
inline int RingOf(int px, int py, int width, int height)
{
    int ring = px;
    if (py < ring) ring = py;
    if (width - 1 - px < ring) ring = width - 1 - px;
    if (height - 1 - py < ring) ring = height - 1 - py;
    return ring;
}

// Moves every pixel of the region toward a colour by a strength that depends
// on the pixel's position in the requested rectangle.
template <typename StrengthAt>
int TintRegion(HDC dc, int x, int y, int width, int height, COLORREF colour, StrengthAt strengthAt)
{
    PixelSurface surface;
    if (!SurfaceOpen(&surface, dc, x, y, width, height)) return 0;
    uint32_t tint = PixelFromColour(colour);
    for (int row = 0; row < surface.height; row++) {
        uint32_t* line = SurfaceRow(surface, row);
        int py = surface.offsetY + row;
        for (int column = 0; column < surface.width; column++) {
            int strength = strengthAt(surface.offsetX + column, py);
            if (strength > 0) line[column] = MixPixel(tint, line[column], (uint32_t)strength);
        }
    }
    SurfaceClose(&surface);
    return 1;
}

// The bilinear colour of four corners at (px, py) of a width x height rectangle.
uint32_t CornerGradient(const uint32_t corners[4], int px, int py, int width, int height)
{
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int topLeft = (corners[0] >> shift) & 0xFF, topRight = (corners[1] >> shift) & 0xFF;
        int bottomLeft = (corners[2] >> shift) & 0xFF, bottomRight = (corners[3] >> shift) & 0xFF;
        int top = LinearStep(topLeft, topRight, px, width - 1);
        int bottom = LinearStep(bottomLeft, bottomRight, px, width - 1);
        result |= uint32_t(LinearStep(top, bottom, py, height - 1)) << shift;
    }
    return result;
}

enum GradientMode { kGradientFill, kGradientBlend, kGradientMultiply };

int FourCorner(HDC dc, const RECT& rect, const COLORREF colours[4], GradientMode mode, int strength)
{
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    PixelSurface surface;
    if (!SurfaceOpen(&surface, dc, rect.left, rect.top, width, height)) return 0;
    uint32_t corners[4];
    for (int i = 0; i < 4; i++) corners[i] = PixelFromColour(colours[i]);
    for (int row = 0; row < surface.height; row++) {
        uint32_t* line = SurfaceRow(surface, row);
        for (int column = 0; column < surface.width; column++) {
            uint32_t gradient = CornerGradient(corners, surface.offsetX + column, surface.offsetY + row, width, height);
            uint32_t pixel = line[column];
            if (mode == kGradientFill) {
                line[column] = (pixel & 0xFF000000u) | gradient;
            } else if (mode == kGradientBlend) {
                line[column] = MixPixel(gradient, pixel, (uint32_t)strength);
            } else {
                uint32_t out = pixel & 0xFF000000u;
                for (int shift = 0; shift <= 16; shift += 8)
                    out |= ((((pixel >> shift) & 0xFF) * ((gradient >> shift) & 0xFF) + 127) / 255) << shift;
                line[column] = out;
            }
        }
    }
    SurfaceClose(&surface);
    return 1;
}

}  // namespace

AIEffectContext::AIEffectContext() : dc_(0) { SetRectEmpty(&rect_); }

AIEffectContext::AIEffectContext(HDC dc, const RECT& rect) : dc_(dc), rect_(rect) {}

void AIEffectContext::SetTarget(HDC dc, const RECT& rect)
{
    dc_ = dc;
    rect_ = rect;
}

int AIEffectContext::BlendColour(HDC dc, int x, int y, int width, int height, int /*mode*/, int level, COLORREF colour)
{
    TRACE_SCOPE(kModule, 1);
    uint32_t keep = (uint32_t)ClampByte(level);
    if (keep == 255) return 1;  // level 255 leaves the picture as it is
    PixelSurface surface;
    if (!SurfaceOpen(&surface, dc, x, y, width, height)) return 0;
    // One level for the whole region (the fades run it on every frame): the
    // mix of each channel value is looked up instead of divided.
    uint32_t tint = PixelFromColour(colour);
    uint32_t blue[256], green[256], red[256];
    for (uint32_t v = 0; v < 256; v++) {
        blue[v] = MixChannel(v, tint & 0xFF, keep);
        green[v] = MixChannel(v, (tint >> 8) & 0xFF, keep) << 8;
        red[v] = MixChannel(v, (tint >> 16) & 0xFF, keep) << 16;
    }
    for (int row = 0; row < surface.height; row++) {
        uint32_t* line = SurfaceRow(surface, row);
        for (int column = 0; column < surface.width; column++) {
            uint32_t pixel = line[column];
            line[column] = (pixel & 0xFF000000u) | red[(pixel >> 16) & 0xFF] | green[(pixel >> 8) & 0xFF] | blue[pixel & 0xFF];
        }
    }
    SurfaceClose(&surface);
    return 1;
}

int AIEffectContext::MakeGreyscale(HDC dc, int x, int y, int width, int height, int /*mode*/, int strength, COLORREF colour)
{
    TRACE_SCOPE(kModule, 2);
    strength = ClampByte(strength);
    PixelSurface surface;
    if (!SurfaceOpen(&surface, dc, x, y, width, height)) return 0;
    uint32_t tint = PixelFromColour(colour);
    for (int row = 0; row < surface.height; row++) {
        uint32_t* line = SurfaceRow(surface, row);
        for (int column = 0; column < surface.width; column++) {
            uint32_t grey = PixelGrey(line[column]);
            uint32_t greyPixel = (line[column] & 0xFF000000u) | (grey << 16) | (grey << 8) | grey;
            line[column] = MixPixel(tint, greyPixel, (uint32_t)strength);
        }
    }
    SurfaceClose(&surface);
    return 1;
}

int AIEffectContext::BlurTint(HDC dc, int x, int y, int width, int height, int strength, COLORREF colour)
{
    TRACE_SCOPE(kModule, 3);
    strength = ClampByte(strength);
    PixelSurface surface;
    if (!SurfaceOpen(&surface, dc, x, y, width, height)) return 0;
    int w = surface.width, h = surface.height;
    uint32_t* original = (uint32_t*)malloc((size_t)w * h * 4);
    if (!original) {
        SurfaceClose(&surface);
        return 0;
    }
    for (int row = 0; row < h; row++) memcpy(original + (size_t)row * w, SurfaceRow(surface, row), (size_t)w * 4);
    uint32_t tint = PixelFromColour(colour);
    for (int row = 0; row < h; row++) {
        uint32_t* line = SurfaceRow(surface, row);
        for (int column = 0; column < w; column++) {
            uint32_t sum[3] = {0, 0, 0};
            for (int dy = -1; dy <= 1; dy++) {
                int sy = row + dy < 0 ? 0 : (row + dy >= h ? h - 1 : row + dy);
                for (int dx = -1; dx <= 1; dx++) {
                    int sx = column + dx < 0 ? 0 : (column + dx >= w ? w - 1 : column + dx);
                    uint32_t pixel = original[(size_t)sy * w + sx];
                    sum[0] += pixel & 0xFF;
                    sum[1] += (pixel >> 8) & 0xFF;
                    sum[2] += (pixel >> 16) & 0xFF;
                }
            }
            uint32_t blurred = (line[column] & 0xFF000000u) | (((sum[2] + 4) / 9) << 16) |
                               (((sum[1] + 4) / 9) << 8) | ((sum[0] + 4) / 9);
            line[column] = MixPixel(tint, blurred, (uint32_t)strength);
        }
    }
    free(original);
    SurfaceClose(&surface);
    return 1;
}

int AIEffectContext::HighlightEdges(HDC dc, int x, int y, int width, int height, COLORREF colour,
                                    int edgeStrength, int innerStrength, int edgeWidth)
{
    TRACE_SCOPE(kModule, 4);
    if (edgeWidth <= 0) return 0;
    int edge = ClampByte(edgeStrength), inner = ClampByte(innerStrength);
    return TintRegion(dc, x, y, width, height, colour, [=](int px, int py) {
        int ring = RingOf(px, py, width, height);
        return ring < edgeWidth ? LinearStep(edge, inner, ring, edgeWidth - 1) : 0;
    });
}

int AIEffectContext::BlendColourInRect(COLORREF colour, int level)
{
    return BlendColour(dc_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, -1, level, colour);
}

int AIEffectContext::HighlightEdgesInRect(COLORREF colour, int edgeStrength, int innerStrength, int edgeWidth)
{
    return HighlightEdges(dc_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, colour,
                          edgeStrength, innerStrength, edgeWidth);
}

int AIEffectContext::GradientTintInRect(COLORREF colour, int strength)
{
    TRACE_SCOPE(kModule, 5);
    int height = rect_.bottom - rect_.top;
    int top = ClampByte(strength);
    return TintRegion(dc_, rect_.left, rect_.top, rect_.right - rect_.left, height, colour,
                      [=](int, int py) { return LinearStep(top, 0, py, height - 1); });
}

int AIEffectContext::BorderFadeInRect(const RECT& rect, int width, COLORREF colour, int strength)
{
    TRACE_SCOPE(kModule, 6);
    if (width <= 0) return 0;
    int outer = ClampByte(strength);
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    return TintRegion(dc_, rect.left, rect.top, w, h, colour, [=](int px, int py) {
        int ring = RingOf(px, py, w, h);
        return ring < width ? LinearStep(outer, 0, ring, width) : 0;
    });
}

int AIEffectContext::BorderFadeInRectLR(const RECT& rect, int width, COLORREF colour, int strength)
{
    TRACE_SCOPE(kModule, 7);
    if (width <= 0) return 0;
    int outer = ClampByte(strength);
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    return TintRegion(dc_, rect.left, rect.top, w, h, colour, [=](int px, int) {
        int ring = px < w - 1 - px ? px : w - 1 - px;
        return ring < width ? LinearStep(outer, 0, ring, width) : 0;
    });
}

int AIEffectContext::FourCornerGradientA(const RECT& rect, COLORREF topLeft, COLORREF topRight,
                                         COLORREF bottomLeft, COLORREF bottomRight)
{
    TRACE_SCOPE(kModule, 8);
    const COLORREF colours[4] = {topLeft, topRight, bottomLeft, bottomRight};
    return FourCorner(dc_, rect, colours, kGradientFill, 255);
}

int AIEffectContext::FourCornerGradientC(const RECT& rect, COLORREF topLeft, COLORREF topRight,
                                         COLORREF bottomLeft, COLORREF bottomRight, int strength)
{
    TRACE_SCOPE(kModule, 9);
    const COLORREF colours[4] = {topLeft, topRight, bottomLeft, bottomRight};
    return FourCorner(dc_, rect, colours, kGradientBlend, ClampByte(strength));
}

int AIEffectContext::FourCornerGradientD(const RECT& rect, COLORREF topLeft, COLORREF topRight,
                                         COLORREF bottomLeft, COLORREF bottomRight)
{
    TRACE_SCOPE(kModule, 10);
    const COLORREF colours[4] = {topLeft, topRight, bottomLeft, bottomRight};
    return FourCorner(dc_, rect, colours, kGradientMultiply, 255);
}
