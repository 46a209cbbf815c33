// Canvases for the drawing tests: small bitmaps with known pixels.
#pragma once
#include "drawing/ai_dib.h"
#include <stdint.h>

// A COLORREF-style 0x00BBGGRR colour of the pixel at (x, y) of a 24- or 32-bit bitmap.
COLORREF PixelAt(const AIDib& dib, int x, int y);
void SetPixelAt(AIDib& dib, int x, int y, COLORREF colour);
// A width x height bitmap filled with one colour.
int MakeCanvas(AIDib& dib, int width, int height, COLORREF colour, int bitsPerPixel = 32);
// A bitmap whose every pixel differs: red = x * 16 + 5, green = y * 16 + 7, blue 99.
int MakePattern(AIDib& dib, int width, int height, int bitsPerPixel = 32);
COLORREF PatternColour(int x, int y);
// Counts pixels that differ from a reference bitmap of the same size.
int CountDifferences(const AIDib& a, const AIDib& b);
// Copies a bitmap's pixels into another of the same size and depth.
void CopyPixels(const AIDib& from, AIDib& to);
// One channel of a mix as the effects define it.
int ExpectedMix(int a, int b, int weight);
