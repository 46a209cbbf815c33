// AIDib: an off-screen bitmap, a top-down DIB section of 24 or 32 bits per
// pixel with its own memory device context. Captures are 24-bit (rows padded
// to 4 bytes), created and loaded pictures 32-bit (BGRA; the alpha byte holds
// the image's own transparency when HasAlpha()).
// Opacity and key-colour draws are pixel loops on the bits, so they are exact.
#pragma once
#include "foundation/win.h"

class AIImage;

class AIDib {
public:
    AIDib();
    ~AIDib();
    AIDib(const AIDib&) = delete;
    AIDib& operator=(const AIDib&) = delete;

    // A black bitmap; bitsPerPixel 24 or 32. 1 on success, 0 for a size of
    // zero, a negative size or one above the image library's pixel cap.
    int Create(int width, int height, int bitsPerPixel = 32);

    // type: 0 detect, 3 JPEG, 4 PNG (any type the image library reads).
    int LoadImageFile(const WCHAR* path, int type);
    // The pixels of a decoded image (its alpha plane too) as a 32-bit bitmap.
    int LoadImagePixels(const AIImage& image);
    // A BITMAP resource of the module (0: the program).
    int LoadBitmapResource(int id, HINSTANCE module = 0);

    // Copy width x height pixels at (x, y) of a device context into a new
    // 24-bit bitmap of that size.
    int CaptureFromDC(HDC dc, int x, int y, int width, int height);
    // Like CaptureFromDC, but the region lands at the same place (x, y) of
    // this bitmap; the rest of the bitmap is kept (it grows when too small).
    int CaptureRectFromDC(HDC dc, int x, int y, int width, int height);
    // Capture, then return the bitmap's own device context (bitmap selected)
    // so that the region can be drawn back later; 0 on failure.
    HDC CaptureWithBackground(HDC dc, int x, int y, int width, int height);
    HDC CaptureRectWithBackground(HDC dc, int x, int y, int width, int height);

    HBITMAP GetHBitmap() const { return bitmap_; }  // 0 when empty
    RECT GetRect() const;                             // {0, 0, width, height}
    SIZE GetSize() const;                             // width and height
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    int GetBitsPerPixel() const { return bitsPerPixel_; }
    int GetStride() const { return stride_; }          // bytes per row
    void* GetBits() const { return bits_; }           // top row first
    int HasAlpha() const { return hasAlpha_; }
    void SetHasAlpha(int hasAlpha) { hasAlpha_ = hasAlpha && bitsPerPixel_ == 32; }
    int IsEmpty() const { return bitmap_ == 0; }

    // Plain copies (1 on success, 0 when empty or GDI fails).
    int Draw(HDC dc, int x, int y);
    // Draw at (x, y) showing only what falls inside clip (destination coordinates).
    int DrawClipped(HDC dc, int x, int y, const RECT& clip);
    // width x height pixels from (sourceX, sourceY) of the bitmap to (x, y).
    int DrawPart(HDC dc, int x, int y, int sourceX, int sourceY, int width, int height);
    // The whole bitmap stretched into dest (fast, colour-on-colour).
    int DrawStretched(HDC dc, const RECT& dest);
    // A source rectangle stretched into a destination rectangle (fast).
    int DrawStretchedEx(HDC dc, const RECT& source, const RECT& dest);
    // A source rectangle stretched into a destination rectangle with halftone.
    int DrawPartStretched(HDC dc, const RECT& source, const RECT& dest);

    // opacity 0 (nothing) .. 255 (opaque); clamped. A bitmap with alpha is
    // drawn with its own alpha times the opacity.
    int DrawWithOpacity(HDC dc, int x, int y, int opacity);
    // Pixels of the key colour are left out; the others are copied.
    int DrawTransparent(HDC dc, int x, int y, COLORREF key);
    // Pixels of the key colour are left out; the others blended at opacity.
    int DrawBlendedKeyed(HDC dc, int x, int y, COLORREF key, int opacity);

    // The memory device context with the bitmap selected (0 when empty).
    HDC SelectIntoMemoryDC();
    // Deselects the bitmap and deletes the memory context (the bitmap stays).
    void ReleaseMemoryDC();
    // Frees the context and the bitmap; the object is empty afterwards.
    void FreeGdiObjects();

private:
    int CreateSection(int width, int height, int bitsPerPixel);
    void TakeFrom(AIDib& other);  // moves other's objects here; other ends empty

    HBITMAP bitmap_;
    HDC memoryDC_;
    HGDIOBJ previousBitmap_;
    void* bits_;
    int width_;
    int height_;
    int bitsPerPixel_;
    int stride_;
    int hasAlpha_;
};
