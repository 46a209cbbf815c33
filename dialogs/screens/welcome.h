// What the welcome screens show of their progress (for the tests).
#pragma once
#include "dialogs/screens/welcome_motion.h"

const ShowcaseCounters& ShowcaseProgress();
// The tiles of the welcome animation: 1 once every tile is home.
int WelcomeTilesHome();
