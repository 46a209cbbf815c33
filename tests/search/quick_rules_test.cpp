// The rules of QuickSearch and of the hit list that need no window.
#include "tests/support/gtest.h"
#include <string>
#include "search/quick/quick_rules.h"

TEST(QuickRules, TypedTitlesAreLookedUpInTheStoredForm)
{
    AIString out;
    QuickLookupForm(L"Books To Read", out);
    EXPECT_EQ("books_to_read", Utf8(out));
    QuickLookupForm(L"Old plans (Deleted)", out);
    EXPECT_EQ("old_plans", Utf8(out));
    // Only a text that ends with the mark loses it, and a short text keeps all it has.
    QuickLookupForm(L"(Deleted) list", out);
    EXPECT_EQ("(deleted)_list", Utf8(out));
    QuickLookupForm(L"ab)", out);
    EXPECT_EQ("ab)", Utf8(out));
    QuickCompletionOf(L"Books_to_read", out);
    EXPECT_EQ("books to read", Utf8(out));
    EXPECT_EQ(-1, ClampNoteIndex(3, 0));
    EXPECT_EQ(4, ClampNoteIndex(9, 5));
    EXPECT_EQ(4, ClampNoteIndex(5, 5));
    EXPECT_EQ(4, ClampNoteIndex(4, 5));
    EXPECT_EQ(0, ClampNoteIndex(-1, 5));
}

TEST(QuickRules, PagingThroughTwelveHitsFiveToAPage)
{
    HitPaging p = {1, 0, 5, 12};
    PageHitsDown(p);
    EXPECT_EQ(6, p.selected);
    PageHitsDown(p);
    EXPECT_EQ(11, p.selected);
    PageHitsDown(p);
    EXPECT_EQ(12, p.selected);
    PageHitsUp(p);
    EXPECT_EQ(6, p.selected);
    EXPECT_EQ(1, p.page);
    p = {5, 0, 5, 12};
    StepHitsDown(p);
    EXPECT_EQ(6, p.selected);
    EXPECT_EQ(1, p.page);
    p = {12, 2, 5, 12};
    StepHitsDown(p);
    EXPECT_EQ(12, p.selected);
    EXPECT_EQ(2, p.page);
    p = {6, 1, 5, 12};
    StepHitsUp(p);
    EXPECT_EQ(5, p.selected);
    EXPECT_EQ(0, p.page);
    // The header names the selected hit, not the page's first row.
    AIString header;
    p = {7, 1, 5, 12};
    HitListHeader(p, header);
    EXPECT_EQ("SEARCH RESULTS (7-10 of 12)", Utf8(header));
    p = {12, 2, 5, 12};
    HitListHeader(p, header);
    EXPECT_EQ("SEARCH RESULTS (12-12 of 12)", Utf8(header));
    EXPECT_EQ(1, RowsPerPage(50, 40));
    EXPECT_EQ(10, RowsPerPage(10 * 30 + 80 + 40, 40));
}

TEST(QuickRules, RelevanceDoesNotOverflowAndTitlesAreCut)
{
    // A score near the top of 32 bits times 100 needs 64 bits.
    EXPECT_EQ(100, HitRelevance(2000000000, 1, 2000000000));
    EXPECT_EQ(50, HitRelevance(1000000000, 1, 2000000000));
    EXPECT_EQ(50, HitRelevance(12000, 2, 0));
    EXPECT_EQ(0, HitRelevance(0, 0, 0));
    EXPECT_EQ(3, RelevanceLevel(81));
    EXPECT_EQ(2, RelevanceLevel(80));
    EXPECT_EQ(1, RelevanceLevel(41));
    EXPECT_EQ(0, RelevanceLevel(40));
    AIString row;
    HitRowTitle(L"A_very_long_title_of_a_note_here", row);
    EXPECT_EQ("A very long title of a no...", Utf8(row));
    HitRowTitle(L"Short_one", row);
    EXPECT_EQ("Short one", Utf8(row));
}

TEST(QuickRules, ZoomKeysStepByTenBetweenFiftyAndFiveHundred)
{
    auto step = [](int32_t n, int32_t d, int direction) {
        QuickZoomStep(&n, &d, direction);
        return std::to_string(n) + "/" + std::to_string(d);
    };
    EXPECT_EQ("50/100", step(60, 100, -1));
    EXPECT_EQ("45/100", step(55, 100, -1));
    EXPECT_EQ("50/100", step(50, 100, -1));
    EXPECT_EQ("500/100", step(495, 100, 1));
    EXPECT_EQ("500/100", step(500, 100, 1));
    // 0/0 is 100/100 before the step; the keypad's * resets.
    EXPECT_EQ("110/100", step(0, 0, 1));
    EXPECT_EQ("90/100", step(0, 0, -1));
    EXPECT_EQ("100/100", step(230, 200, 0));
    // Another denominator stays.
    EXPECT_EQ("130/64", step(120, 64, 1));
}
