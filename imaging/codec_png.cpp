// PNG through libpng with read, write and flush callbacks on our streams.
// libpng's errors longjmp back into this file only; the error path frees
// everything, so a damaged file leaves no half-made image.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <png.h>

#include "imaging/image_codecs.h"
#include "imaging/image_ops.h"

namespace {

void OnError(png_structp png, png_const_charp text)
{
    ImageError* error = static_cast<ImageError*>(png_get_error_ptr(png));
    char message[kErrorTextSize];
    snprintf(message, sizeof(message), "PNG error: %s", text);
    SetImageError(error, message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadCallback(png_structp png, png_bytep data, png_size_t count)
{
    ByteStream* stream = static_cast<ByteStream*>(png_get_io_ptr(png));
    int64_t got = stream->read(stream->context, data, int64_t(count));
    if (got != int64_t(count)) png_error(png, "the file is truncated");
}

void WriteCallback(png_structp png, png_bytep data, png_size_t count)
{
    ByteStream* stream = static_cast<ByteStream*>(png_get_io_ptr(png));
    if (stream->write(stream->context, data, int64_t(count)) != int64_t(count))
        png_error(png, "write failed");
}

void FlushCallback(png_structp png)
{
    ByteStream* stream = static_cast<ByteStream*>(png_get_io_ptr(png));
    if (stream->flush && !stream->flush(stream->context)) png_error(png, "write failed");
}

// libpng allocates a chunk's declared length before reading it (a 154-byte
// file can ask for 1.8 GB). No honest allocation of a decode exceeds a row
// of 8 bytes per pixel of the largest picture the stream could inflate to.
struct PngMemory {
    uint64_t limit;
};

uint64_t ReadAllocationLimit(ByteStream* stream)
{
    int64_t size = stream->size ? stream->size(stream->context) : -1;
    if (size < 0) return uint64_t(256) << 20;
    return uint64_t(size) * 1032 * 8 + (uint64_t(1) << 20);
}

png_voidp LimitedMalloc(png_structp png, png_alloc_size_t size)
{
    const PngMemory* memory = static_cast<const PngMemory*>(png_get_mem_ptr(png));
    if (memory && uint64_t(size) > memory->limit) return nullptr;
    return malloc(size);
}

void LimitedFree(png_structp, png_voidp block) { free(block); }

struct ReadState {
    PngMemory memory;
    png_structp png;
    png_infop info;
    uint8_t* rgba;
    png_bytep* rows;
    ImagePixels pixels;
};

// The largest whole factor by which the picture can shrink while one side
// still covers its wanted side (1: decode at full size).
uint32_t ReductionFactor(uint32_t width, uint32_t height, int32_t fitWidth, int32_t fitHeight)
{
    const uint32_t kMaxFactor = 64;  // the sums of a block stay far inside 32 bits
    if (fitWidth <= 0 || fitHeight <= 0) return 1;
    uint32_t byWidth = width / uint32_t(fitWidth), byHeight = height / uint32_t(fitHeight);
    uint32_t factor = byWidth > byHeight ? byWidth : byHeight;
    return factor > kMaxFactor ? kMaxFactor : factor > 1 ? factor : 1;
}

// A picture far larger than wanted is read a row at a time and every
// factor x factor block is averaged into one pixel (a box filter), so the
// full-size picture is never held: memory is one row and one row of sums.
int32_t ReadReduced(ReadState* s, uint32_t width, uint32_t height, uint32_t channels, uint32_t factor,
                    bool hasAlpha, ImageError* error)
{
    const uint32_t outWidth = (width + factor - 1) / factor, outHeight = (height + factor - 1) / factor;
    if (!PixelsCreate(&s->pixels, int32_t(outWidth), int32_t(outHeight), channels == 1 ? 8 : 24, error)) return 0;
    if (hasAlpha && !PixelsCreateAlpha(&s->pixels, error)) return 0;
    // One decoded row, then the sums of one output row (channels per pixel).
    s->rgba = static_cast<uint8_t*>(malloc(uint64_t(width) * channels + uint64_t(outWidth) * channels * 4));
    if (!s->rgba) return SetImageError(error, "Out of memory for the image");
    uint8_t* row = s->rgba;
    uint32_t* sums = reinterpret_cast<uint32_t*>(s->rgba + uint64_t(width) * channels);
    memset(sums, 0, uint64_t(outWidth) * channels * 4);
    uint32_t rowsSummed = 0;
    for (uint32_t y = 0; y < height; ++y) {
        png_read_row(s->png, row, nullptr);
        for (uint32_t x = 0, ox = 0; x < width; ox++) {
            uint32_t* sum = sums + uint64_t(ox) * channels;
            const uint32_t end = x + factor < width ? x + factor : width;
            for (; x < end; ++x)
                for (uint32_t c = 0; c < channels; ++c) sum[c] += row[uint64_t(x) * channels + c];
        }
        if (++rowsSummed < factor && y + 1 < height) continue;
        const uint32_t oy = y / factor;
        uint8_t* out = PixelsRowFromTop(s->pixels, int32_t(oy));
        uint8_t* a = hasAlpha ? AlphaRowFromTop(s->pixels, int32_t(oy)) : nullptr;
        for (uint32_t ox = 0; ox < outWidth; ++ox) {
            const uint32_t columns = ox + 1 < outWidth ? factor : width - ox * factor;
            const uint32_t count = columns * rowsSummed;
            const uint32_t* sum = sums + uint64_t(ox) * channels;
            if (channels == 1) {
                out[ox] = uint8_t((sum[0] + count / 2) / count);
                continue;
            }
            for (uint32_t c = 0; c < 3; ++c) out[ox * 3 + c] = uint8_t((sum[c] + count / 2) / count);
            if (a) a[ox] = uint8_t((sum[3] + count / 2) / count);
        }
        memset(sums, 0, uint64_t(outWidth) * channels * 4);
        rowsSummed = 0;
    }
    png_read_end(s->png, nullptr);
    return 1;
}

int32_t RunRead(ReadState* s, ByteStream* stream, int32_t fitWidth, int32_t fitHeight, ImageError* error)
{
    if (setjmp(png_jmpbuf(s->png))) return 0;
    png_read_info(s->png, s->info);
    png_uint_32 width = png_get_image_width(s->png, s->info), height = png_get_image_height(s->png, s->info);
    if (uint64_t(width) * height > kMaxImagePixels) return SetImageError(error, "Image is too large");
    // Deflate packs at most about 1032 bytes into one: a file far too short
    // for its size is refused before the pixels are allocated.
    int64_t streamSize = stream->size ? stream->size(stream->context) : -1;
    if (streamSize >= 0 && uint64_t(width) * height / 1032 > uint64_t(streamSize))
        return SetImageError(error, "PNG image data is truncated");
    int32_t colourType = png_get_color_type(s->png, s->info);
    bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(s->png, s->info, PNG_INFO_tRNS);
    bool grey = !(colourType & PNG_COLOR_MASK_COLOR) && !hasAlpha;
    png_set_expand(s->png);
    png_set_strip_16(s->png);
    if (grey) {
        png_set_strip_alpha(s->png);
    } else {
        png_set_gray_to_rgb(s->png);
        png_set_bgr(s->png);
        png_set_add_alpha(s->png, 0xFF, PNG_FILLER_AFTER);
    }
    const bool interlaced = png_set_interlace_handling(s->png) > 1;
    png_read_update_info(s->png, s->info);
    uint32_t channels = grey ? 1 : 4;
    if (png_get_rowbytes(s->png, s->info) != uint64_t(width) * channels)
        return SetImageError(error, "Unsupported PNG layout");
    const uint32_t factor = interlaced ? 1 : ReductionFactor(width, height, fitWidth, fitHeight);
    if (factor > 1) {
        if (!ReadReduced(s, width, height, channels, factor, hasAlpha, error)) return 0;
        s->pixels.fileWidth = int32_t(width);
        s->pixels.fileHeight = int32_t(height);
        return 1;
    }
    if (!PixelsCreate(&s->pixels, int32_t(width), int32_t(height), grey ? 8 : 24, error)) return 0;
    s->rgba = static_cast<uint8_t*>(malloc(uint64_t(width) * height * channels));
    s->rows = static_cast<png_bytep*>(malloc(sizeof(png_bytep) * height));
    if (!s->rgba || !s->rows) return SetImageError(error, "Out of memory for the image");
    for (png_uint_32 y = 0; y < height; ++y) s->rows[y] = s->rgba + uint64_t(y) * width * channels;
    png_read_image(s->png, s->rows);
    png_read_end(s->png, nullptr);
    if (hasAlpha && !PixelsCreateAlpha(&s->pixels, error)) return 0;
    for (png_uint_32 y = 0; y < height; ++y) {
        uint8_t* out = PixelsRowFromTop(s->pixels, int32_t(y));
        const uint8_t* in = s->rows[y];
        if (grey) {
            memcpy(out, in, width);
            continue;
        }
        uint8_t* a = hasAlpha ? AlphaRowFromTop(s->pixels, int32_t(y)) : nullptr;
        for (png_uint_32 x = 0; x < width; ++x) {
            out[x * 3] = in[x * 4];
            out[x * 3 + 1] = in[x * 4 + 1];
            out[x * 3 + 2] = in[x * 4 + 2];
            if (a) a[x] = in[x * 4 + 3];
        }
    }
    return 1;
}

struct WriteState {
    png_structp png;
    png_infop info;
    uint8_t* row;
};

int32_t RunWrite(WriteState* s, const ImagePixels& image, ImageError* error)
{
    if (setjmp(png_jmpbuf(s->png))) return 0;
    bool alpha = image.alpha != nullptr;
    bool palette = image.bpp == 8 && !alpha;
    bool grey = palette && PixelsPaletteIsGrey(image);
    int32_t colourType = grey      ? PNG_COLOR_TYPE_GRAY
                         : palette ? PNG_COLOR_TYPE_PALETTE
                         : alpha   ? PNG_COLOR_TYPE_RGB_ALPHA
                                   : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(s->png, s->info, uint32_t(image.width), uint32_t(image.height), 8, colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const PaletteEntry* entries = image.bpp == 8 ? PixelsPalette(image) : nullptr;
    if (palette && !grey) {
        png_color colours[256];
        for (int32_t i = 0; i < 256; ++i) {
            colours[i].red = entries[i].red;
            colours[i].green = entries[i].green;
            colours[i].blue = entries[i].blue;
        }
        png_set_PLTE(s->png, s->info, colours, 256);
    }
    png_write_info(s->png, s->info);
    s->row = static_cast<uint8_t*>(malloc(uint64_t(image.width) * 4));
    if (!s->row) return SetImageError(error, "Out of memory for the image");
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* in = PixelsRowFromTop(image, y);
        if (palette) {
            memcpy(s->row, in, uint32_t(image.width));
        } else {
            const uint8_t* a = alpha ? AlphaRowFromTop(image, y) : nullptr;
            uint32_t step = alpha ? 4 : 3;
            for (int32_t x = 0; x < image.width; ++x) {
                uint8_t* o = s->row + uint64_t(x) * step;
                if (entries) {
                    const PaletteEntry& e = entries[in[x]];
                    o[0] = e.red;
                    o[1] = e.green;
                    o[2] = e.blue;
                } else {
                    o[0] = in[x * 3 + 2];
                    o[1] = in[x * 3 + 1];
                    o[2] = in[x * 3];
                }
                if (a) o[3] = a[x];
            }
        }
        png_write_row(s->png, s->row);
    }
    png_write_end(s->png, s->info);
    return 1;
}

}  // namespace

int32_t DecodePng(ByteStream* stream, int32_t fitWidth, int32_t fitHeight, ImagePixels* image, ImageError* error)
{
    PixelsFree(image);
    ReadState* s = static_cast<ReadState*>(calloc(1, sizeof(ReadState)));
    if (!s) return SetImageError(error, "Out of memory for the image");
    s->pixels = ImagePixels();
    s->memory.limit = ReadAllocationLimit(stream);
    s->png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, error, OnError, OnWarning, &s->memory,
                                      LimitedMalloc, LimitedFree);
    s->info = s->png ? png_create_info_struct(s->png) : nullptr;
    int32_t ok = 0;
    if (!s->info) {
        SetImageError(error, "Out of memory for the image");
    } else {
        png_set_read_fn(s->png, stream, ReadCallback);
        png_set_user_limits(s->png, 0x7FFFFFFF, 0x7FFFFFFF);
        png_set_chunk_malloc_max(s->png, 64u << 20);
        ok = RunRead(s, stream, fitWidth, fitHeight, error);
    }
    if (s->png) png_destroy_read_struct(&s->png, s->info ? &s->info : nullptr, nullptr);
    free(s->rows);
    free(s->rgba);
    if (ok) {
        *image = s->pixels;
    } else {
        PixelsFree(&s->pixels);
    }
    free(s);
    return ok;
}

int32_t EncodePng(const ImagePixels& image, ByteStream* stream, ImageError* error)
{
    if (!image.dib) return SetImageError(error, "Image has no pixels");
    WriteState* s = static_cast<WriteState*>(calloc(1, sizeof(WriteState)));
    if (!s) return SetImageError(error, "Out of memory for the image");
    s->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, error, OnError, OnWarning);
    s->info = s->png ? png_create_info_struct(s->png) : nullptr;
    int32_t ok = 0;
    if (!s->info) {
        SetImageError(error, "Out of memory for the image");
    } else {
        png_set_write_fn(s->png, stream, WriteCallback, FlushCallback);
        png_set_compression_level(s->png, 6);
        ok = RunWrite(s, image, error);
    }
    if (s->png) png_destroy_write_struct(&s->png, s->info ? &s->info : nullptr);
    free(s->row);
    free(s);
    return ok;
}
