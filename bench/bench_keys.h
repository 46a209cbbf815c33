// Keys for the benchmarks as a person types them: whole key presses (key-down,
// the loop's own character, key-up, with the key state a keyboard gives)
// through the thread's queue, the way the tests press them, each timed until
// the program is idle again (nothing left in its queue: work a key posts,
// input and paints all run inside the key's time, none between keys).
#pragma once
#include "bench/bench_timing.h"
#include "tests/support/keyboard.h"

// Pumps until the queue holds nothing (a bound keeps a window that never
// validates its paint from holding the benchmark).
inline void PumpUntilIdle(TestKeyboard& keyboard)
{
    for (int round = 0; round < 10000; round++) {
        keyboard.Pump();
        if (HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0) return;
    }
}

// One whole key into the focus window, milliseconds until idle again.
inline double TimeKeyPress(TestKeyboard& keyboard, UINT vk, int modifiers = kNoModifier)
{
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    keyboard.Press(vk, modifiers);
    PumpUntilIdle(keyboard);
    QueryPerformanceCounter(&t1);
    return Milliseconds(t0, t1);
}

// The virtual key of a lower-case letter, digit or blank.
inline UINT KeyOfChar(char ch) { return ch == ' ' ? VK_SPACE : (UINT)LOBYTE(VkKeyScanW((WCHAR)ch)); }

// The median, min and max of a set of timings (sorted in place).
struct Spread {
    double median, min, max;
};

inline Spread SpreadOf(double* times, int count)
{
    if (count <= 0) return {0, 0, 0};
    Summary(times, count);  // sorts
    double median = count % 2 ? times[count / 2] : (times[count / 2 - 1] + times[count / 2]) / 2;
    return {median, times[0], times[count - 1]};
}
