// Thumbnails, quarter turns, cropping, greyscale, alpha, and conversion to
// and from Windows bitmaps and device contexts.
#include <string.h>

#include "tests/support/gtest.h"
#include "tests/imaging/imaging_test_util.h"
#include "imaging/image_ops.h"

namespace {

const Rgb kRed = {255, 0, 0}, kGreen = {0, 255, 0}, kBlue = {0, 0, 255}, kWhite = {255, 255, 255};

void Fill(AIImage* image, int width, int height, Rgb colour) {
  image->Create(width, height, 24);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = image->GetBits() + y * image->GetStride();
    for (int x = 0; x < width; ++x) {
      row[x * 3] = uint8_t(colour.b);
      row[x * 3 + 1] = uint8_t(colour.g);
      row[x * 3 + 2] = uint8_t(colour.r);
    }
  }
}

TEST(Thumbnail, FitsKeepingTheAspectCentredOnTheCanvas) {
  AIImage wide, thumb;
  Fill(&wide, 400, 100, kRed);
  RGBQUAD canvas = {10, 20, 30, 0};  // blue, green, red
  ASSERT_TRUE(wide.Thumbnail(100, 100, canvas, &thumb));
  EXPECT_EQ(100, thumb.GetWidth());
  EXPECT_EQ(100, thumb.GetHeight());
  EXPECT_EQ(400, wide.GetWidth());  // the source stays
  // The picture is 100 x 25, rows 37 to 61.
  EXPECT_TRUE(Near(PixelAt(thumb, 50, 36), Rgb{30, 20, 10}, 0));
  EXPECT_TRUE(Near(PixelAt(thumb, 50, 37), kRed, 0));
  EXPECT_TRUE(Near(PixelAt(thumb, 0, 61), kRed, 0));
  EXPECT_TRUE(Near(PixelAt(thumb, 99, 62), Rgb{30, 20, 10}, 0));

  AIImage tall;
  Fill(&tall, 30, 300, kBlue);
  ASSERT_TRUE(tall.Thumbnail(100, 50, canvas, nullptr));  // in place: 5 x 50 at column 47
  EXPECT_EQ(100, tall.GetWidth());
  EXPECT_TRUE(Near(PixelAt(tall, 46, 0), Rgb{30, 20, 10}, 0));
  EXPECT_TRUE(Near(PixelAt(tall, 47, 0), kBlue, 0));
  EXPECT_TRUE(Near(PixelAt(tall, 51, 49), kBlue, 0));
  EXPECT_TRUE(Near(PixelAt(tall, 52, 49), Rgb{30, 20, 10}, 0));
}

TEST(Thumbnail, RatiosThatAreNoWholeNumberRoundToTheNearestPixel) {
  struct Case {
    int32_t sourceWidth, sourceHeight, width, height, fitWidth, fitHeight;
  } cases[] = {
      {300, 200, 100, 100, 100, 67},  // 66.7
      {200, 300, 100, 100, 67, 100},
      {299, 200, 100, 100, 100, 67},  // 66.9
      {301, 200, 100, 100, 100, 66},  // 66.4
      {300, 250, 120, 80, 96, 80},    // 96 exactly
      {3000, 1, 100, 100, 100, 1},    // never less than a pixel
  };
  for (const Case& c : cases) {
    int32_t fitWidth = 0, fitHeight = 0;
    ThumbnailFitSize(c.sourceWidth, c.sourceHeight, c.width, c.height, &fitWidth, &fitHeight);
    EXPECT_EQ(c.fitWidth, fitWidth) << c.sourceWidth << "x" << c.sourceHeight;
    EXPECT_EQ(c.fitHeight, fitHeight) << c.sourceWidth << "x" << c.sourceHeight;
  }
  // Drawn: 100 x 67 centred, rows 16 to 82.
  AIImage photo, thumb;
  Fill(&photo, 300, 200, kGreen);
  RGBQUAD canvas = {10, 20, 30, 0};
  ASSERT_TRUE(photo.Thumbnail(100, 100, canvas, &thumb));
  EXPECT_TRUE(Near(PixelAt(thumb, 50, 15), Rgb{30, 20, 10}, 0));
  EXPECT_TRUE(Near(PixelAt(thumb, 50, 16), kGreen, 0));
  EXPECT_TRUE(Near(PixelAt(thumb, 0, 82), kGreen, 0));
  EXPECT_TRUE(Near(PixelAt(thumb, 99, 83), Rgb{30, 20, 10}, 0));
}

TEST(Thumbnail, NeverEnlargesAndAveragesWhenShrinking) {
  AIImage small, thumb;
  MakePattern(&small);
  RGBQUAD canvas = {0, 0, 0, 0};
  ASSERT_TRUE(small.Thumbnail(112, 108, canvas, &thumb));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_TRUE(Near(PixelAt(thumb, 50 + x, 50 + y), PatternColour(x, y), 0));
  EXPECT_TRUE(Near(PixelAt(thumb, 49, 50), Rgb{0, 0, 0}, 0));
  EXPECT_TRUE(Near(PixelAt(thumb, 62, 57), Rgb{0, 0, 0}, 0));

  // Halving a two-colour checkerboard gives the even mix.
  AIImage board;
  Fill(&board, 64, 64, kWhite);
  for (int y = 0; y < 64; ++y)
    for (int x = (y & 1); x < 64; x += 2) memset(board.GetBits() + y * board.GetStride() + x * 3, 0, 3);
  ASSERT_TRUE(board.Thumbnail(32, 32, canvas, &thumb));
  EXPECT_TRUE(Near(PixelAt(thumb, 10, 10), Rgb{128, 128, 128}, 1));

  AIImage empty;
  EXPECT_FALSE(empty.Thumbnail(10, 10, canvas, &thumb));
  EXPECT_FALSE(board.Thumbnail(0, 10, canvas, &thumb));
  EXPECT_STRNE("", thumb.GetErrorText());
}

TEST(Thumbnail, TransparentPixelsShowTheCanvas) {
  AIImage image, thumb;
  Fill(&image, 4, 4, kRed);
  ASSERT_TRUE(image.AlphaCreate());
  memset(image.GetAlpha(), 0, 16);
  RGBQUAD canvas = {255, 255, 255, 0};
  ASSERT_TRUE(image.Thumbnail(4, 4, canvas, &thumb));
  EXPECT_FALSE(thumb.HasAlpha());
  EXPECT_TRUE(Near(PixelAt(thumb, 1, 1), kWhite, 0));
}

TEST(Rotate, QuarterTurnsMoveTheCorners) {
  AIImage image;
  MakePattern(&image);
  ASSERT_TRUE(image.RotateRight());
  EXPECT_EQ(8, image.GetWidth());
  EXPECT_EQ(12, image.GetHeight());
  EXPECT_TRUE(QuadrantsAre(image, kBlue, kRed, kWhite, kGreen, 0));
  EXPECT_TRUE(Near(PixelAt(image, 0, 0), kBlue, 0));
  EXPECT_TRUE(Near(PixelAt(image, 7, 11), kGreen, 0));
  ASSERT_TRUE(image.RotateLeft());
  ASSERT_TRUE(image.RotateLeft());
  EXPECT_TRUE(QuadrantsAre(image, kGreen, kWhite, kRed, kBlue, 0));
  ASSERT_TRUE(image.RotateRight());
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_TRUE(Near(PixelAt(image, x, y), PatternColour(x, y), 0));

  Bytes gif = ReadDataFile("pattern.gif");  // palette image with odd row padding
  ASSERT_TRUE(image.LoadFromMemory(gif.data(), uint32_t(gif.size()), kImageGif));
  ASSERT_TRUE(image.RotateLeft());
  EXPECT_EQ(8, image.GetBpp());
  EXPECT_TRUE(QuadrantsAre(image, kGreen, kWhite, kRed, kBlue, 0));
  AIImage empty;
  EXPECT_FALSE(empty.RotateLeft());
}

TEST(Crop, KeepsTheRectangleClippedToTheImage) {
  AIImage image;
  MakePattern(&image);
  RECT green = {6, 0, 12, 4};
  ASSERT_TRUE(image.CropRect(green));
  EXPECT_EQ(6, image.GetWidth());
  EXPECT_EQ(4, image.GetHeight());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_TRUE(Near(PixelAt(image, x, y), kGreen, 0));

  MakePattern(&image);
  RECT overhang = {-5, 6, 100, 100};
  ASSERT_TRUE(image.CropRect(overhang));
  EXPECT_EQ(12, image.GetWidth());
  EXPECT_EQ(2, image.GetHeight());
  EXPECT_TRUE(Near(PixelAt(image, 0, 0), kBlue, 0));
  EXPECT_TRUE(Near(PixelAt(image, 11, 1), kWhite, 0));

  RECT outside = {20, 20, 30, 30}, inverted = {5, 1, 2, 2}, line = {0, 1, 12, 1};
  EXPECT_FALSE(image.CropRect(outside));
  EXPECT_FALSE(image.CropRect(inverted));
  EXPECT_FALSE(image.CropRect(line));
  EXPECT_STRNE("", image.GetErrorText());
  EXPECT_EQ(12, image.GetWidth());  // unchanged after a failed crop
  EXPECT_EQ(2, image.GetHeight());
}

TEST(Greyscale, WeightsTheChannelsAndKeepsAlpha) {
  AIImage image;
  MakePattern(&image);
  ASSERT_TRUE(image.AlphaCreate());
  image.GetAlpha()[0] = 9;
  ASSERT_TRUE(image.Greyscale());
  EXPECT_EQ(8, image.GetBpp());
  EXPECT_TRUE(Near(PixelAt(image, 0, 0), Rgb{77, 77, 77}, 1));       // red
  EXPECT_TRUE(Near(PixelAt(image, 11, 0), Rgb{150, 150, 150}, 1));   // green
  EXPECT_TRUE(Near(PixelAt(image, 0, 7), Rgb{29, 29, 29}, 1));       // blue
  EXPECT_TRUE(Near(PixelAt(image, 11, 7), kWhite, 0));
  ASSERT_TRUE(image.HasAlpha());
  EXPECT_EQ(9, image.GetAlpha()[0]);
  ASSERT_TRUE(image.AlphaDelete());
  EXPECT_FALSE(image.HasAlpha());
  EXPECT_EQ(12, image.GetWidth());
}

TEST(WindowsBitmaps, HBitmapAndClipboardRoundTrips) {
  AIImage image, back;
  MakePattern(&image);
  HBITMAP bitmap = image.MakeHBitmap(nullptr);
  ASSERT_NE(nullptr, bitmap);
  ASSERT_TRUE(back.FromHBitmap(bitmap)) << back.GetErrorText();
  DeleteObject(bitmap);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_TRUE(Near(PixelAt(back, x, y), PatternColour(x, y), 0));
  EXPECT_FALSE(back.FromHBitmap(nullptr));
  EXPECT_EQ(12, back.GetWidth());

  image.Greyscale();
  HGLOBAL block = image.ToClipboardDib();
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(image.GetSize(), GlobalSize(block));
  void* p = GlobalLock(block);
  ASSERT_TRUE(back.FromClipboardDib(p, uint32_t(GlobalSize(block)))) << back.GetErrorText();
  GlobalUnlock(block);
  GlobalFree(block);
  EXPECT_EQ(8, back.GetBpp());
  EXPECT_TRUE(Near(PixelAt(back, 0, 0), PixelAt(image, 0, 0), 0));
}

TEST(WindowsBitmaps, StretchRectDrawsIntoADeviceContext) {
  AIImage image, target;
  MakePattern(&image);
  Fill(&target, 48, 32, Rgb{0, 0, 0});
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = target.MakeHBitmap(dc);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT area = {0, 0, 48, 32};
  ASSERT_TRUE(image.StretchRect(dc, area));
  SelectObject(dc, old);
  ASSERT_TRUE(target.FromHBitmap(bitmap));
  DeleteObject(bitmap);
  DeleteDC(dc);
  EXPECT_TRUE(QuadrantsAre(target, kRed, kGreen, kBlue, kWhite, 16));
  AIImage empty;
  EXPECT_FALSE(empty.StretchRect(nullptr, area));
}

}  // namespace
