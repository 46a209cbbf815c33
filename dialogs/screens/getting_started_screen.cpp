// Screen 12, the getting started guide: 31 pages stepped with the keys, the
// Previous and Next arrows or a click anywhere else; each change fades the
// old page out and the new one in on the host's animation timer. Stepping
// past the last page closes it; it always answers -1 and starts at page 1.
#include "dialogs/screens/getting_started.h"
#include "dialogs/screens/guide_pages.h"
#include "dialogs/screens/screens.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "drawing/ai_effects.h"
#include "drawing/ai_resource_image.h"
#include "foundation/app.h"
#include "resources/resource_ids.h"
#include "ui/colours.h"
#include <windowsx.h>

namespace {

enum {
    kCloseFromRight = 80,
    kCloseTop = 390,
    kHeaderBand = 40,        // the section header above the page area
    kStripLeft = 180,
    kStripRight = 380,
    kStripGap = 10,          // from the page area's bottom to the strip
    kArrowInset = 30,
    kArrowWidth = 32,
    kArrowHeight = 32,
    kFadeSteps = 5,
    kSlowMachine = 200,      // below this speed index pages change without a fade
    kAnimationMs = 60,
    kHeaderPoints = 16,
    kTitlePoints = 24,
    kFooterGap = 16,
    kTextPoints = 10,
    kNarrowTextPoints = 9,   // the text column beside a picture
    kTextInset = 20,
    kTitleTop = 60,
    kFooterHeight = 40,
    kArrowHalf = 6,          // half the height of an arrow's triangle
    kCounterGap = 8,
    kQuestionLeft = 330,     // page 1: the three question words beside its list
    kQuestionTop = 105,
    kQuestionStep = 45,
    kQuestionPoints = 24,
    kQuestionShadow = 2,
    kPictureLeft = 270,      // a page's picture, from the page area's corner
    kPictureTop = 75,
    kPictureGap = 10,        // between the text and the picture
};

int32_t g_page = 1;
GuideFade g_fade;
AIResourceImage g_picture;  // the picture of the page drawn last
int g_pictureId = 0;
RECT g_pageArea;
RECT g_strip;

int FadeSteps() { return g_app.system.GetCpuSpeedIndex() < kSlowMachine ? 0 : kFadeSteps; }

void LayOutGuide();

void GettingStartedOnShow()
{
    SetScreenFrameStyle(kFrameStyleBand);
    g_page = 1;
    ResetGuideFade(g_fade);
    LayOutGuide();
}

// The page area and the navigation strip from the host's size (the host
// creates a screen's controls before or after showing it).
void LayOutGuide()
{
    int b = kScreenMargin1, c = kScreenMargin2;
    int width = g_dialogHost.width, height = g_dialogHost.height;
    g_pageArea = {b + c, b + c + kHeaderBand, width - b - c, height - c - b - c - kHeaderBand};
    g_strip = {kStripLeft, g_pageArea.bottom + kStripGap, kStripRight, g_pageArea.bottom + kHeaderBand};
}

void GettingStartedOnClose()
{
    if (g_dialogHost.window) KillTimer(g_dialogHost.window, kHostAnimationTimer);
}

LRESULT GettingStartedOnCreate(HWND, UINT, WPARAM, LPARAM)
{
    LayOutGuide();
    int offset = ScreenContentOffset(), w = g_dialogHost.width;
    PlaceSharedControl(g_screenControls.close, L"Close", w - kCloseFromRight, offset + kCloseTop, kScreenCloseWidth,
                       kScreenButtonHeight);
    PlaceSharedControl(g_screenControls.buttonB, L"", g_strip.left + kArrowInset, g_strip.top, kArrowWidth,
                       kArrowHeight);
    PlaceSharedControl(g_screenControls.buttonA, L"", g_strip.right - kArrowInset - kArrowWidth, g_strip.top,
                       kArrowWidth, kArrowHeight);
    return 0;
}

// Moves to `page` (kGuideClose closes) and lets the fade run.
void GoToPage(HWND host, int32_t page)
{
    if (page == kGuideClose) {
        CloseScreenWithResult(-1);
        return;
    }
    if (page == g_page) return;
    g_page = page;
    SetTimer(host, kHostAnimationTimer, kAnimationMs, 0);
    InvalidateRect(host, 0, FALSE);
}

LRESULT GettingStartedOnMouseUp(HWND host, UINT, WPARAM, LPARAM lParam)
{
    AIControl* clicked = SharedControlsMouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    InvalidateRect(host, 0, FALSE);
    if (clicked == &g_screenControls.close) CloseScreenWithResult(-1);
    else GoToPage(host, GuidePageAfterClick(g_page, clicked == &g_screenControls.buttonB));
    return 0;
}

LRESULT GettingStartedOnKeyUp(HWND host, UINT message, WPARAM key, LPARAM)
{
    if (IsSystemKey(message, key)) return 0;
    GoToPage(host, GuidePageAfterKey(g_page, key));
    return 0;
}

void GettingStartedPaintFrame(HDC dc, int x, int y, int width, int height)
{
    DrawTitledScreenFrame(dc, x, y, width, height, L"Getting started");
}

// An arrow button: the shared face with a triangle pointing left or right.
void PaintArrow(HDC dc, AIControl& button, int pointsRight)
{
    DrawScreenControls(dc, button, kButtonFramed);
    RECT r = button.GetRect();
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    int tip = pointsRight ? cx + kArrowHalf / 2 + 1 : cx - kArrowHalf / 2 - 1;
    int back = pointsRight ? cx - kArrowHalf / 2 - 1 : cx + kArrowHalf / 2 + 1;
    POINT triangle[3] = {{tip, cy}, {back, cy - kArrowHalf}, {back, cy + kArrowHalf}};
    COLORREF colour = GetTableColour(ColourText);
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
    Polygon(dc, triangle, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

// Page 1's "What", "Why" and "How", large: a grey shadow, then the colour.
void PaintQuestionWords(HDC dc, const RECT& area)
{
    static const WCHAR* const kWords[] = {L"What", L"Why", L"How"};
    static const COLORREF kColours[] = {RGB(30, 80, 160), RGB(40, 140, 60), RGB(190, 50, 40)};
    int oldMode = SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < 3; i++) {
        AIString word(kWords[i]);
        word.LoadResourceFont(IDR_FONT_DISPLAY, DISPLAY_FONT_FACE);
        word.SetFontFace(DISPLAY_FONT_FACE).SetFontSize(kQuestionPoints);
        int x = area.left + kQuestionLeft, y = area.top + kQuestionTop + i * kQuestionStep;
        RECT shadow = {x + kQuestionShadow, y + kQuestionShadow, area.right, y + kQuestionStep + kQuestionShadow};
        word.SetTextColor(RGB(0xD2, 0xD2, 0xD2)).DrawStyled(dc, shadow, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        RECT face = {x, y, area.right, y + kQuestionStep};
        word.SetTextColor(kColours[i]).DrawStyled(dc, face, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetBkMode(dc, oldMode);
}

void PaintPage(HDC dc, int32_t number, const RECT& area)
{
    const GuidePage& page = GuidePageAt(number);
    SelectDisplayFont(dc, GuideHeader(number), area.left + kTextInset, area.top, kHeaderPoints);
    RECT text = {area.left + kTextInset, area.top + kHeaderBand, area.right - kTextInset, area.bottom - kFooterHeight};
    if (page.title) {
        SelectDisplayFont(dc, page.title, text.left, text.top, kTitlePoints);
        text.top += kTitleTop;
    }
    if (number == 1) PaintQuestionWords(dc, area);
    if (page.picture) {
        if (g_pictureId != page.picture)
            g_pictureId = g_picture.LoadResource(page.picture, page.pictureType) ? page.picture : 0;
        // A picture narrower than the column stands at its right edge and leaves the text more room.
        int left = area.left + kPictureLeft;
        if (g_pictureId && g_picture.GetWidth() < kGuidePictureWidth) left += kGuidePictureWidth - g_picture.GetWidth();
        if (g_pictureId) g_picture.DrawAt(dc, left, area.top + kPictureTop, 100);
        text.right = left - kPictureGap;
    }
    int points = page.picture ? kNarrowTextPoints : kTextPoints;
    int used = DrawScreenMarkup(dc, page.text, text, points);
    if (page.footer) {
        // Page 1's footer stands at the foot of the page, the others' below the text.
        RECT footer = text;
        footer.top = page.title ? area.bottom - kFooterHeight : text.top + used + kFooterGap;
        footer.bottom = area.bottom;
        DrawScreenMarkup(dc, page.footer, footer, points);
    }
}

void GettingStartedPaintContent(HDC dc)
{
    HWND host = g_dialogHost.window;
    int32_t finished = 0;
    int32_t keep = StepGuideFade(g_fade, g_page, FadeSteps(), &finished);
    if (finished && host) KillTimer(host, kHostAnimationTimer);
    PaintPage(dc, g_fade.displayed, g_pageArea);
    if (keep < 255) {
        AIEffectContext cover(dc, g_pageArea);
        cover.BlendColourInRect(GetSysColor(COLOR_BTNFACE), keep);
    }
    AIString counter;
    counter.AppendInt(g_page);
    counter.AppendText(L" of ");
    counter.AppendInt(kGuidePageCount);
    RECT counterRect = g_strip;
    counterRect.left += kArrowInset + kArrowWidth + kCounterGap;
    counterRect.top += kCounterGap;
    DrawScreenMarkup(dc, counter.GetText(), counterRect, kTextPoints);
    DrawScreenControls(dc, g_screenControls.close, kButtonFramed);
    PaintArrow(dc, g_screenControls.buttonB, 0);
    PaintArrow(dc, g_screenControls.buttonA, 1);
}

const ScreenHandlers kGettingStartedHandlers = {
    GettingStartedOnShow,      GettingStartedOnCreate,   GettingStartedOnClose,
    SharedControlsOnMouseDown, GettingStartedOnMouseUp,  SharedControlsOnMouseMove,
    GettingStartedOnKeyUp,     GettingStartedPaintFrame, GettingStartedPaintContent};

}  // namespace

int32_t GettingStartedPage() { return g_page; }
int32_t GettingStartedDisplayedPage() { return g_fade.displayed; }

void RegisterGettingStartedScreen() { RegisterScreen(kScreenGettingStarted, &kGettingStartedHandlers); }
