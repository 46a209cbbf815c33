// AIStatusLine: ten slots of at most 500 characters, each with a level
// (0 done or prompt, 1 information or working, 2 warning, 3 error) and an
// optional expiry; texts are TextMarkup. The frame's timer calls Tick.
#pragma once
#include "foundation/win.h"
#include "ui/status_slots.h"

// How a status text reads: its colour on the line.
enum StatusLevel { kStatusDone = 0, kStatusInfo = 1, kStatusWarning = 2, kStatusError = 3 };

class AIStatusLine {
public:
    enum {
        kSlots = 10,
        kSlotChars = 500,
        // Arial at 11 points: at 10 (13 pixels) Wine draws the digits of its
        // Liberation Sans one pixel wider than their advance, and "10000" runs together.
        kFontPoints = 11,
        kSlotGap = 16,
        kUnboundedWidth = 100000,
    };

    AIStatusLine();

    // Slot 0 at level 0.
    void SetText(const WCHAR* text);
    // Copies at most 500 characters; out-of-range slots are ignored.
    void SetSlotText(const WCHAR* text, StatusLevel level, int slot);
    // As SetSlotText; the slot empties itself after `milliseconds` (counted
    // from `now`, the tick count, which may wrap past zero meanwhile).
    void SetTimedText(const WCHAR* text, StatusLevel level, int slot, int milliseconds);
    void SetTimedText(const WCHAR* text, StatusLevel level, int slot, int milliseconds, DWORD now);
    void ClearSlot(int slot);
    const WCHAR* GetSlotText(int slot) const;
    StatusLevel GetSlotLevel(int slot) const;

    // Message kind code (1001 help, 1002 warning, 1003 error, 1004 info), 0 for none.
    void SetPictureCode(int code);
    int GetPictureCode() const { return pictureCode_; }

    // Empties slots whose time is up; 1 when something changed (and repaints).
    int Tick(DWORD now);

    // The window that shows the line and its rectangle there.
    void Attach(HWND window, const RECT& rect);
    void SetRect(const RECT& rect) { rect_ = rect; }
    RECT GetRect() const { return rect_; }
    void Invalidate();
    void Paint(HDC dc);

    // The slot that stays whole when the texts are wider than the line (the
    // texts before it are cut instead); -1, the default, keeps none.
    void SetKeptSlot(int slot) { keptSlot_ = slot; }
    // Where the last paint put a slot's text: empty when it was not shown.
    RECT GetSlotRect(int slot) const;

private:
    WCHAR text_[kSlots][kSlotChars + 1];
    StatusLevel level_[kSlots];
    DWORD expiry_[kSlots];
    int pictureCode_;
    HWND window_;
    RECT rect_;
    int keptSlot_;
    StatusSlotSpan painted_[kSlots];
};
