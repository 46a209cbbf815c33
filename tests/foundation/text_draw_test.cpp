#include "tests/support/gtest.h"
#include "foundation/ai_string.h"
#include "foundation/ai_string_draw.h"
#include "foundation/text_markup.h"

namespace {

// A white 32-bit memory bitmap to draw on.
struct MemoryCanvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    uint32_t* pixels;
    int width, height;

    MemoryCanvas(int w, int h) : width(w), height(h)
    {
        BITMAPINFO info;
        memset(&info, 0, sizeof(info));
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(0);
        void* bits = 0;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, 0, 0);
        pixels = (uint32_t*)bits;
        old = SelectObject(dc, bitmap);
        Clear();
    }
    ~MemoryCanvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    void Clear()
    {
        GdiFlush();
        for (int i = 0; i < width * height; i++) pixels[i] = 0xFFFFFF;
    }
    // Counts pixels that are not white; reddish ones separately.
    int Inked(int* reddish = 0) const
    {
        GdiFlush();
        int n = 0, red = 0;
        for (int i = 0; i < width * height; i++) {
            uint32_t p = pixels[i] & 0xFFFFFF;
            if (p == 0xFFFFFF) continue;
            n++;
            int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
            if (r > 150 && g < r - 60 && b < r - 60) red++;
        }
        if (reddish) *reddish = red;
        return n;
    }
    // The widest run of blank columns between the first and the last inked column.
    int WidestInnerGap() const
    {
        GdiFlush();
        int first = -1, last = -1, gap = 0, widest = 0;
        for (int x = 0; x < width; x++) {
            bool inked = false;
            for (int y = 0; y < height && !inked; y++) inked = (pixels[y * width + x] & 0xFFFFFF) != 0xFFFFFF;
            if (inked) {
                if (first >= 0 && gap > widest) widest = gap;
                if (first < 0) first = x;
                last = x;
                gap = 0;
            } else if (first >= 0) {
                gap++;
            }
        }
        return last < 0 ? -1 : widest;
    }
    int LowestInkedRow() const
    {
        GdiFlush();
        for (int y = height - 1; y >= 0; y--)
            for (int x = 0; x < width; x++)
                if ((pixels[y * width + x] & 0xFFFFFF) != 0xFFFFFF) return y;
        return -1;
    }
};

}  // namespace

TEST(AIStringDrawing, PlainDrawingMeasuresAndInks)
{
    MemoryCanvas canvas(300, 80);
    AIString s(L"Hello drawing");
    s.SetFontSize(12).SetBold(1).SetTextColor(RGB(0, 0, 0));
    SIZE size = s.Measure(canvas.dc);
    EXPECT_GT(size.cx, 40);
    EXPECT_GT(size.cy, 8);
    RECT r = {0, 0, 300, 80};
    EXPECT_GT(s.DrawInRect(canvas.dc, r), 0);
    EXPECT_GT(canvas.Inked(), 20);

    canvas.Clear();
    EXPECT_GT(s.DrawOffscreen(canvas.dc, 10, 30, DT_LEFT | DT_NOPREFIX), 0);
    EXPECT_GT(canvas.Inked(), 20);
    EXPECT_GE(canvas.LowestInkedRow(), 30);

    AIString wider(L"Hello drawing");
    wider.SetFontSize(24).SetBold(1);
    EXPECT_GT(wider.Measure(canvas.dc).cx, size.cx);
}

TEST(AIStringDrawing, BoldMarkupKeepsWordsTogether)
{
    // The status line's note title: bold words with single blanks must not
    // spread apart (Wine's Tahoma bold once drew regular glyphs at bold advances).
    MemoryCanvas canvas(300, 30);
    AIString s(L"<b>Books to read</b> - 5 notes");
    RECT r = {0, 0, 300, 30};
    s.DrawMarkupText(canvas.dc, r);
    int gap = canvas.WidestInnerGap();
    EXPECT_GT(gap, 0);
    EXPECT_LE(gap, 8);
}

TEST(AIStringDrawing, ATabInMarkupIsAGapNotAGlyph)
{
    // The editor's status slot begins " \t Note: ...": the font has no glyph
    // for a tab, which came out as a box.
    MemoryCanvas tabbed(300, 30), blanks(300, 30);
    RECT r = {0, 0, 300, 30};
    AIString withTab(L"a\tb"), withBlanks(L"a    b"), alone(L"\t");
    withTab.DrawMarkupText(tabbed.dc, r);
    withBlanks.DrawMarkupText(blanks.dc, r);
    EXPECT_EQ(tabbed.Inked(), blanks.Inked());
    EXPECT_EQ(withTab.MeasureMarkupText(tabbed.dc, r).cx, withBlanks.MeasureMarkupText(blanks.dc, r).cx);
    tabbed.Clear();
    alone.DrawMarkupText(tabbed.dc, r);
    EXPECT_EQ(tabbed.Inked(), 0);
}

TEST(AIStringDrawing, MarkupDrawsColoursAndWrapsWithinTheRectangle)
{
    MemoryCanvas canvas(400, 300);
    AIString s(L"<b>Title</b> and <lred>red words</lred><br>next line");
    RECT r = {0, 0, 400, 300};
    int twoLines = s.DrawMarkupText(canvas.dc, r);
    EXPECT_GT(twoLines, 0);
    int red = 0;
    EXPECT_GT(canvas.Inked(&red), 50);
    EXPECT_GT(red, 5);

    // The same words in a narrow rectangle need more lines, and nothing is
    // drawn right of the rectangle.
    canvas.Clear();
    AIString lots(L"several words that cannot possibly fit on one narrow line of text");
    RECT narrow = {0, 0, 80, 300};
    int wrapped = lots.DrawMarkupText(canvas.dc, narrow);
    RECT wide = {0, 0, 400, 300};
    MemoryCanvas other(400, 300);
    int single = lots.DrawMarkupText(other.dc, wide);
    EXPECT_GT(wrapped, 3 * single);
    GdiFlush();
    for (int y = 0; y < 300; y++)
        for (int x = 80; x < 400; x++)
            ASSERT_EQ(0xFFFFFFu, canvas.pixels[y * 400 + x] & 0xFFFFFF) << x << "," << y;

    // A small break ends the line with half a blank line; a heading is taller.
    AIString small(L"a<sbr>b"), full(L"a<br>b"), blank(L"a<br><br>b"), heading(L"<h1>a</h1>");
    AIString body(L"a");
    EXPECT_GT(small.DrawMarkupText(other.dc, wide), full.DrawMarkupText(other.dc, wide));
    EXPECT_LT(small.DrawMarkupText(other.dc, wide), blank.DrawMarkupText(other.dc, wide));
    EXPECT_GT(heading.DrawMarkupText(other.dc, wide), body.DrawMarkupText(other.dc, wide));

    // An empty text and a word longer than the rectangle do not hang or overflow.
    AIString empty;
    EXPECT_EQ(0, empty.DrawMarkupText(other.dc, wide));
    AIString longWord(L"Supercalifragilisticexpialidocious");
    RECT tiny = {0, 0, 5, 300};
    EXPECT_GT(longWord.DrawMarkupText(other.dc, tiny), single);
}

TEST(AIStringDrawing, FontResourcesLoadOnceAndMissingOnesFailSoftly)
{
    // The test program carries the program's resources; 563 is the display font.
    AIString title(L"Title");
    ASSERT_EQ(1, title.LoadResourceFont(563, L"Comfortaa"));
    EXPECT_EQ(1, title.LoadResourceFont(563, L"Comfortaa"));
    MemoryCanvas canvas(200, 60);
    HFONT font = CreateFontIndirectW(&title.DrawState()->font);
    HGDIOBJ old = SelectObject(canvas.dc, font);
    WCHAR face[LF_FACESIZE] = {0};
    GetTextFaceW(canvas.dc, LF_FACESIZE, face);
    SelectObject(canvas.dc, old);
    DeleteObject(font);
    EXPECT_EQ(0, lstrcmpW(L"Comfortaa", face)) << Utf8(face);

    AIString s(L"x");
    EXPECT_EQ(0, s.LoadResourceFont(31999, L"nothing"));
    s.SetFontByIndex(99);  // out of range falls back to the first face
    EXPECT_EQ(0, lstrcmpW(L"Arial", s.DrawState()->font.lfFaceName));
}

TEST(AIStringDrawing, MarkupKeepsTheBlankBetweenWordsAtSmallSizes)
{
    // At 9 points Wine drew "simple text" as "simpletext": each fragment was
    // placed by its measured width but drawn with wider advances.
    for (int points = 7; points <= 12; points++) {
        MemoryCanvas canvas(300, 30);
        RECT r = {0, 0, 300, 30};
        AIString markup(L"simple text");
        markup.SetFontSize(points).SetBold(0).SetTextColor(RGB(0, 0, 0));
        markup.DrawMarkupText(canvas.dc, r);
        int markupGap = canvas.WidestInnerGap();
        canvas.Clear();
        AIString plain(L"simple text");
        plain.SetFontSize(points).SetBold(0).SetTextColor(RGB(0, 0, 0));
        plain.DrawInRect(canvas.dc, r);
        int plainGap = canvas.WidestInnerGap();
        EXPECT_GE(markupGap, 3) << points << " points";
        EXPECT_LE(abs(markupGap - plainGap), 1) << points << " points";
    }
}

// Mark-up keeps the fonts it draws with for the next layout: the same text
// measures alike every time, and so does each of more sizes than are kept
// (the ones past them are made for their layout alone), larger ones wider.
TEST(AIStringDrawing, MarkupMeasuresAlikeEveryTimeWithManySizes)
{
    MemoryCanvas canvas(600, 200);
    RECT unbounded = {0, 0, 0x4000, 0x4000};
    AIString status(L"<b>Books to read</b> - <i>5 notes</i>");
    SIZE first = status.MeasureMarkupText(canvas.dc, unbounded);
    ASSERT_GT(first.cx, 40);
    for (int again = 0; again < 3; again++) {
        AIString same(L"<b>Books to read</b> - <i>5 notes</i>");
        SIZE size = same.MeasureMarkupText(canvas.dc, unbounded);
        EXPECT_EQ(first.cx, size.cx) << "layout " << again;
        EXPECT_EQ(first.cy, size.cy) << "layout " << again;
    }
    enum { kSizes = 48 };
    SIZE sizes[kSizes + 8];
    for (int round = 0; round < 2; round++) {
        for (int i = 0; i < kSizes; i++) {
            AIString text(L"<b>Wide</b> words");
            text.SetFontSize(8 + i);
            SIZE size = text.MeasureMarkupText(canvas.dc, unbounded);
            if (round == 0) sizes[i] = size;
            EXPECT_EQ(sizes[i].cx, size.cx) << "size " << 8 + i;
            if (i >= 4) EXPECT_GT(size.cx, sizes[i - 4].cx) << "size " << 8 + i;
        }
    }
    // The first text's fonts were kept through all of that.
    SIZE last = status.MeasureMarkupText(canvas.dc, unbounded);
    EXPECT_EQ(first.cx, last.cx);
}
