// The pixels of one image as a packed DIB (header, palette, bottom-up rows
// padded to 4 bytes) plus an optional alpha plane. Plain types only: this
// header is shared by the host-compiled codecs and the Win32 side.
#pragma once
#include <stddef.h>
#include <stdint.h>

// Images above this many pixels are refused before anything is allocated.
const uint64_t kMaxImagePixels = 100000000ull;

// Same layout as BITMAPINFOHEADER (40 bytes).
struct DibHeader {
    uint32_t size;
    int32_t width;
    int32_t height;
    uint16_t planes;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t sizeImage;
    int32_t xPelsPerMeter;
    int32_t yPelsPerMeter;
    uint32_t clrUsed;
    uint32_t clrImportant;
};

// Same layout as RGBQUAD.
struct PaletteEntry {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
    uint8_t reserved;
};

struct ImagePixels {
    uint8_t* dib = nullptr;  // DibHeader, palette, rows (bottom row first)
    uint64_t dibSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bpp = 0;           // 8 (palette) or 24 (BGR)
    int32_t paletteCount = 0;  // 256 for 8 bpp, 0 for 24 bpp
    uint32_t stride = 0;       // bytes per row
    uint8_t* alpha = nullptr;  // width*height bytes, rows bottom first; null when opaque
    // The picture's size in its file when it was decoded at a reduced scale
    // (turned as the pixels are); 0 when the pixels are the whole picture.
    int32_t fileWidth = 0;
    int32_t fileHeight = 0;
};

// Room for the reason of the last failure.
const int32_t kErrorTextSize = 256;
struct ImageError {
    char text[kErrorTextSize] = {0};
};
int32_t SetImageError(ImageError* error, const char* text);  // always returns 0

// Allocates a blank image (palette grey ramp for 8 bpp); 0 with an error text
// when the size is zero, negative or above the cap.
int32_t PixelsCreate(ImagePixels* image, int32_t width, int32_t height, int32_t bpp, ImageError* error);
int32_t PixelsCreateAlpha(ImagePixels* image, ImageError* error);
void PixelsFree(ImagePixels* image);
void PixelsSwap(ImagePixels* a, ImagePixels* b);
int32_t PixelsCopy(const ImagePixels& source, ImagePixels* copy, ImageError* error);

inline PaletteEntry* PixelsPalette(const ImagePixels& image)
{
    return reinterpret_cast<PaletteEntry*>(image.dib + sizeof(DibHeader));
}
inline uint8_t* PixelsBits(const ImagePixels& image)
{
    return image.dib ? image.dib + sizeof(DibHeader) + image.paletteCount * sizeof(PaletteEntry) : nullptr;
}
// Row y counted from the top of the picture.
inline uint8_t* PixelsRowFromTop(const ImagePixels& image, int32_t y)
{
    return PixelsBits(image) + uint64_t(image.height - 1 - y) * image.stride;
}
inline uint8_t* AlphaRowFromTop(const ImagePixels& image, int32_t y)
{
    return image.alpha + uint64_t(image.height - 1 - y) * uint32_t(image.width);
}
