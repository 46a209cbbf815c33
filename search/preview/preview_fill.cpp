// Filling a preview pane.
#include "search/preview/preview_fill.h"
#include "search/preview/preview_target.h"
#include "ui/long_paragraph_layout.h"
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

namespace {

// 1 when a paragraph of the text is long enough to need laying out in runs.
int HasLongParagraph(const WCHAR* text, int length)
{
    int run = 0;
    for (int i = 0; i < length; i++) {
        run = text[i] == L'\r' || text[i] == L'\n' ? 0 : run + 1;
        if (run > kLongParagraphChars) return 1;
    }
    return 0;
}

}  // namespace

void ShowPreviewText(HWND pane, const AIString& text, int zoomPercent)
{
    if (!pane) return;
    AIString shown;
    shown.AssignTextN(text.GetText(), kPreviewMaxChars);
    // Redraw switched back on shows a window again (its visible style is set
    // without a show): a pane hidden while another owns its place stays so.
    const int visible = (GetWindowLongW(pane, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible) SendMessageW(pane, WM_SETREDRAW, FALSE, 0);
    {
        // One layout for the text and its format; a file of one long line,
        // laid out plainly, would take seconds.
        LayoutPause pause(pane);
        if (!HasLongParagraph(shown.GetText(), shown.GetLength()) ||
            !SetEditorTextInRuns(pane, shown.GetText(), shown.GetLength()))
            SetWindowTextW(pane, shown.GetText());
        BoldPreviewFirstLine(pane, shown.GetText(), shown.GetLength());
    }
    SendMessageW(pane, EM_EMPTYUNDOBUFFER, 0, 0);
    // A zoom set again lays the text out again: only when it changes.
    int numerator = 0, denominator = 0;
    SendMessageW(pane, EM_GETZOOM, (WPARAM)&numerator, (LPARAM)&denominator);
    int current = numerator && denominator ? numerator * 100 / denominator : 100;
    if (zoomPercent > 0 && zoomPercent != current) SendMessageW(pane, EM_SETZOOM, zoomPercent, 100);
    SendMessageW(pane, WM_VSCROLL, SB_TOP, 0);
    if (visible) SendMessageW(pane, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(pane, nullptr, TRUE);
}
