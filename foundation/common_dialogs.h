// The system's common dialogs (open, save, print, page setup), reached through
// comdlg32.dll loaded at the first dialog: the library and the printer spooler
// it brings (which lists the printers as it loads) are not loaded at every
// start. Each call is the Win32 function of the same name; when the library
// cannot be loaded it fails with CommonDialogError() giving
// CDERR_INITIALIZATION, as a dialog that could not start.
#pragma once
#include "foundation/win.h"
#include <commdlg.h>

BOOL ShowOpenFileDialog(OPENFILENAMEW* request);
BOOL ShowSaveFileDialog(OPENFILENAMEW* request);
BOOL ShowPrintDialog(PRINTDLGW* request);
BOOL ShowPageSetupDialog(PAGESETUPDLGW* request);
// CommDlgExtendedError of the last dialog (0: the user cancelled).
DWORD CommonDialogError();
