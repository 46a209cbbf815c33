// Which link stepping stops at from a position, and which keys step through
// picture links while a picture is shown.
#include "tests/support/gtest.h"
#include "editor/links/link_stepping.h"
#include "editor/keys/key_map.h"

namespace {

const SteppingMarks kMarks = {0x11, 0x51};
const int32_t kTag = 0x31, kHeading = 0x80;

// "plain [web] plain note @tag web" as runs: web 6-9, note 16-20, tag 21-25, web 26-29.
const MarkRun kRuns[] = {
    {0, 6, 0}, {6, 9, 0x11}, {9, 16, 0}, {16, 20, 0x51}, {20, 21, 0}, {21, 25, kTag}, {25, 26, 0}, {26, 29, 0x11},
};
const int kCount = sizeof(kRuns) / sizeof(kRuns[0]);

TEST(LinkStepping, ForwardFindsTheFirstWebOrNoteLinkBeginningAtOrAfterThePosition)
{
    EXPECT_EQ(1, SteppedRunIndex(kRuns, kCount, 0, 1, kMarks));
    EXPECT_EQ(1, SteppedRunIndex(kRuns, kCount, 6, 1, kMarks));
    // From inside a link (or its end) the next one: the link holding the position is not stepped to.
    EXPECT_EQ(3, SteppedRunIndex(kRuns, kCount, 7, 1, kMarks));
    EXPECT_EQ(3, SteppedRunIndex(kRuns, kCount, 9, 1, kMarks));
    // Tags are passed over.
    EXPECT_EQ(7, SteppedRunIndex(kRuns, kCount, 17, 1, kMarks));
    // No wrapping round at the end.
    EXPECT_EQ(-1, SteppedRunIndex(kRuns, kCount, 27, 1, kMarks));
    EXPECT_EQ(-1, SteppedRunIndex(kRuns, kCount, 29, 1, kMarks));
}

TEST(LinkStepping, BackwardFindsTheLastLinkEndingAtOrBeforeThePosition)
{
    EXPECT_EQ(7, SteppedRunIndex(kRuns, kCount, 29, -1, kMarks));
    EXPECT_EQ(3, SteppedRunIndex(kRuns, kCount, 28, -1, kMarks));
    EXPECT_EQ(3, SteppedRunIndex(kRuns, kCount, 20, -1, kMarks));
    EXPECT_EQ(1, SteppedRunIndex(kRuns, kCount, 19, -1, kMarks));
    // No wrapping round at the beginning.
    EXPECT_EQ(-1, SteppedRunIndex(kRuns, kCount, 8, -1, kMarks));
    EXPECT_EQ(-1, SteppedRunIndex(kRuns, kCount, 0, -1, kMarks));
}

TEST(LinkStepping, NothingToStepToInPlainTextHeadingsEmptyRunsOrNoRuns)
{
    const MarkRun others[] = {{0, 4, kHeading}, {4, 4, 0x11}, {4, 9, kTag}, {9, 12, 0}};
    EXPECT_EQ(-1, SteppedRunIndex(others, 4, 0, 1, kMarks));
    EXPECT_EQ(-1, SteppedRunIndex(others, 4, 12, -1, kMarks));
    EXPECT_EQ(-1, SteppedRunIndex(nullptr, 0, 0, 1, kMarks));
    EXPECT_EQ(-1, SteppedRunIndex(kRuns, 0, 0, 1, kMarks));
}

TEST(LinkStepping, PictureKeysStepWithoutModifiersAndOtherKeysTakeThePictureAway)
{
    EXPECT_EQ(kStepNext, PictureStepOfKey(VK_SPACE, 0));
    EXPECT_EQ(kStepNext, PictureStepOfKey(VK_DOWN, 0));
    EXPECT_EQ(kStepNext, PictureStepOfKey(VK_RIGHT, 0));
    EXPECT_EQ(kStepPrevious, PictureStepOfKey(VK_UP, 0));
    EXPECT_EQ(kStepPrevious, PictureStepOfKey(VK_LEFT, 0));
    EXPECT_EQ(kStepHide, PictureStepOfKey(VK_NEXT, 0));
    EXPECT_EQ(kStepHide, PictureStepOfKey('A', 0));
    EXPECT_EQ(kStepHide, PictureStepOfKey(VK_HOME, kModCtrl));
    EXPECT_EQ(kStepHide, PictureStepOfKey(VK_DOWN, kModShift));
    EXPECT_EQ(kStepHide, PictureStepOfKey(VK_SPACE, kModCtrl));
    EXPECT_EQ(kStepHide, PictureStepOfKey(VK_UP, kModAlt));
    // Releasing a modifier leaves the picture (Ctrl+wheel zooms it).
    EXPECT_EQ(kStepNone, PictureStepOfKey(VK_CONTROL, kModCtrl));
    EXPECT_EQ(kStepNone, PictureStepOfKey(VK_SHIFT, 0));
    EXPECT_EQ(kStepNone, PictureStepOfKey(VK_MENU, kModAlt));
}

}  // namespace
