// The status line as painted: how far apart its slots lie and whether the
// digits of a count stay apart, read from the pixels of a memory bitmap.
#include "tests/support/gtest.h"
#include "ui/status_line.h"
#include "ui/colours.h"
#include <utility>
#include <vector>

namespace {

const int kWidth = 600, kHeight = 24;

// A status line painted into a 32-bit top-down bitmap.
struct PaintedLine {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    const uint32_t* pixels;

    explicit PaintedLine(AIStatusLine& line)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels = (const uint32_t*)bits;
        old = SelectObject(dc, bitmap);
        RECT rect = {0, 0, kWidth, kHeight};
        line.SetRect(rect);
        line.Paint(dc);
        GdiFlush();
    }
    ~PaintedLine()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    bool InkedColumn(int x) const
    {
        uint32_t face = pixels[0] & 0xFFFFFF;
        for (int y = 0; y < kHeight; y++)
            if ((pixels[y * kWidth + x] & 0xFFFFFF) != face) return true;
        return false;
    }
    // Runs of inked columns, left to right: [start, end) pairs.
    std::vector<std::pair<int, int>> InkRuns() const
    {
        std::vector<std::pair<int, int>> runs;
        for (int x = 0; x < kWidth; x++) {
            if (!InkedColumn(x)) continue;
            int start = x;
            while (x < kWidth && InkedColumn(x)) x++;
            runs.push_back({start, x});
        }
        return runs;
    }
};

}  // namespace

TEST(StatusLinePaint, EachDigitOfALargeCountStandsApart)
{
    AIStatusLine line;
    line.SetSlotText(L"10000", kStatusDone, 0);
    PaintedLine painted(line);
    // One run of ink per digit: no digit touches the next.
    EXPECT_EQ(5u, painted.InkRuns().size());
}

// Where the second slot's "x" starts when the first slot holds `first`.
static int SecondSlotStart(const WCHAR* first)
{
    AIStatusLine line;
    line.SetSlotText(first, kStatusDone, 0);
    line.SetSlotText(L"x", kStatusDone, 1);
    PaintedLine painted(line);
    auto runs = painted.InkRuns();
    return runs.empty() ? -1 : runs.back().first;
}

TEST(StatusLinePaint, ASlotIsAsWideAsItsShownTextNotItsTags)
{
    // "Saved" with tags around it takes the room of "Saved".
    int plain = SecondSlotStart(L"Saved");
    ASSERT_GT(plain, 0);
    EXPECT_EQ(plain, SecondSlotStart(L"<lred><u></u></lred>Saved<grey></grey>"));
    // An escaped character takes the room of the one character it shows.
    int escaped = SecondSlotStart(L"a&lt;b"), literal = SecondSlotStart(L"a-b");
    EXPECT_LE(escaped - literal, 4);
    EXPECT_GE(escaped - literal, -4);
}

TEST(StatusLineSlots, TextsBeforeTheKeptSlotGiveWayWhenTheLineIsFull)
{
    const int gap = 16;
    // Everything fits: one after another, empty slots take no room.
    int fits[4] = {50, 0, 30, 40};
    StatusSlotSpan spans[4];
    LayoutStatusSlots(fits, 4, 10, 400, gap, 3, spans);
    EXPECT_EQ(10, spans[0].left);
    EXPECT_EQ(60, spans[0].right);
    EXPECT_EQ(76, spans[2].left);
    EXPECT_EQ(122, spans[3].left);
    EXPECT_EQ(162, spans[3].right);
    // Too wide: the kept slot ends at the line's end whole, the one before
    // it is cut where the gap begins, the first stays where it was.
    int wide[4] = {50, 0, 300, 120};
    LayoutStatusSlots(wide, 4, 10, 400, gap, 3, spans);
    EXPECT_EQ(280, spans[3].left);
    EXPECT_EQ(400, spans[3].right);
    EXPECT_EQ(76, spans[2].left);
    EXPECT_EQ(280 - gap, spans[2].right);
    EXPECT_EQ(60, spans[0].right);
    // Without a kept slot the last texts are cut at the line's end.
    LayoutStatusSlots(wide, 4, 10, 400, gap, -1, spans);
    EXPECT_EQ(392, spans[3].left);
    EXPECT_EQ(400, spans[3].right);
    // A kept text wider than the line takes all of it; the others are not shown.
    int huge[2] = {50, 1000};
    LayoutStatusSlots(huge, 2, 10, 400, gap, 1, spans);
    EXPECT_EQ(10, spans[1].left);
    EXPECT_EQ(400, spans[1].right);
    EXPECT_LE(spans[0].right, spans[0].left);
}

TEST(StatusLinePaint, TheEditorsPlaceStaysOnTheLineBehindALengthWarning)
{
    // The length warning (orange) in the slot before the editor's position
    // (black): on a line too short for both the position is drawn whole at
    // its end, and the warning is cut.
    AIStatusLine line;
    line.SetKeptSlot(3);
    line.SetSlotText(L"Warning: The note is almost too long - max. 50000 (now 47001) characters permitted "
                     L"(including hyperlinks)",
                     kStatusWarning, 2);
    line.SetSlotText(L" \t Note: 1 of 1    Line: 9 of 9    Col: 0", kStatusDone, 3);
    PaintedLine painted(line);
    // The black text's last ink lies in the line's right part, and there is
    // orange ink before it.
    int lastBlack = -1, firstBlack = kWidth, orange = 0;
    for (int x = 0; x < kWidth; x++) {
        for (int y = 0; y < kHeight; y++) {
            uint32_t c = painted.pixels[y * kWidth + x] & 0xFFFFFF;
            int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
            if (r < 60 && g < 60 && b < 60) {
                lastBlack = x;
                if (x < firstBlack) firstBlack = x;
            }
            if (r > 150 && g > 60 && g < 150 && b < 60 && x < firstBlack) orange++;
        }
    }
    EXPECT_GT(lastBlack, kWidth - 40) << "the position ends near the line's end";
    EXPECT_GT(firstBlack, kWidth / 2) << "the position is drawn in its own place, not over the warning";
    EXPECT_GT(orange, 20) << "the warning shows before it";
    RECT kept = line.GetSlotRect(3);
    EXPECT_EQ(kWidth, kept.right);
    RECT empty = line.GetSlotRect(5);
    EXPECT_TRUE(IsRectEmpty(&empty)) << "an empty slot has no place";
}
