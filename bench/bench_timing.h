// What every window benchmark needs: milliseconds between two counter
// readings, and the queue emptied (painting and timers done) between rounds.
#pragma once
#include "foundation/win.h"

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (double)(to.QuadPart - from.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

inline void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, 0, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The median and the slowest of a set of timings (sorts them in place).
struct Figures {
    double median;
    double worst;
};

inline Figures Summary(double* times, int count)
{
    for (int i = 1; i < count; i++)
        for (int j = i; j > 0 && times[j - 1] > times[j]; j--) {
            double t = times[j];
            times[j] = times[j - 1];
            times[j - 1] = t;
        }
    return {times[count / 2], times[count - 1]};
}
