#include "imaging/wmf_render.h"

#include <string.h>

#include "foundation/win.h"
#include "imaging/image_codecs.h"

int32_t RenderWmf(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error) {
  PixelsFree(image);
  WmfInfo info;
  if (!ParseWmfHeader(data, size, &info, error)) return 0;
  METAFILEPICT picture = {};
  picture.mm = MM_ANISOTROPIC;
  picture.xExt = info.width * 2540 / 96;  // HIMETRIC
  picture.yExt = info.height * 2540 / 96;
  HENHMETAFILE metafile = SetWinMetaFileBits(UINT(info.bitsSize), data + info.bitsOffset, nullptr, &picture);
  if (!metafile) return SetImageError(error, "Metafile could not be read");
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = info.width;
  bmi.bmiHeader.biHeight = info.height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = dc ? CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  int32_t ok = 0;
  if (!bitmap) {
    SetImageError(error, "Out of memory for the metafile picture");
  } else if (PixelsCreate(image, info.width, info.height, 24, error)) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT area = {0, 0, info.width, info.height};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PlayEnhMetaFile(dc, metafile, &area);
    GdiFlush();
    memcpy(PixelsBits(*image), bits, uint64_t(image->stride) * uint64_t(image->height));
    SelectObject(dc, old);
    ok = 1;
  }
  if (bitmap) DeleteObject(bitmap);
  if (dc) DeleteDC(dc);
  DeleteEnhMetaFile(metafile);
  return ok;
}
