// The editor's pure rules: the chord table, zoom and line-spacing steps,
// selection trimming, paragraph steps, the link edge table, link
// descriptions, mark-up toggles and the status texts with the length limits.
#include "tests/support/gtest.h"
#include "editor/keys/key_map.h"
#include "editor/links/link_edges.h"
#include "editor/links/link_describe.h"
#include "editor/format/markup_toggle.h"
#include "editor/status_text.h"
#include "tests/support/test_files.h"
#include <string>

TEST(KeyMap, ChordsAndTheCtrlKeysRichEditSees)
{
    EXPECT_EQ(kChordBold, ChordOfKeyDown('B', kModCtrl));
    EXPECT_EQ(kChordNone, ChordOfKeyDown('B', kModCtrl | kModShift));
    EXPECT_EQ(kChordCopyPlain, ChordOfKeyDown('C', kModCtrl | kModShift));
    EXPECT_EQ(kChordCopyRich, ChordOfKeyDown(VK_INSERT, kModCtrl));
    EXPECT_EQ(kChordPaste, ChordOfKeyDown(VK_INSERT, kModShift));
    EXPECT_EQ(kChordBullet, ChordOfKeyDown('L', kModCtrl | kModShift));
    EXPECT_EQ(kChordQuickSearch, ChordOfKeyDown('L', kModCtrl));
    EXPECT_EQ(kChordNewNote, ChordOfKeyDown('N', kModCtrl | kModShift));
    EXPECT_EQ(kChordRefresh, ChordOfKeyDown(VK_F5, kModShift));
    EXPECT_EQ(kChordFavourite, ChordOfKeyDown('7', kModCtrl));
    EXPECT_EQ(kChordNone, ChordOfKeyDown('7', 0));
    EXPECT_EQ(7, FavouriteOfDigit('7'));
    EXPECT_EQ(-1, FavouriteOfDigit('0'));
    EXPECT_EQ(kCtrlKeyPassOn, RouteCtrlKey('Z'));
    EXPECT_EQ(kCtrlKeyPassOn, RouteCtrlKey(VK_LEFT));
    for (WPARAM key : {(WPARAM)'E', (WPARAM)'U', (WPARAM)'W', (WPARAM)'M', (WPARAM)VK_F7}) EXPECT_EQ(kCtrlKeySwallow, RouteCtrlKey(key)) << key;
    EXPECT_EQ(kCtrlKeyHandled, RouteCtrlKey('K'));
    EXPECT_EQ(kSysNavigateBack, SystemKeyOf(VK_LEFT, kModAlt));
    EXPECT_EQ(kSysNone, SystemKeyOf(VK_LEFT, kModAlt | kModCtrl));
    EXPECT_EQ(kSysLineSpacing, SystemKeyOf('5', kModAlt));
    EXPECT_EQ(kSysNone, SystemKeyOf('5', kModAlt | kModShift));
    EXPECT_EQ(kSysToggleRibbon, SystemKeyOf(VK_F10, 0));
    EXPECT_TRUE(IsDroppedSystemChar('s'));
    EXPECT_FALSE(IsDroppedSystemChar('d'));
}

TEST(KeyMap, ZoomAndLineSpacingSteps)
{
    EXPECT_EQ(500, ZoomStepped(480, 100, 1));
    EXPECT_EQ(500, ZoomStepped(500, 100, 1));
    EXPECT_EQ(50, ZoomStepped(50, 100, -1));
    EXPECT_EQ(150, ZoomStepped(0, 0, 1));
    EXPECT_EQ(100, ZoomStepped(300, 100, 0));
    // The wheel: tens between 10 and 500, a 0/0 ratio counting as 100.
    EXPECT_EQ(110, ZoomWheeled(0, 0, 1));
    EXPECT_EQ(500, ZoomWheeled(500, 100, 1));
    EXPECT_EQ(10, ZoomWheeled(10, 100, -1));
    EXPECT_EQ(10, ZoomWheeled(30, 100, -7));
    EXPECT_EQ(500, ZoomWheeled(100, 100, 2147483647));
    EXPECT_EQ(180, LineSpacingValue(10, 5));
    EXPECT_EQ(132, LineSpacingValue(11, 1));
}

TEST(KeyMap, SelectionTrimAndParagraphSteps)
{
    const WCHAR* text = L"word \rnext";
    int32_t s = 0, e = 6;
    TrimSelection(text, 10, &s, &e);
    EXPECT_EQ(0, s);
    EXPECT_EQ(4, e);
    s = 4, e = 6;  // only a blank and a line end: kept as it was
    TrimSelection(text, 10, &s, &e);
    EXPECT_EQ(4, s);
    EXPECT_EQ(6, e);
    const WCHAR* paragraphs = L"one\r\r\r\rtwo\r\rthree";
    EXPECT_EQ(7, NextParagraphStart(paragraphs, 17, 0));
    EXPECT_EQ(12, NextParagraphStart(paragraphs, 17, 7));
    EXPECT_EQ(17, NextParagraphStart(paragraphs, 17, 12));
    EXPECT_EQ(7, PreviousParagraphStart(paragraphs, 17, 12));
    EXPECT_EQ(0, PreviousParagraphStart(paragraphs, 17, 7));
}

TEST(LinkEdges, TheTableRowByRow)
{
    const int32_t H = 0x11, N = 0x51, Hd = 0xA0;
    EdgeKinds kinds = {H, N};
    // Inside a hyperlink, and Backspace after its last character.
    EXPECT_EQ(kEdgeInsideLink, ClassifyEdge(kEdgeBackspace, 0, {H, H, H}, 5, 0, 0, kinds));
    EXPECT_EQ(kEdgeInsideLink, ClassifyEdge(kEdgeBackspace, 0, {H, H, 0}, 5, 0, 0, kinds));
    // Delete at a hyperlink's first character; Delete before one acts.
    EXPECT_EQ(kEdgeInsideLink, ClassifyEdge(kEdgeDelete, 0, {H, 0, H}, 5, 0, 0, kinds));
    EXPECT_EQ(kEdgeNone, ClassifyEdge(kEdgeDelete, 0, {0, 0, H}, 5, 0, 0, kinds));
    // The blank between two hyperlinks.
    EXPECT_EQ(kEdgeJoinsLinks, ClassifyEdge(kEdgeBackspace, 0, {0, H, H}, 5, 0, 0, kinds));
    EXPECT_EQ(kEdgeJoinsLinks, ClassifyEdge(kEdgeBackspace, 0, {0, 0, H}, 1, 0, 0, kinds));
    EXPECT_EQ(kEdgePartialLink, ClassifyEdge(kEdgeBackspace, 1, {0, H, 0}, 5, 0, 0, kinds));
    EXPECT_EQ(kEdgeNoteLinkInside, ClassifyEdge(kEdgeBackspace, 0, {N, N, N}, 5, 0, 0, kinds));
    EXPECT_EQ(kEdgeNoteLinkEnd, ClassifyEdge(kEdgeBackspace, 0, {N, N, 0}, 5, 0, 0, kinds));
    EXPECT_EQ(kEdgeNoteLinkDelete, ClassifyEdge(kEdgeDelete, 0, {N, 0, N}, 5, 0, 0, kinds));
    EXPECT_EQ(kEdgeNoteLinkSelection, ClassifyEdge(kEdgeDelete, 1, {0, N, 0}, 5, 0, 0, kinds));
    EXPECT_EQ(kEdgeBeforeHeading, ClassifyEdge(kEdgeDelete, 0, {0, 0, Hd}, 5, 0, 1, kinds));
    EXPECT_EQ(kEdgeWholeLink, ClassifyEdge(kEdgeBackspace, 1, {0, 0, 0}, 5, 1, 0, kinds));
}

TEST(LinkEdges, BracketsOfALabelledLinkBelongToIt)
{
    const WCHAR* text = L"a [lab] [x";
    int32_t marks[10] = {0, 0, 0, 7, 7, 7, 0, 0, 0, 7};
    WidenHyperlinkBrackets(text, 10, marks, 7);
    EXPECT_EQ(7, marks[2]);
    EXPECT_EQ(7, marks[6]);
    EXPECT_EQ(0, marks[8]);  // no closing bracket: not a labelled link
}

TEST(LinkDescribe, RelativeTargetsOnlyForTheWholeDataFolder)
{
    AIString t(L"file:C:\\Notes\\images\\a.png");
    EXPECT_EQ(1, MakeRelativeFileTarget(t, L"C:\\Notes\\"));
    EXPECT_EQ("rel:\\images\\a.png", Utf8(t));
    AIString sibling(L"file:C:\\Notes2\\x.txt");
    EXPECT_EQ(0, MakeRelativeFileTarget(sibling, L"C:\\Notes\\"));
    EXPECT_EQ("file:C:\\Notes2\\x.txt", Utf8(sibling));
    EXPECT_TRUE(IsFileLinkDescription(L"open FILE:C:\\x"));
    EXPECT_FALSE(IsFileLinkDescription(L"Opening file:"));
}

TEST(LinkDescribe, EachKindOfTarget)
{
    AIString out;
    EXPECT_EQ(kLinkWeb, DescribeLink(L"site", L"https://example.org/a\x2026" L"b", 0, L"C:\\N\\", out));
    EXPECT_EQ("Hyperlink: example.org/a,b", Utf8(out));
    EXPECT_EQ(kLinkMail, DescribeLink(L"me", L"mailto:me@example.org", 0, L"C:\\N\\", out));
    EXPECT_EQ("Send mail to: me@example.org", Utf8(out));
    EXPECT_EQ(kLinkFile, DescribeLink(L"f", L"file:C:\\N\\run.exe", 0, L"C:\\N\\", out));
    EXPECT_EQ("Execute file:C:\\N\\run.exe", Utf8(out));
    EXPECT_EQ(kLinkNote, DescribeLink(L"alias", L"Books_to_read", 0, L"C:\\N\\", out));
    EXPECT_EQ(kLinkAutomatic, DescribeLink(L"http://www.example.org", nullptr, 0, L"C:\\N\\", out));
    EXPECT_EQ("Automatic hyperlink: www.example.org", Utf8(out));
}

TEST(MarkupToggle, WrapsUnwrapsAndRefuses)
{
    MarkupEdit edit;
    const WCHAR* text = L"one two\rthree";
    ASSERT_EQ(1, ToggleMarkup(text, 13, 4, 7, kMarkupBold, &edit));
    EXPECT_EQ(4, edit.start);
    EXPECT_EQ(7, edit.end);
    EXPECT_EQ("**two**", Utf8(edit.text));
    // The word at the caret, blanks left outside.
    ASSERT_EQ(1, ToggleMarkup(text, 13, 1, 1, kMarkupItalic, &edit));
    EXPECT_EQ("//one//", Utf8(edit.text));
    ASSERT_EQ(1, ToggleMarkup(text, 13, 3, 5, kMarkupStrike, &edit));
    EXPECT_EQ(4, edit.start);
    // Over a line break: nothing.
    EXPECT_EQ(0, ToggleMarkup(text, 13, 4, 10, kMarkupBold, &edit));
    // Inside a run: its markers go.
    const WCHAR* bold = L"a **two** b";
    ASSERT_EQ(1, ToggleMarkup(bold, 11, 4, 7, kMarkupBold, &edit));
    EXPECT_EQ(2, edit.start);
    EXPECT_EQ(9, edit.end);
    EXPECT_EQ("two", Utf8(edit.text));
    EXPECT_EQ(2, edit.selStart);
}

TEST(StatusText, PositionCountsAndLengthLimits)
{
    EXPECT_EQ(2, CountStatusWords(L"a - b", 5));
    EXPECT_EQ(3, CountStatusWords(L"\x2022 one!two?three", 15));
    EditorStatusFacts facts = {};
    facts.noteNumber = 2;
    facts.noteCount = 9;
    facts.line = 0;
    facts.lineCount = 4;
    facts.column = 3;
    facts.readOnly = 1;
    AIString out;
    ComposeEditorStatus(facts, out);
    EXPECT_EQ(" \t Note: 3 of 9    Line: 1 of 4    Col: 3  (READ-ONLY FILE)", Utf8(out));
    facts.hasSelection = 1;
    facts.words = 2;
    facts.chars = 5;
    facts.readOnly = 0;
    ComposeEditorStatus(facts, out);
    EXPECT_EQ(" \t Note: 3 of 9    <lgreen>Selection</lgreen>: (Words: 2    Chars: 5)", Utf8(out));
    EXPECT_EQ(kNoteLengthFine, ClassifyNoteLength(47000));
    EXPECT_EQ(kNoteLengthWarning, ClassifyNoteLength(47001));
    EXPECT_EQ(kNoteLengthWarning, ClassifyNoteLength(50000));
    EXPECT_EQ(kNoteLengthError, ClassifyNoteLength(50001));
    NoteLengthText(50001, out);
    EXPECT_NE(Utf8(out).find("(now 50001)"), std::string::npos);
    NoteLengthText(47000, out);
    EXPECT_TRUE(out.IsEmpty());
}
