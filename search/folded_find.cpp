#include "search/folded_find.h"
#include <emmintrin.h>
#include <string.h>

namespace {

WCHAR g_fold[65536];
bool g_foldBuilt = false;

void BuildFoldTable()
{
    for (int i = 0; i < 65536; i++) g_fold[i] = (WCHAR)i;
    CharLowerBuffW(g_fold, 0xD800);
    CharLowerBuffW(g_fold + 0xE000, 0x2000);
    g_foldBuilt = true;
}

// Collects every unit that folds to target; 0 when they do not fit.
int CollectSpellings(WCHAR target, WCHAR* out)
{
    int count = 0;
    for (int c = 0; c < 65536; c++) {
        if (g_fold[c] != target) continue;
        if (count == kFoldSpellingsMax) return 0;
        out[count++] = (WCHAR)c;
    }
    if (count == 0) return 0;  // nothing folds to it: only the scalar path is exact
    for (int i = count; i < kFoldSpellingsMax; i++) out[i] = out[0];
    return 1;
}

inline bool MatchesAt(const FoldedPattern& pattern, const WCHAR* at)
{
    for (int j = 0; j < pattern.length; j++)
        if (g_fold[at[j]] != pattern.folded[j]) return false;
    return true;
}

const WCHAR* FindScalar(const FoldedPattern& pattern, const WCHAR* from, const WCHAR* last)
{
    WCHAR first = pattern.folded[0];
    for (const WCHAR* p = from; p <= last; p++)
        if (g_fold[*p] == first && MatchesAt(pattern, p)) return p;
    return nullptr;
}

inline __m128i AnyOf(__m128i block, const __m128i* spellings)
{
    __m128i a = _mm_or_si128(_mm_cmpeq_epi16(block, spellings[0]), _mm_cmpeq_epi16(block, spellings[1]));
    __m128i b = _mm_or_si128(_mm_cmpeq_epi16(block, spellings[2]), _mm_cmpeq_epi16(block, spellings[3]));
    return _mm_or_si128(a, b);
}

}  // namespace

const WCHAR* GetFoldTable()
{
    if (!g_foldBuilt) BuildFoldTable();
    return g_fold;
}

void PrepareFoldedPattern(FoldedPattern& pattern, const WCHAR* text, int length)
{
    GetFoldTable();
    if (length < 0) length = 0;
    if (length > kFoldedPatternMaxChars) length = kFoldedPatternMaxChars;
    pattern.length = length;
    for (int i = 0; i < length; i++) pattern.folded[i] = g_fold[text[i]];
    pattern.vectorised = 0;
    if (length == 0) return;
    pattern.vectorised = CollectSpellings(pattern.folded[0], pattern.firstSpellings) &&
                         CollectSpellings(pattern.folded[length - 1], pattern.lastSpellings);
}

const WCHAR* FindFolded(const FoldedPattern& pattern, const WCHAR* from, const WCHAR* end)
{
    int m = pattern.length;
    if (m == 0 || !from || end - from < m) return nullptr;
    const WCHAR* last = end - m;  // the last position where a hit fits
    const WCHAR* p = from;
    if (pattern.vectorised) {
        __m128i first[kFoldSpellingsMax], lastChar[kFoldSpellingsMax];
        for (int i = 0; i < kFoldSpellingsMax; i++) {
            first[i] = _mm_set1_epi16((short)pattern.firstSpellings[i]);
            lastChar[i] = _mm_set1_epi16((short)pattern.lastSpellings[i]);
        }
        // Each block tests the positions p..p+7; their last characters end at p+m+6.
        while (p + 7 <= last) {
            __m128i head = _mm_loadu_si128((const __m128i*)p);
            __m128i tail = _mm_loadu_si128((const __m128i*)(p + m - 1));
            __m128i both = _mm_and_si128(AnyOf(head, first), AnyOf(tail, lastChar));
            unsigned mask = (unsigned)_mm_movemask_epi8(both) & 0x5555u;
            while (mask) {
                int bit = __builtin_ctz(mask);
                const WCHAR* at = p + bit / 2;
                if (MatchesAt(pattern, at)) return at;
                mask &= mask - 1;
            }
            p += 8;
        }
    }
    return FindScalar(pattern, p, last);
}

const WCHAR* FindCharBounded(const WCHAR* from, const WCHAR* end, WCHAR ch)
{
    const WCHAR* p = from;
    __m128i wanted = _mm_set1_epi16((short)ch);
    while (end - p >= 16) {
        __m128i a = _mm_cmpeq_epi16(_mm_loadu_si128((const __m128i*)p), wanted);
        __m128i b = _mm_cmpeq_epi16(_mm_loadu_si128((const __m128i*)(p + 8)), wanted);
        unsigned mask = (unsigned)_mm_movemask_epi8(_mm_packs_epi16(a, b));
        if (mask) return p + __builtin_ctz(mask);
        p += 16;
    }
    while (p < end && *p != ch) p++;
    return p;
}
