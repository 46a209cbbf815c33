// Checks a Windows metafile's headers and works out its picture size; the
// drawing itself goes through GDI on the Win32 side.
#include "imaging/byte_reader.h"
#include "imaging/image_codecs.h"

namespace {

const int32_t kMaxMetafileSide = 8192;
const uint16_t kSetWindowExt = 0x020C;

int32_t ClampSide(int64_t v) {
  if (v < 0) v = -v;
  if (v > kMaxMetafileSide) v = kMaxMetafileSide;
  return int32_t(v);
}

}  // namespace

int32_t ParseWmfHeader(const uint8_t* data, uint64_t size, WmfInfo* info, ImageError* error) {
  *info = WmfInfo();
  ByteReader in(data, size);
  if (size >= 22 && in.U32LE() == 0x9AC6CDD7u) {
    in.U16LE();
    int16_t left = int16_t(in.U16LE()), top = int16_t(in.U16LE());
    int16_t right = int16_t(in.U16LE()), bottom = int16_t(in.U16LE());
    uint16_t inch = in.U16LE();
    in.U32LE();
    uint16_t checksum = in.U16LE();
    uint16_t sum = 0;
    for (int32_t i = 0; i < 10; ++i) sum ^= uint16_t(data[i * 2] | (data[i * 2 + 1] << 8));
    if (sum != checksum) return SetImageError(error, "Metafile header is damaged");
    if (inch == 0) return SetImageError(error, "Metafile header is damaged");
    info->placeable = 1;
    info->width = ClampSide((int64_t(right) - left) * 96 / inch);
    info->height = ClampSide((int64_t(bottom) - top) * 96 / inch);
    info->bitsOffset = 22;
  } else {
    in.Seek(0);
  }
  uint64_t start = in.pos;
  uint16_t type = in.U16LE(), headerWords = in.U16LE(), version = in.U16LE();
  uint32_t words = in.U32LE();
  in.Skip(8);
  if (in.failed || (type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300))
    return SetImageError(error, "Not a Windows metafile");
  uint64_t declared = uint64_t(words) * 2;
  if (declared < 18 || declared > size - start) return SetImageError(error, "Metafile is truncated");
  info->bitsSize = declared;
  // Walk the records: each must fit; the window extent gives the size when
  // there is no placeable header.
  uint64_t end = start + declared;
  bool sawEnd = false;
  while (in.pos + 6 <= end) {
    uint64_t recordStart = in.pos;
    uint32_t recordWords = in.U32LE();
    uint16_t function = in.U16LE();
    if (recordWords < 3 || uint64_t(recordWords) * 2 > end - recordStart)
      return SetImageError(error, "Metafile record is damaged");
    if (function == 0) {
      sawEnd = true;
      break;
    }
    if (function == kSetWindowExt && recordWords >= 5 && !info->placeable) {
      int16_t y = int16_t(in.U16LE()), x = int16_t(in.U16LE());
      info->width = ClampSide(x);
      info->height = ClampSide(y);
    }
    in.Seek(recordStart + uint64_t(recordWords) * 2);
  }
  if (!sawEnd) return SetImageError(error, "Metafile is truncated");
  if (info->width == 0 || info->height == 0) return SetImageError(error, "Metafile has no size");
  return 1;
}
