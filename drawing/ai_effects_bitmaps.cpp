// Effect draws of whole bitmaps: with an opacity, without a key colour, as a
// fading reflection, and as a one-colour silhouette.
#include "drawing/ai_effects.h"
#include "drawing/pixel_blend.h"
#include "drawing/pixel_surface.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"

namespace {
const int kModule = kTraceEffects;
}

int AIEffectContext::DrawHBitmapWithOpacity(HDC dc, HBITMAP bitmap, int x, int y, int width, int height,
                                            int sourceX, int sourceY, int opacity, int flags)
{
    TRACE_SCOPE(kModule, 11);
    SourcePixels source;
    if (!SourceOpen(&source, bitmap)) return 0;
    SourceDrawOptions options = OpaqueDraw();
    options.topOpacity = options.bottomOpacity = opacity;
    options.useAlpha = (flags & kEffectUseAlpha) != 0;
    int drawn = DrawSourcePixels(dc, x, y, source, sourceX, sourceY, width, height, options);
    SourceClose(&source);
    return drawn;
}

namespace {

int DrawKeyedBitmap(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key, int topOpacity, int bottomOpacity, int flip)
{
    SourcePixels source;
    if (!SourceOpen(&source, bitmap)) return 0;
    SourceDrawOptions options = OpaqueDraw();
    options.topOpacity = topOpacity;
    options.bottomOpacity = bottomOpacity;
    options.useKey = 1;
    options.key = PixelFromColour(key);
    options.flip = flip;
    int drawn = DrawSourcePixels(dc, x, y, source, 0, 0, source.width, source.height, options);
    SourceClose(&source);
    return drawn;
}

}  // namespace

int AIEffectContext::DrawBitmapKeyed(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key, int topOpacity, int bottomOpacity)
{
    TRACE_SCOPE(kModule, 12);
    return DrawKeyedBitmap(dc, bitmap, x, y, key, topOpacity, bottomOpacity, 0);
}

int AIEffectContext::DrawBitmapBlendB(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key, int topOpacity, int bottomOpacity)
{
    TRACE_SCOPE(kModule, 13);
    return DrawKeyedBitmap(dc, bitmap, x, y, key, topOpacity, bottomOpacity, 1);
}

int AIEffectContext::FillSilhouette(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key, COLORREF colour, int opacity)
{
    TRACE_SCOPE(kModule, 14);
    SourcePixels source;
    if (!SourceOpen(&source, bitmap)) return 0;
    SourceDrawOptions options = OpaqueDraw();
    options.topOpacity = options.bottomOpacity = opacity;
    options.useKey = key != CLR_INVALID;
    options.key = PixelFromColour(key);
    options.silhouette = 1;
    options.colour = PixelFromColour(colour);
    int drawn = DrawSourcePixels(dc, x, y, source, 0, 0, source.width, source.height, options);
    SourceClose(&source);
    return drawn;
}
