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
