// The File panel, Favourites and Shortcuts screens through real windows:
// their clicks and keys give their results, and the File panel's results
// reach the file commands.
#include "tests/support/gtest.h"
#include "tests/support/keyboard.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "tests/dialogs/screen_test_support.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/screen_launchers.h"
#include "dialogs/screens/favourites_table.h"
#include "dialogs/screens/file_panel_rules.h"
#include "dialogs/screens/screens.h"
#include "dialogs/screens/shortcuts_text.h"
#include "foundation/app.h"
#include "foundation/settings_record.h"
#include "resources/resource_ids.h"

namespace {

class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override { ResetScreenTestState(); }
};

WPARAM g_key = 0;
void PressTheKey(HWND host) { PressHostKey(host, g_key); }

// The file panel's list: row 1 lies one row below the list's heading.
const int kListTopInHost = kScreenMargin1 + 45;
POINT RecentRowPoint(int row)
{
    POINT p = {kScreenMargin1 + 150 + 40, kListTopInHost + 5 + row * kFilePanelRowHeight + 10};
    return p;
}

}  // namespace

TEST_F(ScreensTest, FilePanelKeysReachTheFileCommands)
{
    struct {
        WPARAM key;
        UINT command;
    } const cases[] = {{'N', IDM_NEW_DATAFILE}, {'O', IDM_OPEN_DATAFILE}, {'A', IDM_SAVE_COPY},
                       {'P', IDM_PRINT_NOTE},   {'G', IDM_PAGE_SETUP_PRINT}, {'X', IDM_EXIT}};
    for (const auto& c : cases) {
        g_testWindows.lastFrameCommand = 0;
        g_key = c.key;
        ScreenRun run = RunScreen(kScreenFilePanel, PressTheKey, 1);
        EXPECT_EQ(1, run.opened) << (char)c.key;
        EXPECT_EQ(c.command, g_testWindows.lastFrameCommand) << (char)c.key;
        EXPECT_EQ(0u, g_dialogCenter.busy);
    }
    g_key = 'S';
    ScreenRun refresh = RunScreen(kScreenFilePanel, PressTheKey, 1);
    EXPECT_EQ(3, refresh.result);
    EXPECT_EQ(1, g_testWindows.refreshes);
    g_testWindows.frameCommands = 0;
    g_key = VK_ESCAPE;
    EXPECT_EQ(-1, RunScreen(kScreenFilePanel, PressTheKey, 1).result);
    EXPECT_EQ(0, g_testWindows.frameCommands);
}

namespace {

WPARAM g_letter = 0;
void PressAltLetter(HWND)
{
    TestKeyboard keys;
    keys.Press((UINT)g_letter, kAltKey);
}

}  // namespace

TEST_F(ScreensTest, FilePanelButtonsAnswerAltWithTheirMarkedLetter)
{
    // Each button's caption marks the letter that chooses it, and Alt with
    // that letter chooses it as the letter alone does.
    for (int i = 0; i < kFilePanelButtons; i++) {
        const WCHAR* caption = FilePanelButtonCaption(i);
        const WCHAR* mark = caption;
        while (*mark && *mark != L'&') mark++;
        ASSERT_TRUE(*mark && mark[1]) << i;
        WPARAM letter = (WPARAM)CharUpperW((LPWSTR)(UINT_PTR)mark[1]);
        EXPECT_EQ(FilePanelButtonResult(i), FilePanelResultForKey(letter, 0)) << i;
    }
    g_letter = 'O';
    EXPECT_EQ(2, RunScreen(kScreenFilePanel, PressAltLetter).result);
    g_letter = 'X';
    EXPECT_EQ(99, RunScreen(kScreenFilePanel, PressAltLetter).result);
}

TEST_F(ScreensTest, FilePanelButtonsAndRecentRowsAreClicked)
{
    // Page Setup stands above Print but answers 6.
    ScreenRun setup = RunScreen(kScreenFilePanel, [](HWND host) { ClickHost(host, kScreenMargin1 + 60, kScreenMargin1 + 250); }, 1);
    EXPECT_EQ(6, setup.result);
    EXPECT_EQ((UINT)IDM_PAGE_SETUP_PRINT, g_testWindows.lastFrameCommand);

    SettingsSetRecentFile(g_app.settings.Record(), 0, L"C:\\notes\\other.tavik");
    g_testWindows.openAnswer = 1;
    ScreenRun recent = RunScreen(kScreenFilePanel, [](HWND host) {
        // A digit with no row under the mouse chooses nothing.
        PressHostKey(host, '1');
        EXPECT_TRUE(IsWindow(host));
        POINT p = RecentRowPoint(1);
        ClickHost(host, p.x, p.y);
    }, 1);
    EXPECT_EQ(101, recent.result);
    EXPECT_STREQ(Utf8(g_testWindows.openedPath).c_str(), "C:\\notes\\other.tavik");
    // The digit of a hovered row; an empty row cannot be chosen.
    ScreenRun digit = RunScreen(kScreenFilePanel, [](HWND host) {
        POINT empty = RecentRowPoint(2);
        ClickHost(host, empty.x, empty.y);
        EXPECT_TRUE(IsWindow(host));
        POINT p = RecentRowPoint(1);
        SendMessageW(host, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        PressHostKey(host, '3');
    }, 1);
    EXPECT_EQ(103, digit.result);
    // A row is found under the mouse before the panel has painted it.
    SettingsSetRecentFile(g_app.settings.Record(), 0, L"");
    ScreenRun unpainted = RunScreen(kScreenFilePanel, [](HWND host) {
        SettingsSetRecentFile(g_app.settings.Record(), 0, L"C:\\notes\\other.tavik");
        POINT p = RecentRowPoint(1);
        ClickHost(host, p.x, p.y);
    }, 1);
    EXPECT_EQ(101, unpainted.result);
}

namespace {
int g_dividerAt = -1;
int Brightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }
}  // namespace

// The screen lies under a light glass: colours are compared, not matched.
TEST_F(ScreensTest, FilePanelDividesItsColumnsWithADarkAndALightLine)
{
    g_dividerAt = -1;
    ScreenRun run = RunScreen(kScreenFilePanel, [](HWND host) {
        RedrawWindow(host, 0, 0, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(host);
        const int y = 360;
        for (int x = 100; x < 250 && g_dividerAt < 0; x++) {
            int before = Brightness(GetPixel(dc, x - 1, y)), dark = Brightness(GetPixel(dc, x, y));
            int light = Brightness(GetPixel(dc, x + 1, y)), pane = Brightness(GetPixel(dc, x + 2, y));
            if (before - dark > 100 && light - dark > 100 && light > pane) g_dividerAt = x;
        }
        ReleaseDC(host, dc);
        PressHostKey(host, VK_ESCAPE);
    }, 1);
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(kScreenMargin1 + 150, g_dividerAt);
}

TEST_F(ScreensTest, FilePanelRowsAndPathsAreCutToTheirSpace)
{
    AIString shown;
    FilePanelRowText(L"C:\\data\\a_name_of_forty_five_characters_exactly.tavik", shown);
    EXPECT_STREQ(Utf8(shown).c_str(), "a_name_of_forty_five_characters_exactly....");  // 40 of its 45
    FilePanelRowText(L"", shown);
    EXPECT_STREQ(Utf8(shown).c_str(), "...");
    AIString lines;
    FilePanelPathLines(L"C:\\a_rather_long_folder_name\\and_another_folder_name\\notes.tavik", lines);
    EXPECT_STREQ(Utf8(lines).c_str(), "C:\\a_rather_long_folder_name\\and_another_folder_name\\\r\nnotes.tavik");
    EXPECT_EQ(0, FilePanelResultForKey('3', 0));
    EXPECT_EQ(109, FilePanelResultForKey('9', 4));
    EXPECT_EQ(0, FilePanelRowAt(kListTopInHost + 20, kListTopInHost));  // the heading
    EXPECT_EQ(1, FilePanelRowAt(kListTopInHost + 5 + kFilePanelRowHeight, kListTopInHost));
}

TEST_F(ScreensTest, FavouritesChooseRemoveAndSurviveARestart)
{
    g_favourites.Clear();
    g_favourites.Set(5, L"Garden");
    g_favourites.Set(2, L"Plans, 2024");  // a comma stays inside the title
    // Pressing 3 answers like a click on slot 3: 4; the release of a key
    // pressed before the screen opened (the 0 of Ctrl+0) is not the screen's.
    ScreenRun pressed = RunScreen(kScreenFavourites, [](HWND host) {
        SendMessageW(host, WM_KEYUP, '3', 0xC0000001);
        EXPECT_TRUE(IsWindow(host));
        EXPECT_EQ(kDialogOpen, DialogState);
        PressHostKey(host, '3');
    });
    EXPECT_EQ(4, pressed.result);
    // Removing slot 5 empties it and leaves the screen open; slot 1 is chosen.
    ScreenRun run = RunScreen(kScreenFavourites, [](HWND host) {
        int filledBefore = g_favourites.Get(5)[0] != 0;
        EXPECT_EQ(1, filledBefore);
        // Slot 5 is the middle one; its remove button is its top right corner.
        RECT five = FavouritesSlotRect(5);
        ClickHost(host, five.right - 10, five.top + 10);
        EXPECT_TRUE(IsWindow(host));
        EXPECT_EQ(0, g_favourites.Get(5)[0]);
        RECT one = FavouritesSlotRect(1);
        ClickHost(host, one.left + 20, one.top + 20);  // slot 1
    });
    EXPECT_EQ(2, run.result);
    EXPECT_EQ(0, g_favourites.Get(5)[0]);
    // The table went into the stored settings: a restart reads it back.
    SettingsSetFavouritesText(g_app.settings.Record(), L"");
    ASSERT_EQ(1, g_app.settings.Load(g_app.system.IsWine()));
    AIString stored;
    SettingsGetFavouritesText(g_app.settings.Record(), stored);
    FavouritesTable restarted;
    restarted.Load(stored.GetText());
    EXPECT_STREQ(Utf8(AIString(restarted.Get(2))).c_str(), "Plans, 2024");
    EXPECT_EQ(0, restarted.Get(5)[0]);
}

namespace {
int g_hotWhenLeft = -1, g_hotWhenOpened = -1;
RECT g_grid = {0, 0, 0, 0}, g_client = {0, 0, 0, 0};
}  // namespace

TEST_F(ScreensTest, FavouritesGridStandsInTheMiddleAndForgetsTheLastOpeningsHover)
{
    g_favourites.Clear();
    // Left with the pointer over slot 1 (Esc, no click)...
    ScreenRun first = RunScreen(kScreenFavourites, [](HWND host) {
        RECT one = FavouritesSlotRect(1), nine = FavouritesSlotRect(9);
        g_grid = {one.left, one.top, nine.right, nine.bottom};
        GetClientRect(host, &g_client);
        TestKeyboard mouse;
        mouse.MoveMouse(host, one.left + 20, one.top + 20);
        g_hotWhenLeft = FavouritesSlotShownHot(1);
        mouse.Press(VK_ESCAPE);
    });
    EXPECT_EQ(-1, first.result);
    EXPECT_EQ(1, g_hotWhenLeft);
    // ...and the pointer away from where the screen opens: the next opening
    // shows no slot lit.
    SetCursorPos(0, 0);
    ScreenRun second = RunScreen(kScreenFavourites, [](HWND host) {
        g_hotWhenOpened = FavouritesSlotShownHot(1);
        PressHostKey(host, VK_ESCAPE);
    });
    EXPECT_EQ(-1, second.result);
    EXPECT_EQ(0, g_hotWhenOpened);
    // The same room on either side of the grid.
    int leftRoom = g_grid.left, rightRoom = g_client.right - g_grid.right;
    EXPECT_LE(abs(leftRoom - rightRoom), 2) << leftRoom << " " << rightRoom;
}

TEST_F(ScreensTest, FavouritesTextIsReadBackSplitOnTheSeparatorOnly)
{
    FavouritesTable table;
    table.Load(L"1:One, two\x00A4" L"9:Nine\x00A4" L"0:bad\x00A4" L"x:bad\x00A4" L"4:\x00A4" L"3:Three");
    EXPECT_STREQ(Utf8(AIString(table.Get(1))).c_str(), "One, two");
    EXPECT_STREQ(Utf8(AIString(table.Get(3))).c_str(), "Three");
    EXPECT_STREQ(Utf8(AIString(table.Get(9))).c_str(), "Nine");
    EXPECT_EQ(0, table.Get(4)[0]);
    EXPECT_EQ(0, table.Set(0, L"out of range"));
    AIString joined;
    table.Join(joined, 1000);
    EXPECT_STREQ(Utf8(joined).c_str(), "1:One, two\xC2\xA4" "3:Three\xC2\xA4" "9:Nine\xC2\xA4");
    // Bounded: only whole items that fit.
    table.Join(joined, 15);
    EXPECT_STREQ(Utf8(joined).c_str(), "1:One, two\xC2\xA4");
}

TEST_F(ScreensTest, ShortcutsSixTabsByClickAndArrowAndTheTabIsKept)
{
    g_shortcutsTab = 0;
    ScreenRun run = RunScreen(kScreenShortcuts, [](HWND host) {
        EXPECT_EQ(1, g_shortcutsTab);  // the first showing opens "Navigate"
        for (int tab = kShortcutTabs; tab >= 1; tab--) {
            ClickControlCentre(host, g_screenControls.tabs[tab - 1].GetRect());
            EXPECT_EQ(tab, g_shortcutsTab);
        }
        PressHostKey(host, VK_UP);  // nothing above the first tab
        EXPECT_EQ(1, g_shortcutsTab);
        for (int i = 0; i < 8; i++) PressHostKey(host, VK_DOWN);
        EXPECT_EQ(kShortcutTabs, g_shortcutsTab);
        PressHostKey(host, VK_UP);
        PressHostKey(host, VK_SPACE);
    });
    EXPECT_EQ(-1, run.result);
    ScreenRun again = RunScreen(kScreenShortcuts, [](HWND host) {
        EXPECT_EQ(5, g_shortcutsTab);
        ClickControlCentre(host, g_screenControls.close.GetRect());
    });
    EXPECT_EQ(-1, again.result);
    EXPECT_STREQ(Utf8(AIString(ShortcutTabName(4))).c_str(), "Mouse");
}

TEST_F(ScreensTest, ShortcutsColumnsHoldTheKeyMap)
{
    AIString keys, descriptions;
    ShortcutColumns(4, keys, descriptions);  // Mouse: six keys, seven descriptions
    EXPECT_GE(keys.FindText(L"Ctrl + Scrollwheel button"), 0);
    EXPECT_GE(descriptions.FindText(L"will scroll the Preview window"), 0);
    EXPECT_LT(keys.FindText(L"Preview"), 0);
    ShortcutColumns(5, keys, descriptions);
    int first = keys.FindText(L"<b>Escape</b>");
    ASSERT_GE(first, 0);
    EXPECT_GE(keys.FindTextFrom(L"<b>Escape</b>", first + 1, 0), 0);  // under QuickSearch and full-text search
    EXPECT_GE(descriptions.FindText(L"Toggle QuickSearch and Editor"), 0);
    EXPECT_GE(descriptions.FindText(L"Return to QuickSearch"), 0);
    ShortcutColumns(6, keys, descriptions);
    EXPECT_GE(descriptions.FindText(L"Quick Help (this)"), 0);
}

namespace {

struct IconRun {
    int first = -1, last = -1, areaLeft = 0, areaWidth = 0;
} g_iconRun;

int IsIconBlue(COLORREF c) { return GetBValue(c) > GetRValue(c) + 60; }

void FindTheIcon(HWND host)
{
    RedrawWindow(host, 0, 0, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client;
    GetClientRect(host, &client);
    g_iconRun.areaLeft = g_dialogHost.margin1;
    g_iconRun.areaWidth = client.right - g_dialogHost.margin1 - g_dialogHost.margin2;
    // Across the middle of the large icon: its blue sides.
    HDC dc = GetDC(host);
    int y = g_dialogHost.margin1 + 50 + 128;
    for (int x = 0; x < client.right; x++)
        if (IsIconBlue(GetPixel(dc, x, y))) {
            if (g_iconRun.first < 0) g_iconRun.first = x;
            g_iconRun.last = x;
        }
    ReleaseDC(host, dc);
    PressHostKey(host, VK_ESCAPE);
}

}  // namespace

TEST_F(ScreensTest, AboutShowsTheLargeIconFromTheMiddleOfTheScreen)
{
    g_iconRun = IconRun();
    ScreenRun run = RunScreen(kScreenAbout, FindTheIcon);
    EXPECT_EQ(1, run.opened);
    EXPECT_EQ(-1, run.result);
    // The card's blue edge lies an eighth of the icon inside its left side.
    int iconLeft = g_iconRun.areaLeft + g_iconRun.areaWidth / 2;
    EXPECT_GE(g_iconRun.first, iconLeft + 20);
    EXPECT_LE(g_iconRun.first, iconLeft + 36);
    EXPECT_GT(g_iconRun.last - g_iconRun.first, 190);  // drawn 256 pixels wide
}
