// Printing the current note through the system's print dialogs and the
// editor's own page formatting.
#include "shell/file_commands.h"
#include "shell/main_panel.h"
#include "shell/frame_window.h"
#include "shell/shell_messages.h"
#include "shell/shell_ids.h"
#include "foundation/trace.h"
#include "foundation/common_dialogs.h"
#include <cderr.h>
#include <richedit.h>

static const WCHAR kNoPrinterText[] =
    L"<lred>No printer is installed</lred> - add a printer in Windows, then print again";

// Prints the editor's text on a printer device context; 1 when every page went out.
static int PrintEditorText(HDC printer, const RECT& margins)
{
    HWND editor = g_mainPanel.editor.GetHwnd();
    DOCINFOW document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = L"Tavik note";
    if (StartDocW(printer, &document) <= 0) return 0;
    int dpiX = GetDeviceCaps(printer, LOGPIXELSX), dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    int pageWidth = GetDeviceCaps(printer, PHYSICALWIDTH), pageHeight = GetDeviceCaps(printer, PHYSICALHEIGHT);
    FORMATRANGE range = {};
    range.hdc = range.hdcTarget = printer;
    // Twips: 1440 to the inch; margins come in thousandths of an inch.
    range.rcPage = {0, 0, MulDiv(pageWidth, 1440, dpiX), MulDiv(pageHeight, 1440, dpiY)};
    range.rc = {margins.left * 1440 / 1000, margins.top * 1440 / 1000,
                range.rcPage.right - margins.right * 1440 / 1000, range.rcPage.bottom - margins.bottom * 1440 / 1000};
    GETTEXTLENGTHEX lengthRequest = {GTL_NUMCHARS, 1200};
    int length = (int)SendMessageW(editor, EM_GETTEXTLENGTHEX, (WPARAM)&lengthRequest, 0);
    range.chrg.cpMin = 0;
    range.chrg.cpMax = -1;
    int ok = 1;
    do {
        if (StartPage(printer) <= 0) { ok = 0; break; }
        RECT area = range.rc;
        int next = (int)SendMessageW(editor, EM_FORMATRANGE, TRUE, (LPARAM)&range);
        range.rc = area;
        if (EndPage(printer) <= 0) { ok = 0; break; }
        if (next <= range.chrg.cpMin) break;  // nothing more fits: stop instead of looping
        range.chrg.cpMin = next;
    } while (range.chrg.cpMin < length);
    SendMessageW(editor, EM_FORMATRANGE, FALSE, 0);
    if (ok) EndDoc(printer);
    else AbortDoc(printer);
    return ok;
}

int PrintNote(PrintPageChoice page)
{
    int withPageSetup = page == kPrintWithPageSetup;
    TRACE_SCOPE(kTracePrint, 1);
    if (g_mainPanel.currentNote < 0 || !g_mainPanel.editor.GetHwnd()) return 0;
    HWND owner = g_frame.GetHwndField();
    RECT margins = {750, 750, 750, 750};
    HGLOBAL devMode = nullptr, devNames = nullptr;
    if (withPageSetup) {
        PAGESETUPDLGW setup = {};
        setup.lStructSize = sizeof setup;
        setup.hwndOwner = owner;
        setup.Flags = PSD_INTHOUSANDTHSOFINCHES | PSD_MARGINS;
        setup.rtMargin = margins;
        if (!ShowPageSetupDialog(&setup)) {
            DWORD error = CommonDialogError();
            if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES || error == PDERR_PRINTERNOTFOUND)
                RaiseShellMessage(kMsgPrintFailed, kNoPrinterText, kStatusError);
            return 0;
        }
        margins = setup.rtMargin;
        devMode = setup.hDevMode;
        devNames = setup.hDevNames;
    }
    PRINTDLGW print = {};
    print.lStructSize = sizeof print;
    print.hwndOwner = owner;
    print.hDevMode = devMode;
    print.hDevNames = devNames;
    print.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | (withPageSetup ? 0 : PD_RETURNDEFAULT);
    BOOL chosen = ShowPrintDialog(&print);
    DWORD error = chosen ? 0 : CommonDialogError();
    if (print.hDevMode) GlobalFree(print.hDevMode);
    if (print.hDevNames) GlobalFree(print.hDevNames);
    if (!chosen || !print.hDC) {
        if (print.hDC) DeleteDC(print.hDC);
        // Cancel is the user's choice; anything else means there is nothing to print on.
        if (error != 0 || !withPageSetup) RaiseShellMessage(kMsgPrintFailed, kNoPrinterText, kStatusError);
        return 0;
    }
    int printed = PrintEditorText(print.hDC, margins);
    DeleteDC(print.hDC);
    if (!printed) {
        RaiseShellMessage(kMsgPrintFailed, L"<lred>Print failed</lred> - check the printer", kStatusError);
        return 0;
    }
    RaiseShellMessage(kMsgPrintComplete, L"Print job sent to the printer", kStatusDone);
    return 1;
}
