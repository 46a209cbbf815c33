// Small start-up rules worked out from text alone.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// A data file named on the command line (double-click on a .tavik file, or a
// script): the first argument, quoted or not, that ends in ".tavik". 1 when found.
int FindDatafileArgument(const WCHAR* arguments, AIString& path);
// The first argument that is neither a data file's name nor a start-up word
// (a folder or another file dropped on the program's icon). 1 when found.
int FindOtherPathArgument(const WCHAR* arguments, AIString& path);

// "Warning - <name> is already running, but could not be found."
void MakeAlreadyRunningText(const WCHAR* programName, AIString& out);
