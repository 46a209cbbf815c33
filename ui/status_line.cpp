#include "ui/status_line.h"
#include "ui/colours.h"
#include "foundation/ai_string.h"

AIStatusLine::AIStatusLine() : pictureCode_(0), window_(0), keptSlot_(-1)
{
    ZeroMemory(painted_, sizeof(painted_));
    ZeroMemory(text_, sizeof(text_));
    ZeroMemory(level_, sizeof(level_));
    ZeroMemory(expiry_, sizeof(expiry_));
    SetRectEmpty(&rect_);
}

void AIStatusLine::SetText(const WCHAR* text) { SetSlotText(text, kStatusDone, 0); }

void AIStatusLine::SetSlotText(const WCHAR* text, StatusLevel level, int slot)
{
    if (slot < 0 || slot >= kSlots) return;
    if (level < kStatusDone || level > kStatusError) level = kStatusError;
    CopyTextBounded(text_[slot], kSlotChars + 1, text ? text : L"");
    level_[slot] = level;
    expiry_[slot] = 0;
    Invalidate();
}

void AIStatusLine::SetTimedText(const WCHAR* text, StatusLevel level, int slot, int milliseconds)
{
    SetTimedText(text, level, slot, milliseconds, GetTickCount());
}

void AIStatusLine::SetTimedText(const WCHAR* text, StatusLevel level, int slot, int milliseconds, DWORD now)
{
    SetSlotText(text, level, slot);
    if (slot < 0 || slot >= kSlots) return;
    DWORD due = now + (DWORD)(milliseconds > 0 ? milliseconds : 1);
    expiry_[slot] = due ? due : 1;  // 0 means "never"
}

void AIStatusLine::ClearSlot(int slot)
{
    if (slot < 0 || slot >= kSlots) return;
    text_[slot][0] = 0;
    level_[slot] = kStatusDone;
    expiry_[slot] = 0;
    Invalidate();
}

const WCHAR* AIStatusLine::GetSlotText(int slot) const
{
    return (slot >= 0 && slot < kSlots) ? text_[slot] : L"";
}

StatusLevel AIStatusLine::GetSlotLevel(int slot) const { return (slot >= 0 && slot < kSlots) ? level_[slot] : kStatusDone; }

void AIStatusLine::SetPictureCode(int code)
{
    pictureCode_ = code;
    Invalidate();
}

int AIStatusLine::Tick(DWORD now)
{
    int changed = 0;
    for (int i = 0; i < kSlots; i++) {
        // Wrap-safe: the difference turns non-negative once the time is up.
        if (expiry_[i] && (int32_t)(now - expiry_[i]) >= 0) {
            text_[i][0] = 0;
            level_[i] = kStatusDone;
            expiry_[i] = 0;
            changed = 1;
        }
    }
    if (changed) Invalidate();
    return changed;
}

void AIStatusLine::Attach(HWND window, const RECT& rect)
{
    window_ = window;
    rect_ = rect;
}

void AIStatusLine::Invalidate()
{
    if (window_ && !IsRectEmpty(&rect_)) InvalidateRect(window_, &rect_, FALSE);
}

void AIStatusLine::Paint(HDC dc)
{
    if (IsRectEmpty(&rect_)) return;
    FillRect(dc, &rect_, CreateBrushOfColour(ColourFace));
    RECT area = rect_;
    area.left += 4;
    if (pictureCode_) {
        // A small square in the colour of the message kind.
        COLORREF kind = pictureCode_ == 1003 ? RGB(200, 0, 0)
                        : pictureCode_ == 1002 ? RGB(230, 140, 0)
                        : pictureCode_ == 1001 ? RGB(0, 130, 0) : RGB(0, 90, 200);
        int side = (area.bottom - area.top) - 8;
        if (side > 4) {
            RECT mark = {area.left, area.top + 4, area.left + side, area.top + 4 + side};
            HBRUSH brush = CreateSolidBrush(kind);
            FillRect(dc, &mark, brush);
            DeleteObject(brush);
            area.left += side + 6;
        }
    }
    static const COLORREF levelColours[4] = {RGB(1, 1, 1), RGB(0, 60, 160), RGB(190, 100, 0), RGB(200, 0, 0)};
    int oldMode = SetBkMode(dc, TRANSPARENT);
    // Each slot is as wide as its text shows (tags take no room).
    AIString texts[kSlots];
    int widths[kSlots] = {0};
    SIZE sizes[kSlots] = {};
    for (int i = 0; i < kSlots; i++) {
        if (!text_[i][0]) continue;
        texts[i].AssignText(text_[i]);
        texts[i].SetTextColor(levelColours[level_[i]]).SetFontSize(kFontPoints);
        RECT oneLine = {area.left, area.top, area.left + kUnboundedWidth, area.bottom};
        sizes[i] = texts[i].MeasureMarkupText(dc, oneLine);
        widths[i] = sizes[i].cx > 0 ? sizes[i].cx : 1;
    }
    LayoutStatusSlots(widths, kSlots, area.left, area.right, kSlotGap, keptSlot_, painted_);
    // Every slot stays on the one line: a text longer than its room is cut
    // there, never wrapped onto a row below.
    int saved = SaveDC(dc);
    for (int i = 0; i < kSlots; i++) {
        if (!widths[i] || painted_[i].right <= painted_[i].left) continue;
        int slotSaved = SaveDC(dc);
        IntersectClipRect(dc, painted_[i].left, area.top, painted_[i].right, area.bottom);
        RECT oneLine = {painted_[i].left, area.top, painted_[i].left + kUnboundedWidth, area.bottom};
        oneLine.top += ((area.bottom - area.top) - sizes[i].cy) / 2;
        texts[i].DrawMarkupText(dc, oneLine);
        RestoreDC(dc, slotSaved);
    }
    RestoreDC(dc, saved);
    SetBkMode(dc, oldMode);
}

RECT AIStatusLine::GetSlotRect(int slot) const
{
    RECT r = {0, 0, 0, 0};
    if (slot < 0 || slot >= kSlots || painted_[slot].right <= painted_[slot].left) return r;
    r.left = painted_[slot].left;
    r.right = painted_[slot].right;
    r.top = rect_.top;
    r.bottom = rect_.bottom;
    return r;
}
