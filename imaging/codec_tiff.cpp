// TIFF through libtiff opened over our streams; every page (up to a limit)
// is read as RGBA, which libtiff produces for all its photometric kinds.
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <tiffio.h>

#include "imaging/image_codecs.h"

namespace {

// libtiff reports through process-wide handlers; the codec runs on one
// thread, so the last message is kept here for the error text.
char lastTiffMessage[kErrorTextSize];

void OnTiffError(const char*, const char* format, va_list args)
{
    vsnprintf(lastTiffMessage, sizeof(lastTiffMessage), format, args);
}

void OnTiffWarning(const char*, const char*, va_list) {}

tmsize_t TiffRead(thandle_t handle, void* buffer, tmsize_t count)
{
    ByteStream* stream = static_cast<ByteStream*>(handle);
    int64_t got = stream->read(stream->context, static_cast<uint8_t*>(buffer), count);
    return got < 0 ? 0 : tmsize_t(got);
}

tmsize_t TiffWrite(thandle_t, void*, tmsize_t) { return 0; }

toff_t TiffSeek(thandle_t handle, toff_t offset, int whence)
{
    ByteStream* stream = static_cast<ByteStream*>(handle);
    int64_t base = 0;
    if (whence == SEEK_CUR) base = stream->tell(stream->context);
    if (whence == SEEK_END) base = stream->size(stream->context);
    int64_t target = base + int64_t(offset);
    if (target < 0 || !stream->seek(stream->context, target)) return toff_t(-1);
    return toff_t(target);
}

int TiffClose(thandle_t) { return 0; }

toff_t TiffSize(thandle_t handle)
{
    ByteStream* stream = static_cast<ByteStream*>(handle);
    return toff_t(stream->size(stream->context));
}

int TiffMap(thandle_t, void**, toff_t*) { return 0; }
void TiffUnmap(thandle_t, void*, toff_t) {}

int32_t ReadPage(TIFF* tiff, ImagePixels* page, ImageError* error)
{
    uint32_t width = 0, height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    if (width == 0 || height == 0) return SetImageError(error, "TIFF page has no pixels");
    if (uint64_t(width) * height > kMaxImagePixels) return SetImageError(error, "Image is too large");
    uint16_t extraCount = 0;
    uint16_t* extraKinds = nullptr;
    TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraKinds);
    bool alpha = extraCount > 0;
    uint32_t* rgba = static_cast<uint32_t*>(_TIFFmalloc(tmsize_t(uint64_t(width) * height * 4)));
    if (!rgba) return SetImageError(error, "Out of memory for the image");
    lastTiffMessage[0] = 0;
    if (!TIFFReadRGBAImageOriented(tiff, width, height, rgba, ORIENTATION_TOPLEFT, 1)) {
        _TIFFfree(rgba);
        char message[kErrorTextSize];
        snprintf(message, sizeof(message), "TIFF error: %s",
                 lastTiffMessage[0] ? lastTiffMessage : "unreadable page");
        return SetImageError(error, message);
    }
    if (!PixelsCreate(page, int32_t(width), int32_t(height), 24, error) ||
        (alpha && !PixelsCreateAlpha(page, error))) {
        _TIFFfree(rgba);
        PixelsFree(page);
        return 0;
    }
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* out = PixelsRowFromTop(*page, int32_t(y));
        uint8_t* a = alpha ? AlphaRowFromTop(*page, int32_t(y)) : nullptr;
        const uint32_t* in = rgba + uint64_t(y) * width;
        for (uint32_t x = 0; x < width; ++x) {
            out[x * 3] = uint8_t(TIFFGetB(in[x]));
            out[x * 3 + 1] = uint8_t(TIFFGetG(in[x]));
            out[x * 3 + 2] = uint8_t(TIFFGetR(in[x]));
            if (a) a[x] = uint8_t(TIFFGetA(in[x]));
        }
    }
    _TIFFfree(rgba);
    return 1;
}

}  // namespace

int32_t DecodeTiff(ByteStream* stream, ImagePixels* pages, int32_t maxPages, int32_t* pageCount,
                   ImageError* error)
{
    *pageCount = 0;
    for (int32_t i = 0; i < maxPages; ++i) PixelsFree(&pages[i]);
    TIFFSetErrorHandler(OnTiffError);
    TIFFSetWarningHandler(OnTiffWarning);
    lastTiffMessage[0] = 0;
    // "m": never map the stream into memory.
    TIFF* tiff = TIFFClientOpen("image", "rm", stream, TiffRead, TiffWrite, TiffSeek, TiffClose, TiffSize,
                                TiffMap, TiffUnmap);
    if (!tiff) {
        char message[kErrorTextSize];
        snprintf(message, sizeof(message), "TIFF error: %s",
                 lastTiffMessage[0] ? lastTiffMessage : "not a TIFF file");
        return SetImageError(error, message);
    }
    // Any damaged page fails the whole file: a picture with pages silently
    // missing would look complete.
    int32_t ok = 1;
    for (;;) {
        if (!ReadPage(tiff, &pages[*pageCount], error)) {
            ok = 0;
            break;
        }
        ++*pageCount;
        if (*pageCount == maxPages || TIFFLastDirectory(tiff)) break;
        if (!TIFFReadDirectory(tiff)) {
            char message[kErrorTextSize];
            snprintf(message, sizeof(message), "TIFF error: %s",
                     lastTiffMessage[0] ? lastTiffMessage : "damaged page");
            ok = SetImageError(error, message);
            break;
        }
    }
    TIFFClose(tiff);
    if (!ok) {
        for (int32_t i = 0; i < *pageCount; ++i) PixelsFree(&pages[i]);
        *pageCount = 0;
    }
    return ok;
}
