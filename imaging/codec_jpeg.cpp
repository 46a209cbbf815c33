// JPEG through libjpeg with our own source, destination and error managers.
// libjpeg reports fatal errors by longjmp: the jump never leaves this file
// and everything allocated is released on the error path, so a damaged file
// leaves no half-made image behind.
#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <jpeglib.h>

#include "imaging/image_codecs.h"
#include "imaging/image_ops.h"

namespace {

const int32_t kChunk = 65536;

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
    ImageError* error;
};

void OnFatalError(j_common_ptr info)
{
    ErrorManager* manager = reinterpret_cast<ErrorManager*>(info->err);
    char text[JMSG_LENGTH_MAX];
    manager->base.format_message(info, text);
    char message[kErrorTextSize];
    snprintf(message, sizeof(message), "JPEG error: %s", text);
    SetImageError(manager->error, message);
    longjmp(manager->jump, 1);
}

void OnMessage(j_common_ptr) {}  // warnings are not shown

struct Source {
    jpeg_source_mgr base;
    ByteStream* stream;
    int32_t truncated;  // the data ended before the picture did
    JOCTET buffer[kChunk];
};

void SourceInit(j_decompress_ptr) {}

boolean SourceFill(j_decompress_ptr info)
{
    Source* source = reinterpret_cast<Source*>(info->src);
    int64_t got = source->stream->read(source->stream->context, source->buffer, kChunk);
    if (got <= 0) {
        // Truncated data: hand libjpeg an end marker so that it ends cleanly,
        // and refuse the picture afterwards.
        source->truncated = 1;
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        got = 2;
    }
    source->base.next_input_byte = source->buffer;
    source->base.bytes_in_buffer = size_t(got);
    return TRUE;
}

void SourceSkip(j_decompress_ptr info, long count)
{
    Source* source = reinterpret_cast<Source*>(info->src);
    while (count > 0) {
        if (size_t(count) <= source->base.bytes_in_buffer) {
            source->base.next_input_byte += count;
            source->base.bytes_in_buffer -= size_t(count);
            return;
        }
        count -= long(source->base.bytes_in_buffer);
        SourceFill(info);
    }
}

void SourceTerm(j_decompress_ptr) {}

struct Destination {
    jpeg_destination_mgr base;
    ByteStream* stream;
    int32_t failed;
    JOCTET buffer[kChunk];
};

void DestinationInit(j_compress_ptr info)
{
    Destination* d = reinterpret_cast<Destination*>(info->dest);
    d->base.next_output_byte = d->buffer;
    d->base.free_in_buffer = kChunk;
}

boolean DestinationEmpty(j_compress_ptr info)
{
    Destination* d = reinterpret_cast<Destination*>(info->dest);
    if (d->stream->write(d->stream->context, d->buffer, kChunk) != kChunk) d->failed = 1;
    d->base.next_output_byte = d->buffer;
    d->base.free_in_buffer = kChunk;
    return TRUE;
}

void DestinationTerm(j_compress_ptr info)
{
    Destination* d = reinterpret_cast<Destination*>(info->dest);
    int64_t left = int64_t(kChunk - d->base.free_in_buffer);
    if (left > 0 && d->stream->write(d->stream->context, d->buffer, left) != left) d->failed = 1;
    if (d->stream->flush && !d->stream->flush(d->stream->context)) d->failed = 1;
}

// The EXIF orientation (1..8) from an APP1 marker, 1 when absent or damaged.
int32_t ExifOrientation(j_decompress_ptr info)
{
    for (jpeg_saved_marker_ptr m = info->marker_list; m; m = m->next) {
        if (m->marker != JPEG_APP0 + 1 || m->data_length < 14 || memcmp(m->data, "Exif\0\0", 6) != 0)
            continue;
        const uint8_t* t = m->data + 6;
        uint32_t n = m->data_length - 6;
        bool little = t[0] == 'I' && t[1] == 'I';
        if (!little && !(t[0] == 'M' && t[1] == 'M')) return 1;
        auto u16 = [&](uint32_t at) -> uint32_t {
            return little ? uint32_t(t[at] | (t[at + 1] << 8)) : uint32_t((t[at] << 8) | t[at + 1]);
        };
        auto u32 = [&](uint32_t at) -> uint32_t {
            return little ? (u16(at) | (u16(at + 2) << 16)) : ((u16(at) << 16) | u16(at + 2));
        };
        uint32_t ifd = u32(4);
        if (ifd > n || n - ifd < 2) return 1;
        uint32_t entries = u16(ifd);
        for (uint32_t i = 0; i < entries; ++i) {
            uint64_t at = uint64_t(ifd) + 2 + uint64_t(i) * 12;
            if (at + 12 > n) return 1;
            if (u16(uint32_t(at)) == 0x0112) {
                uint32_t v = u16(uint32_t(at) + 8);
                return (v >= 1 && v <= 8) ? int32_t(v) : 1;
            }
        }
        return 1;
    }
    return 1;
}

// Everything the decode allocates, so the error path can free it all.
struct DecodeState {
    jpeg_decompress_struct info;
    ErrorManager errors;
    Source* source;
    uint8_t* row;
    ImagePixels pixels;
};

int32_t RunDecode(DecodeState* s, int32_t fitWidth, int32_t fitHeight, ImageError* error)
{
    if (setjmp(s->errors.jump)) return 0;
    jpeg_create_decompress(&s->info);
    s->info.src = &s->source->base;
    jpeg_save_markers(&s->info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&s->info, TRUE);
    if (uint64_t(s->info.image_width) * s->info.image_height > kMaxImagePixels)
        return SetImageError(error, "Image is too large");
    int32_t orientation = ExifOrientation(&s->info);
    if (s->info.jpeg_color_space == JCS_CMYK || s->info.jpeg_color_space == JCS_YCCK) {
        s->info.out_color_space = JCS_CMYK;
    } else if (s->info.num_components == 1) {
        s->info.out_color_space = JCS_GRAYSCALE;
    } else {
        s->info.out_color_space = JCS_RGB;
    }
    if (fitWidth > 0 && fitHeight > 0) {
        // The largest reduction that still covers the fitted size: one side at
        // least as long as its wanted side (the sides swap when the picture
        // will be turned a quarter).
        uint64_t w = s->info.image_width, h = s->info.image_height;
        if (orientation >= 5) {
            uint64_t t = w;
            w = h;
            h = t;
        }
        uint32_t denom = 8;
        while (denom > 1 && (w / denom < uint64_t(fitWidth) && h / denom < uint64_t(fitHeight))) denom /= 2;
        s->info.scale_num = 1;
        s->info.scale_denom = denom;
        s->info.dct_method = JDCT_ISLOW;
    }
    jpeg_start_decompress(&s->info);
    int32_t width = int32_t(s->info.output_width), height = int32_t(s->info.output_height);
    int32_t components = s->info.output_components;
    bool grey = s->info.out_color_space == JCS_GRAYSCALE;
    if (!PixelsCreate(&s->pixels, width, height, grey ? 8 : 24, error)) return 0;
    s->row = static_cast<uint8_t*>(malloc(uint64_t(width) * uint32_t(components)));
    if (!s->row) return SetImageError(error, "Out of memory for the image");
    bool adobeInverted = s->info.saw_Adobe_marker;
    while (s->info.output_scanline < s->info.output_height) {
        int32_t y = int32_t(s->info.output_scanline);
        JSAMPROW rows[1] = {s->row};
        jpeg_read_scanlines(&s->info, rows, 1);
        uint8_t* out = PixelsRowFromTop(s->pixels, y);
        if (grey) {
            memcpy(out, s->row, uint32_t(width));
        } else if (components == 4) {
            for (int32_t x = 0; x < width; ++x) {
                uint32_t c = s->row[x * 4], m = s->row[x * 4 + 1], yl = s->row[x * 4 + 2],
                         k = s->row[x * 4 + 3];
                if (!adobeInverted) {
                    c = 255 - c;
                    m = 255 - m;
                    yl = 255 - yl;
                    k = 255 - k;
                }
                out[x * 3 + 2] = uint8_t(c * k / 255);
                out[x * 3 + 1] = uint8_t(m * k / 255);
                out[x * 3] = uint8_t(yl * k / 255);
            }
        } else {
            for (int32_t x = 0; x < width; ++x) {
                out[x * 3] = s->row[x * 3 + 2];
                out[x * 3 + 1] = s->row[x * 3 + 1];
                out[x * 3 + 2] = s->row[x * 3];
            }
        }
    }
    jpeg_finish_decompress(&s->info);
    if (s->source->truncated) return SetImageError(error, "JPEG data is truncated");
    if (orientation != 1 && !PixelsApplyOrientation(&s->pixels, orientation, error)) return 0;
    if (s->info.scale_denom > 1) {
        bool turned = orientation >= 5;
        s->pixels.fileWidth = int32_t(turned ? s->info.image_height : s->info.image_width);
        s->pixels.fileHeight = int32_t(turned ? s->info.image_width : s->info.image_height);
    }
    return 1;
}

struct EncodeState {
    jpeg_compress_struct info;
    ErrorManager errors;
    Destination* destination;
    uint8_t* row;
};

int32_t RunEncode(EncodeState* s, const ImagePixels& image, int32_t quality)
{
    if (setjmp(s->errors.jump)) return 0;
    jpeg_create_compress(&s->info);
    s->info.dest = &s->destination->base;
    s->info.image_width = uint32_t(image.width);
    s->info.image_height = uint32_t(image.height);
    bool grey = image.bpp == 8 && PixelsPaletteIsGrey(image);
    s->info.input_components = grey ? 1 : 3;
    s->info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&s->info);
    jpeg_set_quality(&s->info, quality, TRUE);
    s->row = static_cast<uint8_t*>(malloc(uint64_t(image.width) * 3));
    if (!s->row) return SetImageError(s->errors.error, "Out of memory for the image");
    jpeg_start_compress(&s->info, TRUE);
    const PaletteEntry* palette = image.bpp == 8 ? PixelsPalette(image) : nullptr;
    while (s->info.next_scanline < s->info.image_height) {
        const uint8_t* in = PixelsRowFromTop(image, int32_t(s->info.next_scanline));
        for (int32_t x = 0; x < image.width; ++x) {
            if (grey) {
                s->row[x] = palette[in[x]].red;
            } else if (palette) {
                s->row[x * 3] = palette[in[x]].red;
                s->row[x * 3 + 1] = palette[in[x]].green;
                s->row[x * 3 + 2] = palette[in[x]].blue;
            } else {
                s->row[x * 3] = in[x * 3 + 2];
                s->row[x * 3 + 1] = in[x * 3 + 1];
                s->row[x * 3 + 2] = in[x * 3];
            }
        }
        JSAMPROW rows[1] = {s->row};
        jpeg_write_scanlines(&s->info, rows, 1);
    }
    jpeg_finish_compress(&s->info);
    if (s->destination->failed) return SetImageError(s->errors.error, "Could not write the JPEG data");
    return 1;
}

}  // namespace

int32_t DecodeJpeg(ByteStream* stream, int32_t fitWidth, int32_t fitHeight, ImagePixels* image,
                   ImageError* error)
{
    PixelsFree(image);
    DecodeState* s = static_cast<DecodeState*>(calloc(1, sizeof(DecodeState)));
    Source* source = static_cast<Source*>(malloc(sizeof(Source)));
    if (!s || !source) {
        free(s);
        free(source);
        return SetImageError(error, "Out of memory for the image");
    }
    s->pixels = ImagePixels();
    s->info.err = jpeg_std_error(&s->errors.base);
    s->errors.base.error_exit = OnFatalError;
    s->errors.base.output_message = OnMessage;
    s->errors.error = error;
    source->stream = stream;
    source->truncated = 0;
    source->base.init_source = SourceInit;
    source->base.fill_input_buffer = SourceFill;
    source->base.skip_input_data = SourceSkip;
    source->base.resync_to_restart = jpeg_resync_to_restart;
    source->base.term_source = SourceTerm;
    source->base.bytes_in_buffer = 0;
    source->base.next_input_byte = nullptr;
    s->source = source;
    int32_t ok = RunDecode(s, fitWidth, fitHeight, error);
    jpeg_destroy_decompress(&s->info);
    free(s->row);
    if (ok) {
        *image = s->pixels;
    } else {
        PixelsFree(&s->pixels);
    }
    free(source);
    free(s);
    return ok;
}

int32_t EncodeJpeg(const ImagePixels& image, int32_t quality, ByteStream* stream, ImageError* error)
{
    if (!image.dib) return SetImageError(error, "Image has no pixels");
    if (image.width > 65500 || image.height > 65500)
        return SetImageError(error, "Image is too large for JPEG");
    if (quality < 1) quality = 1;
    if (quality > 100) quality = 100;
    EncodeState* s = static_cast<EncodeState*>(calloc(1, sizeof(EncodeState)));
    Destination* destination = static_cast<Destination*>(calloc(1, sizeof(Destination)));
    if (!s || !destination) {
        free(s);
        free(destination);
        return SetImageError(error, "Out of memory for the image");
    }
    s->info.err = jpeg_std_error(&s->errors.base);
    s->errors.base.error_exit = OnFatalError;
    s->errors.base.output_message = OnMessage;
    s->errors.error = error;
    destination->stream = stream;
    destination->base.init_destination = DestinationInit;
    destination->base.empty_output_buffer = DestinationEmpty;
    destination->base.term_destination = DestinationTerm;
    s->destination = destination;
    int32_t ok = RunEncode(s, image, quality);
    jpeg_destroy_compress(&s->info);
    free(s->row);
    free(destination);
    free(s);
    return ok;
}
