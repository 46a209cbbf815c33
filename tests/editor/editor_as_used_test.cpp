// The editor as a user meets it, through whole key presses and mouse moves:
// what the editor shows is what is stored, the caret line's highlight, the
// pointer after typing, the status line and the editing controls' states.
#include "tests/editor/editor_fixture.h"
#include "editor/keys/editor_mouse.h"

namespace {

class EditorAsUsed : public EditorKeys {
protected:
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
