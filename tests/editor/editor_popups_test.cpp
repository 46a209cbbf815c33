// The AutoLinks and Tags lists through real keys in the program's editor.
#include "tests/editor/editor_fixture.h"
#include "editor/links/completion_popup.h"

namespace {

const WCHAR kPopupNotes[] = L"\x00A4"
                            L"Plans\r\nfirst line\r\n{{\r\n}}\r\n"
                            L"\x00A4"
                            L"Shop_list\r\nmilk\r\n{{\r\n}}\r\n"
                            L"\x00A4"
                            L"Shopping\r\n# Shopping\r\n{{\r\n}}\r\n"
                            L"\x00A4"
                            L"Today\r\nnothing yet\r\n{{\r\n}}\r\n";

class EditorPopups : public EditorKeys {
protected:
    void OpenPopupNotes() { ASSERT_NO_FATAL_FAILURE(OpenNotes(0, kPopupNotes, L"Today")); }
    void CtrlSpace()
    {
        s_down[VK_CONTROL] = 1;
        Down(VK_CONTROL);
        Down(VK_SPACE);
        Char(L' ');
        Up(VK_SPACE);
        s_down[VK_CONTROL] = 0;
        Up(VK_CONTROL);
    }
    void Key(WPARAM vk, WCHAR ch)
    {
        Down(vk);
        if (ch) Char(ch);
        Up(vk);
    }
    HWND List() { return GetCompletionListBox(); }
    // The frame of the test is never shown: the list's own style tells.
    int Shown() { return List() && (GetWindowLongW(List(), GWL_STYLE) & WS_VISIBLE); }
    int ListShown() { return Shown() && OpenCompletionList() != kCompletionNone; }
    std::string Item(int i)
    {
        WCHAR buffer[128] = {0};
        SendMessageW(List(), LB_GETTEXT, i, (LPARAM)buffer);
        return Utf8(AIString(buffer));
    }
    int Count() { return (int)SendMessageW(List(), LB_GETCOUNT, 0, 0); }
    void AfterText(const WCHAR* typed)
    {
        Caret(End());
        Type(typed);
    }
};

}  // namespace

TEST_F(EditorPopups, CtrlSpaceOffersTheTitlesThatBeginWithTheWord)
{
    OpenPopupNotes();
    // No characters before the caret: message (038).
    AfterText(L" ");
    ClearLastShellMessage();
    CtrlSpace();
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(kMsgMissingCharacters, GetLastShellMessageId());
    // No title begins with the word: the status says so, no list.
    AfterText(L"zq");
    CtrlSpace();
    EXPECT_FALSE(ListShown());
    EXPECT_NE(std::string::npos,
              Utf8(AIString(GetStatusText())).find("No note available with the title 'zq'"));
    // Many: shown with blanks, the arrow picks, Enter replaces the word.
    AfterText(L" shop");
    CtrlSpace();
    ASSERT_TRUE(ListShown());
    EXPECT_EQ(2, Count());
    EXPECT_EQ("Shop list", Item(0));
    EXPECT_EQ("Shopping", Item(1));
    Key(VK_DOWN, 0);
    Key(VK_RETURN, L'\r');
    EXPECT_FALSE(ListShown());
    EXPECT_EQ("nothing yet zq Shopping", Text());
    int at = End() - 8;
    EXPECT_EQ(NoteLinkMark, MarkOf(at, End()));
    // One: typing narrows the list, Tab takes the title.
    AfterText(L" pl");
    CtrlSpace();
    ASSERT_TRUE(ListShown());
    EXPECT_EQ(1, Count());
    Type(L"a");
    EXPECT_EQ("Plans", Item(0));
    Key(VK_TAB, L'\t');
    EXPECT_EQ("nothing yet zq Shopping Plans", Text());
    // One undo takes the replacement back.
    CtrlChord('Z');
    EXPECT_EQ("nothing yet zq Shopping pla", Text());
}

TEST_F(EditorPopups, EscapeClosesTheListAndGivesTheKeysBack)
{
    OpenPopupNotes();
    AfterText(L" Sho");
    CtrlSpace();
    ASSERT_TRUE(ListShown());
    // Characters a title cannot hold are dropped while the list is open.
    Type(L"!-");
    EXPECT_EQ("nothing yet Sho", Text());
    Key(VK_ESCAPE, 27);
    EXPECT_FALSE(ListShown());
    EXPECT_FALSE(Shown());
    Type(L"!x");
    Key(VK_RETURN, L'\r');
    EXPECT_EQ("nothing yet Sho!x\r", Text());
}

TEST_F(EditorPopups, AtAfterABlankOffersTheTagsAndANewTagIsRegistered)
{
    OpenPopupNotes();
    // After a letter "@" is only typed.
    AfterText(L"a@");
    EXPECT_FALSE(ListShown());
    AfterText(L" @");
    ASSERT_TRUE(ListShown());
    EXPECT_EQ("Create a new tag", Item(0));
    Type(L"errand");
    EXPECT_EQ("errand", Item(0));
    Key(VK_RETURN, L'\r');
    EXPECT_FALSE(ListShown());
    EXPECT_EQ("nothing yeta@ @errand", Text());
    int32_t tag = FindTag(L"errand");
    ASSERT_GE(tag, 0);
    EXPECT_GE(g_noteStore.tagNotes[tag]->FindItemString(L"Today", 1), 0);
    EXPECT_EQ(TagMark, MarkOf(End() - 7, End()));
    // The next "@" lists the tags there are; Esc takes the "@" and the name away.
    AfterText(L" @er");
    ASSERT_TRUE(ListShown());
    EXPECT_EQ("errand", Item(0));
    Key(VK_ESCAPE, 27);
    EXPECT_FALSE(ListShown());
    EXPECT_EQ("nothing yeta@ @errand ", Text());
    EXPECT_NE(std::string::npos, Utf8(AIString(GetStatusText())).find("Tag selection/creation cancelled"));
}

TEST_F(EditorPopups, ABlankEndsATagAndALongNameIsCut)
{
    OpenPopupNotes();
    AfterText(L" @home");
    ASSERT_TRUE(ListShown());
    Type(L" ");
    EXPECT_FALSE(ListShown());
    EXPECT_GE(FindTag(L"home"), 0);
    AfterText(L"@abcdefghijklmnopqrstuvwxyzABCDEFGH");
    Key(VK_RETURN, L'\r');
    EXPECT_EQ("nothing yet @home @abcdefghijklmnopqrstuvwxyzABCD", Text());
    EXPECT_GE(FindTag(L"abcdefghijklmnopqrstuvwxyzABCD"), 0);
}

TEST_F(EditorPopups, FiftyTagsAreTheLimit)
{
    OpenPopupNotes();
    AIString name;
    for (int i = GetTagCount(); i < kMaxTags; i++) {
        name.AssignText(L"t");
        name.AppendInt(i);
        ASSERT_GE(AddTag(name.GetText()), 0);
    }
    ClearLastShellMessage();
    AfterText(L" @");
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(kMsgTooManyTagNames, GetLastShellMessageId());
    EXPECT_EQ("nothing yet @", Text());
    EXPECT_EQ(kMaxTags, GetTagCount());
    // Delete in the list removes the selected tag from the store.
    RemoveTag(0);
    AfterText(L" @");
    ASSERT_TRUE(ListShown());
    WCHAR first[64] = {0};
    SendMessageW(List(), LB_GETTEXT, 0, (LPARAM)first);
    Key(VK_DELETE, 0);
    EXPECT_LT(FindTag(first), 0);
    EXPECT_EQ(kMaxTags - 2, GetTagCount());
}

TEST_F(EditorPopups, TheListSitsOnTheEditorAtAnyZoomInItsOwnColour)
{
    OpenPopupNotes();
    SendMessageW(editor, EM_SETZOOM, 0, 0);
    AfterText(L" sh");
    CtrlSpace();
    ASSERT_TRUE(ListShown());
    RECT list, edit;
    GetWindowRect(List(), &list);
    GetWindowRect(editor, &edit);
    EXPECT_GT(list.bottom - list.top, 10);
    EXPECT_GE(list.left, edit.left);
    EXPECT_LE(list.right, edit.right);
    EXPECT_EQ(GetParent(editor), GetParent(List()));
    // Its colour comes from the window that owns it.
    HDC dc = GetDC(List());
    LRESULT brush = SendMessageW(GetParent(List()), WM_CTLCOLORLISTBOX, (WPARAM)dc, (LPARAM)List());
    EXPECT_NE(0, brush);
    EXPECT_EQ(RGB(255, 200, 200), GetBkColor(dc));
    ReleaseDC(List(), dc);
    Key(VK_ESCAPE, 27);
}
