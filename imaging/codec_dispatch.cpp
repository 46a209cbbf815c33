#include "imaging/image_codecs.h"

int32_t DecodeImageBytes(const uint8_t* data, uint64_t size, int32_t format, int32_t fitWidth,
                         int32_t fitHeight, ImagePixels* image, ImageError* error)
{
    PixelsFree(image);
    if (!data || size == 0) return SetImageError(error, "The image file is empty");
    MemoryStream memory;
    ByteStream stream;
    MemoryStreamOpenRead(&memory, data, size, &stream);
    switch (format) {
    case kFormatBmp: return DecodeBmp(data, size, image, error);
    case kFormatGif: return DecodeGif(data, size, image, error);
    case kFormatJpg: return DecodeJpeg(&stream, fitWidth, fitHeight, image, error);
    case kFormatPng: return DecodePng(&stream, fitWidth, fitHeight, image, error);
    case kFormatIco: return DecodeIco(data, size, image, error);
    case kFormatTif: {
        int32_t pages = 0;
        return DecodeTiff(&stream, image, 1, &pages, error);
    }
    case kFormatTga: return DecodeTga(data, size, image, error);
    case kFormatPcx: return DecodePcx(data, size, image, error);
    case kFormatWbmp: return DecodeWbmp(data, size, image, error);
    case kFormatWmf: {
        WmfInfo info;
        return ParseWmfHeader(data, size, &info, error);
    }
    }
    return SetImageError(error, "Unknown image type");
}
