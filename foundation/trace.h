// The trace ring of the last 99 trace ids and the stack of module and
// procedure numbers, kept cheap enough to stay on in release builds.
// A trace id is module * 100000 + procedure * 10 + point.
#pragma once
#include <stdint.h>

enum { kTraceRingSize = 99, kTraceStackDepth = 51 };

struct TraceRing {
    int32_t ids[kTraceRingSize];
    int32_t next;
    int32_t stopped;  // set for good once a crash or out-of-resources report begins
};

struct TraceStack {
    int32_t frames[kTraceStackDepth];
    int32_t depth;
};

extern TraceRing g_traceRing;
extern TraceStack g_traceStack;

// The id of a point inside a procedure of a module.
inline int32_t MakeTraceId(int32_t module, int32_t procedure, int32_t point)
{
    return module * 100000 + procedure * 10 + point;
}

// Records an id: the slot receives the id, the next slot 9999999 as the end marker.
void TraceRecord(int32_t id);
// Counts function entries (TraceScope), so a report can be limited to one
// between two entries.
extern uint32_t g_traceEntryCount;
void TraceStop();
// Copies the ring oldest first into out (up to max ids); returns the count.
int TraceSnapshot(int32_t* out, int max);

// Pushes module and procedure on entry, clears the last system error, and pops on exit.
struct TraceScope {
    TraceScope(int32_t module, int32_t procedure);
    ~TraceScope();
};

#define TRACE_SCOPE(module, procedure) TraceScope traceScope_((module), (procedure))
