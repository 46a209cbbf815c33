// The first start: when the first-start wizard is shown, and the data file
// of example notes that each of its sizes writes and opens.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// A first start: no data file named on the command line, none opened before,
// and no default data file in the data folder before this start.
int IsFirstStart(int fileArgument, int lastFileKnown, int defaultFileExisted);

// The TEXT resource and the file name (in the data folder) of a wizard size
// answer (2 to 5); 0 for any other answer.
int FirstStartResource(int32_t choice);
int FirstStartFileName(int32_t choice, AIString& name);

// Shows the wizard (the guide as often as it is chosen, then the wizard
// again), then writes and opens the chosen example file from the data
// folder. An existing file of that name is opened as it is, never replaced.
// Returns the wizard's last answer.
int32_t RunFirstStartWizard(const AIString& dataFolder);
