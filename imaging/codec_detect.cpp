#include <string.h>

#include "imaging/byte_reader.h"
#include "imaging/image_codecs.h"

namespace {

// WBMP has no magic: type 0, fixed header 0, then width and height as
// multi-byte integers, and the rows must fill the rest exactly.
bool LooksLikeWbmp(const uint8_t* data, uint64_t size)
{
    if (size < 4 || data[0] != 0 || data[1] != 0) return false;
    uint64_t pos = 2;
    uint64_t dims[2];
    for (int i = 0; i < 2; ++i) {
        uint64_t value = 0;
        int bytes = 0;
        for (;;) {
            if (pos >= size || ++bytes > 4) return false;
            uint8_t b = data[pos++];
            value = (value << 7) | (b & 0x7F);
            if (!(b & 0x80)) break;
        }
        if (value == 0) return false;
        dims[i] = value;
    }
    return size - pos == ((dims[0] + 7) / 8) * dims[1];
}

}  // namespace

int32_t DetectImageFormat(const uint8_t* data, uint64_t size)
{
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') return kFormatBmp;
    if (size >= 6 && (memcmp(data, "GIF87a", 6) == 0 || memcmp(data, "GIF89a", 6) == 0)) return kFormatGif;
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return kFormatJpg;
    if (size >= 8 && memcmp(data, "\x89PNG\r\n\x1a\n", 8) == 0) return kFormatPng;
    if (size >= 4 && (memcmp(data, "II*\0", 4) == 0 || memcmp(data, "MM\0*", 4) == 0)) return kFormatTif;
    if (size >= 4 && memcmp(data, "\xD7\xCD\xC6\x9A", 4) == 0) return kFormatWmf;
    if (size >= 18 && (data[0] == 1 || data[0] == 2) && data[1] == 0 && data[2] == 9 && data[3] == 0 &&
        (data[4] == 0 && (data[5] == 1 || data[5] == 3)))
        return kFormatWmf;
    if (size >= 6 && data[0] == 0 && data[1] == 0 && (data[2] == 1 || data[2] == 2) && data[3] == 0 &&
        (data[4] | data[5]) != 0)
        return kFormatIco;
    if (size >= 128 && data[0] == 10 && data[1] <= 5 && data[2] == 1 &&
        (data[3] == 1 || data[3] == 2 || data[3] == 4 || data[3] == 8))
        return kFormatPcx;
    if (LooksLikeWbmp(data, size)) return kFormatWbmp;
    return kFormatUnknown;
}
