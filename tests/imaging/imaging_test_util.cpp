#include "tests/imaging/imaging_test_util.h"

#include <stdlib.h>
#include <string.h>

namespace {

void Put16(Bytes* b, uint32_t v) {
  b->push_back(uint8_t(v));
  b->push_back(uint8_t(v >> 8));
}
void Put32(Bytes* b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

}  // namespace

Rgb PatternColour(int x, int y) {
  if (y < 4) return x < 6 ? Rgb{255, 0, 0} : Rgb{0, 255, 0};
  return x < 6 ? Rgb{0, 0, 255} : Rgb{255, 255, 255};
}

void MakePattern(AIImage* image) {
  image->Create(12, 8, 24);
  for (int y = 0; y < 8; ++y) {
    uint8_t* row = image->GetBits() + (7 - y) * image->GetStride();
    for (int x = 0; x < 12; ++x) {
      Rgb c = PatternColour(x, y);
      row[x * 3] = uint8_t(c.b);
      row[x * 3 + 1] = uint8_t(c.g);
      row[x * 3 + 2] = uint8_t(c.r);
    }
  }
}

Rgb PixelAt(const AIImage& image, int x, int y) {
  const uint8_t* row = image.GetBits() + uint64_t(image.GetHeight() - 1 - y) * image.GetStride();
  if (image.GetBpp() == 8) {
    RGBQUAD q = image.GetPalette()[row[x]];
    return Rgb{q.rgbRed, q.rgbGreen, q.rgbBlue};
  }
  return Rgb{row[x * 3 + 2], row[x * 3 + 1], row[x * 3]};
}

bool Near(Rgb a, Rgb b, int tolerance) {
  return abs(a.r - b.r) <= tolerance && abs(a.g - b.g) <= tolerance && abs(a.b - b.b) <= tolerance;
}

bool QuadrantsAre(const AIImage& image, Rgb topLeft, Rgb topRight, Rgb bottomLeft, Rgb bottomRight, int tolerance) {
  int w = image.GetWidth(), h = image.GetHeight();
  return Near(PixelAt(image, w / 4, h / 4), topLeft, tolerance) &&
         Near(PixelAt(image, w * 3 / 4, h / 4), topRight, tolerance) &&
         Near(PixelAt(image, w / 4, h * 3 / 4), bottomLeft, tolerance) &&
         Near(PixelAt(image, w * 3 / 4, h * 3 / 4), bottomRight, tolerance);
}

std::vector<WCHAR> TempPath(const char* name) {
  WCHAR folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  std::vector<WCHAR> path(folder, folder + lstrlenW(folder));
  const char* prefix = "tavik_imaging_";
  for (const char* p = prefix; *p; ++p) path.push_back(WCHAR(*p));
  for (const char* p = name; *p; ++p) path.push_back(WCHAR(*p));
  path.push_back(0);
  return path;
}

Bytes ReadWholeFile(const WCHAR* path) {
  Bytes bytes;
  HANDLE f = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  DWORD size = GetFileSize(f, nullptr), got = 0;
  bytes.resize(size);
  if (size) ReadFile(f, bytes.data(), size, &got, nullptr);
  bytes.resize(got);
  CloseHandle(f);
  return bytes;
}

bool WriteWholeFile(const WCHAR* path, const Bytes& bytes) {
  HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  bool ok = WriteFile(f, bytes.data(), DWORD(bytes.size()), &wrote, nullptr) && wrote == bytes.size();
  CloseHandle(f);
  return ok;
}

Bytes ReadDataFile(const char* name) {
  // The data folder is a Unix path; Wine shows the root as drive Z:.
  const char* folder = getenv("TAVIK_TEST_DATA");
  std::string unixPath = std::string(folder ? folder : ".") + "/data/" + name;
  std::vector<WCHAR> path = {L'Z', L':'};
  for (char c : unixPath) path.push_back(c == '/' ? L'\\' : WCHAR(c));
  path.push_back(0);
  return ReadWholeFile(path.data());
}

Bytes MakeWbmp(int width, int height) {
  Bytes b = {0, 0};
  auto multiByte = [&](int v) {
    if (v >= 128) b.push_back(uint8_t(0x80 | (v >> 7)));
    b.push_back(uint8_t(v & 0x7F));
  };
  multiByte(width);
  multiByte(height);
  for (int y = 0; y < height; ++y) {
    for (int byte = 0; byte < (width + 7) / 8; ++byte) {
      uint8_t v = 0;
      for (int bit = 0; bit < 8; ++bit) {
        int x = byte * 8 + bit;
        if (x < width && (x + y) % 2 == 0) v |= uint8_t(0x80 >> bit);
      }
      b.push_back(v);
    }
  }
  return b;
}

Bytes MakeTgaColourMapped() {
  Bytes b = {0, 1, 1};  // no id, colour map, type 1
  Put16(&b, 0);         // first entry
  Put16(&b, 2);         // entries
  b.push_back(24);
  Put16(&b, 0);
  Put16(&b, 0);
  Put16(&b, 4);
  Put16(&b, 2);
  b.push_back(8);
  b.push_back(0);  // bottom-up
  const uint8_t map[] = {0, 0, 255, 255, 0, 0};  // entry 0 red, entry 1 blue (BGR)
  b.insert(b.end(), map, map + 6);
  const uint8_t rows[] = {1, 1, 1, 1, 0, 0, 0, 0};  // bottom row blue, top row red
  b.insert(b.end(), rows, rows + 8);
  return b;
}

Bytes MakeWmf() {
  Bytes records;
  auto record = [&](uint16_t function, std::vector<uint16_t> params) {
    Put32(&records, uint32_t(3 + params.size()));
    Put16(&records, function);
    for (uint16_t p : params) Put16(&records, p);
  };
  record(0x0103, {8});                   // SetMapMode MM_ANISOTROPIC
  record(0x020B, {0, 0});                // SetWindowOrg
  record(0x020C, {50, 100});             // SetWindowExt y, x
  record(0x02FC, {0, 0x00FF, 0x0000, 0});  // CreateBrushIndirect solid red
  record(0x012D, {0});                   // SelectObject
  record(0x041B, {51, 51, 0, 0});        // Rectangle bottom, right, top, left
  record(0x0000, {});                    // end
  Bytes b;
  Put32(&b, 0x9AC6CDD7u);
  Put16(&b, 0);
  Put16(&b, 0);
  Put16(&b, 0);
  Put16(&b, 100);
  Put16(&b, 50);
  Put16(&b, 96);  // units per inch
  Put32(&b, 0);
  uint16_t sum = 0;
  for (int i = 0; i < 10; ++i) sum ^= uint16_t(b[i * 2] | (b[i * 2 + 1] << 8));
  Put16(&b, sum);
  uint32_t words = uint32_t(9 + records.size() / 2);
  Put16(&b, 1);
  Put16(&b, 9);
  Put16(&b, 0x0300);
  Put32(&b, words);
  Put16(&b, 1);
  Put32(&b, 7);
  Put16(&b, 0);
  b.insert(b.end(), records.begin(), records.end());
  return b;
}

Bytes MakePcx8() {
  Bytes b(128, 0);
  b[0] = 10;
  b[1] = 5;
  b[2] = 1;
  b[3] = 8;
  b[8] = 3;   // xMax
  b[10] = 1;  // yMax
  b[65] = 1;  // planes
  b[66] = 4;  // bytes per line
  // Row 0: a run of four index 7; row 1: literal 1, 2, then a run of two 0xC5.
  const uint8_t data[] = {0xC4, 7, 1, 2, 0xC2, 0xC5};
  b.insert(b.end(), data, data + sizeof(data));
  b.push_back(0x0C);
  for (int i = 0; i < 256; ++i) {
    b.push_back(uint8_t(i));
    b.push_back(uint8_t(255 - i));
    b.push_back(uint8_t(i / 2));
  }
  return b;
}

Bytes MakeIcoWithPng(const Bytes& png) {
  Bytes b;
  Put16(&b, 0);
  Put16(&b, 1);
  Put16(&b, 1);
  b.push_back(12);
  b.push_back(8);
  b.push_back(0);
  b.push_back(0);
  Put16(&b, 1);
  Put16(&b, 32);
  Put32(&b, uint32_t(png.size()));
  Put32(&b, 22);
  b.insert(b.end(), png.begin(), png.end());
  return b;
}

Bytes InsertExifOrientation(const Bytes& jpeg, int orientation) {
  Bytes app1 = {0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1,
                0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, uint8_t(orientation), 0, 0, 0, 0, 0, 0};
  uint16_t length = uint16_t(app1.size() - 2);
  app1[2] = uint8_t(length >> 8);
  app1[3] = uint8_t(length);
  Bytes out(jpeg.begin(), jpeg.begin() + 2);
  out.insert(out.end(), app1.begin(), app1.end());
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

Bytes Encode(AIImage* image, int type) {
  uint8_t* buffer = nullptr;
  uint32_t size = 0;
  Bytes bytes;
  if (image->EncodeToMemory(&buffer, &size, type)) bytes.assign(buffer, buffer + size);
  AIImage::FreeMemory(buffer);
  return bytes;
}
