// Screen 20, the tip of the day: one numbered tip of 75. The tip shown is the
// settings' tip index (each start moves it on by one); Next Tip, Previous Tip
// and the arrow keys step it and write the step back, wrapped, so browsing
// also moves the next start's tip and Previous from tip 1 reaches tip 75.
#include "dialogs/screens/tip_of_day.h"
#include "dialogs/screens/tip_texts.h"
#include "dialogs/screens/screens.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "drawing/ai_resource_image.h"
#include "foundation/app.h"
#include "resources/resource_ids.h"
#include "ui/colours.h"
#include <windowsx.h>

namespace {

enum {
    kCloseFromRight = 80,
    kNextFromRight = 180,
    kNextWidth = 85,
    kPreviousFromRight = 280,
    kPreviousWidth = 95,
    kButtonsTop = 390,
    kAskLeft = 80,
    kAskTop = 70,
    kAskPoints = 18,
    kRuleLeft = 80,
    kRuleRight = 460,
    kRuleTop = 105,
    kNumberLeft = 470,
    kNumberTop = 65,
    kNumberPoints = 20,
    kTipLeft = 80,
    kTipTop = 120,
    kTipRight = 460,
    kTipBottom = 380,
    kTipPoints = 9,
    kPictureLeft = 23,
    kPictureTop = 60,
    kOpaque = 100,
};

int32_t& TipIndex() { return g_app.settings.Record().tipIndex; }

void TipOfDayOnShow()
{
    SetScreenFrameStyle(kFrameStylePicture);
    TipIndex() = WrapTipNumber(TipIndex());
}

void TipOfDayOnClose()
{
    if (g_dialogHost.window) KillTimer(g_dialogHost.window, kHostAnimationTimer);
}

LRESULT TipOfDayOnCreate(HWND, UINT, WPARAM, LPARAM)
{
    int offset = ScreenContentOffset(), w = g_dialogHost.width;
    PlaceSharedControl(g_screenControls.close, L"Close", w - kCloseFromRight, offset + kButtonsTop, kScreenCloseWidth,
                       kScreenButtonHeight);
    PlaceSharedControl(g_screenControls.buttonA, L"Next Tip", w - kNextFromRight, offset + kButtonsTop, kNextWidth,
                       kScreenButtonHeight);
    PlaceSharedControl(g_screenControls.buttonB, L"Previous Tip", w - kPreviousFromRight, offset + kButtonsTop,
                       kPreviousWidth, kScreenButtonHeight);
    return 0;
}

void StepTip(HWND host, int by)
{
    TipIndex() = WrapTipNumber(WrapTipNumber(TipIndex()) + by);
    InvalidateRect(host, 0, FALSE);
}

LRESULT TipOfDayOnMouseUp(HWND host, UINT, WPARAM, LPARAM lParam)
{
    AIControl* clicked = SharedControlsMouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    InvalidateRect(host, 0, FALSE);
    if (clicked == &g_screenControls.close) CloseScreenWithResult(-1);
    else if (clicked == &g_screenControls.buttonA) StepTip(host, 1);
    else if (clicked == &g_screenControls.buttonB) StepTip(host, -1);
    return 0;
}

LRESULT TipOfDayOnKeyUp(HWND host, UINT message, WPARAM key, LPARAM)
{
    if (IsSystemKey(message, key)) return 0;
    int ctrl = (GetKeyState(VK_CONTROL) & 0x8000) ? 1 : 0;
    int alt = (GetKeyState(VK_MENU) & 0x8000) ? 1 : 0;
    if (key == VK_RIGHT || key == VK_DOWN) StepTip(host, 1);
    else if (key == VK_LEFT || key == VK_UP) StepTip(host, -1);
    else if ((key == VK_ESCAPE || key == VK_RETURN) && !ctrl && !alt) CloseScreenWithResult(-1);
    else if (key == 'T' && alt) CloseScreenWithResult(-1);  // Alt+T opens and closes the tips
    return 0;
}

void TipOfDayPaintFrame(HDC dc, int x, int y, int width, int height)
{
    DrawTitledScreenFrame(dc, x, y, width, height, L"Tip of the day", kWithBackdrop);
    static AIResourceImage bulb;
    if (bulb.IsLoaded() || bulb.LoadPngResource(IDR_TIP_PICTURE)) bulb.DrawAt(dc, x + kPictureLeft, y + kPictureTop, kOpaque);
    DrawShadowedText(dc, L"Did you know...", x + kAskLeft, y + kAskTop, kAskPoints);
    DrawScreenRule(dc, x + kRuleLeft, y + kRuleTop, x + kRuleRight);
}

void TipOfDayPaintContent(HDC dc)
{
    int offset = ScreenContentOffset();
    DrawScreenControls(dc, g_screenControls.close, kButtonFramed);
    DrawScreenControls(dc, g_screenControls.buttonA, kButtonFramed);
    DrawScreenControls(dc, g_screenControls.buttonB, kButtonFramed);
    int32_t number = WrapTipNumber(TipIndex());
    AIString label(L"#");
    label.AppendInt(number);
    DrawShadowedText(dc, label.GetText(), offset + kNumberLeft, offset + kNumberTop, kNumberPoints);
    AIString tip;
    ComposeTip(number, tip);
    RECT text = {offset + kTipLeft, offset + kTipTop, offset + kTipRight, offset + kTipBottom};
    DrawScreenMarkup(dc, tip.GetText(), text, kTipPoints);
}

const ScreenHandlers kTipOfDayHandlers = {TipOfDayOnShow,           TipOfDayOnCreate,   TipOfDayOnClose,
                                          SharedControlsOnMouseDown, TipOfDayOnMouseUp,  SharedControlsOnMouseMove,
                                          TipOfDayOnKeyUp,          TipOfDayPaintFrame, TipOfDayPaintContent};

}  // namespace

int32_t CurrentTipNumber() { return WrapTipNumber(TipIndex()); }

void MoveTipOnAtStart(SettingsRecord& record) { record.tipIndex = WrapTipNumber(record.tipIndex) + 1; }

void RegisterTipOfDayScreen() { RegisterScreen(kScreenTipOfDay, &kTipOfDayHandlers); }
