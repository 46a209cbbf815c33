// The rules of QuickSearch and of the result list that need no window: the
// form a typed title is looked up in, the completion shown, the paging of the
// hits, and the relevance each hit is drawn with.
#pragma once
#include "foundation/ai_string.h"

// The typed text as titles are looked up: lower case, blanks as '_', and
// without the " (Deleted)" that the list shows behind a deleted note (only
// when the text ends with it).
void QuickLookupForm(const WCHAR* typed, AIString& out);
// The completion a stored title gives: lower case, '_' as blanks, trimmed.
void QuickCompletionOf(const WCHAR* title, AIString& out);
// The QuickSearch preview with no note to show: the tip of tipIndex (0..3,
// taken modulo), or, when typed text matches no title, the hint to search
// every note (no tip then).
enum { kQuickTipCount = 4 };
void QuickPreviewTipText(int32_t tipIndex, int unmatchedText, AIString& out);
// An index of the note list brought back inside [0, count); -1 when the list is empty.
int32_t ClampNoteIndex(int32_t index, int32_t count);

// The editor's zoom after Ctrl+- (direction -1), Ctrl++ (+1) or the keypad's
// Ctrl+* (0) in the box: the numerator moves by 10 while above 50 / up to 500
// (a ratio of 0/0 counts as 100/100); the reset is 100/100. The ratio comes
// back in *numerator and *denominator.
enum { kQuickZoomStep = 10, kQuickZoomMin = 50, kQuickZoomMax = 500, kQuickZoomNormal = 100 };
void QuickZoomStep(int32_t* numerator, int32_t* denominator, int direction);

// Where the hit list stands: the selected hit (1-based), the page, the rows
// one page holds and the number of hits.
struct HitPaging {
    int32_t selected;
    int32_t page;
    int32_t rows;
    int32_t count;
};
void PageHitsUp(HitPaging& p);
void PageHitsDown(HitPaging& p);
void StepHitsDown(HitPaging& p);
void StepHitsUp(HitPaging& p);
// Rows of 30 pixels that fit in a panel of the given height, at least 1.
int32_t RowsPerPage(int32_t panelHeight, int32_t listTop);
// The page the selected hit is on.
int32_t PageOfSelected(int32_t selected, int32_t rows);

// Relevance in percent of the reference (the larger of keywords x 12000 and
// the best score), worked out in 64 bits; and its level 0 to 3.
int64_t HitRelevance(int32_t score, int32_t keywordCount, int32_t bestScore);
int32_t RelevanceLevel(int64_t relevance);

// The header of the hit list: "SEARCH RESULTS (s-last of n)".
void HitListHeader(const HitPaging& p, AIString& out);
// A title as a row shows it: '_' as blanks, at most 25 characters, then "...".
void HitRowTitle(const WCHAR* title, AIString& out);
