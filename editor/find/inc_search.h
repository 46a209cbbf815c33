// Incremental search and replace inside the note in the editor: the matcher
// that every key of the search box runs (and F3 in the editor), the colouring
// of the matches, and the replacement of the current match.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include <richedit.h>

// What the search box is doing.
enum IncSearchBoxMode : int32_t {
    kIncBoxIdle = 0,
    kIncBoxSearching = 1,
    kIncBoxReplacing = 2,
    kIncBoxReturning = 3,   // the focus comes back from the Replace box
};

// What FindIncSearchMatches searches: the box's text, the box's text with a
// character still on its way to the box (any code above 0 but Backspace),
// the box's text less its last character, or the last search again.
enum : int32_t {
    kIncFindBoxText = 0,
    kIncFindBackspace = 8,
    kIncFindNext = -1,
    kIncFindPrevious = -2,
};

// Colours of the matches (COLORREF).
enum : COLORREF { kIncMatchColour = 0x82FA82, kIncReplacedColour = 0x009BFF };

struct IncSearchState {
    HWND box = nullptr;
    HWND replaceBox = nullptr;
    int32_t boxMode = kIncBoxIdle;
    AIString lastText;        // kept for F3 and Shift+F3
    AIString previousText;
    int32_t positions[100];
    int32_t count = 0;
    int32_t matchLength = 0;
    int32_t currentIndex = -1;
    int32_t currentStart = -1;
    int32_t currentEnd = -1;
    int32_t step = 0;
    CHARRANGE anchor = {0, 0};
    CHARRANGE saved = {0, 0};
    int32_t caseSensitive = 0;
    int32_t highlightAll = 1;
    int32_t noMatch = 1;
    int32_t fromF3 = 0;
};

extern IncSearchState g_incSearch;

// The boxes the content window made; their window procedures are installed.
void InstallIncSearchBoxes(HWND box, HWND replaceBox);

// Searches and colours (see the codes above). Returns the 1-based number of
// the selected match, 1 when nothing was searched, and 0 for F3 and Shift+F3
// when there is no last search text.
int32_t FindIncSearchMatches(int32_t what);

// Removes every colour a search gave: the matches get the automatic background again.
void ClearIncSearchColours();
// 1 while matches off screen still wait for their colours (a timer gives
// them in rounds after the key).
int32_t IncSearchColoursPending();

// Replaces the current match by the Replace box's text (one undo step) and
// moves on to the next. 0 when nothing was replaced.
int ReplaceCurrentMatch();

// Called when the mode starts: the editor's selection becomes the anchor.
void BeginIncSearch(int32_t replacing);
void EndIncSearch();
