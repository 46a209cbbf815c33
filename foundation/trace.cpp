#include "foundation/trace.h"
#include "foundation/win.h"

TraceRing g_traceRing;
TraceStack g_traceStack;
uint32_t g_traceEntryCount;

void TraceRecord(int32_t id)
{
    if (g_traceRing.stopped) return;
    int32_t i = g_traceRing.next;
    g_traceRing.ids[i] = id;
    int32_t n = (i + 1) % kTraceRingSize;
    g_traceRing.ids[n] = 9999999;
    g_traceRing.next = n;
}

void TraceStop() { g_traceRing.stopped = 1; }

int TraceSnapshot(int32_t* out, int max)
{
    int count = 0;
    for (int k = 1; k <= kTraceRingSize && count < max; k++) {
        int32_t id = g_traceRing.ids[(g_traceRing.next + k) % kTraceRingSize];
        if (id != 0 && id != 9999999) out[count++] = id;
    }
    return count;
}

TraceScope::TraceScope(int32_t module, int32_t procedure)
{
    SetLastError(0);
    g_traceEntryCount++;
    int32_t id = MakeTraceId(module, procedure, 0);
    TraceRecord(id);
    if (g_traceStack.depth < kTraceStackDepth) g_traceStack.frames[g_traceStack.depth] = id;
    g_traceStack.depth++;
}

TraceScope::~TraceScope()
{
    if (g_traceStack.depth > 0) g_traceStack.depth--;
}
