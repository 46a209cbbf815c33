// The rich-text stream that gives the editor a note's text with its long
// paragraphs cut into runs (see long_paragraph_layout.h for why), and where
// those runs end. Text and stream only: no window here.
#pragma once
#include "foundation/win.h"
#include <richedit.h>

class AIString;

enum {
    kLongParagraphChars = 1000,  // a paragraph longer than this is laid out in runs
    kLayoutRunChars = 32,        // the longest such run
};

// The end of the paragraph of `text` that starts at `start` (at a CR, an LF
// or the text's end), and in *next the start of the next one (after CR LF,
// a lone CR or a lone LF).
int ParagraphEnd(const WCHAR* text, int length, int start, int* next);

// `text` as the editor holds it: every paragraph end one CR.
void LayoutEditorForm(const WCHAR* text, int length, AIString& out);

// Where the run that starts at `start` of the paragraph ending at `end` ends:
// after a blank where one is in its second half, and never inside a
// surrogate pair or before a combining mark.
int LayoutRunEnd(const WCHAR* text, int start, int end);

// The rich-text stream that gives the editor `text` in the character format
// `body` (the editor's default; its face, character set, pitch and family)
// with long paragraphs in runs. Every character is kept: non-ASCII ones and
// controls as \uN, tabs, braces and backslashes escaped; CR LF, a lone CR and
// a lone LF each end a paragraph. 0 when the face cannot be written this way
// (no letter to change the case of, or not plain ASCII).
int BuildLayoutRtf(const WCHAR* text, int length, const CHARFORMAT2W& body, AIString& rtf);

