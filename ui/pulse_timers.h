// Repaint-pulse records of controls, keyed by control id: a step counter
// (-1 when idle) and a tick countdown that button painters read and set.
#pragma once
#include "foundation/win.h"

namespace AIPulseTimers {
    enum { kMaxRecords = 32 };

    // Starts (or restarts) the pulse of a control at step 0 with its rectangle.
    // Returns 0 when every record is taken.
    int Start(int controlId, const RECT& rect);
    // Sets the record idle (step -1); unknown ids are ignored.
    void Stop(int controlId);
    // The rectangle of the control's record; 0 when there is none.
    int GetRect(int controlId, RECT* rect);
    // Current step, -1 when idle or unknown.
    int GetStep(int controlId);
    void SetStep(int controlId, int step);
    int GetCountdown(int controlId);
    void SetCountdown(int controlId, int ticks);
    // Forgets every record (tests, shutdown).
    void Reset();
}
