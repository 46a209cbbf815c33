// The ribbon's hover help and the fade of its hover highlight.
#include "shell/ribbon_hover.h"
#include "shell/editor_ribbon.h"
#include "shell/frame_ribbon.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include "shell/shell_ids.h"
#include "foundation/app.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "ui/ai_control.h"

namespace {

enum {
    kFadeTickMs = 50,
    kFadeStep = 15,                // levels of the hover colour per tick
    kFadeLevel = 90,               // where a fade starts
    kFadeLevelFast = 60,           // on a fast machine it is shorter
    kFadeLevelFastest = 30,
    kFastCpuIndex = 200,
    kFastestCpuIndex = 250,
    kMinAnimatedRibbonHeight = 31,
};

int FadeStartLevel()
{
    int speed = g_app.system.GetCpuSpeedIndex();
    if (speed > kFastestCpuIndex) return kFadeLevelFastest;
    if (speed > kFastCpuIndex) return kFadeLevelFast;
    return kFadeLevel;
}

}  // namespace

void ResetRibbonHover()
{
    TRACE_SCOPE(kTraceRibbonHover, 1);
    RECT band = g_ribbon.GetRect();
    int animated = g_ribbon.GetDisplayMode() == Ribbon::ModeFull && band.bottom - band.top >= kMinAnimatedRibbonHeight;
    if (!g_ribbon.LeaveHover(animated ? FadeStartLevel() : 0)) return;
    g_ribbon.Invalidate();
    if (g_ribbon.GetHoverFadeLevel() > 0) StartMainTimer(kTimerRibbonHover, kFadeTickMs);
    if (HWND frame = g_frame.GetHwndField()) UpdateWindow(frame);
}

void StepRibbonAnimation()
{
    TRACE_SCOPE(kTraceRibbonHover, 2);
    if (!g_ribbon.StepHoverFade(kFadeStep)) StopMainTimer(kTimerRibbonHover);
}

void RibbonMouseMove(int, LPARAM controlId)
{
    TRACE_SCOPE(kTraceRibbonHover, 3);
    AIControl* control = g_ribbon.FindControl((int)controlId);
    if (!control) return;
    if (!control->IsEnabled()) {
        const WCHAR* refusal = RibbonRefusalText(EditorControlOfCommand((UINT)controlId));
        if (refusal[0]) {
            SetStatusText(refusal, kStatusInfo);
            return;
        }
    }
    SetStatusText(control->GetHelpText().GetText(), kStatusInfo);
}
