// The program-wide tables of full-text search: the parsed query, the 50 result
// slots, the ranked list and the counters that the result panel paints. One
// instance each, used on the UI thread only.
#pragma once
#include "foundation/ai_string.h"

enum {
    kSearchKeywordEntries = 10,   // entry 9 stays empty: a query gives at most 9
    kSearchMaxQueryKeywords = 9,
    kSearchKeywordMaxChars = 100,
    kSearchHitSlots = 50,
};

enum SearchKeywordMode : int32_t { kKeywordPlain = 0, kKeywordRequired = 1, kKeywordExcluded = 2 };

// Note reference of a result slot.
enum : int32_t { kHitFromMirror = 0, kHitFromDatafile = 1, kHitFree = -1 };

struct SearchKeywordTable {
    AIString text[kSearchKeywordEntries];  // entry 0 weighs most and is highlighted apart
    int32_t mode[kSearchKeywordEntries];
    int32_t count;
    uint32_t revision;  // changes with every edit, so prepared scans know they are stale
};

struct SearchHitSlot {
    int32_t titleIndex;     // the note's position in the store's title index
    int32_t reserved;
    int32_t score;
    int32_t noteReference;  // kHitFromDatafile, kHitFromMirror or kHitFree
};

struct SearchHitSlots {
    SearchHitSlot slot[kSearchHitSlots];
    int32_t count;  // slots in use, 0 to 50
};

struct RankedHit {
    int32_t slot;
    int32_t score;
};

// The score of RankedHits[0] while a search walks the notes, and when ranking starts.
enum : int32_t { kBestScoreWalking = -2, kBestScoreRanking = -1 };

struct SearchCounterSet {
    int32_t processed;      // notes walked so far
    int32_t total;          // titles in the store
    int32_t selectedHit;    // 1-based
    int32_t pageIndex;
    int32_t rowsPerPage;
    int32_t reloadPreview;
};

// Stop request values.
enum : int32_t { kStopIdle = 0, kStopRequested = 1, kStopRunning = -1 };

// Change the keywords only through ParseSearchQuery, ClearSearchKeywords and
// SetSearchKeyword: they move the revision on, which prepared scans check.
extern SearchKeywordTable SearchKeywords;
extern SearchHitSlots SearchHitTable;
extern RankedHit RankedHits[kSearchHitSlots];
extern SearchCounterSet SearchCounters;
extern int32_t SearchStopRequest;
// Set when notes were created, renamed, edited or captured: the last results
// may no longer be true, so the result panel does not reuse them.
extern int32_t SearchResultsStale;

// Empties the ranked list and the slots; the best score becomes -1.
void ClearSearchHits();
// Every keyword empty and plain, count 0.
void ClearSearchKeywords();
// Sets keyword entry (0..9); the count is not changed.
void SetSearchKeyword(int entry, const WCHAR* text, int32_t mode);

inline int32_t GetBestSearchScore() { return RankedHits[0].score; }
