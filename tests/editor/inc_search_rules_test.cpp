// The rules of incremental search that need no window.
#include "tests/support/gtest.h"
#include "editor/find/inc_search_rules.h"
#include <string>
#include <vector>

namespace {

std::vector<int32_t> Matches(const WCHAR* text, const WCHAR* pattern, int caseSensitive, int32_t max = 100)
{
    int32_t positions[200];
    int32_t n = FindTextMatches(text, TextLength(text), pattern, TextLength(pattern), caseSensitive, positions, max);
    return std::vector<int32_t>(positions, positions + n);
}

}  // namespace

TEST(IncSearchRules, MatchesIgnoreCaseOverlapAndStopAtTheCap)
{
    EXPECT_EQ(std::vector<int32_t>({0, 6}), Matches(L"Alpha alpha", L"alpha", 0));
    EXPECT_EQ(std::vector<int32_t>({6}), Matches(L"Alpha alpha", L"alpha", 1));
    EXPECT_EQ(std::vector<int32_t>({0, 1, 2}), Matches(L"aaaa", L"aa", 0));
    EXPECT_EQ(std::vector<int32_t>({0, 1}), Matches(L"aaaa", L"aa", 0, 2));
    // A match must end inside the text; an empty pattern finds nothing.
    EXPECT_TRUE(Matches(L"abc", L"cd", 0).empty());
    EXPECT_TRUE(Matches(L"abc", L"", 0).empty());
    // Letters beyond ASCII fold too.
    EXPECT_EQ(std::vector<int32_t>({0, 1}), Matches(L"\x00C4\x00E4", L"\x00E4", 0));
}

TEST(IncSearchRules, StepsStayAtTheEndsUnlessTheyWrap)
{
    int32_t step = 1;
    EXPECT_EQ(2, ChooseMatchIndex(3, 1, &step, 0));
    step = 1;
    EXPECT_EQ(2, ChooseMatchIndex(3, 2, &step, 0));
    EXPECT_EQ(0, step);
    step = 1;
    EXPECT_EQ(0, ChooseMatchIndex(3, 2, &step, 1));
    step = -1;
    EXPECT_EQ(2, ChooseMatchIndex(3, 0, &step, 1));
    step = -1;
    EXPECT_EQ(0, ChooseMatchIndex(3, 0, &step, 0));
    step = kIncStepLast;
    EXPECT_EQ(4, ChooseMatchIndex(5, 1, &step, 0));
    step = kIncStepFirst;
    EXPECT_EQ(0, ChooseMatchIndex(5, 3, &step, 0));
    // No match at or after the anchor: the search starts past the end.
    step = 0;
    EXPECT_EQ(2, ChooseMatchIndex(3, 3, &step, 0));
    step = 0;
    EXPECT_EQ(0, ChooseMatchIndex(3, 3, &step, 1));
    int32_t positions[] = {4, 9, 20};
    EXPECT_EQ(1, FirstMatchAtOrAfter(positions, 3, 5));
    EXPECT_EQ(3, FirstMatchAtOrAfter(positions, 3, 21));
}

TEST(IncSearchRules, StatusTextsFollowTheCountAndEscapeTheSearchedText)
{
    AIString out;
    IncSearchReport report = {L"ab", 0, 1, 0, 0, 1};
    EXPECT_EQ(kStatusDone, ComposeIncSearchStatus(report, out));
    EXPECT_EQ("<vlblue>Incremental search:</vlblue> Minimum 2 characters", Utf8(out));
    report = {L"a<b>", 0, 1, 0, 0, 0};
    EXPECT_EQ(kStatusWarning, ComposeIncSearchStatus(report, out));
    EXPECT_EQ("Found no matches for 'a&lt;b&gt;'", Utf8(out));
    report = {L"ab", 100, 1, 0, 0, 0};
    EXPECT_EQ(kStatusWarning, ComposeIncSearchStatus(report, out));
    EXPECT_EQ("More than 100 matches for 'ab'", Utf8(out));
    report = {L"ab", 1, 1, 1, 0, 0};
    ComposeIncSearchStatus(report, out);
    EXPECT_EQ("Found <lgreen>1</lgreen> match for '<vlblue>ab</vlblue>'  (Case-sensitivity <lgreen>ON</lgreen>)",
              Utf8(out));
    report = {L"ab", 7, 3, 0, 1, 0};
    ComposeIncSearchStatus(report, out);
    EXPECT_EQ("Found <lgreen>7</lgreen> matches for '<vlblue>ab</vlblue>'  (3.match selected)    -   use "
              "<lred>Shift+F3 / F3</lred> to go to previous/next match",
              Utf8(out));
    AIString clean;
    CleanIncSearchText(L"a\r\nb\tc", 6, clean);
    EXPECT_EQ("abc", Utf8(clean));
}

namespace {

// The note's colours after the steps, one character a cell: '.' none, 'm' match, 'r' replaced.
std::string Paint(std::string cells, const IncColourStep* steps, int32_t n)
{
    for (int32_t i = 0; i < n; i++)
        for (int32_t at = steps[i].start; at < steps[i].end; at++) cells[at] = steps[i].colour ? 'm' : '.';
    return cells;
}

std::string Cells(int32_t size, const IncColouredRange* ranges, int32_t count)
{
    std::string cells(size, '.');
    for (int32_t i = 0; i < count; i++)
        for (int32_t at = ranges[i].start; at < ranges[i].end; at++) cells[at] = ranges[i].isMatch ? 'm' : 'r';
    return cells;
}

}  // namespace

TEST(IncSearchRules, ColourPlanEndsWithExactlyTheMatchesAndKeepsWhatStays)
{
    IncColourStep steps[kIncColourStepsMax];
    // "ha" at 0, 10, 20 becomes "har" at 0 and 20: two tails coloured, one match cleared.
    const IncColouredRange ha[] = {{0, 2, 1}, {10, 12, 1}, {20, 22, 1}};
    const int32_t har[] = {0, 20};
    int32_t n = PlanMatchColours(ha, 3, har, 2, 3, steps);
    EXPECT_EQ("mmm.................mmm.....", Paint(Cells(28, ha, 3), steps, n));
    EXPECT_EQ(3, n);
    // Backspace: "har" back to "ha" clears the tails and colours the new match.
    const IncColouredRange har3[] = {{0, 3, 1}, {20, 23, 1}};
    const int32_t ha2[] = {0, 10, 20};
    n = PlanMatchColours(har3, 2, ha2, 3, 2, steps);
    EXPECT_EQ("mm........mm........mm......", Paint(Cells(28, har3, 2), steps, n));
    // Overlapping matches: a clear that runs into a kept match colours it whole again.
    const IncColouredRange aaa[] = {{0, 3, 1}, {1, 4, 1}};
    const int32_t aa[] = {1};
    n = PlanMatchColours(aaa, 2, aa, 1, 2, steps);
    EXPECT_EQ(".mm...", Paint(Cells(6, aaa, 2), steps, n));
    // A replaced text's colour never counts as a match's: cleared, then coloured anew.
    const IncColouredRange replaced[] = {{4, 7, 0}};
    const int32_t at4[] = {4};
    n = PlanMatchColours(replaced, 1, at4, 1, 3, steps);
    EXPECT_EQ("....mmm.", Paint(Cells(8, replaced, 1), steps, n));
    for (int32_t i = 0; i < n - 1; i++) EXPECT_LE(steps[i].colour, steps[i + 1].colour) << "clears come first";
    // Nothing left: every old range cleared; nothing before: every match coloured.
    n = PlanMatchColours(ha, 3, nullptr, 0, 2, steps);
    EXPECT_EQ(std::string(28, '.'), Paint(Cells(28, ha, 3), steps, n));
    n = PlanMatchColours(nullptr, 0, ha2, 3, 2, steps);
    EXPECT_EQ(3, n);
}
