// The formatting, navigation and completion rules as pure text work.
#include "tests/support/gtest.h"
#include "editor/format/list_rules.h"
#include "editor/format/markup_toggle.h"
#include "editor/links/completion_rules.h"
#include "foundation/ai_string.h"
#include <string>

namespace {

// The text after a strike toggle at [s, e), with "|" around the new selection
// ("|" once for a caret); "-" when nothing is struck.
// Toggling an effect on a selection: the text after it.
std::string Toggle(const WCHAR* text, int32_t s, int32_t e, MarkupEffect effect)
{
    AIString t(text);
    MarkupEdit edit;
    if (!ToggleMarkup(t.GetText(), t.GetLength(), s, e, effect, &edit)) return "-";
    t.DeleteRange(edit.start, edit.end - edit.start);
    t.InsertText(edit.start, edit.text.GetText());
    return Utf8(t);
}

std::string Strike(const WCHAR* text, int32_t s, int32_t e)
{
    AIString t(text);
    MarkupEdit edit;
    if (!ToggleStrikeLines(t.GetText(), t.GetLength(), s, e, &edit)) return "-";
    AIString out;
    out.AssignTextN(t.GetText(), edit.start).AppendString(edit.text).AppendText(t.GetText() + edit.end);
    AIString marked;
    marked.AssignTextN(out.GetText(), edit.selStart).AppendChar(L'|');
    if (edit.selEnd != edit.selStart)
        marked.AppendTextN(out.GetText() + edit.selStart, edit.selEnd - edit.selStart).AppendChar(L'|');
    marked.AppendText(out.GetText() + edit.selEnd);
    return Utf8(marked);
}

// Strikes twice; the text must come back.
std::string StrikeTwice(const WCHAR* text, int32_t s, int32_t e)
{
    AIString t(text);
    MarkupEdit first, second;
    if (!ToggleStrikeLines(t.GetText(), t.GetLength(), s, e, &first)) return "-";
    AIString once;
    once.AssignTextN(t.GetText(), first.start).AppendString(first.text).AppendText(t.GetText() + first.end);
    if (!ToggleStrikeLines(once.GetText(), once.GetLength(), first.selStart, first.selEnd, &second))
        return "-";
    AIString twice;
    twice.AssignTextN(once.GetText(), second.start)
        .AppendString(second.text)
        .AppendText(once.GetText() + second.end);
    return Utf8(twice);
}

}  // namespace

TEST(StrikeLines, ALineLeavesItsTabsListMarkerAndBlanksOut)
{
    EXPECT_EQ("\t--buy| milk-- ", Strike(L"\tbuy milk ", 4, 4));
    EXPECT_EQ("a\r- --eggs|--\rb", Strike(L"a\r- eggs\rb", 8, 8));
    // A struck line is freed again, from anywhere in it.
    EXPECT_EQ("\tbuy| milk ", Strike(L"\t--buy milk-- ", 6, 6));
    EXPECT_EQ("-", Strike(L"a\r\t \rb", 3, 3));
    // The whole line selected: TABs and blanks at its ends stay outside the markers.
    EXPECT_EQ("|\t--buy milk-- |", Strike(L"\tbuy milk ", 0, 10));
}

TEST(StrikeLines, ASelectionOverLineBreaksStrikesEachLineAndComesBack)
{
    // A part that begins inside a word takes the whole word.
    EXPECT_EQ("|--xone--\r--two--|\ry", Strike(L"xone\rtwo\ry", 1, 8));
    EXPECT_EQ("xone\rtwo\ry", StrikeTwice(L"xone\rtwo\ry", 1, 8));
    // A line already struck is left as it is while the others get struck.
    EXPECT_EQ("|--a--\r--b--|", Strike(L"--a--\rb", 0, 7));
    EXPECT_EQ("a\rb", StrikeTwice(L"a\rb", 0, 3));
    EXPECT_EQ("- milk\r- eggs", StrikeTwice(L"- milk\r- eggs", 0, 13));
}

TEST(MarkupEffects, TheEffectEndsAtTheCaretAndTagsAreSeen)
{
    // At the run's inner edges the caret steps out past the marker; inside
    // the word it stays where the user types.
    EXPECT_EQ(10, CaretOutOfEffect(L"x **bold** y", 12, 8, kMarkupBold));
    EXPECT_EQ(2, CaretOutOfEffect(L"x **bold** y", 12, 4, kMarkupBold));
    EXPECT_EQ(-1, CaretOutOfEffect(L"x **bold** y", 12, 6, kMarkupBold));
    EXPECT_EQ(-1, CaretOutOfEffect(L"x **bold** y", 12, 11, kMarkupBold));
    EXPECT_EQ(-1, CaretOutOfEffect(L"x **bold** y", 12, 8, kMarkupItalic));
    // A one-letter run selected whole, or its letter, loses its markers.
    EXPECT_EQ("x a y", Toggle(L"x **a** y", 2, 7, kMarkupBold));
    EXPECT_EQ("x a y", Toggle(L"x **a** y", 4, 5, kMarkupBold));
    EXPECT_EQ("x **a** y", Toggle(L"x a y", 2, 3, kMarkupBold));
    EXPECT_TRUE(RangeHoldsTag(L"buy @home milk", 14, 0, 14));
    EXPECT_TRUE(RangeHoldsTag(L"buy @home milk", 14, 6, 7));
    EXPECT_FALSE(RangeHoldsTag(L"buy @home milk", 14, 10, 14));
    EXPECT_FALSE(RangeHoldsTag(L"mail a@b.org", 12, 0, 12));
}

TEST(Headings, NextHeadingLineOfAnyOrTheSameLevel)
{
    const WCHAR* text = L"# One\rbody\r## Two\rmore\r# Three";
    int32_t len = lstrlenW(text);
    EXPECT_EQ(1, HeadingLevelAt(text, len, 0));
    EXPECT_EQ(2, HeadingLevelAt(text, len, 11));
    EXPECT_EQ(0, HeadingLevelAt(text, len, 6));
    EXPECT_EQ(11, FindHeadingLine(text, len, 6, len, 0));
    EXPECT_EQ(23, FindHeadingLine(text, len, 6, len, 1));
    EXPECT_EQ(-1, FindHeadingLine(text, len, 12, len, 2));
    EXPECT_EQ(-1, FindHeadingLine(L"no\rheadings", 11, 0, 11, 0));
}

TEST(Completion, WordsCharactersAndFilters)
{
    EXPECT_EQ(4, AutoLinkWordStart(L"see shop", 8));
    EXPECT_EQ(8, AutoLinkWordStart(L"see shop", 8 - 0) + 4);
    EXPECT_EQ(5, AutoLinkWordStart(L"list(shop", 9));
    EXPECT_EQ(8, AutoLinkWordStart(L"see shop ", 9) - 1);
    EXPECT_TRUE(OpensTagList(L"a b", 2));
    EXPECT_TRUE(OpensTagList(L"a\r", 2));
    EXPECT_TRUE(OpensTagList(L"", 0));
    EXPECT_FALSE(OpensTagList(L"ab", 2));
    EXPECT_TRUE(IsAutoLinkChar(L'_'));
    EXPECT_TRUE(IsAutoLinkChar(0x00E9));
    EXPECT_FALSE(IsAutoLinkChar(L'!'));
    EXPECT_FALSE(IsAutoLinkChar(L'-'));
    EXPECT_FALSE(IsTagChar(L' '));
    // The key codes of Left and Right are the characters "%" and "'".
    EXPECT_FALSE(IsAutoLinkChar(L'%'));
    AIString out;
    EXPECT_EQ(2, FilterJoinedItems(L"Shop list\nShopping\nToday", L"shop", 100, out));
    EXPECT_EQ("Shop list\nShopping", Utf8(out));
    EXPECT_EQ(1, FilterJoinedItems(L"Shop list\nShopping\nToday", L"shop l", 100, out));
    EXPECT_EQ(1, FilterJoinedItems(L"Shop list\nShopping\nToday", L"shop_", 100, out));
    EXPECT_EQ(3, FilterJoinedItems(L"Shop list\nShopping\nToday", L"", 100, out));
    EXPECT_EQ(2, FilterJoinedItems(L"Shop list\nShopping\nToday", L"", 2, out));
    JoinedItemAt(L"a\nbb\nccc", 2, out);
    EXPECT_EQ("ccc", Utf8(out));
    JoinedItemAt(L"a\nbb", 5, out);
    EXPECT_EQ("", Utf8(out));
}

TEST(Completion, ThePlaceOfTheListAndItsItemHeight)
{
    // A ratio of 0/0 is read as 100/100.
    EXPECT_EQ(11, PopupItemHeight(11, 0, 0));
    EXPECT_EQ(22, PopupItemHeight(11, 200, 100));
    // Below the caret, 20 items wide within 150..300, few items: rows plus one.
    PopupPlace p = PlacePopupList(40, 20, 600, 400, 11, 11, 2, 1);
    EXPECT_EQ(40, p.left);
    EXPECT_EQ(220, p.width);
    EXPECT_EQ(3 * 16, p.height);
    EXPECT_EQ(11 / 2 + 11 + 20 + 2 + 1, p.top);
    // Near the right edge it goes left of the caret; near the bottom above it.
    p = PlacePopupList(500, 370, 600, 400, 11, 11, 20, 1);
    EXPECT_EQ(280, p.left);
    EXPECT_EQ(150, p.height);
    EXPECT_LT(p.top + p.height, 370 + 11);
    EXPECT_GE(p.top, 0);
}
