// Where the status line's slots stand on its one row: each text as wide as
// it shows, one after another with a gap, and the slot the line keeps (the
// editor's position) never pushed past the row's end by the texts before it.
#pragma once

struct StatusSlotSpan {
    int left;   // where the text starts
    int right;  // where its room ends: the text is cut here (right <= left: not shown)
};

// widths[i]: the shown width of slot i's text, 0 for an empty slot (it takes
// no room and no gap). left and right bound the row. When every text fits,
// each stands after the one before it. When not and `kept` is a slot with
// text (-1 for none), that slot keeps its whole width (the whole row when it
// is wider) ending at the row's end, and the texts before it are cut where
// the gap before it begins; texts after it are cut at the row's end.
void LayoutStatusSlots(const int* widths, int count, int left, int right, int gap, int kept,
                       StatusSlotSpan* spans);
