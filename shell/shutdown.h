// The orderly exit, run once whatever asks for it (WM_CLOSE,
// WM_QUERYENDSESSION, WM_ENDSESSION, the exit command).
#pragma once
#include "foundation/win.h"

// Stores the data-file path and the editor's view in the settings, saves the
// note and the data file, writes the settings and the placement, revokes drag
// and drop, unregisters the hot keys, removes the tray icon and posts the quit
// message. Returns 1 the first time, 0 when it already ran.
int ShutdownApplication();
int HasShutdownRun();
// Tests start a new run.
void ResetShutdownForTests();
