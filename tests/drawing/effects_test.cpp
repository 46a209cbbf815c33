// Pixel effects: exact results at the bounds of their amounts, rounding in
// between, and clipping to the bitmap. Every case runs on a 32-bit bitmap
// (written in place) and on a 24-bit one (written through a copy).
#include "tests/support/gtest.h"
#include "drawing/ai_effects.h"
#include "drawing/pixel_blend.h"
#include "drawing/pixel_scale.h"
#include "tests/drawing/drawing_test_support.h"

namespace {

class EffectsTest : public testing::TestWithParam<int> {
protected:
    // A 12 x 10 pattern and an untouched copy of it.
    void SetUp() override
    {
        ASSERT_TRUE(MakePattern(canvas, 12, 10, GetParam()));
        ASSERT_TRUE(MakePattern(original, 12, 10, GetParam()));
        dc = canvas.SelectIntoMemoryDC();
        ASSERT_NE(HDC(0), dc);
    }
    // Pixels outside rect must still match the original.
    int ChangedOutside(const RECT& rect)
    {
        int changed = 0;
        for (int y = 0; y < canvas.GetHeight(); y++)
            for (int x = 0; x < canvas.GetWidth(); x++) {
                POINT p = {x, y};
                if (!PtInRect(&rect, p)) changed += PixelAt(canvas, x, y) != PixelAt(original, x, y);
            }
        return changed;
    }
    COLORREF Mixed(COLORREF a, COLORREF b, int weight)
    {
        return RGB(ExpectedMix(GetRValue(a), GetRValue(b), weight), ExpectedMix(GetGValue(a), GetGValue(b), weight),
                   ExpectedMix(GetBValue(a), GetBValue(b), weight));
    }

    AIDib canvas;
    AIDib original;
    HDC dc = 0;
};

const COLORREF kTint = RGB(10, 200, 250);

}  // namespace

TEST(PixelBlend, MixIsExactAtItsBoundsAndRoundsBetween)
{
    for (uint32_t a = 0; a < 256; a += 51)
        for (uint32_t b = 0; b < 256; b += 17) {
            EXPECT_EQ(a, MixChannel(a, b, 255));
            EXPECT_EQ(b, MixChannel(a, b, 0));
        }
    EXPECT_EQ(128u, MixChannel(255, 0, 128));  // 127.5 rounds up
    EXPECT_EQ(127u, MixChannel(0, 255, 128));
    EXPECT_EQ(0xAA123456u, MixPixel(0x00123456u, 0xAA000000u, 255));  // underlying alpha kept
    EXPECT_EQ(0x00563412u, PixelFromColour(RGB(0x56, 0x34, 0x12)) & 0xFFFFFF);
    EXPECT_EQ(255u, PixelGrey(0xFFFFFF));
    EXPECT_EQ(76u, PixelGrey(0xFF0000));  // red: 0.299 * 255 = 76.2
    EXPECT_EQ(10, LinearStep(10, 20, 0, 4));
    EXPECT_EQ(20, LinearStep(10, 20, 4, 4));
    EXPECT_EQ(15, LinearStep(10, 20, 2, 4));
    EXPECT_EQ(7, LinearStep(7, 99, 0, 0));
}

TEST(PixelScale, AveragesCoveredPixelsWeightedByAlpha)
{
    // 2 x 2 down to 1 x 1: the transparent pixel lends no colour.
    const uint32_t source[4] = {0xFF000000u | 0x0000FF, 0xFF000000u | 0x0000FF, 0x00FF0000u, 0xFF000000u | 0x0000FF};
    uint32_t target = 0;
    ScalePixelsBox(source, 2, 2, 2, &target, 1, 1, 1);
    EXPECT_EQ(0x0000FFu, target & 0xFFFFFF);
    EXPECT_EQ(191u, target >> 24);  // 765 / 4 rounded
    // 1 x 1 up to 3 x 2: every target pixel is the one source pixel.
    const uint32_t one = 0xFF123456u;
    uint32_t big[6] = {0};
    ScalePixelsBox(&one, 1, 1, 1, big, 3, 2, 3);
    for (int i = 0; i < 6; i++) EXPECT_EQ(one, big[i]);
}

TEST_P(EffectsTest, BlendColourBoundsAndMidLevel)
{
    EXPECT_EQ(1, AIEffectContext::BlendColour(dc, 0, 0, 12, 10, -1, 255, kTint));
    EXPECT_EQ(0, CountDifferences(canvas, original));
    EXPECT_EQ(1, AIEffectContext::BlendColour(dc, 0, 0, 12, 10, -1, 300, kTint));  // clamped to 255
    EXPECT_EQ(0, CountDifferences(canvas, original));

    AIEffectContext effects(dc, RECT{2, 3, 6, 7});
    EXPECT_EQ(1, effects.BlendColourInRect(kTint, 128));
    for (int y = 3; y < 7; y++)
        for (int x = 2; x < 6; x++) EXPECT_EQ(Mixed(PatternColour(x, y), kTint, 128), PixelAt(canvas, x, y));
    EXPECT_EQ(0, ChangedOutside(RECT{2, 3, 6, 7}));

    EXPECT_EQ(1, AIEffectContext::BlendColour(dc, 0, 0, 12, 10, -1, -40, kTint));  // clamped to 0
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 12; x++) EXPECT_EQ(kTint, PixelAt(canvas, x, y));
}

TEST_P(EffectsTest, RectanglesAreClippedToTheBitmap)
{
    // Past the right edge: a wrap into the next row would show at column 0.
    EXPECT_EQ(1, AIEffectContext::BlendColour(dc, 10, 2, 50, 3, -1, 0, kTint));
    EXPECT_EQ(0, ChangedOutside(RECT{10, 2, 12, 5}));
    EXPECT_EQ(kTint, PixelAt(canvas, 11, 4));
    // Partly above and left of the bitmap.
    EXPECT_EQ(1, AIEffectContext::BlendColour(dc, -5, -5, 7, 6, -1, 0, kTint));
    EXPECT_EQ(kTint, PixelAt(canvas, 0, 0));
    EXPECT_EQ(kTint, PixelAt(canvas, 1, 0));
    EXPECT_EQ(PatternColour(2, 0), PixelAt(canvas, 2, 0));
    EXPECT_EQ(PatternColour(0, 1), PixelAt(canvas, 0, 1));
    // Past the bottom, and wholly outside on every side: nothing happens.
    MakePattern(canvas, 12, 10, GetParam());
    dc = canvas.SelectIntoMemoryDC();
    EXPECT_EQ(1, AIEffectContext::BlendColour(dc, 3, 8, 2, 500, -1, 0, kTint));
    EXPECT_EQ(0, ChangedOutside(RECT{3, 8, 5, 10}));
    const RECT outside[] = {{12, 0, 20, 5}, {-9, 0, 0, 5}, {0, 10, 5, 30}, {0, -30, 5, 0}, {100000, 100000, 100010, 100010}};
    for (const RECT& r : outside) {
        EXPECT_EQ(0, AIEffectContext::BlendColour(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, -1, 0, kTint));
        AIEffectContext effects(dc, r);
        EXPECT_EQ(0, effects.GradientTintInRect(kTint, 255));
        EXPECT_EQ(0, effects.FourCornerGradientA(r, kTint, kTint, kTint, kTint));
        EXPECT_EQ(0, AIEffectContext::BlurTint(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 255, kTint));
    }
    EXPECT_EQ(0, ChangedOutside(RECT{3, 8, 5, 10}));
    // Empty and negative sizes.
    EXPECT_EQ(0, AIEffectContext::BlendColour(dc, 2, 2, 0, 5, -1, 0, kTint));
    EXPECT_EQ(0, AIEffectContext::MakeGreyscale(dc, 2, 2, -4, 5, 0, 0, kTint));
    EXPECT_EQ(0, ChangedOutside(RECT{3, 8, 5, 10}));
}

TEST_P(EffectsTest, FollowsTheContextsClipAndOrigin)
{
    // A clip rectangle on the context limits the effect.
    HRGN clip = CreateRectRgn(4, 4, 8, 6);
    SelectClipRgn(dc, clip);
    EXPECT_EQ(1, AIEffectContext::BlendColour(dc, 0, 0, 12, 10, -1, 0, kTint));
    EXPECT_EQ(0, ChangedOutside(RECT{4, 4, 8, 6}));
    EXPECT_EQ(kTint, PixelAt(canvas, 7, 5));
    // Two rectangles: the pixels between them are left alone.
    HRGN second = CreateRectRgn(9, 4, 11, 6);
    CombineRgn(clip, clip, second, RGN_OR);
    SelectClipRgn(dc, clip);
    EXPECT_EQ(1, AIEffectContext::BlendColour(dc, 0, 0, 12, 10, -1, 0, kTint));
    EXPECT_EQ(PatternColour(8, 5), PixelAt(canvas, 8, 5));
    EXPECT_EQ(kTint, PixelAt(canvas, 10, 5));
    SelectClipRgn(dc, 0);
    DeleteObject(second);
    DeleteObject(clip);
    // A moved viewport origin: logical (0, 0) is pixel (3, 2).
    MakePattern(canvas, 12, 10, GetParam());
    dc = canvas.SelectIntoMemoryDC();
    POINT previous;
    SetViewportOrgEx(dc, 3, 2, &previous);
    EXPECT_EQ(1, AIEffectContext::BlendColour(dc, 0, 0, 2, 2, -1, 0, kTint));
    SetViewportOrgEx(dc, previous.x, previous.y, 0);
    EXPECT_EQ(0, ChangedOutside(RECT{3, 2, 5, 4}));
    EXPECT_EQ(kTint, PixelAt(canvas, 3, 2));
    EXPECT_EQ(kTint, PixelAt(canvas, 4, 3));
}

TEST_P(EffectsTest, GreyscaleAndBlurTint)
{
    EXPECT_EQ(1, AIEffectContext::MakeGreyscale(dc, 0, 0, 12, 10, 0, 0, kTint));
    for (int y = 0; y < 10; y += 3)
        for (int x = 0; x < 12; x += 5) {
            COLORREF c = PatternColour(x, y);
            int grey = (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114 + 500) / 1000;
            EXPECT_EQ(RGB(grey, grey, grey), PixelAt(canvas, x, y));
        }
    EXPECT_EQ(1, AIEffectContext::MakeGreyscale(dc, 0, 0, 12, 10, 0, 255, kTint));
    EXPECT_EQ(kTint, PixelAt(canvas, 5, 5));

    // A uniform area stays uniform under the blur; strength 255 gives the colour.
    MakeCanvas(canvas, 12, 10, RGB(90, 90, 90), GetParam());
    dc = canvas.SelectIntoMemoryDC();
    SetPixelAt(canvas, 5, 5, RGB(90 + 9 * 10, 90, 90));
    EXPECT_EQ(1, AIEffectContext::BlurTint(dc, 0, 0, 12, 10, 0, kTint));
    EXPECT_EQ(RGB(100, 90, 90), PixelAt(canvas, 4, 4));   // one ninth of the extra brightness
    EXPECT_EQ(RGB(100, 90, 90), PixelAt(canvas, 5, 5));
    EXPECT_EQ(RGB(90, 90, 90), PixelAt(canvas, 3, 5));
    EXPECT_EQ(RGB(90, 90, 90), PixelAt(canvas, 0, 0));    // corner: its own neighbours only
    EXPECT_EQ(1, AIEffectContext::BlurTint(dc, 0, 0, 12, 10, 255, kTint));
    EXPECT_EQ(kTint, PixelAt(canvas, 5, 5));
}

TEST_P(EffectsTest, EdgesBordersAndGradientTint)
{
    const COLORREF white = RGB(255, 255, 255);
    AIEffectContext effects(dc, RECT{0, 0, 12, 10});
    // Edge highlight: outer ring 200, ring 2 at 100, ring 1 between, inside untouched.
    EXPECT_EQ(1, effects.HighlightEdgesInRect(white, 200, 100, 3));
    EXPECT_EQ(Mixed(white, PatternColour(0, 4), 200), PixelAt(canvas, 0, 4));
    EXPECT_EQ(Mixed(white, PatternColour(1, 4), 150), PixelAt(canvas, 1, 4));
    EXPECT_EQ(Mixed(white, PatternColour(6, 2), 100), PixelAt(canvas, 6, 2));
    EXPECT_EQ(PatternColour(3, 3), PixelAt(canvas, 3, 3));
    EXPECT_EQ(PatternColour(8, 6), PixelAt(canvas, 8, 6));

    // Border fade: strength at the outer ring, nothing from `width` pixels in.
    CopyPixels(original, canvas);
    EXPECT_EQ(1, effects.BorderFadeInRect(RECT{2, 2, 10, 8}, 2, kTint, 255));
    EXPECT_EQ(kTint, PixelAt(canvas, 2, 5));
    EXPECT_EQ(Mixed(kTint, PatternColour(3, 5), 128), PixelAt(canvas, 3, 5));
    EXPECT_EQ(PatternColour(4, 5), PixelAt(canvas, 4, 5));
    EXPECT_EQ(kTint, PixelAt(canvas, 9, 7));
    EXPECT_EQ(0, ChangedOutside(RECT{2, 2, 10, 8}));
    // Left and right only.
    CopyPixels(original, canvas);
    EXPECT_EQ(1, effects.BorderFadeInRectLR(RECT{2, 2, 10, 8}, 2, kTint, 255));
    EXPECT_EQ(kTint, PixelAt(canvas, 2, 5));
    EXPECT_EQ(kTint, PixelAt(canvas, 9, 2));
    EXPECT_EQ(PatternColour(5, 2), PixelAt(canvas, 5, 2));
    EXPECT_EQ(PatternColour(5, 7), PixelAt(canvas, 5, 7));

    // Gradient tint: full strength on the top row, none on the bottom row.
    CopyPixels(original, canvas);
    EXPECT_EQ(1, effects.GradientTintInRect(kTint, 255));
    EXPECT_EQ(kTint, PixelAt(canvas, 7, 0));
    EXPECT_EQ(PatternColour(7, 9), PixelAt(canvas, 7, 9));
    EXPECT_EQ(Mixed(kTint, PatternColour(7, 3), LinearStep(255, 0, 3, 9)), PixelAt(canvas, 7, 3));
}

TEST_P(EffectsTest, FourCornerGradients)
{
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255), white = RGB(255, 255, 255);
    AIEffectContext effects(dc, RECT{0, 0, 12, 10});
    const RECT area = {1, 1, 11, 9};
    EXPECT_EQ(1, effects.FourCornerGradientA(area, red, green, blue, white));
    EXPECT_EQ(red, PixelAt(canvas, 1, 1));
    EXPECT_EQ(green, PixelAt(canvas, 10, 1));
    EXPECT_EQ(blue, PixelAt(canvas, 1, 8));
    EXPECT_EQ(white, PixelAt(canvas, 10, 8));
    EXPECT_EQ(0, ChangedOutside(area));
    // Blended at strength 0: unchanged; multiplied by white: unchanged, by black: black.
    CopyPixels(original, canvas);
    EXPECT_EQ(1, effects.FourCornerGradientC(area, red, green, blue, white, 0));
    EXPECT_EQ(0, CountDifferences(canvas, original));
    EXPECT_EQ(1, effects.FourCornerGradientD(area, white, white, white, white));
    EXPECT_EQ(0, CountDifferences(canvas, original));
    EXPECT_EQ(1, effects.FourCornerGradientD(area, 0, 0, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), PixelAt(canvas, 5, 5));
    EXPECT_EQ(0, ChangedOutside(area));
}

TEST_P(EffectsTest, BitmapDrawsWithOpacityKeyAndSilhouette)
{
    // A 4 x 3 source: magenta key in its left column, a colour per row elsewhere.
    const COLORREF key = RGB(255, 0, 255);
    const COLORREF rows[3] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
    AIDib source;
    ASSERT_TRUE(source.Create(4, 3, 32));
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 4; x++) SetPixelAt(source, x, y, x == 0 ? key : rows[y]);
    HBITMAP bitmap = source.GetHBitmap();
    source.ReleaseMemoryDC();

    EXPECT_EQ(0, AIEffectContext::DrawHBitmapWithOpacity(dc, bitmap, 2, 2, 4, 3, 0, 0, 0, 0));
    EXPECT_EQ(0, CountDifferences(canvas, original));
    EXPECT_EQ(1, AIEffectContext::DrawHBitmapWithOpacity(dc, bitmap, 2, 2, 3, 2, 1, 1, 255, 0));
    EXPECT_EQ(rows[1], PixelAt(canvas, 2, 2));
    EXPECT_EQ(rows[2], PixelAt(canvas, 4, 3));
    EXPECT_EQ(0, ChangedOutside(RECT{2, 2, 5, 4}));

    // Keyed with an opacity running 255 -> 0 down the rows: key pixels untouched.
    CopyPixels(original, canvas);
    EXPECT_EQ(1, AIEffectContext::DrawBitmapKeyed(dc, bitmap, 5, 5, key, 255, 0));
    EXPECT_EQ(PatternColour(5, 5), PixelAt(canvas, 5, 5));
    EXPECT_EQ(PatternColour(5, 6), PixelAt(canvas, 5, 6));
    EXPECT_EQ(rows[0], PixelAt(canvas, 6, 5));
    EXPECT_EQ(Mixed(rows[1], PatternColour(7, 6), 128), PixelAt(canvas, 7, 6));
    EXPECT_EQ(PatternColour(8, 7), PixelAt(canvas, 8, 7));
    EXPECT_EQ(0, ChangedOutside(RECT{5, 5, 9, 8}));

    // The reflection is upside down: its top row is the source's last row.
    CopyPixels(original, canvas);
    EXPECT_EQ(1, AIEffectContext::DrawBitmapBlendB(dc, bitmap, 0, 0, key, 255, 255));
    EXPECT_EQ(rows[2], PixelAt(canvas, 1, 0));
    EXPECT_EQ(rows[0], PixelAt(canvas, 3, 2));
    EXPECT_EQ(PatternColour(0, 1), PixelAt(canvas, 0, 1));

    // Silhouette: the shape in one colour; partly outside the canvas.
    CopyPixels(original, canvas);
    EXPECT_EQ(1, AIEffectContext::FillSilhouette(dc, bitmap, 10, 8, key, kTint, 255));
    EXPECT_EQ(PatternColour(10, 8), PixelAt(canvas, 10, 8));
    EXPECT_EQ(kTint, PixelAt(canvas, 11, 9));
    EXPECT_EQ(0, ChangedOutside(RECT{11, 8, 12, 10}));
    EXPECT_EQ(1, AIEffectContext::FillSilhouette(dc, bitmap, -3, -2, CLR_INVALID, kTint, 255));
    EXPECT_EQ(kTint, PixelAt(canvas, 0, 0));
    EXPECT_EQ(2, ChangedOutside(RECT{0, 0, 1, 1}));  // the two pixels of the first silhouette
    EXPECT_EQ(0, AIEffectContext::DrawHBitmapWithOpacity(dc, 0, 0, 0, 4, 3, 0, 0, 255, 0));
}

INSTANTIATE_TEST_SUITE_P(InPlaceAndThroughCopy, EffectsTest, testing::Values(32, 24));
