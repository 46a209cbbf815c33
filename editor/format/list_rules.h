// Lists in a note are plain paragraphs: optional TABs (the level), an
// optional blank, a marker ("-", "*", the bullet, or a number with "." or
// ")") and a blank, then the item. These rules make such lines behave like a
// list under Enter, Tab and Shift+Tab. Pure text work on the editor's text (a
// paragraph end counted once); the caller applies the edit as one step.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum {
    kMaxBlockLines = 100,  // Tab and Shift+Tab over more line breaks are refused
};

// The list marker of one line.
struct ListMarker {
    int32_t tabs;    // leading TABs
    int32_t start;   // the marker form's first character (after the TABs), from the line start
    int32_t length;  // the marker form with its blanks ("- ", " * ", "12. ")
    int32_t number;  // a numbered item's number, 0 for a bullet
};

// 1 when the line (from its start, len characters up to its end) begins with
// a marker form; the marker is filled in.
int ParseListMarker(const WCHAR* line, int32_t len, ListMarker* marker);

// A blank typed after "*" at a line's start (or after a blank there) makes
// the "*" a bullet. before: the (at most three) characters before the caret,
// count of them; atTextStart 1 when they begin the text. The index of the
// "*" in before, or -1.
int32_t FindBulletStar(const WCHAR* before, int32_t count, int atTextStart);
const int32_t kBulletStarWindow = 3;

// The start of the paragraph holding position (after the line break before it).
int32_t ParagraphStart(const WCHAR* text, int32_t position);
// The end of the paragraph holding position (its line break, or len).
int32_t ParagraphEnd(const WCHAR* text, int32_t len, int32_t position);

// What Enter does.
enum EnterAction : int32_t {
    kEnterPassOn = 0,   // a plain line break (the editor's own)
    kEnterNothing = 1,  // nothing happens (Enter over selected text)
    kEnterReplace = 2,  // the edit below replaces the text
};
struct TextEdit {
    int32_t start, end;  // the range replaced
    AIString text;       // what replaces it
    int32_t caret;       // the caret afterwards
    int32_t selEnd;      // the selection's end afterwards (== caret: none)
};

// Enter with the selection [selStart, selEnd): a list item is continued with
// its marker (a number counts on), an empty item ends the list (its marker
// goes), bold, italic or strike-through around the caret is closed before
// the break and opened again after it.
EnterAction DecideEnter(const WCHAR* text, int32_t len, int32_t selStart, int32_t selEnd, TextEdit* edit);

// Tab and Shift+Tab.
enum IndentAction : int32_t {
    kIndentPassOn = 0,       // the key does what it does in plain text
    kIndentNothing = 1,      // the key is dropped, nothing changes
    kIndentReplace = 2,      // the edit replaces the text
    kIndentTooManyLines = 3  // refused: more than kMaxBlockLines line breaks
};
// outdent 0: Tab, 1: Shift+Tab.
IndentAction DecideIndent(const WCHAR* text, int32_t len, int32_t selStart, int32_t selEnd, int outdent,
                          TextEdit* edit);

// The heading level of the line starting at lineStart ("# " 1 to "### " 3), 0 for none.
int32_t HeadingLevelAt(const WCHAR* text, int32_t len, int32_t lineStart);
// The start of the first heading line at or after `from` and before `to`
// (level 0: any level), or -1.
int32_t FindHeadingLine(const WCHAR* text, int32_t len, int32_t from, int32_t to, int32_t level);
