#include "imaging/ai_image.h"

#include <stdlib.h>
#include <string.h>

#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "imaging/file_stream.h"
#include "imaging/image_codecs.h"
#include "imaging/image_ops.h"
#include "imaging/wmf_render.h"

namespace {

const int kModule = kTraceImage;
const uint64_t kMaxFileSize = 1ull << 30;  // larger files are no images we show
const int32_t kMaxPages = 64;

static_assert(sizeof(BITMAPINFOHEADER) == sizeof(DibHeader), "DIB header layout");
static_assert(sizeof(RGBQUAD) == sizeof(PaletteEntry), "palette layout");

bool EndsWithTga(const WCHAR* path)
{
    int32_t n = path ? lstrlenW(path) : 0;
    if (n < 4) return false;
    const WCHAR* e = path + n - 4;
    return e[0] == L'.' && (e[1] | 0x20) == L't' && (e[2] | 0x20) == L'g' && (e[3] | 0x20) == L'a';
}

}  // namespace

AIImage::AIImage() {}

AIImage::~AIImage() { Destroy(); }

int32_t AIImage::Fail(const char* text) { return SetImageError(&info_.error, text); }

void AIImage::Destroy()
{
    PixelsFree(&pixels_);
    DestroyFrames();
}

void AIImage::DestroyFrames()
{
    for (int32_t i = 0; i < frameCount_; ++i) delete frames_[i];
    delete[] frames_;
    frames_ = nullptr;
    frameCount_ = 0;
}

int32_t AIImage::GetFrameCount() const { return pixels_.dib ? 1 + frameCount_ : 0; }

AIImage* AIImage::GetFrame(int32_t index)
{
    if (index == 0) return pixels_.dib ? this : nullptr;
    return (index > 0 && index <= frameCount_) ? frames_[index - 1] : nullptr;
}

int32_t AIImage::IsValid() const { return pixels_.dib ? 1 : 0; }
int32_t AIImage::GetWidth() const { return pixels_.width; }
int32_t AIImage::GetHeight() const { return pixels_.height; }
int32_t AIImage::GetFileWidth() const { return pixels_.fileWidth ? pixels_.fileWidth : pixels_.width; }
int32_t AIImage::GetFileHeight() const { return pixels_.fileHeight ? pixels_.fileHeight : pixels_.height; }
uint32_t AIImage::GetSize() const { return uint32_t(pixels_.dibSize); }
int32_t AIImage::GetBpp() const { return pixels_.bpp; }
int32_t AIImage::GetType() const { return info_.type; }
uint8_t* AIImage::GetBits() const { return PixelsBits(pixels_); }
uint32_t AIImage::GetStride() const { return pixels_.stride; }
RGBQUAD* AIImage::GetPalette() const
{
    return pixels_.bpp == 8 ? reinterpret_cast<RGBQUAD*>(PixelsPalette(pixels_)) : nullptr;
}
const BITMAPINFO* AIImage::GetPackedDib() const { return reinterpret_cast<const BITMAPINFO*>(pixels_.dib); }
int32_t AIImage::HasAlpha() const { return pixels_.alpha ? 1 : 0; }
uint8_t* AIImage::GetAlpha() const { return pixels_.alpha; }
const char* AIImage::GetErrorText() const { return info_.error.text; }

void AIImage::SetLoadFit(int32_t width, int32_t height)
{
    info_.fitWidth = width > 0 ? width : 0;
    info_.fitHeight = height > 0 ? height : 0;
}

void AIImage::SetJpegQuality(int32_t quality)
{
    info_.jpegQuality = quality < 1 ? 1 : quality > 100 ? 100 : quality;
}
int32_t AIImage::GetJpegQuality() const { return info_.jpegQuality; }

int32_t AIImage::Create(int32_t width, int32_t height, int32_t bpp)
{
    TRACE_SCOPE(kModule, 3);
    Destroy();
    return PixelsCreate(&pixels_, width, height, bpp, &info_.error);
}

int32_t AIImage::CopyFrom(const AIImage& source)
{
    TRACE_SCOPE(kModule, 4);
    if (&source == this) return 1;
    if (!source.IsValid()) return Fail("Image has no pixels");
    ImagePixels copy;
    if (!PixelsCopy(source.pixels_, &copy, &info_.error)) return 0;
    Destroy();
    pixels_ = copy;
    info_.type = source.info_.type;
    return 1;
}

int32_t AIImage::DecodeBytes(const uint8_t* data, uint64_t size, int32_t type, const WCHAR* path)
{
    if (type == kImageDetect) {
        type = DetectImageFormat(data, size);
        if (type == kFormatUnknown && EndsWithTga(path)) type = kImageTga;
        if (type == kFormatUnknown) return Fail("Unknown image format");
    }
    if (type < kImageBmp || type > kImageWmf) return Fail("Unknown image type");
    ImagePixels decoded;
    AIImage** pages = nullptr;
    int32_t pageCount = 0;
    if (type == kImageWmf) {
        if (!RenderWmf(data, size, &decoded, &info_.error)) return 0;
    } else if (type == kImageTif) {
        ImagePixels* all = new ImagePixels[kMaxPages];
        MemoryStream memory;
        ByteStream stream;
        MemoryStreamOpenRead(&memory, data, size, &stream);
        int32_t ok = DecodeTiff(&stream, all, kMaxPages, &pageCount, &info_.error);
        if (ok) {
            decoded = all[0];
            all[0] = ImagePixels();
            if (pageCount > 1) {
                pages = new AIImage*[pageCount - 1];
                for (int32_t i = 1; i < pageCount; ++i) {
                    pages[i - 1] = new AIImage();
                    pages[i - 1]->pixels_ = all[i];
                    pages[i - 1]->info_.type = kImageTif;
                    all[i] = ImagePixels();
                }
            }
        }
        for (int32_t i = 0; i < kMaxPages; ++i) PixelsFree(&all[i]);
        delete[] all;
        if (!ok) return 0;
    } else if (!DecodeImageBytes(data, size, type, info_.fitWidth, info_.fitHeight, &decoded, &info_.error)) {
        return 0;
    }
    Adopt(decoded, pages, pageCount, type);
    return 1;
}

// Only a complete decode replaces what the image held before.
void AIImage::Adopt(ImagePixels& decoded, AIImage** pages, int32_t pageCount, int32_t type)
{
    Destroy();
    pixels_ = decoded;
    decoded = ImagePixels();
    frames_ = pages;
    frameCount_ = pageCount > 1 ? pageCount - 1 : 0;
    info_.type = type;
    info_.error.text[0] = 0;
}

int32_t AIImage::DecodePngFromFile(ByteStream* stream, int32_t* handled)
{
    *handled = 0;
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    uint8_t head[sizeof kSignature];
    if (stream->read(stream->context, head, sizeof head) != int64_t(sizeof head) ||
        memcmp(head, kSignature, sizeof head) != 0 || !stream->seek(stream->context, 0))
        return stream->seek(stream->context, 0);
    *handled = 1;
    ImagePixels decoded;
    if (!DecodePng(stream, info_.fitWidth, info_.fitHeight, &decoded, &info_.error)) return 0;
    Adopt(decoded, nullptr, 0, kImagePng);
    return 1;
}

int32_t AIImage::Load(const WCHAR* path, int32_t type)
{
    TRACE_SCOPE(kModule, 1);
    if (!path || !path[0]) return Fail("No file name");
    FileStream file;
    ByteStream stream;
    if (!FileStreamOpen(&file, path, 'r', &stream)) return Fail("The image file could not be opened");
    int64_t fileSize = stream.size(stream.context);
    if (fileSize < 0 || uint64_t(fileSize) > kMaxFileSize) {
        FileStreamClose(&file);
        return Fail("The image file is too large");
    }
    if (info_.fitWidth > 0 && info_.fitHeight > 0 && (type == kImageDetect || type == kImagePng)) {
        // A short read fails the decode itself (libpng finds the data cut).
        int32_t handled = 0;
        int32_t ok = DecodePngFromFile(&stream, &handled);
        if (handled || !ok) {
            FileStreamClose(&file);
            return handled ? ok : Fail("The image file could not be read");
        }
    }
    uint64_t size = 0;
    uint8_t* data = StreamReadAll(&stream, kMaxFileSize, &size);
    bool readFailed = file.failed;
    FileStreamClose(&file);
    if (!data || readFailed) {
        FreeImageBlock(data);
        return Fail("The image file could not be read");
    }
    int32_t ok = size ? DecodeBytes(data, size, type, path) : Fail("The image file is empty");
    FreeImageBlock(data);
    return ok;
}

int32_t ReadImageFileSize(const WCHAR* path, int32_t* width, int32_t* height, int32_t* format)
{
    *width = *height = 0;
    if (format) *format = kFormatUnknown;
    if (!path || !path[0]) return 0;
    FileStream file;
    ByteStream stream;
    if (!FileStreamOpen(&file, path, 'r', &stream)) return 0;
    ImageSize size;
    int32_t known = ReadImageSize(&stream, &size);
    FileStreamClose(&file);
    if (format) *format = size.format;
    const uint32_t kMaxSide = 0x7FFFFFFF;
    if (!known || size.width > kMaxSide || size.height > kMaxSide) return 0;
    *width = int32_t(size.width);
    *height = int32_t(size.height);
    return 1;
}

int32_t AIImage::LoadFromMemory(const void* data, uint32_t size, int32_t type)
{
    TRACE_SCOPE(kModule, 2);
    if (!data || !size) return Fail("No image data");
    return DecodeBytes(static_cast<const uint8_t*>(data), size, type, nullptr);
}

int32_t AIImage::Encode(int32_t type, uint8_t** buffer, uint64_t* size)
{
    *buffer = nullptr;
    *size = 0;
    if (!IsValid()) return Fail("Image has no pixels");
    if (type != kImageBmp && type != kImageJpg && type != kImagePng)
        return Fail("This image type cannot be saved");
    MemoryStream memory;
    ByteStream stream;
    MemoryStreamOpenWrite(&memory, &stream);
    int32_t ok = type == kImageJpg   ? EncodeJpeg(pixels_, info_.jpegQuality, &stream, &info_.error)
                 : type == kImagePng ? EncodePng(pixels_, &stream, &info_.error)
                                     : EncodeBmp(pixels_, &stream, &info_.error);
    if (ok && memory.failed) ok = Fail("Out of memory for the encoded image");
    if (!ok) {
        MemoryStreamFree(&memory);
        return 0;
    }
    *buffer = MemoryStreamRelease(&memory, size);
    return 1;
}

int32_t AIImage::EncodeToMemory(uint8_t** buffer, uint32_t* size, int32_t type)
{
    TRACE_SCOPE(kModule, 5);
    if (!buffer || !size) return Fail("No place for the encoded image");
    uint64_t length = 0;
    if (!Encode(type, buffer, &length)) {
        *size = 0;
        return 0;
    }
    if (length > 0xFFFFFFFFull) {
        FreeImageBlock(*buffer);
        *buffer = nullptr;
        *size = 0;
        return Fail("The encoded image is too large");
    }
    *size = uint32_t(length);
    return 1;
}

void AIImage::FreeMemory(uint8_t* buffer) { FreeImageBlock(buffer); }

int32_t AIImage::Save(const WCHAR* path, int32_t type)
{
    TRACE_SCOPE(kModule, 6);
    if (!path || !path[0]) return Fail("No file name");
    if (!IsValid()) return Fail("Image has no pixels");
    if (type != kImageBmp && type != kImageJpg && type != kImagePng)
        return Fail("This image type cannot be saved");
    // Write beside the target, then replace it: a failed save never leaves a
    // half-written file in place of a good one.
    int32_t length = lstrlenW(path);
    WCHAR* temporary = new WCHAR[length + 6];
    memcpy(temporary, path, sizeof(WCHAR) * length);
    memcpy(temporary + length, L".part", sizeof(WCHAR) * 6);
    FileStream file;
    ByteStream stream;
    int32_t ok = 0;
    if (!FileStreamOpen(&file, temporary, 'w', &stream)) {
        Fail("The image file could not be created");
    } else {
        ok = type == kImageJpg   ? EncodeJpeg(pixels_, info_.jpegQuality, &stream, &info_.error)
             : type == kImagePng ? EncodePng(pixels_, &stream, &info_.error)
                                 : EncodeBmp(pixels_, &stream, &info_.error);
        if (ok && file.failed)
            ok = Fail(file.diskFull ? "The image file could not be written: not enough free disk space"
                                    : "The image file could not be written");
        FileStreamClose(&file);
        if (ok && !MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            ok = Fail("The image file could not be replaced");
        if (!ok) DeleteFileW(temporary);
    }
    delete[] temporary;
    return ok;
}

int32_t AIImage::Thumbnail(int32_t newWidth, int32_t newHeight, RGBQUAD canvas, AIImage* dest)
{
    TRACE_SCOPE(kModule, 7);
    AIImage* target = dest ? dest : this;
    if (!IsValid()) return target->Fail("Image has no pixels");
    PaletteEntry colour = {canvas.rgbBlue, canvas.rgbGreen, canvas.rgbRed, 0};
    ImagePixels made;
    if (!PixelsThumbnail(pixels_, newWidth, newHeight, colour, &made, &target->info_.error)) return 0;
    target->Destroy();
    target->pixels_ = made;
    target->info_.type = info_.type;
    return 1;
}

int32_t AIImage::RotateLeft()
{
    TRACE_SCOPE(kModule, 8);
    if (!IsValid()) return Fail("Image has no pixels");
    return PixelsTurn(pixels_, kTurnLeft, &pixels_, &info_.error);
}

int32_t AIImage::RotateRight()
{
    TRACE_SCOPE(kModule, 9);
    if (!IsValid()) return Fail("Image has no pixels");
    return PixelsTurn(pixels_, kTurnRight, &pixels_, &info_.error);
}

int32_t AIImage::CropRect(const RECT& rect)
{
    TRACE_SCOPE(kModule, 10);
    if (!IsValid()) return Fail("Image has no pixels");
    return PixelsCrop(pixels_, rect.left, rect.top, rect.right, rect.bottom, &pixels_, &info_.error);
}

int32_t AIImage::Greyscale()
{
    TRACE_SCOPE(kModule, 11);
    if (!IsValid()) return Fail("Image has no pixels");
    return PixelsGreyscale(pixels_, &pixels_, &info_.error);
}

int32_t AIImage::AlphaCreate()
{
    TRACE_SCOPE(kModule, 12);
    if (!IsValid()) return Fail("Image has no pixels");
    return PixelsCreateAlpha(&pixels_, &info_.error);
}

int32_t AIImage::AlphaDelete()
{
    TRACE_SCOPE(kModule, 13);
    if (!IsValid()) return Fail("Image has no pixels");
    free(pixels_.alpha);
    pixels_.alpha = nullptr;
    return 1;
}

int32_t AIImage::StretchRect(HDC dc, const RECT& rect) const
{
    TRACE_SCOPE(kModule, 14);
    if (!IsValid() || !dc) return 0;
    int32_t oldMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    int32_t lines =
        StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0,
                      pixels_.width, pixels_.height, GetBits(), GetPackedDib(), DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
    return lines > 0 ? 1 : 0;
}

int32_t AIImage::FromHBitmap(HBITMAP bitmap)
{
    TRACE_SCOPE(kModule, 15);
    BITMAP info;
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return Fail("Not a bitmap");
    ImagePixels made;
    if (!PixelsCreate(&made, info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight, 24,
                      &info_.error))
        return 0;
    BITMAPINFO bmi = {};
    memcpy(&bmi.bmiHeader, made.dib, sizeof(BITMAPINFOHEADER));
    HDC dc = GetDC(nullptr);
    int32_t lines = GetDIBits(dc, bitmap, 0, UINT(made.height), PixelsBits(made), &bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (lines != made.height) {
        PixelsFree(&made);
        return Fail("The bitmap's pixels could not be read");
    }
    Destroy();
    pixels_ = made;
    info_.type = kImageBmp;
    return 1;
}

HBITMAP AIImage::MakeHBitmap(HDC dc) const
{
    TRACE_SCOPE(kModule, 16);
    if (!IsValid()) return nullptr;
    ImagePixels colour;
    ImageError error;
    if (!PixelsTo24(pixels_, &colour, &error)) return nullptr;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(colour.dib), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    if (bitmap && bits) memcpy(bits, PixelsBits(colour), uint64_t(colour.stride) * uint64_t(colour.height));
    PixelsFree(&colour);
    return bitmap;
}

int32_t AIImage::FromClipboardDib(const void* block, uint32_t size)
{
    TRACE_SCOPE(kModule, 17);
    if (!block || size < sizeof(BITMAPINFOHEADER)) return Fail("Clipboard bitmap is too small");
    ImagePixels decoded;
    if (!DecodePackedDib(static_cast<const uint8_t*>(block), size, &decoded, &info_.error)) return 0;
    Destroy();
    pixels_ = decoded;
    info_.type = kImageBmp;
    return 1;
}

HGLOBAL AIImage::ToClipboardDib() const
{
    TRACE_SCOPE(kModule, 18);
    if (!IsValid()) return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, SIZE_T(pixels_.dibSize));
    if (!block) return nullptr;
    void* p = GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    memcpy(p, pixels_.dib, pixels_.dibSize);
    GlobalUnlock(block);
    return block;
}
