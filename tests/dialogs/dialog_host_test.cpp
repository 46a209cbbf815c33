// The dialog host with real screens: a screen opens over the darkened
// backdrop through RunDialogScreen, answers its keys and clicks, closes with
// its result, and the windows are given back once.
#include "tests/support/gtest.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "tests/dialogs/screen_test_support.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/modal_backdrop.h"
#include "dialogs/screen_launchers.h"
#include "dialogs/screens/about_text.h"
#include "foundation/app.h"

namespace {

class DialogHostTest : public ::testing::Test {
protected:
    void SetUp() override { ResetScreenTestState(); }
};

void ExpectGivenBack(const ScreenRun& run)
{
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(0, run.watchdogFired);
    EXPECT_EQ(0u, g_dialogCenter.busy);
    EXPECT_EQ(kDialogNone, DialogState);
    EXPECT_EQ(0, GetBackdropWindow() != 0);
    EXPECT_EQ(0, g_dialogHostWindow != 0);
    EXPECT_EQ(0, DialogOpenCount);
    EXPECT_TRUE(IsWindowEnabled(g_testWindows.frame));
    EXPECT_EQ(100, g_app.GetActiveWindowId());
    EXPECT_TRUE(g_testWindows.statusText.EqualsText(L"Ready"));
}

HWND g_hostSeen = 0;
int g_activeWhileOpen = 0;

void ClickClose(HWND host)
{
    g_hostSeen = host;
    g_activeWhileOpen = g_app.GetActiveWindowId();
    ClickControlCentre(host, g_screenControls.close.GetRect());
}

}  // namespace

TEST_F(DialogHostTest, AboutOpensOverTheDarkenedBackdropAndClosesWithItsButton)
{
    ScreenRun run = RunScreen(kScreenAbout, ClickClose);
    EXPECT_EQ(-1, run.result);
    ExpectGivenBack(run);
    EXPECT_EQ(kDialogHostWindowId, g_activeWhileOpen);
    EXPECT_FALSE(IsWindow(g_hostSeen));
    // Darkened to the screen's level while it was up, and cleared afterwards.
    EXPECT_EQ(1, run.backdropSeen);
    EXPECT_EQ(100, run.lowestAlpha);
    // The launcher says what it opens.
    ScreenRun again = {};
    g_testWindows.statusCalls = 0;
    UINT_PTR t = SetTimer(0, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) CALLBACK {
        if (DialogState == kDialogOpen && g_dialogHost.window) {
            KillTimer(0, id);
            PressHostKey(g_dialogHost.window, VK_RETURN);
        }
    });
    again.result = ShowAboutScreen();
    KillTimer(0, t);
    EXPECT_EQ(-1, again.result);
    EXPECT_GE(g_testWindows.statusCalls, 2);  // "About Orvanta Tavik", then "Ready"
}

TEST_F(DialogHostTest, EscapeClosesOnlyWhenItWasPressedInTheHost)
{
    ScreenRun run = RunScreen(kScreenAbout, [](HWND host) {
        // The release of an Escape that closed something before the host opened.
        SendMessageW(host, WM_KEYUP, VK_ESCAPE, 0xC0000001);
        EXPECT_TRUE(IsWindow(host));
        EXPECT_EQ(kDialogOpen, DialogState);
        PressHostKey(host, VK_ESCAPE);
    });
    EXPECT_EQ(-1, run.result);
    ExpectGivenBack(run);
}

TEST_F(DialogHostTest, AKeyPressedWhileTheScreenFadesInCounts)
{
    ScreenRun run = RunScreen(kScreenAbout, [](HWND host) {
        // The host as it is while it fades in (here the fade ends at its
        // first paint): still disabled and opening.
        EnableWindow(host, FALSE);
        DialogState = kDialogHostOpening;
        PressHostKey(host, VK_ESCAPE);
    });
    EXPECT_EQ(-1, run.result);
    ExpectGivenBack(run);
}

TEST_F(DialogHostTest, HostClosingAfterTheBackdropWentLeavesNoStrayTimer)
{
    ScreenRun run = RunScreen(kScreenAbout, [](HWND) {
        // The backdrop goes first (as when a new dialog makes way); its end
        // destroys the host, whose close must not start a timer of nobody's.
        DestroyWindow(GetBackdropWindow());
    });
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(0u, g_dialogCenter.busy);
    EXPECT_EQ(0, g_dialogHostWindow != 0);
    DWORD until = GetTickCount() + 300;
    int strayTicks = 0;
    while ((int)(until - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, (HWND)-1, WM_TIMER, WM_TIMER, PM_REMOVE)) strayTicks++;
        Sleep(10);
    }
    EXPECT_EQ(0, strayTicks);
}

TEST_F(DialogHostTest, AboutTextNamesTheSystemOnce)
{
    AboutFacts facts = {L"1.2", L"ann<b>", L"PC", L"Windows 7", 1, 1, L"5.31", 320, 4, 200};
    AIString text;
    ComposeAboutText(facts, text);
    EXPECT_GE(text.FindText(L"(1.2)"), 0);
    EXPECT_GE(text.FindText(L"User: ann&lt;b&gt;"), 0);  // a name is never mark-up
    EXPECT_GE(text.FindText(L"Windows 7 (OSX Wine)"), 0);
    EXPECT_LT(text.FindText(L"Linux Wine"), 0);
    EXPECT_GE(text.FindText(L"Riched 5.31 (320-4-200)"), 0);
    facts.isMac = 0;
    ComposeAboutText(facts, text);
    EXPECT_GE(text.FindText(L"Windows 7 (Linux Wine)"), 0);
    facts.isWine = 0;
    ComposeAboutText(facts, text);
    EXPECT_LT(text.FindText(L"Wine"), 0);
}

TEST_F(DialogHostTest, CreditsRunThroughEveryPageAndStartAgain)
{
    CreditCycle cycle;
    int pagesSeen[kCreditPageCount] = {};
    int risingPaints = 0;
    for (int paint = 0; paint < 2 * kCreditTopLevel * kCreditPageCount; paint++) {
        pagesSeen[cycle.page]++;
        if (cycle.page == 3 && cycle.rising) risingPaints++;
        cycle.Advance();
    }
    for (int page = 0; page < kCreditPageCount; page++) EXPECT_EQ(2 * kCreditTopLevel, pagesSeen[page]) << page;
    EXPECT_EQ(kCreditTopLevel, risingPaints);
    EXPECT_EQ(0, cycle.page);
    EXPECT_EQ(0, cycle.level);
    // Page 0 and the last page show nothing.
    EXPECT_EQ(0, GetCreditPage(0).heading[0]);
    EXPECT_EQ(L' ', GetCreditPage(kCreditPageCount - 1).heading[0]);
}
