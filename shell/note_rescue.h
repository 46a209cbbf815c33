// The last chance of a note that could not be stored when the program closes.
#pragma once
#include "foundation/win.h"

class AIString;

// Closing never drops a note silently: the save asks once more, and when the
// user gives up, the editor's text is written to a rescue copy in the
// temporary folder and the user is told its path. 1 when the note was stored
// or rescued.
int KeepCurrentNoteForExit();

// The rescue copy's path: the temporary folder, "Tavik rescued note - ", the
// title's side-file name, the time stamp and ".txt".
void MakeRescueCopyPath(const WCHAR* title, AIString& out);
