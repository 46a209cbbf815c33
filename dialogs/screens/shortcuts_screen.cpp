// Screen 14, Shortcuts: the program's key map on six tabs chosen by buttons
// down the left. It changes nothing and answers -1; the tab shown last is
// shown again next time.
#include "dialogs/screens/shortcuts_text.h"
#include "dialogs/screens/screens.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "resources/resource_ids.h"
#include "foundation/app.h"
#include "ui/colours.h"
#include <windowsx.h>

int g_shortcutsTab = 1;  // outlives the screen within a run

namespace {

enum { kBandPictureFromRight = 60, kBandPictureTop = 8 };

enum {
    kTabsFromRight = 520,
    kTabsFromRightMac = 510,
    kTabTop = 140,
    kTabStep = 40,
    kCloseFromRight = 80,
    kCloseTop = 390,
    kKeyLeft = 160,
    kDescriptionLeft = 300,
    kSearchDescriptionLeft = 310,
    kColumnsTop = 48,
    kColumnsRight = 520,
    kTipTop = 362,
    kColumnsBottom = 360,
    kColumnPoints = 8,
};
const int kSearchTab = 5;

void ShortcutsOnShow()
{
    SetScreenFrameStyle(kFrameStyleTabs);
    if (g_shortcutsTab < 1 || g_shortcutsTab > kShortcutTabs) g_shortcutsTab = 1;
}

LRESULT ShortcutsOnCreate(HWND, UINT, WPARAM, LPARAM)
{
    int offset = ScreenContentOffset(), w = g_dialogHost.width;
    int left = w - (g_app.system.IsMac() ? kTabsFromRightMac : kTabsFromRight);
    for (int tab = 1; tab <= kShortcutTabs; tab++)
        PlaceSharedControl(g_screenControls.tabs[tab - 1], ShortcutTabName(tab), left,
                           offset + kTabTop + (tab - 1) * kTabStep, kScreenTabWidth, kScreenButtonHeight);
    PlaceSharedControl(g_screenControls.close, L"Close", w - kCloseFromRight, offset + kCloseTop, kScreenCloseWidth,
                       kScreenButtonHeight);
    return 0;
}

void ShowTab(HWND host, int tab)
{
    if (tab < 1 || tab > kShortcutTabs || tab == g_shortcutsTab) return;
    g_shortcutsTab = tab;
    InvalidateRect(host, 0, FALSE);
}

LRESULT ShortcutsOnMouseUp(HWND host, UINT, WPARAM, LPARAM lParam)
{
    AIControl* clicked = SharedControlsMouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    InvalidateRect(host, 0, FALSE);
    if (clicked == &g_screenControls.close) CloseScreenWithResult(-1);
    for (int tab = 1; tab <= kShortcutTabs; tab++)
        if (clicked == &g_screenControls.tabs[tab - 1]) ShowTab(host, tab);
    return 0;
}

LRESULT ShortcutsOnKeyUp(HWND host, UINT message, WPARAM key, LPARAM)
{
    if (IsSystemKey(message, key)) return 0;
    int ctrl = (GetKeyState(VK_CONTROL) & 0x8000) ? 1 : 0;
    if (key == VK_UP) ShowTab(host, g_shortcutsTab - 1);
    else if (key == VK_DOWN) ShowTab(host, g_shortcutsTab + 1);
    else if (key == VK_ESCAPE || key == VK_RETURN || key == VK_SPACE || (key == 'Q' && ctrl)) CloseScreenWithResult(-1);
    return 0;
}

void ShortcutsPaintFrame(HDC dc, int x, int y, int width, int height)
{
    DrawTitledScreenFrame(dc, x, y, width, height, L"Shortcuts");
    // The keyboard in the title band, at its right end.
    DrawScreenPicture(dc, IDP_KEYS_32, x + width - kBandPictureFromRight, y + kBandPictureTop);
}

void ShortcutsPaintContent(HDC dc)
{
    int offset = ScreenContentOffset();
    AIString keys, descriptions;
    ShortcutColumns(g_shortcutsTab, keys, descriptions);
    int split = g_shortcutsTab == kSearchTab ? kSearchDescriptionLeft : kDescriptionLeft;
    RECT keyRect = {offset + kKeyLeft, offset + kColumnsTop, offset + split, offset + kColumnsBottom};
    RECT descriptionRect = {offset + split, offset + kColumnsTop, offset + kColumnsRight, offset + kColumnsBottom};
    DrawScreenMarkup(dc, keys.GetText(), keyRect, kColumnPoints);
    DrawScreenMarkup(dc, descriptions.GetText(), descriptionRect, kColumnPoints);
    RECT tip = {offset + kKeyLeft, offset + kTipTop, offset + kColumnsRight, offset + kTipTop + 24};
    DrawScreenMarkup(dc, L"<b>Tip:</b> Use Ctrl + Q to show this help <b>and</b> to hide it again", tip, kColumnPoints);
    DrawScreenControls(dc, g_screenControls.close, kButtonFramed);
    for (int tab = 1; tab <= kShortcutTabs; tab++)
        DrawScreenControls(dc, g_screenControls.tabs[tab - 1], tab == g_shortcutsTab ? kButtonTabSelected : kButtonTab);
}

const ScreenHandlers kShortcutsHandlers = {ShortcutsOnShow,           ShortcutsOnCreate,   0,
                                           SharedControlsOnMouseDown, ShortcutsOnMouseUp,  SharedControlsOnMouseMove,
                                           ShortcutsOnKeyUp,          ShortcutsPaintFrame, ShortcutsPaintContent};

}  // namespace

void RegisterShortcutsScreen() { RegisterScreen(kScreenShortcuts, &kShortcutsHandlers); }
