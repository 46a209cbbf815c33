// Brush and pen slot tables, and painting through AIPaintDC.
#include "tests/support/gtest.h"
#include "drawing/ai_gdi_tables.h"
#include "drawing/ai_paint_dc.h"
#include "tests/drawing/drawing_test_support.h"

TEST(GdiSlots, FullTableFailsSoftlyAndFreedSlotsAreReused)
{
    ASSERT_EQ(0, AIBrush::SlotsInUse());
    AIBrush brushes[kGdiSlotCount];
    for (int i = 0; i < kGdiSlotCount; i++) ASSERT_EQ(1, brushes[i].Create(RGB(i, 0, 0)));
    EXPECT_EQ(kGdiSlotCount, AIBrush::SlotsInUse());

    // The 21st fails without a handle and without touching any brush in use.
    AIBrush extra(RGB(9, 9, 9));
    EXPECT_EQ(0, extra.IsValid());
    EXPECT_EQ(-1, extra.GetSlot());
    for (int i = 0; i < kGdiSlotCount; i++) {
        LOGBRUSH info;
        ASSERT_EQ((int)sizeof(info), GetObjectW(brushes[i].GetHandle(), sizeof(info), &info));
        EXPECT_EQ(RGB(i, 0, 0), info.lbColor);
    }

    // A freed slot is taken by the next brush.
    int freedSlot = brushes[7].GetSlot();
    brushes[7].Free();
    EXPECT_EQ(kGdiSlotCount - 1, AIBrush::SlotsInUse());
    EXPECT_EQ(1, extra.Create(RGB(9, 9, 9)));
    EXPECT_EQ(freedSlot, extra.GetSlot());
    // Re-creating a brush in place keeps the count (its own slot is let go first).
    EXPECT_EQ(1, extra.Create(RGB(8, 8, 8)));
    EXPECT_EQ(kGdiSlotCount, AIBrush::SlotsInUse());
}

TEST(GdiSlots, PensHaveTheirOwnTableAndDestructionFreesSlots)
{
    ASSERT_EQ(0, AIBrush::SlotsInUse());
    {
        AIPen pens[kGdiSlotCount];
        for (int i = 0; i < kGdiSlotCount; i++) ASSERT_EQ(1, pens[i].Create(RGB(0, i, 0), 2));
        AIPen extra;
        EXPECT_EQ(0, extra.Create(RGB(1, 1, 1)));
        AIBrush brush(RGB(1, 1, 1));  // brushes are counted apart
        EXPECT_EQ(1, brush.IsValid());
        EXPECT_EQ(kGdiSlotCount, AIPen::SlotsInUse());
    }
    EXPECT_EQ(0, AIPen::SlotsInUse());
    EXPECT_EQ(0, AIBrush::SlotsInUse());
}

TEST(PaintDC, FillFrameAndLines)
{
    AIPaintDC paint;
    ASSERT_EQ(1, paint.CreateMemory(12, 10));
    ASSERT_NE(nullptr, paint.GetDib());
    AIDib& dib = *paint.GetDib();
    EXPECT_EQ(1, paint.FillRect(RECT{0, 0, 12, 10}, RGB(255, 255, 255)));
    EXPECT_EQ(1, paint.FillRect(RECT{2, 2, 5, 4}, RGB(10, 20, 30)));
    EXPECT_EQ(RGB(10, 20, 30), PixelAt(dib, 2, 2));
    EXPECT_EQ(RGB(10, 20, 30), PixelAt(dib, 4, 3));
    EXPECT_EQ(RGB(255, 255, 255), PixelAt(dib, 5, 3));

    EXPECT_EQ(1, paint.FrameRect(RECT{6, 1, 11, 6}, RGB(0, 0, 200)));
    EXPECT_EQ(RGB(0, 0, 200), PixelAt(dib, 6, 1));
    EXPECT_EQ(RGB(0, 0, 200), PixelAt(dib, 10, 5));
    EXPECT_EQ(RGB(255, 255, 255), PixelAt(dib, 8, 3));

    EXPECT_EQ(1, paint.SelectPen(RGB(200, 0, 0)));
    EXPECT_EQ(1, paint.Line(0, 8, 5, 8));
    EXPECT_EQ(RGB(200, 0, 0), PixelAt(dib, 0, 8));
    EXPECT_EQ(RGB(200, 0, 0), PixelAt(dib, 4, 8));
    EXPECT_EQ(RGB(255, 255, 255), PixelAt(dib, 5, 8));  // the end point is left out
    EXPECT_EQ(1, paint.SelectPen(RGB(0, 150, 0)));
    EXPECT_EQ(1, paint.Polyline3(7, 9, 7, 7, 10, 7));
    EXPECT_EQ(RGB(0, 150, 0), PixelAt(dib, 7, 8));
    EXPECT_EQ(RGB(0, 150, 0), PixelAt(dib, 9, 7));
    EXPECT_EQ(1, AIPen::SlotsInUse());  // the first pen was freed when replaced

    // Framing a plain context.
    EXPECT_EQ(1, FrameRectOnHdc(paint.GetDC(), RECT{0, 0, 2, 2}, RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), PixelAt(dib, 1, 1));
    EXPECT_EQ(0, FrameRectOnHdc(0, RECT{0, 0, 2, 2}, RGB(1, 2, 3)));
}

TEST(PaintDC, GivenContextGetsItsOwnPenBackAndFullTablesFailSoftly)
{
    AIDib dib;
    ASSERT_TRUE(MakeCanvas(dib, 8, 8, RGB(255, 255, 255)));
    HDC dc = dib.SelectIntoMemoryDC();
    HGDIOBJ originalPen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ originalBrush = GetCurrentObject(dc, OBJ_BRUSH);
    {
        AIPaintDC paint(dc);
        ASSERT_EQ(1, paint.SelectPen(RGB(0, 0, 255)));
        ASSERT_EQ(1, paint.SelectBrush(RGB(0, 255, 0)));
        HGDIOBJ ours = GetCurrentObject(dc, OBJ_PEN);
        EXPECT_NE(originalPen, ours);

        // Fill the pen table: a new pen is refused and the one selected stays.
        AIPen hog[kGdiSlotCount];
        for (int i = 0; i < kGdiSlotCount; i++) hog[i].Create(RGB(i, i, i));
        EXPECT_EQ(0, paint.SelectPen(RGB(255, 0, 0)));
        EXPECT_EQ(ours, GetCurrentObject(dc, OBJ_PEN));
        EXPECT_EQ(1, paint.Line(0, 0, 4, 0));
        EXPECT_EQ(RGB(0, 0, 255), PixelAt(dib, 2, 0));
    }
    EXPECT_EQ(originalPen, GetCurrentObject(dc, OBJ_PEN));
    EXPECT_EQ(originalBrush, GetCurrentObject(dc, OBJ_BRUSH));
    EXPECT_EQ(0, AIPen::SlotsInUse());
    EXPECT_EQ(0, AIBrush::SlotsInUse());

    AIPaintDC none;
    EXPECT_EQ(0, none.FillRect(RECT{0, 0, 1, 1}, 0));
    EXPECT_EQ(0, none.SelectPen(0));
}
