// When the note being typed is stored (the frame's timer 0 asks every
// 200 ms): once the user pauses (1.5 s without a change), and while typing
// goes on without a pause, at least every 5 s, so that a crash or a kill
// never takes more than a few seconds of typing. A store that did not take
// is tried again after 5 s, or after more typing and a pause; never at
// every tick. The clock can be replaced, so tests need no waiting.
#pragma once
#include "foundation/win.h"

enum {
    kIdleBeforeStoreMs = 1500,
    kLongestUnstoredTypingMs = 5000,
};

struct TypingStoreState {
    int32_t tracking;     // the editor holds a change not yet stored
    int32_t attempted;    // a store was asked for since the change was first seen
    DWORD since;          // when the change was first seen, or the last store was asked for
};

// 1 when the note should be stored now. modified: the editor holds a change
// not yet stored; lastEditTick: the clock at the last change.
int32_t ShouldStoreTypedNote(TypingStoreState& state, int32_t modified, DWORD now, DWORD lastEditTick);

// The clock of the rule above (GetTickCount unless a test replaced it).
DWORD TypingClockNow();
typedef DWORD (*TypingClockFn)();
void SetTypingClock(TypingClockFn clock);   // null: GetTickCount again
