// Damaged and hostile files of every type: each load either succeeds or
// fails with a reason, never crashes, and sizes above the cap are refused
// before anything large is allocated.
#include <string.h>

#include "foundation/win.h"
#include <psapi.h>

#include "tests/support/gtest.h"
#include "tests/imaging/imaging_test_util.h"

namespace {

struct Sample {
  const char* name;
  int type;
  Bytes bytes;
};

std::vector<Sample> ValidSamples() {
  AIImage pattern;
  MakePattern(&pattern);
  std::vector<Sample> samples = {
      {"bmp", kImageBmp, Encode(&pattern, kImageBmp)},   {"jpg", kImageJpg, Encode(&pattern, kImageJpg)},
      {"png", kImagePng, Encode(&pattern, kImagePng)},   {"gif", kImageGif, ReadDataFile("pattern.gif")},
      {"ico", kImageIco, ReadDataFile("pattern.ico")},   {"tif", kImageTif, ReadDataFile("pages.tif")},
      {"tga", kImageTga, ReadDataFile("pattern.tga")},   {"pcx", kImagePcx, ReadDataFile("pattern.pcx")},
      {"wbmp", kImageWbmp, MakeWbmp(20, 9)},             {"wmf", kImageWmf, MakeWmf()},
  };
  pattern.Greyscale();
  samples.push_back({"bmp-8", kImageBmp, Encode(&pattern, kImageBmp)});
  samples.push_back({"tga-mapped", kImageTga, MakeTgaColourMapped()});
  samples.push_back({"pcx-8", kImagePcx, MakePcx8()});
  return samples;
}

// A load that fails must say why and leave the image as it was.
void ExpectSafeLoad(const Sample& s, const Bytes& bytes, int type, const char* what) {
  AIImage image;
  MakePattern(&image);
  if (!image.LoadFromMemory(bytes.data(), uint32_t(bytes.size()), type)) {
    EXPECT_STRNE("", image.GetErrorText()) << s.name << " " << what;
    EXPECT_EQ(12, image.GetWidth()) << s.name << " " << what;
  } else {
    EXPECT_GT(image.GetWidth(), 0);
    EXPECT_GE(image.GetSize(), uint32_t(image.GetStride() * image.GetHeight()));
  }
}

TEST(HostileInput, EverySampleLoadsWhole) {
  for (const Sample& s : ValidSamples()) {
    ASSERT_FALSE(s.bytes.empty()) << s.name;
    AIImage image;
    EXPECT_TRUE(image.LoadFromMemory(s.bytes.data(), uint32_t(s.bytes.size()), s.type))
        << s.name << ": " << image.GetErrorText();
  }
}

TEST(HostileInput, TruncatedFilesFailWithAReason) {
  for (const Sample& s : ValidSamples()) {
    for (size_t length = 1; length < s.bytes.size(); ++length) {
      Bytes cut(s.bytes.begin(), s.bytes.begin() + length);
      ExpectSafeLoad(s, cut, s.type, "truncated");
      ExpectSafeLoad(s, cut, kImageDetect, "truncated, detected");
    }
    // Every cut that loses picture data fails. GIF's last two bytes (block
    // end and trailer) and the last 64 bytes of the shipped TIFF (white point
    // and primaries, which the picture does not need) carry no pixels.
    size_t spare = s.type == kImageGif ? 2 : s.type == kImageTif ? 64 : 0;
    for (size_t length = 1; length + spare < s.bytes.size(); ++length) {
      AIImage image;
      EXPECT_FALSE(image.LoadFromMemory(s.bytes.data(), uint32_t(length), s.type)) << s.name << " cut at " << length;
    }
  }
}

TEST(HostileInput, RandomlyDamagedFilesNeverCrash) {
  uint32_t seed = 12345;
  auto next = [&]() {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  };
  for (const Sample& s : ValidSamples()) {
    for (int round = 0; round < 300; ++round) {
      Bytes damaged = s.bytes;
      int changes = 1 + int(next() % 6);
      for (int i = 0; i < changes; ++i) {
        size_t at = next() % damaged.size();
        switch (next() % 3) {
          case 0: damaged[at] = uint8_t(next()); break;
          case 1: damaged[at] ^= uint8_t(1u << (next() % 8)); break;
          case 2: damaged[at] = (next() & 1) ? 0xFF : 0x00; break;
        }
      }
      ExpectSafeLoad(s, damaged, s.type, "damaged");
    }
  }
}

void Put32(Bytes* b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*b)[at + i] = uint8_t(v >> (8 * i));
}
void Put16(Bytes* b, size_t at, uint32_t v) {
  (*b)[at] = uint8_t(v);
  (*b)[at + 1] = uint8_t(v >> 8);
}

TEST(HostileInput, HugeDimensionsAreRefusedBeforeAllocating) {
  std::vector<Sample> samples = ValidSamples();
  auto find = [&](const char* name) -> Bytes {
    for (const Sample& s : samples)
      if (strcmp(s.name, name) == 0) return s.bytes;
    return Bytes();
  };
  struct Case {
    int type;
    Bytes bytes;
  };
  std::vector<Case> cases;
  Bytes bmp = find("bmp");
  Put32(&bmp, 18, 200000);
  Put32(&bmp, 22, 200000);
  cases.push_back({kImageBmp, bmp});
  Bytes gif = find("gif");
  Put16(&gif, 6, 65535);
  Put16(&gif, 8, 65535);
  cases.push_back({kImageGif, gif});
  Bytes tga = find("tga");
  Put16(&tga, 12, 65535);
  Put16(&tga, 14, 65535);
  cases.push_back({kImageTga, tga});
  Bytes pcx = find("pcx");
  Put16(&pcx, 8, 65535);
  Put16(&pcx, 10, 65535);
  Put16(&pcx, 66, 65535);
  cases.push_back({kImagePcx, pcx});
  Bytes wbmp = {0, 0, 0x8F, 0xFF, 0x7F, 0x8F, 0xFF, 0x7F, 0};  // 262143 x 262143
  cases.push_back({kImageWbmp, wbmp});
  Bytes png = find("png");  // IHDR width and height are big-endian at 16 and 20
  for (int i = 0; i < 8; ++i) png[16 + i] = i % 4 == 1 ? 0x7F : 0;
  cases.push_back({kImagePng, png});
  Bytes jpg = find("jpg");
  for (size_t i = 2; i + 9 < jpg.size(); ++i) {
    if (jpg[i] == 0xFF && jpg[i + 1] == 0xC0) {  // SOF0: height and width
      jpg[i + 5] = jpg[i + 7] = 0xFF;
      jpg[i + 6] = jpg[i + 8] = 0xF0;
      break;
    }
  }
  cases.push_back({kImageJpg, jpg});
  for (const Case& c : cases) {
    AIImage image;
    EXPECT_FALSE(image.LoadFromMemory(c.bytes.data(), uint32_t(c.bytes.size()), c.type)) << c.type;
    EXPECT_STRNE("", image.GetErrorText()) << c.type;
  }
}

// 16-bit colour-map indices reach far past a map of at most 256 entries:
// such a pixel takes the first colour, and nothing beyond the map is read.
TEST(HostileInput, ColourMappedTgaIndexBeyondItsMapTakesTheFirstColour) {
  const uint16_t indices[] = {0, 1, 255, 256, 300, 4096, 65535};
  const int width = sizeof indices / sizeof indices[0];
  Bytes tga = {0, 1, 1, 0, 0, 2, 0, 24, 0, 0, 0, 0, uint8_t(width), 0, 1, 0, 16, 0x20};  // top-down
  const uint8_t map[] = {0, 0, 255, 255, 0, 0};  // entry 0 red, entry 1 blue (BGR)
  tga.insert(tga.end(), map, map + sizeof map);
  for (uint16_t index : indices) {
    tga.push_back(uint8_t(index));
    tga.push_back(uint8_t(index >> 8));
  }
  AIImage image;
  ASSERT_TRUE(image.LoadFromMemory(tga.data(), uint32_t(tga.size()), kImageTga)) << image.GetErrorText();
  ASSERT_EQ(width, image.GetWidth());
  const Rgb red = {255, 0, 0}, blue = {0, 0, 255}, black = {0, 0, 0};
  EXPECT_TRUE(Near(PixelAt(image, 0, 0), red, 0));
  EXPECT_TRUE(Near(PixelAt(image, 1, 0), blue, 0));
  EXPECT_TRUE(Near(PixelAt(image, 2, 0), black, 0));  // inside the 256, but no colour given
  for (int x = 3; x < width; ++x) EXPECT_TRUE(Near(PixelAt(image, x, 0), red, 0)) << indices[x];
}

TEST(HostileInput, ClipboardDibWithAFalseHeaderIsRefused) {
  AIImage pattern;
  MakePattern(&pattern);
  HGLOBAL block = pattern.ToClipboardDib();
  ASSERT_NE(nullptr, block);
  SIZE_T size = GlobalSize(block);
  Bytes dib(size);
  memcpy(dib.data(), GlobalLock(block), size);
  GlobalUnlock(block);
  GlobalFree(block);

  AIImage image;
  ASSERT_TRUE(image.FromClipboardDib(dib.data(), uint32_t(dib.size()))) << image.GetErrorText();
  EXPECT_TRUE(QuadrantsAre(image, PatternColour(0, 0), PatternColour(11, 0), PatternColour(0, 7),
                           PatternColour(11, 7), 0));

  // A 24-bit DIB may carry a colour table (biClrUsed entries) before its rows.
  Bytes withTable(dib.begin(), dib.begin() + 40);
  Put32(&withTable, 32, 2);
  withTable.insert(withTable.end(), 8, 0x5A);
  withTable.insert(withTable.end(), dib.begin() + 40, dib.end());
  ASSERT_TRUE(image.FromClipboardDib(withTable.data(), uint32_t(withTable.size()))) << image.GetErrorText();
  EXPECT_TRUE(QuadrantsAre(image, PatternColour(0, 0), PatternColour(11, 0), PatternColour(0, 7),
                           PatternColour(11, 7), 0));

  Bytes falseSize = dib;
  Put32(&falseSize, 0, uint32_t(dib.size() + 100));  // header larger than the block
  EXPECT_FALSE(image.FromClipboardDib(falseSize.data(), uint32_t(falseSize.size())));
  EXPECT_STRNE("", image.GetErrorText());
  EXPECT_EQ(12, image.GetWidth());  // the earlier picture stays

  Bytes tallRows = dib;
  Put32(&tallRows, 8, 5000);  // more rows than the block holds
  EXPECT_FALSE(image.FromClipboardDib(tallRows.data(), uint32_t(tallRows.size())));
  Bytes shortBlock(dib.begin(), dib.begin() + 30);
  EXPECT_FALSE(image.FromClipboardDib(shortBlock.data(), uint32_t(shortBlock.size())));
  Bytes manyColours = dib;
  Put16(&manyColours, 14, 8);
  Put32(&manyColours, 32, 256);  // a palette that is not in the block
  Bytes cut(manyColours.begin(), manyColours.begin() + 40 + 100);
  EXPECT_FALSE(image.FromClipboardDib(cut.data(), uint32_t(cut.size())));
}

}  // namespace

namespace {

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void AppendBigEndian(Bytes* out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(uint8_t(value >> shift));
}

}  // namespace

// A chunk that declares far more bytes than the file holds is refused
// before libpng allocates its declared length (found by the PNG fuzzer).
TEST(HostileInput, PngChunkLengthBeyondTheFileIsRefusedWithoutAllocating) {
  Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  const uint8_t ihdr[] = {'I', 'H', 'D', 'R', 0, 0, 0, 12, 0, 0, 0, 8, 8, 2, 0, 0, 0};
  AppendBigEndian(&png, 13);
  png.insert(png.end(), ihdr, ihdr + sizeof ihdr);
  AppendBigEndian(&png, Crc32(ihdr, sizeof ihdr));
  AppendBigEndian(&png, 0x70000025u);  // tEXt of 1.8 GB
  const char text[] = "tEXtComment";
  png.insert(png.end(), text, text + sizeof text - 1);
  for (int i = 0; i < 64; ++i) png.push_back(0xAF);

  PROCESS_MEMORY_COUNTERS after = {};
  after.cb = sizeof after;
  AIImage image;
  EXPECT_FALSE(image.LoadFromMemory(png.data(), uint32_t(png.size()), kImagePng));
  EXPECT_STRNE("", image.GetErrorText());
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
  EXPECT_LT(after.PeakWorkingSetSize, size_t(1) << 30);
}
