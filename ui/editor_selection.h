// Reading and writing character formats of a range in a rich edit without
// disturbing the user: EM_GETCHARFORMAT and EM_SETCHARFORMAT only work on the
// selection, so a QuietSelection keeps the selection, the scroll position and
// the listeners of EN_SELCHANGE as they were for its lifetime.
#pragma once
#include "foundation/win.h"
#include <richedit.h>

class QuietSelection {
public:
    // writing 1 when formats change (the editor is repainted afterwards).
    QuietSelection(HWND editor, int writing);
    ~QuietSelection();

private:
    QuietSelection(const QuietSelection&);
    QuietSelection& operator=(const QuietSelection&);
    HWND editor_;
    CHARRANGE selection_;
    POINT scroll_;
    DWORD eventMask_;
    int writing_;
    int redrawOff_;
    HRGN pendingPaint_;  // the part of the editor waiting to be drawn when drawing went off
};

// The format of [start, end) (selects it; use inside a QuietSelection).
int ReadRangeFormat(HWND editor, int start, int end, CHARFORMAT2W* format);
// Applies a format to [start, end) (selects it; use inside a QuietSelection).
int WriteRangeFormat(HWND editor, int start, int end, const CHARFORMAT2W& format);

class AIString;
// The editor's whole text, a paragraph end as one character (positions count
// so), or with crlf 1 as CR LF (as the text is stored).
void ReadEditorText(HWND editor, AIString& out, int crlf = 0);

// The row of `position` kept where it is in the editor's window across a
// change that lays the text out again (a paragraph put in again in another
// size): RowInView tells how far that row is from the window's top (0 when
// it is out of view), KeepRowAt scrolls the row of a position there again.
int RowInView(HWND editor, int position, int* top);
void KeepRowAt(HWND editor, int position, int top);
