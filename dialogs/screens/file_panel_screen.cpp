// Screen 11, the File panel: six command buttons down the left, the recent
// data files on the right, Exit and Cancel at the foot. It only chooses: the
// result goes back through HandleFileCommand, which carries it out.
#include "dialogs/screens/file_panel_rules.h"
#include "dialogs/screens/screens.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "drawing/ai_effects.h"
#include "foundation/app.h"
#include "foundation/misc_services.h"
#include "foundation/settings_record.h"
#include "notestore/note_store.h"
#include "resources/resource_ids.h"
#include "ui/colours.h"
#include <windowsx.h>

namespace {

enum {
    kColumnWidth = 150,
    kButtonLeft = 20,
    kButtonWidth = 130,
    kButtonHeight = 40,
    kControlTop = 60,
    kFootLine = 280,       // below the top of the control area
    kExitWidth = 85,
    kCancelWidth = 65,
    kCancelFromRight = 90,
    kListTop = 45,
    kDescriptionTop = 300,
};

const COLORREF kDividerDark = RGB(150, 150, 150);
const COLORREF kDividerLight = RGB(245, 245, 245);

// The six file commands in the order of FilePanelButtonCaption.
struct CommandButton {
    int top;
    const WCHAR* description;
    int picture;
};
const CommandButton kButtons[6] = {
    {59, L"Create a new Tavik file", IDP_NEW_FILE_24},
    {100, L"Open another Tavik file", IDP_OPEN_FILE_24},
    {140, L"Refresh the current Tavik file \r(will permanently delete notes)", IDP_RELOAD_24},
    {180, L"Make a snapshot copy of current file\rto a different location", IDP_SAVE_COPY_24},
    {235, L"Page and Printer setup", IDP_PAGE_SETUP_24},
    {278, L"Print current note", IDP_PRINT_24},
};

AIControl g_buttons[6];
int g_hoveredRow = 0;

int ListLeft() { return ScreenContentOffset() + kColumnWidth; }
int ListTop() { return ScreenContentOffset() + kListTop + (g_app.system.IsMac() ? 10 : 0); }

// A row offers a file when its recent-file entry is set: read from the
// settings, so that the mouse finds it before the first paint too.
int RowHoldsFile(int row)
{
    if (row < 1 || row > kFilePanelRows) return 0;
    AIString path;
    SettingsGetRecentFile(g_app.settings.Record(), row - 1, path);
    return path.IsEmpty() ? 0 : 1;
}

void FilePanelOnShow()
{
    g_hoveredRow = 0;
    g_dialogHost.page = 2;
}

LRESULT FilePanelOnCreate(HWND host, UINT, WPARAM, LPARAM)
{
    int offset = ScreenContentOffset();
    int mac = g_app.system.IsMac();
    for (int i = 0; i < 6; i++) {
        int left = mac ? 10 : kButtonLeft, width = mac ? 140 : kButtonWidth;
        int top = offset + kButtons[i].top - (mac ? 10 : 0);
        g_buttons[i].CreateStandard(host, FilePanelButtonCaption(i), left + offset, top, width, kButtonHeight);
        g_buttons[i].SetPicture(ScreenPicture(kButtons[i].picture));
    }
    int foot = offset + (mac ? 40 : kControlTop) + kFootLine;
    PlaceSharedControl(g_screenControls.buttonA, FilePanelButtonCaption(kFilePanelExitButton), offset + kButtonLeft, foot, kExitWidth,
                       kScreenButtonHeight);
    PlaceSharedControl(g_screenControls.close, L"Cancel", g_dialogHost.width - kCancelFromRight, foot, kCancelWidth,
                       kScreenButtonHeight);
    return 0;
}

LRESULT FilePanelOnMouseDown(HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    for (AIControl& b : g_buttons) b.OnMouseDown(x, y);
    return SharedControlsOnMouseDown(host, message, wParam, lParam);
}

LRESULT FilePanelOnMouseUp(HWND host, UINT, WPARAM, LPARAM lParam)
{
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    for (int i = 0; i < 6; i++)
        if (g_buttons[i].OnMouseUp(x, y)) {
            CloseScreenWithResult(FilePanelButtonResult(i));
            return 0;
        }
    AIControl* clicked = SharedControlsMouseUp(x, y);
    if (clicked == &g_screenControls.buttonA) CloseScreenWithResult(kFileExit);
    else if (clicked == &g_screenControls.close) CloseScreenWithResult(kFileNothing);
    else if (g_hoveredRow >= 1) CloseScreenWithResult(kFileRecentBase + g_hoveredRow);
    else InvalidateRect(host, 0, FALSE);
    return 0;
}

LRESULT FilePanelOnMouseMove(HWND host, UINT, WPARAM, LPARAM lParam)
{
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    int changed = 0;
    for (AIControl& b : g_buttons) changed |= b.OnMouseMove(x, y);
    changed |= SharedControlsMouseMove(x, y);
    int row = 0;
    if (x >= ListLeft() && x < g_dialogHost.width - ScreenContentOffset()) {
        row = FilePanelRowAt(y, ListTop());
        if (!RowHoldsFile(row)) row = 0;
    }
    if (row != g_hoveredRow) {
        g_hoveredRow = row;
        changed = 1;
    }
    SetCursorShape(row ? 2 : 4);
    if (row) {
        g_screenControls.buttonA.Hide();
        g_screenControls.close.Hide();
    } else {
        g_screenControls.buttonA.Show();
        g_screenControls.close.Show();
    }
    if (changed) InvalidateRect(host, 0, FALSE);
    return 0;
}

LRESULT FilePanelOnKeyUp(HWND, UINT message, WPARAM key, LPARAM)
{
    if (IsSystemKey(message, key)) return 0;
    int result = FilePanelResultForKey(key, g_hoveredRow);
    if (result) CloseScreenWithResult(result);
    return 0;
}

void FillGradient(HDC dc, int left, int top, int right, int bottom, COLORREF a, COLORREF b, COLORREF c, COLORREF d)
{
    RECT r = {left, top, right, bottom};
    AIEffectContext fill(dc, r);
    if (GetScreenBitsPerPixel() == 32) fill.FourCornerGradientA(r, a, b, c, d);
    else FillRect(dc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
}

void FilePanelPaintFrame(HDC dc, int x, int y, int width, int height)
{
    DrawResourceJpg(dc, x, y, width, height);
    DrawScreenBackground(dc, x, y, width, height, kScreenMargin1);
    int top = y + kScreenTitleBarHeight;
    FillGradient(dc, x, top, x + kColumnWidth, y + height, RGB(252, 252, 252), RGB(245, 245, 242),
                 RGB(252, 252, 255), RGB(245, 245, 245));
    FillGradient(dc, x + kColumnWidth + 2, top, x + width, y + height, RGB(236, 236, 236), RGB(220, 220, 220),
                 RGB(236, 236, 236), RGB(205, 205, 205));
    DrawScreenFrame(dc, x, y, width, height, -1);
    // The divider: a dark line and a light one beside it.
    FillSolid(dc, x + kColumnWidth, top, x + kColumnWidth + 1, y + height, kDividerDark);
    FillSolid(dc, x + kColumnWidth + 1, top, x + kColumnWidth + 2, y + height, kDividerLight);
}

void DrawText9(HDC dc, const WCHAR* text, int left, int top, int right, int bottom, int bold, UINT align)
{
    AIString t(text);
    t.SetFontSize(9).SetBold(bold).SetTextColor(GetTableColour(ColourText));
    RECT r = {left, top, right, bottom};
    t.DrawStyled(dc, r, align | DT_NOPREFIX);
}

void FilePanelPaintContent(HDC dc)
{
    int offset = ScreenContentOffset();
    int right = g_dialogHost.width - offset - 10;
    SelectDisplayFont(dc, L"File Manager", offset + 10, offset + kScreenTitleTop + ScreenTitleOffset(), kScreenTitlePoints);
    int hotButton = -1;
    for (int i = 0; i < 6; i++) {
        DrawScreenControls(dc, g_buttons[i], kButtonFramed);
        if (g_buttons[i].IsHot()) hotButton = i;
    }
    int left = ListLeft() + 15;
    if (hotButton >= 0) {
        // The description of the button under the mouse, centred in the pane.
        AIString text(kButtons[hotButton].description);
        text.ReplaceAll(L"\r", L"\r\n", 1);
        DrawText9(dc, text.GetText(), left, offset + kDescriptionTop - 14, right, offset + kDescriptionTop + 30, 1, DT_CENTER);
    }
    int listTop = ListTop();
    DrawText9(dc, L"Recent Files", left, listTop + 5, right, listTop + 5 + kFilePanelRowHeight, 1, DT_LEFT | DT_SINGLELINE);
    const SettingsRecord& settings = g_app.settings.Record();
    for (int row = 1; row <= kFilePanelRows; row++) {
        AIString path, shown;
        SettingsGetRecentFile(settings, row - 1, path);
        FilePanelRowText(path.GetText(), shown);
        int top = listTop + 5 + row * kFilePanelRowHeight;
        if (row == g_hoveredRow) {
            RECT hot = {left - 6, top - 3, right, top + kFilePanelRowHeight - 5};
            FillRect(dc, &hot, CreateBrushOfColour(ColourHot));
        }
        int current = !path.IsEmpty() && path.EqualsTextNoCase(g_noteStore.datafilePath.GetText());
        DrawText9(dc, shown.GetText(), left, top, right, top + kFilePanelRowHeight, current, DT_LEFT | DT_SINGLELINE);
    }
    if (g_hoveredRow >= 1) {
        AIString path, relative, lines;
        SettingsGetRecentFile(settings, g_hoveredRow - 1, path);
        if (g_app.system.IsPortable() && MakeRelativePath(path.GetText(), relative) && relative.StartsWithNoCase(L"rel:")) {
            relative.KeepRange(4, relative.GetLength() - 4);
            path.Copy(relative);
        }
        FilePanelPathLines(path.GetText(), lines);
        int foot = g_dialogHost.height - 60;
        DrawText9(dc, lines.GetText(), left, foot, right, foot + 40, 1, DT_LEFT);
    }
    DrawScreenControls(dc, g_screenControls.buttonA, kButtonFramed);
    DrawScreenControls(dc, g_screenControls.close, kButtonFramed);
}

const ScreenHandlers kFilePanelHandlers = {FilePanelOnShow,      FilePanelOnCreate,    0,
                                           FilePanelOnMouseDown, FilePanelOnMouseUp,   FilePanelOnMouseMove,
                                           FilePanelOnKeyUp,     FilePanelPaintFrame,  FilePanelPaintContent};

}  // namespace

void RegisterFilePanelScreen() { RegisterScreen(kScreenFilePanel, &kFilePanelHandlers); }
