// Screen 21, Favourites: nine slots in a 3 x 3 grid. A click (or digit)
// chooses a slot: the caller opens its note, or stores the current note in
// an empty one. Each slot's small button empties it at once.
#include "dialogs/screens/favourites_table.h"
#include "dialogs/screens/screens.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "resources/resource_ids.h"
#include "foundation/app.h"
#include "ui/colours.h"
#include <windowsx.h>

namespace {

enum {
    kAreaLeft = 20,
    kAreaTop = 60,
    kAreaBottomGap = 56,
    kRemoveSize = 20,
    kCloseFromRight = 80,
    kCloseTop = 390,
    kFilledPoints = 12,
    kEmptyPoints = 10,
};

AIControl g_slots[kFavouriteSlots];
AIControl g_removes[kFavouriteSlots];

int IsFilled(int i) { return g_favourites.Get(i + 1)[0] ? 1 : 0; }

void FavouritesOnShow() { g_dialogHost.paintCount = 10; }

void FavouritesOnClose()
{
    if (g_dialogHost.window) KillTimer(g_dialogHost.window, kHostAnimationTimer);
}

LRESULT FavouritesOnCreate(HWND host, UINT, WPARAM, LPARAM)
{
    int offset = ScreenContentOffset();
    RECT area = {offset + kAreaLeft, offset + kAreaTop, g_dialogHost.width - offset - kAreaLeft,
                 g_dialogHost.height - kAreaBottomGap - offset};
    int w = area.right - area.left, h = area.bottom - area.top;
    int slotWidth = w / 3 - 20, slotHeight = h / 3 - 20;
    int stepX = w / 3 - 10, stepY = slotHeight + 10;
    // The grid stands in the middle of the area.
    int gridLeft = area.left + (w - (2 * stepX + slotWidth)) / 2;
    int gridTop = area.top + (h - (2 * stepY + slotHeight)) / 2;
    for (int i = 0; i < kFavouriteSlots; i++) {
        int left = gridLeft + (i % 3) * stepX;
        int top = gridTop + (i / 3) * stepY;
        g_slots[i].CreateStandard(host, L"", left, top, slotWidth, slotHeight);
        g_removes[i].CreateStandard(host, L"", left + slotWidth - kRemoveSize, top, kRemoveSize, kRemoveSize);
        g_removes[i].SetPicture(ScreenPicture(IDP_REMOVE_16));
    }
    PlaceSharedControl(g_screenControls.close, L"Close", g_dialogHost.width - kCloseFromRight, offset + kCloseTop,
                       kScreenCloseWidth, kScreenButtonHeight);
    return 0;
}

LRESULT FavouritesOnMouseDown(HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    for (int i = 0; i < kFavouriteSlots; i++)
        if (!(IsFilled(i) && g_removes[i].OnMouseDown(x, y))) g_slots[i].OnMouseDown(x, y);
    InvalidateRect(host, 0, FALSE);
    return SharedControlsOnMouseDown(host, message, wParam, lParam);
}

LRESULT FavouritesOnMouseMove(HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    int changed = 0;
    for (int i = 0; i < kFavouriteSlots; i++) changed |= g_removes[i].OnMouseMove(x, y) | g_slots[i].OnMouseMove(x, y);
    if (changed) InvalidateRect(host, 0, FALSE);
    return SharedControlsOnMouseMove(host, message, wParam, lParam);
}

LRESULT FavouritesOnMouseUp(HWND host, UINT, WPARAM, LPARAM lParam)
{
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    if (SharedControlsMouseUp(x, y) == &g_screenControls.close) {
        CloseScreenWithResult(-1);
        return 0;
    }
    for (int i = 0; i < kFavouriteSlots; i++) {
        if (IsFilled(i) && g_removes[i].OnMouseUp(x, y)) {
            g_favourites.Set(i + 1, L"");
            StoreFavourites();
            g_slots[i].OnMouseUp(-1, -1);  // the press on the slot beneath ends without a click
            InvalidateRect(host, 0, FALSE);
            return 0;
        }
    }
    for (int i = 0; i < kFavouriteSlots; i++)
        if (g_slots[i].OnMouseUp(x, y)) {
            CloseScreenWithResult(i + 2);
            return 0;
        }
    InvalidateRect(host, 0, FALSE);
    return 0;
}

LRESULT FavouritesOnKeyUp(HWND, UINT message, WPARAM key, LPARAM)
{
    if (IsSystemKey(message, key)) return 0;
    int ctrl = (GetKeyState(VK_CONTROL) & 0x8000) ? 1 : 0;
    int alt = (GetKeyState(VK_MENU) & 0x8000) ? 1 : 0;
    if (key >= '1' && key <= '9') CloseScreenWithResult((int)(key - '0') + 1);
    else if (key == '0' && ctrl) CloseScreenWithResult(-1);
    else if ((key == VK_ESCAPE || key == VK_RETURN) && !ctrl && !alt) CloseScreenWithResult(-1);
    return 1;
}

void FavouritesPaintFrame(HDC dc, int x, int y, int width, int height)
{
    DrawTitledScreenFrame(dc, x, y, width, height, L"Favorite notes");
}

// A slot's text: "_" as blanks; long titles broken at blanks into at most
// four lines; an empty slot invites the current note.
void FavouritesPaintSlot(HDC dc, AIControl& slot, int number)
{
    RECT r = slot.GetRect();
    COLORREF face = slot.IsPressed() ? RGB(205, 215, 235) : slot.IsHot() ? RGB(235, 242, 255) : RGB(248, 248, 248);
    HBRUSH brush = CreateSolidBrush(face);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    FrameRect(dc, &r, CreateBrushOfColour(ColourFrame));
    AIString number_(L"");
    number_.AppendInt(number).SetFontSize(8).SetTextColor(RGB(140, 140, 140));
    RECT corner = {r.left + 5, r.top + 3, r.left + 30, r.top + 20};
    number_.DrawStyled(dc, corner, DT_LEFT | DT_SINGLELINE);
    AIString text(g_favourites.Get(number));
    text.ReplaceAll(L"_", L" ", 1);
    text.Trim();
    int empty = text.IsEmpty();
    if (empty) text.AssignText(L"Click to add\r\ncurrent note\r\nhere");
    text.SetFontSize(empty ? kEmptyPoints : kFilledPoints).SetBold(empty ? 0 : 1);
    text.SetTextColor(empty ? RGB(130, 130, 130) : GetTableColour(ColourText));
    RECT inner = {r.left + 8, r.top + 22, r.right - 8, r.bottom - 6};
    text.DrawStyled(dc, inner, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void FavouritesPaintContent(HDC dc)
{
    for (int i = 0; i < kFavouriteSlots; i++) {
        FavouritesPaintSlot(dc, g_slots[i], i + 1);
        if (g_favourites.Get(i + 1)[0]) DrawScreenControls(dc, g_removes[i], g_removes[i].IsHot() ? kButtonFramed : kButtonPlain);
    }
    int offset = ScreenContentOffset();
    AIString tip(L"<b>Tip:</b> Use Ctrl+1-9 to activate the favorite directly");
    RECT r = {offset + kAreaLeft + 10, offset + kCloseTop + 6, g_dialogHost.width - kCloseFromRight - 10,
              offset + kCloseTop + kScreenButtonHeight};
    DrawScreenMarkup(dc, tip.GetText(), r, 9);
    DrawScreenControls(dc, g_screenControls.close, kButtonFramed);
}

const ScreenHandlers kFavouritesHandlers = {FavouritesOnShow,      FavouritesOnCreate,   FavouritesOnClose,
                                            FavouritesOnMouseDown, FavouritesOnMouseUp,  FavouritesOnMouseMove,
                                            FavouritesOnKeyUp,     FavouritesPaintFrame, FavouritesPaintContent};

}  // namespace

void RegisterFavouritesScreen() { RegisterScreen(kScreenFavourites, &kFavouritesHandlers); }

int FavouritesSlotShownHot(int slot) { return slot >= 1 && slot <= kFavouriteSlots && g_slots[slot - 1].IsHot(); }
RECT FavouritesSlotRect(int slot)
{
    RECT none = {0, 0, 0, 0};
    return slot >= 1 && slot <= kFavouriteSlots ? g_slots[slot - 1].GetRect() : none;
}
