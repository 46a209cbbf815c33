// Long paragraphs in the platform's rich edit. Its layout shapes the text of
// a paragraph again (OpenType substitution and kerning, glyph by glyph) every
// time anything in the paragraph changes: every format change and every
// keystroke lays out the whole paragraph, and each wrapped row shapes the
// rest of its run once more. A note that is one paragraph of tens of
// thousands of characters therefore takes seconds to show and a tenth of a
// second per keystroke. Remedies, none of them visible on screen:
// - a LayoutPause measures the text without shaping and without word wrap
//   while a text is set, formatted and marked, and lays it out once at its
//   end: one layout for all the changes instead of one each;
// - SetEditorTextInRuns puts a text in with its long paragraphs cut into runs
//   of at most kLayoutRunChars characters, neighbours differing only in the
//   letter case of the face name (the same font), so that a wrapped row
//   shapes a short run again, not the rest of the paragraph. The text goes in
//   as one rich-text stream: one layout for the text and all its runs.
// Everything the editor does to its layout for this lives here.
#pragma once
#include "foundation/win.h"
#include <richedit.h>
#include "ui/layout_rtf.h"

class AIString;
class AITextDocument;

class LayoutPause {
public:
    // Nests: a pause inside another leaves the layout to the outer one.
    explicit LayoutPause(HWND editor);
    // Wraps at the window's width again and lays the text out.
    ~LayoutPause();

private:
    LayoutPause(const LayoutPause&);
    LayoutPause& operator=(const LayoutPause&);
    HWND editor_;
};

// Lays out the paragraph at `start` of the editor, whose `length` characters
// are `text` and share one format, in runs (if it is long), one format
// change per run: every other run takes another locale id (the same
// language). For a paragraph put in again by an edit; use inside a
// LayoutPause. Changes no text and not the modified flag.
void FormatParagraphRuns(HWND editor, int start, const WCHAR* text, int length);

// Puts `text`, one whole paragraph without its end, in place of [start, end)
// of the editor as one undo step, as EM_REPLACESEL does: where it is long,
// with its runs, text and runs in one rich-text stream (one layout for
// both, where a format change per run lays the paragraph out again each
// time). The text takes the face of the editor's default format and
// otherwise the format of what it replaces. Where the stream cannot carry it
// exactly, the text is put in plainly and its runs formatted one by one with
// undo suspended through `doc` (slower, the same result). Use inside a
// LayoutPause; the selection is left at the end of the text.
void ReplaceParagraphInRuns(AITextDocument* doc, HWND editor, int start, int end, const WCHAR* text, int length);

// Replaces the editor's whole text by `text`, its long paragraphs in runs,
// in the editor's default character format. The editor's text reads back as
// `text` with every paragraph end as one CR; where the stream cannot carry it
// so, the text is set plainly and its runs formatted one by one (slower, the
// same result). Leaves the modified flag clear, as setting a text does. Use
// inside a LayoutPause. Returns 1, or 0 when the editor refused the text.
int SetEditorTextInRuns(HWND editor, const WCHAR* text, int length);
