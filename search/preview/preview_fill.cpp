// Filling a preview pane.
#include "search/preview/preview_fill.h"
#include "search/preview/preview_target.h"
#include <richedit.h>

void BoldPreviewFirstLine(HWND pane, const WCHAR* text, int length)
{
    CHARFORMAT2W plain = {};
    plain.cbSize = sizeof plain;
    plain.dwMask = CFM_BOLD;
    SendMessageW(pane, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&plain);
    int bold = BoldFirstLineLength(text, length);
    if (!bold) return;
    CHARFORMAT2W format = plain;
    format.dwEffects = CFE_BOLD;
    CHARRANGE line = {0, bold};
    SendMessageW(pane, EM_EXSETSEL, 0, (LPARAM)&line);
    SendMessageW(pane, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
    CHARRANGE start = {0, 0};
    SendMessageW(pane, EM_EXSETSEL, 0, (LPARAM)&start);
}

void ShowPreviewText(HWND pane, const AIString& text, int zoomPercent)
{
    if (!pane) return;
    AIString shown;
    shown.AssignTextN(text.GetText(), kPreviewMaxChars);
    SendMessageW(pane, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(pane, shown.GetText());
    SendMessageW(pane, EM_EMPTYUNDOBUFFER, 0, 0);
    BoldPreviewFirstLine(pane, shown.GetText(), shown.GetLength());
    if (zoomPercent > 0) SendMessageW(pane, EM_SETZOOM, zoomPercent, 100);
    SendMessageW(pane, WM_VSCROLL, SB_TOP, 0);
    SendMessageW(pane, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(pane, nullptr, TRUE);
}
