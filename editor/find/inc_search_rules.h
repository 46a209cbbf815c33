// The rules of incremental search that need no window: where a text occurs in
// the note, which match a step lands on, and what the status line says.
#pragma once
#include "foundation/ai_string.h"
#include "ui/status_line.h"

enum {
    kIncSearchMaxMatches = 100,    // searched and coloured per key
    kIncSearchRememberMax = 98,    // a search with more matches is not kept for F3
    kIncSearchReplaceMax = 99,     // more matches than this cannot be replaced one by one
    kIncSearchMinChars = 2,
    kIncSearchBoxLimit = 50,
};

// Steps that mean the first and the last match (Home and End in the box).
enum : int32_t { kIncStepFirst = -999999, kIncStepLast = 999999, kIncStepFarLimit = 999990 };

// Every start position of pattern in text, in text order, each search going on
// from the character after the last match (overlapping matches count), at most
// max. Letter case is ignored unless caseSensitive. Returns the count.
int32_t FindTextMatches(const WCHAR* text, int32_t length, const WCHAR* pattern, int32_t patternLength,
                        int caseSensitive, int32_t* positions, int32_t max);

// The index of the first match at or after position, or count when none is.
int32_t FirstMatchAtOrAfter(const int32_t* positions, int32_t count, int32_t position);

// The index of the match to select: current + *step. Beyond either end it
// stays on the last or the first match, or with wrap goes round to the other
// end; *step is brought in line so that it points at the chosen match.
// A step of kIncStepFarLimit or more selects the last match, of
// -kIncStepFarLimit or less the first. count must be at least 1.
int32_t ChooseMatchIndex(int32_t count, int32_t current, int32_t* step, int wrap);

// What the status line says after a search.
struct IncSearchReport {
    const WCHAR* text;       // the text searched
    int32_t count;           // matches found (kIncSearchMaxMatches: maybe more)
    int32_t selected;        // 1-based number of the selected match
    int caseSensitive;
    int fromF3;              // the search came from F3 or Shift+F3
    int tooShort;            // fewer than kIncSearchMinChars characters
};
StatusLevel ComposeIncSearchStatus(const IncSearchReport& report, AIString& out);

// The box's text ready to search: CR, LF and TAB dropped, at most the box's limit.
void CleanIncSearchText(const WCHAR* text, int32_t length, AIString& out);

// The search colours of the note, one cell a character: what the editor
// shows and what it should show. Format changes are costly in the rich edit,
// so only the runs where the two differ are changed, those on screen first.
enum IncCell : uint8_t { kIncCellPlain = 0, kIncCellMatch = 1, kIncCellReplaced = 2 };

// Sets cells[0, length) to the matches (positions, each matchLength long, cut
// at length) and everything else plain.
void MarkMatchCells(uint8_t* cells, int32_t length, const int32_t* positions, int32_t count, int32_t matchLength);

// One format change: [start, end) gets the colour of `cell`.
struct IncColourRun {
    int32_t start;
    int32_t end;
    uint8_t cell;
};
// The runs of [from, to) where shown differs from wanted, in text order, each
// as long as the wanted cell stays the same; at most max. Returns their count.
int32_t PlanColourRuns(const uint8_t* shown, const uint8_t* wanted, int32_t from, int32_t to, IncColourRun* runs,
                       int32_t max);
