// Small start-up rules worked out from text alone.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// A data file named on the command line (double-click on a .tavik file, or a
// script): the first argument, quoted or not, that ends in ".tavik". 1 when found.
int FindDatafileArgument(const WCHAR* arguments, AIString& path);

// The name of the single-instance mutex: instance GUID text + program name +
// user name, with the characters a kernel object name may not hold replaced.
void MakeInstanceMutexName(const WCHAR* guidText, const WCHAR* programName, const WCHAR* userName, AIString& out);

// "Warning - <name> is already running, but could not be found."
void MakeAlreadyRunningText(const WCHAR* programName, AIString& out);
