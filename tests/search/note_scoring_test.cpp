#include "tests/search/search_fixture.h"
#include "search/hit_ranking.h"
#include "search/note_scorer.h"

namespace {

typedef SearchFixture NoteScoring;

TEST_F(NoteScoring, TitleHits)
{
    Load({L"\xA4" L"alpha\r\nbody", L"\xA4" L"my_alpha_x\r\nbody", L"\xA4" L"alphabet\r\nbody",
          L"\xA4" L"zz_alphas\r\nbody"});
    ASSERT_EQ(1, Search(L"alpha"));
    ASSERT_EQ(4, SearchHitTable.count);
    EXPECT_EQ((1 + 200) * 5 + 20000, ScoreOf(L"alpha"));                 // whole word at the title's start
    EXPECT_EQ((1 + 2710) * 5 + 20000, ScoreOf(L"my_alpha_x"));           // whole word elsewhere in the title
    EXPECT_EQ((1 + 600) * 5 + 20000, ScoreOf(L"alphabet"));              // start of a longer word
    EXPECT_EQ((1 + 10 + 600) * 5 + 20000, ScoreOf(L"zz_alphas"));        // word start inside the title
}

TEST_F(NoteScoring, BodyHitsAndHeadingMultipliers)
{
    Load({L"\xA4" L"a1\r\nfoo alpha bar", L"\xA4" L"a2\r\nx\r\n# alpha\r\n", L"\xA4" L"a3\r\nx\r\n## alpha\r\n",
          L"\xA4" L"a4\r\nx\r\n### alpha\r\n", L"\xA4" L"a5\r\nx\r\n#alpha\r\n", L"\xA4" L"a6\r\nfoo alpha",
          L"\xA4" L"a7\r\nalpha alpha ", L"\xA4" L"a8\r\nxalphax"});
    ASSERT_EQ(1, Search(L"alpha"));
    EXPECT_EQ(111 * 5 + 20000, ScoreOf(L"a1"));
    EXPECT_EQ(111 * 7 * 5 + 20000, ScoreOf(L"a2"));
    EXPECT_EQ(111 * 6 * 5 + 20000, ScoreOf(L"a3"));
    EXPECT_EQ(111 * 5 * 5 + 20000, ScoreOf(L"a4"));
    EXPECT_EQ(1 * 5 + 20000, ScoreOf(L"a5"));           // no separator before the hit
    EXPECT_EQ(11 * 5 + 20000, ScoreOf(L"a6"));          // the note's end is no separator
    EXPECT_EQ((111 + 110) * 5 + 20000, ScoreOf(L"a7"));  // every hit counts, before the multiplier
    EXPECT_EQ(1 * 5 + 20000, ScoreOf(L"a8"));
}

TEST_F(NoteScoring, KeywordWeightsAndDistinctBonus)
{
    Load({L"\xA4" L"b1\r\n alpha beta ", L"\xA4" L"b2\r\n beta ", L"\xA4" L"b3\r\n alpha beta gamma "});
    ASSERT_EQ(1, Search(L"alpha beta gamma"));
    // Keyword 0 times 5, everything up to keyword 1 times 2, keyword 2 once.
    EXPECT_EQ((111 * 5 + 110) * 2 + 40000, ScoreOf(L"b1"));
    EXPECT_EQ(111 * 2 + 20000, ScoreOf(L"b2"));
    EXPECT_EQ((111 * 5 + 110) * 2 + 110 + 60000, ScoreOf(L"b3"));
    EXPECT_EQ(3, SearchHitTable.count);
}

TEST_F(NoteScoring, RequiredAndExcludedNotesGiveTheirSlotBack)
{
    Load({L"\xA4" L"c1\r\nbeta alpha", L"\xA4" L"c2\r\nalpha", L"\xA4" L"beta_c3\r\nalpha", L"\xA4" L"c4\r\nbeta"});
    ASSERT_EQ(1, Search(L"-beta alpha"));
    ASSERT_EQ(1, SearchHitTable.count);
    EXPECT_EQ(IndexOf(L"c2"), SearchHitTable.slot[0].titleIndex);  // c1 took slot 0 and gave it back
    EXPECT_EQ(kHitFree, SearchHitTable.slot[1].noteReference);

    ASSERT_EQ(1, Search(L"beta +alpha"));
    ASSERT_EQ(3, SearchHitTable.count);  // c4 has beta but no alpha
    EXPECT_EQ(0, ScoreOf(L"c4"));
    EXPECT_NE(0, ScoreOf(L"c1"));
    EXPECT_NE(0, ScoreOf(L"beta_c3"));
}

TEST_F(NoteScoring, DroppedNoteNeverComesBackThroughItsSlot)
{
    // Written naively, the dropped note's -1 stays in the slot and every later
    // note without a hit multiplies it by 5 until it overflows positive.
    std::vector<const WCHAR*> texts = {L"\xA4" L"d00\r\nbeta alpha"};
    for (int i = 0; i < 30; i++) texts.push_back(L"\xA4" L"dxx\r\nnothing here");
    texts.push_back(L"\xA4" L"d99\r\nalpha");
    Load(texts);
    ASSERT_EQ(1, Search(L"-beta alpha"));
    ASSERT_EQ(1, SearchHitTable.count);
    EXPECT_EQ(IndexOf(L"d99"), RankedTitles()[0]);
}

TEST_F(NoteScoring, ScoresSaturateAtTheLargest32BitValue)
{
    std::vector<WCHAR> text;
    for (const WCHAR* c = L"\xA4" L"e1\r\n"; *c; c++) text.push_back(*c);
    for (int i = 0; i < 40; i++)
        for (const WCHAR* c = L"# alpha\r\n"; *c; c++) text.push_back(*c);
    text.push_back(0);
    Load({text.data(), L"\xA4" L"e2\r\n alpha "});
    ASSERT_EQ(1, Search(L"alpha beta"));
    EXPECT_EQ(0x7FFFFFFF, ScoreOf(L"e1"));
    EXPECT_EQ(IndexOf(L"e1"), RankedTitles()[0]);
}

TEST_F(NoteScoring, EqualScoresKeepWalkOrder)
{
    Load({L"\xA4" L"n3\r\n alpha ", L"\xA4" L"n1\r\n alpha ", L"\xA4" L"n5\r\n alpha alpha ",
          L"\xA4" L"n2\r\n alpha "});
    ASSERT_EQ(1, Search(L"alpha"));
    std::vector<int32_t> expected = {IndexOf(L"n5"), IndexOf(L"n3"), IndexOf(L"n1"), IndexOf(L"n2")};
    EXPECT_EQ(expected, RankedTitles());
}

TEST_F(NoteScoring, MirrorTextReplacesItsDatafileCopy)
{
    Load({L"\xA4" L"m1\r\nold words", L"\xA4" L"m2\r\nold words"},
         {L"\xA4" L"m1\r\nnew words", nullptr});
    ASSERT_EQ(1, Search(L"old"));
    ASSERT_EQ(1, SearchHitTable.count);  // m1's data-file copy is stale
    EXPECT_EQ(IndexOf(L"m2"), RankedTitles()[0]);
    ASSERT_EQ(1, Search(L"words"));
    ASSERT_EQ(2, SearchHitTable.count);
    EXPECT_EQ(IndexOf(L"m2"), RankedTitles()[0]);  // equal scores: data file first
    EXPECT_EQ(kHitFromMirror, SearchHitTable.slot[RankedHits[1].slot].noteReference);
    ASSERT_EQ(1, Search(L"new"));
    ASSERT_EQ(1, SearchHitTable.count);
    EXPECT_EQ(IndexOf(L"m1"), RankedTitles()[0]);
    EXPECT_GE(store.reloads, 3);
}

TEST_F(NoteScoring, NotesOutsideTheIndexAreNeverListed)
{
    Load({L"\xA4" L"f1\r\nalpha", L"\xA4" L"f2\r\nalpha"}, {nullptr, L"\xA4" L"f2\r\nalpha"});
    // A mirror text whose title the index does not know.
    static WCHAR stray[] = L"\xA4" L"ghost\r\nalpha";
    store.mirrorRecords[1] = MirrorTextRecord{9, 9, stray, 0};
    store.mirrorNoteCount = 2;
    ASSERT_EQ(1, Search(L"alpha"));
    std::vector<int32_t> expected = {IndexOf(L"f1"), IndexOf(L"f2")};
    EXPECT_EQ(expected, RankedTitles());
}

TEST_F(NoteScoring, RankingKeepsOneCopyPerNote)
{
    // Two slots for the same note: the mirror one wins, the other gets -999.
    ClearSearchHits();
    SearchHitTable.slot[0] = SearchHitSlot{4, 0, 500, kHitFromDatafile};
    SearchHitTable.slot[1] = SearchHitSlot{7, 0, 300, kHitFromDatafile};
    SearchHitTable.slot[2] = SearchHitSlot{4, 0, 100, kHitFromMirror};
    SearchHitTable.count = 3;
    ASSERT_EQ(2, RankSearchHits());
    EXPECT_EQ(1, RankedHits[0].slot);
    EXPECT_EQ(300, RankedHits[0].score);
    EXPECT_EQ(2, RankedHits[1].slot);
    EXPECT_EQ(100, RankedHits[1].score);
    EXPECT_EQ(1, SearchCounters.reloadPreview);
}

TEST_F(NoteScoring, ScoringOneNoteDirectly)
{
    Load({L"\xA4" L"g1\r\nx"});
    ClearSearchHits();
    ClearSearchKeywords();
    SetSearchKeyword(0, L"Alpha", kKeywordPlain);
    SearchKeywords.count = 1;
    WCHAR text[] = L"\xA4" L"g1\r\n ALPHA alpha";
    const WCHAR* end = text + TextLength(text);
    const WCHAR* cursor = text;
    ASSERT_EQ(1, ScoreNoteForSearch(AIString(L"g1"), &cursor, text, end, 1, kHitFromDatafile));
    EXPECT_EQ(text, cursor);
    EXPECT_EQ(1, SearchHitTable.count);
    EXPECT_EQ((111 + 10) * 5 + 20000, SearchHitTable.slot[0].score);
    SearchHitTable.count = kSearchHitSlots;
    EXPECT_EQ(0, ScoreNoteForSearch(AIString(L"g1"), &cursor, text, end, 1, kHitFromDatafile));
}

}  // namespace
