// The tip of the day and the getting started guide: their texts, the tip's
// stepping and wrap through real keys and buttons (and what the next start
// shows), the guide's page rules, its fade, and every key on the real screen.
#include "tests/support/gtest.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "tests/dialogs/screen_test_support.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/screens/getting_started.h"
#include "dialogs/screens/guide_pages.h"
#include "dialogs/screens/screens.h"
#include "dialogs/screens/tip_of_day.h"
#include "dialogs/screens/tip_texts.h"
#include "drawing/ai_resource_image.h"
#include "resources/resource_ids.h"
#include "foundation/app.h"
#include "foundation/settings_record.h"
#include <set>
#include <string>

namespace {

std::u16string Text(const WCHAR* text)
{
    std::u16string out;
    for (; text && *text; text++) out.push_back((char16_t)*text);
    return out;
}

// The mark-up without its tags and blanks: what a reader sees of it.
std::u16string Visible(const WCHAR* text)
{
    std::u16string out;
    int inTag = 0;
    for (; text && *text; text++) {
        if (*text == L'<') inTag = 1;
        else if (*text == L'>') inTag = 0;
        else if (!inTag && *text != L' ') out.push_back((char16_t)*text);
    }
    return out;
}

int32_t& TipIndex() { return g_app.settings.Record().tipIndex; }

void PressWithModifier(HWND host, int modifier, WPARAM key)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE saved = keys[modifier];
    keys[modifier] = 0x80;
    SetKeyboardState(keys);
    if (modifier == VK_MENU) {
        SendMessageW(host, WM_SYSKEYDOWN, key, 0x20000001);
        if (IsWindow(host)) SendMessageW(host, WM_SYSKEYUP, key, 0xE0000001);
    } else {
        PressHostKey(host, key);
    }
    keys[modifier] = saved;
    SetKeyboardState(keys);
}

class TipsAndGuideTest : public ::testing::Test {
protected:
    void SetUp() override { ResetScreenTestState(); }
};

int32_t g_seen[8];

}  // namespace

TEST(TipTexts, EveryTipHasItsOwnBodyAndTheNumbersWrapBothWays)
{
    std::set<std::u16string> bodies;
    for (int32_t n = 1; n <= kTipCount; n++) {
        std::u16string body = Visible(TipBody(n));
        EXPECT_GE(body.size(), 40u) << "tip " << n;
        EXPECT_FALSE(Visible(TipHeading(n)).empty()) << "tip " << n;
        EXPECT_TRUE(bodies.insert(body).second) << "tip " << n << " repeats another";
        AIString whole;
        ComposeTip(n, whole);
        EXPECT_EQ(0, whole.FindText(L"<h2>")) << n;
        EXPECT_GT(whole.FindText(L"</h2><sbr><sbr>"), 0) << n;
    }
    EXPECT_EQ(Text(L"Next / Previous tip"), Text(TipHeading(1)));
    EXPECT_EQ(Text(L"Sharing / Syncing"), Text(TipHeading(75)));
    EXPECT_EQ(75, WrapTipNumber(0));
    EXPECT_EQ(75, WrapTipNumber(-5));
    EXPECT_EQ(1, WrapTipNumber(76));
    EXPECT_EQ(Text(TipBody(1)), Text(TipBody(76)));
}

TEST_F(TipsAndGuideTest, TipsStepAndWrapAndTheStepIsKeptInTheSettings)
{
    TipIndex() = 75;
    ScreenRun run = RunScreen(kScreenTipOfDay, [](HWND host) {
        g_seen[0] = CurrentTipNumber();
        PressHostKey(host, VK_RIGHT);  // past the last: the first, stored as 1
        g_seen[1] = TipIndex();
        PressHostKey(host, VK_UP);  // back over the first: the last
        g_seen[2] = TipIndex();
        ClickControlCentre(host, g_screenControls.buttonA.GetRect());  // Next Tip
        ClickControlCentre(host, g_screenControls.buttonA.GetRect());
        g_seen[3] = TipIndex();
        ClickControlCentre(host, g_screenControls.buttonB.GetRect());  // Previous Tip
        g_seen[4] = TipIndex();
        PressWithModifier(host, VK_CONTROL, VK_DOWN);
        g_seen[5] = TipIndex();
        // Ctrl+Esc leaves it open; Alt+T closes it.
        PressWithModifier(host, VK_CONTROL, VK_ESCAPE);
        g_seen[6] = IsWindow(host) && DialogState == kDialogOpen;
        PressWithModifier(host, VK_MENU, 'T');
    });
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(0, run.watchdogFired);
    EXPECT_EQ(-1, run.result);
    EXPECT_EQ(75, g_seen[0]);
    EXPECT_EQ(1, g_seen[1]);
    EXPECT_EQ(75, g_seen[2]);
    EXPECT_EQ(2, g_seen[3]);
    EXPECT_EQ(1, g_seen[4]);
    EXPECT_EQ(2, g_seen[5]);
    EXPECT_EQ(1, g_seen[6]);
}

TEST_F(TipsAndGuideTest, TheNextStartShowsTheNextTip)
{
    SettingsRecord fresh;
    SettingsSetDefaults(fresh, 1);
    MoveTipOnAtStart(fresh);
    g_app.settings.Record().tipIndex = fresh.tipIndex;
    EXPECT_EQ(1, CurrentTipNumber()) << "a first start shows tip 1";

    TipIndex() = 29;
    ScreenRun run = RunScreen(kScreenTipOfDay, [](HWND host) {
        PressHostKey(host, VK_RIGHT);
        PressHostKey(host, VK_ESCAPE);
    });
    EXPECT_EQ(-1, run.result);
    MoveTipOnAtStart(g_app.settings.Record());
    ScreenRun next = RunScreen(kScreenTipOfDay, [](HWND host) {
        g_seen[0] = CurrentTipNumber();
        PressHostKey(host, VK_RETURN);
    });
    EXPECT_EQ(31, g_seen[0]);
    EXPECT_EQ(-1, next.result);

    TipIndex() = 75;
    MoveTipOnAtStart(g_app.settings.Record());
    EXPECT_EQ(1, CurrentTipNumber());
}

TEST(GuidePages, EveryPageHasItsOwnBodyAndTheRightHeader)
{
    std::set<std::u16string> bodies;
    for (int32_t page = 1; page <= kGuidePageCount; page++) {
        // Pages 4 to 8 share their list (its bold word moves): their paragraph makes each its own.
        std::u16string body = Visible(GuidePageAt(page).text) + Visible(GuidePageAt(page).footer);
        EXPECT_GE(body.size(), 20u) << "page " << page;
        EXPECT_TRUE(bodies.insert(body).second) << "page " << page << " repeats another";
    }
    EXPECT_EQ(Text(L""), Text(GuideHeader(1)));
    EXPECT_EQ(Text(L"What is it ?"), Text(GuideHeader(9)));
    EXPECT_EQ(Text(L"Why should I use it ?"), Text(GuideHeader(10)));
    EXPECT_EQ(Text(L"How do I use it ?"), Text(GuideHeader(31)));
    for (int page = 21; page <= 24; page++) {
        AIString text(GuidePageAt(page).text);
        EXPECT_EQ(0, text.FindText(L"<h1>Auto linking ")) << page;
    }
    // The header above a page is not said again as the page's own heading.
    for (int32_t page = 1; page <= kGuidePageCount; page++) {
        AIString header(GuideHeader(page));
        if (header.IsEmpty()) continue;
        AIString heading(L"<h1>");
        heading.AppendString(header).AppendText(L"</h1>");
        EXPECT_LT(AIString(GuidePageAt(page).text).FindText(heading.GetText()), 0) << "page " << page;
    }
}

TEST(GuidePages, EveryIllustratedPageCarriesAPictureThatDecodesAndFitsBesideItsText)
{
    // The overview, "Combine the strengths", the three "Why" pages, and every
    // page from the four areas of the window to the last one.
    std::set<int32_t> illustrated = {2, 9, 11, 12, 13};
    for (int32_t page = 15; page <= kGuidePageCount; page++) illustrated.insert(page);
    std::set<int> ids;
    for (int32_t page = 1; page <= kGuidePageCount; page++) {
        const GuidePage& guide = GuidePageAt(page);
        if (!illustrated.count(page)) {
            EXPECT_EQ(0, guide.picture) << "page " << page;
            continue;
        }
        ASSERT_NE(0, guide.picture) << "page " << page;
        EXPECT_TRUE(ids.insert(guide.picture).second) << "page " << page << " repeats another page's picture";
        AIResourceImage picture;
        ASSERT_EQ(1, picture.LoadResource(guide.picture, guide.pictureType)) << "page " << page;
        EXPECT_GT(picture.GetWidth(), 0) << "page " << page;
        EXPECT_LE(picture.GetWidth(), (int)kGuidePictureWidth) << "page " << page;
        EXPECT_GT(picture.GetHeight(), 0) << "page " << page;
        EXPECT_LE(picture.GetHeight(), (int)kGuidePictureHeight) << "page " << page;
    }
    // The pages from "Finding information" to "Help II" show the PNG pictures in order.
    for (int32_t page = 16; page <= 28; page++) {
        EXPECT_EQ(IDR_GUIDE_FINDING + page - 16, GuidePageAt(page).picture) << "page " << page;
        EXPECT_EQ(Text(L"PNG"), Text(GuidePageAt(page).pictureType)) << "page " << page;
    }
    // A picture asked for under the wrong type is refused, not drawn as something else.
    AIResourceImage wrongType;
    EXPECT_EQ(0, wrongType.LoadResource(IDR_GUIDE_FINDING, L"JPG"));
}

TEST(GuidePages, TheTipAndWelcomeBackdropDecodes)
{
    AIResourceImage backdrop;
    ASSERT_EQ(1, backdrop.LoadResource(IDR_SCREEN_BACKDROP, L"JPG"));
    EXPECT_GE(backdrop.GetWidth(), 500);
    EXPECT_GE(backdrop.GetHeight(), 350);
}

TEST(GuidePages, KeysAndClicksStepForwardBackAndClosePastTheLastPage)
{
    const WPARAM forward[] = {VK_SPACE, VK_RIGHT, VK_DOWN, VK_NEXT};
    const WPARAM back[] = {VK_BACK, VK_LEFT, VK_UP, VK_PRIOR};
    for (WPARAM key : forward) {
        EXPECT_EQ(6, GuidePageAfterKey(5, key)) << key;
        EXPECT_EQ(kGuideClose, GuidePageAfterKey(kGuidePageCount, key)) << key;
    }
    for (WPARAM key : back) {
        EXPECT_EQ(4, GuidePageAfterKey(5, key)) << key;
        EXPECT_EQ(1, GuidePageAfterKey(1, key)) << key;
    }
    EXPECT_EQ(1, GuidePageAfterKey(17, VK_HOME));
    EXPECT_EQ(kGuidePageCount, GuidePageAfterKey(2, VK_END));
    EXPECT_EQ(kGuideClose, GuidePageAfterKey(3, VK_ESCAPE));
    EXPECT_EQ(kGuideClose, GuidePageAfterKey(3, VK_RETURN));
    EXPECT_EQ(3, GuidePageAfterKey(3, 'Q'));
    EXPECT_EQ(2, GuidePageAfterClick(3, 1));
    EXPECT_EQ(2, GuidePageAfterClick(1, 1)) << "Previous on page 1 steps forward like any click";
    EXPECT_EQ(4, GuidePageAfterClick(3, 0));
    EXPECT_EQ(kGuideClose, GuidePageAfterClick(kGuidePageCount, 0));
}

TEST(GuidePages, AFadeGoesOutThenInOnceAndASlowMachineChangesAtOnce)
{
    GuideFade fade;
    ResetGuideFade(fade);
    int32_t finished = 0;
    EXPECT_EQ(255, StepGuideFade(fade, 1, 5, &finished));
    EXPECT_EQ(0, finished);
    // End from page 1: one transition to 31, never the pages between.
    int32_t levels[20], count = 0;
    do {
        levels[count++] = StepGuideFade(fade, 31, 5, &finished);
        EXPECT_TRUE(fade.displayed == 1 || fade.displayed == 31);
    } while (!finished && count < 20);
    EXPECT_EQ(1, finished);
    EXPECT_EQ(31, fade.displayed);
    EXPECT_EQ(11, count);  // five paints out, six in
    EXPECT_EQ(205, levels[0]);
    EXPECT_EQ(5, levels[4]);  // 255 - 50 x 5
    EXPECT_EQ(55, levels[5]);  // 255 - 40 x 5: the new page starts faint
    EXPECT_EQ(255, levels[10]);
    for (int i = 1; i < 5; i++) EXPECT_LT(levels[i], levels[i - 1]);
    for (int i = 6; i < 11; i++) EXPECT_GT(levels[i], levels[i - 1]);
    EXPECT_EQ(-1, fade.outStep);
    EXPECT_EQ(-1, fade.inStep);

    EXPECT_EQ(255, StepGuideFade(fade, 12, 0, &finished));
    EXPECT_EQ(1, finished);
    EXPECT_EQ(12, fade.displayed);
}

TEST_F(TipsAndGuideTest, TheGuideOnScreenStepsWithEveryKeyAndClosesPastTheLastPage)
{
    ScreenRun run = RunScreen(kScreenGettingStarted, [](HWND host) {
        g_seen[0] = GettingStartedPage();
        PressHostKey(host, VK_BACK);  // nothing before page 1
        g_seen[1] = GettingStartedPage();
        const WPARAM forward[] = {VK_SPACE, VK_RIGHT, VK_DOWN, VK_NEXT};
        for (WPARAM key : forward) PressHostKey(host, key);
        g_seen[2] = GettingStartedPage();
        const WPARAM back[] = {VK_BACK, VK_LEFT, VK_UP};
        for (WPARAM key : back) PressHostKey(host, key);
        g_seen[3] = GettingStartedPage();
        RECT client;
        GetClientRect(host, &client);
        ClickHost(host, client.right / 2, client.bottom / 2);  // a click anywhere steps on
        g_seen[4] = GettingStartedPage();
        PressHostKey(host, VK_END);
        g_seen[5] = GettingStartedPage();
        PressHostKey(host, VK_HOME);
        PressHostKey(host, VK_PRIOR);
        g_seen[6] = GettingStartedPage();
        PressHostKey(host, VK_END);
        PressHostKey(host, VK_SPACE);  // past the last page: closed
    });
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(0, run.watchdogFired);
    EXPECT_EQ(-1, run.result);
    EXPECT_EQ(1, g_seen[0]);
    EXPECT_EQ(1, g_seen[1]);
    EXPECT_EQ(5, g_seen[2]);
    EXPECT_EQ(2, g_seen[3]);
    EXPECT_EQ(3, g_seen[4]);
    EXPECT_EQ(kGuidePageCount, g_seen[5]);
    EXPECT_EQ(1, g_seen[6]);

    // The guide starts at page 1 again, and its arrows step it.
    ScreenRun again = RunScreen(kScreenGettingStarted, [](HWND host) {
        g_seen[0] = GettingStartedPage();
        ClickControlCentre(host, g_screenControls.buttonA.GetRect());
        ClickControlCentre(host, g_screenControls.buttonA.GetRect());
        ClickControlCentre(host, g_screenControls.buttonB.GetRect());
        g_seen[1] = GettingStartedPage();
        PressHostKey(host, VK_ESCAPE);
    });
    EXPECT_EQ(-1, again.result);
    EXPECT_EQ(1, g_seen[0]);
    EXPECT_EQ(2, g_seen[1]);
}

TEST_F(TipsAndGuideTest, TheGuideFadesToTheNewPageOnItsTimer)
{
    ScreenRun run = RunScreen(kScreenGettingStarted, [](HWND host) {
        PressHostKey(host, VK_END);
        // The host's animation timer drives the fade: poll the page shown.
        DWORD until = GetTickCount() + 3000;
        while (GettingStartedDisplayedPage() != kGuidePageCount && GetTickCount() < until) {
            MSG msg;
            if (PeekMessageW(&msg, 0, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            else MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        g_seen[0] = GettingStartedDisplayedPage();
        PressHostKey(host, VK_ESCAPE);
    });
    EXPECT_EQ(-1, run.result);
    EXPECT_EQ(kGuidePageCount, g_seen[0]);
}
