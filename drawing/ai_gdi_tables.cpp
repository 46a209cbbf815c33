// The process-wide slot tables of brushes and pens.
#include "drawing/ai_gdi_tables.h"
#include "foundation/errors.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "foundation/process_end.h"

namespace {

const int kModule = kTraceGdiObjects;

// One table per object kind: a slot holds the handle it was taken for.
struct GdiSlotTable {
    HGDIOBJ handles[kGdiSlotCount];
    int used[kGdiSlotCount];
};

GdiSlotTable g_brushSlots;
GdiSlotTable g_penSlots;

int TakeSlot(GdiSlotTable& table)
{
    for (int i = 0; i < kGdiSlotCount; i++)
        if (!table.used[i]) {
            table.used[i] = 1;
            table.handles[i] = 0;
            return i;
        }
    return -1;
}

void ReleaseSlot(GdiSlotTable& table, int slot, HGDIOBJ handle)
{
    if (slot < 0 || slot >= kGdiSlotCount) return;
    if (table.handles[slot] == handle) {
        table.used[slot] = 0;
        table.handles[slot] = 0;
    }
}

int CountUsed(const GdiSlotTable& table)
{
    int count = 0;
    for (int i = 0; i < kGdiSlotCount; i++) count += table.used[i] ? 1 : 0;
    return count;
}

}  // namespace

AIBrush::AIBrush() : handle_(0), colour_(0), slot_(-1) {}

AIBrush::AIBrush(COLORREF colour) : handle_(0), colour_(0), slot_(-1) { Create(colour); }

AIBrush::~AIBrush()
{
    if (!IsProcessEnding()) Free();
}

int AIBrush::Create(COLORREF colour)
{
    TRACE_SCOPE(kModule, 1);
    Free();
    int slot = TakeSlot(g_brushSlots);
    if (slot < 0) return 0;  // full: fails softly, nothing in use is touched
    HBRUSH brush;
    do {
        brush = CreateSolidBrush(colour);
    } while (!brush && AskRetryOutOfResources());
    if (!brush) {
        g_brushSlots.used[slot] = 0;
        return 0;
    }
    g_brushSlots.handles[slot] = brush;
    handle_ = brush;
    colour_ = colour;
    slot_ = slot;
    return 1;
}

void AIBrush::Free()
{
    if (!handle_) return;
    ReleaseSlot(g_brushSlots, slot_, handle_);
    DeleteObject(handle_);
    handle_ = 0;
    slot_ = -1;
}

int AIBrush::SlotsInUse() { return CountUsed(g_brushSlots); }

AIPen::AIPen() : handle_(0), colour_(0), slot_(-1) {}

AIPen::AIPen(COLORREF colour, int width, int style) : handle_(0), colour_(0), slot_(-1) { Create(colour, width, style); }

AIPen::~AIPen()
{
    if (!IsProcessEnding()) Free();
}

int AIPen::Create(COLORREF colour, int width, int style)
{
    TRACE_SCOPE(kModule, 2);
    Free();
    int slot = TakeSlot(g_penSlots);
    if (slot < 0) return 0;
    HPEN pen;
    do {
        pen = CreatePen(style, width, colour);
    } while (!pen && AskRetryOutOfResources());
    if (!pen) {
        g_penSlots.used[slot] = 0;
        return 0;
    }
    g_penSlots.handles[slot] = pen;
    handle_ = pen;
    colour_ = colour;
    slot_ = slot;
    return 1;
}

void AIPen::Free()
{
    if (!handle_) return;
    ReleaseSlot(g_penSlots, slot_, handle_);
    DeleteObject(handle_);
    handle_ = 0;
    slot_ = -1;
}

int AIPen::SlotsInUse() { return CountUsed(g_penSlots); }
