// Start-up of the whole program: application object, single instance,
// settings, init routine, timers and the message loop.
#pragma once
#include "foundation/win.h"

int RunApplication(HINSTANCE instance, const WCHAR* commandLine, int showCommand);

// Creates the data folder (its path in folder) with its subfolders, and
// writes the help page and the logo there.
class AIString;
void PrepareDataFolder(AIString& folder);
