#include "tests/drawing/drawing_test_support.h"
#include <string.h>

namespace {

uint8_t* PixelAddress(const AIDib& dib, int x, int y)
{
    GdiFlush();
    return (uint8_t*)dib.GetBits() + (size_t)y * dib.GetStride() + (size_t)x * (dib.GetBitsPerPixel() / 8);
}

}  // namespace

COLORREF PixelAt(const AIDib& dib, int x, int y)
{
    const uint8_t* p = PixelAddress(dib, x, y);
    return RGB(p[2], p[1], p[0]);
}

void SetPixelAt(AIDib& dib, int x, int y, COLORREF colour)
{
    uint8_t* p = PixelAddress(dib, x, y);
    p[0] = GetBValue(colour);
    p[1] = GetGValue(colour);
    p[2] = GetRValue(colour);
    if (dib.GetBitsPerPixel() == 32) p[3] = 255;
}

int MakeCanvas(AIDib& dib, int width, int height, COLORREF colour, int bitsPerPixel)
{
    if (!dib.Create(width, height, bitsPerPixel)) return 0;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) SetPixelAt(dib, x, y, colour);
    return 1;
}

COLORREF PatternColour(int x, int y) { return RGB((x * 16 + 5) & 0xFF, (y * 16 + 7) & 0xFF, 99); }

int MakePattern(AIDib& dib, int width, int height, int bitsPerPixel)
{
    if (!dib.Create(width, height, bitsPerPixel)) return 0;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) SetPixelAt(dib, x, y, PatternColour(x, y));
    return 1;
}

int CountDifferences(const AIDib& a, const AIDib& b)
{
    int count = 0;
    for (int y = 0; y < a.GetHeight(); y++)
        for (int x = 0; x < a.GetWidth(); x++) count += PixelAt(a, x, y) != PixelAt(b, x, y);
    return count;
}

void CopyPixels(const AIDib& from, AIDib& to)
{
    GdiFlush();
    memcpy(to.GetBits(), from.GetBits(), (size_t)from.GetStride() * from.GetHeight());
}

int ExpectedMix(int a, int b, int weight) { return (a * weight + b * (255 - weight) + 127) / 255; }
