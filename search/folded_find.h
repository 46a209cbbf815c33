// Length-bounded, case-insensitive text search with the platform's case rules.
// The text is never measured or written: every call gets its end, so a note
// needs no terminator. Candidates are found eight characters at a time by
// their first and last character (each in all the spellings that fold to it),
// then checked through the fold table. Several patterns looked for together
// share one prefilter on their first two characters, so a pass over the text
// costs about the same for one pattern as for nine.
#pragma once
#include "foundation/win.h"

enum { kFoldedPatternMaxChars = 100, kFoldSpellingsMax = 4 };

// The spellings of one character: unit x is one of them when (x | orMask[i])
// equals value[i] for some i < count. A case pair that differs in bit 0x20
// (ASCII, Latin-1, Greek, Cyrillic letters) takes one test.
struct FoldAnchor {
    int32_t count;
    WCHAR orMask[kFoldSpellingsMax];
    WCHAR value[kFoldSpellingsMax];
};

// The low bytes of every spelling of one character, as the sets of their low
// and high nibbles (bit n: some spelling has nibble n).
struct NibbleSets {
    uint16_t low;
    uint16_t high;
};

struct FoldedPattern {
    WCHAR folded[kFoldedPatternMaxChars];
    int32_t length;
    FoldAnchor first;  // every unit whose lower case is the first folded character
    FoldAnchor last;
    int32_t vectorised;  // 0 when a character has more spellings than fit
    NibbleSets head[2];  // the first two characters (the second takes any unit in a 1-character pattern)
};

// The lower case of every UTF-16 unit (built once with CharLowerBuffW;
// surrogate halves map to themselves).
const WCHAR* GetFoldTable();

// Prepares text (at most 100 characters are used). An empty pattern never matches.
void PrepareFoldedPattern(FoldedPattern& pattern, const WCHAR* text, int length);

// The first position in [from, end) where the whole pattern matches ignoring
// case and ends at or before end; null when none.
const WCHAR* FindFolded(const FoldedPattern& pattern, const WCHAR* from, const WCHAR* end);

// For each of count patterns (at most 10), the first hit in [from, end) as
// FindFolded gives it, found in one sweep over the text where the patterns allow.
void FindFoldedMany(const FoldedPattern* const* patterns, int count, const WCHAR* from, const WCHAR* end,
                    const WCHAR** hits);

// The first ch in [from, end), or end when there is none.
const WCHAR* FindCharBounded(const WCHAR* from, const WCHAR* end, WCHAR ch);
