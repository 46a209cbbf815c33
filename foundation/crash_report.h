// The crash reporter: an unhandled exception shows "Critical Error", writes
// the dump "app_error_dump_I_" + local date and time + ".txt" into the
// documents folder with the exception and the trace ring, and ends the
// process with exit code 1.
#pragma once
#include "foundation/win.h"

class AIString;

// Installs the unhandled-exception filter, and a vectored handler that
// catches fatal faults inside the program's own code (see crash_report.cpp).
void InstallCrashReporter();

// Writes the dump file into folder; returns 1 and its path on success.
// code and address describe the exception.
int WriteCrashDump(const WCHAR* folder, uint32_t code, const void* address, AIString& pathOut);
