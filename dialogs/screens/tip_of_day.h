// The tip of the day: the tip the screen shows and the start-up's step.
#pragma once
#include "foundation/win.h"

// The tip the screen shows now (the settings' tip index, wrapped).
int32_t CurrentTipNumber();

struct SettingsRecord;
// Every start shows the next tip: the settings' tip index moves on by one.
void MoveTipOnAtStart(SettingsRecord& record);
