// Formatting as mark-up: bold, italic and strike-through are the markers
// "**", "//" and "--" written around the text, so a format is always part of
// the note's text. Pure text work: the caller applies the edit as one step.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

enum MarkupEffect : int32_t { kMarkupBold = 0, kMarkupItalic = 1, kMarkupStrike = 2 };

// One replacement of the text and the selection afterwards.
struct MarkupEdit {
    int32_t start, end;          // the range replaced
    AIString text;               // what replaces it
    int32_t selStart, selEnd;    // the selection after the edit
};

// The two-character marker of an effect.
const WCHAR* MarkupMarker(MarkupEffect effect);

// Toggles an effect over [selStart, selEnd) of text: markers right around the
// selection (or at its ends) are taken away, otherwise they are written
// around it. An empty selection takes the word at the caret. Blanks at the
// selection's ends stay outside. 0 when there is nothing to format (no word,
// or a selection over a line break).
int ToggleMarkup(const WCHAR* text, int32_t len, int32_t selStart, int32_t selEnd, MarkupEffect effect,
                 MarkupEdit* edit);

// 1 when [selStart, selEnd) lies inside a run of the effect (markers around it).
int IsInsideMarkup(const WCHAR* text, int32_t len, int32_t selStart, int32_t selEnd, MarkupEffect effect);

// Strike-through over lines: an empty selection takes the caret's line (its
// leading TABs, a list marker and blanks at its ends left out); a selection
// over line breaks takes the selected part of each line. The parts lose
// their markers when every part is struck already, else the unstruck parts
// get them. 0 when there is nothing to strike.
int ToggleStrikeLines(const WCHAR* text, int32_t len, int32_t selStart, int32_t selEnd, MarkupEdit* edit);

// Where the caret goes so that what is typed there is without the effect:
// at an inner edge of the effect's run, past its marker. -1 when it stays:
// outside such a run, or inside its word (a run cannot end inside a word;
// the caret never jumps away from where the user types).
int32_t CaretOutOfEffect(const WCHAR* text, int32_t len, int32_t caret, MarkupEffect effect);

// 1 when [start, end) of text touches a tag ("@name"): tags keep their look.
int RangeHoldsTag(const WCHAR* text, int32_t len, int32_t start, int32_t end);
