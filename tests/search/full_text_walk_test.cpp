#include "tests/search/search_fixture.h"
#include "tests/search/reference_search.h"
#include "search/query_parser.h"
#include "search/note_scorer.h"
#include "search/hit_ranking.h"
#include <stdio.h>
#include <string>

namespace {

typedef SearchFixture FullTextWalk;

std::vector<WCHAR> Numbered(const char* prefix, int i, const char* body)
{
    char text[200];
    snprintf(text, sizeof text, "\xA4%s%05d\r\n%s", prefix, i, body);
    std::vector<WCHAR> out;
    for (const char* c = text; *c; c++) out.push_back((WCHAR)(unsigned char)*c);
    out.push_back(0);
    return out;
}

// n notes "<prefix>00000" ... with the same body.
void LoadNumbered(FullTextWalk& t, FakeSearchStore& store, int n, const char* body)
{
    static std::vector<std::vector<WCHAR>> texts;
    texts.clear();
    std::vector<const WCHAR*> pointers;
    for (int i = 0; i < n; i++) texts.push_back(Numbered("t", i, body));
    for (auto& text : texts) pointers.push_back(text.data());
    FillFakeStoreFromTexts(store, pointers);
    InstallFakeStore(store);
    (void)t;
}

TEST_F(FullTextWalk, OddQuotesRunNothing)
{
    Load({L"\xA4" L"a\r\nalpha"});
    ASSERT_EQ(1, Search(L"\"alpha\" \"beta"));
    EXPECT_EQ("\"", Utf8(SearchKeywords.text[0]));
    EXPECT_EQ(0, store.reloads);
    EXPECT_EQ(0, store.walksBegun);
    EXPECT_EQ(0, SearchHitTable.count);
    EXPECT_EQ(kStopIdle, SearchStopRequest);
}

TEST_F(FullTextWalk, QueryIsTidiedInTheField)
{
    Load({L"\xA4" L"a\r\nalpha"});
    ASSERT_EQ(1, Search(L"alpha    beta  "));
    AIString field;
    GetFullTextQuery(field);
    EXPECT_EQ("alpha  beta ", Utf8(field));
    EXPECT_EQ(2, SearchKeywords.count);
    EXPECT_EQ(1, SearchHitTable.count);
    EXPECT_EQ(1, store.previewsShown);
    EXPECT_EQ(store.walksBegun, store.walksEnded);
}

TEST_F(FullTextWalk, EmptyQueriesAndEmptyStoresFindNothing)
{
    Load({L"\xA4" L"a\r\nalpha"});
    for (const WCHAR* query : {L"", L"+", L"-", L"\"\"", L"+ - \"\""}) {
        ASSERT_EQ(1, Search(query));
        EXPECT_EQ(0, SearchHitTable.count);
        EXPECT_EQ(0, GetBestSearchScore());
        EXPECT_EQ(kStopIdle, SearchStopRequest);
    }
    store.previewsHidden = 0;
    store.buffer.assign(1, 0);
    store.titles.clear();
    store.values.clear();
    ASSERT_EQ(1, Search(L"alpha"));  // zero notes: nothing is divided by the total
    EXPECT_EQ(0, SearchHitTable.count);
    EXPECT_EQ(1, store.previewsHidden);
}

TEST_F(FullTextWalk, LastNoteIsBoundedByTheBufferLength)
{
    Load({L"\xA4" L"a\r\nbeta", L"\xA4" L"b\r\nxx alphabet"});
    store.reportedChars = (int32_t)store.buffer.size() - 1 - 3;  // "bet" lies past the end
    ASSERT_EQ(1, Search(L"alphabet"));
    EXPECT_EQ(0, SearchHitTable.count);
    ASSERT_EQ(1, Search(L"alpha"));
    EXPECT_EQ(1, SearchHitTable.count);
}

TEST_F(FullTextWalk, FiftySlotsEndTheWalk)
{
    std::vector<std::vector<WCHAR>> texts;
    for (int i = 0; i < 60; i++) texts.push_back(Numbered("n", i, "alpha"));
    std::vector<const WCHAR*> pointers, mirrors(60, nullptr);
    for (auto& t : texts) pointers.push_back(t.data());
    static const WCHAR mirror[] = L"\xA4" L"n00059\r\nalpha alpha alpha";
    mirrors[59] = mirror;
    Load(pointers, mirrors);
    std::vector<WCHAR> before = store.buffer;
    ASSERT_EQ(1, Search(L"alpha"));
    EXPECT_EQ(50, SearchHitTable.count);
    for (int p = 0; p < 50; p++) EXPECT_EQ(kHitFromDatafile, SearchHitTable.slot[RankedHits[p].slot].noteReference);
    EXPECT_EQ(0, ScoreOf(L"n00059"));  // its mirror text is not reached
    EXPECT_EQ(60, SearchCounters.processed);
    EXPECT_TRUE(before == store.buffer);
}

void StopAtFirstPump(FakeSearchStore&) { SearchStopRequest = kStopRequested; }

TEST_F(FullTextWalk, StopRequestEndsTheSearchWithTablesCleared)
{
    LoadNumbered(*this, store, 6000, "alpha beta");
    std::vector<WCHAR> before = store.buffer;
    store.onPump = StopAtFirstPump;
    ASSERT_EQ(0, Search(L"gamma"));
    EXPECT_EQ(1, store.pumps);
    EXPECT_EQ(0, SearchHitTable.count);
    EXPECT_EQ(kBestScoreRanking, GetBestSearchScore());
    EXPECT_EQ(kStopRequested, SearchStopRequest);
    EXPECT_EQ(1, store.previewsHidden);
    EXPECT_EQ(1, store.panelRepaints);
    EXPECT_EQ(store.walksBegun, store.walksEnded);
    EXPECT_TRUE(before == store.buffer);

    store.onPump = nullptr;
    ASSERT_EQ(1, Search(L"beta"));
    EXPECT_EQ(50, SearchHitTable.count);
    EXPECT_EQ(kStopIdle, SearchStopRequest);
    EXPECT_TRUE(before == store.buffer);
}

void StartAnotherSearch(FakeSearchStore& store)
{
    if (store.pumps != 1) return;
    SetFullTextQuery(AIString(L"gamma"));
    EXPECT_EQ(0, RunFullTextSearch());  // only asks the running one to stop
    EXPECT_EQ(kStopRequested, SearchStopRequest);
}

TEST_F(FullTextWalk, SearchStartedDuringTheWalkRunsAfterIt)
{
    std::vector<std::vector<WCHAR>> texts;
    for (int i = 0; i < 6000; i++) texts.push_back(Numbered("t", i, i == 5999 ? "gamma" : "alpha"));
    std::vector<const WCHAR*> pointers;
    for (auto& t : texts) pointers.push_back(t.data());
    Load(pointers);
    store.onPump = StartAnotherSearch;
    ASSERT_EQ(1, Search(L"delta"));
    EXPECT_EQ("gamma", Utf8(SearchKeywords.text[0]));
    ASSERT_EQ(1, SearchHitTable.count);
    EXPECT_EQ(IndexOf(L"t05999"), RankedTitles()[0]);
    EXPECT_EQ(2, store.walksBegun);
    EXPECT_EQ(2, store.walksEnded);
    EXPECT_FALSE(IsFullTextSearchRunning());
}

void ReplaceDatafile(FakeSearchStore& store) { store.generation++; }

TEST_F(FullTextWalk, DatafileChangedDuringThePumpStopsTheWalk)
{
    LoadNumbered(*this, store, 6000, "alpha");
    store.onPump = ReplaceDatafile;
    ASSERT_EQ(0, Search(L"zzz"));
    EXPECT_EQ(1, store.pumps);
    EXPECT_EQ(kStopRequested, SearchStopRequest);
}

TEST_F(FullTextWalk, QuitSeenByThePumpStopsTheWalk)
{
    LoadNumbered(*this, store, 6000, "alpha");
    store.pumpAnswer = 0;
    ASSERT_EQ(0, Search(L"zzz"));
    EXPECT_EQ(1, store.pumps);
    EXPECT_EQ(store.walksBegun, store.walksEnded);
}

TEST_F(FullTextWalk, PumpsRationedByNoteCountAndSpeed)
{
    LoadNumbered(*this, store, 600, "x");
    ASSERT_EQ(1, Search(L"qqq"));
    EXPECT_EQ(0, store.pumps);  // divisor 60: the step never reaches 2

    LoadNumbered(*this, store, 5000, "x");
    ASSERT_EQ(1, Search(L"qqq"));
    EXPECT_EQ(9, store.pumps);  // divisor 10: steps 2 to 10

    store.pumps = 0;
    store.cpuSpeed = 500;  // divisor 6: steps 2 to 16
    ASSERT_EQ(1, Search(L"qqq"));
    EXPECT_EQ(15, store.pumps);
}

TEST_F(FullTextWalk, ProgressLineThresholds)
{
    LoadNumbered(*this, store, 1000, "x");
    ASSERT_EQ(1, Search(L""));
    EXPECT_EQ((std::vector<int32_t>{11, 23, 35, 47, 59, 71, 83, 95, 100}), store.progressPainted);

    store.progressPainted.clear();
    store.cpuSpeed = 240;
    ASSERT_EQ(1, Search(L""));
    EXPECT_EQ((std::vector<int32_t>{11, 33, 55, 77, 99, 100}), store.progressPainted);

    store.progressPainted.clear();
    store.cpuSpeed = 300;
    store.windows60 = 1;
    ASSERT_EQ(1, Search(L""));
    EXPECT_EQ((std::vector<int32_t>{11, 27, 43, 59, 75, 91, 100}), store.progressPainted);

    LoadNumbered(*this, store, 100, "x");
    store.progressPainted.clear();
    ASSERT_EQ(1, Search(L""));
    EXPECT_TRUE(store.progressPainted.empty());  // 100 notes or fewer: no progress line
}

TEST_F(FullTextWalk, MirrorWalkCountsUpToTheTotal)
{
    Load({L"\xA4" L"a\r\nalpha", L"\xA4" L"b\r\nbeta"}, {nullptr, L"\xA4" L"b\r\nalpha"});
    ASSERT_EQ(1, Search(L"alpha"));
    EXPECT_EQ(2, SearchCounters.total);
    EXPECT_EQ(2, SearchCounters.processed);
    EXPECT_EQ(2, SearchHitTable.count);
}

TEST_F(FullTextWalk, AgeingMirrorTexts)
{
    MirrorTextRecord records[4] = {{1, 1, nullptr, 3}, {2, 2, nullptr, 0}, {3, 3, nullptr, -1}, {0, 0, nullptr, 5}};
    static WCHAR text[] = L"\xA4x";
    records[0].text = text;
    records[2].text = text;
    AgeMirrorTextRecords(records, 4, 2, 0);
    EXPECT_EQ(4, records[0].age);
    EXPECT_EQ(0, records[1].age);   // below the threshold
    EXPECT_EQ(-1, records[2].age);  // unused
    EXPECT_EQ(6, records[3].age);
    AgeMirrorTextRecords(records, 4, 2, 1);
    EXPECT_EQ(0u, records[0].key1);
    EXPECT_EQ(-1, records[0].age);
    EXPECT_EQ(text, records[0].text);   // the text stays with the record
    EXPECT_EQ(2u, records[1].key1);     // no text: kept
    EXPECT_EQ(3u, records[2].key1);     // unused already

    Load({L"\xA4" L"a\r\nalpha"}, {L"\xA4" L"a\r\nalpha"});
    SearchResultsStale = 0;
    AgeCacheEntries(1);
    EXPECT_EQ(1, SearchResultsStale);
    EXPECT_EQ(0u, store.mirrorRecords[0].key1);
    ASSERT_EQ(1, Search(L"alpha"));
    EXPECT_EQ(0, SearchHitTable.count);  // the released mirror text ends the walk; the stale copy stays out
}

// Queries of every kind drawn from the notes themselves.
void RandomQuery(SearchRandom& random, const FakeSearchStore& store, AIString& query)
{
    query.Clear();
    int keywords = 1 + random.Below(random.Below(4) == 0 ? 11 : 4);
    for (int k = 0; k < keywords; k++) {
        int sign = random.Below(8);
        if (sign == 0) query.AppendChar(L'+');
        if (sign == 1) query.AppendChar(L'-');
        int kind = random.Below(10);
        if (kind < 5) {
            query.AppendText(GeneratedWord(random.Below(kind < 3 ? 60 : GeneratedWordCount())));
        } else if (kind < 7) {
            // A piece of a note: a phrase with blanks, quoted.
            size_t at = (size_t)random.Below((int)store.buffer.size() - 120);
            int length = 2 + random.Below(random.Below(5) == 0 ? 110 : 12);
            query.AppendChar(L'"');
            for (int i = 0; i < length; i++) {
                WCHAR c = store.buffer[at + (size_t)i];
                if (c == L'"') c = L'x';  // a note mark may stay: no hit may span two notes
                if (random.Below(3) == 0) CharUpperBuffW(&c, 1);
                query.AppendChar(c);
            }
            query.AppendChar(L'"');
        } else if (kind == 7) {
            query.AppendChar((WCHAR)(L'a' + random.Below(26)));
        } else if (kind == 8) {
            query.AppendText(kAbsentWord);
        } else {
            query.AppendText(random.Below(2) ? kRareWord : kMirrorOnlyWord);
        }
        query.AppendChar(L' ');
    }
}

TEST_F(FullTextWalk, RandomQueriesRankAsTheReference)
{
    struct FileKind { uint32_t seed; int notes; int chars; int mirrors; };
    const FileKind kinds[] = {{11, 300, 300, 60}, {12, 80, 3000, 100}, {13, 2000, 120, 20}};
    for (const FileKind& kind : kinds) {
        std::vector<GeneratedNote> notes;
        GenerateNotes(NoteGeneratorOptions{kind.seed, kind.notes, kind.chars, kind.mirrors}, notes);
        FillFakeStore(store, notes);
        InstallFakeStore(store);
        std::vector<WCHAR> before = store.buffer;
        SearchRandom random(kind.seed);
        int withHits = 0;
        for (int round = 0; round < 150; round++) {
            AIString query;
            RandomQuery(random, store, query);
            SetFullTextQuery(query);
            ASSERT_EQ(1, RunFullTextSearch());
            std::vector<ReferenceHit> expected = ReferenceFullTextSearch(store, SearchKeywords);
            std::vector<ReferenceHit> actual = CurrentRankedHits();
            ASSERT_EQ(expected.size(), actual.size()) << "query " << Utf8(query);
            for (size_t i = 0; i < expected.size(); i++)
                ASSERT_TRUE(expected[i] == actual[i]) << "query " << Utf8(query) << " hit " << i << ": "
                    << expected[i].titleIndex << "/" << expected[i].score << " vs "
                    << actual[i].titleIndex << "/" << actual[i].score;
            if (!actual.empty()) withHits++;
        }
        EXPECT_GT(withHits, 40);
        EXPECT_TRUE(before == store.buffer);
    }
}

// What the walk leaves that a user can see: the notes in the order they took
// their slots, the ranked hits, the count and the pacing.
struct WalkOutcome {
    std::vector<SearchHitSlot> slots;
    std::vector<ReferenceHit> ranked;
    int32_t processed;
    int pumps;
    std::vector<int32_t> progress;
};

bool SameSlots(const std::vector<SearchHitSlot>& a, const std::vector<SearchHitSlot>& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (a[i].titleIndex != b[i].titleIndex || a[i].noteReference != b[i].noteReference)
            return false;
    return true;
}

WalkOutcome SearchOutcome(FakeSearchStore& store, const AIString& query)
{
    store.pumps = 0;
    store.progressPainted.clear();
    SetFullTextQuery(query);
    EXPECT_EQ(1, RunFullTextSearch());
    WalkOutcome outcome;
    outcome.slots.assign(SearchHitTable.slot, SearchHitTable.slot + SearchHitTable.count);
    outcome.ranked = CurrentRankedHits();
    outcome.processed = SearchCounters.processed;
    outcome.pumps = store.pumps;
    outcome.progress = store.progressPainted;
    return outcome;
}

// The slots and ranked hits of a walk that scores every note in turn (the
// keywords as the last search left them): every note of the data file, then
// every mirror text, until the 50 slots are in use.
WalkOutcome EveryNoteScored(const FakeSearchStore& store)
{
    ClearSearchHits();
    int32_t chars = 0;
    const WCHAR* buffer = GetSearchSource().datafileBuffer(&chars);
    const WCHAR* end = buffer + chars;
    SetKeywordScanRange(buffer, end);
    AIString title;
    const WCHAR* note = buffer;
    while (note < end && *note != 0x00A4) note++;
    while (note < end) {
        const WCHAR* next = note + 1;
        while (next < end && *next != 0x00A4) next++;
        const WCHAR* t = note + 1;
        while (t < next && t - note - 1 < 30 && *t != L'\n' && *t != L'\r' && *t != L'\t') t++;
        title.AssignTextN(note + 1, (int)(t - note - 1));
        const WCHAR* cursor = note;
        if (!ScoreNoteForSearch(title, &cursor, note, next, SearchKeywords.count, kHitFromDatafile)) break;
        note = next;
    }
    SetKeywordScanRange(nullptr, nullptr);
    for (const MirrorTextRecord& record : store.mirrorRecords) {
        if (!record.key1 || !record.key2 || !record.text || SearchHitTable.count >= kSearchHitSlots) break;
        const WCHAR* text = record.text;
        const WCHAR* textEnd = text + TextLength(text);
        const WCHAR* t = text + 1;
        while (t < textEnd && t - text - 1 < 30 && *t != L'\n' && *t != L'\r' && *t != L'\t') t++;
        title.AssignTextN(text + 1, (int)(t - text - 1));
        const WCHAR* cursor = text;
        ScoreNoteForSearch(title, &cursor, text, textEnd, SearchKeywords.count, kHitFromMirror);
    }
    WalkOutcome outcome;
    outcome.slots.assign(SearchHitTable.slot, SearchHitTable.slot + SearchHitTable.count);
    RankSearchHits();
    outcome.ranked = CurrentRankedHits();
    return outcome;
}

// Only notes with a hit are scored one by one; the rest are counted and paced
// in stretches. What the user sees must be what scoring every note gives: the
// same slots in the same order, and the same progress line and pumps as a
// walk that scores nothing (pacing follows the count of notes alone). The
// store's spans, none, or spans that do not fit the buffer all walk alike.
TEST_F(FullTextWalk, NotesWithoutHitsAreSkippedWithTheSameOutcome)
{
    struct FileKind { uint32_t seed; int notes; int chars; int mirrors; bool english; };
    const FileKind kinds[] = {{21, 3000, 120, 10, false}, {22, 1500, 300, 80, true}, {23, 6000, 60, 0, true}};
    for (const FileKind& kind : kinds) {
        std::vector<GeneratedNote> notes;
        NoteGeneratorOptions options{kind.seed, kind.notes, kind.chars, kind.mirrors};
        options.english = kind.english;
        GenerateNotes(options, notes);
        FillFakeStore(store, notes);
        InstallFakeStore(store);
        store.cpuSpeed = kind.english ? 500 : 300;
        WalkOutcome nothing = SearchOutcome(store, AIString(L""));
        EXPECT_GT(nothing.pumps, 0);
        SearchRandom random(kind.seed);
        int compared = 0, walkedToTheEnd = 0;
        for (int round = 0; round < 120; round++) {
            AIString query;
            RandomQuery(random, store, query);
            if (kind.english && random.Below(3) == 0) query.AssignText(GeneratedWord(random.Below(40)));
            store.withholdSpans = false;
            WalkOutcome walked = SearchOutcome(store, query);
            WalkOutcome expected = EveryNoteScored(store);
            ASSERT_TRUE(SameSlots(expected.slots, walked.slots)) << "query " << Utf8(query);
            ASSERT_TRUE(expected.ranked == walked.ranked) << "query " << Utf8(query);
            if ((int)walked.slots.size() < kSearchHitSlots) {
                walkedToTheEnd++;
                EXPECT_EQ(nothing.processed, walked.processed) << "query " << Utf8(query);
                EXPECT_EQ(nothing.pumps, walked.pumps) << "query " << Utf8(query);
                EXPECT_EQ(nothing.progress, walked.progress) << "query " << Utf8(query);
            }
            if (round % 10 == 0) {
                // Without spans from the store, and with spans that are not the buffer's.
                store.withholdSpans = true;
                WalkOutcome own = SearchOutcome(store, query);
                store.withholdSpans = false;
                EXPECT_TRUE(SameSlots(walked.slots, own.slots) && walked.ranked == own.ranked) << "query " << Utf8(query);
                EXPECT_EQ(walked.pumps, own.pumps);
                std::vector<NoteSpan> kept = store.spans;
                for (NoteSpan& span : store.spans) span.mark += 1;
                WalkOutcome stale = SearchOutcome(store, query);
                store.spans = kept;
                EXPECT_TRUE(SameSlots(walked.slots, stale.slots) && walked.ranked == stale.ranked) << "query " << Utf8(query);
            }
            compared++;
        }
        EXPECT_EQ(120, compared);
        EXPECT_GT(walkedToTheEnd, 20);
    }
}

}  // namespace
