// GIF: the first frame, drawn on the logical screen; the transparent index
// becomes the alpha plane.
#include <stdlib.h>
#include <string.h>

#include "imaging/byte_reader.h"
#include "imaging/image_codecs.h"

namespace {

// Collects the data sub-blocks of the image into one buffer.
uint8_t* GatherSubBlocks(ByteReader& in, uint64_t* size)
{
    uint64_t start = in.pos, total = 0;
    for (;;) {
        uint8_t n = in.U8();
        if (in.failed) break;
        if (!n) break;
        if (!in.Skip(n)) break;  // truncated: use what is there
        total += n;
    }
    uint8_t* block = static_cast<uint8_t*>(malloc(total ? total : 1));
    if (!block) return nullptr;
    ByteReader again(in.data, in.size);
    again.Seek(start);
    uint64_t used = 0;
    while (used < total) {
        uint8_t n = again.U8();
        const uint8_t* p = again.Take(n);
        if (!p) break;
        memcpy(block + used, p, n);
        used += n;
    }
    *size = used;
    return block;
}

// LZW decoding into `out` (count indices); every code is checked against the
// table and every write against the output size. Returns pixels written.
uint64_t DecodeLzw(const uint8_t* data, uint64_t size, int32_t minCodeSize, uint8_t* out, uint64_t count)
{
    const int32_t kMaxCodes = 4096;
    static uint16_t prefix[kMaxCodes];
    static uint8_t suffix[kMaxCodes];
    static uint8_t stack[kMaxCodes + 1];
    int32_t clear = 1 << minCodeSize, endCode = clear + 1;
    int32_t codeSize = minCodeSize + 1, next = clear + 2, previous = -1;
    uint8_t first = 0;
    for (int32_t i = 0; i < clear; ++i) {
        prefix[i] = 0;
        suffix[i] = uint8_t(i);
    }
    uint64_t written = 0, bitPos = 0, totalBits = size * 8;
    while (written < count && bitPos + codeSize <= totalBits) {
        int32_t code = 0;
        for (int32_t b = 0; b < codeSize; ++b, ++bitPos)
            code |= ((data[bitPos >> 3] >> (bitPos & 7)) & 1) << b;
        if (code == clear) {
            codeSize = minCodeSize + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code == endCode) break;
        if (previous < 0) {
            if (code >= clear) break;  // must start with a literal
            out[written++] = uint8_t(code);
            first = uint8_t(code);
            previous = code;
            continue;
        }
        int32_t top = 0, current = code;
        if (code > next || (code == next && next >= kMaxCodes)) break;  // undefined code: damaged data
        if (code == next) {
            stack[top++] = first;
            current = previous;
        }
        while (current >= clear) {
            if (top >= kMaxCodes) return written;
            stack[top++] = suffix[current];
            current = prefix[current];
        }
        stack[top++] = uint8_t(current);
        first = uint8_t(current);
        while (top > 0 && written < count) out[written++] = stack[--top];
        if (next < kMaxCodes) {
            prefix[next] = uint16_t(previous);
            suffix[next] = first;
            ++next;
            if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
        }
        previous = code;
    }
    return written;
}

}  // namespace

int32_t DecodeGif(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error)
{
    PixelsFree(image);
    ByteReader in(data, size);
    const uint8_t* signature = in.Take(6);
    if (!signature || (memcmp(signature, "GIF87a", 6) != 0 && memcmp(signature, "GIF89a", 6) != 0))
        return SetImageError(error, "Not a GIF file");
    int32_t screenWidth = in.U16LE(), screenHeight = in.U16LE();
    uint8_t flags = in.U8();
    uint8_t background = in.U8();
    in.U8();
    PaletteEntry globalPalette[256] = {};
    int32_t globalCount = 0;
    if (flags & 0x80) {
        globalCount = 2 << (flags & 7);
        const uint8_t* table = in.Take(uint64_t(globalCount) * 3);
        if (!table) return SetImageError(error, "GIF colour table is truncated");
        for (int32_t i = 0; i < globalCount; ++i) {
            globalPalette[i].red = table[i * 3];
            globalPalette[i].green = table[i * 3 + 1];
            globalPalette[i].blue = table[i * 3 + 2];
        }
    }
    int32_t transparent = -1;
    for (;;) {
        uint8_t kind = in.U8();
        if (in.failed) return SetImageError(error, "GIF holds no image");
        if (kind == 0x3B) return SetImageError(error, "GIF holds no image");
        if (kind == 0x21) {
            uint8_t label = in.U8();
            if (label == 0xF9) {
                uint8_t n = in.U8();
                const uint8_t* block = in.Take(n);
                if (block && n >= 4 && (block[0] & 1)) transparent = block[3];
            }
            for (;;) {  // skip the (remaining) sub-blocks
                uint8_t n = in.U8();
                if (in.failed || !n) break;
                in.Skip(n);
            }
            if (in.failed) return SetImageError(error, "GIF is truncated");
            continue;
        }
        if (kind != 0x2C) return SetImageError(error, "GIF block is damaged");
        break;
    }
    int32_t left = in.U16LE(), top = in.U16LE(), width = in.U16LE(), height = in.U16LE();
    uint8_t imageFlags = in.U8();
    if (in.failed) return SetImageError(error, "GIF is truncated");
    if (width == 0 || height == 0) return SetImageError(error, "GIF image has no pixels");
    if (uint64_t(width) * uint64_t(height) > kMaxImagePixels ||
        uint64_t(screenWidth) * uint64_t(screenHeight) > kMaxImagePixels)
        return SetImageError(error, "Image is too large");
    PaletteEntry palette[256];
    memcpy(palette, globalPalette, sizeof(palette));
    int32_t paletteCount = globalCount;
    if (imageFlags & 0x80) {
        paletteCount = 2 << (imageFlags & 7);
        const uint8_t* table = in.Take(uint64_t(paletteCount) * 3);
        if (!table) return SetImageError(error, "GIF colour table is truncated");
        memset(palette, 0, sizeof(palette));
        for (int32_t i = 0; i < paletteCount; ++i) {
            palette[i].red = table[i * 3];
            palette[i].green = table[i * 3 + 1];
            palette[i].blue = table[i * 3 + 2];
        }
    }
    if (!paletteCount) {  // no table at all: a grey ramp
        for (int32_t i = 0; i < 256; ++i) palette[i].red = palette[i].green = palette[i].blue = uint8_t(i);
    }
    int32_t minCodeSize = in.U8();
    if (in.failed || minCodeSize < 2 || minCodeSize > 8)
        return SetImageError(error, "GIF image data is damaged");
    uint64_t packedSize = 0;
    uint8_t* packed = GatherSubBlocks(in, &packedSize);
    if (!packed) return SetImageError(error, "Out of memory for the image");
    uint64_t pixelCount = uint64_t(width) * uint64_t(height);
    uint8_t* indices = static_cast<uint8_t*>(malloc(pixelCount));
    if (!indices) {
        free(packed);
        return SetImageError(error, "Out of memory for the image");
    }
    // Pixels that the data does not reach stay transparent (or background).
    uint8_t fill = uint8_t(transparent >= 0 ? transparent : 0);
    memset(indices, fill, pixelCount);
    uint64_t got = DecodeLzw(packed, packedSize, minCodeSize, indices, pixelCount);
    free(packed);
    if (got < pixelCount) {
        free(indices);
        return SetImageError(error, got ? "GIF image data is truncated" : "GIF image data is damaged");
    }

    if (screenWidth < left + width || screenHeight < top + height) {
        // A frame outside the screen: show the frame by itself.
        screenWidth = width;
        screenHeight = height;
        left = top = 0;
    }
    if (!PixelsCreate(image, screenWidth, screenHeight, 8, error)) {
        free(indices);
        return 0;
    }
    memcpy(PixelsPalette(*image), palette, sizeof(palette));
    uint8_t canvasIndex = uint8_t(transparent >= 0 ? transparent : background);
    for (int32_t y = 0; y < screenHeight; ++y)
        memset(PixelsRowFromTop(*image, y), canvasIndex, uint32_t(screenWidth));
    // Interlaced rows come in four passes.
    static const int32_t kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
    int32_t sourceRow = 0;
    for (int32_t pass = 0; pass < ((imageFlags & 0x40) ? 4 : 1); ++pass) {
        int32_t start = (imageFlags & 0x40) ? kStart[pass] : 0, step = (imageFlags & 0x40) ? kStep[pass] : 1;
        for (int32_t y = start; y < height; y += step, ++sourceRow)
            memcpy(PixelsRowFromTop(*image, top + y) + left, indices + uint64_t(sourceRow) * width,
                   uint32_t(width));
    }
    free(indices);
    if (transparent >= 0) {
        if (!PixelsCreateAlpha(image, error)) {
            PixelsFree(image);
            return 0;
        }
        for (int32_t y = 0; y < screenHeight; ++y) {
            const uint8_t* row = PixelsRowFromTop(*image, y);
            uint8_t* a = AlphaRowFromTop(*image, y);
            for (int32_t x = 0; x < screenWidth; ++x) a[x] = row[x] == transparent ? 0 : 255;
        }
    }
    return 1;
}
