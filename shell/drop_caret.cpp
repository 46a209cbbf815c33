// The drop caret is drawn over the editor by inverting a thin bar; it goes by
// repainting the bar's rectangle, so a paint of the editor in between (a
// scroll, a timer's repaint) never leaves a stray bar behind.
#include "shell/drop_caret.h"
#include "editor/keys/editor_overlay.h"
#include <richedit.h>

namespace {

const int kDropCaretWidth = 2;
const int kTwipsPerInch = 1440;

struct DropCaret {
    HWND editor = nullptr;
    RECT rect = {0, 0, 0, 0};
    int32_t position = -1;
    int32_t paints = 0;   // the editor's paint count when it was drawn
};
DropCaret s_caret;

POINT PositionOf(HWND editor, int32_t character)
{
    POINTL at = {0, 0};
    SendMessageW(editor, EM_POSFROMCHAR, (WPARAM)&at, character);
    return {at.x, at.y};
}

// The height of a line of text at the default font and the editor's zoom.
int DefaultLineHeight(HWND editor)
{
    CHARFORMAT2W format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_SIZE;
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format);
    HDC dc = GetDC(editor);
    int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(editor, dc);
    int height = MulDiv(format.yHeight > 0 ? format.yHeight : 200, dpi, kTwipsPerInch);
    int numerator = 0, denominator = 0;
    if (SendMessageW(editor, EM_GETZOOM, (WPARAM)&numerator, (LPARAM)&denominator) && numerator > 0 &&
        denominator > 0)
        height = MulDiv(height, numerator, denominator);
    return height > 4 ? height + height / 4 : 8;
}

// The height of the line that holds the character: down to the next line's
// top, else up from the line before, else the font's.
int LineHeightAt(HWND editor, int32_t character, int top)
{
    int line = (int)SendMessageW(editor, EM_EXLINEFROMCHAR, 0, character);
    int next = (int)SendMessageW(editor, EM_LINEINDEX, line + 1, 0);
    if (next > character) {
        int height = PositionOf(editor, next).y - top;
        if (height > 0) return height;
    }
    if (line > 0) {
        int previous = (int)SendMessageW(editor, EM_LINEINDEX, line - 1, 0);
        int height = top - PositionOf(editor, previous).y;
        if (previous >= 0 && height > 0) return height;
    }
    return DefaultLineHeight(editor);
}

void Invert(HWND editor, const RECT& rect)
{
    HDC dc = GetDC(editor);
    if (!dc) return;
    PatBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, DSTINVERT);
    ReleaseDC(editor, dc);
}

}  // namespace

int32_t DropInsertionPoint(HWND editor, POINT client)
{
    if (!editor) return -1;
    POINTL at = {client.x, client.y};
    int32_t character = (int32_t)SendMessageW(editor, EM_CHARFROMPOS, 0, (LPARAM)&at);
    if (character < 0) return -1;
    // Past the end (some rich edits answer so below the last line): the end.
    GETTEXTLENGTHEX measure = {GTL_NUMCHARS, 1200};
    int32_t length = (int32_t)SendMessageW(editor, EM_GETTEXTLENGTHEX, (WPARAM)&measure, 0);
    if (length >= 0 && character > length) character = length;
    // Past the middle of a character on its line (not a line's end): after it.
    WCHAR ch[2] = {0, 0};
    TEXTRANGEW range = {{character, character + 1}, ch};
    if (SendMessageW(editor, EM_GETTEXTRANGE, 0, (LPARAM)&range) != 1 || ch[0] == L'\r' || ch[0] == L'\n' ||
        ch[0] == L'\v')
        return character;
    POINT start = PositionOf(editor, character), next = PositionOf(editor, character + 1);
    if (next.y == start.y && next.x > start.x && client.x > (start.x + next.x) / 2) return character + 1;
    return character;
}

void HideDropCaret()
{
    if (s_caret.editor && IsWindow(s_caret.editor) && !IsRectEmpty(&s_caret.rect)) {
        InvalidateRect(s_caret.editor, &s_caret.rect, FALSE);
        UpdateWindow(s_caret.editor);
    }
    s_caret = DropCaret();
}

void ShowDropCaret(HWND editor, POINT client)
{
    int32_t position = DropInsertionPoint(editor, client);
    if (position < 0) {
        HideDropCaret();
        return;
    }
    POINT at = PositionOf(editor, position);
    RECT rect = {at.x, at.y, at.x + kDropCaretWidth, at.y + LineHeightAt(editor, position, at.y)};
    RECT area;
    GetClientRect(editor, &area);
    IntersectRect(&rect, &rect, &area);
    if (editor == s_caret.editor && EqualRect(&rect, &s_caret.rect) && EditorPaintCount() == s_caret.paints) return;
    HideDropCaret();
    if (IsRectEmpty(&rect)) return;
    Invert(editor, rect);
    s_caret.editor = editor;
    s_caret.rect = rect;
    s_caret.position = position;
    s_caret.paints = EditorPaintCount();
}

int32_t DropCaretPosition() { return s_caret.position; }
RECT DropCaretRect() { return s_caret.rect; }
