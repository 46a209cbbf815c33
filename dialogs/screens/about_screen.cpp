// Screen 6, About: the program's icon, name and version, what it is for, the
// system it runs on, and the credits fading in and out. One "Close" button;
// it always answers -1.
#include "dialogs/screens/about_text.h"
#include "dialogs/screens/screens.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "foundation/app.h"
#include "foundation/misc_services.h"
#include "resources/resource_ids.h"
#include "ui/colours.h"
#include <windowsx.h>

namespace {

enum {
    kCloseFromRight = 80,
    kCloseTop = 390,
    kIconSize = 256,
    kIconTop = 50,           // below the top of the screen area
    kTextGap = 10,           // between the about text and the icon
    kCreditsTop = 315,
    kCreditsStep = 30,
    kCreditHeadingPoints = 16,
    kCreditLinePoints = 12,
    kAboutTextPoints = 9,     // fits beside the icon above the credits
    kCreditTimerMs = 200,
};

CreditCycle g_credits;
AIString g_aboutText;  // composed once per showing

void GatherFacts(AboutFacts& facts, WCHAR* user, WCHAR* computer, WCHAR* riched)
{
    DWORD size = 256;
    if (!GetUserNameW(user, &size)) user[0] = 0;
    size = 256;
    if (!GetComputerNameW(computer, &size)) computer[0] = 0;
    int32_t parts[4] = {0, 0, 0, 0};
    AIString version;
    if (GetModuleVersion(L"riched20.dll", parts)) {
        version.AppendInt(parts[0]).AppendText(L".").AppendInt(parts[1]).AppendText(L".").AppendInt(parts[2]);
        version.AppendText(L".").AppendInt(parts[3]);
    }
    lstrcpynW(riched, version.GetText(), 64);
    facts.versionText = g_app.GetVersionText();
    facts.userName = user;
    facts.computerName = computer;
    facts.windowsVersionText = g_app.GetWindowsVersionText();
    facts.isWine = g_app.system.IsWine();
    facts.isMac = g_app.system.IsMac();
    facts.richEditVersion = riched;
    facts.speedIndex = g_app.system.GetCpuSpeedIndex();
    facts.processorCount = g_app.system.GetProcessorCount();
    facts.delayValue = GetSetDelayValue(0);
}

void AboutOnShow()
{
    g_credits.Reset();
    g_dialogHost.page = 2;
    WCHAR user[256], computer[256], riched[64];
    AboutFacts facts;
    GatherFacts(facts, user, computer, riched);
    ComposeAboutText(facts, g_aboutText);
    if (g_dialogHost.window) SetTimer(g_dialogHost.window, kHostAnimationTimer, kCreditTimerMs, 0);
}

void AboutOnClose()
{
    if (g_dialogHost.window) KillTimer(g_dialogHost.window, kHostAnimationTimer);
}

LRESULT AboutOnCreate(HWND, UINT, WPARAM, LPARAM)
{
    int offset = ScreenContentOffset();
    PlaceSharedControl(g_screenControls.close, L"Close", g_dialogHost.width - kCloseFromRight, offset + kCloseTop,
                       kScreenCloseWidth, kScreenButtonHeight);
    return 0;
}

LRESULT AboutOnMouseUp(HWND host, UINT, WPARAM, LPARAM lParam)
{
    AIControl* clicked = SharedControlsMouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    InvalidateRect(host, 0, FALSE);
    if (clicked == &g_screenControls.close) CloseScreenWithResult(-1);
    return 0;
}

LRESULT AboutOnKeyUp(HWND, UINT message, WPARAM key, LPARAM)
{
    if (message == WM_SYSKEYUP || IsSystemKey(message, key)) return 0;
    if (key == VK_ESCAPE || key == VK_RETURN) CloseScreenWithResult(-1);
    return 0;
}

void AboutPaintFrame(HDC dc, int x, int y, int width, int height)
{
    DrawTitledScreenFrame(dc, x, y, width, height, L"About Orvanta Tavik");
    HICON icon = (HICON)LoadImageW(GetModuleHandleW(0), MAKEINTRESOURCEW(IDI_TAVIK), IMAGE_ICON, kIconSize, kIconSize, 0);
    if (icon) {
        // The icon's left edge stands at half the screen's width.
        DrawIconEx(dc, x + width / 2, y + kIconTop, icon, kIconSize, kIconSize, 0, 0, DI_NORMAL);
        DestroyIcon(icon);
    }
}

// The credit colour by fade level: a ramp from the panel's white to the text colour.
COLORREF CreditColour(int level)
{
    int step = level > 6 ? 6 : level;
    return MixColours(RGB(255, 255, 255), GetTableColour(ColourText), step * 255 / 6);
}

void DrawCredits(HDC dc)
{
    const CreditPage& page = GetCreditPage(g_credits.page);
    if (g_credits.level > 0) {
        int left = ScreenContentOffset() + 20, top = ScreenContentOffset() + kCreditsTop;
        const WCHAR* lines[3] = {page.heading, page.line1, page.line2};
        for (int i = 0; i < 3; i++) {
            if (!lines[i] || !lines[i][0]) continue;
            AIString text(lines[i]);
            text.SetFontSize(i == 0 ? kCreditHeadingPoints : kCreditLinePoints).SetBold(1).SetTextColor(CreditColour(g_credits.level));
            RECT r = {left, top + i * kCreditsStep, g_dialogHost.width - kCloseFromRight - 10, top + (i + 1) * kCreditsStep};
            text.DrawStyled(dc, r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    g_credits.Advance();
}

void AboutPaintContent(HDC dc)
{
    DrawCredits(dc);
    int offset = ScreenContentOffset();
    int iconLeft = offset + (g_dialogHost.width - offset - g_dialogHost.margin2) / 2;
    RECT r = {offset + 20, offset + kScreenTitleBarHeight + 10, iconLeft - kTextGap, offset + kCreditsTop - 10};
    DrawScreenMarkup(dc, g_aboutText.GetText(), r, kAboutTextPoints);
    AIControl& close = g_screenControls.close;
    DrawScreenControls(dc, close, kButtonFramed);
}

const ScreenHandlers kAboutHandlers = {AboutOnShow,    AboutOnCreate,   AboutOnClose,
                                       SharedControlsOnMouseDown, AboutOnMouseUp, SharedControlsOnMouseMove,
                                       AboutOnKeyUp,   AboutPaintFrame, AboutPaintContent};

}  // namespace

void RegisterAboutScreen() { RegisterScreen(kScreenAbout, &kAboutHandlers); }
