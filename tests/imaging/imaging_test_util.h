// Small images and files for the imaging tests, made here so that every
// expected pixel is known.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "imaging/ai_image.h"

using Bytes = std::vector<uint8_t>;

struct Rgb {
  int r, g, b;
};

// The 12x8 test pattern: red top-left, green top-right, blue bottom-left,
// white bottom-right (quadrants of 6x4).
void MakePattern(AIImage* image);
Rgb PatternColour(int x, int y);
Rgb PixelAt(const AIImage& image, int x, int y);  // x, y from the top left
bool Near(Rgb a, Rgb b, int tolerance);
// The colour of each quadrant's centre matches the pattern (quarter turns
// give the pattern's corners in a new order, see the tests).
bool QuadrantsAre(const AIImage& image, Rgb topLeft, Rgb topRight, Rgb bottomLeft, Rgb bottomRight, int tolerance);

Bytes ReadDataFile(const char* name);   // from tests/imaging/data
std::vector<WCHAR> TempPath(const char* name);  // a file in the test's temp folder
Bytes ReadWholeFile(const WCHAR* path);
bool WriteWholeFile(const WCHAR* path, const Bytes& bytes);

// Hand-made files of the formats that are simple to write.
Bytes MakeWbmp(int width, int height);          // 1 where (x + y) is even
Bytes MakeTgaColourMapped();                    // 4x2, colour map, bottom-up
Bytes MakeWmf();                                 // 100x50, red left half
Bytes MakePcx8();                                // 4x2, 8-bit with 256-colour table
Bytes MakeIcoWithPng(const Bytes& png);
Bytes InsertExifOrientation(const Bytes& jpeg, int orientation);
Bytes Encode(AIImage* image, int type);
