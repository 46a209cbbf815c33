#include "search/note_scorer.h"
#include "search/folded_find.h"
#include "search/search_source.h"

namespace {

// The prepared keywords and, per keyword, the first hit at or after a known
// position within the scan range (rangeEnd when there is none).
struct KeywordScan {
    FoldedPattern pattern[kSearchKeywordEntries];
    uint32_t revision;
    int prepared;
    const WCHAR* rangeStart;
    const WCHAR* rangeEnd;
    bool walkRange;  // set by the walk: the text stays as it is from note to note
    const WCHAR* scannedFrom[kSearchKeywordEntries];
    const WCHAR* nextHit[kSearchKeywordEntries];
};

KeywordScan g_scan;

void ForgetLookAhead()
{
    for (int k = 0; k < kSearchKeywordEntries; k++) g_scan.scannedFrom[k] = nullptr;
}

void PrepareKeywords()
{
    if (g_scan.prepared && g_scan.revision == SearchKeywords.revision) return;
    for (int k = 0; k < kSearchKeywordEntries; k++)
        PrepareFoldedPattern(g_scan.pattern[k], SearchKeywords.text[k].GetText(),
                             SearchKeywords.text[k].GetLength());
    g_scan.revision = SearchKeywords.revision;
    g_scan.prepared = 1;
    ForgetLookAhead();
}

// Keywords that know no hit ahead of a note's start look ahead together, in
// one sweep over the text.
void LookAheadTogether(const WCHAR* textStart, int keywordCount)
{
    const FoldedPattern* patterns[kSearchKeywordEntries];
    const WCHAR* hits[kSearchKeywordEntries];
    int keyword[kSearchKeywordEntries];
    int count = 0;
    for (int k = 0; k < keywordCount; k++) {
        const WCHAR* from = g_scan.scannedFrom[k];
        if (g_scan.pattern[k].length == 0) continue;
        if (from && textStart >= from && textStart <= g_scan.nextHit[k]) continue;
        patterns[count] = &g_scan.pattern[k];
        keyword[count++] = k;
    }
    if (count < 2) return;
    FindFoldedMany(patterns, count, textStart, g_scan.rangeEnd, hits);
    for (int i = 0; i < count; i++) {
        g_scan.scannedFrom[keyword[i]] = textStart;
        g_scan.nextHit[keyword[i]] = hits[i] ? hits[i] : g_scan.rangeEnd;
    }
}

// Keyword k's first hit at or after cursor, up to the range's end (which
// stands for none).
const WCHAR* HitFrom(int k, const WCHAR* cursor)
{
    const WCHAR* from = g_scan.scannedFrom[k];
    if (!from || cursor < from || cursor > g_scan.nextHit[k]) {
        const WCHAR* hit = FindFolded(g_scan.pattern[k], cursor, g_scan.rangeEnd);
        g_scan.scannedFrom[k] = cursor;
        g_scan.nextHit[k] = hit ? hit : g_scan.rangeEnd;
    }
    return g_scan.nextHit[k];
}

// The first hit of keyword k in [cursor, noteEnd), or null.
const WCHAR* FindKeyword(int k, const WCHAR* cursor, const WCHAR* noteEnd)
{
    const FoldedPattern& pattern = g_scan.pattern[k];
    HitFrom(k, cursor);
    // No hit in [cursor, nextHit); one there that runs past the note end means
    // none in this note, because every later one ends later still.
    const WCHAR* hit = g_scan.nextHit[k];
    if (hit >= g_scan.rangeEnd || noteEnd - hit < pattern.length) return nullptr;
    return hit;
}

const int64_t kScoreMax = 0x7FFFFFFF;

inline int64_t Saturate(int64_t score) { return score > kScoreMax ? kScoreMax : score; }

bool Preceded(const WCHAR* at, const WCHAR* textStart, const char* ascii, int length)
{
    if (at - textStart < length) return false;
    for (int i = 0; i < length; i++)
        if (at[i - length] != (WCHAR)ascii[i]) return false;
    return true;
}

// The score of one hit added to s.
int64_t ScoreHit(int64_t s, const WCHAR* hit, int length, const WCHAR* textStart,
                 const WCHAR* textEnd, int titleLength)
{
    WCHAR before = hit > textStart ? hit[-1] : 0;
    WCHAR after = hit + length < textEnd ? hit[length] : 0;  // the note's end is no separator
    bool separatorBefore = IsSearchSeparator(before);
    bool separatorAfter = IsSearchSeparator(after);
    int64_t offset = hit - textStart;
    if (separatorBefore) {
        s += 10;
        if (separatorAfter) s += 100;
        if (offset > 5) {
            // A hit at the start of a heading line of the note mark-up.
            if (Preceded(hit - 1, textStart, "\n###", 4)) s *= 5;
            else if (Preceded(hit, textStart, "\n## ", 4)) s *= 6;
            else if (Preceded(hit, textStart, "\n# ", 3)) s *= 7;
        }
    }
    if (offset < titleLength) {
        s += 600;
        if (separatorAfter) {
            if (separatorBefore) s += 2000;
            else if (offset == 1) s -= 400;
        }
    }
    return Saturate(s);  // s was at most the 32-bit maximum before: no 64-bit overflow
}

void GiveSlotBack(SearchHitSlot& slot)
{
    SearchHitTable.count--;
    slot.score = 0;
    slot.noteReference = kHitFree;
}

}  // namespace

bool IsSearchSeparator(WCHAR ch)
{
    switch (ch) {
    case L' ': case L',': case L'_': case L'.': case L':':
    case L'\n': case L'\r': case L'"': case L'\'':
        return true;
    default:
        return false;
    }
}

void SetKeywordScanRange(const WCHAR* start, const WCHAR* end)
{
    g_scan.rangeStart = start;
    g_scan.rangeEnd = end;
    g_scan.walkRange = start != nullptr;
    ForgetLookAhead();
}

int ScoreNoteForSearch(const AIString& title, const WCHAR** cursor, const WCHAR* textStart,
                       const WCHAR* textEnd, int32_t keywordCount, int32_t noteReference)
{
    if (SearchHitTable.count >= kSearchHitSlots) return 0;
    if (keywordCount > kSearchKeywordEntries) keywordCount = kSearchKeywordEntries;
    PrepareKeywords();
    if (!g_scan.walkRange || textStart < g_scan.rangeStart || textEnd > g_scan.rangeEnd) {
        // A note scored on its own: nothing looked ahead elsewhere applies.
        g_scan.rangeStart = textStart;
        g_scan.rangeEnd = textEnd;
        g_scan.walkRange = false;
        ForgetLookAhead();
    }

    LookAheadTogether(textStart, keywordCount);

    SearchHitSlot& slot = SearchHitTable.slot[SearchHitTable.count];
    const int titleLength = title.GetLength();
    int64_t s = 0;  // every note starts from 0, whatever its slot held
    bool taken = false;
    int distinct = 0;
    for (int k = 0; k < keywordCount; k++) {
        const int length = g_scan.pattern[k].length;
        bool found = false;
        const WCHAR* hit;
        while ((hit = FindKeyword(k, *cursor, textEnd)) != nullptr) {
            *cursor = hit + length;
            if (!taken) {
                // The slot is taken now; its title is looked up only when the
                // note survives every keyword.
                taken = true;
                SearchHitTable.count++;
                s = 1;
            }
            if (!found) {
                found = true;
                distinct++;
            }
            s = ScoreHit(s, hit, length, textStart, textEnd, titleLength);
        }
        if (k == 0) s *= 5;
        else if (k == 1) s *= 2;
        s = Saturate(s);
        int32_t mode = SearchKeywords.mode[k];
        *cursor = textStart;
        if ((mode == kKeywordRequired && !found) || (mode == kKeywordExcluded && found)) {
            if (taken) GiveSlotBack(slot);
            return 1;
        }
    }
    if (!taken) return 1;
    int32_t copy = kCopyNotShown;
    int32_t titleIndex = GetSearchSource().findTitle(title.GetText(), &copy);
    bool current = noteReference == kHitFromDatafile ? copy == kCopyInDatafile : copy == kCopyInMirror;
    if (titleIndex < 0 || !current) {
        GiveSlotBack(slot);  // never shown: not in the index, or a stale copy
        return 1;
    }
    slot.titleIndex = titleIndex;
    slot.noteReference = noteReference;
    slot.score = (int32_t)Saturate(s + 20000 * (int64_t)distinct);
    return 1;
}

const WCHAR* NextKeywordHit(const WCHAR* from, int32_t keywordCount)
{
    if (keywordCount > kSearchKeywordEntries) keywordCount = kSearchKeywordEntries;
    if (!g_scan.walkRange || from < g_scan.rangeStart || from > g_scan.rangeEnd) return from;
    PrepareKeywords();
    LookAheadTogether(from, keywordCount);
    const WCHAR* first = g_scan.rangeEnd;
    for (int k = 0; k < keywordCount; k++) {
        if (g_scan.pattern[k].length == 0) continue;  // an empty keyword never hits
        const WCHAR* hit = HitFrom(k, from);
        if (hit < first) first = hit;
    }
    return first;
}
