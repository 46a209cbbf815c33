// The first-start wizard's answers and buttons.
#pragma once
#include "foundation/win.h"
#include "ui/ai_control.h"

enum FirstStartChoice {
    kFirstStartClosed = -1,
    kFirstStartGuide = 0,  // the getting started guide
    kFirstStartSimple = 2, // a first data file of 1, 10, 30 or 80 example notes
    kFirstStartSmall = 3,
    kFirstStartMedium = 4,
    kFirstStartLarge = 5,
    kFirstStartSizes = 4,
};

// 1 once the guide was chosen in this run; until then its button stands out.
extern int g_guideTaken;

AIControl& FirstStartStepButton();
AIControl& FirstStartSizeButton(int index);  // 0 simple .. 3 large
