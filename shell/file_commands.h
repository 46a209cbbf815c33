// Commands on data files and printing.
#pragma once
#include "foundation/win.h"

// Opens a data file: saves the note and the open file first. On failure the
// file that was open stays open. 1 when opened.
int OpenDatafile(const WCHAR* path);
// As OpenDatafile, showing the note of that title when the file has it.
int OpenDatafileShowing(const WCHAR* path, const WCHAR* wantedTitle);
// A path named from outside (the command line) before it is opened: 1 when a
// file is there. Else the user is told what is wrong: a missing file or
// folder (the numbered messages "File not found" and "Path not found"), or a
// folder where a data file was expected.
int CheckNamedDatafile(const WCHAR* path);
// Opens the data file a start shows: the one named on the command line
// (named), else the one used last (showing lastTitle), else, when neither
// is known, the default file. A file that is refused (its message shown) is
// never followed by another the user did not ask for: the window then says
// that no file is open and the user chooses. 1 when a file is open.
int OpenDatafileAtStart(const WCHAR* named, const WCHAR* last, const WCHAR* lastTitle, const WCHAR* defaultFile);
// Asks for a file name (save dialog) and creates a data file with one note.
int CreateNewDatafile();
// The system's open dialog, then OpenDatafile.
int OpenDatafileDialog();
// Saves a copy of the notes under a name asked for with the save dialog.
int SaveCopyOfDatafile();
// Prints the current note: 1 with the page set-up dialog, 0 with the default
// page set-up. With no printer installed the user is told so and 0 comes back.
enum PrintPageChoice { kPrintDefaultPage = 0, kPrintWithPageSetup = 1 };
int PrintNote(PrintPageChoice page);

// Writes the default data file of a TEXT resource to path unless it exists.
// 1 when the file exists afterwards.
int WriteDefaultDatafile(int resourceId, const WCHAR* path);
// The program's data folder (documents folder + "\Tavik", or beside the
// program in portable mode), without trailing backslash.
void GetProgramDataFolder(class AIString& out);

