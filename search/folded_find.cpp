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

// The nibble sets of every unit that folds to the pattern's first and second
// characters; a 1-character pattern takes any unit after its first.
void CollectHeadNibbles(FoldedPattern& pattern)
{
    const WCHAR first = pattern.folded[0];
    const WCHAR second = pattern.length > 1 ? pattern.folded[1] : 0;
    for (int c = 0; c < 65536; c++) {
        const WCHAR folded = g_fold[c];
        const int low = c & 0x0F, high = (c >> 4) & 0x0F;
        if (folded == first) {
            pattern.head[0].low |= (uint16_t)(1u << low);
            pattern.head[0].high |= (uint16_t)(1u << high);
        }
        if (pattern.length > 1 && folded == second) {
            pattern.head[1].low |= (uint16_t)(1u << low);
            pattern.head[1].high |= (uint16_t)(1u << high);
        }
    }
    if (pattern.length == 1) pattern.head[1].low = pattern.head[1].high = 0xFFFF;
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

// Several patterns at once, 32 positions at a time. Each pattern owns a
// bucket bit (patterns beyond eight share one); a unit's low byte is looked up
// by its two nibbles in tables of the bucket bits whose first character (and,
// at the next position, second character) has a spelling with that nibble.
// Only a position whose bits survive both characters is checked, for the
// patterns of its buckets. A pattern leaves at its first hit.
enum { kBuckets = 8, kManyMax = 16 };

struct BucketTables {
    __m256i firstLow, firstHigh, secondLow, secondHigh;
};

// The tables of the patterns still looking (found[i] == 0).
__attribute__((target("avx2")))
void BuildBucketTables(const FoldedPattern* const* patterns, const int* found, int count, BucketTables& tables)
{
    alignas(32) uint8_t table[4][32] = {};
    for (int i = 0; i < count; i++) {
        if (found[i]) continue;
        const uint8_t bit = (uint8_t)(1u << (i % kBuckets));
        const NibbleSets* head = patterns[i]->head;
        for (int n = 0; n < 16; n++) {
            if (head[0].low & (1u << n)) table[0][n] |= bit;
            if (head[0].high & (1u << n)) table[1][n] |= bit;
            if (head[1].low & (1u << n)) table[2][n] |= bit;
            if (head[1].high & (1u << n)) table[3][n] |= bit;
        }
    }
    for (int t = 0; t < 4; t++)
        for (int n = 0; n < 16; n++) table[t][n + 16] = table[t][n];  // the same table in both lanes
    tables.firstLow = _mm256_load_si256((const __m256i*)table[0]);
    tables.firstHigh = _mm256_load_si256((const __m256i*)table[1]);
    tables.secondLow = _mm256_load_si256((const __m256i*)table[2]);
    tables.secondHigh = _mm256_load_si256((const __m256i*)table[3]);
}

// The bucket bits of 16 positions (one per 16-bit lane, in its low byte):
// first character at p, second at p + 1.
__attribute__((target("avx2")))
inline __m256i BucketBits(const BucketTables& tables, const WCHAR* p)
{
    const __m256i nibble = _mm256_set1_epi16(0x000F);
    const __m256i first = _mm256_loadu_si256((const __m256i*)p);
    const __m256i second = _mm256_loadu_si256((const __m256i*)(p + 1));
    __m256i bits = _mm256_and_si256(
        _mm256_shuffle_epi8(tables.firstLow, _mm256_and_si256(first, nibble)),
        _mm256_shuffle_epi8(tables.firstHigh, _mm256_and_si256(_mm256_srli_epi16(first, 4), nibble)));
    bits = _mm256_and_si256(bits, _mm256_shuffle_epi8(tables.secondLow, _mm256_and_si256(second, nibble)));
    bits = _mm256_and_si256(
        bits, _mm256_shuffle_epi8(tables.secondHigh, _mm256_and_si256(_mm256_srli_epi16(second, 4), nibble)));
    return _mm256_and_si256(bits, _mm256_set1_epi16(0x00FF));  // the high bytes looked up nothing
}

// Checks the positions p .. p+15 whose lanes hold bucket bits; 1 when a
// pattern was found (the tables then need rebuilding).
inline int CheckBuckets(const FoldedPattern* const* patterns, int* found, int count, const WCHAR* p,
                        const WCHAR* end, const uint16_t* lanes, const WCHAR** hits, int& looking)
{
    int foundAny = 0;
    for (int lane = 0; lane < 16; lane++) {
        unsigned bits = lanes[lane];
        const WCHAR* at = p + lane;
        while (bits) {
            const int bucket = __builtin_ctz(bits);
            bits &= bits - 1;
            for (int i = bucket; i < count; i += kBuckets) {
                const FoldedPattern& pattern = *patterns[i];
                if (found[i] || end - at < pattern.length || !MatchesAt(pattern, at)) continue;
                found[i] = 1;
                hits[i] = at;
                looking--;
                foundAny = 1;
            }
        }
    }
    return foundAny;
}

__attribute__((target("avx2")))
void SweepAvx2(const FoldedPattern* const* patterns, int count, const WCHAR* from, const WCHAR* end,
               const WCHAR** hits)
{
    int found[kManyMax] = {};
    int looking = count;
    for (int i = 0; i < count; i++) hits[i] = nullptr;
    BucketTables tables;
    BuildBucketTables(patterns, found, count, tables);
    alignas(32) uint16_t lanes[32];
    const WCHAR* p = from;
    // Both blocks' second characters lie before end.
    while (looking > 0 && end - p >= 33) {
        const __m256i bits0 = BucketBits(tables, p);
        const __m256i bits1 = BucketBits(tables, p + 16);
        const __m256i any = _mm256_or_si256(bits0, bits1);
        if (!_mm256_testz_si256(any, any)) {
            _mm256_store_si256((__m256i*)lanes, bits0);
            _mm256_store_si256((__m256i*)(lanes + 16), bits1);
            if (CheckBuckets(patterns, found, count, p, end, lanes, hits, looking) |
                CheckBuckets(patterns, found, count, p + 16, end, lanes + 16, hits, looking))
                BuildBucketTables(patterns, found, count, tables);
        }
        p += 32;
    }
    for (int i = 0; i < count; i++)
        if (!found[i]) hits[i] = FindFolded(*patterns[i], p, end);
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
    pattern.head[0].low = pattern.head[0].high = 0;
    pattern.head[1].low = pattern.head[1].high = 0;
    if (length == 0) return;
    CollectHeadNibbles(pattern);
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
    const FoldedPattern* swept[kManyMax];
    const WCHAR* sweptHits[kManyMax];
    int sweptIndex[kManyMax];
    int sweeping = 0;
    for (int i = 0; i < count; i++) {
        hits[i] = nullptr;
        if (patterns[i]->length == 0 || end - from < patterns[i]->length) continue;
        if (sweeping < kManyMax && HasAvx2()) {
            sweptIndex[sweeping] = i;
            swept[sweeping++] = patterns[i];
        } else {
            hits[i] = FindFolded(*patterns[i], from, end);
        }
    }
    if (sweeping == 1) {
        hits[sweptIndex[0]] = FindFolded(*swept[0], from, end);
    } else if (sweeping > 1) {
        SweepAvx2(swept, sweeping, from, end, sweptHits);
        for (int i = 0; i < sweeping; i++) hits[sweptIndex[i]] = sweptHits[i];
    }
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
