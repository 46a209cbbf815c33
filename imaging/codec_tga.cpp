// Truevision TGA: colour-mapped, true-colour and grey, plain or run-length
// encoded, with either origin.
#include <stdlib.h>
#include <string.h>

#include "imaging/byte_reader.h"
#include "imaging/image_codecs.h"

namespace {

void ReadColour(const uint8_t* p, int32_t bytes, uint8_t* bgra)
{
    if (bytes == 2) {
        uint16_t v = uint16_t(p[0] | (p[1] << 8));
        bgra[0] = uint8_t(((v & 31) * 255 + 15) / 31);
        bgra[1] = uint8_t((((v >> 5) & 31) * 255 + 15) / 31);
        bgra[2] = uint8_t((((v >> 10) & 31) * 255 + 15) / 31);
        bgra[3] = 255;
    } else if (bytes == 1) {
        bgra[0] = bgra[1] = bgra[2] = p[0];
        bgra[3] = 255;
    } else {
        bgra[0] = p[0];
        bgra[1] = p[1];
        bgra[2] = p[2];
        bgra[3] = bytes == 4 ? p[3] : 255;
    }
}

}  // namespace

int32_t DecodeTga(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error)
{
    PixelsFree(image);
    ByteReader in(data, size);
    uint8_t idLength = in.U8(), mapType = in.U8(), imageType = in.U8();
    uint16_t mapFirst = in.U16LE(), mapLength = in.U16LE();
    uint8_t mapBits = in.U8();
    in.U16LE();
    in.U16LE();
    int32_t width = in.U16LE(), height = in.U16LE();
    uint8_t depth = in.U8(), descriptor = in.U8();
    if (in.failed) return SetImageError(error, "TGA header is truncated");
    bool rle = imageType >= 9;
    uint8_t baseType = rle ? imageType - 8 : imageType;
    if (baseType < 1 || baseType > 3 || mapType > 1) return SetImageError(error, "Not a TGA file");
    if (width == 0 || height == 0) return SetImageError(error, "TGA image has no pixels");
    bool mapped = baseType == 1;
    if (mapped && (mapType != 1 || (depth != 8 && depth != 16)))
        return SetImageError(error, "Bad TGA colour map");
    if (baseType == 2 && depth != 15 && depth != 16 && depth != 24 && depth != 32)
        return SetImageError(error, "Unsupported TGA depth");
    if (baseType == 3 && depth != 8) return SetImageError(error, "Unsupported TGA depth");
    in.Skip(idLength);
    uint8_t map[256][4] = {};
    if (mapType == 1) {
        int32_t entryBytes = mapBits == 15 ? 2 : (mapBits + 7) / 8;
        if (entryBytes < 2 || entryBytes > 4) return SetImageError(error, "Bad TGA colour map");
        const uint8_t* table = in.Take(uint64_t(mapLength) * entryBytes);
        if (!table) return SetImageError(error, "TGA colour map is truncated");
        for (int32_t i = 0; i < mapLength; ++i) {
            int32_t index = mapFirst + i;
            if (index < 256) ReadColour(table + i * entryBytes, entryBytes, map[index]);
        }
    }
    int32_t pixelBytes = (depth + 7) / 8;
    bool alphaWanted = (depth == 32 && (descriptor & 15)) || (mapped && mapBits == 32);
    if (!PixelsCreate(image, width, height, 24, error)) return 0;
    if (alphaWanted && !PixelsCreateAlpha(image, error)) {
        PixelsFree(image);
        return 0;
    }
    bool topOrigin = descriptor & 0x20, rightToLeft = descriptor & 0x10;
    uint64_t total = uint64_t(width) * uint64_t(height), done = 0;
    uint8_t packet[4] = {}, repeat = 0, literal = 0;
    bool truncated = false;
    while (done < total) {
        const uint8_t* p;
        if (rle) {
            if (!repeat && !literal) {
                uint8_t head = in.U8();
                if (head & 0x80) {
                    repeat = uint8_t((head & 0x7F) + 1);
                    const uint8_t* q = in.Take(uint64_t(pixelBytes));
                    if (q) memcpy(packet, q, uint64_t(pixelBytes));
                } else {
                    literal = uint8_t(head + 1);
                }
                if (in.failed) {
                    truncated = true;
                    break;
                }
            }
            if (repeat) {
                --repeat;
                p = packet;
            } else {
                --literal;
                p = in.Take(uint64_t(pixelBytes));
            }
        } else {
            p = in.Take(uint64_t(pixelBytes));
        }
        if (!p) {
            truncated = true;
            break;
        }
        uint8_t bgra[4];
        if (mapped) {
            uint32_t index = pixelBytes == 1 ? p[0] : uint32_t(p[0] | (p[1] << 8));
            if (index > 255) index = 0;  // outside the map: first colour
            memcpy(bgra, map[index], 4);
        } else {
            ReadColour(p, pixelBytes, bgra);
        }
        int32_t sx = int32_t(done % uint64_t(width)), sy = int32_t(done / uint64_t(width));
        int32_t x = rightToLeft ? width - 1 - sx : sx, y = topOrigin ? sy : height - 1 - sy;
        memcpy(PixelsRowFromTop(*image, y) + x * 3, bgra, 3);
        if (image->alpha) AlphaRowFromTop(*image, y)[x] = bgra[3];
        ++done;
    }
    if (truncated) {
        PixelsFree(image);
        return SetImageError(error, "TGA image data is truncated");
    }
    return 1;
}
