// The first-start wizard through real windows: each button answers its
// choice, the guide's choice is remembered, and only a plain Esc or Enter
// closes it without a choice.
#include "tests/support/gtest.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "tests/dialogs/screen_test_support.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/screens/first_start.h"
#include "dialogs/screens/screens.h"

namespace {

class FirstStartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetScreenTestState();
        g_guideTaken = 0;
    }
};

int g_sizeIndex = 0;

}  // namespace

TEST_F(FirstStartTest, EachButtonAnswersItsChoice)
{
    const int32_t expected[kFirstStartSizes] = {kFirstStartSimple, kFirstStartSmall, kFirstStartMedium,
                                                kFirstStartLarge};
    for (g_sizeIndex = 0; g_sizeIndex < kFirstStartSizes; g_sizeIndex++) {
        ScreenRun run = RunScreen(kScreenFirstStart, [](HWND host) {
            ClickControlCentre(host, FirstStartSizeButton(g_sizeIndex).GetRect());
        });
        EXPECT_EQ(1, run.opened);
        EXPECT_EQ(expected[g_sizeIndex], run.result) << g_sizeIndex;
    }
    EXPECT_EQ(0, g_guideTaken);
    // The guide answers 0, not 1, and is remembered for the run.
    ScreenRun guide = RunScreen(kScreenFirstStart, [](HWND host) {
        ClickControlCentre(host, FirstStartStepButton().GetRect());
    });
    EXPECT_EQ(kFirstStartGuide, guide.result);
    EXPECT_EQ(1, g_guideTaken);
    ScreenRun closed = RunScreen(kScreenFirstStart, [](HWND host) {
        ClickControlCentre(host, g_screenControls.close.GetRect());
    });
    EXPECT_EQ(kFirstStartClosed, closed.result);
}

TEST_F(FirstStartTest, OnlyAPlainEscapeOrEnterClosesIt)
{
    ScreenRun escape = RunScreen(kScreenFirstStart, [](HWND host) {
        // Other keys and Ctrl+Esc leave it open.
        PressHostKey(host, VK_SPACE);
        PressHostKey(host, 'Q');
        BYTE keys[256];
        GetKeyboardState(keys);
        BYTE saved = keys[VK_CONTROL];
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        PressHostKey(host, VK_ESCAPE);
        keys[VK_CONTROL] = saved;
        SetKeyboardState(keys);
        EXPECT_TRUE(IsWindow(host));
        EXPECT_EQ(kDialogOpen, DialogState);
        PressHostKey(host, VK_ESCAPE);
    });
    EXPECT_EQ(1, escape.opened);
    EXPECT_EQ(kFirstStartClosed, escape.result);
    ScreenRun enter = RunScreen(kScreenFirstStart, [](HWND host) { PressHostKey(host, VK_RETURN); });
    EXPECT_EQ(kFirstStartClosed, enter.result);
    EXPECT_EQ(0, enter.watchdogFired);
}
