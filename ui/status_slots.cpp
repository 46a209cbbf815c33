// The status line's slots on its row.
#include "ui/status_slots.h"

void LayoutStatusSlots(const int* widths, int count, int left, int right, int gap, int kept,
                       StatusSlotSpan* spans)
{
    // First one after another, as if the row had no end.
    int x = left;
    for (int i = 0; i < count; i++) {
        spans[i].left = x;
        spans[i].right = x + widths[i];
        if (widths[i] > 0) x += widths[i] + gap;
    }
    bool keep = kept >= 0 && kept < count && widths[kept] > 0 && spans[kept].right > right;
    if (keep) {
        // The kept text moves back until it ends at the row's end (never
        // before the row's start); what stands before it gives way.
        int keptStart = right - widths[kept];
        if (keptStart < left) keptStart = left;
        int shift = spans[kept].left - keptStart;
        for (int i = kept; i < count; i++) {
            spans[i].left -= shift;
            spans[i].right -= shift;
        }
        int cut = keptStart - gap;
        for (int i = 0; i < kept; i++)
            if (spans[i].right > cut) spans[i].right = cut;
    }
    for (int i = 0; i < count; i++)
        if (spans[i].right > right) spans[i].right = right;
}
