// Lists, Enter and Tab through real keys in the program's editor: the text
// changes as the list rules say, one undo step each, and the display follows.
#include "tests/editor/editor_fixture.h"

namespace {

const WCHAR kListNotes[] = L"\x00A4"
                           L"Books_to_read\r\nA list.\r\n{{\r\n}}\r\n"
                           L"\x00A4"
                           L"Shopping\r\n# Shopping\r\n- milk\r\n\t* eggs\r\n9. nine\r\n{{\r\n}}\r\n";

class EditorLists : public EditorKeys {
protected:
    void OpenList() { ASSERT_NO_FATAL_FAILURE(OpenNotes(0, kListNotes, L"Shopping")); }
    void Enter() { Press(VK_RETURN); }
    void Tab(int shift) { Press(VK_TAB, shift ? kShiftKey : kNoModifier); }
    int CaretAt()
    {
        CHARRANGE r;
        SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&r);
        return r.cpMin;
    }
};

}  // namespace

TEST_F(EditorLists, EnterContinuesBulletsAndNumbersAndEndsOnAnEmptyItem)
{
    OpenList();
    ASSERT_EQ("# Shopping\r- milk\r\t* eggs\r9. nine", Text());
    Caret(17);  // after "milk"
    Enter();
    Type(L"tea");
    EXPECT_EQ("# Shopping\r- milk\r- tea\r\t* eggs\r9. nine", Text());
    Caret(31);  // after "eggs"
    Enter();
    EXPECT_EQ("# Shopping\r- milk\r- tea\r\t* eggs\r\t* \r9. nine", Text());
    EXPECT_EQ(35, CaretAt());
    // The empty item ends the list: its marker goes, no line is added.
    Enter();
    EXPECT_EQ("# Shopping\r- milk\r- tea\r\t* eggs\r\r9. nine", Text());
    Caret(End());
    Enter();
    Type(L"ten");
    EXPECT_EQ("# Shopping\r- milk\r- tea\r\t* eggs\r\r9. nine\r10. ten", Text());
    // One undo takes each Enter back.
    CtrlChord('Z');
    CtrlChord('Z');
    CtrlChord('Z');
    EXPECT_EQ("# Shopping\r- milk\r- tea\r\t* eggs\r\t* \r9. nine", Text());
    // The new item is body text, not the heading's size.
    EXPECT_EQ(doc->GetRangeFontSize(13, 15), doc->GetRangeFontSize(19, 21));
}

TEST_F(EditorLists, EnterInALongParagraphAndBetweenLinksAddsNoMarker)
{
    OpenList();
    Caret(End());
    Enter();
    Enter();
    // A paragraph whose 300th character back begins "- ".
    AIString typed(L"intro ");
    for (int i = 0; i < 100; i++) typed.AppendChar(L'w');
    typed.AppendText(L"- ");
    for (int i = 0; i < 298; i++) typed.AppendChar(L'z');
    Type(typed.GetText());
    std::string before = Text();
    Enter();
    EXPECT_EQ(before + "\r", Text());
    // Two links side by side stay two links on their own lines.
    Type(L"Books to read www.example.org");
    int second = End() - 15;
    Caret(second);
    Enter();
    int line = End() - 15;
    EXPECT_EQ(before + "\rBooks to read \rwww.example.org", Text());
    EXPECT_EQ(NoteLinkMark, MarkOf(line - 15, line - 2));
    EXPECT_EQ(HyperlinkMark, MarkOf(line, End()));
    EXPECT_FALSE(IsLinkMark(MarkOf(line - 2, line)));
}

TEST_F(EditorLists, EnterOverASelectionChangesNothing)
{
    OpenList();
    Select(13, 17);
    Enter();
    EXPECT_EQ("# Shopping\r- milk\r\t* eggs\r9. nine", Text());
    // A typed character still arrives (the Enter's CR was dropped once, no more).
    Caret(17);
    Type(L"s");
    EXPECT_EQ("# Shopping\r- milks\r\t* eggs\r9. nine", Text());
}

TEST_F(EditorLists, TabAndShiftTabIndentListLines)
{
    OpenList();
    Caret(13);  // after "- "
    Tab(0);
    EXPECT_EQ("# Shopping\r\t- milk\r\t* eggs\r9. nine", Text());
    EXPECT_EQ(14, CaretAt());
    Tab(1);
    EXPECT_EQ("# Shopping\r- milk\r\t* eggs\r9. nine", Text());
    EXPECT_EQ(13, CaretAt());
    // Two whole lines selected: each gets one TAB, both stay selected.
    Select(11, 25);
    Tab(0);
    EXPECT_EQ("# Shopping\r\t- milk\r\t\t* eggs\r9. nine", Text());
    CHARRANGE r;
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&r);
    EXPECT_EQ(11, r.cpMin);
    EXPECT_EQ(27, r.cpMax);
    Tab(1);
    EXPECT_EQ("# Shopping\r- milk\r\t* eggs\r9. nine", Text());
    // In plain text Tab types a TAB.
    Caret(End());
    Tab(0);
    EXPECT_EQ("# Shopping\r- milk\r\t* eggs\r9. nine\t", Text());
}

TEST_F(EditorLists, TabOverMoreThanAHundredLinesIsRefused)
{
    OpenList();
    AIString lines;
    for (int i = 0; i < 102; i++) lines.AppendText(L"x\r");
    Caret(End());
    SendMessageW(editor, EM_REPLACESEL, TRUE, (LPARAM)lines.GetText());
    std::string before = Text();
    ClearLastShellMessage();
    Select(30, End());
    Tab(0);
    EXPECT_EQ(before, Text());
    EXPECT_EQ(kMsgTabSelectionTooLong, GetLastShellMessageId());
}
