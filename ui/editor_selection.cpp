#include "ui/editor_selection.h"
#include "foundation/ai_string.h"

QuietSelection::QuietSelection(HWND editor, int writing)
    : editor_(editor), eventMask_(0), writing_(writing), redrawOff_(0), pendingPaint_(0)
{
    selection_.cpMin = selection_.cpMax = 0;
    scroll_.x = scroll_.y = 0;
    if (!editor_) return;
    eventMask_ = (DWORD)SendMessageW(editor_, EM_GETEVENTMASK, 0, 0);
    // Listeners must not see the selection wander.
    SendMessageW(editor_, EM_SETEVENTMASK, 0,
                 eventMask_ & ~(DWORD)(ENM_SELCHANGE | ENM_SCROLL | ENM_SCROLLEVENTS | ENM_UPDATE));
    SendMessageW(editor_, EM_EXGETSEL, 0, (LPARAM)&selection_);
    SendMessageW(editor_, EM_GETSCROLLPOS, 0, (LPARAM)&scroll_);
    // While the window draws, every selection change repaints it at once, and
    // selecting scrolls the selection into view: with drawing off until the
    // scroll position is back, neither the cost nor the jump reaches the screen.
    if (IsWindowVisible(editor_)) {
        // Turning drawing off validates the window: whatever was waiting to
        // be drawn (a note just put in, a selection just made) would never be.
        pendingPaint_ = CreateRectRgn(0, 0, 0, 0);
        if (pendingPaint_ && GetUpdateRgn(editor_, pendingPaint_, FALSE) <= NULLREGION) {
            DeleteObject(pendingPaint_);
            pendingPaint_ = 0;
        }
        SendMessageW(editor_, WM_SETREDRAW, FALSE, 0);
        redrawOff_ = 1;
    }
    // A hidden selection is not invalidated on every move: that is most of
    // the cost of a selection change in the platform's RichEdit.
    SendMessageW(editor_, EM_HIDESELECTION, TRUE, 0);
}

QuietSelection::~QuietSelection()
{
    if (!editor_) return;
    SendMessageW(editor_, EM_EXSETSEL, 0, (LPARAM)&selection_);
    POINT scroll = {0, 0};
    SendMessageW(editor_, EM_GETSCROLLPOS, 0, (LPARAM)&scroll);
    if (scroll.x != scroll_.x || scroll.y != scroll_.y) SendMessageW(editor_, EM_SETSCROLLPOS, 0, (LPARAM)&scroll_);
    // Always shown again: a selection hidden by the message stays hidden even
    // when the editor gets the focus back (without the focus the editor hides
    // it by itself).
    SendMessageW(editor_, EM_HIDESELECTION, FALSE, 0);
    if (redrawOff_) SendMessageW(editor_, WM_SETREDRAW, TRUE, 0);
    // Changes made while the window did not draw were never invalidated.
    if (redrawOff_ && writing_) InvalidateRect(editor_, 0, FALSE);
    if (pendingPaint_) {
        InvalidateRgn(editor_, pendingPaint_, TRUE);
        DeleteObject(pendingPaint_);
    }
    SendMessageW(editor_, EM_SETEVENTMASK, 0, eventMask_);
}

int ReadRangeFormat(HWND editor, int start, int end, CHARFORMAT2W* format)
{
    ZeroMemory(format, sizeof(*format));
    format->cbSize = sizeof(*format);
    CHARRANGE range = {start, end};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&range);
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)format);
    return format->dwMask != 0;
}

int WriteRangeFormat(HWND editor, int start, int end, const CHARFORMAT2W& format)
{
    CHARRANGE range = {start, end};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&range);
    return SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&format) ? 1 : 0;
}

void ReadEditorText(HWND editor, AIString& out, int crlf)
{
    out.Clear();
    if (!editor) return;
    GETTEXTLENGTHEX lengthRequest = {(DWORD)(GTL_NUMCHARS | (crlf ? GTL_USECRLF : 0)), 1200};
    int chars = (int)SendMessageW(editor, EM_GETTEXTLENGTHEX, (WPARAM)&lengthRequest, 0);
    if (chars <= 0) return;
    WCHAR* buffer = out.GetBuffer(chars + 1);
    if (!buffer) return;
    GETTEXTEX request = {};
    request.cb = (DWORD)((chars + 1) * sizeof(WCHAR));
    request.flags = crlf ? GT_USECRLF : GT_DEFAULT;
    request.codepage = 1200;
    int got = (int)SendMessageW(editor, EM_GETTEXTEX, (WPARAM)&request, (LPARAM)buffer);
    out.SetLength(got < 0 ? 0 : (got > chars ? chars : got));
}

namespace {
int RowTop(HWND editor, int position)
{
    POINTL at = {0, 0};
    SendMessageW(editor, EM_POSFROMCHAR, (WPARAM)&at, position);
    return (int)at.y;
}
}  // namespace

int RowInView(HWND editor, int position, int* top)
{
    RECT client;
    if (!editor || !GetClientRect(editor, &client)) return 0;
    *top = RowTop(editor, position);
    return *top >= 0 && *top < client.bottom;
}

void KeepRowAt(HWND editor, int position, int top)
{
    int shift = RowTop(editor, position) - top;
    if (!shift) return;
    POINT view = {0, 0};
    SendMessageW(editor, EM_GETSCROLLPOS, 0, (LPARAM)&view);
    view.y += shift;
    if (view.y < 0) view.y = 0;
    SendMessageW(editor, EM_SETSCROLLPOS, 0, (LPARAM)&view);
}
