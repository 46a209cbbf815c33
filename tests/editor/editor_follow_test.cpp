// Following links in the program's editor: Enter, clicks, the tag menu, the
// shell's part (replaced here), hover tints, the right-click menu, and
// editing or removing a link through the hyperlink dialog.
#include "tests/editor/editor_fixture.h"
#include "editor/keys/editor_menu.h"
#include "editor/keys/editor_mouse.h"
#include "editor/links/link_follow.h"
#include "editor/links/link_context.h"
#include "editor/links/link_stepping.h"

namespace {

// What the program asked of the shell and the window, in order.
std::string s_calls;
int s_confirmAnswer = 0;
// The menu shown last (ids and greyed states) and the item to choose in it.
std::vector<std::pair<UINT, int>> s_menu;
std::vector<std::string> s_menuTexts;
std::string s_chooseText;
UINT s_chooseId = 0;
AIString s_dialogLabel, s_dialogTarget;
int32_t s_dialogAnswer = 0;
const WCHAR* s_newLabel = nullptr;

int RecordShell(const WCHAR* verb, const WCHAR* target, const WCHAR* parameters, const WCHAR*)
{
    s_calls += "shell:" + Utf8(verb ? verb : L"") + ":" + Utf8(target) + (parameters ? " " + Utf8(parameters) : "") + ";";
    return 1;
}
void RecordMinimise() { s_calls += "minimise;"; }
int RecordImage(const WCHAR* path)
{
    s_calls += "image:" + Utf8(path) + ";";
    return 1;
}
int NoNoteOfImage(const WCHAR*) { return 0; }
// The shell's previews while stepping: a picture is any ".png" or ".jpg" link.
int s_pictureShown = 0;
int PictureShownNow() { return s_pictureShown; }
int RecordPicture(const WCHAR* link, int now, int mode)
{
    std::string name = Utf8(link);
    std::string tail = name.size() > 4 ? name.substr(name.size() - 4) : name;
    for (char& c : tail) c = (char)tolower(c);
    if (tail != ".png" && tail != ".jpg") return 0;
    s_calls += "picture:" + std::to_string(now) + "," + std::to_string(mode) + ":" + name.substr(name.rfind('\\') + 1) + ";";
    return 1;
}
void RecordHide()
{
    s_calls += "hide;";
    s_pictureShown = 0;
}
void RecordLinkPreview(const WCHAR* target, int noteTitle)
{
    s_calls += std::string(noteTitle ? "note:" : "link:") + Utf8(target) + ";";
}
std::string s_lookedUp;
HWND s_lookUpEditor = nullptr;
int RecordLookUp()
{
    CHARRANGE s = {0, 0};
    SendMessageW(s_lookUpEditor, EM_EXGETSEL, 0, (LPARAM)&s);
    s_lookedUp += std::to_string(s.cpMin) + "-" + std::to_string(s.cpMax) + ";";
    return 1;
}
int RecordConfirm(const WCHAR*)
{
    s_calls += "asked;";
    return s_confirmAnswer;
}
UINT RecordMenu(HMENU menu, POINT)
{
    s_menu.clear();
    s_menuTexts.clear();
    UINT chosen = s_chooseId;
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        WCHAR text[200] = {0};
        GetMenuStringW(menu, i, text, 200, MF_BYPOSITION);
        UINT id = GetMenuItemID(menu, i);
        s_menu.push_back({id == (UINT)-1 ? 0 : id, (GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) ? 1 : 0});
        s_menuTexts.push_back(Utf8(text));
        if (!s_chooseText.empty() && Utf8(text) == s_chooseText) chosen = id;
    }
    return chosen;
}
int32_t AnswerDialog(AIString& label, AIString& target, int)
{
    s_dialogLabel.Copy(label);
    s_dialogTarget.Copy(target);
    if (s_newLabel) label.AssignText(s_newLabel);
    return s_dialogAnswer;
}

class EditorFollow : public EditorKeys {
protected:
    AIString script, picture;

    void OpenLinks(int readOnly = 0)
    {
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        script.AssignText(temp).AppendText(L"tavik_follow_tool.bat");
        WriteBytes(script.GetText(), std::string("@echo off\r\n"));
        picture.AssignText(temp).AppendText(L"tavik_follow_view.PNG");
        WriteBytes(picture.GetText(), std::string("\x89PNG"));
        AIString notes(L"\x00A4"
                       L"Books_to_read\r\nA list. @todo\r\n{{\r\n}}\r\n"
                       L"\x00A4"
                       L"Plans\r\nSee Books to read and [site] [tool] [gone] [js] now @todo [view] [lost]\r\n{{\r\n"
                       L"[site:http://example.org/a]\r\n[tool:file:");
        notes.AppendString(script).AppendText(L" /quiet]\r\n[gone:file:C:\\no\\such\\file.txt]\r\n"
                                              L"[js:javascript:alert(1)]\r\n[view:file:");
        notes.AppendString(picture).AppendText(L"]\r\n[lost:C:\\no\\such\\picture.jpg]\r\n}}\r\n");
        ASSERT_NO_FATAL_FAILURE(OpenNotes(readOnly, notes.GetText(), L"Plans"));
        g_editorShell.openInShell = RecordShell;
        g_editorShell.minimiseMain = RecordMinimise;
        g_editorShell.confirm = RecordConfirm;
        g_editorShell.runMenu = RecordMenu;
        g_editorShell.editHyperlink = AnswerDialog;
        g_editorShell.showImage = RecordImage;
        g_editorShell.openNoteOfImage = NoNoteOfImage;
        g_editorShell.previewImage = RecordPicture;
        g_editorShell.previewLink = RecordLinkPreview;
        g_editorShell.isImageShown = PictureShownNow;
        g_editorShell.hidePreview = RecordHide;
        s_pictureShown = 0;
        s_calls.clear();
        s_chooseText.clear();
        s_chooseId = 0;
        s_newLabel = nullptr;
    }
    void TearDown() override
    {
        g_editorShell.openInShell = nullptr;
        g_editorShell.minimiseMain = nullptr;
        g_editorShell.confirm = nullptr;
        g_editorShell.runMenu = nullptr;
        g_editorShell.showImage = nullptr;
        g_editorShell.openNoteOfImage = nullptr;
        g_editorShell.previewImage = nullptr;
        g_editorShell.previewLink = nullptr;
        g_editorShell.isImageShown = nullptr;
        g_editorShell.hidePreview = nullptr;
        g_editorShell.lookUpWord = nullptr;
        s_pictureShown = 0;
        ForgetHoveredLink();
        EditorKeys::TearDown();
        DeleteFileW(script.GetText());
        DeleteFileW(picture.GetText());
    }
    int At(const char* part) { return (int)Text().find(part); }
    std::string Current() { return Utf8(g_noteStore.currentTitle); }
    std::string Status() { return Utf8(AIString(GetStatusText())); }
    // The middle of a character in client coordinates.
    LPARAM PointOf(int position)
    {
        POINTL p = {0, 0}, next = {0, 0};
        SendMessageW(editor, EM_POSFROMCHAR, (WPARAM)&p, position);
        SendMessageW(editor, EM_POSFROMCHAR, (WPARAM)&next, position + 1);
        return MAKELPARAM((p.x + next.x) / 2, p.y + 4);
    }
    void Click(int position)
    {
        SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(position));
        SendMessageW(editor, WM_LBUTTONUP, 0, PointOf(position));
    }
    void AltKey(WPARAM vk)
    {
        SendMessageW(editor, WM_SYSKEYDOWN, vk, 0x20000001);
        SendMessageW(editor, WM_SYSKEYUP, vk, 0xE0000001);
    }
    std::string Selected()
    {
        CHARRANGE s = {0, 0};
        SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&s);
        AIString t;
        doc->GetRangeText(s.cpMin, s.cpMax, &t);
        return Utf8(t);
    }
    void EnterAt(int position)
    {
        Caret(position);
        Press(VK_RETURN);
    }
};

}  // namespace

TEST_F(EditorFollow, EnterInsideANoteLinkShowsTheNoteAndBackReturns)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    std::string before = Text();
    int books = At("Books to read");
    // At the link's first position Enter is a line break, not a jump.
    Caret(books);
    EXPECT_EQ(0, ActivateLinkAtCaret(nullptr));
    EnterAt(books + 3);
    EXPECT_EQ("Books_to_read", Current());
    EXPECT_EQ(0, (int)SendMessageW(editor, EM_GETMODIFY, 0, 0));
    ASSERT_TRUE(g_editorShell.navigate);
    g_editorShell.navigate(0);
    EXPECT_EQ("Plans", Current());
    // Nothing was typed into either note.
    EXPECT_EQ(before, Text());
    // The whole link selected follows it too.
    Select(books, books + 13);
    Press(VK_RETURN);
    EXPECT_EQ("Books_to_read", Current());
}

TEST_F(EditorFollow, LinksAreFollowedInAReadOnlyFileToo)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks(1));
    EnterAt(At("Books to read") + 3);
    EXPECT_EQ("Books_to_read", Current());
    g_editorShell.navigate(0);
    EnterAt(At("[site]") + 2);
    EXPECT_EQ("minimise;shell:open:http://example.org/a;", s_calls);
}

// The menu asks the data file shown now, not the last key's: after a key in a
// read-only file, a writable one takes the menu's edits at once.
TEST_F(EditorFollow, TheMenuEditsAWritableFileOpenedAfterAReadOnlyOne)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks(1));
    EnterAt(At("Books to read") + 3);
    fileSuffix = "_writable";
    ASSERT_NO_FATAL_FAILURE(OpenLinks(0));
    s_chooseId = kMenuHeadingLarge;
    SendMessageW(editor, WM_RBUTTONUP, 0, PointOf(1));
    EXPECT_EQ(0u, Text().find("# See Books to read"));
}

TEST_F(EditorFollow, AWebLinkMinimisesTheWindowJustBeforeTheShellOpensIt)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    std::string before = Text();
    EnterAt(At("[site]") + 2);
    EXPECT_EQ("minimise;shell:open:http://example.org/a;", s_calls);
    EXPECT_EQ(before, Text());
}

TEST_F(EditorFollow, AMissingFileIsToldAndNothingIsMinimised)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    EnterAt(At("[gone]") + 2);
    EXPECT_EQ("", s_calls);
    EXPECT_NE(std::string::npos, Status().find("File not found"));
    EXPECT_NE(std::string::npos, Status().find("C:\\no\\such\\file.txt"));
}

TEST_F(EditorFollow, AProgramStartsOnlyWhenTheUserAgreesAndScriptsAreRefused)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    s_confirmAnswer = 0;
    EnterAt(At("[tool]") + 2);
    EXPECT_EQ("asked;", s_calls);
    s_calls.clear();
    s_confirmAnswer = 1;
    EnterAt(At("[tool]") + 2);
    EXPECT_EQ("asked;minimise;shell:open:" + Utf8(script) + " /quiet;", s_calls);
    s_calls.clear();
    EnterAt(At("[js]") + 2);
    EXPECT_EQ("", s_calls);
    EXPECT_NE(std::string::npos, Status().find("not opened"));
}

TEST_F(EditorFollow, ATagOffersItsNotesAndOpensTheChosenOne)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    s_chooseText = "Books to read";
    EnterAt(At("@todo") + 2);
    ASSERT_EQ(2u, s_menuTexts.size());
    EXPECT_EQ("Books to read", s_menuTexts[0]);
    EXPECT_EQ("Plans", s_menuTexts[1]);
    EXPECT_EQ("Books_to_read", Current());
    // Choosing nothing stays.
    g_editorShell.navigate(0);
    s_chooseText.clear();
    EnterAt(At("@todo") + 2);
    EXPECT_EQ("Plans", Current());
}

TEST_F(EditorFollow, AClickFollowsALinkAndADragDoesNot)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    int books = At("Books to read");
    SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(books + 1));
    SendMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON, PointOf(books + 6));
    SendMessageW(editor, WM_LBUTTONUP, 0, PointOf(books + 6));
    EXPECT_EQ("Plans", Current());
    Click(books + 2);
    EXPECT_EQ("Books_to_read", Current());
    g_editorShell.navigate(0);
    // A click on plain text is only a click.
    Click(1);
    EXPECT_EQ("Plans", Current());
    EXPECT_EQ("", s_calls);
}

TEST_F(EditorFollow, HoverTintsEachKindWithoutAnUndoStepAndLeavingRemovesIt)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    SendMessageW(editor, EM_EMPTYUNDOBUFFER, 0, 0);
    struct Case {
        const char* part;
        COLORREF tint;
        const char* status;
    } cases[] = {
        {"Books to read", kHoverTintNoteLink, "Link to note <lred>Books to read</lred>"},
        {"[site]", kHoverTintHyperlink, "Hyperlink: <vlblue>"},
        {"@todo", kHoverTintTag, "List of notes with tag @todo"},
    };
    for (const Case& c : cases) {
        int at = At(c.part);
        SendMessageW(editor, WM_MOUSEMOVE, 0, PointOf(at + 2));
        EXPECT_EQ((int32_t)c.tint, doc->GetRangeBackColour(at + 1, at + 3)) << c.part;
        EXPECT_NE(std::string::npos, Status().find(c.status)) << Status();
        EXPECT_EQ(0, (int)SendMessageW(editor, EM_CANUNDO, 0, 0));
        EXPECT_EQ(0, (int)SendMessageW(editor, EM_GETMODIFY, 0, 0));
    }
    // Plain text: the tint goes and the status says so.
    int tag = At("@todo");
    SendMessageW(editor, WM_MOUSEMOVE, 0, PointOf(1));
    EXPECT_NE((int32_t)kHoverTintTag, doc->GetRangeBackColour(tag + 1, tag + 3));
    EXPECT_EQ("Ready", Status());
    // Outside the editor (the capture still sends the moves here) is over no link.
    SendMessageW(editor, WM_MOUSEMOVE, 0, PointOf(tag + 2));
    EXPECT_EQ(editor, GetCapture());
    SendMessageW(editor, WM_MOUSEMOVE, 0, MAKELPARAM(-30, -30));
    EXPECT_NE((int32_t)kHoverTintTag, doc->GetRangeBackColour(tag + 1, tag + 3));
    EXPECT_NE(editor, GetCapture());
    // While another window is active (a screen, a message), nothing is tracked.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(other);
    EXPECT_EQ(other, GetActiveWindow());
    SendMessageW(editor, WM_MOUSEMOVE, 0, PointOf(tag + 1));
    EXPECT_NE(editor, GetCapture());
    EXPECT_NE((int32_t)kHoverTintTag, doc->GetRangeBackColour(tag + 1, tag + 3));
    DestroyWindow(other);
    SetActiveWindow(frame);
    // Far right of a line's end is beside the text, not over its last link.
    EXPECT_EQ(-1, CharUnderPoint(&g_mainPanel.editor, POINT{4000, 4}));
}

TEST_F(EditorFollow, RightClickOnAHyperlinkOffersTheLinkMenuAndCopiesItsAddress)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    int site = At("[site]");
    s_chooseId = kMenuCopyUrl;
    SendMessageW(editor, WM_RBUTTONDOWN, MK_RBUTTON, PointOf(site + 2));
    SendMessageW(editor, WM_RBUTTONUP, 0, PointOf(site + 2));
    std::vector<UINT> ids;
    for (auto& item : s_menu) ids.push_back(item.first);
    EXPECT_EQ(std::vector<UINT>({kMenuCut, kMenuCopy, kMenuCopyPlain, kMenuCopyUrl, 0, kMenuHyperlink}), ids);
    EXPECT_EQ("Edit &Hyperlink\tCtrl+K", s_menuTexts.back());
    AIClipboard clipboard(editor);
    AIString text;
    ASSERT_TRUE(clipboard.Open());
    clipboard.GetText(text, 1000);
    clipboard.Close();
    EXPECT_EQ("http://example.org/a", Utf8(text));
    // On plain text the text menu, with Print.
    s_chooseId = 0;
    SendMessageW(editor, WM_RBUTTONUP, 0, PointOf(1));
    ASSERT_FALSE(s_menuTexts.empty());
    EXPECT_EQ("&Print\tCtrl+P", s_menuTexts.back());
    EXPECT_EQ("Plans", Current());
}

TEST_F(EditorFollow, CtrlKOnALinkEditsItOrRemovesItInOneUndoStep)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    std::string before = Text();
    int site = At("[site]");
    // Removed: the label stays as plain text and the table forgets it.
    s_dialogAnswer = kHyperlinkRemoved;
    Caret(site + 2);
    CtrlChord('K');
    EXPECT_EQ("site", Utf8(s_dialogLabel));
    EXPECT_EQ("http://example.org/a", Utf8(s_dialogTarget));
    EXPECT_EQ(std::string::npos, Text().find("[site]"));
    EXPECT_NE(std::string::npos, Text().find(" site "));
    EXPECT_LT(g_noteStore.hyperlinks->IndexOfKeyString(L"site"), 0);
    CtrlChord('Z');
    EXPECT_EQ(before, Text());
    EXPECT_EQ(HyperlinkMark, MarkOf(site + 1, site + 5));
    EXPECT_GE(g_noteStore.hyperlinks->IndexOfKeyString(L"site"), 0);
    // Accepted with a new label: the text and the table both change.
    s_dialogAnswer = 1;
    s_newLabel = L"page";
    Caret(site + 2);
    CtrlChord('K');
    EXPECT_NE(std::string::npos, Text().find("[page]"));
    AIString target;
    g_noteStore.hyperlinks->GetValueOfKeyString(L"page", target);
    EXPECT_EQ("http://example.org/a", Utf8(target));
    EXPECT_LT(g_noteStore.hyperlinks->IndexOfKeyString(L"site"), 0);
}

TEST_F(EditorFollow, DeletingALinkDropsItsTableEntryUntilAnUndoBringsItBack)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    int site = At("[site]");
    Select(site, site + 6);
    Press(VK_BACK);
    EXPECT_EQ(std::string::npos, Text().find("[site]"));
    EXPECT_LT(g_noteStore.hyperlinks->IndexOfKeyString(L"site"), 0);
    CtrlChord('Z');
    EXPECT_NE(std::string::npos, Text().find("[site]"));
    EXPECT_GE(g_noteStore.hyperlinks->IndexOfKeyString(L"site"), 0);
}

TEST_F(EditorFollow, CtrlWheelZoomsWithinItsLimitsAndTheExtraButtonsGoBackAndForward)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    auto zoom = [&]() {
        WPARAM n = 0, d = 0;
        SendMessageW(editor, EM_GETZOOM, (WPARAM)&n, (LPARAM)&d);
        return n == 0 || d == 0 ? 100 : (int)(n * 100 / d);
    };
    SendMessageW(editor, EM_SETZOOM, 100, 100);
    SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), PointOf(1));
    EXPECT_EQ(110, zoom());
    SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)(-2 * WHEEL_DELTA)), PointOf(1));
    EXPECT_EQ(90, zoom());
    SendMessageW(editor, EM_SETZOOM, 500, 100);
    SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), PointOf(1));
    EXPECT_EQ(500, zoom());
    SendMessageW(editor, EM_SETZOOM, 10, 100);
    SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)(-WHEEL_DELTA)), PointOf(1));
    EXPECT_EQ(10, zoom());
    SendMessageW(editor, EM_SETZOOM, 0, 0);
    // Button 1 goes back, button 2 forward.
    EnterAt(At("Books to read") + 2);
    ASSERT_EQ("Books_to_read", Current());
    SendMessageW(editor, WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON1), 0);
    EXPECT_EQ("Plans", Current());
    SendMessageW(editor, WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON2), 0);
    EXPECT_EQ("Books_to_read", Current());
}

namespace {

// Counts the wheel messages that reach a window, which handles them as before.
struct WheelCounter
{
    HWND window;
    WNDPROC previous;
    int wheels = 0;
};
WheelCounter* s_counters[2];

LRESULT CALLBACK CountWheel(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (WheelCounter* c : s_counters)
        if (c && c->window == window) {
            if (message == WM_MOUSEWHEEL) c->wheels++;
            return CallWindowProcW(c->previous, window, message, wParam, lParam);
        }
    return DefWindowProcW(window, message, wParam, lParam);
}

LPARAM ScreenCentreOf(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void PumpPosted()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

TEST_F(EditorFollow, TheWheelOverTheNoteListOrQuickSearchIsTheirs)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    WheelCounter list = {g_mainPanel.noteList.GetHwnd(), nullptr};
    WheelCounter field = {g_mainPanel.quickSearch.GetHwnd(), nullptr};
    // The wheel is only ever turned over a window that shows.
    int shown = IsWindowVisible(frame);
    if (!shown) ShowWindow(frame, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(IsWindowVisible(list.window));
    ASSERT_TRUE(IsWindowVisible(field.window));
    s_counters[0] = &list;
    s_counters[1] = &field;
    list.previous = (WNDPROC)SetWindowLongPtrW(list.window, GWLP_WNDPROC, (LONG_PTR)CountWheel);
    field.previous = (WNDPROC)SetWindowLongPtrW(field.window, GWLP_WNDPROC, (LONG_PTR)CountWheel);
    SendMessageW(editor, EM_SETZOOM, 100, 100);
    auto wheel = [&](WORD keys, LPARAM at) {
        SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(keys, (WORD)(-WHEEL_DELTA)), at);
        PumpPosted();
    };
    // Over the note list, with and without Ctrl: the list's, the zoom stays.
    wheel(0, ScreenCentreOf(list.window));
    wheel(MK_CONTROL, ScreenCentreOf(list.window));
    EXPECT_EQ(2, list.wheels);
    WPARAM n = 0, d = 0;
    SendMessageW(editor, EM_GETZOOM, (WPARAM)&n, (LPARAM)&d);
    EXPECT_TRUE(n == d) << n << "/" << d;
    // Over QuickSearch: the field's; with Ctrl the editor zooms.
    wheel(0, ScreenCentreOf(field.window));
    EXPECT_EQ(1, field.wheels);
    wheel(MK_CONTROL, ScreenCentreOf(field.window));
    EXPECT_EQ(1, field.wheels);
    SendMessageW(editor, EM_GETZOOM, (WPARAM)&n, (LPARAM)&d);
    EXPECT_EQ(90u, d ? n * 100 / d : 0);
    // Over the editor itself neither gets it.
    wheel(0, ScreenCentreOf(editor));
    EXPECT_EQ(2, list.wheels);
    EXPECT_EQ(1, field.wheels);
    SetWindowLongPtrW(list.window, GWLP_WNDPROC, (LONG_PTR)list.previous);
    SetWindowLongPtrW(field.window, GWLP_WNDPROC, (LONG_PTR)field.previous);
    s_counters[0] = s_counters[1] = nullptr;
    SendMessageW(editor, EM_SETZOOM, 0, 0);
    if (!shown) ShowWindow(frame, SW_HIDE);
}

TEST_F(EditorFollow, MenuHeadingsChangeTheParagraphAndADoubleClickLeavesTheBlankOut)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    s_chooseId = kMenuHeadingLarge;
    SendMessageW(editor, WM_RBUTTONUP, 0, PointOf(1));
    EXPECT_EQ(0u, Text().find("# See Books to read"));
    s_chooseId = kMenuNormal;
    SendMessageW(editor, WM_RBUTTONUP, 0, PointOf(4));
    EXPECT_EQ(0u, Text().find("See Books to read"));
    // A greyed item is never carried out, whatever the menu answers.
    SendMessageW(editor, EM_SETSEL, 0, 3);
    s_chooseId = kMenuPaste;
    std::string before = Text();
    SendMessageW(editor, WM_RBUTTONUP, 0, PointOf(1));
    EXPECT_EQ(before, Text());
    // A mouse selection over a line's end ends before it and the blank before it.
    ASSERT_EQ(0, At("See Books"));
    int end = End();
    Caret(end);
    SendMessageW(editor, EM_REPLACESEL, TRUE, (LPARAM)L" tail \rnext");
    Select(end, end + 7);
    SendMessageW(editor, WM_LBUTTONUP, 0, PointOf(1));
    CHARRANGE line;
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&line);
    EXPECT_EQ(end + 5, line.cpMax);
    // "See " double-clicked: "See" is selected and looked up in the dictionary.
    s_lookedUp.clear();
    s_lookUpEditor = editor;
    g_editorShell.lookUpWord = RecordLookUp;
    Caret(10);
    // A double click as the mouse gives it: a click, then the second press.
    // The control counts the presses at one place (a third selects the
    // line); a click elsewhere first keeps an earlier test's from counting.
    SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(End()));
    SendMessageW(editor, WM_LBUTTONUP, 0, PointOf(End()));
    Caret(10);
    SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(1));
    SendMessageW(editor, WM_LBUTTONUP, 0, PointOf(1));
    SendMessageW(editor, WM_LBUTTONDBLCLK, MK_LBUTTON, PointOf(1));
    SendMessageW(editor, WM_LBUTTONUP, 0, PointOf(1));
    CHARRANGE s;
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&s);
    EXPECT_EQ(0, s.cpMin);
    EXPECT_EQ(3, s.cpMax);
    EXPECT_EQ("0-3;", s_lookedUp);
    // A single click looks nothing up.
    Click(5);
    EXPECT_EQ("0-3;", s_lookedUp);
}

TEST_F(EditorFollow, APictureShowsInTheProgramAndAMissingOneIsTold)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    EnterAt(At("[view]") + 2);
    EXPECT_EQ("image:" + Utf8(picture) + ";", s_calls);
    s_calls.clear();
    EnterAt(At("[lost]") + 2);
    EXPECT_EQ("", s_calls);
    EXPECT_NE(std::string::npos, Status().find("File not found"));
}

TEST_F(EditorFollow, AltDownAndUpStepThroughWebAndNoteLinksShowingAPictureAsAThumbnail)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    std::string before = Text();
    Caret(0);
    AltKey(VK_DOWN);
    EXPECT_EQ("Books to read", Selected());
    EXPECT_EQ("note:Books to read;", s_calls);
    EXPECT_NE(std::string::npos, Status().find("Link to note"));
    AltKey(VK_DOWN);
    EXPECT_EQ("[site]", Selected());
    EXPECT_NE(std::string::npos, s_calls.find("link:http://example.org/a;"));
    // The tag between [js] and [view] is passed over; a picture shows as a small thumbnail at once.
    AltKey(VK_DOWN);
    AltKey(VK_DOWN);
    AltKey(VK_DOWN);
    EXPECT_EQ("[js]", Selected());
    s_calls.clear();
    AltKey(VK_DOWN);
    EXPECT_EQ("[view]", Selected());
    EXPECT_EQ("picture:1,1:tavik_follow_view.PNG;", s_calls);
    AltKey(VK_DOWN);
    EXPECT_EQ("[lost]", Selected());
    // At the last link the selection stays: no wrapping round to the first.
    AltKey(VK_DOWN);
    EXPECT_EQ("[lost]", Selected());
    // Back to the first link, and no further.
    for (int i = 0; i < 7; i++) AltKey(VK_UP);
    EXPECT_EQ("Books to read", Selected());
    AltKey(VK_UP);
    EXPECT_EQ("Books to read", Selected());
    EXPECT_EQ(before, Text());
}

TEST_F(EditorFollow, OverAShownPictureTheArrowsSpaceAndWheelStepThroughPictureLinksOnly)
{
    ASSERT_NO_FATAL_FAILURE(OpenLinks());
    std::string before = Text();
    Caret(0);
    s_pictureShown = 1;
    // Space goes to the first picture link; no blank is typed.
    Press(VK_SPACE);
    EXPECT_EQ("[view]", Selected());
    EXPECT_EQ("picture:0,0:tavik_follow_view.PNG;", s_calls.substr(s_calls.rfind("picture:")));
    Press(VK_DOWN);
    EXPECT_EQ("[lost]", Selected());
    // Past the last picture the selection stays where it was.
    Press(VK_RIGHT);
    EXPECT_EQ("[lost]", Selected());
    Press(VK_UP);
    EXPECT_EQ("[view]", Selected());
    // No picture before: the selection stays.
    Press(VK_LEFT);
    EXPECT_EQ("[view]", Selected());
    // The wheel down steps forward, up backward.
    SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(-WHEEL_DELTA)), MAKELPARAM(1, 1));
    EXPECT_EQ("[lost]", Selected());
    SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(1, 1));
    EXPECT_EQ("[view]", Selected());
    EXPECT_EQ(before, Text());
    // Any other key takes the picture away and does its own work.
    Press(VK_END);
    EXPECT_EQ("hide;", s_calls.substr(s_calls.size() - 5));
    EXPECT_EQ(0, s_pictureShown);
    // Without a picture the keys are the editor's own again.
    s_calls.clear();
    Caret(0);
    Press(VK_RIGHT);
    EXPECT_EQ("", Selected());
    EXPECT_EQ(std::string::npos, s_calls.find("picture:"));
}

TEST_F(EditorFollow, SteppingCrossesLongStretchesOfPlainTextBothWays)
{
    // Links far apart, with more plain text between them than one read of the runs holds.
    AIString filler;
    for (int i = 0; i < 1500; i++) filler.AppendText(L"ab ");
    AIString notes(L"\x00A4"
                   L"Books_to_read\r\nA list.\r\n{{\r\n}}\r\n"
                   L"\x00A4"
                   L"Plans\r\nStart ");
    notes.AppendString(filler).AppendText(L"Books to read ").AppendString(filler);
    notes.AppendString(filler).AppendText(L"Books to read end\r\n{{\r\n}}\r\n");
    ASSERT_NO_FATAL_FAILURE(OpenNotes(0, notes.GetText(), L"Plans"));
    int first = (int)Text().find("Books to read");
    int second = (int)Text().find("Books to read", first + 1);
    ASSERT_GT(second - first, 8000);
    ASSERT_EQ(NoteLinkMark, MarkOf(first, first + 1));
    CHARRANGE range = {0, 0};
    EXPECT_EQ(NoteLinkMark, FindNextLink(&g_mainPanel.editor, &range));
    EXPECT_EQ(first, range.cpMin);
    EXPECT_EQ(first + 13, range.cpMax);
    EXPECT_EQ(NoteLinkMark, FindNextLink(&g_mainPanel.editor, &range));
    EXPECT_EQ(second, range.cpMin);
    EXPECT_EQ(0, FindNextLink(&g_mainPanel.editor, &range));
    EXPECT_EQ(second, range.cpMin);
    EXPECT_EQ(NoteLinkMark, FindPreviousLink(&g_mainPanel.editor, &range));
    EXPECT_EQ(first, range.cpMin);
    EXPECT_EQ(first + 13, range.cpMax);
    EXPECT_EQ(0, FindPreviousLink(&g_mainPanel.editor, &range));
    // From inside a link, back goes to the one before it, not to its own start.
    CHARRANGE inside = {second + 4, second + 4};
    EXPECT_EQ(NoteLinkMark, FindPreviousLink(&g_mainPanel.editor, &inside));
    EXPECT_EQ(first, inside.cpMin);
    CHARRANGE end = {End(), End()};
    EXPECT_EQ(NoteLinkMark, FindPreviousLink(&g_mainPanel.editor, &end));
    EXPECT_EQ(second, end.cpMin);
}
