// ZSoft PCX: 1-bit (1 or 4 planes), 8-bit with the 256-colour table at the
// end, and 24-bit as three planes; run-length encoded lines.
#include <stdlib.h>
#include <string.h>

#include "imaging/byte_reader.h"
#include "imaging/image_codecs.h"

int32_t DecodePcx(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error)
{
    PixelsFree(image);
    if (size < 128 || data[0] != 10 || data[2] != 1) return SetImageError(error, "Not a PCX file");
    ByteReader in(data, size);
    in.Seek(3);
    int32_t bits = in.U8();
    int32_t xMin = in.U16LE(), yMin = in.U16LE(), xMax = in.U16LE(), yMax = in.U16LE();
    in.Seek(16);
    const uint8_t* egaPalette = in.Take(48);
    in.Seek(65);
    int32_t planes = in.U8();
    int32_t bytesPerLine = in.U16LE();
    if (xMax < xMin || yMax < yMin) return SetImageError(error, "PCX image has no pixels");
    int32_t width = xMax - xMin + 1, height = yMax - yMin + 1;
    bool indexed = (bits == 1 && (planes == 1 || planes == 4)) || (bits == 8 && planes == 1) ||
                   (bits == 4 && planes == 1) || (bits == 2 && planes == 1);
    bool trueColour = bits == 8 && (planes == 3 || planes == 4);
    if (!indexed && !trueColour) return SetImageError(error, "Unsupported PCX depth");
    if (uint64_t(bytesPerLine) * 8 < uint64_t(width) * bits)
        return SetImageError(error, "Bad PCX line length");
    if (uint64_t(width) * uint64_t(height) > kMaxImagePixels)
        return SetImageError(error, "Image is too large");
    uint64_t lineBytes = uint64_t(bytesPerLine) * planes;
    uint8_t* line = static_cast<uint8_t*>(malloc(lineBytes));
    if (!line) return SetImageError(error, "Out of memory for the image");
    if (!PixelsCreate(image, width, height, indexed ? 8 : 24, error)) {
        free(line);
        return 0;
    }
    PaletteEntry* palette = PixelsPalette(*image);
    if (indexed && bits == 8) {
        // The 256-colour table: a 0x0C marker 769 bytes before the end.
        if (size < 128 + 769 || data[size - 769] != 0x0C) {
            free(line);
            PixelsFree(image);
            return SetImageError(error, "PCX colour table is missing");
        }
        {
            const uint8_t* table = data + size - 768;
            for (int32_t i = 0; i < 256; ++i) {
                palette[i].red = table[i * 3];
                palette[i].green = table[i * 3 + 1];
                palette[i].blue = table[i * 3 + 2];
            }
        }
    } else if (indexed) {
        int32_t colours = 1 << (bits * planes);
        for (int32_t i = 0; i < 256; ++i) palette[i] = PaletteEntry();
        if (colours == 2) {
            palette[1].red = palette[1].green = palette[1].blue = 255;
        } else {
            for (int32_t i = 0; i < colours && i < 16; ++i) {
                palette[i].red = egaPalette[i * 3];
                palette[i].green = egaPalette[i * 3 + 1];
                palette[i].blue = egaPalette[i * 3 + 2];
            }
        }
    }
    in.Seek(128);
    uint8_t runValue = 0;
    uint32_t runLeft = 0;
    for (int32_t y = 0; y < height; ++y) {
        for (uint64_t i = 0; i < lineBytes; ++i) {  // runs may cross lines
            if (!runLeft) {
                uint8_t b = in.U8();
                if ((b & 0xC0) == 0xC0) {
                    runLeft = b & 0x3F;
                    runValue = in.U8();
                } else {
                    runLeft = 1;
                    runValue = b;
                }
                if (in.failed) {
                    free(line);
                    PixelsFree(image);
                    return SetImageError(error, "PCX image data is truncated");
                }
                if (!runLeft) {
                    --i;
                    continue;
                }
            }
            line[i] = runValue;
            --runLeft;
        }
        uint8_t* out = PixelsRowFromTop(*image, y);
        for (int32_t x = 0; x < width; ++x) {
            if (trueColour) {
                out[x * 3 + 2] = line[x];
                out[x * 3 + 1] = line[bytesPerLine + x];
                out[x * 3] = line[2 * bytesPerLine + x];
            } else if (bits == 8) {
                out[x] = line[x];
            } else {
                uint8_t index = 0;
                for (int32_t p = 0; p < planes; ++p) {
                    uint64_t bit = uint64_t(x) * bits;
                    uint8_t v = uint8_t((line[p * bytesPerLine + (bit >> 3)] >> (8 - bits - (bit & 7))) &
                                        ((1 << bits) - 1));
                    index |= uint8_t(v << (p * bits));
                }
                out[x] = index;
            }
        }
    }
    free(line);
    return 1;
}
