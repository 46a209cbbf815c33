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

// Cells written as text: '.' plain, 'm' match, 'r' replaced.
std::vector<uint8_t> Cells(const std::string& text)
{
    std::vector<uint8_t> cells;
    for (char c : text) cells.push_back(c == 'm' ? kIncCellMatch : c == 'r' ? kIncCellReplaced : kIncCellPlain);
    return cells;
}

std::string Text(const std::vector<uint8_t>& cells)
{
    std::string text;
    for (uint8_t c : cells) text += c == kIncCellMatch ? 'm' : c == kIncCellReplaced ? 'r' : '.';
    return text;
}

// The shown cells after the runs planned for [from, to) are applied, and their count.
std::string Apply(std::vector<uint8_t> shown, const std::vector<uint8_t>& wanted, int32_t from, int32_t to,
                  int32_t* count)
{
    IncColourRun runs[64];
    *count = PlanColourRuns(shown.data(), wanted.data(), from, to, runs, 64);
    for (int32_t i = 0; i < *count; i++)
        for (int32_t at = runs[i].start; at < runs[i].end; at++) shown[at] = runs[i].cell;
    return Text(shown);
}

}  // namespace

TEST(IncSearchRules, MatchCellsMarkEveryMatchCutAtTheEnd)
{
    std::vector<uint8_t> cells = Cells("rrrrrrrrrr");
    // Overlapping matches and one running past the end.
    const int32_t at[] = {1, 2, 8};
    MarkMatchCells(cells.data(), 10, at, 3, 3);
    EXPECT_EQ(".mmmm...mm", Text(cells));
    MarkMatchCells(cells.data(), 10, nullptr, 0, 3);
    EXPECT_EQ("..........", Text(cells));
}

TEST(IncSearchRules, ColourRunsChangeOnlyWhatDiffersAndEndWithTheWantedCells)
{
    int32_t n = 0;
    // "ha" at 0, 10, 20 becomes "har" at 0 and 20: two tails coloured, one match cleared.
    EXPECT_EQ("mmm.................mmm.....",
              Apply(Cells("mm........mm........mm......"), Cells("mmm.................mmm....."), 0, 28, &n));
    EXPECT_EQ(3, n);
    // Backspace: the tails cleared, the match at 10 coloured again.
    EXPECT_EQ("mm........mm........mm......",
              Apply(Cells("mmm.................mmm....."), Cells("mm........mm........mm......"), 0, 28, &n));
    EXPECT_EQ(3, n);
    // A replaced text next to a match: two runs, each with its own colour.
    EXPECT_EQ("rrrmm...", Apply(Cells("........"), Cells("rrrmm..."), 0, 8, &n));
    EXPECT_EQ(2, n);
    // A replaced colour under a new match becomes the match's.
    EXPECT_EQ("....mmm.", Apply(Cells("....rrr."), Cells("....mmm."), 0, 8, &n));
    EXPECT_EQ(1, n);
    // Nothing differs: nothing to do.
    EXPECT_EQ("..mm..", Apply(Cells("..mm.."), Cells("..mm.."), 0, 6, &n));
    EXPECT_EQ(0, n);
}

TEST(IncSearchRules, ColourRunsOfAPartStayInsideItAndTheRestFollowsLater)
{
    int32_t n = 0;
    std::vector<uint8_t> shown = Cells("mm....mm....mm");
    std::vector<uint8_t> wanted = Cells("....mmmmmm....");
    // The part on screen first: runs crossing its edges are cut there, and
    // what already shows the wanted colour is left alone.
    std::string part = Apply(shown, wanted, 5, 9, &n);
    EXPECT_EQ("mm...mmmm...mm", part);
    EXPECT_EQ(2, n);
    // The rest later ends where a whole plan would have.
    std::vector<uint8_t> afterPart = Cells(part);
    EXPECT_EQ("....mmmmmm....", Apply(afterPart, wanted, 0, 14, &n));
    EXPECT_EQ(Apply(shown, wanted, 0, 14, &n), Apply(afterPart, wanted, 0, 14, &n));
    // At most max runs; the plan goes on from where it stopped.
    IncColourRun runs[2];
    std::vector<uint8_t> many = Cells("m.m.m.m.");
    std::vector<uint8_t> none = Cells("........");
    EXPECT_EQ(2, PlanColourRuns(many.data(), none.data(), 0, 8, runs, 2));
    EXPECT_EQ(2, runs[1].start);
}
