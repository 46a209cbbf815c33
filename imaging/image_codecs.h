// The format codecs. Plain types only: the JPEG, PNG and TIFF codecs are
// compiled with the host compiler against their libraries. Every decoder
// treats its bytes as hostile and returns 1, or 0 with the reason in `error`
// and `image` left empty.
#pragma once
#include "imaging/byte_stream.h"
#include "imaging/image_pixels.h"

// Type codes shared with AIImage.
enum ImageFormat : int32_t {
    kFormatUnknown = 0,
    kFormatBmp = 1,
    kFormatGif = 2,
    kFormatJpg = 3,
    kFormatPng = 4,
    kFormatIco = 5,
    kFormatTif = 6,
    kFormatTga = 7,
    kFormatPcx = 8,
    kFormatWbmp = 9,
    kFormatWmf = 10,
};

// The format named by the leading bytes; TGA has no signature and is never
// returned (callers decide it from the file extension).
int32_t DetectImageFormat(const uint8_t* data, uint64_t size);

// The size a PNG, JPEG, GIF or BMP declares in its header, read without
// decoding it (JPEG segments are sought over, not read). 1 with a size of
// at least one pixel each way; 0 for other formats and unreadable headers.
struct ImageSize {
    uint32_t width = 0;
    uint32_t height = 0;
    int32_t format = kFormatUnknown;  // the format the header was read as
};
int32_t ReadImageSize(ByteStream* stream, ImageSize* size);

int32_t DecodeBmp(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error);
// A packed DIB (header, palette or masks, rows) as the clipboard's CF_DIB holds it.
int32_t DecodePackedDib(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error);
int32_t DecodeGif(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error);
int32_t DecodeIco(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error);
int32_t DecodeTga(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error);
int32_t DecodePcx(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error);
int32_t DecodeWbmp(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error);

// JPEG with EXIF orientation applied. When fitWidth/fitHeight are set the
// decoder may use a reduced scale that still covers that size.
int32_t DecodeJpeg(ByteStream* stream, int32_t fitWidth, int32_t fitHeight, ImagePixels* image,
                   ImageError* error);
// PNG; when fitWidth/fitHeight are set, a picture several times larger is
// read row by row and shrunk by a whole factor (box filter) that still covers
// that size, so the full-size picture is never held.
int32_t DecodePng(ByteStream* stream, int32_t fitWidth, int32_t fitHeight, ImagePixels* image, ImageError* error);
// Up to maxPages pages (the first is required); *pageCount says how many.
int32_t DecodeTiff(ByteStream* stream, ImagePixels* pages, int32_t maxPages, int32_t* pageCount,
                   ImageError* error);

int32_t EncodeBmp(const ImagePixels& image, ByteStream* stream, ImageError* error);
int32_t EncodeJpeg(const ImagePixels& image, int32_t quality, ByteStream* stream, ImageError* error);
int32_t EncodePng(const ImagePixels& image, ByteStream* stream, ImageError* error);

// The size a Windows metafile asks for, from its placeable header (or a
// default), after the header has been checked against the data.
struct WmfInfo {
    uint64_t bitsOffset = 0;  // where the standard metafile starts
    uint64_t bitsSize = 0;
    int32_t width = 0;  // pixels at 96 dpi
    int32_t height = 0;
    int32_t placeable = 0;
};
int32_t ParseWmfHeader(const uint8_t* data, uint64_t size, WmfInfo* info, ImageError* error);

// One entry point per type for the memory-held formats and the stream ones
// (used by the image object and the fuzz targets); WMF only checks its header.
int32_t DecodeImageBytes(const uint8_t* data, uint64_t size, int32_t format, int32_t fitWidth,
                         int32_t fitHeight, ImagePixels* image, ImageError* error);
