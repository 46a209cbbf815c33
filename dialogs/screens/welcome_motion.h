// The arithmetic of the welcome screens: where the icon's tiles start and
// how they fly home, and how the showcase's scenes fade and follow each other.
#pragma once
#include "foundation/win.h"

enum {
    kWelcomeTileSize = 12,
    kWelcomeTileGrid = 20,          // 20 x 20 tiles of the 256-pixel icon square
    kWelcomeRandomMask = 0x7FFF,    // random values are taken to 15 bits whatever the C library's range
    kShowcaseTopStep = 12,          // a scene climbs while its step is at most this
    kShowcaseRampSteps = 14,
    kShowcaseLastScene = 13,        // reaching it ends the showcase
    kShowcaseFirstDiagramScene = 7, // scenes 7 to 10 build up a diagram and do not fade out
    kShowcaseLastDiagramScene = 10,
};

// A tile's start along one axis of a screen `extent` pixels long: from a
// random value, off the near edge when it falls in the first half, else off
// the far edge. Always within [-extent/2, extent * 3/2].
int WelcomeTileStart(int randomValue, int extent);
// One move of a tile `distance` pixels from home (signed, toward home).
int WelcomeTileStep(int distance);

struct ShowcaseCounters {
    int scene;   // 0 .. kShowcaseLastScene
    int step;    // the fade position in the scene
    int rising;  // 1 while the words fade in
};
void ResetShowcase(ShowcaseCounters& c);
// One tick; 1 once the last scene is reached.
int AdvanceShowcase(ShowcaseCounters& c);
// The fade level of a step, 1 (faintest that still shows) .. kShowcaseRampSteps.
int ShowcaseRampLevel(int step);
