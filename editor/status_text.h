// The editor's status texts: the position and count line, the words of a
// text, and the length warnings. Pure text work.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// Words: runs of characters other than blank, LF, CR, TAB, "-", "*", the
// bullet, "!" and "?".
int32_t CountStatusWords(const WCHAR* text, int32_t len);

// What the status line shows about the caret.
struct EditorStatusFacts {
    int32_t noteNumber;   // 0-based
    int32_t noteCount;
    int32_t line;         // 0-based
    int32_t lineCount;
    int32_t column;       // 0 at the line's first character
    int32_t hasSelection;
    int32_t withCounts;   // entering or leaving the editor: words and characters too
    int32_t words;
    int32_t chars;
    int32_t readOnly;
};
void ComposeEditorStatus(const EditorStatusFacts& facts, AIString& out);

// The note length against its limits: the length counted as the store counts
// it when it cuts (the text with paragraph ends as CR LF, plus the hidden
// link text).
enum NoteLengthLevel : int32_t { kNoteLengthFine = 0, kNoteLengthWarning = 2, kNoteLengthError = 3 };
NoteLengthLevel ClassifyNoteLength(int32_t length);
// The text of a warning or error level (empty for fine).
void NoteLengthText(int32_t length, AIString& out);

extern const WCHAR kAllCapsText[];
