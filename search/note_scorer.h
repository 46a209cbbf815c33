// Scoring one note against the keyword table: where and how often each keyword
// occurs, with bonuses for whole words, headings and the title, and the rules
// for required and excluded keywords. The note takes the next free result slot
// at its first hit.
#pragma once
#include "search/search_tables.h"

// Blank, ',', '_', '.', ':', LF, CR, '"' and the apostrophe.
bool IsSearchSeparator(WCHAR ch);

// Scores the note [textStart, textEnd) (textStart is its U+00A4 mark; nothing
// is read outside the range). title is the note's title (at most 30
// characters); cursor is moved past each hit and back to textStart between
// keywords. noteReference: kHitFromDatafile or kHitFromMirror. A note whose
// title is not in the index, or whose other copy is the current one, takes no
// slot. Returns 0 when all 50 slots were already in use, else 1.
int ScoreNoteForSearch(const AIString& title, const WCHAR** cursor, const WCHAR* textStart,
                       const WCHAR* textEnd, int32_t keywordCount, int32_t noteReference);

// Hits are looked up ahead across the whole range given here (the data-file
// buffer during a walk, which must not change until the range is cleared with
// null), so that a keyword absent from a long stretch is scanned for once, not
// once per note. Without a range, or for a note outside it, only the note is read.
void SetKeywordScanRange(const WCHAR* start, const WCHAR* end);

// During a walk (a scan range set): the first position at or after from where
// a hit of any of the first keywordCount keywords starts, or the range's end
// when there is none. A note whose text ends before it has no hit.
const WCHAR* NextKeywordHit(const WCHAR* from, int32_t keywordCount);
