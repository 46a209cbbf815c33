#include "imaging/image_pixels.h"

#include <stdlib.h>
#include <string.h>

int32_t SetImageError(ImageError* error, const char* text)
{
    if (error) {
        strncpy(error->text, text, kErrorTextSize - 1);
        error->text[kErrorTextSize - 1] = 0;
    }
    return 0;
}

int32_t PixelsCreate(ImagePixels* image, int32_t width, int32_t height, int32_t bpp, ImageError* error)
{
    PixelsFree(image);
    if (width <= 0 || height <= 0) return SetImageError(error, "Image has no pixels");
    if (bpp != 8 && bpp != 24) return SetImageError(error, "Unsupported pixel depth");
    if (uint64_t(width) * uint64_t(height) > kMaxImagePixels)
        return SetImageError(error, "Image is too large");
    uint64_t stride = ((uint64_t(width) * bpp + 31) / 32) * 4;
    int32_t paletteCount = bpp == 8 ? 256 : 0;
    uint64_t size = sizeof(DibHeader) + paletteCount * sizeof(PaletteEntry) + stride * uint64_t(height);
    if (size > 0xFFFFFFF0ull) return SetImageError(error, "Image is too large");
    uint8_t* block = static_cast<uint8_t*>(calloc(1, size));
    if (!block) return SetImageError(error, "Out of memory for the image");
    DibHeader* header = reinterpret_cast<DibHeader*>(block);
    header->size = sizeof(DibHeader);
    header->width = width;
    header->height = height;
    header->planes = 1;
    header->bitCount = uint16_t(bpp);
    header->sizeImage = uint32_t(stride * uint64_t(height));
    header->xPelsPerMeter = 3780;
    header->yPelsPerMeter = 3780;
    header->clrUsed = uint32_t(paletteCount);
    image->dib = block;
    image->dibSize = size;
    image->width = width;
    image->height = height;
    image->bpp = bpp;
    image->paletteCount = paletteCount;
    image->stride = uint32_t(stride);
    PaletteEntry* palette = PixelsPalette(*image);
    for (int32_t i = 0; i < paletteCount; ++i) {
        palette[i].blue = palette[i].green = palette[i].red = uint8_t(i);
    }
    return 1;
}

int32_t PixelsCreateAlpha(ImagePixels* image, ImageError* error)
{
    if (!image->dib) return SetImageError(error, "Image has no pixels");
    if (image->alpha) return 1;
    image->alpha = static_cast<uint8_t*>(malloc(uint64_t(image->width) * uint64_t(image->height)));
    if (!image->alpha) return SetImageError(error, "Out of memory for the alpha plane");
    memset(image->alpha, 255, uint64_t(image->width) * uint64_t(image->height));
    return 1;
}

void PixelsFree(ImagePixels* image)
{
    free(image->dib);
    free(image->alpha);
    *image = ImagePixels();
}

void PixelsSwap(ImagePixels* a, ImagePixels* b)
{
    ImagePixels t = *a;
    *a = *b;
    *b = t;
}

int32_t PixelsCopy(const ImagePixels& source, ImagePixels* copy, ImageError* error)
{
    ImagePixels made;
    if (!PixelsCreate(&made, source.width, source.height, source.bpp, error)) return 0;
    memcpy(made.dib, source.dib, source.dibSize);
    if (source.alpha) {
        if (!PixelsCreateAlpha(&made, error)) {
            PixelsFree(&made);
            return 0;
        }
        memcpy(made.alpha, source.alpha, uint64_t(source.width) * uint64_t(source.height));
    }
    PixelsFree(copy);
    *copy = made;
    return 1;
}
