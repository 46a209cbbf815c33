// Full-text search as a mode of the content window: the keyword field, the
// result panel that the engine fills, the preview of the selected hit with its
// keywords highlighted, paging, and opening a hit.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// Connects the mode to the content window; the keyword field and the result
// panel are made there (hidden) when the mode is first entered.
void PrepareFullTextSearch(HWND content);
HWND GetFullTextField();
HWND GetResultPanel();

// 1 while the mode shows.
int32_t IsFullTextSearchMode();

// Enters the mode (with the QuickSearch text when fromQuickSearch, else with
// the last query) or leaves it. Returns 1.
int ToggleFullTextSearch(int fromQuickSearch);
// Enters the mode and searches the text at once (Ctrl+Shift+F in the editor).
int StartFullTextSearchFor(const WCHAR* text);

void ScrollHitsPageUp();
void ScrollHitsPageDown();
void ScrollHitsUp();
void ScrollHitsDown();
// Opens the selected hit in the editor; a hit whose note has gone is never opened.
int OpenSelectedHit();
// Shows the selected hit in the preview pane with the keywords highlighted.
void ShowPreview();

// The note index of hit n (1-based) as the store now stands, -1 when that note has gone.
int32_t HitNoteIndex(int32_t hit);
// The title a hit was found under (blanks as '_'); empty past the hits.
const AIString& HitTitle(int32_t hit);
