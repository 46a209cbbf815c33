// The program's image object: a packed DIB with palette, an information block
// (JPEG quality, type, last error text), an optional alpha plane and further
// frames (pages of a multi-page TIFF). Every operation returns 1 on success
// or 0 and leaves the reason in GetErrorText().
#pragma once
#include "foundation/win.h"
#include "imaging/image_pixels.h"

enum AIImageType : int32_t {
    kImageDetect = 0,
    kImageBmp = 1,
    kImageGif = 2,
    kImageJpg = 3,
    kImagePng = 4,
    kImageIco = 5,
    kImageTif = 6,
    kImageTga = 7,
    kImagePcx = 8,
    kImageWbmp = 9,
    kImageWmf = 10,
};

struct AIImageInfo {
    int32_t jpegQuality = 90;  // used by the next JPEG save
    int32_t type = 0;          // type the image was loaded as
    int32_t fitWidth = 0;      // when set, a JPEG may decode at a reduced
    int32_t fitHeight = 0;     // scale that still covers this size
    ImageError error;          // reason of the last failure
};

struct ByteStream;

// The size the picture in a file declares in its header, read without
// decoding it: 1 for a PNG, JPEG, GIF or BMP whose header gives one; 0 when
// the size cannot be known before a decode. format (may be null) receives
// the format found (an AIImageType), 0 when none.
int32_t ReadImageFileSize(const WCHAR* path, int32_t* width, int32_t* height, int32_t* format = nullptr);

class AIImage {
public:
    AIImage();
    ~AIImage();
    AIImage(const AIImage&) = delete;
    AIImage& operator=(const AIImage&) = delete;

    // type 0 detects the format from the bytes (TGA, which has no signature,
    // from a ".tga" extension).
    int32_t Load(const WCHAR* path, int32_t type);
    int32_t LoadFromMemory(const void* data, uint32_t size, int32_t type);

    // A blank image of 8 (grey palette) or 24 bits per pixel.
    int32_t Create(int32_t width, int32_t height, int32_t bpp);
    int32_t CopyFrom(const AIImage& source);

    int32_t IsValid() const;
    int32_t GetWidth() const;
    int32_t GetHeight() const;
    // The picture's own size, also after a reduced-scale load (SetLoadFit).
    int32_t GetFileWidth() const;
    int32_t GetFileHeight() const;
    uint32_t GetSize() const;  // bytes of the packed DIB
    int32_t GetBpp() const;    // 8 or 24
    int32_t GetType() const;
    uint8_t* GetBits() const;     // bottom-up rows
    uint32_t GetStride() const;   // bytes per row
    RGBQUAD* GetPalette() const;  // null for 24 bpp
    const BITMAPINFO* GetPackedDib() const;
    int32_t HasAlpha() const;
    uint8_t* GetAlpha() const;  // width*height, bottom row first
    const ImagePixels& Pixels() const { return pixels_; }

    // Fits the image into newWidth x newHeight keeping its aspect (never
    // enlarging), centred on a canvas of that size in the canvas colour.
    // dest null: the image itself is replaced.
    int32_t Thumbnail(int32_t newWidth, int32_t newHeight, RGBQUAD canvas, AIImage* dest);

    // Lets the next loads decode a JPEG or PNG at a reduced scale when only
    // a thumbnail of this size is wanted (0, 0: full size).
    void SetLoadFit(int32_t width, int32_t height);

    void SetJpegQuality(int32_t quality);  // 1..100
    int32_t GetJpegQuality() const;
    // Saves BMP (1), JPG (3) or PNG (4); the file is written through a
    // temporary name so that a failure leaves an existing file untouched.
    int32_t Save(const WCHAR* path, int32_t type);
    // Encodes into a block that FreeMemory releases.
    int32_t EncodeToMemory(uint8_t** buffer, uint32_t* size, int32_t type);
    static void FreeMemory(uint8_t* buffer);

    int32_t RotateLeft();
    int32_t RotateRight();
    int32_t CropRect(const RECT& rect);  // clipped to the image; empty fails
    int32_t Greyscale();
    int32_t AlphaCreate();  // an opaque alpha plane, if none yet
    int32_t AlphaDelete();
    int32_t StretchRect(HDC dc, const RECT& rect) const;

    void Destroy();  // pixels, alpha and frames
    void DestroyFrames();
    int32_t GetFrameCount() const;     // 1 + further pages
    AIImage* GetFrame(int32_t index);  // 0 is the image itself

    int32_t FromHBitmap(HBITMAP bitmap);
    HBITMAP MakeHBitmap(HDC dc) const;  // a 24-bit DIB section; dc may be null
    // CF_DIB: a BITMAPINFOHEADER, palette or masks, and rows. The header is
    // checked against the block size.
    int32_t FromClipboardDib(const void* block, uint32_t size);
    HGLOBAL ToClipboardDib() const;  // movable block for SetClipboardData

    const char* GetErrorText() const;
    AIImageInfo& Info() { return info_; }

private:
    int32_t Fail(const char* text);
    // A large PNG wanted only as a thumbnail is decoded from the file as it
    // is read; 0 with nothing done when the file is something else.
    int32_t DecodePngFromFile(ByteStream* stream, int32_t* handled);
    void Adopt(ImagePixels& decoded, AIImage** pages, int32_t pageCount, int32_t type);
    int32_t DecodeBytes(const uint8_t* data, uint64_t size, int32_t type, const WCHAR* path);
    int32_t Encode(int32_t type, uint8_t** buffer, uint64_t* size);

    ImagePixels pixels_;
    AIImageInfo info_;
    AIImage** frames_ = nullptr;  // further pages
    int32_t frameCount_ = 0;
};
