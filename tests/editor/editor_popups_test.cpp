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
    void CtrlSpace() { Press(VK_SPACE, kCtrlKey); }
    HWND List() { return GetCompletionListBox(); }
    // The frame of the test is never shown: the list's own style tells.
    int Shown() { return List() && (GetWindowLongW(List(), GWL_STYLE) & WS_VISIBLE); }
    int ListShown() { return Shown() && OpenCompletionList() != kCompletionNone; }
    std::string Item(int i)
    {
        AIString item;
        CompletionItem(i, item);
        return Utf8(item);
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
    Press(VK_DOWN);
    Press(VK_RETURN);
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
    Press(VK_TAB);
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
    Press(VK_ESCAPE);
    EXPECT_FALSE(ListShown());
    EXPECT_FALSE(Shown());
    Type(L"!x");
    Press(VK_RETURN);
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
    Press(VK_RETURN);
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
    Press(VK_ESCAPE);
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
    Press(VK_RETURN);
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
    AIString first;
    CompletionItem(0, first);
    ASSERT_FALSE(first.IsEmpty());
    Press(VK_DELETE);
    EXPECT_LT(FindTag(first.GetText()), 0);
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
    Press(VK_ESCAPE);
}

// The list box keeps only a count: each row is drawn from the list's own items.
TEST_F(EditorPopups, EachRowIsDrawnFromTheListsItemsWithTheChoiceHighlighted)
{
    OpenPopupNotes();
    AfterText(L" sh");
    CtrlSpace();
    ASSERT_TRUE(ListShown());
    ASSERT_EQ(2, Count());
    int row = (int)SendMessageW(List(), LB_GETITEMHEIGHT, 0, 0);
    ASSERT_GT(row, 4);
    RECT client;
    GetClientRect(List(), &client);
    HDC screen = GetDC(List());
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(List(), WM_PRINTCLIENT, (WPARAM)dc, PRF_CLIENT | PRF_ERASEBKGND);
    // Pixels of each row: its background at the right edge, text colours at the left.
    auto inkPixels = [&](int top, COLORREF back) {
        int ink = 0;
        for (int y = top; y < top + row; y++)
            for (int x = 0; x < client.right / 2; x++)
                if (GetPixel(dc, x, y) != back) ink++;
        return ink;
    };
    COLORREF chosen = GetPixel(dc, client.right - 2, row / 2);
    COLORREF other = GetPixel(dc, client.right - 2, row + row / 2);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), chosen);
    EXPECT_EQ(RGB(255, 200, 200), other);
    EXPECT_GT(inkPixels(0, chosen), 10);
    EXPECT_GT(inkPixels(row, other), 10);
    // The arrow moves the highlight to the second row.
    Press(VK_DOWN);
    SendMessageW(List(), WM_PRINTCLIENT, (WPARAM)dc, PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(RGB(255, 200, 200), GetPixel(dc, client.right - 2, row / 2));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), GetPixel(dc, client.right - 2, row + row / 2));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(List(), screen);
    Press(VK_ESCAPE);
}
