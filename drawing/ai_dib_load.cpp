// AIDib: pictures from image files and decoded images, always turned into
// 32-bit bitmaps.
#include "drawing/ai_dib.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "imaging/ai_image.h"
#include <string.h>

namespace {
const int kModule = kTraceDib;
}

int AIDib::LoadImagePixels(const AIImage& image)
{
    TRACE_SCOPE(kModule, 10);
    const ImagePixels& pixels = image.Pixels();
    if (!pixels.dib || (pixels.bpp != 8 && pixels.bpp != 24)) return 0;
    if (!CreateSection(pixels.width, pixels.height, 32)) return 0;
    const PaletteEntry* palette = pixels.bpp == 8 ? PixelsPalette(pixels) : 0;
    for (int y = 0; y < height_; y++) {
        const uint8_t* in = PixelsRowFromTop(pixels, y);
        const uint8_t* alpha = pixels.alpha ? AlphaRowFromTop(pixels, y) : 0;
        uint32_t* out = (uint32_t*)((uint8_t*)bits_ + (size_t)y * stride_);
        for (int x = 0; x < width_; x++) {
            uint32_t blue, green, red;
            if (palette) {
                const PaletteEntry& entry = palette[in[x] < pixels.paletteCount ? in[x] : 0];
                blue = entry.blue;
                green = entry.green;
                red = entry.red;
            } else {
                blue = in[x * 3];
                green = in[x * 3 + 1];
                red = in[x * 3 + 2];
            }
            uint32_t a = alpha ? alpha[x] : 255;
            out[x] = (a << 24) | (red << 16) | (green << 8) | blue;
        }
    }
    hasAlpha_ = pixels.alpha != 0;
    return 1;
}

int AIDib::LoadImageFile(const WCHAR* path, int type)
{
    TRACE_SCOPE(kModule, 11);
    if (!path) return 0;
    AIImage image;
    if (!image.Load(path, type)) return 0;
    return LoadImagePixels(image);
}
