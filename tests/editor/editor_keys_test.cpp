// The note editor driven by whole key presses into the program's own editor:
// the keys reach NoteEditorProc as the message loop delivers them (key-down,
// character, key-up), with the key state a keyboard gives.
#include "tests/editor/editor_fixture.h"


// ---- Reserved characters and read-only data files ----

TEST_F(EditorKeys, ReservedCharactersAreRefusedFromEveryRoute)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    Caret(End());
    // The US layout has no key for them: a layout that has one gives its character.
    Type(L"a");
    PostMessageW(editor, WM_CHAR, 0x00A4, 1);
    Type(L"b");
    PostMessageW(editor, WM_CHAR, 0x00B1, 1);
    keys.Pump();
    EXPECT_EQ("# Plans\rfirst lineab", Text());
    EXPECT_EQ(kMsgReservedCharacters, GetLastShellMessageId());
    ClearLastShellMessage();
    SendMessageW(editor, WM_UNICHAR, 0x00A4, 0);
    SendMessageW(editor, WM_IME_CHAR, 0x00B1, 0);
    EXPECT_EQ("# Plans\rfirst lineab", Text());
    EXPECT_EQ(kMsgReservedCharacters, GetLastShellMessageId());
    // Pasted text with one of them is refused whole.
    {
        AIClipboard clipboard(editor);
        ASSERT_TRUE(clipboard.Open());
        clipboard.Empty();
        clipboard.SetText(L"x\x00A4y");
    }
    ClearLastShellMessage();
    CtrlChord('V');
    EXPECT_EQ("# Plans\rfirst lineab", Text());
    EXPECT_EQ(kMsgReservedCharacters, GetLastShellMessageId());
}

TEST_F(EditorKeys, AReadOnlyDataFileTakesNoEdit)
{
    ASSERT_NO_FATAL_FAILURE(Open(1));
    ASSERT_TRUE(IsDatafileReadOnly());
    Caret(3);
    Type(L"xyz");
    Press(VK_BACK);
    Press(VK_DELETE);
    Press(VK_RETURN);
    Press(VK_F4);
    CtrlChord('T');
    CtrlChord('L', 1);
    // Characters that TranslateMessage already queued reach the control itself.
    EXPECT_TRUE(SendMessageW(editor, EM_GETOPTIONS, 0, 0) & ECO_READONLY);
    EXPECT_EQ("# Plans\rfirst line", Text());
    EXPECT_EQ(kMsgReadOnlyNoChanges, GetLastShellMessageId());
    EXPECT_FALSE(SendMessageW(editor, EM_GETMODIFY, 0, 0));
}

// ---- Chords act on release, once ----

TEST_F(EditorKeys, ChordsActOnReleaseNotOnAutoRepeatAndOneUndoRestores)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    Select(8, 13);  // "first"
    Hold(VK_CONTROL);
    for (int repeat = 0; repeat < 3; repeat++) Hold('B');
    EXPECT_EQ("# Plans\rfirst line", Text()) << "the chord acted before its release";
    Release('B');
    Release(VK_CONTROL);
    EXPECT_EQ("# Plans\r**first** line", Text());
    EXPECT_EQ(TomTrue, doc->GetRangeBold(10, 15));
    // Italic and strike-through are mark-up as well; one undo takes each back.
    Select(18, 22);
    CtrlChord('I');
    EXPECT_EQ("# Plans\r**first** //line//", Text());
    CtrlChord('Z');
    EXPECT_EQ("# Plans\r**first** line", Text());
    CtrlChord('Z');
    EXPECT_EQ("# Plans\rfirst line", Text());
    EXPECT_NE(TomTrue, doc->GetRangeBold(8, 13));
    // Ctrl with a digit is a chord too: swallowed on key-down, nothing typed.
    Caret(End());
    CtrlChord('5');
    CtrlChord('E');
    EXPECT_EQ("# Plans\rfirst line", Text());
}

TEST_F(EditorKeys, BulletDateAndHyperlinkCommandsWriteTheText)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    Caret(End());
    CtrlChord('L', 1);
    EXPECT_EQ("# Plans\rfirst line\xE2\x80\xA2 ", Text());
    CtrlChord('Z');
    // The hyperlink dialog is not there: nothing changes and the status says so.
    Select(8, 13);
    CtrlChord('K');
    EXPECT_EQ("# Plans\rfirst line", Text());
    // With the dialog's answer the selection becomes a labelled link.
    s_hyperlinkAnswer = 1;
    Select(8, 13);
    CtrlChord('K');
    EXPECT_EQ("# Plans\r[first] line", Text());
    EXPECT_EQ(HyperlinkMark, MarkOf(9, 14));
    AIString target;
    g_noteStore.hyperlinks->GetValueOfKeyString(L"first", target);
    EXPECT_EQ("http://example.org/page", Utf8(target));
}

// ---- Links appear as they are typed; edges ----

TEST_F(EditorKeys, TypedTitleAddressAndTagAreMarkedAndTextAfterThemIsPlain)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    Caret(End());
    Press(VK_RETURN);
    Type(L"See Books to read");
    int typedEnd = End();
    // A word still being typed is not a link yet.
    EXPECT_EQ(0, MarkOf(typedEnd - 4, typedEnd));
    Type(L" and www.example.org @todo now");
    std::string text = Text();
    ASSERT_EQ("# Plans\rfirst line\rSee Books to read and www.example.org @todo now", text);
    int title = 23, address = 41, tag = 57;
    EXPECT_EQ(NoteLinkMark, MarkOf(title, title + 13));
    EXPECT_EQ(HyperlinkMark, MarkOf(address, address + 15));
    EXPECT_EQ(TagMark, MarkOf(tag, tag + 5));
    EXPECT_EQ(0, MarkOf(tag + 6, tag + 9));
    // In the colour of the text before the links, not in a link's.
    EXPECT_EQ(doc->GetRangeForeColour(19, 22), doc->GetRangeForeColour(tag + 6, tag + 9));
}

TEST_F(EditorKeys, EnterAfterAHeadingGivesAPlainLine)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    Caret(7);
    Press(VK_RETURN);
    Type(L"body");
    EXPECT_EQ("# Plans\rbody\rfirst line", Text());
    EXPECT_EQ(doc->GetRangeFontSize(13, 17), doc->GetRangeFontSize(8, 12));
    EXPECT_NE(doc->GetRangeFontSize(0, 7), doc->GetRangeFontSize(8, 12));
    EXPECT_FALSE(IsHeadingMark(MarkOf(8, 12)));
}

TEST_F(EditorKeys, BackspaceAndDeleteFollowTheLinkEdges)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    Caret(End());
    Type(L" www.example.org ");
    std::string typed = Text();
    // The blank after the address goes; the address's last character does not.
    Press(VK_BACK);
    EXPECT_EQ(typed.substr(0, typed.size() - 1), Text());
    Press(VK_BACK);
    EXPECT_EQ(typed.substr(0, typed.size() - 1), Text());
    // Delete at the address's first character: message (011), nothing deleted.
    ClearLastShellMessage();
    Caret(19);
    Press(VK_DELETE);
    EXPECT_EQ(typed.substr(0, typed.size() - 1), Text());
    EXPECT_EQ(kMsgSelectLinkToDelete, GetLastShellMessageId());
    // A selection that cuts the address: (004).
    Select(15, 22);
    Press(VK_BACK);
    EXPECT_EQ(kMsgCannotDeletePartialLink, GetLastShellMessageId());
    // The whole address selected to its end is deleted, with one undo step.
    Select(18, End());
    Press(VK_BACK);
    EXPECT_EQ("# Plans\rfirst line", Text());
    EXPECT_GE(AIString(GetStatusText()).FindText(L"DELETED (Ctrl+Z to undo)"), 0);
    CtrlChord('Z');
    EXPECT_EQ(typed.substr(0, typed.size() - 1), Text());
}

// ---- Status line ----

TEST_F(EditorKeys, EnteringTheEditorKeepsTheModifiedFlagAndUndo)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    ASSERT_FALSE(SendMessageW(editor, EM_GETMODIFY, 0, 0));
    ASSERT_FALSE(SendMessageW(editor, EM_CANUNDO, 0, 0));
    Caret(10);
    UpdateEditorStatus(kEditorStatusEnter);
    int32_t start = 0, end = 0;
    GetEditorHighlight(&start, &end);
    EXPECT_LT(start, end);
    EXPECT_EQ((int32_t)RGB(255, 210, 130), doc->GetRangeBackColour(8, 9));
    EXPECT_FALSE(SendMessageW(editor, EM_GETMODIFY, 0, 0));
    EXPECT_FALSE(SendMessageW(editor, EM_CANUNDO, 0, 0));
    UpdateEditorStatus(kEditorStatusLeave);
    EXPECT_FALSE(SendMessageW(editor, EM_GETMODIFY, 0, 0));
    EXPECT_FALSE(SendMessageW(editor, EM_CANUNDO, 0, 0));
    // The text of the status names line and column.
    std::string status = Utf8(AIString(GetEditorStatusText()));
    EXPECT_NE(status.find("Note: 2 of 2    Line: 2 of 2    Col: 2"), std::string::npos) << status;
}

TEST_F(EditorKeys, TheLengthCountsParagraphEndsAsStoredAndTheHiddenLinkText)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    int hidden = g_noteStore.hiddenLinkChars;
    // "# Plans" CR LF "first line": 19 characters as stored.
    EXPECT_EQ(19 + hidden, EditorNoteLength());
}

// Real input, queued faster than the program takes it: a Ctrl pressed after a
// letter was typed does not make that letter a chord (Ctrl+T would insert the date).
TEST_F(EditorKeys, ALetterQueuedBeforeCtrlIsTypedNotAChord)
{
    Open(0);
    SetForegroundWindow(frame);
    SetFocus(editor);
    ASSERT_EQ(GetFocus(), editor);
    Caret(End());
    std::string before = Text();
    INPUT keys[3] = {};
    for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = 'T';
    keys[1].ki.wVk = 'T';
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[2].ki.wVk = VK_CONTROL;
    ASSERT_EQ(SendInput(3, keys, sizeof(INPUT)), 3u);
    PumpMessages();
    INPUT release = {};
    release.type = INPUT_KEYBOARD;
    release.ki.wVk = VK_CONTROL;
    release.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &release, sizeof(INPUT));
    PumpMessages();
    EXPECT_EQ(Text(), before + "t");
}
