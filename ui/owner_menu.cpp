#include "ui/owner_menu.h"
#include "ui/colours.h"
#include "foundation/ai_string.h"

namespace {
enum { kMaxItems = 128, kItemChars = 80 };
WCHAR g_itemTexts[kMaxItems][kItemChars];
int g_itemCount = 0;
HFONT g_menuFont = 0;

HFONT MenuFont()
{
    if (!g_menuFont) {
        NONCLIENTMETRICSW metrics;
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            g_menuFont = CreateFontIndirectW(&metrics.lfMenuFont);
    }
    return g_menuFont ? g_menuFont : (HFONT)GetStockObject(DEFAULT_GUI_FONT);
}
}  // namespace

int MakeMenuOwnerDrawn(HMENU menu)
{
    int converted = 0;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count && g_itemCount < kMaxItems; i++) {
        WCHAR text[kItemChars] = {0};
        MENUITEMINFOW info;
        ZeroMemory(&info, sizeof(info));
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = kItemChars - 1;
        if (!GetMenuItemInfoW(menu, i, TRUE, &info)) continue;
        if (info.fType & MFT_SEPARATOR) continue;
        WCHAR* kept = g_itemTexts[g_itemCount++];
        CopyTextBounded(kept, kItemChars, text);
        MENUITEMINFOW change;
        ZeroMemory(&change, sizeof(change));
        change.cbSize = sizeof(change);
        change.fMask = MIIM_FTYPE | MIIM_DATA;
        change.fType = (info.fType & ~MFT_STRING) | MFT_OWNERDRAW;
        change.dwItemData = (ULONG_PTR)kept;
        if (SetMenuItemInfoW(menu, i, TRUE, &change)) converted++;
    }
    return converted;
}

int MeasureOwnerMenuItem(HWND owner, MEASUREITEMSTRUCT* item)
{
    if (item->CtlType != ODT_MENU || !item->itemData) return 0;
    const WCHAR* text = (const WCHAR*)item->itemData;
    HDC dc = GetDC(owner);
    HGDIOBJ old = SelectObject(dc, MenuFont());
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SelectObject(dc, old);
    ReleaseDC(owner, dc);
    item->itemWidth = size.cx + 40;
    item->itemHeight = size.cy + 8;
    return 1;
}

int DrawOwnerMenuItem(const DRAWITEMSTRUCT* item)
{
    if (item->CtlType != ODT_MENU || !item->itemData) return 0;
    const WCHAR* text = (const WCHAR*)item->itemData;
    int selected = (item->itemState & ODS_SELECTED) != 0;
    int disabled = (item->itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
    RECT rect = item->rcItem;
    FillRect(item->hDC, &rect, CreateBrushOfColour(selected && !disabled ? ColourPopupSelected : ColourPopupBack));
    HGDIOBJ old = SelectObject(item->hDC, MenuFont());
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, GetTableColour(disabled ? ColourDisabledText : ColourPopupText));
    RECT textRect = rect;
    textRect.left += 24;
    DrawTextW(item->hDC, text, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (item->itemState & ODS_CHECKED) {
        RECT check = rect;
        check.right = check.left + 22;
        DrawTextW(item->hDC, L"\x2713", 1, &check, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    SelectObject(item->hDC, old);
    return 1;
}

void ReleaseOwnerMenuTexts()
{
    g_itemCount = 0;
    if (g_menuFont) DeleteObject(g_menuFont);
    g_menuFont = 0;
}
