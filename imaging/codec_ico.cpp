// ICO and CUR: the largest, deepest entry; entries hold a bitmap with an AND
// mask or a whole PNG file.
#include <string.h>

#include "imaging/byte_reader.h"
#include "imaging/codec_bmp.h"
#include "imaging/image_codecs.h"

int32_t DecodeIco(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error)
{
    PixelsFree(image);
    ByteReader in(data, size);
    uint16_t reserved = in.U16LE(), kind = in.U16LE(), count = in.U16LE();
    if (in.failed || reserved != 0 || (kind != 1 && kind != 2) || count == 0)
        return SetImageError(error, "Not an icon file");
    int32_t best = -1;
    uint64_t bestScore = 0, bestOffset = 0, bestSize = 0;
    for (int32_t i = 0; i < count; ++i) {
        const uint8_t* entry = in.Take(16);
        if (!entry) return SetImageError(error, "Icon directory is truncated");
        uint32_t width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
        uint32_t bits = kind == 1 ? uint32_t(entry[6] | (entry[7] << 8)) : 0;
        uint32_t bytes =
            uint32_t(entry[8] | (entry[9] << 8) | (entry[10] << 16) | (uint32_t(entry[11]) << 24));
        uint32_t offset =
            uint32_t(entry[12] | (entry[13] << 8) | (entry[14] << 16) | (uint32_t(entry[15]) << 24));
        if (offset >= size || bytes == 0 || bytes > size - offset) continue;  // entry outside the file
        uint64_t score = (uint64_t(width) * height << 8) | (bits & 0xFF);
        if (best < 0 || score > bestScore) {
            best = i;
            bestScore = score;
            bestOffset = offset;
            bestSize = bytes;
        }
    }
    if (best < 0) return SetImageError(error, "Icon holds no usable image");
    const uint8_t* entryData = data + bestOffset;
    if (bestSize >= 8 && memcmp(entryData, "\x89PNG\r\n\x1a\n", 8) == 0) {
        MemoryStream memory;
        ByteStream stream;
        MemoryStreamOpenRead(&memory, entryData, bestSize, &stream);
        return DecodePng(&stream, 0, 0, image, error);
    }
    return DecodeDibAt(entryData, bestSize, 0, 1, image, error);
}
