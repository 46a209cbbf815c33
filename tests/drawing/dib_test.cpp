// AIDib: creation limits, captures from a device context, plain and
// stretched copies, opacity and key-colour draws.
#include "tests/support/gtest.h"
#include "drawing/ai_dib.h"
#include "tests/drawing/drawing_test_support.h"

TEST(Dib, CreateRefusesBadSizesAndDescribesItself)
{
    AIDib dib;
    EXPECT_EQ(0, dib.Create(0, 5));
    EXPECT_EQ(0, dib.Create(5, -1));
    EXPECT_EQ(0, dib.Create(20000, 20000));  // above the pixel cap
    EXPECT_EQ(0, dib.Create(4, 4, 16));
    EXPECT_EQ(HBITMAP(0), dib.GetHBitmap());
    EXPECT_EQ(HDC(0), dib.SelectIntoMemoryDC());
    EXPECT_EQ(0, dib.Draw(GetDC(0), 0, 0));

    ASSERT_EQ(1, dib.Create(7, 3, 24));
    RECT rect = dib.GetRect();
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(7, rect.right);
    EXPECT_EQ(3, rect.bottom);
    EXPECT_EQ(7, dib.GetSize().cx);
    EXPECT_EQ(24, dib.GetStride());  // 7 * 3 = 21 padded to 4 bytes
    EXPECT_NE(nullptr, dib.GetBits());
    dib.FreeGdiObjects();
    EXPECT_EQ(HBITMAP(0), dib.GetHBitmap());
    EXPECT_EQ(nullptr, dib.GetBits());
}

TEST(Dib, CaptureRoundTripsThroughAMemoryContext)
{
    AIDib screen;
    ASSERT_TRUE(MakePattern(screen, 20, 16));
    HDC screenDC = screen.SelectIntoMemoryDC();

    AIDib capture;
    ASSERT_EQ(1, capture.CaptureFromDC(screenDC, 3, 4, 9, 5));
    EXPECT_EQ(24, capture.GetBitsPerPixel());
    EXPECT_EQ(9, capture.GetWidth());
    EXPECT_EQ(28, capture.GetStride());  // (9 * 3 + 3) rounded down to 4
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 9; x++) ASSERT_EQ(PatternColour(x + 3, y + 4), PixelAt(capture, x, y));

    // Drawing it back over a cleared screen restores exactly that region.
    AIDib blank;
    MakeCanvas(blank, 20, 16, RGB(0, 0, 0));
    blank.Draw(screenDC, 0, 0);
    EXPECT_EQ(1, capture.Draw(screenDC, 3, 4));
    EXPECT_EQ(PatternColour(3, 4), PixelAt(screen, 3, 4));
    EXPECT_EQ(PatternColour(11, 8), PixelAt(screen, 11, 8));
    EXPECT_EQ(RGB(0, 0, 0), PixelAt(screen, 12, 8));
    EXPECT_EQ(RGB(0, 0, 0), PixelAt(screen, 2, 4));

    // With background: the returned context holds the bitmap for drawing back.
    MakePattern(screen, 20, 16);
    screenDC = screen.SelectIntoMemoryDC();
    AIDib saved;
    HDC background = saved.CaptureWithBackground(screenDC, 0, 0, 20, 16);
    ASSERT_NE(HDC(0), background);
    blank.Draw(screenDC, 0, 0);
    BitBlt(screenDC, 0, 0, 20, 16, background, 0, 0, SRCCOPY);
    AIDib reference;
    MakePattern(reference, 20, 16);
    EXPECT_EQ(0, CountDifferences(screen, reference));
    EXPECT_EQ(0, saved.CaptureWithBackground(0, 0, 0, 5, 5));
}

TEST(Dib, CaptureRectKeepsPositionAndTheRest)
{
    AIDib screen;
    ASSERT_TRUE(MakePattern(screen, 20, 16));
    HDC screenDC = screen.SelectIntoMemoryDC();
    AIDib part;
    ASSERT_EQ(1, part.CaptureRectFromDC(screenDC, 2, 3, 4, 4));
    EXPECT_EQ(6, part.GetWidth());
    EXPECT_EQ(7, part.GetHeight());
    EXPECT_EQ(PatternColour(2, 3), PixelAt(part, 2, 3));
    EXPECT_EQ(RGB(0, 0, 0), PixelAt(part, 1, 1));
    // A second region grows the bitmap and keeps the first.
    HDC own = part.CaptureRectWithBackground(screenDC, 8, 1, 2, 2);
    ASSERT_NE(HDC(0), own);
    EXPECT_EQ(10, part.GetWidth());
    EXPECT_EQ(PatternColour(5, 6), PixelAt(part, 5, 6));
    EXPECT_EQ(PatternColour(9, 2), PixelAt(part, 9, 2));
    EXPECT_EQ(0, part.CaptureRectFromDC(screenDC, -5, 0, 5, 5));  // nothing left after clipping
}

TEST(Dib, PlainPartClippedAndStretchedCopies)
{
    AIDib source;
    ASSERT_TRUE(MakePattern(source, 6, 4));
    AIDib target;
    ASSERT_TRUE(MakeCanvas(target, 16, 12, RGB(1, 2, 3)));
    HDC dc = target.SelectIntoMemoryDC();

    EXPECT_EQ(1, source.DrawPart(dc, 10, 10, 4, 2, 9, 9));  // clipped to the source's 2 x 2
    EXPECT_EQ(PatternColour(4, 2), PixelAt(target, 10, 10));
    EXPECT_EQ(PatternColour(5, 3), PixelAt(target, 11, 11));
    EXPECT_EQ(RGB(1, 2, 3), PixelAt(target, 12, 10));
    EXPECT_EQ(0, source.DrawPart(dc, 0, 0, 6, 0, 3, 3));

    MakeCanvas(target, 16, 12, RGB(1, 2, 3));
    dc = target.SelectIntoMemoryDC();
    EXPECT_EQ(1, source.DrawClipped(dc, 2, 2, RECT{4, 3, 20, 20}));
    EXPECT_EQ(RGB(1, 2, 3), PixelAt(target, 3, 3));
    EXPECT_EQ(RGB(1, 2, 3), PixelAt(target, 4, 2));
    EXPECT_EQ(PatternColour(2, 1), PixelAt(target, 4, 3));
    EXPECT_EQ(PatternColour(5, 3), PixelAt(target, 7, 5));
    EXPECT_EQ(0, source.DrawClipped(dc, 2, 2, RECT{10, 10, 12, 12}));

    // Doubled without halftone: each source pixel becomes a 2 x 2 block.
    EXPECT_EQ(1, source.DrawStretched(dc, RECT{0, 0, 12, 8}));
    EXPECT_EQ(PatternColour(0, 0), PixelAt(target, 1, 1));
    EXPECT_EQ(PatternColour(5, 3), PixelAt(target, 10, 6));
    EXPECT_EQ(1, source.DrawStretchedEx(dc, RECT{1, 1, 3, 2}, RECT{0, 0, 4, 2}));
    EXPECT_EQ(PatternColour(2, 1), PixelAt(target, 3, 1));
    EXPECT_EQ(0, source.DrawStretchedEx(dc, RECT{4, 0, 8, 2}, RECT{0, 0, 4, 2}));  // source leaves the bitmap
    // Halftone of a single-colour source gives that colour.
    AIDib flat;
    MakeCanvas(flat, 8, 8, RGB(40, 80, 120));
    EXPECT_EQ(1, flat.DrawPartStretched(dc, RECT{0, 0, 8, 8}, RECT{0, 0, 3, 3}));
    EXPECT_EQ(RGB(40, 80, 120), PixelAt(target, 1, 1));

    // The memory context can be let go; drawing takes it again.
    source.ReleaseMemoryDC();
    EXPECT_EQ(1, source.Draw(dc, 0, 0));
    EXPECT_EQ(PatternColour(3, 2), PixelAt(target, 3, 2));
}

TEST(Dib, OpacityAndKeyColourDraws)
{
    const COLORREF under = RGB(100, 50, 200);
    const COLORREF key = RGB(255, 0, 255);
    AIDib source;
    ASSERT_TRUE(MakePattern(source, 5, 5, 24));
    SetPixelAt(source, 2, 2, key);
    SetPixelAt(source, 0, 4, key);
    AIDib target, reference;
    ASSERT_TRUE(MakeCanvas(target, 10, 10, under));
    ASSERT_TRUE(MakeCanvas(reference, 10, 10, under));
    HDC dc = target.SelectIntoMemoryDC();

    EXPECT_EQ(0, source.DrawWithOpacity(dc, 1, 1, 0));
    EXPECT_EQ(0, source.DrawWithOpacity(dc, 1, 1, -20));
    EXPECT_EQ(0, CountDifferences(target, reference));
    EXPECT_EQ(1, source.DrawWithOpacity(dc, 1, 1, 255));
    EXPECT_EQ(PatternColour(3, 4), PixelAt(target, 4, 5));
    EXPECT_EQ(key, PixelAt(target, 3, 3));

    MakeCanvas(target, 10, 10, under);
    dc = target.SelectIntoMemoryDC();
    EXPECT_EQ(1, source.DrawWithOpacity(dc, 1, 1, 100));
    COLORREF c = PatternColour(1, 1);
    EXPECT_EQ(RGB(ExpectedMix(GetRValue(c), 100, 100), ExpectedMix(GetGValue(c), 50, 100), ExpectedMix(GetBValue(c), 200, 100)),
              PixelAt(target, 2, 2));

    // Keyed: the key pixels leave what is underneath untouched.
    MakeCanvas(target, 10, 10, under);
    dc = target.SelectIntoMemoryDC();
    EXPECT_EQ(1, source.DrawTransparent(dc, 7, 7, key));  // partly outside
    EXPECT_EQ(PatternColour(0, 0), PixelAt(target, 7, 7));
    EXPECT_EQ(under, PixelAt(target, 9, 9));  // the key pixel (2, 2)
    EXPECT_EQ(PatternColour(1, 2), PixelAt(target, 8, 9));

    MakeCanvas(target, 10, 10, under);
    dc = target.SelectIntoMemoryDC();
    EXPECT_EQ(1, source.DrawBlendedKeyed(dc, 0, 0, key, 255));
    EXPECT_EQ(under, PixelAt(target, 2, 2));
    EXPECT_EQ(under, PixelAt(target, 0, 4));
    EXPECT_EQ(PatternColour(4, 4), PixelAt(target, 4, 4));
    MakeCanvas(target, 10, 10, under);
    dc = target.SelectIntoMemoryDC();
    EXPECT_EQ(0, source.DrawBlendedKeyed(dc, 0, 0, key, 0));
    EXPECT_EQ(0, CountDifferences(target, reference));
}

TEST(Dib, DrawWithOpacityUsesTheBitmapsOwnAlpha)
{
    AIDib source;
    ASSERT_TRUE(MakeCanvas(source, 2, 1, RGB(200, 200, 200)));
    uint8_t* bits = (uint8_t*)source.GetBits();
    bits[3] = 0;    // first pixel fully transparent
    bits[7] = 255;
    source.SetHasAlpha(1);
    AIDib target;
    ASSERT_TRUE(MakeCanvas(target, 2, 1, RGB(10, 10, 10)));
    EXPECT_EQ(1, source.DrawWithOpacity(target.SelectIntoMemoryDC(), 0, 0, 255));
    EXPECT_EQ(RGB(10, 10, 10), PixelAt(target, 0, 0));
    EXPECT_EQ(RGB(200, 200, 200), PixelAt(target, 1, 0));
}

TEST(Dib, LoadsBitmapResources)
{
    AIDib dib;
    ASSERT_EQ(1, dib.LoadBitmapResource(100));
    EXPECT_EQ(5, dib.GetWidth());
    EXPECT_EQ(3, dib.GetHeight());
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 5; x++) EXPECT_EQ(PatternColour(x, y), PixelAt(dib, x, y));
    EXPECT_EQ(0, dib.LoadBitmapResource(12345));
    EXPECT_EQ(5, dib.GetWidth());  // a failed load keeps the picture
}
