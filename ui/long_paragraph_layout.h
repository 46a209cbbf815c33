// Long paragraphs in the platform's rich edit. Its layout measures the rest
// of a run's text again for every wrapped row, so one paragraph of tens of
// thousands of characters takes seconds to wrap, and every change of format
// inside it wraps it again. Two remedies, neither visible on screen:
// - a WrapPause turns word wrap off while a text is set and formatted, and on
//   again at its end: one wrap for all the changes instead of one each;
// - SplitLongParagraphs lays a long paragraph out as runs of at most
//   kLayoutRunChars characters that differ only in their locale id, so that no
//   measurement covers more than one run.
// Everything the editor does to its layout for this lives here.
#pragma once
#include "foundation/win.h"

enum { kLayoutRunChars = 1000 };

class WrapPause {
public:
    explicit WrapPause(HWND editor);
    // Wraps at the window's width again (the editor's only wrap mode).
    ~WrapPause();

private:
    WrapPause(const WrapPause&);
    WrapPause& operator=(const WrapPause&);
    HWND editor_;
};

// Gives every paragraph of the editor's text longer than kLayoutRunChars
// runs of at most that many characters. Changes no text and not the modified
// flag, keeps the selection; meant for a text just set (the format change is
// an undo step like any other).
void SplitLongParagraphs(HWND editor);
