// Bold, italic and strike-through, zoom, undo and the heading jump through
// real keys in the program's editor: every format is mark-up in the text, one
// undo step, and a refused command leaves the text and the display as they were.
#include "tests/editor/editor_fixture.h"
#include "editor/format/editor_freeze.h"

namespace {

const WCHAR kFormatNotes[] = L"\x00A4"
                             L"Plans\r\n# Plans\r\nfirst line\r\n\tbuy milk \r\nsee @home now\r\n"
                             L"## Later\r\nlast\r\n{{\r\n}}\r\n";

class EditorFormat : public EditorKeys {
protected:
    void OpenFormat() { ASSERT_NO_FATAL_FAILURE(OpenNotes(0, kFormatNotes, L"Plans")); }
    std::string Status() { return Utf8(AIString(GetStatusText())); }
    int CaretAt()
    {
        CHARRANGE r;
        SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&r);
        return r.cpMin;
    }
    // Drawing is on again and the editor is shown.
    void ExpectNotFrozen()
    {
        EXPECT_EQ(0, EditorFreezeDepth());
        EXPECT_TRUE(GetWindowLongW(editor, GWL_STYLE) & WS_VISIBLE);
    }
};

const char kText[] = "# Plans\rfirst line\r\tbuy milk \rsee @home now\r## Later\rlast";

}  // namespace

TEST_F(EditorFormat, StrikeThroughALineAndASelectionOverLinesAndBackAgain)
{
    OpenFormat();
    ASSERT_EQ(kText, Text());
    // No selection: the caret's line without its TAB and trailing blank.
    Caret(22);
    CtrlChord('D');
    EXPECT_EQ("# Plans\rfirst line\r\t--buy milk-- \rsee @home now\r## Later\rlast", Text());
    EXPECT_EQ(TomTrue, doc->GetRangeStrikeThrough(22, 30));
    CtrlChord('D');
    EXPECT_EQ(kText, Text());
    // A selection over a line break: each line is struck; again takes it back.
    Select(8, 28);
    CtrlChord('D');
    EXPECT_EQ("# Plans\r--first line--\r\t--buy milk-- \rsee @home now\r## Later\rlast", Text());
    CtrlChord('D');
    EXPECT_EQ(kText, Text());
    // One undo step each.
    CtrlChord('D');
    CtrlChord('Z');
    EXPECT_EQ(kText, Text());
    ExpectNotFrozen();
}

TEST_F(EditorFormat, BoldAndItalicOnAWordTwiceGiveTheTextBack)
{
    OpenFormat();
    Select(14, 18);  // "line"
    CtrlChord('B');
    EXPECT_EQ("# Plans\rfirst **line**\r\tbuy milk \rsee @home now\r## Later\rlast", Text());
    EXPECT_EQ(TomTrue, doc->GetRangeBold(16, 20));
    CtrlChord('B');
    EXPECT_EQ(kText, Text());
    CtrlChord('I');
    CtrlChord('I');
    EXPECT_EQ(kText, Text());
    // With no selection at the end of bold text, Ctrl+B ends the bold: what follows is plain.
    Select(14, 18);
    CtrlChord('B');
    Caret(20);
    CtrlChord('B');
    Type(L"x");
    EXPECT_EQ("# Plans\rfirst **line**x\r\tbuy milk \rsee @home now\r## Later\rlast", Text());
    EXPECT_NE(TomTrue, doc->GetRangeBold(22, 23));
}

TEST_F(EditorFormat, HeadingsTagsAndLinesAreRefusedAndTheEditorStillDraws)
{
    OpenFormat();
    // Bold over a line break: the ribbon's explanation, nothing changes.
    Select(8, 28);
    CtrlChord('B');
    EXPECT_EQ(kText, Text());
    EXPECT_NE(std::string::npos, Status().find("not available here"));
    ExpectNotFrozen();
    // In a heading.
    Caret(3);
    CtrlChord('I');
    CtrlChord('D');
    EXPECT_EQ(kText, Text());
    ExpectNotFrozen();
    // A line holding a tag cannot be struck (035); a word next to it cannot be made bold.
    ClearLastShellMessage();
    Caret(32);
    CtrlChord('D');
    EXPECT_EQ(kText, Text());
    EXPECT_EQ(kMsgCannotStrikeOutLink, GetLastShellMessageId());
    ExpectNotFrozen();
    Select(33, 38);  // "@home"
    CtrlChord('B');
    EXPECT_EQ(kText, Text());
    ExpectNotFrozen();
    // After the refusals typing still works and shows.
    Caret(End());
    Type(L"!");
    EXPECT_EQ(std::string(kText) + "!", Text());
}

TEST_F(EditorFormat, ZoomStepsShowOnTheStatusLineFromANoughtRatio)
{
    OpenFormat();
    SendMessageW(editor, EM_SETZOOM, 0, 0);
    CtrlChord(VK_ADD);
    EXPECT_NE(std::string::npos, Status().find("Zoom: 150 %")) << Status();
    CtrlChord(VK_MULTIPLY);
    EXPECT_NE(std::string::npos, Status().find("Zoom: 100 %")) << Status();
    for (int i = 0; i < 3; i++) CtrlChord(VK_SUBTRACT);
    EXPECT_NE(std::string::npos, Status().find("Zoom: 50 %")) << Status();
}

TEST_F(EditorFormat, TheEditMarkerGoesBackOnlyWithTheSavedText)
{
    OpenFormat();
    g_noteStore.sync.ShareFolderPath.AssignText(L"C:\\share\\");
    // An edit made without an undo step: nothing to undo, yet the text is not the saved one.
    doc->SetUndoRecording(0);
    Caret(End());
    SendMessageW(editor, EM_REPLACESEL, FALSE, (LPARAM)L"z");
    doc->SetUndoRecording(1);
    g_noteStore.sync.editMarkerHeld = 1;
    CtrlChord('Z');
    EXPECT_FALSE(SendMessageW(editor, EM_CANUNDO, 0, 0));
    EXPECT_EQ(1, g_noteStore.sync.editMarkerHeld);
    Type(L"x");
    CtrlChord('Z');
    EXPECT_EQ(std::string(kText) + "z", Text());
    EXPECT_EQ(1, g_noteStore.sync.editMarkerHeld);
    // Back to the saved text: the marker goes.
    doc->SetUndoRecording(0);
    Select(End() - 1, End());
    SendMessageW(editor, EM_REPLACESEL, FALSE, (LPARAM)L"");
    doc->SetUndoRecording(1);
    CtrlChord('Z');
    EXPECT_EQ(kText, Text());
    EXPECT_EQ(0, g_noteStore.sync.editMarkerHeld);
    g_noteStore.sync.ShareFolderPath.Clear();
}

TEST_F(EditorFormat, CtrlGJumpsToTheNextHeadingAndSaysWhenThereIsNone)
{
    OpenFormat();
    Caret(10);
    CtrlChord('G');
    EXPECT_EQ(44, CaretAt());
    CtrlChord('G');
    EXPECT_EQ(0, CaretAt());
    EXPECT_NE(std::string::npos, Status().find("Started search from the top")) << Status();
    // Ctrl+Shift+G: the next heading of the level last met.
    CtrlChord('G', 1);
    EXPECT_EQ(0, CaretAt());
    CHARRANGE all = {0, -1};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&all);
    SendMessageW(editor, EM_REPLACESEL, TRUE, (LPARAM)L"plain\rtext");
    CtrlChord('G');
    EXPECT_NE(std::string::npos, Status().find("No headings found in the note")) << Status();
}

// Ctrl+J goes to the next line that begins as the caret's line does, else to
// the word's next place; with a selection, to the selected text's next place.
TEST_F(EditorFormat, CtrlJGoesToTheNextLineThatBeginsTheSameOrTheWord)
{
    OpenFormat();
    CHARRANGE all = {0, -1};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&all);
    SendMessageW(editor, EM_REPLACESEL, TRUE, (LPARAM)L"- milk\r- bread\r- milk and honey\rmilk");
    Caret(3);
    CtrlChord('J');
    EXPECT_EQ(15, CaretAt());
    // On "milk" of a line no other begins like: the word's next place.
    Caret(19);
    CtrlChord('J');
    EXPECT_EQ(32, CaretAt());
    // A selection keeps its length at the next place.
    CHARRANGE bread = {9, 14};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&bread);
    CtrlChord('J');
    CHARRANGE now;
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&now);
    EXPECT_EQ(9, now.cpMin) << "one place only: the selection stays";
    CHARRANGE milk = {2, 6};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&milk);
    CtrlChord('J');
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&now);
    EXPECT_EQ(17, now.cpMin);
    EXPECT_EQ(21, now.cpMax);
}
