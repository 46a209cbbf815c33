// BMP files and packed DIBs (also the bitmaps inside icons): header sizes 12
// to 124, 1/4/8/16/24/32 bits, BI_RGB, RLE4, RLE8 and BI_BITFIELDS.
#include <stdlib.h>
#include <string.h>

#include "imaging/byte_reader.h"
#include "imaging/codec_bmp.h"
#include "imaging/image_codecs.h"

namespace {

const uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kAlphaBitfields = 6;

struct Mask {
    uint32_t mask = 0;
    int32_t shift = 0;
    int32_t bits = 0;
};

Mask MakeMask(uint32_t mask)
{
    Mask m;
    m.mask = mask;
    if (!mask) return m;
    while (!((mask >> m.shift) & 1)) ++m.shift;
    while (m.shift + m.bits < 32 && ((mask >> (m.shift + m.bits)) & 1)) ++m.bits;
    return m;
}

uint8_t Extract(uint32_t value, const Mask& m)
{
    if (!m.bits) return 0;
    uint32_t v = (value & m.mask) >> m.shift;
    if (m.bits >= 8) return uint8_t(v >> (m.bits - 8));
    uint32_t max = (1u << m.bits) - 1;
    return uint8_t((v * 255 + max / 2) / max);
}

// Expands RLE4/RLE8 into one index per pixel (rows bottom first). Runs that
// leave the picture are cut off; the data is untrusted.
int32_t DecodeRle(ByteReader& in, bool rle4, int32_t width, int32_t height, uint8_t* indices,
                  ImageError* error)
{
    int64_t x = 0, y = 0;
    while (y < height) {
        if (in.Left() < 2) return SetImageError(error, "BMP run data is truncated");
        uint8_t count = in.U8();
        uint8_t value = in.U8();
        if (count) {
            for (int32_t i = 0; i < count && x < width; ++i, ++x) {
                indices[y * width + x] = rle4 ? ((i & 1) ? (value & 15) : (value >> 4)) : value;
            }
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // delta
            x += in.U8();
            y += in.U8();
            if (in.failed) return SetImageError(error, "BMP run data is truncated");
        } else {  // absolute run
            uint32_t bytes = rle4 ? (value + 1u) / 2 : value;
            const uint8_t* run = in.Take(bytes);
            if (!run) return SetImageError(error, "BMP run data is truncated");
            for (int32_t i = 0; i < value; ++i, ++x) {
                if (x >= width || y >= height) continue;
                indices[y * width + x] = rle4 ? ((i & 1) ? (run[i / 2] & 15) : (run[i / 2] >> 4)) : run[i];
            }
            if (bytes & 1) in.Skip(1);
        }
    }
    return 1;
}

}  // namespace

int32_t DecodeDibAt(const uint8_t* data, uint64_t size, uint64_t bitsOffset, int32_t iconMode,
                    ImagePixels* image, ImageError* error)
{
    PixelsFree(image);
    ByteReader in(data, size);
    uint32_t headerSize = in.U32LE();
    int64_t width, height;
    uint32_t bitCount, compression = kRgb, colorsUsed = 0;
    if (headerSize == 12) {
        width = in.U16LE();
        height = int16_t(in.U16LE());
        in.U16LE();
        bitCount = in.U16LE();
    } else if (headerSize >= 40 && headerSize <= 124) {
        width = int32_t(in.U32LE());
        height = int32_t(in.U32LE());
        in.U16LE();
        bitCount = in.U16LE();
        compression = in.U32LE();
        in.Skip(12);
        colorsUsed = in.U32LE();
    } else {
        return SetImageError(error, "Unknown bitmap header size");
    }
    if (in.failed || headerSize > size) return SetImageError(error, "Bitmap header is truncated");
    bool topDown = height < 0;
    if (topDown) height = -height;
    if (iconMode) height /= 2;  // icon bitmaps hold the colour rows and the mask rows
    if (width <= 0 || height <= 0) return SetImageError(error, "Bitmap has no pixels");
    if (uint64_t(width) * uint64_t(height) > kMaxImagePixels)
        return SetImageError(error, "Image is too large");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return SetImageError(error, "Unsupported bitmap depth");
    if (compression == kRle8 && bitCount != 8) return SetImageError(error, "Bad bitmap compression");
    if (compression == kRle4 && bitCount != 4) return SetImageError(error, "Bad bitmap compression");
    if ((compression == kBitfields || compression == kAlphaBitfields) && bitCount != 16 && bitCount != 32)
        return SetImageError(error, "Bad bitmap compression");
    if (compression > kBitfields && compression != kAlphaBitfields)
        return SetImageError(error, "Unsupported bitmap compression");
    if ((compression == kRle4 || compression == kRle8) && topDown)
        return SetImageError(error, "Bad bitmap compression");

    // Masks: inside the v2+ header, or three (four) words after a 40-byte one.
    Mask red, green, blue, alpha;
    bool hasAlphaMask = false;
    in.Seek(headerSize);
    if (compression == kBitfields || compression == kAlphaBitfields) {
        ByteReader masks(data, size);
        masks.Seek(40);  // right after the 40-byte part of every header that has masks
        red = MakeMask(masks.U32LE());
        green = MakeMask(masks.U32LE());
        blue = MakeMask(masks.U32LE());
        if (headerSize >= 56 || compression == kAlphaBitfields) {
            alpha = MakeMask(masks.U32LE());
            hasAlphaMask = alpha.mask != 0;
        }
        if (masks.failed) return SetImageError(error, "Bitmap masks are truncated");
        if (headerSize == 40) in.Skip(compression == kAlphaBitfields ? 16 : 12);
    } else if (bitCount == 16) {
        red = MakeMask(0x7C00);
        green = MakeMask(0x03E0);
        blue = MakeMask(0x001F);
    } else if (bitCount == 32) {
        red = MakeMask(0x00FF0000);
        green = MakeMask(0x0000FF00);
        blue = MakeMask(0x000000FF);
        alpha = MakeMask(0xFF000000);
        hasAlphaMask = true;  // used only when the alpha bytes are not all equal
    }

    bool indexed = bitCount <= 8;
    if (!PixelsCreate(image, int32_t(width), int32_t(height), indexed ? 8 : 24, error)) return 0;
    if (indexed) {
        uint32_t maxColors = 1u << bitCount;
        uint32_t count = colorsUsed ? colorsUsed : maxColors;
        if (count > maxColors) count = maxColors;
        uint32_t entrySize = headerSize == 12 ? 3 : 4;
        const uint8_t* table = in.Take(uint64_t(count) * entrySize);
        if (!table) {
            PixelsFree(image);
            return SetImageError(error, "Bitmap palette is truncated");
        }
        PaletteEntry* palette = PixelsPalette(*image);
        memset(palette, 0, 256 * sizeof(PaletteEntry));
        for (uint32_t i = 0; i < count; ++i) {
            palette[i].blue = table[i * entrySize];
            palette[i].green = table[i * entrySize + 1];
            palette[i].red = table[i * entrySize + 2];
        }
    } else if (colorsUsed && !bitsOffset) {
        // Deeper bitmaps may still carry a table of biClrUsed colours before the rows.
        in.Skip(uint64_t(colorsUsed) * 4);
    }
    uint64_t bitsAt = bitsOffset ? bitsOffset : in.pos;
    if (bitsAt > size) {
        PixelsFree(image);
        return SetImageError(error, "Bitmap data offset is outside the file");
    }
    ByteReader bits(data, size);
    bits.Seek(bitsAt);

    if (compression == kRle4 || compression == kRle8) {
        uint8_t* indices = static_cast<uint8_t*>(calloc(uint64_t(width) * uint64_t(height), 1));
        if (!indices) {
            PixelsFree(image);
            return SetImageError(error, "Out of memory for the image");
        }
        int32_t ok = DecodeRle(bits, compression == kRle4, int32_t(width), int32_t(height), indices, error);
        if (ok) {
            for (int64_t y = 0; y < height; ++y)
                memcpy(PixelsBits(*image) + uint64_t(y) * image->stride, indices + uint64_t(y) * width,
                       uint64_t(width));
        }
        free(indices);
        if (!ok) PixelsFree(image);
        return ok;
    }

    uint64_t sourceStride = ((uint64_t(width) * bitCount + 31) / 32) * 4;
    if (sourceStride * uint64_t(height) > bits.Left()) {
        PixelsFree(image);
        return SetImageError(error, "Bitmap data is truncated");
    }
    bool anyAlpha = false;
    uint8_t firstAlpha = 0;
    bool alphaVaries = false;
    if (bitCount == 32 && hasAlphaMask && !PixelsCreateAlpha(image, error)) {
        PixelsFree(image);
        return 0;
    }
    for (int64_t row = 0; row < height; ++row) {
        const uint8_t* source = bits.Take(sourceStride);
        int32_t y = int32_t(topDown ? row : height - 1 - row);  // y counted from the top
        uint8_t* out = PixelsRowFromTop(*image, y);
        for (int64_t x = 0; x < width; ++x) {
            switch (bitCount) {
            case 1: out[x] = (source[x >> 3] >> (7 - (x & 7))) & 1; break;
            case 4: out[x] = (x & 1) ? (source[x >> 1] & 15) : (source[x >> 1] >> 4); break;
            case 8: out[x] = source[x]; break;
            case 24: memcpy(out + x * 3, source + x * 3, 3); break;
            case 16:
            case 32: {
                uint32_t v = bitCount == 16
                                 ? uint32_t(source[x * 2] | (source[x * 2 + 1] << 8))
                                 : uint32_t(source[x * 4] | (source[x * 4 + 1] << 8) |
                                            (source[x * 4 + 2] << 16) | (uint32_t(source[x * 4 + 3]) << 24));
                out[x * 3] = Extract(v, blue);
                out[x * 3 + 1] = Extract(v, green);
                out[x * 3 + 2] = Extract(v, red);
                if (image->alpha) {
                    uint8_t a = Extract(v, alpha);
                    AlphaRowFromTop(*image, y)[x] = a;
                    if (!anyAlpha)
                        firstAlpha = a;
                    else if (a != firstAlpha)
                        alphaVaries = true;
                    anyAlpha = true;
                }
                break;
            }
            }
        }
    }
    // 32-bit bitmaps often leave the fourth byte at 0 (or 255): then it is no alpha.
    if (image->alpha && !alphaVaries && !iconMode) {
        free(image->alpha);
        image->alpha = nullptr;
    }
    if (iconMode) {
        // The AND mask follows the colour rows; set bits are transparent.
        uint64_t maskStride = ((uint64_t(width) + 31) / 32) * 4;
        bool maskPresent = maskStride * uint64_t(height) <= bits.Left();
        bool colourAlpha = image->alpha && alphaVaries;
        if (!colourAlpha && image->alpha) {
            free(image->alpha);
            image->alpha = nullptr;
        }
        if (maskPresent && !colourAlpha) {
            if (!PixelsCreateAlpha(image, error)) {
                PixelsFree(image);
                return 0;
            }
            bool anyTransparent = false;
            for (int64_t row = 0; row < height; ++row) {
                const uint8_t* mask = bits.Take(maskStride);
                int32_t y = int32_t(topDown ? row : height - 1 - row);
                uint8_t* a = AlphaRowFromTop(*image, y);
                for (int64_t x = 0; x < width; ++x) {
                    bool transparent = (mask[x >> 3] >> (7 - (x & 7))) & 1;
                    a[x] = transparent ? 0 : 255;
                    anyTransparent |= transparent;
                }
            }
            if (!anyTransparent) {
                free(image->alpha);
                image->alpha = nullptr;
            }
        }
    }
    return 1;
}

int32_t DecodePackedDib(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error)
{
    if (size < 12) return SetImageError(error, "Bitmap header is truncated");
    return DecodeDibAt(data, size, 0, 0, image, error);
}

int32_t DecodeBmp(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error)
{
    PixelsFree(image);
    if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return SetImageError(error, "Not a BMP file");
    uint32_t offset = uint32_t(data[10] | (data[11] << 8) | (data[12] << 16) | (uint32_t(data[13]) << 24));
    // A zero or impossible offset falls back to "right after the palette".
    uint64_t bitsOffset = (offset >= 14 + 12 && offset <= size) ? offset - 14 : 0;
    return DecodeDibAt(data + 14, size - 14, bitsOffset, 0, image, error);
}

int32_t EncodeBmp(const ImagePixels& image, ByteStream* stream, ImageError* error)
{
    if (!image.dib) return SetImageError(error, "Image has no pixels");
    uint64_t total = 14 + image.dibSize;
    if (total > 0xFFFFFFFFull) return SetImageError(error, "Image is too large for BMP");
    uint8_t header[14] = {'B', 'M'};
    uint32_t offBits = uint32_t(14 + sizeof(DibHeader) + image.paletteCount * sizeof(PaletteEntry));
    for (int i = 0; i < 4; ++i) {
        header[2 + i] = uint8_t(total >> (8 * i));
        header[10 + i] = uint8_t(offBits >> (8 * i));
    }
    if (!StreamWriteAll(stream, header, 14) || !StreamWriteAll(stream, image.dib, image.dibSize) ||
        (stream->flush && !stream->flush(stream->context)))
        return SetImageError(error, "Could not write the BMP data");
    return 1;
}
