// The QuickSearch box flashes when a typed title is not found (and again when
// one is found after that): ten steps of 100 ms on the content window's
// pulse timer, every other step in the warning colour.
#pragma once
#include "foundation/win.h"

enum : UINT_PTR { kTimerQuickSearchPulse = 19996 };

void StartQuickSearchPulse();
// The pulse timer fired: the next step, or the end.
void StepQuickSearchPulse();
// The box's background during the pulse (WM_CTLCOLOREDIT); null when it is not pulsing.
HBRUSH QuickSearchPulseColour(HWND control, HDC dc);
// The step of the pulse, -1 when it does not run.
int GetQuickSearchPulseStep();
