// Loading each of the ten formats, saving the savable ones, and the JPEG
// specials (EXIF orientation, reduced-scale decode).
#include "tests/support/gtest.h"
#include "tests/imaging/imaging_test_util.h"

namespace {

const Rgb kRed = {255, 0, 0}, kGreen = {0, 255, 0}, kBlue = {0, 0, 255}, kWhite = {255, 255, 255};

bool IsPattern(const AIImage& image, int tolerance) {
  return image.GetWidth() == 12 && image.GetHeight() == 8 && QuadrantsAre(image, kRed, kGreen, kBlue, kWhite, tolerance);
}

TEST(ImageLoad, ShippedFilesOfEachTypeLoadWithDetection) {
  struct Case {
    const char* name;
    int type;
  } cases[] = {{"pattern.gif", kImageGif}, {"pattern_interlaced.gif", kImageGif}, {"pattern.ico", kImageIco},
               {"pattern.pcx", kImagePcx}, {"pages.tif", kImageTif}};
  for (const Case& c : cases) {
    Bytes bytes = ReadDataFile(c.name);
    ASSERT_FALSE(bytes.empty()) << c.name;
    AIImage image;
    ASSERT_TRUE(image.LoadFromMemory(bytes.data(), uint32_t(bytes.size()), kImageDetect)) << c.name << ": "
                                                                                           << image.GetErrorText();
    EXPECT_EQ(c.type, image.GetType()) << c.name;
    EXPECT_TRUE(IsPattern(image, 0)) << c.name;
  }
}

TEST(ImageLoad, TgaIsDetectedOnlyByItsExtension) {
  Bytes bytes = ReadDataFile("pattern.tga");
  AIImage image;
  EXPECT_FALSE(image.LoadFromMemory(bytes.data(), uint32_t(bytes.size()), kImageDetect));
  EXPECT_STRNE("", image.GetErrorText());
  std::vector<WCHAR> path = TempPath("pattern.TGA");
  ASSERT_TRUE(WriteWholeFile(path.data(), bytes));
  ASSERT_TRUE(image.Load(path.data(), kImageDetect)) << image.GetErrorText();
  EXPECT_EQ(kImageTga, image.GetType());
  EXPECT_TRUE(IsPattern(image, 0));
  DeleteFileW(path.data());

  Bytes mapped = MakeTgaColourMapped();
  ASSERT_TRUE(image.LoadFromMemory(mapped.data(), uint32_t(mapped.size()), kImageTga)) << image.GetErrorText();
  EXPECT_TRUE(Near(PixelAt(image, 0, 0), kRed, 0));
  EXPECT_TRUE(Near(PixelAt(image, 3, 1), kBlue, 0));
}

TEST(ImageLoad, MissingEmptyAndUnknownFilesFailWithAReason) {
  AIImage image;
  MakePattern(&image);
  std::vector<WCHAR> missing = TempPath("missing.png");
  EXPECT_FALSE(image.Load(missing.data(), kImageDetect));
  EXPECT_STRNE("", image.GetErrorText());
  std::vector<WCHAR> empty = TempPath("empty.png");
  ASSERT_TRUE(WriteWholeFile(empty.data(), Bytes()));
  EXPECT_FALSE(image.Load(empty.data(), kImageDetect));
  EXPECT_STRNE("", image.GetErrorText());
  Bytes text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
  ASSERT_TRUE(WriteWholeFile(empty.data(), text));
  EXPECT_FALSE(image.Load(empty.data(), kImageDetect));
  EXPECT_STREQ("Unknown image format", image.GetErrorText());
  EXPECT_FALSE(image.Load(empty.data(), 11));
  DeleteFileW(empty.data());
  EXPECT_EQ(12, image.GetWidth());  // failed loads keep the picture
}

TEST(ImageLoad, TiffPagesBecomeFrames) {
  Bytes bytes = ReadDataFile("pages.tif");
  AIImage image;
  ASSERT_TRUE(image.LoadFromMemory(bytes.data(), uint32_t(bytes.size()), kImageTif));
  ASSERT_EQ(2, image.GetFrameCount());
  AIImage* second = image.GetFrame(1);
  ASSERT_NE(nullptr, second);
  EXPECT_EQ(8, second->GetWidth());
  EXPECT_EQ(12, second->GetHeight());
  EXPECT_TRUE(QuadrantsAre(*second, kBlue, kRed, kWhite, kGreen, 0));  // the pattern turned right
  image.DestroyFrames();
  EXPECT_EQ(1, image.GetFrameCount());
  EXPECT_EQ(nullptr, image.GetFrame(1));
}

TEST(ImageLoad, HandMadeWbmpPcxWmfAndPngIcon) {
  AIImage image;
  Bytes wbmp = MakeWbmp(130, 3);  // a width that needs a two-byte number
  ASSERT_TRUE(image.LoadFromMemory(wbmp.data(), uint32_t(wbmp.size()), kImageDetect)) << image.GetErrorText();
  EXPECT_EQ(kImageWbmp, image.GetType());
  EXPECT_EQ(130, image.GetWidth());
  EXPECT_TRUE(Near(PixelAt(image, 0, 0), kWhite, 0));
  EXPECT_TRUE(Near(PixelAt(image, 129, 0), Rgb{0, 0, 0}, 0));
  EXPECT_TRUE(Near(PixelAt(image, 129, 1), kWhite, 0));

  Bytes pcx = MakePcx8();
  ASSERT_TRUE(image.LoadFromMemory(pcx.data(), uint32_t(pcx.size()), kImageDetect)) << image.GetErrorText();
  EXPECT_EQ(kImagePcx, image.GetType());
  EXPECT_TRUE(Near(PixelAt(image, 3, 0), Rgb{7, 248, 3}, 0));
  EXPECT_TRUE(Near(PixelAt(image, 1, 1), Rgb{2, 253, 1}, 0));
  EXPECT_TRUE(Near(PixelAt(image, 3, 1), Rgb{0xC5, 255 - 0xC5, 0xC5 / 2}, 0));

  Bytes wmf = MakeWmf();
  ASSERT_TRUE(image.LoadFromMemory(wmf.data(), uint32_t(wmf.size()), kImageDetect)) << image.GetErrorText();
  EXPECT_EQ(kImageWmf, image.GetType());
  EXPECT_EQ(100, image.GetWidth());
  EXPECT_EQ(50, image.GetHeight());
  EXPECT_TRUE(Near(PixelAt(image, 25, 25), kRed, 0));
  EXPECT_TRUE(Near(PixelAt(image, 75, 25), kWhite, 0));

  AIImage pattern;
  MakePattern(&pattern);
  Bytes ico = MakeIcoWithPng(Encode(&pattern, kImagePng));
  ASSERT_TRUE(image.LoadFromMemory(ico.data(), uint32_t(ico.size()), kImageDetect)) << image.GetErrorText();
  EXPECT_EQ(kImageIco, image.GetType());
  EXPECT_TRUE(IsPattern(image, 0));
}

TEST(ImageSave, RoundTripOfEachSavableTypeThroughFiles) {
  AIImage pattern;
  MakePattern(&pattern);
  const int types[] = {kImageBmp, kImageJpg, kImagePng};
  for (int type : types) {
    std::vector<WCHAR> path = TempPath("roundtrip.img");
    pattern.SetJpegQuality(95);
    ASSERT_TRUE(pattern.Save(path.data(), type)) << type << ": " << pattern.GetErrorText();
    AIImage loaded;
    ASSERT_TRUE(loaded.Load(path.data(), kImageDetect)) << type << ": " << loaded.GetErrorText();
    EXPECT_EQ(type, loaded.GetType());
    EXPECT_TRUE(IsPattern(loaded, type == kImageJpg ? 40 : 0)) << type;
    std::vector<WCHAR> part = TempPath("roundtrip.img.part");
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(part.data()));
    DeleteFileW(path.data());
  }
}

TEST(ImageSave, PaletteGreyAndAlphaImagesKeepTheirPixelsThroughPng) {
  AIImage image;
  MakePattern(&image);
  ASSERT_TRUE(image.Greyscale());
  Bytes grey = Encode(&image, kImagePng);
  AIImage loaded;
  ASSERT_TRUE(loaded.LoadFromMemory(grey.data(), uint32_t(grey.size()), kImagePng));
  EXPECT_EQ(8, loaded.GetBpp());
  EXPECT_TRUE(Near(PixelAt(loaded, 0, 0), PixelAt(image, 0, 0), 0));

  Bytes gif = ReadDataFile("pattern.gif");  // a colour palette
  ASSERT_TRUE(image.LoadFromMemory(gif.data(), uint32_t(gif.size()), kImageGif));
  Bytes png = Encode(&image, kImagePng);
  ASSERT_TRUE(loaded.LoadFromMemory(png.data(), uint32_t(png.size()), kImageDetect));
  EXPECT_TRUE(IsPattern(loaded, 0));

  MakePattern(&image);
  ASSERT_TRUE(image.AlphaCreate());
  image.GetAlpha()[0] = 7;  // bottom-left pixel
  png = Encode(&image, kImagePng);
  ASSERT_TRUE(loaded.LoadFromMemory(png.data(), uint32_t(png.size()), kImagePng));
  ASSERT_TRUE(loaded.HasAlpha());
  EXPECT_EQ(7, loaded.GetAlpha()[0]);
  EXPECT_EQ(255, loaded.GetAlpha()[1]);
}

TEST(ImageSave, UnsavableTypeFailsAndLeavesTheExistingFile) {
  std::vector<WCHAR> path = TempPath("keep.gif");
  Bytes original = {'k', 'e', 'e', 'p'};
  ASSERT_TRUE(WriteWholeFile(path.data(), original));
  AIImage image;
  MakePattern(&image);
  EXPECT_FALSE(image.Save(path.data(), kImageGif));
  EXPECT_STRNE("", image.GetErrorText());
  EXPECT_EQ(original, ReadWholeFile(path.data()));
  AIImage empty;
  EXPECT_FALSE(empty.Save(path.data(), kImagePng));
  EXPECT_EQ(original, ReadWholeFile(path.data()));
  DeleteFileW(path.data());
  uint8_t* buffer = reinterpret_cast<uint8_t*>(1);
  uint32_t size = 5;
  EXPECT_FALSE(image.EncodeToMemory(&buffer, &size, kImageTif));
  EXPECT_EQ(nullptr, buffer);
  EXPECT_EQ(0u, size);
}

TEST(ImageJpeg, ExifOrientationStandsThePictureUpright) {
  // Store the pattern turned left and tag it "turn right to view" (6).
  AIImage turned;
  MakePattern(&turned);
  ASSERT_TRUE(turned.RotateLeft());
  turned.SetJpegQuality(95);
  Bytes tagged = InsertExifOrientation(Encode(&turned, kImageJpg), 6);
  AIImage image;
  ASSERT_TRUE(image.LoadFromMemory(tagged.data(), uint32_t(tagged.size()), kImageDetect)) << image.GetErrorText();
  EXPECT_TRUE(IsPattern(image, 40));

  Bytes plain = InsertExifOrientation(Encode(&turned, kImageJpg), 1);
  ASSERT_TRUE(image.LoadFromMemory(plain.data(), uint32_t(plain.size()), kImageJpg));
  EXPECT_EQ(8, image.GetWidth());  // 1: as stored

  AIImage pattern;
  MakePattern(&pattern);
  pattern.SetJpegQuality(95);
  Bytes mirrored = InsertExifOrientation(Encode(&pattern, kImageJpg), 2);
  ASSERT_TRUE(image.LoadFromMemory(mirrored.data(), uint32_t(mirrored.size()), kImageJpg));
  EXPECT_TRUE(QuadrantsAre(image, kGreen, kRed, kWhite, kBlue, 40));
}

TEST(ImageJpeg, LoadFitDecodesAtAReducedScaleThatStillCovers) {
  AIImage big;
  ASSERT_TRUE(big.Create(800, 600, 24));
  Bytes jpeg = Encode(&big, kImageJpg);
  AIImage image;
  image.SetLoadFit(100, 100);
  ASSERT_TRUE(image.LoadFromMemory(jpeg.data(), uint32_t(jpeg.size()), kImageJpg));
  EXPECT_EQ(100, image.GetWidth());  // 1/8 still covers 100 x 75
  image.SetLoadFit(300, 300);
  ASSERT_TRUE(image.LoadFromMemory(jpeg.data(), uint32_t(jpeg.size()), kImageJpg));
  EXPECT_EQ(400, image.GetWidth());
  image.SetLoadFit(0, 0);
  ASSERT_TRUE(image.LoadFromMemory(jpeg.data(), uint32_t(jpeg.size()), kImageJpg));
  EXPECT_EQ(800, image.GetWidth());
}

// A PNG many times larger than wanted is read row by row and shrunk by a
// whole factor: every pixel is the rounded average of its block (a partial
// block at the right and bottom edges averages what it holds), alpha too;
// grey stays grey; a small enough picture, or no fit, loads at full size.
TEST(ImagePng, LoadFitAveragesBlocksOfAReducedScaleThatStillCovers) {
  const int width = 257, height = 131;
  for (int kind = 0; kind < 2; ++kind) {
    const bool grey = kind == 1;
    AIImage big;
    ASSERT_TRUE(big.Create(width, height, 24));
    for (int y = 0; y < height; ++y) {
      uint8_t* row = big.GetBits() + uint64_t(y) * big.GetStride();
      for (int x = 0; x < width * 3; ++x) row[x] = uint8_t((x * 37 + y * 101 + (x * y) % 53) & 0xFF);
    }
    if (grey) {
      ASSERT_TRUE(big.Greyscale());
    } else {
      ASSERT_TRUE(big.AlphaCreate());
      for (int i = 0; i < width * height; ++i) big.GetAlpha()[i] = uint8_t((i * 13) & 0xFF);
    }
    Bytes png = Encode(&big, kImagePng);
    AIImage full, reduced;
    ASSERT_TRUE(full.LoadFromMemory(png.data(), uint32_t(png.size()), kImagePng));
    reduced.SetLoadFit(20, 20);  // 257 / 20 = 12 covers the width: 22 x 11
    ASSERT_TRUE(reduced.LoadFromMemory(png.data(), uint32_t(png.size()), kImagePng)) << reduced.GetErrorText();
    const int factor = 12, outWidth = 22, outHeight = 11;
    ASSERT_EQ(outWidth, reduced.GetWidth());
    ASSERT_EQ(outHeight, reduced.GetHeight());
    EXPECT_EQ(full.GetBpp(), reduced.GetBpp());
    ASSERT_EQ(full.HasAlpha(), reduced.HasAlpha());
    for (int oy = 0; oy < outHeight; ++oy)
      for (int ox = 0; ox < outWidth; ++ox) {
        int sum[4] = {}, count = 0;
        for (int y = oy * factor; y < height && y < (oy + 1) * factor; ++y)
          for (int x = ox * factor; x < width && x < (ox + 1) * factor; ++x) {
            Rgb c = PixelAt(full, x, y);
            sum[0] += c.r;
            sum[1] += c.g;
            sum[2] += c.b;
            if (full.HasAlpha()) sum[3] += full.GetAlpha()[(height - 1 - y) * width + x];
            ++count;
          }
        Rgb want = {(sum[0] + count / 2) / count, (sum[1] + count / 2) / count, (sum[2] + count / 2) / count};
        ASSERT_TRUE(Near(want, PixelAt(reduced, ox, oy), 0)) << kind << " at " << ox << "," << oy;
        if (reduced.HasAlpha()) {
          ASSERT_EQ((sum[3] + count / 2) / count, reduced.GetAlpha()[(outHeight - 1 - oy) * outWidth + ox]);
        }
      }
  }
  AIImage image;
  ASSERT_TRUE(image.Create(60, 40, 24));
  Bytes small = Encode(&image, kImagePng);
  image.SetLoadFit(40, 40);  // 60 / 40 is 1: nothing to gain
  ASSERT_TRUE(image.LoadFromMemory(small.data(), uint32_t(small.size()), kImagePng));
  EXPECT_EQ(60, image.GetWidth());
  image.SetLoadFit(0, 0);
  ASSERT_TRUE(image.LoadFromMemory(small.data(), uint32_t(small.size()), kImagePng));
  EXPECT_EQ(60, image.GetWidth());
}

// Wanted as a thumbnail, a PNG file is decoded as it is read from the file:
// the same pixels as from memory; a file cut short fails with its reason and
// keeps the picture held before; other types still load from the file.
TEST(ImagePng, LoadFitFromAFileMatchesMemoryAndACutFileKeepsThePicture) {
  AIImage big;
  ASSERT_TRUE(big.Create(300, 200, 24));
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 900; ++x) big.GetBits()[uint64_t(y) * big.GetStride() + x] = uint8_t(x ^ y);
  Bytes png = Encode(&big, kImagePng);
  std::vector<WCHAR> path = TempPath("fit.png");
  ASSERT_TRUE(WriteWholeFile(path.data(), png));
  AIImage fromFile, fromMemory;
  fromFile.SetLoadFit(50, 50);
  fromMemory.SetLoadFit(50, 50);
  ASSERT_TRUE(fromFile.Load(path.data(), kImageDetect)) << fromFile.GetErrorText();
  ASSERT_TRUE(fromMemory.LoadFromMemory(png.data(), uint32_t(png.size()), kImagePng));
  EXPECT_EQ(50, fromFile.GetWidth());  // 300 / 50 = 6: 50 x 34
  ASSERT_EQ(fromMemory.GetWidth(), fromFile.GetWidth());
  ASSERT_EQ(fromMemory.GetHeight(), fromFile.GetHeight());
  EXPECT_EQ(kImagePng, fromFile.GetType());
  EXPECT_EQ(0, memcmp(fromMemory.GetBits(), fromFile.GetBits(), fromFile.GetStride() * uint32_t(fromFile.GetHeight())));

  ASSERT_TRUE(WriteWholeFile(path.data(), Bytes(png.begin(), png.begin() + long(png.size() / 2))));
  EXPECT_FALSE(fromFile.Load(path.data(), kImageDetect));
  EXPECT_NE('\0', fromFile.GetErrorText()[0]);
  EXPECT_EQ(50, fromFile.GetWidth()) << "the picture held before stays";

  Bytes jpeg = Encode(&big, kImageJpg);
  ASSERT_TRUE(WriteWholeFile(path.data(), jpeg));
  ASSERT_TRUE(fromFile.Load(path.data(), kImageDetect)) << fromFile.GetErrorText();
  EXPECT_EQ(kImageJpg, fromFile.GetType());
  EXPECT_EQ(75, fromFile.GetWidth());  // JPEG's own reduced scale: 1/4 still covers 50
}

}  // namespace
