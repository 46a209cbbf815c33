// Screen 19, the first-start wizard: step 1 offers the getting started
// guide, step 2 the size of a first data file (1, 10, 30 or 80 example
// notes). It writes and loads nothing: its answer tells the caller which
// choice was made (0 the guide, 2 to 5 the sizes, -1 closed).
#include "dialogs/screens/first_start.h"
#include "dialogs/screens/screens.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "foundation/app.h"
#include "resources/resource_ids.h"
#include "ui/colours.h"
#include <windowsx.h>

int g_guideTaken = 0;  // 1 once the guide was chosen in this run

namespace {

enum {
    kCloseFromRight = 80,
    kCloseTop = 390,
    kStepFromRight = 440,
    kStepTop = 195,
    kStepWidth = 340,
    kStepHeight = 70,
    kSizesFromRight = 525,
    kSizesFromRightMac = 515,
    kSizesTop = 295,
    kSizeHeight = 60,
    kIconLeft = 30,
    kIconTop = 60,
    kIconSize = 128,
    kMarkLeft = 170,
    kPromptLeft = 40,
    kPromptRight = 500,
    kPromptTop = 266,
    kCaptionInset = 12,
    kChoicePoints = 9,
};

struct SizeButton {
    const WCHAR* caption;
    int left;  // from the row's left
    int width;
    int32_t result;
};
const SizeButton kSizes[kFirstStartSizes] = {
    {L"A simple file<br>(1 note)", 0, 128, kFirstStartSimple},
    {L"A small file<br>(10 notes)", 125, 120, kFirstStartSmall},
    {L"A medium file<br>(30 notes)", 240, 133, kFirstStartMedium},
    {L"A large file<br>(80 notes)", 375, 125, kFirstStartLarge},
};
const WCHAR kStepCaption[] = L"<b>Step 1: Click for a quick <br>'Getting started' tutorial </b>";

AIControl g_step;
AIControl g_sizes[kFirstStartSizes];

void FirstStartOnShow() { SetScreenFrameStyle(kFrameStylePicture); }

void FirstStartOnClose()
{
    if (g_dialogHost.window) KillTimer(g_dialogHost.window, kHostAnimationTimer);
}

LRESULT FirstStartOnCreate(HWND host, UINT, WPARAM, LPARAM)
{
    int offset = ScreenContentOffset(), w = g_dialogHost.width;
    int row = w - (g_app.system.IsMac() ? kSizesFromRightMac : kSizesFromRight);
    // Their captions are mark-up on two lines: drawn by FirstStartPaintChoice.
    g_step.CreateStandard(host, L"", w - kStepFromRight, offset + kStepTop, kStepWidth, kStepHeight);
    for (int i = 0; i < kFirstStartSizes; i++)
        g_sizes[i].CreateStandard(host, L"", row + kSizes[i].left, offset + kSizesTop, kSizes[i].width,
                                  kSizeHeight);
    PlaceSharedControl(g_screenControls.close, L"Close", w - kCloseFromRight, offset + kCloseTop, kScreenCloseWidth,
                       kScreenButtonHeight);
    return 0;
}

LRESULT FirstStartOnMouseDown(HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    g_step.OnMouseDown(x, y);
    for (AIControl& size : g_sizes) size.OnMouseDown(x, y);
    InvalidateRect(host, 0, FALSE);
    return SharedControlsOnMouseDown(host, message, wParam, lParam);
}

LRESULT FirstStartOnMouseMove(HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    int changed = g_step.OnMouseMove(x, y);
    for (AIControl& size : g_sizes) changed |= size.OnMouseMove(x, y);
    if (changed) InvalidateRect(host, 0, FALSE);
    return SharedControlsOnMouseMove(host, message, wParam, lParam);
}

LRESULT FirstStartOnMouseUp(HWND host, UINT, WPARAM, LPARAM lParam)
{
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    InvalidateRect(host, 0, FALSE);
    if (SharedControlsMouseUp(x, y) == &g_screenControls.close) {
        CloseScreenWithResult(-1);
        return 0;
    }
    if (g_step.OnMouseUp(x, y)) {
        g_guideTaken = 1;
        CloseScreenWithResult(kFirstStartGuide);
        return 0;
    }
    for (int i = 0; i < kFirstStartSizes; i++)
        if (g_sizes[i].OnMouseUp(x, y)) {
            CloseScreenWithResult(kSizes[i].result);
            return 0;
        }
    return 0;
}

LRESULT FirstStartOnKeyUp(HWND, UINT message, WPARAM key, LPARAM)
{
    if (IsSystemKey(message, key)) return 0;
    int ctrl = (GetKeyState(VK_CONTROL) & 0x8000) ? 1 : 0;
    int alt = (GetKeyState(VK_MENU) & 0x8000) ? 1 : 0;
    if ((key == VK_ESCAPE || key == VK_RETURN) && !ctrl && !alt) CloseScreenWithResult(-1);
    return 0;
}

void FirstStartPaintFrame(HDC dc, int x, int y, int width, int height)
{
    DrawTitledScreenFrame(dc, x, y, width, height, L"Welcome", kWithBackdrop);
    DrawShadowedText(dc, L"Orvanta", x + kMarkLeft, y + 70, 14);
    DrawShadowedText(dc, L"Tavik", x + kMarkLeft, y + 95, 26);
    HICON icon = (HICON)LoadImageW(GetModuleHandleW(0), MAKEINTRESOURCEW(IDI_TAVIK), IMAGE_ICON, kIconSize, kIconSize, 0);
    if (icon) {
        DrawIconEx(dc, x + kIconLeft, y + kIconTop, icon, kIconSize, kIconSize, 0, 0, DI_NORMAL);
        DestroyIcon(icon);
    }
}

// A size choice shows a stack of one note picture per step of size: one
// for a single note, up to four for the largest file.
const POINT kStackOffsets[] = {{4, 0}, {8, 4}, {0, 8}, {4, 12}};
enum { kStackLeft = 4, kStackTop = 12, kStackCaptionLeft = 34 };

// A choice button: the shared face, then its two-line caption (after the
// picture stack of a size choice: `notes` pictures, 0 none).
void FirstStartPaintChoice(HDC dc, AIControl& button, const WCHAR* caption, int style, int notes)
{
    DrawScreenControls(dc, button, style);
    RECT r = button.GetRect();
    for (int i = 0; i < notes && i < 4; i++)
        DrawScreenPicture(dc, IDP_NOTES_STACK_16, r.left + kStackLeft + kStackOffsets[i].x,
                          r.top + kStackTop + kStackOffsets[i].y);
    InflateRect(&r, -kCaptionInset, -kCaptionInset);
    if (notes) r.left = button.GetRect().left + kStackCaptionLeft;
    DrawScreenMarkup(dc, caption, r, kChoicePoints);
}

void FirstStartPaintContent(HDC dc)
{
    int offset = ScreenContentOffset();
    RECT prompt = {offset + kPromptLeft, offset + kPromptTop, offset + kPromptRight, offset + kSizesTop};
    DrawScreenMarkup(dc,
                     L"<b>Step 2: Please select how many notes you want to start with</b><br>"
                     L"(Starting with some example notes can be useful to learn how it works)",
                     prompt, kChoicePoints);
    DrawScreenControls(dc, g_screenControls.close, kButtonFramed);
    // The guide stands out until it was taken once.
    FirstStartPaintChoice(dc, g_step, kStepCaption, g_guideTaken ? kButtonFramed : kButtonTabSelected, 0);
    for (int i = 0; i < kFirstStartSizes; i++)
        FirstStartPaintChoice(dc, g_sizes[i], kSizes[i].caption, kButtonFramed, i + 1);
}

const ScreenHandlers kFirstStartHandlers = {FirstStartOnShow,      FirstStartOnCreate,   FirstStartOnClose,
                                            FirstStartOnMouseDown, FirstStartOnMouseUp,  FirstStartOnMouseMove,
                                            FirstStartOnKeyUp,     FirstStartPaintFrame, FirstStartPaintContent};

}  // namespace

AIControl& FirstStartStepButton() { return g_step; }
AIControl& FirstStartSizeButton(int index) { return g_sizes[index]; }

void RegisterFirstStartScreen() { RegisterScreen(kScreenFirstStart, &kFirstStartHandlers); }
