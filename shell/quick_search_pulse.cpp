#include "shell/quick_search_pulse.h"
#include "shell/main_panel.h"
#include "ui/pulse_timers.h"

namespace {

const UINT kPulseStepMs = 100;
const int kPulseSteps = 10;
const COLORREF kPulseColour = RGB(255, 215, 215);

HWND Box() { return g_mainPanel.quickSearch.GetHwnd(); }
int PulseId() { return (int)kTimerQuickSearchPulse; }

}  // namespace

void StartQuickSearchPulse()
{
    HWND box = Box();
    if (!box) return;
    RECT r;
    GetClientRect(box, &r);
    if (!AIPulseTimers::Start(PulseId(), r)) return;
    StartMainTimer(kTimerQuickSearchPulse, kPulseStepMs);
    InvalidateRect(box, nullptr, TRUE);
}

void StepQuickSearchPulse()
{
    int step = AIPulseTimers::GetStep(PulseId());
    if (step < 0) {
        StopMainTimer(kTimerQuickSearchPulse);
        return;
    }
    if (++step >= kPulseSteps) {
        AIPulseTimers::Stop(PulseId());
        StopMainTimer(kTimerQuickSearchPulse);
    } else {
        AIPulseTimers::SetStep(PulseId(), step);
    }
    if (Box()) InvalidateRect(Box(), nullptr, TRUE);
}

HBRUSH QuickSearchPulseColour(HWND control, HDC dc)
{
    int step = AIPulseTimers::GetStep(PulseId());
    if (!control || control != Box() || step < 0 || step % 2) return nullptr;
    static HBRUSH brush = CreateSolidBrush(kPulseColour);
    SetBkColor(dc, kPulseColour);
    return brush;
}

int GetQuickSearchPulseStep() { return AIPulseTimers::GetStep(PulseId()); }
