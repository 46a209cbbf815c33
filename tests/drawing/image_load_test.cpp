// Pictures from image files and from PNG resources.
#include "tests/support/gtest.h"
#include "drawing/ai_resource_image.h"
#include "imaging/ai_image.h"
#include "tests/drawing/drawing_test_support.h"

namespace {

// A path in the temporary folder.
void TempPath(WCHAR* path, const WCHAR* name)
{
    GetTempPathW(MAX_PATH, path);
    lstrcatW(path, name);
}

// The resource picture's pixel (x, y) as make_test_images.py writes it.
COLORREF ResourceColour(int x, int y) { return RGB(x * 40, y * 100, 200); }

}  // namespace

TEST(DibImageFile, LoadsSavedFilesAndRefusesBadOnes)
{
    AIImage image;
    ASSERT_EQ(1, image.Create(3, 2, 24));
    for (int y = 0; y < 2; y++) {
        uint8_t* row = PixelsRowFromTop(image.Pixels(), y);
        for (int x = 0; x < 3; x++) {
            COLORREF c = PatternColour(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    WCHAR path[MAX_PATH];
    TempPath(path, L"drawing_test_load.png");
    ASSERT_EQ(1, image.Save(path, kImagePng));

    AIDib dib;
    ASSERT_EQ(1, dib.LoadImageFile(path, 0));
    EXPECT_EQ(3, dib.GetWidth());
    EXPECT_EQ(2, dib.GetHeight());
    EXPECT_EQ(32, dib.GetBitsPerPixel());
    EXPECT_EQ(0, dib.HasAlpha());
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 3; x++) EXPECT_EQ(PatternColour(x, y), PixelAt(dib, x, y));

    // A missing file and a damaged one fail and keep the picture loaded before.
    WCHAR missing[MAX_PATH];
    TempPath(missing, L"drawing_test_no_such_file.png");
    EXPECT_EQ(0, dib.LoadImageFile(missing, 0));
    EXPECT_EQ(0, dib.LoadImageFile(0, 0));
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, 0, TRUNCATE_EXISTING, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, "\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16, &written, 0);
    CloseHandle(file);
    EXPECT_EQ(0, dib.LoadImageFile(path, 4));
    EXPECT_EQ(3, dib.GetWidth());
    EXPECT_EQ(PatternColour(2, 1), PixelAt(dib, 2, 1));
    DeleteFileW(path);
}

TEST(ResourceImage, PngResourceDrawsWithItsAlphaAndOpacity)
{
    AIResourceImage picture;
    ASSERT_EQ(1, picture.LoadPngResource(200));
    ASSERT_EQ(4, picture.GetWidth());
    ASSERT_EQ(2, picture.GetHeight());
    const COLORREF under = RGB(0, 0, 0);
    AIDib canvas, reference;
    MakeCanvas(canvas, 6, 4, under);
    MakeCanvas(reference, 6, 4, under);
    HDC dc = canvas.SelectIntoMemoryDC();

    EXPECT_EQ(1, picture.DrawAt(dc, 1, 1, 100));
    EXPECT_EQ(under, PixelAt(canvas, 1, 1));  // alpha 0
    EXPECT_EQ(RGB(ExpectedMix(40, 0, 128), 0, ExpectedMix(200, 0, 128)), PixelAt(canvas, 2, 1));
    EXPECT_EQ(ResourceColour(2, 0), PixelAt(canvas, 3, 1));
    EXPECT_EQ(ResourceColour(3, 1), PixelAt(canvas, 4, 2));
    EXPECT_EQ(under, PixelAt(canvas, 5, 3));

    // Opacity 0 draws nothing; 50 % is level 128; above 100 counts as 100.
    MakeCanvas(canvas, 6, 4, under);
    dc = canvas.SelectIntoMemoryDC();
    EXPECT_EQ(0, picture.DrawAt(dc, 0, 0, 0));
    EXPECT_EQ(0, CountDifferences(canvas, reference));
    picture.SetPosition(0, 0);
    EXPECT_EQ(1, picture.Draw(dc, 50));
    EXPECT_EQ(RGB(ExpectedMix(80, 0, 128), 0, ExpectedMix(200, 0, 128)), PixelAt(canvas, 2, 0));
    EXPECT_EQ(1, picture.Draw(dc, 250));
    EXPECT_EQ(ResourceColour(2, 0), PixelAt(canvas, 2, 0));

    // Doubled in size: each pixel becomes a 2 x 2 block.
    MakeCanvas(canvas, 8, 4, under);
    dc = canvas.SelectIntoMemoryDC();
    EXPECT_EQ(1, picture.DrawSized(dc, 0, 0, 8, 4, 100));
    EXPECT_EQ(ResourceColour(2, 1), PixelAt(canvas, 5, 3));
    EXPECT_EQ(under, PixelAt(canvas, 1, 1));
    EXPECT_EQ(0, picture.DrawSized(dc, 0, 0, 0, 4, 100));

    // Greyed: the luminance of each pixel.
    EXPECT_EQ(1, picture.DrawGreyedA(dc, 0, 0));
    COLORREF c = ResourceColour(3, 1);
    int grey = (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114 + 500) / 1000;
    EXPECT_EQ(RGB(grey, grey, grey), PixelAt(canvas, 3, 1));
}

TEST(ResourceImage, NothingIsDrawnWhileImagesAreOff)
{
    AIResourceImage picture;
    ASSERT_EQ(1, picture.LoadPngResource(200));
    AIDib canvas, reference;
    MakeCanvas(canvas, 8, 4, RGB(1, 2, 3));
    MakeCanvas(reference, 8, 4, RGB(1, 2, 3));
    HDC dc = canvas.SelectIntoMemoryDC();
    SetImagesEnabled(0);
    EXPECT_EQ(0, AreImagesEnabled());
    EXPECT_EQ(0, picture.DrawAt(dc, 0, 0, 100));
    EXPECT_EQ(0, picture.Draw(dc, 100));
    EXPECT_EQ(0, picture.DrawSized(dc, 0, 0, 8, 4, 100));
    EXPECT_EQ(0, picture.DrawStretched(dc, RECT{0, 0, 8, 4}));
    EXPECT_EQ(0, picture.DrawGreyedA(dc, 0, 0));
    EXPECT_EQ(0, picture.DrawGreyedB(dc, 0, 0));
    EXPECT_EQ(0, picture.DrawGreyedC(dc, 0, 0));
    SetImagesEnabled(1);
    EXPECT_EQ(0, CountDifferences(canvas, reference));
    EXPECT_EQ(1, picture.DrawStretched(dc, RECT{0, 0, 8, 4}));
}

TEST(ResourceImage, MissingOrWrongResourcesFail)
{
    AIResourceImage picture;
    EXPECT_EQ(0, picture.LoadPngResource(999));
    EXPECT_EQ(0, picture.LoadResource(201, L"JPG"));  // holds a BMP, not a JPEG
    EXPECT_EQ(0, picture.LoadResource(200, 0));
    EXPECT_EQ(0, picture.IsLoaded());
    AIDib canvas;
    MakeCanvas(canvas, 2, 2, 0);
    EXPECT_EQ(0, picture.DrawAt(canvas.SelectIntoMemoryDC(), 0, 0, 100));
}

TEST(ResourceImage, FailedLoadKeepsThePictureBefore)
{
    AIResourceImage picture;
    ASSERT_EQ(1, picture.LoadPngResource(200));
    int width = picture.GetWidth(), height = picture.GetHeight();
    EXPECT_EQ(0, picture.LoadPngResource(999));
    EXPECT_EQ(0, picture.LoadResource(201, L"JPG"));
    EXPECT_EQ(1, picture.IsLoaded());
    EXPECT_EQ(width, picture.GetWidth());
    EXPECT_EQ(height, picture.GetHeight());
    EXPECT_EQ(ResourceColour(3, 1), PixelAt(picture.GetDib(), 3, 1));
}
