// Metafiles are drawn by GDI: the records are checked first (ParseWmfHeader),
// then a copy is converted to an enhanced metafile and played onto a DIB.
#include "imaging/wmf_render.h"

#include <string.h>

#include "foundation/win.h"
#include "imaging/image_codecs.h"

namespace {

uint64_t RecordWords(const uint8_t* record)
{
    return record[0] | (record[1] << 8) | (uint32_t(record[2]) << 16) | (uint32_t(record[3]) << 24);
}

// GDI's drawing code overflows its stack or runs for minutes on arcs and
// ellipses millions of pixels across, which mapping records can make out of
// 16-bit coordinates. The recorded bounds, mapped the way playing maps the
// frame onto the picture, must stay near the picture.
bool DrawingStaysNearPicture(HENHMETAFILE metafile, int32_t width, int32_t height)
{
    const double kReach = 131072.0;  // pixels either side; far below where drawing fails
    ENHMETAHEADER h = {};
    if (!GetEnhMetaFileHeader(metafile, sizeof(h), &h)) return false;
    if (h.rclBounds.right < h.rclBounds.left || h.rclBounds.bottom < h.rclBounds.top)
        return true;  // draws nothing
    if (h.szlDevice.cx <= 0 || h.szlDevice.cy <= 0 || h.szlMillimeters.cx <= 0 || h.szlMillimeters.cy <= 0)
        return false;
    // The frame in the recording device's pixels.
    double pixelsPerFrameX = double(h.szlDevice.cx) / (100.0 * h.szlMillimeters.cx);
    double pixelsPerFrameY = double(h.szlDevice.cy) / (100.0 * h.szlMillimeters.cy);
    double frameLeft = h.rclFrame.left * pixelsPerFrameX, frameTop = h.rclFrame.top * pixelsPerFrameY;
    double frameWidth = (double(h.rclFrame.right) - h.rclFrame.left) * pixelsPerFrameX;
    double frameHeight = (double(h.rclFrame.bottom) - h.rclFrame.top) * pixelsPerFrameY;
    if (frameWidth < 0.5 || frameHeight < 0.5) return false;
    double scaleX = width / frameWidth, scaleY = height / frameHeight;
    double left = (h.rclBounds.left - frameLeft) * scaleX, right = (h.rclBounds.right - frameLeft) * scaleX;
    double top = (h.rclBounds.top - frameTop) * scaleY, bottom = (h.rclBounds.bottom - frameTop) * scaleY;
    return left > -kReach && right < width + kReach && top > -kReach && bottom < height + kReach;
}

}  // namespace

void NeutraliseWmfForPlayback(uint8_t* bits, uint64_t size)
{
    if (size < 18) return;
    bits[0] = 1;  // a memory metafile, never one that names a file on disk
    bits[1] = 0;
    const uint64_t first = 18;
    // A comment escape first in the file may carry an enhanced metafile, which
    // GDI would play instead of the records; spoil its signature when it lies
    // inside that record (a shorter record's neighbour cannot hold it: its
    // size would run past the file).
    if (size >= first + 14 && RecordWords(bits + first) >= 7 && bits[first + 4] == 0x26 &&
        bits[first + 5] == 0x06 && bits[first + 6] == 0x0F && bits[first + 7] == 0)
        bits[first + 10] ^= 0xFF;
    // GDI's player takes a selected palette's index from the word after the
    // record's only parameter (part of the next record). Palettes do not change
    // a 24-bit picture, so those records become RealizePalette, which reads
    // nothing.
    for (uint64_t at = first; at + 6 <= size;) {
        uint64_t words = RecordWords(bits + at);
        uint16_t function = uint16_t(bits[at + 4] | (bits[at + 5] << 8));
        if (words < 3 || function == 0 || words * 2 > size - at) break;
        if (function == 0x0234) {
            bits[at + 4] = 0x35;
            bits[at + 5] = 0x00;
        }
        at += words * 2;
    }
}

int32_t RenderWmf(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error)
{
    PixelsFree(image);
    WmfInfo info;
    if (!ParseWmfHeader(data, size, &info, error)) return 0;
    METAFILEPICT picture = {};
    picture.mm = MM_ANISOTROPIC;
    picture.xExt = info.width * 2540 / 96;  // HIMETRIC
    picture.yExt = info.height * 2540 / 96;
    // GDI reads a copy in which nothing names a disk file or an enhanced
    // metafile hidden in comments: only the records checked above get played.
    uint8_t* bits = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, SIZE_T(info.bitsSize)));
    if (!bits) return SetImageError(error, "Out of memory for the metafile picture");
    memcpy(bits, data + info.bitsOffset, SIZE_T(info.bitsSize));
    NeutraliseWmfForPlayback(bits, info.bitsSize);
    HENHMETAFILE metafile = SetWinMetaFileBits(UINT(info.bitsSize), bits, nullptr, &picture);
    HeapFree(GetProcessHeap(), 0, bits);
    if (!metafile) return SetImageError(error, "Metafile could not be read");
    if (!DrawingStaysNearPicture(metafile, info.width, info.height)) {
        DeleteEnhMetaFile(metafile);
        return SetImageError(error, "Metafile draws far outside its picture");
    }
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = info.width;
    bmi.bmiHeader.biHeight = info.height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pixels = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = dc ? CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &pixels, nullptr, 0) : nullptr;
    int32_t ok = 0;
    if (!bitmap) {
        SetImageError(error, "Out of memory for the metafile picture");
    } else if (PixelsCreate(image, info.width, info.height, 24, error)) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT area = {0, 0, info.width, info.height};
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        PlayEnhMetaFile(dc, metafile, &area);
        GdiFlush();
        memcpy(PixelsBits(*image), pixels, uint64_t(image->stride) * uint64_t(image->height));
        SelectObject(dc, old);
        ok = 1;
    }
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    DeleteEnhMetaFile(metafile);
    return ok;
}
