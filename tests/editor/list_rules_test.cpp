// The list rules as pure text work: Enter continues, numbers and ends items
// and keeps inline formatting whole; Tab and Shift+Tab indent list lines.
#include "tests/support/gtest.h"
#include "editor/format/list_rules.h"
#include "foundation/ai_string.h"
#include <string>

namespace {

// The text after Enter at [s, e), with "|" where the caret lands; "=" when
// Enter passes on, "!" when it does nothing.
std::string Enter(const WCHAR* text, int32_t s, int32_t e = -1)
{
    AIString t(text);
    TextEdit edit;
    EnterAction action = DecideEnter(t.GetText(), t.GetLength(), s, e < 0 ? s : e, &edit);
    if (action == kEnterPassOn) return "=";
    if (action == kEnterNothing) return "!";
    AIString out;
    out.AssignTextN(t.GetText(), edit.start).AppendString(edit.text).AppendText(t.GetText() + edit.end);
    std::string r = Utf8(out);
    // The caret in characters of the new text: count UTF-16 units to a byte offset.
    AIString head;
    head.AssignTextN(out.GetText(), edit.caret);
    r.insert(Utf8(head).size(), "|");
    return r;
}

std::string Indent(const WCHAR* text, int32_t s, int32_t e, int outdent, IndentAction* action = nullptr)
{
    AIString t(text);
    TextEdit edit;
    IndentAction a = DecideIndent(t.GetText(), t.GetLength(), s, e, outdent, &edit);
    if (action) *action = a;
    if (a != kIndentReplace) return "-";
    AIString out;
    out.AssignTextN(t.GetText(), edit.start).AppendString(edit.text).AppendText(t.GetText() + edit.end);
    std::string r = Utf8(out);
    AIString head, sel;
    head.AssignTextN(out.GetText(), edit.caret);
    r.insert(Utf8(head).size(), "|");
    if (edit.selEnd != edit.caret) {
        sel.AssignTextN(out.GetText(), edit.selEnd);
        r.insert(Utf8(sel).size() + 1, "|");
    }
    return r;
}

}  // namespace

TEST(ListRules, MarkersOfListLines)
{
    ListMarker m;
    EXPECT_TRUE(ParseListMarker(L"- milk", 6, &m));
    EXPECT_EQ(0, m.tabs);
    EXPECT_EQ(2, m.length);
    EXPECT_TRUE(ParseListMarker(L"\t\t * eggs", 9, &m));
    EXPECT_EQ(2, m.tabs);
    EXPECT_EQ(3, m.length);
    EXPECT_TRUE(ParseListMarker(L"12) x", 5, &m));
    EXPECT_EQ(12, m.number);
    EXPECT_FALSE(ParseListMarker(L"--strike--", 10, &m));
    EXPECT_FALSE(ParseListMarker(L"-x", 2, &m));
    EXPECT_FALSE(ParseListMarker(L"1.5 litres", 10, &m));
    EXPECT_FALSE(ParseListMarker(L"# Heading", 9, &m));
}

TEST(ListRules, EnterContinuesAndEndsItems)
{
    EXPECT_EQ("- milk\r- |", Enter(L"- milk", 6));
    EXPECT_EQ("\t- milk\r\t- |", Enter(L"\t- milk", 7));
    EXPECT_EQ(" * eggs\r * |", Enter(L" * eggs", 7));
    EXPECT_EQ("\xE2\x80\xA2 tea\r\xE2\x80\xA2 |", Enter(L"\x2022 tea", 5));
    // Numbering continues; the text after the caret moves to the new item.
    EXPECT_EQ("9. nine\r10. |\r1. one", Enter(L"9. nine\r1. one", 7));
    EXPECT_EQ("1) ab\r2) |cd", Enter(L"1) abcd", 5));
    // Numbers stop at four digits: past them Enter is a plain line break.
    EXPECT_EQ("9998. x\r9999. |", Enter(L"9998. x", 7));
    EXPECT_EQ("=", Enter(L"9999. x", 7));
    EXPECT_EQ("=", Enter(L"12345. x", 8));
    // An empty item ends the list: the marker goes, no new line.
    EXPECT_EQ("- milk\r|", Enter(L"- milk\r- ", 9));
    EXPECT_EQ("- milk\r|\rafter", Enter(L"- milk\r\t * \rafter", 11));
    EXPECT_EQ("a\r|", Enter(L"a\r3. ", 5));
    // Not in an item: before its marker, on a line of TABs, in plain text.
    EXPECT_EQ("=", Enter(L"- milk", 0));
    EXPECT_EQ("=", Enter(L"\t\t", 2));
    EXPECT_EQ("=", Enter(L"plain", 5));
    // Enter over selected text changes nothing.
    EXPECT_EQ("!", Enter(L"- milk", 2, 4));
}

TEST(ListRules, EnterInALongParagraphLooksAtItsRealStart)
{
    // 300 characters before the caret the paragraph reads "- ": no list item.
    AIString text(L"intro ");
    for (int i = 0; i < 100; i++) text.AppendChar(L'w');
    text.AppendText(L"- ");
    for (int i = 0; i < 298; i++) text.AppendChar(L'z');
    EXPECT_EQ("=", Enter(text.GetText(), text.GetLength()));
    // A real item as long continues.
    AIString item(L"- ");
    item.AppendString(text);
    EXPECT_NE(std::string::npos, Enter(item.GetText(), item.GetLength()).find("\r- |"));
}

TEST(ListRules, EnterKeepsInlineFormattingWhole)
{
    EXPECT_EQ("**bo**\r**|ld** x", Enter(L"**bold** x", 4));
    EXPECT_EQ("- **//ab//**\r- **//|cd//**", Enter(L"- **//abcd//**", 8));
    // At the inner edge the break goes outside the markers.
    EXPECT_EQ("**bold**\r| x", Enter(L"**bold** x", 6));
    EXPECT_EQ("x \r|**bold**", Enter(L"x **bold**", 4));
}

TEST(ListRules, TabAndShiftTabIndentListLines)
{
    EXPECT_EQ("\t- |", Indent(L"- ", 2, 2, 0));
    EXPECT_EQ("a\r\t\t * |b", Indent(L"a\r\t * b", 6, 6, 0));
    EXPECT_EQ("-", Indent(L"plain", 5, 5, 0));  // a TAB is typed
    EXPECT_EQ("- |", Indent(L"\t- ", 3, 3, 1));
    EXPECT_EQ("a\r * |b", Indent(L"a\r\t * b", 6, 6, 1));
    IndentAction action;
    EXPECT_EQ("-", Indent(L"- x", 2, 2, 1, &action));
    EXPECT_EQ(kIndentNothing, action);
    // Shift+Tab at a line start takes the TAB after it, elsewhere the one before.
    EXPECT_EQ("a\r|b", Indent(L"a\r\tb", 2, 2, 1));
    EXPECT_EQ("a|b", Indent(L"a\tb", 2, 2, 1));
    // Three lines selected: one TAB in front of each, the lines stay selected.
    EXPECT_EQ("x\r|\tone\r\ttwo\r\tthree|\ry", Indent(L"x\rone\rtwo\rthree\ry", 3, 15, 0));
    EXPECT_EQ("x\r|one\rtwo\rthree|\ry", Indent(L"x\r\tone\r\ttwo\rthree\ry", 2, 17, 1));
    // A selection inside one line that ends at its end indents that line.
    EXPECT_EQ("|\tab|\rc", Indent(L"ab\rc", 1, 2, 0));
    EXPECT_EQ("-", Indent(L"abc", 1, 2, 0, &action));
    EXPECT_EQ(kIndentPassOn, action);
    // 101 line breaks are refused.
    AIString many;
    for (int i = 0; i < 102; i++) many.AppendText(L"x\r");
    EXPECT_EQ("-", Indent(many.GetText(), 0, many.GetLength(), 0, &action));
    EXPECT_EQ(kIndentTooManyLines, action);
}
