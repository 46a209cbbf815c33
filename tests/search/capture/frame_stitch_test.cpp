// Capture frames made here from a known tall page (a fixed header, scrolled
// views, blank stretches) stitched back: the result must be the page.
#include "tests/support/gtest.h"
#include "search/capture/frames/frame_stitch.h"
#include <string.h>
#include <vector>

namespace {

typedef std::vector<uint8_t> Pixels;

const int kWidth = 160;
const int kStride = (kWidth * 3 + 3) & ~3;

// A page of distinct rows; rows in [blankFrom, blankTo) are white, like the
// space between paragraphs.
Pixels MakePage(int rows, int blankFrom = 0, int blankTo = 0)
{
    Pixels page((size_t)rows * kStride, 0);
    uint32_t seed = 12345;
    for (int y = 0; y < rows; y++) {
        uint8_t* row = &page[(size_t)y * kStride];
        for (int x = 0; x < kWidth * 3; x++) {
            seed = seed * 1103515245u + 12345u;
            row[x] = (y >= blankFrom && y < blankTo) ? 255 : (uint8_t)(seed >> 16);
        }
    }
    return page;
}

// A frame of height rows: header rows of its own, then the page from offset.
Pixels MakeFrame(const Pixels& page, int pageRows, int height, int header, int offset)
{
    Pixels frame((size_t)height * kStride, 0);
    for (int y = 0; y < header; y++) memset(&frame[(size_t)y * kStride], 40 + y, kWidth * 3);
    for (int y = header; y < height; y++) {
        int from = offset + y - header;
        if (from < pageRows) memcpy(&frame[(size_t)y * kStride], &page[(size_t)from * kStride], kStride);
    }
    return frame;
}

struct Stitched {
    StitchPlan plan;
    Pixels image;
};

Stitched Stitch(const std::vector<Pixels>& frames, int height)
{
    std::vector<const uint8_t*> pointers;
    for (const Pixels& f : frames) pointers.push_back(f.data());
    FrameGeometry g = {kWidth, height, kStride};
    Stitched s;
    EXPECT_EQ(1, PlanStitch(pointers.data(), (int)pointers.size(), g, &s.plan));
    s.image.assign((size_t)s.plan.height * kStride, 0);
    ComposeStitch(pointers.data(), g, s.plan, s.image.data(), kStride);
    return s;
}

// The page as the frames should give it: the header once, then the page's
// rows [0, rows).
Pixels Expected(const Pixels& page, int header, int rows)
{
    Pixels first = MakeFrame(page, rows, header, header, 0);
    first.insert(first.end(), page.begin(), page.begin() + (size_t)rows * kStride);
    return first;
}

// Frames of a page scrolled by step rows each time (the last one stops at the
// page's end, as a browser does).
std::vector<Pixels> Scroll(const Pixels& page, int pageRows, int height, int header, int step, int frames)
{
    std::vector<Pixels> out;
    int view = height - header;
    for (int i = 0; i < frames; i++) {
        int offset = i * step;
        if (offset > pageRows - view) offset = pageRows - view;
        out.push_back(MakeFrame(page, pageRows, height, header, offset));
    }
    return out;
}

TEST(FrameStitch, TwoFramesWithNoFortyAndAHundredRowsOfOverlap)
{
    const int h = 300;
    for (int overlap : {0, 40, 100}) {
        Pixels page = MakePage(2 * h - overlap);
        std::vector<Pixels> frames = Scroll(page, 2 * h - overlap, h, 0, h - overlap, 2);
        Stitched s = Stitch(frames, h);
        EXPECT_EQ(2 * h - overlap, s.plan.height) << "overlap " << overlap;
        EXPECT_TRUE(s.image == Expected(page, 0, 2 * h - overlap)) << "overlap " << overlap;
    }
}

TEST(FrameStitch, FixedHeaderIsTakenOnceAndOverlapRemoved)
{
    // Two frames, a 40-row header and 100 rows of overlap: height * 2 - 40 - 100.
    const int h = 300, header = 40, overlap = 100;
    int rows = 2 * (h - header) - overlap;
    Pixels page = MakePage(rows);
    Stitched s = Stitch(Scroll(page, rows, h, header, h - header - overlap, 2), h);
    EXPECT_EQ(2 * h - header - overlap, s.plan.height);
    EXPECT_TRUE(s.image == Expected(page, header, rows));
}

TEST(FrameStitch, IdenticalFramesAndAShortPageGiveOneScreen)
{
    const int h = 200;
    Pixels page = MakePage(h);
    Pixels frame = MakeFrame(page, h, h, 0, 0);
    EXPECT_EQ(0, FramesDiffer(frame.data(), frame.data(), FrameGeometry{kWidth, h, kStride}));
    Stitched same = Stitch({frame, frame, frame}, h);
    EXPECT_EQ(h, same.plan.height);
    EXPECT_TRUE(same.image == frame);

    // A page shorter than the window: one frame, blank below the page.
    Pixels shortPage = MakePage(120);
    Pixels only = MakeFrame(shortPage, 120, h, 0, 0);
    Stitched one = Stitch({only}, h);
    EXPECT_EQ(h, one.plan.height);
    EXPECT_TRUE(one.image == only);
}

TEST(FrameStitch, NineFramesWithHeaderAndAShortLastStepGiveThePage)
{
    const int h = 180, header = 25, step = 140;
    const int rows = 8 * step + 90;  // the last scroll moves less than a page
    Pixels page = MakePage(rows);
    std::vector<Pixels> frames = Scroll(page, rows, h, header, step, 9);
    Stitched s = Stitch(frames, h);
    EXPECT_EQ(9, s.plan.count);
    EXPECT_EQ(header + rows, s.plan.height);
    EXPECT_TRUE(s.image == Expected(page, header, rows));

    // More frames than a capture takes: the first nine only.
    frames.push_back(frames.back());
    frames.push_back(MakeFrame(MakePage(h, 0, 0), h, h, 0, 0));
    Stitched capped = Stitch(frames, h);
    EXPECT_EQ(9, capped.plan.count);
    EXPECT_EQ(header + rows, capped.plan.height);
}

TEST(FrameStitch, BlankStretchAcrossTheSeamKeepsEveryRow)
{
    // 65 white rows straddle the place where the second frame starts: its
    // first row is white and matches many rows of the older frame, only one
    // place matches down to the older frame's end.
    const int h = 240, step = 200;
    const int rows = step + h;
    Pixels page = MakePage(rows, step - 50, step + 15);
    Stitched s = Stitch(Scroll(page, rows, h, 0, step, 2), h);
    EXPECT_EQ(rows, s.plan.height);
    EXPECT_TRUE(s.image == Expected(page, 0, rows));
}

TEST(FrameStitch, NewRowsStayWithinTheFrame)
{
    // Keys the way frames could give them: every row equal (a blank window)
    // and a newer frame that repeats nothing.
    const int h = 50;
    std::vector<uint32_t> blank(h, 7), other(h), older(h);
    for (int y = 0; y < h; y++) { other[y] = 1000 + y; older[y] = 5000 + y; }
    EXPECT_EQ(0, CountNewRows(blank.data(), blank.data(), h, CountHeaderRows(blank.data(), blank.data(), h)));
    EXPECT_EQ(h, CountNewRows(older.data(), other.data(), h, 0));
    EXPECT_EQ(0, CountNewRows(older.data(), other.data(), h, h));
    EXPECT_EQ(h / 3, CountHeaderRows(blank.data(), blank.data(), h));

    StitchPlan plan;
    FrameGeometry bad = {0, h, 0};
    const uint8_t* none[1] = {nullptr};
    EXPECT_EQ(0, PlanStitch(none, 1, bad, &plan));
    EXPECT_EQ(0, plan.height);
}

}  // namespace
