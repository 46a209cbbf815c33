#include "search/folded_find.h"
#include <immintrin.h>

namespace {

WCHAR g_fold[65536];
bool g_foldBuilt = false;
int g_hasAvx2 = -1;

void BuildFoldTable()
{
    for (int i = 0; i < 65536; i++) g_fold[i] = (WCHAR)i;
    CharLowerBuffW(g_fold, 0xD800);
    CharLowerBuffW(g_fold + 0xE000, 0x2000);
    g_foldBuilt = true;
}

// Collects every unit that folds to target into anchor; 0 when they do not fit.
int MakeAnchor(WCHAR target, FoldAnchor& anchor)
{
    WCHAR spellings[kFoldSpellingsMax];
    int count = 0;
    for (int c = 0; c < 65536; c++) {
        if (g_fold[c] != target) continue;
        if (count == kFoldSpellingsMax) return 0;
        spellings[count++] = (WCHAR)c;
    }
    if (count == 0) return 0;
    anchor.count = 0;
    bool paired[kFoldSpellingsMax] = {};
    for (int i = 0; i < count; i++) {
        if (paired[i]) continue;
        int n = anchor.count++;
        anchor.orMask[n] = 0;
        anchor.value[n] = spellings[i];
        for (int j = i + 1; j < count; j++) {
            if (paired[j] || (spellings[i] ^ spellings[j]) != 0x20) continue;
            paired[j] = true;
            anchor.orMask[n] = 0x20;
            anchor.value[n] = (WCHAR)(spellings[i] | 0x20);
            break;
        }
    }
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

// Checks the candidates of a block (two mask bits per character).
inline const WCHAR* CheckCandidates(const FoldedPattern& pattern, const WCHAR* p, uint64_t mask)
{
    mask &= 0x5555555555555555ull;
    while (mask) {
        const WCHAR* at = p + __builtin_ctzll(mask) / 2;
        if (MatchesAt(pattern, at)) return at;
        mask &= mask - 1;
    }
    return nullptr;
}

inline __m128i AnchorHits(__m128i block, const FoldAnchor& anchor)
{
    __m128i hits = _mm_setzero_si128();
    for (int i = 0; i < anchor.count; i++) {
        __m128i folded = _mm_or_si128(block, _mm_set1_epi16((short)anchor.orMask[i]));
        hits = _mm_or_si128(hits, _mm_cmpeq_epi16(folded, _mm_set1_epi16((short)anchor.value[i])));
    }
    return hits;
}

// Any anchors, eight positions at a time.
const WCHAR* FindSse2(const FoldedPattern& pattern, const WCHAR*& p, const WCHAR* last)
{
    const int m = pattern.length;
    while (p + 7 <= last) {
        __m128i head = AnchorHits(_mm_loadu_si128((const __m128i*)p), pattern.first);
        __m128i tail = AnchorHits(_mm_loadu_si128((const __m128i*)(p + m - 1)), pattern.last);
        unsigned mask = (unsigned)_mm_movemask_epi8(_mm_and_si128(head, tail));
        if (mask) {
            const WCHAR* hit = CheckCandidates(pattern, p, mask);
            if (hit) return hit;
        }
        p += 8;
    }
    return nullptr;
}

// One test per anchor, 32 positions at a time.
__attribute__((target("avx2")))
const WCHAR* FindAvx2(const FoldedPattern& pattern, const WCHAR*& p, const WCHAR* last)
{
    const int m = pattern.length;
    const __m256i firstOr = _mm256_set1_epi16((short)pattern.first.orMask[0]);
    const __m256i firstValue = _mm256_set1_epi16((short)pattern.first.value[0]);
    const __m256i lastOr = _mm256_set1_epi16((short)pattern.last.orMask[0]);
    const __m256i lastValue = _mm256_set1_epi16((short)pattern.last.value[0]);
    while (p + 31 <= last) {
        __m256i h0 = _mm256_cmpeq_epi16(_mm256_or_si256(_mm256_loadu_si256((const __m256i*)p), firstOr), firstValue);
        __m256i t0 = _mm256_cmpeq_epi16(_mm256_or_si256(_mm256_loadu_si256((const __m256i*)(p + m - 1)), lastOr), lastValue);
        __m256i h1 = _mm256_cmpeq_epi16(_mm256_or_si256(_mm256_loadu_si256((const __m256i*)(p + 16)), firstOr), firstValue);
        __m256i t1 = _mm256_cmpeq_epi16(_mm256_or_si256(_mm256_loadu_si256((const __m256i*)(p + 15 + m)), lastOr), lastValue);
        __m256i c0 = _mm256_and_si256(h0, t0);
        __m256i c1 = _mm256_and_si256(h1, t1);
        if (!_mm256_testz_si256(_mm256_or_si256(c0, c1), _mm256_or_si256(c0, c1))) {
            const WCHAR* hit = CheckCandidates(pattern, p, (uint32_t)_mm256_movemask_epi8(c0));
            if (hit) return hit;
            hit = CheckCandidates(pattern, p + 16, (uint32_t)_mm256_movemask_epi8(c1));
            if (hit) return hit;
        }
        p += 32;
    }
    return nullptr;
}

bool HasAvx2();

// Several one-test patterns at once: each block of 32 positions is read once
// and tested for every pattern still looking; only a block with a candidate
// for some pattern is looked at closer. A pattern leaves the sweep at its
// first hit; the ones left when the room runs out finish alone.
__attribute__((target("avx2")))
void SweepAvx2(const FoldedPattern* const* patterns, int* active, int count, const WCHAR* from,
               const WCHAR* end, const WCHAR** hits)
{
    enum { kMax = 16 };
    __m256i firstOr[kMax], firstValue[kMax], lastOr[kMax], lastValue[kMax];
    int tailOffset[kMax];
    int longest = 0;
    for (int i = 0; i < count; i++) {
        const FoldedPattern& pattern = *patterns[active[i]];
        firstOr[i] = _mm256_set1_epi16((short)pattern.first.orMask[0]);
        firstValue[i] = _mm256_set1_epi16((short)pattern.first.value[0]);
        lastOr[i] = _mm256_set1_epi16((short)pattern.last.orMask[0]);
        lastValue[i] = _mm256_set1_epi16((short)pattern.last.value[0]);
        tailOffset[i] = pattern.length - 1;
        if (pattern.length > longest) longest = pattern.length;
    }
    const WCHAR* p = from;
    const WCHAR* last = end - longest;  // every pattern's tail fits up to here
    while (count > 0 && p + 31 <= last) {
        const __m256i head0 = _mm256_loadu_si256((const __m256i*)p);
        const __m256i head1 = _mm256_loadu_si256((const __m256i*)(p + 16));
        __m256i any = _mm256_setzero_si256();
        for (int i = 0; i < count; i++) {
            const WCHAR* tail = p + tailOffset[i];
            __m256i c0 = _mm256_and_si256(
                _mm256_cmpeq_epi16(_mm256_or_si256(head0, firstOr[i]), firstValue[i]),
                _mm256_cmpeq_epi16(_mm256_or_si256(_mm256_loadu_si256((const __m256i*)tail), lastOr[i]), lastValue[i]));
            __m256i c1 = _mm256_and_si256(
                _mm256_cmpeq_epi16(_mm256_or_si256(head1, firstOr[i]), firstValue[i]),
                _mm256_cmpeq_epi16(_mm256_or_si256(_mm256_loadu_si256((const __m256i*)(tail + 16)), lastOr[i]), lastValue[i]));
            any = _mm256_or_si256(any, _mm256_or_si256(c0, c1));
        }
        if (!_mm256_testz_si256(any, any)) {
            for (int i = 0; i < count; i++) {
                const FoldedPattern& pattern = *patterns[active[i]];
                const WCHAR* hit = FindFolded(pattern, p, p + 32 + tailOffset[i]);
                if (!hit) continue;
                hits[active[i]] = hit;
                count--;
                active[i] = active[count];
                firstOr[i] = firstOr[count];
                firstValue[i] = firstValue[count];
                lastOr[i] = lastOr[count];
                lastValue[i] = lastValue[count];
                tailOffset[i] = tailOffset[count];
                i--;
            }
        }
        p += 32;
    }
    for (int i = 0; i < count; i++) hits[active[i]] = FindFolded(*patterns[active[i]], p, end);
}

bool HasAvx2()
{
    if (g_hasAvx2 < 0) {
        __builtin_cpu_init();
        g_hasAvx2 = __builtin_cpu_supports("avx2") ? 1 : 0;
    }
    return g_hasAvx2 == 1;
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
    pattern.vectorised = MakeAnchor(pattern.folded[0], pattern.first) &&
                         MakeAnchor(pattern.folded[length - 1], pattern.last);
}

const WCHAR* FindFolded(const FoldedPattern& pattern, const WCHAR* from, const WCHAR* end)
{
    int m = pattern.length;
    if (m == 0 || !from || end - from < m) return nullptr;
    const WCHAR* last = end - m;  // the last position where a hit fits
    const WCHAR* p = from;
    if (pattern.vectorised) {
        const WCHAR* hit;
        if (pattern.first.count == 1 && pattern.last.count == 1 && HasAvx2()) {
            hit = FindAvx2(pattern, p, last);
            if (hit) return hit;
        }
        hit = FindSse2(pattern, p, last);
        if (hit) return hit;
    }
    return FindScalar(pattern, p, last);
}

void FindFoldedMany(const FoldedPattern* const* patterns, int count, const WCHAR* from, const WCHAR* end,
                    const WCHAR** hits)
{
    enum { kSweepMax = 16 };
    int swept[kSweepMax];
    int sweeping = 0;
    for (int i = 0; i < count; i++) {
        const FoldedPattern& pattern = *patterns[i];
        bool oneTest = pattern.vectorised && pattern.first.count == 1 && pattern.last.count == 1;
        if (oneTest && sweeping < kSweepMax && HasAvx2() && end - from >= pattern.length)
            swept[sweeping++] = i;
        else
            hits[i] = FindFolded(pattern, from, end);
    }
    if (sweeping == 1) hits[swept[0]] = FindFolded(*patterns[swept[0]], from, end);
    else if (sweeping > 1) SweepAvx2(patterns, swept, sweeping, from, end, hits);
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
