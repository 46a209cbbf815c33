// AIResourceImage: PNG and JPEG resources decoded once, drawn with opacity.
#include "drawing/ai_resource_image.h"
#include "drawing/pixel_blend.h"
#include "drawing/pixel_scale.h"
#include "drawing/pixel_surface.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "imaging/ai_image.h"
#include <stdlib.h>

namespace {

const int kModule = kTraceResourceImage;
int g_imagesEnabled = 1;

// 0..100 as 0..255.
int OpacityFromPercent(int percent)
{
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    return (percent * 255 + 50) / 100;
}

int DrawPixels(HDC dc, int x, int y, const uint32_t* pixels, int width, int height, int opacity)
{
    SourcePixels source;
    if (!SourceOpenBits(&source, pixels, width, height, 32, width * 4)) return 0;
    SourceDrawOptions options = OpaqueDraw();
    options.topOpacity = options.bottomOpacity = opacity;
    options.useAlpha = 1;
    int drawn = DrawSourcePixels(dc, x, y, source, 0, 0, width, height, options);
    SourceClose(&source);
    return drawn;
}

}  // namespace

int AreImagesEnabled() { return g_imagesEnabled; }

void SetImagesEnabled(int enabled) { g_imagesEnabled = enabled ? 1 : 0; }

AIResourceImage::AIResourceImage() : x_(0), y_(0) {}

AIResourceImage::~AIResourceImage() {}

int AIResourceImage::LoadResource(int id, const WCHAR* type, HINSTANCE module)
{
    TRACE_SCOPE(kModule, 1);
    // A failed load keeps the picture loaded before: only a decoded image replaces it.
    if (!type) return 0;
    if (!module) module = GetModuleHandleW(0);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found) return 0;
    HGLOBAL handle = ::LoadResource(module, found);
    DWORD size = SizeofResource(module, found);
    const void* data = handle ? LockResource(handle) : 0;
    if (!data || size == 0) return 0;
    int imageType = lstrcmpiW(type, L"PNG") == 0 ? kImagePng : (lstrcmpiW(type, L"JPG") == 0 ? kImageJpg : kImageDetect);
    AIImage image;
    if (!image.LoadFromMemory(data, size, imageType)) return 0;
    return dib_.LoadImagePixels(image);
}

int AIResourceImage::LoadPngResource(int id, HINSTANCE module) { return LoadResource(id, L"PNG", module); }

void AIResourceImage::Free() { dib_.FreeGdiObjects(); }

int AIResourceImage::Draw(HDC dc, int opacity) { return DrawAt(dc, x_, y_, opacity); }

int AIResourceImage::DrawAt(HDC dc, int x, int y, int opacity)
{
    TRACE_SCOPE(kModule, 2);
    if (!g_imagesEnabled || !IsLoaded()) return 0;
    return DrawPixels(dc, x, y, (const uint32_t*)dib_.GetBits(), dib_.GetWidth(), dib_.GetHeight(),
                      OpacityFromPercent(opacity));
}

int AIResourceImage::DrawSized(HDC dc, int x, int y, int width, int height, int opacity)
{
    TRACE_SCOPE(kModule, 3);
    if (!g_imagesEnabled || !IsLoaded() || width <= 0 || height <= 0) return 0;
    if (width == dib_.GetWidth() && height == dib_.GetHeight()) return DrawAt(dc, x, y, opacity);
    if ((int64_t)width * height > 100000000) return 0;
    uint32_t* scaled = (uint32_t*)malloc((size_t)width * height * 4);
    if (!scaled) return 0;
    GdiFlush();
    ScalePixelsBox((const uint32_t*)dib_.GetBits(), dib_.GetWidth(), dib_.GetHeight(), dib_.GetStride() / 4, scaled,
                   width, height, width);
    int drawn = DrawPixels(dc, x, y, scaled, width, height, OpacityFromPercent(opacity));
    free(scaled);
    return drawn;
}

int AIResourceImage::DrawStretched(HDC dc, const RECT& dest)
{
    return DrawSized(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, 100);
}

int AIResourceImage::DrawGreyed(HDC dc, int x, int y, int opacity)
{
    TRACE_SCOPE(kModule, 4);
    if (!g_imagesEnabled || !IsLoaded()) return 0;
    int width = dib_.GetWidth(), height = dib_.GetHeight();
    uint32_t* grey = (uint32_t*)malloc((size_t)width * height * 4);
    if (!grey) return 0;
    GdiFlush();
    const uint32_t* bits = (const uint32_t*)dib_.GetBits();
    for (size_t i = 0; i < (size_t)width * height; i++) {
        uint32_t value = PixelGrey(bits[i]);
        grey[i] = (bits[i] & 0xFF000000u) | (value << 16) | (value << 8) | value;
    }
    int drawn = DrawPixels(dc, x, y, grey, width, height, OpacityFromPercent(opacity));
    free(grey);
    return drawn;
}

int AIResourceImage::DrawGreyedA(HDC dc, int x, int y) { return DrawGreyed(dc, x, y, 100); }
int AIResourceImage::DrawGreyedB(HDC dc, int x, int y) { return DrawGreyed(dc, x, y, 60); }
int AIResourceImage::DrawGreyedC(HDC dc, int x, int y) { return DrawGreyed(dc, x, y, 30); }
