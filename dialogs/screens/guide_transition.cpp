// The getting started guide's page rules: keys, clicks and the fade.
#include "dialogs/screens/guide_pages.h"

namespace {

enum {
    kOpaque = 255,
    kFadeOutPerStep = 50,
    kFadeInPerStep = 40,
};

int32_t Clamp(int32_t value, int32_t low, int32_t high) { return value < low ? low : value > high ? high : value; }

int32_t Forward(int32_t page) { return page >= kGuidePageCount ? kGuideClose : page + 1; }

}  // namespace

int32_t GuidePageAfterKey(int32_t page, WPARAM key)
{
    switch (key) {
    case VK_SPACE:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_NEXT: return Forward(page);
    case VK_BACK:
    case VK_LEFT:
    case VK_UP:
    case VK_PRIOR: return page > 1 ? page - 1 : page;
    case VK_HOME: return 1;
    case VK_END: return kGuidePageCount;
    case VK_ESCAPE:
    case VK_RETURN: return kGuideClose;
    default: return page;
    }
}

int32_t GuidePageAfterClick(int32_t page, int onPrevious)
{
    if (onPrevious && page >= 2) return page - 1;
    return Forward(page);
}

void ResetGuideFade(GuideFade& fade)
{
    fade.displayed = 1;
    fade.outStep = -1;
    fade.inStep = -1;
    fade.fadingOut = 0;
    fade.fadingIn = 0;
}

int32_t StepGuideFade(GuideFade& fade, int32_t page, int32_t steps, int32_t* finished)
{
    *finished = 0;
    if (!fade.fadingOut && !fade.fadingIn) {
        if (page == fade.displayed) return kOpaque;
        if (steps <= 0) {  // a slow machine: the new page at once
            fade.displayed = page;
            *finished = 1;
            return kOpaque;
        }
        fade.fadingOut = 1;
        fade.outStep = 0;
    }
    if (fade.fadingOut) {
        fade.outStep++;
        if (fade.outStep <= steps) return Clamp(kOpaque - kFadeOutPerStep * fade.outStep, 0, kOpaque);
        fade.fadingOut = 0;
        fade.outStep = 0;
        fade.fadingIn = 1;
        fade.inStep = steps + 1;
    }
    fade.displayed = page;
    fade.inStep--;
    if (fade.inStep <= 0) {
        ResetGuideFade(fade);
        fade.displayed = page;
        *finished = 1;
        return kOpaque;
    }
    return Clamp(kOpaque - kFadeInPerStep * fade.inStep, 0, kOpaque);
}
