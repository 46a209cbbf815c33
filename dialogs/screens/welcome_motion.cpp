// The welcome screens' arithmetic, apart from their windows.
#include "dialogs/screens/welcome_motion.h"

int WelcomeTileStart(int randomValue, int extent)
{
    if (extent < 0) extent = 0;
    int span = extent > kWelcomeTileSize ? extent - kWelcomeTileSize : 0;
    int value = (int)((long long)(randomValue & kWelcomeRandomMask) * span / kWelcomeRandomMask);
    return value < extent / 2 ? value - extent / 2 : value + extent / 2;
}

int WelcomeTileStep(int distance)
{
    int size = distance < 0 ? -distance : distance;
    int step = size == 0 ? 0 : size > 100 ? 32 : size > 50 ? 22 : size > 10 ? 12 : size > 3 ? 2 : 1;
    return distance < 0 ? -step : step;
}

void ResetShowcase(ShowcaseCounters& c)
{
    c.scene = 0;
    c.step = 0;
    c.rising = 1;
}

int AdvanceShowcase(ShowcaseCounters& c)
{
    if (c.scene >= kShowcaseLastScene) return 1;
    if (c.rising) {
        c.step++;
        if (c.step > kShowcaseTopStep) c.rising = 0;
    } else if (c.scene >= kShowcaseFirstDiagramScene && c.scene <= kShowcaseLastDiagramScene) {
        c.step = 0;
        c.scene++;
        c.rising = 1;
    } else {
        c.step--;
        if (c.step <= 0) {
            c.step = 0;
            c.scene++;
            c.rising = 1;
        }
    }
    return c.scene >= kShowcaseLastScene ? 1 : 0;
}

int ShowcaseRampLevel(int step)
{
    if (step < 1) return 1;
    return step > kShowcaseRampSteps ? kShowcaseRampSteps : step;
}
