// The size a picture declares in its header, read without decoding it.
#include "imaging/image_codecs.h"
#include <string.h>

namespace {

// Reads exactly n bytes at the stream's position; 0 when fewer are there.
int32_t ReadExactly(ByteStream* stream, uint8_t* buffer, int64_t n)
{
    int64_t got = 0;
    while (got < n) {
        int64_t step = stream->read(stream->context, buffer + got, n - got);
        if (step <= 0) return 0;
        got += step;
    }
    return 1;
}

uint32_t Be16(const uint8_t* b) { return uint32_t(b[0]) << 8 | b[1]; }
uint32_t Be32(const uint8_t* b) { return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3]; }
uint32_t Le16(const uint8_t* b) { return uint32_t(b[1]) << 8 | b[0]; }
uint32_t Le32(const uint8_t* b) { return uint32_t(b[3]) << 24 | uint32_t(b[2]) << 16 | uint32_t(b[1]) << 8 | b[0]; }

int32_t Found(uint32_t width, uint32_t height, ImageSize* size)
{
    size->width = width;
    size->height = height;
    return width > 0 && height > 0;
}

// IHDR is the first chunk.
int32_t PngSize(ByteStream* stream, ImageSize* size)
{
    uint8_t head[24];
    if (!ReadExactly(stream, head, sizeof head) || memcmp(head + 12, "IHDR", 4) != 0) return 0;
    return Found(Be32(head + 16), Be32(head + 20), size);
}

// The first frame header (SOF0-SOF15 but DHT, JPG and DAC), segment by segment.
int32_t JpegSize(ByteStream* stream, ImageSize* size)
{
    const int kMaxSegments = 4096;
    int64_t at = 2;
    for (int i = 0; i < kMaxSegments; i++) {
        uint8_t marker[4];
        if (!stream->seek(stream->context, at) || !ReadExactly(stream, marker, 2)) return 0;
        if (marker[0] != 0xFF) return 0;
        if (marker[1] == 0xFF) {  // fill bytes
            at += 1;
            continue;
        }
        uint8_t kind = marker[1];
        if (kind == 0xD8 || kind == 0x01 || (kind >= 0xD0 && kind <= 0xD7)) {
            at += 2;
            continue;
        }
        if (kind == 0xD9 || kind == 0xDA) return 0;  // no frame before the data
        if (!ReadExactly(stream, marker + 2, 2)) return 0;
        uint32_t length = Be16(marker + 2);
        if (length < 2) return 0;
        if (kind >= 0xC0 && kind <= 0xCF && kind != 0xC4 && kind != 0xC8 && kind != 0xCC) {
            uint8_t frame[5];
            if (!ReadExactly(stream, frame, sizeof frame)) return 0;
            return Found(Be16(frame + 3), Be16(frame + 1), size);
        }
        at += 2 + int64_t(length);
    }
    return 0;
}

// The logical screen, or the first frame where it is larger (as the decoder does).
int32_t GifSize(ByteStream* stream, ImageSize* size)
{
    uint8_t head[13];
    if (!ReadExactly(stream, head, sizeof head)) return 0;
    uint32_t width = Le16(head + 6), height = Le16(head + 8);
    int64_t at = 13;
    if (head[10] & 0x80) at += 3 * (int64_t(1) << ((head[10] & 7) + 1));
    const int kMaxBlocks = 65536;
    for (int i = 0; i < kMaxBlocks; i++) {
        uint8_t kind[2];
        if (!stream->seek(stream->context, at) || !ReadExactly(stream, kind, 1)) break;
        if (kind[0] == 0x2C) {
            uint8_t frame[8];
            if (!ReadExactly(stream, frame, sizeof frame)) break;
            uint32_t right = Le16(frame) + Le16(frame + 4), bottom = Le16(frame + 2) + Le16(frame + 6);
            if (width < right || height < bottom) return Found(Le16(frame + 4), Le16(frame + 6), size);
            break;
        }
        if (kind[0] != 0x21 || !ReadExactly(stream, kind + 1, 1)) break;
        at += 2;
        // The extension's sub-blocks, each after its length byte.
        for (;;) {
            uint8_t length;
            if (!stream->seek(stream->context, at) || !ReadExactly(stream, &length, 1)) return Found(width, height, size);
            at += 1 + length;
            if (!length) break;
        }
    }
    return Found(width, height, size);
}

int32_t BmpSize(ByteStream* stream, ImageSize* size)
{
    uint8_t head[26];
    if (!ReadExactly(stream, head, sizeof head)) return 0;
    uint32_t header = Le32(head + 14);
    if (header == 12) return Found(Le16(head + 18), Le16(head + 20), size);
    int32_t height = int32_t(Le32(head + 22));
    uint32_t rows = height < 0 ? uint32_t(0) - uint32_t(height) : uint32_t(height);
    return Found(Le32(head + 18), rows, size);
}

}  // namespace

int32_t ReadImageSize(ByteStream* stream, ImageSize* size)
{
    *size = ImageSize();
    uint8_t head[16] = {0};
    int64_t got = 0;
    if (!stream->seek(stream->context, 0)) return 0;
    while (got < int64_t(sizeof head)) {
        int64_t step = stream->read(stream->context, head + got, int64_t(sizeof head) - got);
        if (step <= 0) break;
        got += step;
    }
    int32_t format = DetectImageFormat(head, uint64_t(got));
    size->format = format;
    if (!stream->seek(stream->context, 0)) return 0;
    switch (format) {
    case kFormatPng: return PngSize(stream, size);
    case kFormatJpg: return JpegSize(stream, size);
    case kFormatGif: return GifSize(stream, size);
    case kFormatBmp: return BmpSize(stream, size);
    default: return 0;
    }
}
