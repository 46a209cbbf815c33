// libFuzzer target for one decoder, chosen when compiling with
// -DFUZZ_FORMAT=<type code> (0 fuzzes the clipboard's packed DIB reader).
// A decode must either succeed with consistent pixels or fail with a reason;
// the size read from the header alone never differs from a PNG's or BMP's
// decoded size.
#include <stdint.h>
#include <stdlib.h>

#include "imaging/image_codecs.h"
#include "imaging/image_ops.h"

#ifndef FUZZ_FORMAT
#error "FUZZ_FORMAT must name the decoder"
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ImageSize declared;
  MemoryStream memory;
  ByteStream stream;
  MemoryStreamOpenRead(&memory, data, size, &stream);
  int32_t known = ReadImageSize(&stream, &declared);
  if (known && (declared.width == 0 || declared.height == 0)) abort();
  ImagePixels image;
  ImageError error;
  int32_t ok = FUZZ_FORMAT == 0 ? DecodePackedDib(data, size, &image, &error)
                                : DecodeImageBytes(data, size, FUZZ_FORMAT, 0, 0, &image, &error);
  if (!ok) {
    if (!error.text[0] || image.dib) abort();
    return 0;
  }
  if (FUZZ_FORMAT == kFormatWmf) return 0;  // only the header is checked off Windows
  const bool sameSize = FUZZ_FORMAT == kFormatPng || FUZZ_FORMAT == kFormatBmp;
  if (sameSize && known && declared.format == FUZZ_FORMAT &&
      (declared.width != uint32_t(image.width) || declared.height != uint32_t(image.height)))
    abort();
  if (!image.dib || image.width <= 0 || image.height <= 0 ||
      image.dibSize < uint64_t(image.stride) * uint64_t(image.height))
    abort();
  // Read every pixel (so the sanitizers see a short buffer) and run the
  // operations the program applies to loaded pictures.
  uint32_t sum = 0;
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = PixelsRowFromTop(image, y);
    sum += row[0] + row[image.stride - 1];
  }
  if (image.alpha) sum += image.alpha[uint64_t(image.width) * image.height - 1];
  ImagePixels thumb;
  if (uint64_t(image.width) * image.height <= 4000000) {
    PaletteEntry canvas = {1, 2, 3, 0};
    if (!PixelsThumbnail(image, 64, 48, canvas, &thumb, &error)) abort();
    if (!PixelsTurn(image, kTurnRight, &image, &error)) abort();
  }
  PixelsFree(&thumb);
  PixelsFree(&image);
  return int(sum & 0);
}
