// The rule for storing the note being typed, on a replaceable clock.
#include "shell/typing_store.h"

static TypingClockFn s_clock = nullptr;

DWORD TypingClockNow() { return s_clock ? s_clock() : GetTickCount(); }

void SetTypingClock(TypingClockFn clock) { s_clock = clock; }

int32_t ShouldStoreTypedNote(TypingStoreState& state, int32_t modified, DWORD now, DWORD lastEditTick)
{
    if (!modified) {
        state.tracking = 0;
        state.attempted = 0;
        return 0;
    }
    if (!state.tracking) {
        state.tracking = 1;
        state.attempted = 0;
        state.since = now;
    }
    // Differences of ticks, so that the clock wrapping round changes nothing.
    int32_t idle = (int32_t)(now - lastEditTick);
    int32_t waiting = (int32_t)(now - state.since);
    int32_t typedSinceAttempt = !state.attempted || (int32_t)(lastEditTick - state.since) > 0;
    if ((idle >= kIdleBeforeStoreMs && typedSinceAttempt) || waiting >= kLongestUnstoredTypingMs) {
        state.attempted = 1;
        state.since = now;
        return 1;
    }
    return 0;
}
