// Pixel effects on a region of a device context. Each is a plain loop over
// 32-bit pixels: on the context's own bitmap when it is a 32-bit DIB section,
// otherwise on a copy that is written back, so results are exact either way.
// Regions are clipped to the context's bitmap: nothing is written outside it.
//
// Three kinds of amount, each clamped to 0..255:
// - level (blends): 255 leaves the picture unchanged, 0 gives the colour;
//   out = (picture * level + colour * (255 - level) + 127) / 255.
// - strength (tints, fades): 0 leaves the picture unchanged, 255 gives the
//   colour; the same formula with level = 255 - strength.
// - opacity (drawing a picture): 0 draws nothing, 255 draws it opaque.
// Every effect returns 1 when it drew, 0 when nothing was done.
#pragma once
#include "foundation/win.h"

// DrawHBitmapWithOpacity flags.
enum { kEffectUseAlpha = 1 };  // multiply by the bitmap's own alpha byte (32-bit only)

class AIEffectContext {
public:
    AIEffectContext();
    AIEffectContext(HDC dc, const RECT& rect);
    void SetTarget(HDC dc, const RECT& rect);
    HDC GetDC() const { return dc_; }
    RECT GetRect() const { return rect_; }

    // Blend the region toward the colour. mode is kept for callers (-1).
    static int BlendColour(HDC dc, int x, int y, int width, int height, int mode, int level, COLORREF colour);
    // Each pixel becomes its grey (luminance 0.299/0.587/0.114), then moves
    // toward the colour by strength. mode is kept for callers (0).
    static int MakeGreyscale(HDC dc, int x, int y, int width, int height, int mode, int strength, COLORREF colour);
    // 3 x 3 box blur (edge pixels use the nearest pixels inside the region),
    // then a tint toward the colour by strength.
    static int BlurTint(HDC dc, int x, int y, int width, int height, int strength, COLORREF colour);
    // width x height pixels from (sourceX, sourceY) of a bitmap, drawn at
    // (x, y) with an opacity; flags 0 or kEffectUseAlpha.
    static int DrawHBitmapWithOpacity(HDC dc, HBITMAP bitmap, int x, int y, int width, int height,
                                      int sourceX, int sourceY, int opacity, int flags);
    // The bitmap without its key-colour pixels, blended at an opacity that
    // runs from topOpacity on its first row to bottomOpacity on its last.
    static int DrawBitmapKeyed(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key,
                               int topOpacity, int bottomOpacity);
    // The same, upside down: a reflection fading away from its top row.
    static int DrawBitmapBlendB(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key,
                                int topOpacity, int bottomOpacity);
    // The shape of the bitmap (its pixels that are not the key colour; with
    // key CLR_INVALID all of them) in one colour at an opacity.
    static int FillSilhouette(HDC dc, HBITMAP bitmap, int x, int y, COLORREF key,
                              COLORREF colour, int opacity);
    // Light edges: the outermost ring of pixels moves toward the colour by
    // edgeStrength, the ring `width - 1` pixels in by innerStrength, the
    // rings between by linear steps.
    static int HighlightEdges(HDC dc, int x, int y, int width, int height, COLORREF colour,
                              int edgeStrength, int innerStrength, int edgeWidth);

    // The same effects on the context's device context and rectangle.
    int BlendColourInRect(COLORREF colour, int level);
    int HighlightEdgesInRect(COLORREF colour, int edgeStrength, int innerStrength, int edgeWidth);
    // Top row moved toward the colour by strength, falling to 0 at the bottom.
    int GradientTintInRect(COLORREF colour, int strength);
    // A border `width` pixels wide: strength at the outer ring, falling
    // linearly toward 0 inward. LR: left and right sides only.
    int BorderFadeInRect(const RECT& rect, int width, COLORREF colour, int strength);
    int BorderFadeInRectLR(const RECT& rect, int width, COLORREF colour, int strength);
    // Bilinear gradients between four corner colours over a rectangle:
    // A fills, C blends over the picture by strength, D multiplies the
    // picture by the gradient (a tinted glass).
    int FourCornerGradientA(const RECT& rect, COLORREF topLeft, COLORREF topRight,
                            COLORREF bottomLeft, COLORREF bottomRight);
    int FourCornerGradientC(const RECT& rect, COLORREF topLeft, COLORREF topRight,
                            COLORREF bottomLeft, COLORREF bottomRight, int strength);
    int FourCornerGradientD(const RECT& rect, COLORREF topLeft, COLORREF topRight,
                            COLORREF bottomLeft, COLORREF bottomRight);

private:
    HDC dc_;
    RECT rect_;
};
