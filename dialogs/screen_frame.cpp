// The shared control set of the screens and the painting routines every
// screen draws its title, panel, frame and buttons with.
#include "dialogs/screen_frame.h"
#include "dialogs/dialog_host.h"
#include "drawing/ai_dib.h"
#include "drawing/ai_effects.h"
#include "drawing/ai_resource_image.h"
#include "foundation/ai_string.h"
#include "foundation/app.h"
#include "foundation/text_markup.h"
#include "resources/resource_ids.h"
#include "ui/colours.h"
#include "ui/pulse_timers.h"
#include <windowsx.h>

SharedScreenControls g_screenControls;

namespace {

const int kFullOpacity = 100;
const COLORREF kFrameColour = RGB(120, 130, 150);
const COLORREF kPulseColour = RGB(50, 50, 255);  // COLORREF 0xFF3232
const COLORREF kDisplayColour = RGB(10, 10, 10);
const COLORREF kButtonFrameOuter = RGB(70, 70, 70);
const COLORREF kButtonFrameInner = RGB(250, 200, 50);

int TransparencyOff() { return g_app.settings.Record().transparencyOff ? 1 : 0; }

AIControl* SharedControl(int i)
{
    SharedScreenControls& c = g_screenControls;
    if (i == 0) return &c.close;
    if (i == 1) return &c.buttonA;
    if (i == 2) return &c.buttonB;
    return &c.tabs[i - 3];
}
const int kSharedCount = 3 + kScreenTabCount;

}  // namespace

void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r = {left, top, right, bottom};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void FrameSolid(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

namespace {

COLORREF Lower(COLORREF c, int by)
{
    int r = GetRValue(c) - by, g = GetGValue(c) - by, b = GetBValue(c) - by;
    return RGB(r < 0 ? 0 : r, g < 0 ? 0 : g, b < 0 ? 0 : b);
}

COLORREF Raise(COLORREF c)
{
    int r = GetRValue(c) * 130 / 100 + 30, g = GetGValue(c) * 130 / 100 + 30, b = GetBValue(c) * 130 / 100 + 30;
    return RGB(r > 255 ? 255 : r, g > 255 ? 255 : g, b > 255 ? 255 : b);
}

}  // namespace

void CreateSharedScreenControls(HWND host)
{
    SharedScreenControls& c = g_screenControls;
    c.close.CreateStandard(host, L"Close", 0, 0, kScreenCloseWidth, kScreenButtonHeight);
    c.buttonA.CreateStandard(host, L"", 0, 0, kScreenCloseWidth, kScreenButtonHeight);
    c.buttonB.CreateStandard(host, L"", 0, 0, kScreenCloseWidth, kScreenButtonHeight);
    for (AIControl& tab : c.tabs) tab.CreateStandard(host, L"", 0, 0, kScreenTabWidth, kScreenButtonHeight);
    for (int i = 0; i < kSharedCount; i++) SharedControl(i)->Hide();
}

int SharedControlsMouseDown(int x, int y)
{
    int changed = 0;
    for (int i = 0; i < kSharedCount; i++)
        if (SharedControl(i)->IsVisible() && SharedControl(i)->OnMouseDown(x, y)) changed = 1;
    return changed;
}

int SharedControlsMouseMove(int x, int y)
{
    int changed = 0;
    for (int i = 0; i < kSharedCount; i++)
        if (SharedControl(i)->IsVisible() && SharedControl(i)->OnMouseMove(x, y)) changed = 1;
    return changed;
}

AIControl* SharedControlsMouseUp(int x, int y)
{
    AIControl* clicked = 0;
    for (int i = 0; i < kSharedCount; i++)
        if (SharedControl(i)->IsVisible() && SharedControl(i)->OnMouseUp(x, y)) clicked = SharedControl(i);
    return clicked;
}

LRESULT SharedControlsOnMouseDown(HWND host, UINT, WPARAM, LPARAM lParam)
{
    if (SharedControlsMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) InvalidateRect(host, 0, FALSE);
    return 0;
}

LRESULT SharedControlsOnMouseMove(HWND host, UINT, WPARAM, LPARAM lParam)
{
    if (SharedControlsMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) InvalidateRect(host, 0, FALSE);
    return 0;
}

void PlaceSharedControl(AIControl& control, const WCHAR* caption, int left, int top, int width, int height)
{
    control.SetText(caption);
    control.SetPicture(nullptr);  // a screen that wants one sets it after placing
    control.SetPosition(left, top, left + width, top + height);
    control.Show();
}

int IsSystemKey(UINT message, WPARAM key)
{
    if (message == WM_SYSKEYUP && key == VK_F4) return 1;
    return (GetKeyState(VK_CONTROL) & 0x8000) && (GetKeyState(VK_MENU) & 0x8000) ? 1 : 0;
}

int ScreenContentOffset() { return g_dialogHost.margin1; }
int ScreenTitleOffset() { return g_app.system.IsMac() ? kScreenMacTitleOffset : 0; }
int ScreenPaintCount() { return g_dialogHost.paintCount; }
void SetScreenFrameStyle(int style) { g_dialogHost.frameStyle = style; }
int GetScreenFrameStyle() { return g_dialogHost.frameStyle; }

void DrawResourceJpg(HDC dc, int x, int y, int width, int height)
{
    COLORREF accent = GetTableColour(ColourFrame);
    int bandHeight = height < kScreenTitleBarHeight ? height : kScreenTitleBarHeight;
    if (TransparencyOff()) {
        // Flat: the frame colour lowered, lightened toward the band's foot.
        RECT band = {x, y, x + width, y + bandHeight};
        AIEffectContext fill(dc, band);
        fill.FourCornerGradientA(band, Raise(Lower(accent, 80)), Raise(accent), Raise(accent), RGB(245, 247, 250));
        return;
    }
    RECT top = {x, y, x + width, y + bandHeight / 2};
    RECT bottom = {x, y + bandHeight / 2, x + width, y + bandHeight};
    AIEffectContext upper(dc, top), lower(dc, bottom);
    COLORREF light = Raise(accent);
    upper.FourCornerGradientA(top, light, RGB(255, 255, 255), light, RGB(250, 250, 255));
    lower.FourCornerGradientA(bottom, Lower(light, 20), light, RGB(245, 247, 250), RGB(250, 250, 255));
}

void DrawScreenBackground(HDC dc, int x, int y, int width, int height, int left)
{
    int inset = left < 0 ? 0 : left;
    if (inset > width / 2) inset = kScreenMargin1;
    RECT panel = {x + inset, y + kScreenTitleBarHeight, x + width - kScreenMargin2, y + height - kScreenMargin2};
    if (panel.right <= panel.left || panel.bottom <= panel.top) return;
    FillSolid(dc, panel.left, panel.top, panel.right, panel.bottom, RGB(255, 255, 255));
}

void DrawScreenBackdrop(HDC dc, int x, int y, int width, int height)
{
    static AIResourceImage backdrop;
    if (!backdrop.IsLoaded() && !backdrop.LoadResource(IDR_SCREEN_BACKDROP, L"JPG")) return;
    RECT panel = {x + kScreenMargin1, y + kScreenTitleBarHeight, x + width - kScreenMargin2,
                  y + height - kScreenMargin2};
    if (panel.right <= panel.left || panel.bottom <= panel.top) return;
    backdrop.DrawSized(dc, panel.left, panel.top, panel.right - panel.left, panel.bottom - panel.top, kFullOpacity);
}

void DrawScreenFrame(HDC dc, int x, int y, int width, int height, int tab)
{
    RECT outer = {x, y, x + width, y + height};
    FrameSolid(dc, outer, kFrameColour);
    InflateRect(&outer, -1, -1);
    FrameSolid(dc, outer, RGB(210, 210, 210));
    RECT inner = {x + kScreenMargin1 - 2, y + kScreenTitleBarHeight - 1, x + width - kScreenMargin2 + 1,
                  y + height - kScreenMargin2 + 1};
    FrameSolid(dc, inner, RGB(150, 150, 150));
    FillSolid(dc, inner.left, inner.top, inner.right, inner.top + 1, RGB(60, 60, 60));
    FillSolid(dc, inner.left, inner.bottom, inner.right, inner.bottom + 1, RGB(230, 230, 230));
    if (tab >= 0 && tab < kScreenTabCount && g_screenControls.tabs[tab].IsVisible()) {
        RECT t = g_screenControls.tabs[tab].GetRect();
        FillSolid(dc, t.right, t.top + 1, t.right + 2, t.bottom - 1, RGB(255, 255, 255));
    }
}

AIResourceImage* ScreenPicture(int pictureId)
{
    enum { kMaxScreenPictures = 48 };
    struct Kept {
        int id;
        AIResourceImage image;
    };
    static Kept kept[kMaxScreenPictures];
    for (Kept& k : kept) {
        if (k.id == pictureId) return k.image.IsLoaded() ? &k.image : nullptr;
        if (k.id == 0) {
            k.id = pictureId;
            return k.image.LoadPngResource(pictureId) ? &k.image : nullptr;
        }
    }
    return nullptr;
}

void DrawScreenPicture(HDC dc, int pictureId, int x, int y)
{
    if (AIResourceImage* picture = ScreenPicture(pictureId)) picture->DrawAt(dc, x, y, 100);
}

// A button's picture at its left, in colour while the mouse is over it and
// greyed otherwise (faint while disabled); the caption keeps the rest.
void DrawControlPicture(HDC dc, AIControl& control, RECT& text)
{
    AIResourceImage* picture = control.GetPicture();
    if (!picture || !picture->IsLoaded()) return;
    RECT r = control.GetRect();
    int x = r.left + kScreenPictureGap, y = r.top + (r.bottom - r.top - picture->GetHeight()) / 2;
    // A button of a picture alone has it in the middle.
    if (control.GetCaption().IsEmpty()) x = r.left + (r.right - r.left - picture->GetWidth()) / 2;
    if (!control.IsEnabled()) picture->DrawGreyedC(dc, x, y);
    else if (control.IsHot() || control.IsPressed()) picture->DrawAt(dc, x, y, 100);
    else picture->DrawGreyedA(dc, x, y);
    text.left = x + picture->GetWidth() + kScreenPictureGap / 2;
}

void DrawScreenControls(HDC dc, AIControl& control, int style)
{
    if (!control.IsVisible()) return;
    RECT r = control.GetRect();
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return;
    COLORREF face = style == kButtonTabSelected ? RGB(200, 240, 255)
                    : control.IsPressed()        ? RGB(205, 215, 235)
                    : control.IsHot()            ? RGB(235, 242, 255)
                                                 : RGB(246, 246, 246);
    if (style == kButtonTabSelected) {
        AIEffectContext glow(dc, r);
        glow.FourCornerGradientA(r, RGB(100, 150, 255), RGB(200, 240, 255), RGB(200, 240, 255), RGB(100, 150, 255));
        glow.BlendColourInRect(RGB(255, 255, 255), 150);
    } else {
        FillSolid(dc, r.left, r.top, r.right, r.bottom, face);
    }
    int step = AIPulseTimers::GetStep(control.GetId());
    if (step >= 0) {
        int strength = step < 5 ? 3 + 6 * step : 45 - 6 * step;
        if (strength < 0) strength = 0;
        if (step == 1) AIPulseTimers::SetCountdown(control.GetId(), 7);
        AIEffectContext tint(dc, r);
        tint.GradientTintInRect(kPulseColour, strength);
    }
    if (style > kButtonPlain) FrameSolid(dc, r, control.IsHot() || control.IsPressed() ? kButtonFrameInner : kButtonFrameOuter);
    if (style == kButtonTab || style == kButtonTabSelected) {
        RECT inner = r;
        InflateRect(&inner, -1, -1);
        FrameSolid(dc, inner, style == kButtonTabSelected ? RGB(50, 200, 250) : RGB(230, 230, 230));
    }
    // The caption, centred; a caption in mark-up is shown as its plain text.
    AIString caption;
    TextMarkup::StripTags(control.GetCaption().GetText(), caption);
    caption.SetFontSize(9).SetBold(1);
    caption.SetTextColor(control.IsEnabled() ? GetTableColour(ColourText) : GetTableColour(ColourDisabledText));
    RECT text = r;
    InflateRect(&text, -3, 0);
    DrawControlPicture(dc, control, text);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    // "&" marks the letter that chooses the button: it is drawn underlined.
    caption.DrawStyled(dc, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SetBkMode(dc, oldMode);
}

void DrawTitledScreenFrame(HDC dc, int x, int y, int width, int height, const WCHAR* title, ScreenBackdrop backdrop)
{
    DrawResourceJpg(dc, x, y, width, height);
    DrawScreenBackground(dc, x, y, width, height, kScreenMargin1);
    if (backdrop == kWithBackdrop) DrawScreenBackdrop(dc, x, y, width, height);
    SelectDisplayFont(dc, title, x + kScreenTitleLeft, y + kScreenTitleTop + ScreenTitleOffset(), kScreenTitlePoints);
    DrawScreenFrame(dc, x, y, width, height, -1);
}

void SelectDisplayFont(HDC dc, const WCHAR* text, int x, int y, int size)
{
    AIString title(text);
    title.LoadResourceFont(IDR_FONT_DISPLAY, DISPLAY_FONT_FACE);
    title.SetFontFace(DISPLAY_FONT_FACE).SetFontSize(size).SetTextColor(kDisplayColour);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT r = {x, y, x + 500, y + 50};
    title.DrawStyled(dc, r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(dc, oldMode);
}

void DrawScreenRule(HDC dc, int left, int top, int right)
{
    FillSolid(dc, left, top, right, top + 1, GetSysColor(COLOR_BTNSHADOW));
    FillSolid(dc, left + 1, top + 1, right + 1, top + 2, GetSysColor(COLOR_BTNHIGHLIGHT));
}

void DrawShadowedText(HDC dc, const WCHAR* text, int x, int y, int points)
{
    AIString piece(text);
    piece.LoadResourceFont(IDR_FONT_DISPLAY, DISPLAY_FONT_FACE);
    piece.SetFontFace(DISPLAY_FONT_FACE).SetFontSize(points);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT shadow = {x + 1, y + 1, x + 501, y + 61};
    piece.SetTextColor(GetSysColor(COLOR_BTNSHADOW)).DrawStyled(dc, shadow, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    RECT face = {x, y, x + 500, y + 60};
    piece.SetTextColor(GetTableColour(ColourText)).DrawStyled(dc, face, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(dc, oldMode);
}

int DrawScreenMarkup(HDC dc, const WCHAR* text, const RECT& rect, int points)
{
    AIString markup(text);
    markup.SetFontSize(points).SetBold(0).SetTextColor(GetTableColour(ColourText));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    int used = markup.DrawMarkupText(dc, rect);
    SetBkMode(dc, oldMode);
    return used;
}
