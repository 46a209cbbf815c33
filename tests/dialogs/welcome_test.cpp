// The welcome screens: the icon's tiles start within reach of the screen for
// any size and any random value and fly home; the showcase's scenes run once
// through and stay visible; both screens close by themselves or by key.
#include "tests/support/gtest.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "tests/dialogs/screen_test_support.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/screens/screens.h"
#include "dialogs/screens/welcome.h"
#include "dialogs/screens/welcome_motion.h"
#include <limits.h>

TEST(WelcomeMotion, TilesStartNearTheScreenForAnySizeAndRandomRange)
{
    const int extents[] = {0, 1, 11, 12, 13, 100, 550, 1023, 1920, 4000, 30000};
    // 0x7FFFFFFF is glibc's RAND_MAX: the start must not overflow or run far off.
    const int randoms[] = {0, 1, 0x3FFF, 0x4000, 0x7FFE, 0x7FFF, 0x8000, 0xFFFF, 0x12345678, INT_MAX};
    for (int extent : extents)
        for (int r : randoms) {
            int start = WelcomeTileStart(r, extent);
            EXPECT_GE(start, -extent / 2) << extent << " " << r;
            EXPECT_LE(start, extent * 3 / 2) << extent << " " << r;
            // Off the screen (or at its very edge) unless the screen is smaller than a tile.
            if (extent > 2 * kWelcomeTileSize) {
                EXPECT_TRUE(start <= 0 || start >= extent / 2) << extent << " " << r;
            }
        }
}

TEST(WelcomeMotion, TilesReachHomeAndOvershootOnlyByOne)
{
    EXPECT_EQ(0, WelcomeTileStep(0));
    EXPECT_EQ(1, WelcomeTileStep(3));
    EXPECT_EQ(-2, WelcomeTileStep(-4));
    EXPECT_EQ(12, WelcomeTileStep(11));  // 11 away: one past home, then back by 1
    EXPECT_EQ(-1, WelcomeTileStep(11 - 12));
    EXPECT_EQ(22, WelcomeTileStep(51));
    EXPECT_EQ(-32, WelcomeTileStep(-101));
    for (int distance = -6000; distance <= 6000; distance += 7) {
        int d = distance, ticks = 0;
        while (d != 0 && ticks < 1000) {
            d -= WelcomeTileStep(d);
            ticks++;
        }
        EXPECT_EQ(0, d) << distance;
        EXPECT_LT(ticks, 200) << distance;
    }
}

TEST(WelcomeMotion, ShowcaseRunsItsScenesOnceAndNeverDrawsInvisibly)
{
    ShowcaseCounters c;
    ResetShowcase(c);
    int ticks = 0, lastScene = 0;
    while (!AdvanceShowcase(c) && ticks < 1000) {
        ticks++;
        EXPECT_GE(c.scene, lastScene);
        EXPECT_LE(c.scene, lastScene + 1);
        lastScene = c.scene;
        EXPECT_GE(ShowcaseRampLevel(c.step), 1);
    }
    ticks++;
    // Nine scenes fade in and out (26 ticks), four diagram scenes only build up (14).
    EXPECT_EQ(9 * 26 + 4 * 14, ticks);
    EXPECT_EQ(kShowcaseLastScene, c.scene);
    EXPECT_EQ(1, AdvanceShowcase(c));  // stays ended
    EXPECT_EQ(1, ShowcaseRampLevel(0));
    EXPECT_EQ(kShowcaseRampSteps, ShowcaseRampLevel(99));
}

namespace {
class WelcomeScreensTest : public ::testing::Test {
protected:
    void SetUp() override { ResetScreenTestState(); }
};
}  // namespace

TEST_F(WelcomeScreensTest, AnimationAssemblesAndClosesByItselfOrByAKey)
{
    ScreenRun run = RunScreen(kScreenWelcomeAnimation, [](HWND) {});
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(0, run.watchdogFired);
    EXPECT_EQ(-1, run.result);
    // A second showing finds the tiles home; any key closes it.
    ScreenRun key = RunScreen(kScreenWelcomeAnimation, [](HWND host) { PressHostKey(host, 'A'); });
    EXPECT_EQ(-1, key.result);
    EXPECT_EQ(0, key.watchdogFired);
}

TEST_F(WelcomeScreensTest, ShowcaseIgnoresClicksBesideCloseAndEndsByKey)
{
    ScreenRun run = RunScreen(kScreenWelcome, [](HWND host) {
        ClickHost(host, 40, 200);
        EXPECT_TRUE(IsWindow(host));
        EXPECT_EQ(kDialogOpen, DialogState);
        PressHostKey(host, VK_RETURN);
    });
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(-1, run.result);
    EXPECT_EQ(0, run.watchdogFired);
}

TEST_F(WelcomeScreensTest, ShowcaseStandsOnAGradientLightAtTheTop)
{
    static int top = -1, bottom = -1;
    ScreenRun run = RunScreen(kScreenWelcome, [](HWND host) {
        RedrawWindow(host, 0, 0, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT client;
        GetClientRect(host, &client);
        HDC dc = GetDC(host);
        // Left of the words and above the Close button.
        int x = g_dialogHost.margin1 + 10;
        COLORREF high = GetPixel(dc, x, g_dialogHost.margin1 + kScreenTitleBarHeight + 5);
        COLORREF low = GetPixel(dc, x, client.bottom - g_dialogHost.margin2 - 80);
        ReleaseDC(host, dc);
        top = GetRValue(high) + GetGValue(high) + GetBValue(high);
        bottom = GetRValue(low) + GetGValue(low) + GetBValue(low);
        PressHostKey(host, VK_ESCAPE);
    });
    EXPECT_EQ(1, run.opened);
    EXPECT_GT(top - bottom, 30);
    EXPECT_LT(bottom, 3 * 245);  // not the plain white of the other screens
}
