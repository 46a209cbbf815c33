// The note list's rows, drawn from the note index: the look of a plain list
// box (its font and colours, the highlight and the focus rectangle), without
// a copy of every title in the list box.
#include "shell/note_list_rows.h"
#include "notestore/note_store.h"
#include "notestore/datafile_format.h"

// A plain list box draws its text one pixel in from the row's left edge.
static const int kRowTextIndent = 1;
// WM_CHARTOITEM's answer when the list box is to do nothing.
static const int kCharHandled = -2;

void NoteListRowTitle(int row, AIString& shown)
{
    AIString title;
    if (row >= 0 && row < GetNoteCount()) GetNoteTitle(row, title);
    ShownTitleForm(title.GetText(), shown);
}

void SetNoteListRowCount(HWND list, int count)
{
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_SETCOUNT, count, 0);
}

void SetNoteListRowHeight(HWND list, HFONT font)
{
    HDC dc = GetDC(list);
    if (!dc) return;
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics;
    if (GetTextMetricsW(dc, &metrics)) SendMessageW(list, LB_SETITEMHEIGHT, 0, metrics.tmHeight);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
}

int NoteListDrawItem(HWND list, const DRAWITEMSTRUCT* item)
{
    if (!item || !list || item->hwndItem != list) return 0;
    HDC dc = item->hDC;
    RECT row = item->rcItem;
    int onlyFocus = (item->itemAction & ODA_FOCUS) && !(item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT));
    if (item->itemID == (UINT)-1 || onlyFocus)
    {
        // An empty list, or the focus moving: the rectangle alone (drawn again, it goes away).
        DrawFocusRect(dc, &row);
        return 1;
    }
    AIString shown;
    NoteListRowTitle((int)item->itemID, shown);
    COLORREF oldText = GetTextColor(dc), oldBack = GetBkColor(dc);
    if (item->itemState & ODS_SELECTED)
    {
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    else if (item->itemState & ODS_DISABLED)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    ExtTextOutW(dc, row.left + kRowTextIndent, row.top, ETO_OPAQUE | ETO_CLIPPED, &row, shown.GetText(),
                (UINT)shown.GetLength(), nullptr);
    if (item->itemState & ODS_FOCUS) DrawFocusRect(dc, &row);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    return 1;
}

static WCHAR FoldForKey(WCHAR c) { return (WCHAR)(UINT_PTR)CharUpperW((LPWSTR)(UINT_PTR)c); }

int NoteListRowForChar(WCHAR typed, int caret, int count)
{
    if (count <= 0) return kCharHandled;
    WCHAR wanted = FoldForKey(typed);
    AIString shown;
    int start = caret < 0 || caret >= count ? 0 : caret + 1;
    for (int step = 0; step < count; step++)
    {
        int row = (start + step) % count;
        NoteListRowTitle(row, shown);
        if (shown.GetText()[0] && FoldForKey(shown.GetText()[0]) == wanted) return row;
    }
    return kCharHandled;
}
