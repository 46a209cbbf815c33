// comdlg32.dll's dialogs, looked up when the first one is asked for.
#include "foundation/common_dialogs.h"
#include <cderr.h>
#include <string.h>

namespace {

typedef BOOL(WINAPI* FileDialogCall)(OPENFILENAMEW*);
typedef BOOL(WINAPI* PrintDialogCall)(PRINTDLGW*);
typedef BOOL(WINAPI* PageSetupCall)(PAGESETUPDLGW*);
typedef DWORD(WINAPI* ErrorCall)();

// The function `name` of comdlg32.dll, the library loaded on the first call
// (and kept: a dialog's library stays for the next one).
template <typename Call>
Call Find(const char* name)
{
    static HMODULE library = LoadLibraryW(L"comdlg32.dll");
    FARPROC proc = library ? GetProcAddress(library, name) : 0;
    Call call = 0;
    memcpy(&call, &proc, sizeof(call));
    return call;
}

// Set when a dialog could not be reached at all; else the library's own error counts.
bool s_unreachable = false;

template <typename Call, typename Request>
BOOL Run(const char* name, Request* request)
{
    Call call = Find<Call>(name);
    s_unreachable = !call;
    return call ? call(request) : FALSE;
}

}  // namespace

BOOL ShowOpenFileDialog(OPENFILENAMEW* request) { return Run<FileDialogCall>("GetOpenFileNameW", request); }

BOOL ShowSaveFileDialog(OPENFILENAMEW* request) { return Run<FileDialogCall>("GetSaveFileNameW", request); }

BOOL ShowPrintDialog(PRINTDLGW* request) { return Run<PrintDialogCall>("PrintDlgW", request); }

BOOL ShowPageSetupDialog(PAGESETUPDLGW* request) { return Run<PageSetupCall>("PageSetupDlgW", request); }

DWORD CommonDialogError()
{
    if (s_unreachable) return CDERR_INITIALIZATION;
    ErrorCall call = Find<ErrorCall>("CommDlgExtendedError");
    return call ? call() : CDERR_INITIALIZATION;
}
