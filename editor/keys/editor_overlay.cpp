// The incremental search's match frame.
#include "editor/keys/editor_overlay.h"
#include "editor/keys/editor_state.h"
#include "editor/find/inc_search.h"
#include "ui/colours.h"

namespace {

// Room the frame takes around the match, and the room it must leave at the bottom.
const int kFrameMargin = 3;
const int kBottomRoom = 4;
const int kFrameRings = 3;
const int kShadowWidth = 2;
const int kMinimumSearchChars = 2;

struct OverlayState {
    int painting = 0;         // the control is painting itself
    int32_t paints = 0;
    int32_t lineHeight = 0;   // of the last line, measured once per zoom
    RECT frame = {0, 0, 0, 0};
    RECT cleared = {0, 0, 0, 0};  // a frame's place waiting to be cleared
};
OverlayState s_overlay;

int HeightOfLineAt(HWND window, int32_t position, POINTL top)
{
    int32_t line = (int32_t)SendMessageW(window, EM_EXLINEFROMCHAR, 0, position);
    int32_t next = (int32_t)SendMessageW(window, EM_LINEINDEX, line + 1, 0);
    if (next > position) {
        POINTL below = {0, 0};
        SendMessageW(window, EM_POSFROMCHAR, (WPARAM)&below, next);
        if (below.y > top.y) return below.y - top.y;
    }
    if (s_overlay.lineHeight <= 0) {
        HDC dc = GetDC(window);
        HFONT font = (HFONT)SendMessageW(window, WM_GETFONT, 0, 0);
        HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
        TEXTMETRICW metrics;
        s_overlay.lineHeight = GetTextMetricsW(dc, &metrics) ? metrics.tmHeight : 16;
        if (old) SelectObject(dc, old);
        ReleaseDC(window, dc);
    }
    return s_overlay.lineHeight;
}

// The frame around [start, end), or an empty rectangle when it does not fit
// (a match over two lines, scrolled above the window, or too near its bottom).
RECT FrameOf(HWND window, int32_t start, int32_t end)
{
    RECT none = {0, 0, 0, 0};
    POINTL first = {0, 0}, last = {0, 0};
    SendMessageW(window, EM_POSFROMCHAR, (WPARAM)&first, start);
    SendMessageW(window, EM_POSFROMCHAR, (WPARAM)&last, end);
    if (last.y != first.y || last.x <= first.x) return none;
    int height = HeightOfLineAt(window, start, first);
    RECT frame = {first.x - kFrameMargin, first.y - kFrameMargin, last.x + kFrameMargin,
                  first.y + height + kFrameMargin};
    RECT client;
    GetClientRect(window, &client);
    if (frame.bottom > client.bottom - kBottomRoom || first.y < client.top) return none;
    // At the window's edges the frame is cut, never drawn outside.
    if (frame.left < client.left) frame.left = client.left;
    if (frame.top < client.top) frame.top = client.top;
    if (frame.right > client.right) frame.right = client.right;
    return frame;
}

void DrawFrame(HWND window, const RECT& frame)
{
    HDC dc = GetDC(window);
    if (!dc) return;
    // The table owns its brushes.
    HBRUSH ring = CreateBrushOfColour(ColourSearchFrame);
    HBRUSH shadow = CreateBrushOfColour(ColourShadow);
    RECT r = frame;
    for (int i = 0; i < kFrameRings && ring; i++) {
        FrameRect(dc, &r, ring);
        InflateRect(&r, -1, -1);
    }
    if (shadow) {
        RECT right = {frame.right, frame.top + kShadowWidth, frame.right + kShadowWidth, frame.bottom + kShadowWidth};
        RECT bottom = {frame.left + kShadowWidth, frame.bottom, frame.right, frame.bottom + kShadowWidth};
        FillRect(dc, &right, shadow);
        FillRect(dc, &bottom, shadow);
    }
    ReleaseDC(window, dc);
}

int SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

}  // namespace

LRESULT EditorPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (s_overlay.painting) return 0;
    s_overlay.painting = 1;
    s_overlay.paints++;
    LRESULT result = PassOn(window, message, wParam, lParam);
    s_overlay.painting = 0;
    RECT frame = {0, 0, 0, 0};
    CHARRANGE s;
    ReadEditorSelection(&s);
    if (g_incSearch.boxMode != kIncBoxIdle && g_incSearch.matchLength >= kMinimumSearchChars && s.cpMax - s.cpMin > 1)
        frame = FrameOf(window, s.cpMin, s.cpMax);
    if (!IsRectEmpty(&frame)) DrawFrame(window, frame);
    // The place of a frame that moved or went is cleared after this paint,
    // by a message: a paint never asks for another paint.
    if (!IsRectEmpty(&s_overlay.frame) && !SameRect(frame, s_overlay.frame)) {
        RECT old = s_overlay.frame;
        InflateRect(&old, kShadowWidth, kShadowWidth);
        UnionRect(&s_overlay.cleared, &s_overlay.cleared, &old);
        PostMessageW(window, kMsgClearSearchFrame, 0, 0);
    }
    s_overlay.frame = frame;
    return result;
}

LRESULT EditorClearSearchFrame(HWND window, UINT, WPARAM, LPARAM)
{
    if (!IsRectEmpty(&s_overlay.cleared)) InvalidateRect(window, &s_overlay.cleared, FALSE);
    SetRectEmpty(&s_overlay.cleared);
    return 0;
}

int32_t EditorPaintCount() { return s_overlay.paints; }
RECT EditorSearchFrame() { return s_overlay.frame; }
