// Generated note collections for the search tests and benchmark: titles in
// index order, bodies with heading lines, punctuation and non-ASCII words, a
// link block per note, and some notes whose current text is a mirror text.
// The same seed always gives the same notes.
#pragma once
#include "foundation/ai_string.h"
#include <vector>

struct GeneratedNote {
    std::vector<WCHAR> title;       // as stored: no blanks, at most 30 characters
    std::vector<WCHAR> text;        // U+00A4, title, CR LF, body, link block
    std::vector<WCHAR> mirrorText;  // empty unless the current text is a mirror text
};

struct NoteGeneratorOptions {
    uint32_t seed;
    int noteCount;
    int bodyChars;        // about this many characters per note
    int mirrorPerMille;   // notes in a thousand that get a mirror text
    // Bodies of common English words (every letter occurs, in its usual
    // share) instead of the made-up syllables and non-ASCII words.
    bool english = false;
};

void GenerateNotes(const NoteGeneratorOptions& options, std::vector<GeneratedNote>& notes);

// Words the generator plants: in about one note in a thousand, in about every
// other note, and never.
extern const WCHAR* const kRareWord;
extern const WCHAR* const kCommonWord;
extern const WCHAR* const kAbsentWord;
// A word of common letters that no English body holds.
extern const WCHAR* const kEnglishAbsentWord;
// The word every mirror text carries instead of its data-file copy's "draft".
extern const WCHAR* const kMirrorOnlyWord;
// A vocabulary word by number (for random queries); wraps around.
const WCHAR* GeneratedWord(int number);
int GeneratedWordCount();

// A small deterministic random generator.
struct SearchRandom {
    uint64_t state;
    explicit SearchRandom(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return (uint32_t)(state >> 11);
    }
    int Below(int n) { return n > 0 ? (int)(Next() % (uint32_t)n) : 0; }
};
