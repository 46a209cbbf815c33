// Wireless bitmap (type 0): one bit per pixel, 1 is white.
#include "imaging/byte_reader.h"
#include "imaging/image_codecs.h"

namespace {

int32_t ReadMultiByte(ByteReader& in, uint32_t* value)
{
    *value = 0;
    for (int32_t i = 0; i < 4; ++i) {
        uint8_t b = in.U8();
        if (in.failed) return 0;
        *value = (*value << 7) | (b & 0x7F);
        if (!(b & 0x80)) return 1;
    }
    return 0;
}

}  // namespace

int32_t DecodeWbmp(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error)
{
    PixelsFree(image);
    ByteReader in(data, size);
    uint32_t type = 0, width = 0, height = 0;
    if (!ReadMultiByte(in, &type) || type != 0) return SetImageError(error, "Not a WBMP file");
    in.U8();  // fixed header
    if (!ReadMultiByte(in, &width) || !ReadMultiByte(in, &height))
        return SetImageError(error, "WBMP header is truncated");
    if (width == 0 || height == 0) return SetImageError(error, "WBMP image has no pixels");
    if (uint64_t(width) * height > kMaxImagePixels) return SetImageError(error, "Image is too large");
    uint64_t rowBytes = (uint64_t(width) + 7) / 8;
    if (rowBytes * height > in.Left()) return SetImageError(error, "WBMP image data is truncated");
    if (!PixelsCreate(image, int32_t(width), int32_t(height), 8, error)) return 0;
    PaletteEntry* palette = PixelsPalette(*image);
    palette[0] = PaletteEntry();
    palette[1].red = palette[1].green = palette[1].blue = 255;
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = in.Take(rowBytes);
        uint8_t* out = PixelsRowFromTop(*image, int32_t(y));
        for (uint32_t x = 0; x < width; ++x) out[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
    return 1;
}
