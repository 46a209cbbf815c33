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

}  // namespace
