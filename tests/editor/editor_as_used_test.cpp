// The editor as a user meets it, through whole key presses and mouse moves:
// what the editor shows is what is stored, the caret line's highlight, the
// pointer after typing, the status line and the editing controls' states.
#include "tests/editor/editor_fixture.h"
#include "editor/keys/editor_mouse.h"
#include "shell/editor_ribbon.h"
#include "shell/frame_ribbon.h"

namespace {

// "Plans" holds a web link "[site]" (characters 12 to 18).
const WCHAR kLinkNotes[] = L"\x00A4"
                           L"Books_to_read\r\nA list.\r\n{{\r\n}}\r\n"
                           L"\x00A4"
                           L"Plans\r\n# Plans\r\nsee [site] here\r\n{{\r\n[site:http://example.org/]\r\n}}\r\n";
const int kSiteStart = 12, kSiteEnd = 18;
const WCHAR kLinkHint[] =
    L"(<lred>Enter</lred> to activate, <lred>Backspace</lred> to delete, any other key to edit link)";

class EditorAsUsed : public EditorKeys {
protected:
    void OpenLinkNotes() { ASSERT_NO_FATAL_FAILURE(OpenNotes(0, kLinkNotes, L"Plans")); }
    std::string Status() { return Utf8(AIString(GetStatusText())); }
    std::string EditorSlot() { return Utf8(AIString(GetEditorStatusText())); }
    // The middle of a character of the editor, in its client area.
    POINT PointOfChar(int32_t at)
    {
        POINTL p = {0, 0};
        SendMessageW(editor, EM_POSFROMCHAR, (WPARAM)&p, at);
        POINT point = {p.x + 2, p.y + 6};
        return point;
    }
    int32_t HoveredMark()
    {
        int32_t start, end, mark;
        GetHoveredLink(&start, &end, &mark);
        return mark;
    }
    // A control of the ribbon as the user finds it.
    static int RibbonEnabled(EditorRibbonControl control)
    {
        AIControl* found = g_ribbon.FindControl((int)RibbonCommandOf(control));
        return found && found->IsEnabled();
    }
    static int PointerShown()
    {
        CURSORINFO info = {sizeof info};
        return GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING);
    }
    void ShowNote(const WCHAR* title) { ASSERT_EQ(ReadAndShowNote(FindNoteByTitle(title, 0, 0), kShowAndRecord), 1); }
    // The data file as written now (the shown note stored first, as showing
    // another note or closing the program stores it).
    std::string StoredFile()
    {
        SaveCurrentNote(kSaveAskOnFailure);
        SaveDatafileIfOpen();
        std::string bytes = ReadBytes(path.GetText());
        if (bytes.size() < 2) return std::string();
        AIString text;
        text.AssignTextN((const WCHAR*)(bytes.data() + 2), (int32_t)((bytes.size() - 2) / 2));
        return Utf8(text);
    }
};

}  // namespace

// ---- What the editor shows is what is stored ----

TEST_F(EditorAsUsed, AnUndoOrRedoAfterASaveIsStoredLikeTyping)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    Caret(End());
    Type(L"\nnew line");
    CtrlChord('S');
    EXPECT_NE(StoredFile().find("new line"), std::string::npos);
    CtrlChord('Z');
    std::string shown = Text();
    ASSERT_EQ(shown.find("new line"), std::string::npos);
    ASSERT_NO_FATAL_FAILURE(ShowNote(L"Books_to_read"));
    EXPECT_EQ(StoredFile().find("new line"), std::string::npos) << "the undone line stayed in the data file";
    ASSERT_NO_FATAL_FAILURE(ShowNote(L"Plans"));
    EXPECT_EQ(shown, Text());
    // A redo after a save is stored as well.
    Caret(End());
    Type(L"\nsecond");
    CtrlChord('S');
    CtrlChord('Z');
    CtrlChord('S');
    CtrlChord('Y');
    shown = Text();
    ASSERT_NE(shown.find("second"), std::string::npos);
    ASSERT_NO_FATAL_FAILURE(ShowNote(L"Books_to_read"));
    EXPECT_NE(StoredFile().find("second"), std::string::npos) << "the redone line never reached the data file";
}

// Two replacements saved, then both undone: the file holds the original.
TEST_F(EditorAsUsed, ReplacementsUndoneAfterASaveLeaveTheOriginalStored)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    std::string original = Text();
    ASSERT_TRUE(ReplaceNoteText(8, 13, L"last", -1, -1));
    ASSERT_TRUE(ReplaceNoteText(13, 17, L"row", -1, -1));
    ASSERT_EQ("# Plans\rlast row", Text());
    CtrlChord('S');
    CtrlChord('Z');
    CtrlChord('Z');
    ASSERT_EQ(original, Text());
    ASSERT_NO_FATAL_FAILURE(ShowNote(L"Books_to_read"));
    std::string stored = StoredFile();
    EXPECT_NE(stored.find("first line"), std::string::npos) << stored;
    EXPECT_EQ(stored.find("last"), std::string::npos) << stored;
}

TEST_F(EditorAsUsed, TheKeyTypedRightAfterARefreshIsKept)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    Press(VK_F5);
    ASSERT_EQ(GetFocus(), g_mainPanel.editor.GetHwnd());
    editor = g_mainPanel.editor.GetHwnd();
    doc = g_mainPanel.editor.GetDocument();
    Caret(End());
    Type(L"zqafter");
    EXPECT_EQ("# Plans\rfirst linezqafter", Text());
    // Other keys without a character of their own: the date, a paragraph step.
    Press(VK_F4);
    Type(L"z");
    EXPECT_EQ('z', Text().back());
    Press(VK_DOWN, kCtrlKey);
    Type(L"y");
    EXPECT_EQ('y', Text().back());
}

// ---- The caret line's highlight ----

// Tapping Ctrl, or the editor taking the focus back, tints the caret's line
// for about a second; then no character keeps any of it.
TEST_F(EditorAsUsed, TheCaretLineHighlightGoesAfterASecondAndLeavesNoColour)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    const int32_t orange = (int32_t)RGB(255, 210, 130);
    const int32_t none = (int32_t)RGB(255, 255, 255);
    ASSERT_EQ(none, doc->GetRangeBackColour(0, End()));
    Caret(12);  // "firs|t line"
    for (int round = 0; round < 2; round++) {
        DWORD start = GetTickCount();
        if (round == 0) {
            Press(VK_CONTROL);
        } else {
            SetFocus(g_mainPanel.quickSearch.GetHwnd());
            SetFocus(editor);
        }
        EXPECT_EQ(orange, doc->GetRangeBackColour(8, 10)) << "round " << round;
        EXPECT_EQ((int32_t)RGB(100, 255, 100), doc->GetRangeBackColour(11, 13));
        EXPECT_TRUE(keys.PumpUntil([&] { return doc->GetRangeBackColour(0, End()) == none; }, 3000))
            << "the highlight stayed, round " << round;
        EXPECT_GE(GetTickCount() - start, 900u);
        EXPECT_FALSE(SendMessageW(editor, EM_GETMODIFY, 0, 0));
    }
    // Text typed at the line's end has no colour of the highlight either.
    Caret(End());
    Press(VK_CONTROL);
    Type(L"xy");
    EXPECT_EQ(none, doc->GetRangeBackColour(0, End()));
}

// ---- The pointer, line and column, and the status line as the caret moves ----

// Typing hides the pointer; moving the mouse shows it and the link under it
// is hovered at once, without a click.
TEST_F(EditorAsUsed, AfterTypingAMouseMoveShowsThePointerAndHoversTheLink)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinkNotes());
    POINT away = PointOfChar(2);
    keys.MoveMouse(editor, away.x, away.y);
    Caret(End());
    Type(L" ab");
    EXPECT_FALSE(PointerShown());
    POINT link = PointOfChar(kSiteStart + 2);
    keys.MoveMouse(editor, link.x, link.y);
    EXPECT_TRUE(PointerShown());
    EXPECT_EQ(HyperlinkMark, HoveredMark());
    EXPECT_EQ((int32_t)RGB(230, 230, 255), doc->GetRangeBackColour(kSiteStart, kSiteEnd));
    EXPECT_NE(Status().find("example.org"), std::string::npos) << Status();
    // Off the link: the tint and the description go.
    keys.MoveMouse(editor, away.x, away.y);
    EXPECT_EQ(0, HoveredMark());
    EXPECT_EQ((int32_t)RGB(255, 255, 255), doc->GetRangeBackColour(kSiteStart, kSiteEnd));
    ReleaseCapture();
}

TEST_F(EditorAsUsed, LineAndColumnFollowEnterAndTheStepsAfterIt)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    Caret(End());
    Type(L"abc");
    Press(VK_LEFT);
    Press(VK_LEFT);
    Press(VK_RETURN);
    EXPECT_NE(EditorSlot().find("Line: 3 of 3    Col: 0"), std::string::npos) << EditorSlot();
    Press(VK_RIGHT);
    EXPECT_NE(EditorSlot().find("Line: 3 of 3    Col: 1"), std::string::npos) << EditorSlot();
    Press(VK_LEFT);
    Press(VK_LEFT);
    EXPECT_NE(EditorSlot().find("Line: 2 of 3    Col: 11"), std::string::npos) << EditorSlot();
}

// A message a key raises stays after that key's release; the next key closes it.
TEST_F(EditorAsUsed, ARefusedDeleteOrBackspaceAtALinkSaysSoUntilTheNextKey)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinkNotes());
    static int s_closed;
    static void (*s_close)() = nullptr;
    s_close = g_editorShell.closeMessageBox;
    s_closed = 0;
    // Closes counted while a message is up.
    g_editorShell.closeMessageBox = [] {
        if (GetLastShellMessageId()) s_closed++;
        if (s_close) s_close();
    };
    std::string before = Text();
    Caret(kSiteEnd - 1);
    Press(VK_DELETE);
    EXPECT_EQ(kMsgSelectLinkToDelete, GetLastShellMessageId());
    EXPECT_EQ(0, s_closed) << "the message closed on the key's own release";
    Press(VK_RIGHT);
    EXPECT_EQ(1, s_closed);
    ClearLastShellMessage();
    // Backspace right after the link's last character: the same message.
    Caret(kSiteEnd);
    s_closed = 0;
    Press(VK_BACK);
    EXPECT_EQ(kMsgSelectLinkToDelete, GetLastShellMessageId());
    EXPECT_EQ(0, s_closed);
    EXPECT_EQ(before, Text());
    g_editorShell.closeMessageBox = s_close;
}

TEST_F(EditorAsUsed, CtrlBWithoutASelectionLeavesTheCaretWhereTheUserTypes)
{
    ASSERT_NO_FATAL_FAILURE(OpenNotes(0, L"\x00A4" L"Plans\r\nsee **Monday** now\r\n{{\r\n}}\r\n", L"Plans"));
    Caret(9);  // "**Mon|day**"
    CtrlChord('B');
    Type(L"x");
    EXPECT_EQ("see **Monxday** now", Text());
    // At the run's end the caret steps past its marker: typing goes on plain.
    Caret(15);
    CtrlChord('B');
    Type(L"!");
    EXPECT_EQ("see **Monxday**! now", Text());
    // A one-letter bold selected whole loses its markers.
    Select(4, 15);
    CtrlChord('B');
    EXPECT_EQ("see Monxday! now", Text());
    Select(4, 5);
    CtrlChord('B');
    Select(4, 9);
    CtrlChord('B');
    EXPECT_EQ("see Monxday! now", Text());
}

// A link's description and a deletion's notice go once the caret moves or
// the deletion is undone.
TEST_F(EditorAsUsed, LinkStatusTextsGoWhenTheCaretMovesOrTheDeleteIsUndone)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinkNotes());
    Caret(kSiteStart);
    Press(VK_DOWN, kAltKey);
    ASSERT_NE(Status().find("example.org"), std::string::npos) << Status();
    Caret(2);
    Press(VK_RIGHT);
    EXPECT_EQ(Status().find("example.org"), std::string::npos) << Status();
    // A whole link deleted, then undone.
    Caret(kSiteStart);
    Press(VK_DOWN, kAltKey);
    Press(VK_BACK);
    ASSERT_NE(Status().find("DELETED"), std::string::npos) << Status() << " / " << Text();
    CtrlChord('Z');
    EXPECT_EQ(Status().find("DELETED"), std::string::npos) << Status();
}

// ---- The editing controls and the hints on a selected hyperlink ----

TEST_F(EditorAsUsed, ASelectedHyperlinkOffersNoBoldOrItalicAndAltDownGivesItsHint)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinkNotes());
    Caret(0);
    Press(VK_DOWN, kAltKey);
    CHARRANGE s;
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&s);
    ASSERT_EQ(kSiteStart, s.cpMin);
    ASSERT_EQ(kSiteEnd, s.cpMax);
    EXPECT_NE(Status().find(Utf8(AIString(kLinkHint))), std::string::npos) << Status();
    EXPECT_NE(Status().find("Hyperlink: <vlblue>"), std::string::npos) << Status();
    EXPECT_FALSE(RibbonEnabled(kRibbonBold));
    EXPECT_FALSE(RibbonEnabled(kRibbonItalic));
    std::string before = Text();
    CtrlChord('B');
    CtrlChord('I');
    EXPECT_EQ(before, Text());
    // Plain text selected on the same line keeps them.
    Select(8, 11);
    Press(VK_SHIFT);
    EXPECT_TRUE(RibbonEnabled(kRibbonBold));
    EXPECT_TRUE(RibbonEnabled(kRibbonItalic));
}

// Only a link's target changed: the note counts as changed and the new
// target is stored.
TEST_F(EditorAsUsed, ALinkWhoseTargetAloneChangedIsStored)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinkNotes());
    Select(kSiteStart, kSiteEnd);
    s_hyperlinkAnswer = 1;  // the dialog keeps the label, gives a new target
    CtrlChord('K');
    EXPECT_EQ("# Plans\rsee [site] here", Text());
    ASSERT_NO_FATAL_FAILURE(ShowNote(L"Books_to_read"));
    std::string stored = StoredFile();
    EXPECT_NE(stored.find("[site:http://example.org/page]"), std::string::npos) << stored;
}
