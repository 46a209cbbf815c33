// Brushes and pens of one colour, each held in a slot of a process-wide table
// of 20 slots. The table bounds the number of GDI objects the paint code can
// leak; when it is full a new brush or pen fails softly (no handle, IsValid 0)
// and no slot that is in use is ever reused. Destruction frees the slot.
#pragma once
#include "foundation/win.h"

enum { kGdiSlotCount = 20 };

class AIBrush {
public:
    AIBrush();                                // empty, takes no slot
    explicit AIBrush(COLORREF colour);
    ~AIBrush();
    AIBrush(const AIBrush&) = delete;
    AIBrush& operator=(const AIBrush&) = delete;

    // Replaces the brush by one of the colour; 1 on success, 0 (and empty)
    // when the table is full or GDI refuses.
    int Create(COLORREF colour);
    void Free();

    int IsValid() const { return handle_ != 0; }
    HBRUSH GetHandle() const { return handle_; }
    COLORREF GetColour() const { return colour_; }
    int GetSlot() const { return slot_; }     // -1 when empty

    static int SlotsInUse();

private:
    HBRUSH handle_;
    COLORREF colour_;
    int slot_;
};

class AIPen {
public:
    AIPen();
    explicit AIPen(COLORREF colour, int width = 1, int style = PS_SOLID);
    ~AIPen();
    AIPen(const AIPen&) = delete;
    AIPen& operator=(const AIPen&) = delete;

    int Create(COLORREF colour, int width = 1, int style = PS_SOLID);
    void Free();

    int IsValid() const { return handle_ != 0; }
    HPEN GetHandle() const { return handle_; }
    COLORREF GetColour() const { return colour_; }
    int GetSlot() const { return slot_; }

    static int SlotsInUse();

private:
    HPEN handle_;
    COLORREF colour_;
    int slot_;
};
