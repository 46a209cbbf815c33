#include "search/full_text_search.h"
#include "search/folded_find.h"
#include "search/full_text_query.h"
#include "search/hit_ranking.h"
#include "search/note_scorer.h"
#include "search/query_parser.h"
#include "search/search_source.h"
#include "search/search_tables.h"
#include <algorithm>
#include <vector>

namespace {

int g_running = 0;
int g_runAgain = 0;

// How often the walk paints its progress and pumps messages.
struct WalkPacing {
    int32_t divisor;
    int32_t thresholdStep;
    int64_t nextThreshold;
    int64_t lastStep;
};

// What the walk must find unchanged after every pump.
struct WalkGuard {
    uint32_t generation;
    const WCHAR* buffer;
    int32_t chars;
};

void ResetForSearch()
{
    SearchCounters.processed = 0;
    SearchCounters.pageIndex = 0;
    SearchCounters.selectedHit = 1;
    SearchHitTable.count = 0;
    RankedHits[0].score = kBestScoreWalking;
    SearchStopRequest = kStopRunning;
    ClearSearchKeywords();
    for (int i = 0; i < kSearchHitSlots; i++) {
        SearchHitTable.slot[i].score = 0;
        SearchHitTable.slot[i].noteReference = kHitFree;
    }
}

WalkPacing ChoosePacing(int32_t total, const SearchSource& source)
{
    WalkPacing pacing;
    pacing.divisor = total < 500 ? 100 : total < 1000 ? 60 : total < 2500 ? 40 : total < 5000 ? 20 : 10;
    int32_t speed = source.cpuSpeedIndex();
    if (speed > 400) pacing.divisor = pacing.divisor * 2 / 3;
    pacing.thresholdStep = source.isWindowsVersion60() ? 15 : 11;
    if (speed < 300) pacing.thresholdStep += 5;
    if (speed < 250) pacing.thresholdStep += 5;
    pacing.nextThreshold = 10;
    pacing.lastStep = 0;
    return pacing;
}

// Between two notes: progress, and now and then a pump. 0 when the walk must
// end: the user asked to stop, a quit came, or the data file changed.
int PaceWalk(WalkPacing& pacing, WalkGuard& guard)
{
    const int32_t total = SearchCounters.total;
    if (total <= 0) return 1;
    const int64_t percent = (int64_t)SearchCounters.processed * 100 / total;
    const int64_t step = percent / pacing.divisor;
    const SearchPanelHooks& hooks = GetSearchPanelHooks();
    if (total > 100 && (percent > pacing.nextThreshold || percent == 100)) {
        if (hooks.paintProgress) hooks.paintProgress((int32_t)percent);
        pacing.nextThreshold = percent + pacing.thresholdStep;
        if (pacing.nextThreshold > 100) pacing.nextThreshold = 100;
    }
    if (step <= pacing.lastStep || step < 2) return 1;
    pacing.lastStep = step;
    if (hooks.invalidatePanel) hooks.invalidatePanel();
    const SearchSource& source = GetSearchSource();
    if (!source.pumpMessages()) SearchStopRequest = kStopRequested;
    int32_t chars = 0;
    const WCHAR* buffer = source.datafileBuffer(&chars);
    if (source.datafileGeneration() != guard.generation || buffer != guard.buffer || chars != guard.chars)
        SearchStopRequest = kStopRequested;
    // While the walk is held the store neither moves nor rewrites the buffer,
    // so what was looked ahead stays true.
    return SearchStopRequest == kStopRequested ? 0 : 1;
}

// The title: the characters after the note mark up to LF, CR or TAB, at most 30.
void TakeTitle(const WCHAR* from, const WCHAR* end, AIString& title)
{
    const WCHAR* p = from;
    while (p < end && p - from < kMaxTitleChars && *p != L'\n' && *p != L'\r' && *p != L'\t') p++;
    title.AssignTextN(from, (int)(p - from));
}

// How many more notes counted until PaceWalk next paints or pumps (at least
// 1): between those counts it does nothing, so notes without a hit need not
// be paced one by one.
int32_t NotesUntilPacingActs(const WalkPacing& pacing)
{
    const int64_t total = SearchCounters.total;
    if (total <= 0) return 0x7FFFFFFF;
    // The least percent at which it acts: the progress line's next threshold
    // (or 100 once the threshold is there), and the next pump's step.
    int64_t percent = 0x7FFFFFFF;
    if (total > 100) percent = pacing.nextThreshold < 100 ? pacing.nextThreshold + 1 : 100;
    int64_t step = pacing.lastStep + 1 < 2 ? 2 : pacing.lastStep + 1;
    if (step * pacing.divisor < percent) percent = step * pacing.divisor;
    // The least count whose percent (count * 100 / total) reaches it.
    int64_t count = (percent * total + 99) / 100;
    int64_t more = count - SearchCounters.processed;
    return more < 1 ? 1 : more > 0x7FFFFFFF ? 0x7FFFFFFF : (int32_t)more;
}

// Where the buffer's notes start: the source's spans when they fit the
// buffer, else found here.
class NoteMarks {
public:
    NoteMarks(const WCHAR* buffer, int32_t chars)
    {
        int32_t count = 0;
        const NoteSpan* spans = GetSearchSource().noteSpans ? GetSearchSource().noteSpans(&count) : nullptr;
        // Only marks within the text the walk reads.
        while (spans && count > 0 && spans[count - 1].mark >= chars) count--;
        if (spans && count > 0 && Fits(spans, count, buffer, chars)) {
            spans_ = spans;
            count_ = count;
            return;
        }
        const WCHAR* end = buffer + chars;
        for (const WCHAR* p = FindCharBounded(buffer, end, kNoteMark); p < end; p = FindCharBounded(p + 1, end, kNoteMark))
            own_.push_back(NoteSpan{(int32_t)(p - buffer), 0});
        spans_ = own_.data();
        count_ = (int32_t)own_.size();
    }
    int32_t Count() const { return count_; }
    int32_t At(int32_t i) const { return spans_[i].mark; }
    // The last note starting at or before offset (offset is at or after the first).
    int32_t Holding(int32_t offset, int32_t from) const
    {
        const NoteSpan* after = std::upper_bound(spans_ + from, spans_ + count_, offset,
                                                 [](int32_t at, const NoteSpan& span) { return at < span.mark; });
        return (int32_t)(after - spans_) - 1;
    }

private:
    // Ascending, inside the text, the first and last on a note mark, and
    // nothing but the header before the first.
    static bool Fits(const NoteSpan* spans, int32_t count, const WCHAR* buffer, int32_t chars)
    {
        if (spans[0].mark < 0 || buffer[spans[0].mark] != kNoteMark || buffer[spans[count - 1].mark] != kNoteMark)
            return false;
        if (FindCharBounded(buffer, buffer + spans[0].mark, kNoteMark) != buffer + spans[0].mark) return false;
        for (int32_t i = 1; i < count; i++)
            if (spans[i].mark <= spans[i - 1].mark) return false;
        return spans[count - 1].mark < chars;
    }

    const NoteSpan* spans_ = nullptr;
    int32_t count_ = 0;
    std::vector<NoteSpan> own_;
};

// Counts notes that hold no hit, pacing the walk where it would have paced
// them one by one. 0 when stopped.
int CountNotesWithoutHits(int32_t notes, WalkPacing& pacing, WalkGuard& guard)
{
    while (notes > 0) {
        int32_t untilPacing = NotesUntilPacingActs(pacing);
        int32_t counted = notes < untilPacing ? notes : untilPacing;
        SearchCounters.processed += counted;
        notes -= counted;
        if (counted == untilPacing && !PaceWalk(pacing, guard)) return 0;
    }
    return 1;
}

// Only notes that hold a hit are scored (and have their title read): the
// keywords' look-ahead tells where the next hit starts, the note marks which
// note holds it. 0 when stopped.
int WalkDatafile(WalkPacing& pacing, WalkGuard& guard)
{
    if (!guard.buffer || guard.chars <= 0) return 1;
    const WCHAR* end = guard.buffer + guard.chars;
    NoteMarks marks(guard.buffer, guard.chars);
    SetKeywordScanRange(guard.buffer, end);
    AIString title;
    const int32_t count = marks.Count();
    for (int32_t i = 0; i < count;) {
        if (SearchHitTable.count >= kSearchHitSlots) {
            SearchCounters.processed++;  // all 50 slots in use: this note ends the walk
            break;
        }
        const WCHAR* note = guard.buffer + marks.At(i);
        const WCHAR* next = i + 1 < count ? guard.buffer + marks.At(i + 1) : end;
        const WCHAR* hit = NextKeywordHit(note, SearchKeywords.count);
        if (hit >= next) {
            int32_t holding = hit >= end ? count : marks.Holding((int32_t)(hit - guard.buffer), i);
            if (!CountNotesWithoutHits(holding - i, pacing, guard)) return 0;
            i = holding;
            continue;
        }
        TakeTitle(note + 1, next, title);
        const WCHAR* cursor = note;
        int room = ScoreNoteForSearch(title, &cursor, note, next, SearchKeywords.count, kHitFromDatafile);
        SearchCounters.processed++;
        if (!room) break;
        if (!PaceWalk(pacing, guard)) return 0;
        i++;
    }
    return 1;
}

// 0 when stopped.
int WalkMirrorTexts(WalkPacing& pacing, WalkGuard& guard)
{
    const SearchSource& source = GetSearchSource();
    if (source.mirrorNoteCount() <= 0 || SearchHitTable.count >= kSearchHitSlots) return 1;
    const MirrorTextRecord* records = source.mirrorTexts();
    AIString title;
    for (int r = 0; r < kMirrorTextRecords; r++) {
        const MirrorTextRecord& record = records[r];
        if (!record.key1 || !record.key2 || !record.text) break;
        const WCHAR* text = record.text;
        const WCHAR* end = text + TextLength(text);
        TakeTitle(text < end ? text + 1 : end, end, title);
        SetKeywordScanRange(text, end);
        if (SearchHitTable.count < kSearchHitSlots) {
            const WCHAR* cursor = text;
            ScoreNoteForSearch(title, &cursor, text, end, SearchKeywords.count, kHitFromMirror);
        }
        SearchCounters.processed++;
        if (!PaceWalk(pacing, guard)) return 0;
    }
    return 1;
}

void FinishRanking()
{
    const SearchPanelHooks& hooks = GetSearchPanelHooks();
    int32_t found = SearchHitTable.count;
    RankSearchHits();
    SearchCounters.processed = SearchCounters.total;
    if (found <= 0) RankedHits[0].score = 0;  // completed without results
    if (hooks.invalidatePanel) hooks.invalidatePanel();
    if (SearchHitTable.count > 0) {
        if (hooks.showPreview) hooks.showPreview();
    } else if (hooks.hidePreview) {
        hooks.hidePreview();
    }
}

int RunSearchOnce()
{
    ResetForSearch();
    AIString query;
    GetFullTextQuery(query);
    CollapseBlankPairs(query);
    SetFullTextQuery(query);
    if (!ParseSearchQuery(query, SearchKeywords)) {
        SearchStopRequest = kStopIdle;
        return 1;  // an odd number of double quotes: nothing to search yet
    }

    const SearchSource& source = GetSearchSource();
    source.reloadNotesFromMirrors();
    SearchCounters.total = source.titleCount();
    SearchCounters.processed = -source.mirrorNoteCount();
    WalkPacing pacing = ChoosePacing(SearchCounters.total, source);
    WalkGuard guard = {};
    source.beginWalk();
    guard.generation = source.datafileGeneration();
    guard.buffer = source.datafileBuffer(&guard.chars);
    int completed = WalkDatafile(pacing, guard) && WalkMirrorTexts(pacing, guard);
    SetKeywordScanRange(nullptr, nullptr);
    source.endWalk();

    if (!completed) {
        const SearchPanelHooks& hooks = GetSearchPanelHooks();
        ClearSearchHits();
        if (hooks.hidePreview) hooks.hidePreview();
        if (hooks.repaintPanel) hooks.repaintPanel();
        return 0;
    }
    FinishRanking();
    if (SearchStopRequest != kStopRequested) SearchStopRequest = kStopIdle;
    return 1;
}

}  // namespace

int RunFullTextSearch()
{
    if (g_running) {
        // A key handled inside the pump: the running search stops, this one follows.
        SearchStopRequest = kStopRequested;
        g_runAgain = 1;
        return 0;
    }
    int result;
    g_running = 1;
    do {
        g_runAgain = 0;
        result = RunSearchOnce();
    } while (g_runAgain);
    g_running = 0;
    return result;
}

int IsFullTextSearchRunning() { return g_running; }

void AgeMirrorTextRecords(MirrorTextRecord* records, int count, int32_t threshold, int32_t release)
{
    for (int i = 0; i < count; i++) {
        int32_t& age = records[i].age;
        if (age != -1 && age >= threshold && age < 0x7FFFFFFF) age++;
    }
    if (!release) return;
    for (int i = 0; i < count; i++) {
        MirrorTextRecord& record = records[i];
        if (!record.text || record.age == -1) continue;
        record.key1 = 0;
        record.key2 = 0;
        record.age = -1;
    }
}

void AgeCacheEntries(int32_t release)
{
    SearchResultsStale = 1;
    const SearchSource& source = GetSearchSource();
    AgeMirrorTextRecords(source.mirrorTexts(), kMirrorTextRecords, source.mirrorAgeThreshold(), release);
}
