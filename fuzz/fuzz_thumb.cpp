// libFuzzer target for the image browser's thumbnail and icon files. The
// input's first byte picks the picture's type (JPEG or PNG, the two read at
// a reduced scale), the next four the screen the copy fits; the rest is the
// picture. A picture read at a reduced scale still covers the size it is
// fitted to, and is never larger than its file's own size; the screen-size
// copy is exactly the screen's size; written as JPEG it reads back at that
// size; the icon made from it (read again fitted to the icon) is exactly
// the icon's size.
#include <stdint.h>
#include <stdlib.h>

#include "imaging/byte_stream.h"
#include "imaging/image_codecs.h"
#include "imaging/image_ops.h"

namespace {

const int32_t kIconSide = 300;        // as the image browser makes its icons
const int32_t kThumbQuality = 85;
const int32_t kMaxScreenSide = 2048;  // screens up to this size
const uint64_t kMaxCheckedPixels = 4000000;

#define CHECK(condition) \
    do {                 \
        if (!(condition)) abort(); \
    } while (0)

// The picture read fitted to width x height: 1 when read, with its checks.
int32_t ReadFitted(const uint8_t* data, uint64_t size, int32_t format, int32_t width, int32_t height,
                   ImagePixels* image)
{
    ImageError error;
    if (!DecodeImageBytes(data, size, format, width, height, image, &error)) {
        CHECK(error.text[0] && !image->dib);
        return 0;
    }
    CHECK(image->dib && image->width > 0 && image->height > 0);
    if (image->fileWidth > 0) {
        // Read at a reduced scale: never larger than the file, still covering
        // the size the thumbnail draws.
        CHECK(image->fileHeight > 0);
        CHECK(image->width <= image->fileWidth && image->height <= image->fileHeight);
        int32_t fitWidth = 0, fitHeight = 0;
        ThumbnailFitSize(image->fileWidth, image->fileHeight, width, height, &fitWidth, &fitHeight);
        CHECK(image->width >= fitWidth && image->height >= fitHeight);
    }
    return 1;
}

// The thumbnail of image on a width x height canvas, written as JPEG.
uint8_t* MakeJpegCopy(const ImagePixels& image, int32_t width, int32_t height, uint64_t* bytes)
{
    ImagePixels thumb;
    ImageError error;
    PaletteEntry canvas = {255, 255, 255, 0};
    CHECK(PixelsThumbnail(image, width, height, canvas, &thumb, &error));
    CHECK(thumb.width == width && thumb.height == height && thumb.bpp == 24 && !thumb.alpha);
    MemoryStream memory;
    ByteStream stream;
    MemoryStreamOpenWrite(&memory, &stream);
    CHECK(EncodeJpeg(thumb, kThumbQuality, &stream, &error));
    PixelsFree(&thumb);
    uint8_t* jpeg = MemoryStreamRelease(&memory, bytes);
    CHECK(jpeg && *bytes > 0);
    return jpeg;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 6) return 0;
    int32_t format = (data[0] & 1) ? kFormatPng : kFormatJpg;
    int32_t screenWidth = 1 + (int32_t)((data[1] | (data[2] << 8)) % kMaxScreenSide);
    int32_t screenHeight = 1 + (int32_t)((data[3] | (data[4] << 8)) % kMaxScreenSide);
    ImagePixels image;
    if (!ReadFitted(data + 5, size - 5, format, screenWidth, screenHeight, &image)) return 0;
    if ((uint64_t)image.width * image.height > kMaxCheckedPixels ||
        (uint64_t)screenWidth * screenHeight > kMaxCheckedPixels) {
        PixelsFree(&image);
        return 0;
    }
    uint64_t thumbBytes = 0;
    uint8_t* thumb = MakeJpegCopy(image, screenWidth, screenHeight, &thumbBytes);
    PixelsFree(&image);
    // The icon is made from the screen-size copy as its file holds it.
    ImagePixels copy;
    CHECK(ReadFitted(thumb, thumbBytes, kFormatJpg, kIconSide, kIconSide, &copy));
    if (copy.fileWidth > 0) CHECK(copy.fileWidth == screenWidth && copy.fileHeight == screenHeight);
    else CHECK(copy.width == screenWidth && copy.height == screenHeight);
    uint64_t iconBytes = 0;
    uint8_t* icon = MakeJpegCopy(copy, kIconSide, kIconSide, &iconBytes);
    PixelsFree(&copy);
    ImagePixels shown;
    CHECK(ReadFitted(icon, iconBytes, kFormatJpg, 0, 0, &shown));
    CHECK(shown.width == kIconSide && shown.height == kIconSide);
    PixelsFree(&shown);
    FreeImageBlock(thumb);
    FreeImageBlock(icon);
    return 0;
}
