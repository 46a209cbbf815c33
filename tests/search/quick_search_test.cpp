// QuickSearch and the full-text result panel in the program's own content
// window, driven by key messages as the message loop delivers them.
#include "tests/support/live_window.h"
#include "tests/support/gtest.h"
#include "tests/support/test_program.h"
#include "tests/support/keyboard.h"
#include "shell/command_table.h"
#include "search/quick/full_text_mode.h"
#include "search/quick/quick_search_box.h"
#include "search/quick/result_panel.h"
#include "search/quick/search_shell_links.h"
#include "search/preview/preview_pane.h"
#include "search/search_tables.h"
#include "search/search_source.h"
#include "shell/file_commands.h"
#include "shell/frame_window.h"
#include "shell/image_preview_connection.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "notestore/note_store.h"
#include "foundation/app.h"
#include "foundation/message_pump.h"
#include "foundation/clipboard.h"
#include "shell/shell_ids.h"
#include <vector>
#include "tests/support/test_files.h"
#include <ole2.h>
#include <richedit.h>
#include <string>

namespace {

class QuickSearch : public testing::Test {
protected:
    HWND box = nullptr;
    LiveWindow field{GetFullTextField};  // made when full-text search first opens
    AIString path;
    TestKeyboard keys{CreateCommandAccelerators(), Program()};

    static HWND Program()
    {
        return StartTestProgram(L"C:\\Tools\\TavikQuickTest.exe", L"TavikQuickTest.exe nohotkey", 1);
    }

    // A data file of the given notes: "title\x01body" pairs.
    void Open(const AIString& notes)
    {
        ASSERT_NE(Program(), nullptr);
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path.AssignText(temp);
        path.AppendText(L"tavik_quick_");
        path.AppendAscii(testing::UnitTest::GetInstance()->current_test_info()->name());
        path.AppendText(L".tavik");
        DeleteFileW(path.GetText());
        WriteNotesDatafile(path.GetText(), notes);
        ASSERT_EQ(OpenDatafile(path.GetText()), 1);
        g_frame.RunGuarded(CreateMainWindow);
        ASSERT_EQ(ReadAndShowNote(0, kShowAndRecord), 1);
        box = g_mainPanel.quickSearch.GetHwnd();
        ASSERT_EQ(ShowQuickSearch(kFocusQuickSearch), 1);
    }
    void TearDown() override
    {
        if (IsFullTextSearchMode()) ToggleFullTextSearch(0);
        SendMessageW(g_mainPanel.editor.GetHwnd(), EM_SETMODIFY, FALSE, 0);
    }
    static void Note(AIString& notes, const WCHAR* title, const WCHAR* body)
    {
        notes.AppendText(L"\x00A4").AppendText(title).AppendText(L"\r\n").AppendText(body);
        notes.AppendText(L"\r\n{{\r\n}}\r\n");
    }
    // Whole keys through the program's loop into the window, which has the focus.
    void Press(HWND window, UINT vk, int modifiers = kNoModifier)
    {
        ASSERT_EQ(window, GetFocus());
        keys.Press(vk, modifiers);
    }
    void Type(HWND window, const WCHAR* text)
    {
        ASSERT_EQ(window, GetFocus());
        keys.Type(text);
    }
    std::string BoxText(HWND window) { return Utf8(AIString().AssignControlText(window)); }
    std::string Selected(HWND window)
    {
        DWORD from = 0, to = 0;
        SendMessageW(window, EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
        return BoxText(window).substr(from, to - from);
    }
    std::string CurrentTitle()
    {
        AIString t;
        GetNoteTitle(g_mainPanel.currentNote, t);
        return Utf8(t);
    }
    std::string Preview() { return Utf8(AIString().AssignControlText(g_mainPanel.previewPane.GetHwnd())); }
    void FirePreviewTimer() { OnMainTimer(g_mainPanel.GetHwndField(), kQuickPreviewTimer); }
};

}  // namespace

TEST_F(QuickSearch, CompletesPreviewsShowsAndMovesToTheEditor)
{
    AIString notes;
    Note(notes, L"Apples", L"red fruit");
    Note(notes, L"Books_to_read", L"A list of books");
    Note(notes, L"Garden", L"tomatoes and beans");
    Note(notes, L"Garden_tools", L"a spade");
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    // A prefix completes to the first title with it; the completion is selected.
    Type(box, L"gar");
    EXPECT_EQ("garden", BoxText(box));
    EXPECT_EQ("den", Selected(box));
    EXPECT_EQ(2, GetQuickSearchSelection());
    FirePreviewTimer();
    EXPECT_NE(std::string::npos, Preview().find("tomatoes and beans")) << Preview();
    // Letter case and blanks do not matter.
    SetWindowTextW(box, L"");
    Type(box, L"BOOKS T");
    EXPECT_EQ("books to read", BoxText(box));
    EXPECT_EQ(1, GetQuickSearchSelection());
    // Enter shows the note; a second Enter moves to the editor.
    Press(box, VK_RETURN);
    EXPECT_EQ("Books_to_read", CurrentTitle());
    EXPECT_EQ(GetFocus(), box);
    Press(box, VK_RETURN);
    EXPECT_EQ(GetFocus(), g_mainPanel.editor.GetHwnd());
}

TEST_F(QuickSearch, BackspaceTakesOneTypedCharacterAndCompletesAgain)
{
    AIString notes;
    Note(notes, L"Aciku", L"short");
    Note(notes, L"Aciku_wolves", L"grey");
    Note(notes, L"Books", L"paper");
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    Type(box, L"aciku w");
    ASSERT_EQ("aciku wolves", BoxText(box));
    ASSERT_EQ("olves", Selected(box));
    // The completion and the "w" go; "aciku " completes again.
    Press(box, VK_BACK);
    EXPECT_EQ("aciku wolves", BoxText(box));
    EXPECT_EQ("wolves", Selected(box));
    EXPECT_EQ(1, GetQuickSearchSelection());
    Press(box, VK_BACK);
    EXPECT_EQ("aciku", BoxText(box));
    EXPECT_EQ(0, GetQuickSearchSelection());
    // With nothing selected one character goes, and the rest completes.
    Press(box, VK_BACK);
    EXPECT_EQ("aciku", BoxText(box));
    EXPECT_EQ("u", Selected(box));
    // A selection from the start is deleted whole.
    SendMessageW(box, EM_SETSEL, 0, -1);
    Press(box, VK_BACK);
    EXPECT_EQ("", BoxText(box));
    EXPECT_EQ(0u, Preview().find("Search notes..")) << Preview();
}

TEST_F(QuickSearch, DownOnTheLastTitleStaysOnIt)
{
    AIString notes;
    Note(notes, L"Apples", L"red fruit");
    Note(notes, L"Books", L"paper");
    Note(notes, L"Garden", L"tomatoes");
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    Type(box, L"gar");
    ASSERT_EQ(2, GetQuickSearchSelection());
    Press(box, VK_DOWN);
    EXPECT_EQ(2, GetQuickSearchSelection());
    EXPECT_EQ("garden", BoxText(box));
    EXPECT_EQ("garden", Selected(box));
    Press(box, VK_UP);
    EXPECT_EQ("books", BoxText(box));
}

TEST_F(QuickSearch, AnEmptyBoxShowsTheTipsInTurnAndTheQuickPaneCopiesItsSelection)
{
    AIString notes;
    Note(notes, L"Apples", L"red fruit");
    Note(notes, L"Garden", L"tomatoes");
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    // Each time the box is emptied the next of the four tips shows, in turn.
    const char* tips[] = {"Left arrow to reset", "Up/Down arrow", "Use Escape", "Alt+Left arrow"};
    int firstTip = -1;
    for (int round = 0; round < 5; round++) {
        Type(box, L"g");
        SetWindowTextW(box, L"");
        Press(box, VK_BACK);
        ASSERT_EQ(0u, Preview().find("Search notes..")) << Preview();
        int shown = -1;
        for (int t = 0; t < 4; t++)
            if (Preview().find(tips[t]) != std::string::npos) shown = t;
        ASSERT_GE(shown, 0) << Preview();
        if (firstTip < 0) firstTip = shown;
        EXPECT_EQ((firstTip + round) % 4, shown) << round;
    }
    // A selection in the quick pane is copied whatever the automatic-copy setting.
    g_app.settings.Record().autoCopyPreview = 0;
    HWND pane = g_mainPanel.previewPane.GetHwnd();
    CHARRANGE all = {0, 6};
    SendMessageW(pane, EM_EXSETSEL, 0, (LPARAM)&all);
    SendMessageW(pane, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(0u, Utf8(AIString(GetStatusText())).find("Selected text automatically copied to clipboard (<lgreen>Search"))
        << Utf8(AIString(GetStatusText()));
    // A key in the pane goes back where the focus was.
    SetFocus(pane);
    SendMessageW(pane, WM_KEYDOWN, 'A', 1);
    EXPECT_EQ(box, GetFocus());
}

TEST_F(QuickSearch, AnUnknownTitleSaysSoAndEnterSearchesTheWholeText)
{
    AIString notes;
    Note(notes, L"Apples", L"red fruit with zebra stripes");
    Note(notes, L"Garden", L"tomatoes");
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    Type(box, L"zebra");
    EXPECT_EQ("zebra", BoxText(box));
    EXPECT_EQ(-1, GetQuickSearchSelection());
    EXPECT_NE(std::string::npos, Utf8(AIString(GetStatusText())).find("Note not found"));
    // Left and entered again, the box prompts; the unknown title is told again.
    ShowQuickSearch(kFocusEditor);
    ShowQuickSearch(kFocusQuickSearch);
    EXPECT_EQ(std::string::npos, Utf8(AIString(GetStatusText())).find("Note not found"));
    Type(box, L"zebra");
    EXPECT_NE(std::string::npos, Utf8(AIString(GetStatusText())).find("Note not found"));
    // The preview says so too, without a tip.
    EXPECT_EQ(0u, Preview().find("No matching note..")) << Preview();
    EXPECT_EQ(std::string::npos, Preview().find("Tip:"));
    // Tab on an unknown title goes back to the editor instead.
    Press(box, VK_RETURN);
    ASSERT_TRUE(IsFullTextSearchMode());
    EXPECT_EQ(GetFocus(), field);
    EXPECT_FALSE(IsWindowVisible(box));
    EXPECT_TRUE(IsWindowVisible(GetResultPanel()));
    ASSERT_EQ(1, SearchHitTable.count);
    EXPECT_EQ("Apples", Utf8(HitTitle(1)));
    // The preview shows the hit with the keyword coloured where it stands.
    AITextDocument preview;
    ASSERT_TRUE(preview.Attach(g_mainPanel.previewPane.GetHwnd()));
    AIString text;
    preview.GetRangeText(0, -1, &text);
    int at = text.FindText(L"zebra");
    ASSERT_GT(at, 0) << Utf8(text);
    EXPECT_EQ(0x6EDC6E, preview.GetRangeBackColour(at, at + 5));
    EXPECT_NE(0x6EDC6E, preview.GetRangeBackColour(at - 2, at - 1));
    EXPECT_EQ(0, Utf8(text).find("Preview: Apples"));
    preview.Attach(nullptr);
    // Escape returns to QuickSearch with its text unchanged.
    Press(field, VK_ESCAPE);
    EXPECT_FALSE(IsFullTextSearchMode());
    EXPECT_EQ("zebra", BoxText(box));
    EXPECT_EQ(GetFocus(), box);
    // Ctrl+Space shows the same results again without searching.
    SearchCounters.total = -7;
    Press(box, VK_SPACE, kCtrlKey);
    EXPECT_TRUE(IsFullTextSearchMode());
    EXPECT_EQ(-7, SearchCounters.total);
    EXPECT_EQ(1, SearchHitTable.count);
}

TEST_F(QuickSearch, LeavingFullTextSearchGivesThePreviewBackAndComingBackKeepsTheHit)
{
    AIString notes;
    Note(notes, L"Alpha", L"shared word one");
    Note(notes, L"Beta", L"shared word two");
    Note(notes, L"Gamma", L"shared word three");
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    Type(box, L"shared");
    Press(box, VK_RETURN);
    ASSERT_TRUE(IsFullTextSearchMode());
    ASSERT_EQ(3, SearchHitTable.count);
    Press(field, VK_DOWN);
    ASSERT_EQ(2, SearchCounters.selectedHit);
    std::string second = Utf8(HitTitle(2));
    EXPECT_EQ(0u, Preview().find("Preview: " + second)) << Preview();
    // Escape: QuickSearch's own preview, not the hit with its keywords.
    Press(field, VK_ESCAPE);
    ASSERT_FALSE(IsFullTextSearchMode());
    EXPECT_EQ(0u, Preview().find("No matching note..")) << Preview();
    EXPECT_TRUE(IsWindowVisible(g_mainPanel.previewPane.GetHwnd()));
    // Back with the same query: the hit selected before, previewed again.
    Press(box, VK_SPACE, kCtrlKey);
    ASSERT_TRUE(IsFullTextSearchMode());
    EXPECT_EQ(2, SearchCounters.selectedHit);
    EXPECT_EQ(0u, Preview().find("Preview: " + second)) << Preview();
    // Opening the hit leaves the mode too.
    Press(field, VK_RETURN);
    ASSERT_FALSE(IsFullTextSearchMode());
    EXPECT_EQ(second, CurrentTitle());
    EXPECT_EQ(std::string::npos, Preview().find("Preview: " + second)) << Preview();
}

TEST_F(QuickSearch, TypingHidesALinkPreviewAndTheTwoPanesNeverShowAtOnce)
{
    AIString notes;
    Note(notes, L"Garden", L"tomatoes and beans");
    Note(notes, L"Plans", L"First see Garden today and geese later");
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    ASSERT_EQ(1, ReadAndShowNote(FindNoteByTitle(L"Plans", 0, 0), kShowAndRecord));
    HWND editor = g_mainPanel.editor.GetHwnd();
    HWND quickPane = g_mainPanel.previewPane.GetHwnd();
    auto pointAt = [&](const WCHAR* word) {
        FINDTEXTEXW find = {{0, -1}, word, {0, 0}};
        LONG at = (LONG)SendMessageW(editor, EM_FINDTEXTEXW, 1, (LPARAM)&find);
        POINTL point = {0, 0};
        SendMessageW(editor, EM_POSFROMCHAR, (WPARAM)&point, at + 1);
        return POINT{point.x + 2, point.y + 4};
    };
    auto linkPaneShown = [] { return IsWindowVisible(GetLinkPreviewPane()) != FALSE; };
    // The pointer rests on a note link: its preview comes up over the list.
    POINT garden = pointAt(L"Garden");
    keys.MoveMouse(editor, garden.x, garden.y);
    ASSERT_TRUE(keys.PumpUntil(linkPaneShown));
    EXPECT_FALSE(IsWindowVisible(quickPane));
    // Keys in QuickSearch hide it; the box's own preview is back.
    ShowQuickSearch(kFocusQuickSearch);
    Type(box, L"zq");
    EXPECT_FALSE(linkPaneShown());
    EXPECT_TRUE(IsWindowVisible(quickPane));
    EXPECT_EQ(0u, Preview().find("No matching note..")) << Preview();

    // A double-clicked word's dictionary entry owns the area until QuickSearch takes it back.
    POINT geese = pointAt(L"geese");
    keys.MoveMouse(editor, 3, 4);
    keys.DoubleClick(editor, geese.x, geese.y);
    ASSERT_TRUE(keys.PumpUntil(linkPaneShown));
    EXPECT_NE(std::string::npos, Utf8(AIString().AssignControlText(GetLinkPreviewPane())).find("Dictionary: geese"));
    EXPECT_FALSE(IsWindowVisible(quickPane));
    ShowQuickSearch(kFocusQuickSearch);
    SetWindowTextW(box, L"");
    Type(box, L"xy");
    EXPECT_FALSE(linkPaneShown());
    EXPECT_TRUE(IsWindowVisible(quickPane));
    EXPECT_EQ(0u, Preview().find("No matching note..")) << Preview();
}

TEST_F(QuickSearch, PagingOverFiftyHitsAndOpeningTheThirdShowsItsNote)
{
    AIString notes, title, body;
    for (int i = 0; i < 60; i++) {
        title.AssignText(L"Note_");
        if (i < 10) title.AppendChar(L'0');
        title.AppendInt(i);
        body.AssignText(L"common words ");
        for (int k = 0; k < i % 7; k++) body.AppendText(L"common ");
        Note(notes, title.GetText(), body.GetText());
    }
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    ASSERT_EQ(1, ToggleFullTextSearch(0));
    Type(field, L"common");
    Press(field, VK_SPACE);
    ASSERT_EQ(50, SearchHitTable.count);
    UpdateWindow(GetResultPanel());
    int32_t rows = SearchCounters.rowsPerPage;
    ASSERT_GE(rows, 1);
    Press(field, VK_NEXT);
    EXPECT_EQ(rows + 1, SearchCounters.selectedHit);
    Press(field, VK_PRIOR);
    EXPECT_EQ(1, SearchCounters.selectedHit);
    Press(field, VK_DOWN);
    Press(field, VK_DOWN);
    EXPECT_EQ(3, SearchCounters.selectedHit);
    std::string third = Utf8(HitTitle(3));
    Press(field, VK_RETURN);
    EXPECT_FALSE(IsFullTextSearchMode());
    EXPECT_EQ(third, CurrentTitle());
    EXPECT_EQ(GetFocus(), g_mainPanel.editor.GetHwnd());
}

TEST_F(QuickSearch, AHitWhoseNoteWasDeletedIsNeverOpened)
{
    AIString notes;
    Note(notes, L"Alpha", L"shared word");
    Note(notes, L"Beta", L"shared word");
    Note(notes, L"Gamma", L"other");
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    ASSERT_EQ(ReadAndShowNote(2, kShowAndRecord), 1);
    ASSERT_EQ(1, StartFullTextSearchFor(L"shared"));
    ASSERT_EQ(2, SearchHitTable.count);
    int32_t selected = SearchCounters.selectedHit;
    std::string gone = Utf8(HitTitle(selected));
    ASSERT_EQ(1, DeleteNote(FindNoteByTitle(HitTitle(selected).GetText(), 0, 0)));
    EXPECT_EQ(-1, HitNoteIndex(selected));
    Press(field, VK_RETURN);
    EXPECT_EQ("Gamma", Utf8(g_mainPanel.lastShownTitle)) << gone;
    EXPECT_NE(std::string::npos, Utf8(AIString(GetStatusText())).find("no longer exists"));
}

TEST_F(QuickSearch, ASearchStartedWhileOneRunsEndsItAndRunsTheNewQuery)
{
    AIString notes, title;
    for (int i = 0; i < 3000; i++) {
        title.AssignText(L"N").AppendInt(100000 + i);
        Note(notes, title.GetText(), i == 2999 ? L"needle late" : (i >= 2990 ? L"hay and more hay" : L"straw"));
    }
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    ASSERT_EQ(1, ToggleFullTextSearch(0));
    Type(field, L"hay");
    // The user presses Space again while the first search pumps messages.
    SearchSource source = GetSearchSource();
    static SearchSource s_real;
    static HWND s_field;
    static int s_pumps;
    s_real = source;
    s_field = field;
    s_pumps = 0;
    source.pumpMessages = [] {
        if (s_pumps++ == 0) {
            SetWindowTextW(s_field, L"hay more");
            SendMessageW(s_field, WM_KEYDOWN, VK_SPACE, 1);
            SendMessageW(s_field, WM_KEYUP, VK_SPACE, 0xC0000001);
        }
        return s_real.pumpMessages();
    };
    SetSearchSource(source);
    Press(field, VK_SPACE);
    SetSearchSource(s_real);
    ASSERT_GE(s_pumps, 1);
    // The first search stopped; the second one ran to the end with its own query.
    EXPECT_EQ(kStopIdle, SearchStopRequest);
    EXPECT_EQ(2, SearchKeywords.count);
    EXPECT_EQ("more", Utf8(SearchKeywords.text[1]));
    EXPECT_EQ(9, SearchHitTable.count);
    EXPECT_EQ("hay more", BoxText(field).substr(0, 8));
    SetWindowTextW(field, L"needle");
    Press(field, VK_SPACE);
    ASSERT_EQ(1, SearchHitTable.count);
    EXPECT_EQ("N102999", Utf8(HitTitle(1)));
}

namespace {

int s_captures = 0, s_screenshots = 0;
void CountCapture(int) { s_captures++; }
void CountScreenshot() { s_screenshots++; }

TEST_F(QuickSearch, AltCArmsTheBrowserCaptureAndAltSTakesTheScreenshot)
{
    AIString notes;
    Note(notes, L"Alpha", L"first");
    Open(notes);
    void (*capture)(int) = g_searchShell.captureDocument;
    void (*screenshot)() = g_searchShell.captureScreenshot;
    g_searchShell.captureDocument = CountCapture;
    g_searchShell.captureScreenshot = CountScreenshot;
    // Released with Alt held (the key-up of a system key): each once.
    SendMessageW(box, WM_SYSKEYUP, 'C', 0xE0000001);
    SendMessageW(box, WM_SYSKEYUP, 'S', 0xE0000001);
    SendMessageW(box, WM_SYSKEYUP, 'X', 0xE0000001);
    g_searchShell.captureDocument = capture;
    g_searchShell.captureScreenshot = screenshot;
    EXPECT_EQ(1, s_captures);
    EXPECT_EQ(1, s_screenshots);
}

}  // namespace

namespace {

// A window that stands in for the editor and keeps what reaches it.
std::vector<std::pair<UINT, WPARAM>> s_editorMessages;
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYUP)
        s_editorMessages.push_back({message, wParam});
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND RecordingEditor()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"quickTestEditor";
    RegisterClassW(&wc);
    return CreateWindowExW(0, L"quickTestEditor", L"", 0, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

std::string s_lookedUp;
int LookUp(const WCHAR* word)
{
    s_lookedUp = Utf8(AIString(word));
    return 1;
}
int s_renamed = 0;
int Rename()
{
    s_renamed++;
    return 1;
}

}  // namespace

TEST_F(QuickSearch, ZoomKeysInTheBoxZoomTheEditor)
{
    AIString notes;
    Note(notes, L"Apples", L"red fruit");
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    HWND editor = g_mainPanel.editor.GetHwnd();
    auto zoom = [&]() {
        WPARAM n = 0;
        LPARAM d = 0;
        SendMessageW(editor, EM_GETZOOM, (WPARAM)&n, (LPARAM)&d);
        return std::to_string(n) + "/" + std::to_string(d);
    };
    SetWindowTextW(box, L"app");
    SendMessageW(editor, EM_SETZOOM, 60, 100);
    Press(box, VK_OEM_MINUS, kCtrlKey);
    EXPECT_EQ("50/100", zoom());
    Press(box, VK_SUBTRACT, kCtrlKey);
    EXPECT_EQ("50/100", zoom());
    SendMessageW(editor, EM_SETZOOM, 495, 100);
    Press(box, VK_OEM_PLUS, kCtrlKey);
    EXPECT_EQ("500/100", zoom());
    EXPECT_NE(std::string::npos, Utf8(AIString(GetStatusText())).find("500")) << Utf8(AIString(GetStatusText()));
    Press(box, VK_MULTIPLY, kCtrlKey);
    EXPECT_EQ("100/100", zoom());
    // 0/0 counts as 100/100.
    SendMessageW(editor, EM_SETZOOM, 0, 0);
    Press(box, VK_ADD, kCtrlKey);
    EXPECT_EQ("110/100", zoom());
    SendMessageW(editor, EM_SETZOOM, 0, 0);
    // The box's text is untouched by all of it.
    EXPECT_EQ("app", BoxText(box));
}

TEST_F(QuickSearch, PasteAndCopyReachTheFieldAndOtherCtrlCharactersDoNot)
{
    AIString notes;
    Note(notes, L"Apples", L"red fruit");
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    {
        AIClipboard clipboard(box);
        ASSERT_TRUE(clipboard.Open());
        ASSERT_TRUE(clipboard.SetText(L"gard"));
    }
    Press(box, 'V', kCtrlKey);
    EXPECT_EQ("gard", BoxText(box));
    // Another chord's character never lands in the field.
    Press(box, 'B', kCtrlKey);
    EXPECT_EQ("gard", BoxText(box));
    SetWindowTextW(box, L"spade");
    SendMessageW(box, EM_SETSEL, 0, -1);
    Press(box, 'C', kCtrlKey);
    AIClipboard clipboard(box);
    ASSERT_TRUE(clipboard.Open());
    AIString copied;
    ASSERT_TRUE(clipboard.GetText(copied, 100));
    EXPECT_EQ("spade", Utf8(copied));
}

TEST_F(QuickSearch, FunctionAndAltKeysGoWhereTheyBelong)
{
    AIString notes;
    Note(notes, L"Apples", L"red fruit");
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    HWND realEditor = g_searchShell.editor;
    HWND recorder = RecordingEditor();
    ASSERT_NE(nullptr, recorder);
    g_searchShell.editor = recorder;
    auto lookUp = g_searchShell.lookUpWord;
    auto rename = g_searchShell.renameNote;
    g_searchShell.lookUpWord = LookUp;
    g_searchShell.renameNote = Rename;
    s_editorMessages.clear();
    // Ctrl+3 and F5 are the editor's: their press and release are posted
    // there (in the program the frame's accelerators take them first).
    TestKeyboard bare;
    bare.Press('3', kCtrlKey);
    bare.Press(VK_F5);
    PumpMessages();
    std::vector<std::pair<UINT, WPARAM>> posted = {
        {WM_KEYDOWN, '3'}, {WM_KEYUP, '3'}, {WM_KEYDOWN, VK_F5}, {WM_KEYUP, VK_F5}};
    EXPECT_EQ(posted, s_editorMessages);
    // Alt letters of the editor go there too; Alt+W looks the box's text up.
    s_editorMessages.clear();
    Press(box, 'Z', kAltKey);
    Press(box, 'B', kAltKey);
    std::vector<std::pair<UINT, WPARAM>> sent = {{WM_SYSKEYUP, 'Z'}, {WM_SYSKEYUP, 'B'}};
    EXPECT_EQ(sent, s_editorMessages);
    SetWindowTextW(box, L"  harbour ");
    Press(box, 'W', kAltKey);
    EXPECT_EQ("harbour", s_lookedUp);
    // Alt+= and Alt+- set the size of image previews and say so.
    Press(box, VK_OEM_PLUS, kAltKey);
    EXPECT_NE(std::string::npos, Utf8(AIString(GetStatusText())).find("Changed to Large"));
    EXPECT_EQ(1, IsImageZoomLarge());
    Press(box, VK_OEM_MINUS, kAltKey);
    EXPECT_NE(std::string::npos, Utf8(AIString(GetStatusText())).find("Changed to Small"));
    EXPECT_EQ(0, IsImageZoomLarge());
    // F2 renames the note, once, on release.
    bare.Hold(VK_F2);
    EXPECT_EQ(0, s_renamed);
    bare.Release(VK_F2);
    EXPECT_EQ(1, s_renamed);
    g_searchShell.editor = realEditor;
    g_searchShell.lookUpWord = lookUp;
    g_searchShell.renameNote = rename;
    DestroyWindow(recorder);
}

TEST_F(QuickSearch, CtrlHeldAloneShowsTheKeysAndAnotherKeyEndsTheHint)
{
    AIString notes;
    Note(notes, L"Apples", L"red fruit");
    ASSERT_NO_FATAL_FAILURE(Open(notes));
    HWND panel = g_mainPanel.GetHwndField();
    keys.Hold(VK_CONTROL);
    EXPECT_EQ(1, g_mainPanel.ctrlHintState);
    // Half a second: the program's Ctrl keys; two seconds: the field's own.
    OnMainTimer(panel, kTimerCtrlHintEditor);
    std::string first = Utf8(AIString(GetStatusText()));
    EXPECT_NE(std::string::npos, first.find("N New")) << first;
    EXPECT_NE(std::string::npos, first.find("S Save")) << first;
    OnMainTimer(panel, kQuickCtrlHintTimer);
    std::string second = Utf8(AIString(GetStatusText()));
    EXPECT_NE(std::string::npos, second.find("Ctrl+F search in the note")) << second;
    // Another key ends it: the prompt is back and a late timer shows nothing.
    keys.Press('F');
    keys.Release(VK_CONTROL);
    if (g_mainPanel.incSearchOn) ToggleIncSearch(kIncSearchCloseEscape);
    ShowQuickSearch(kFocusQuickSearch);
    EXPECT_GT(0, g_mainPanel.ctrlHintState);
    keys.Hold(VK_CONTROL);
    keys.Press('F');
    if (g_mainPanel.incSearchOn) ToggleIncSearch(kIncSearchCloseEscape);
    ShowQuickSearch(kFocusQuickSearch);
    SetStatusText(L"before", kStatusInfo);
    OnMainTimer(panel, kTimerCtrlHintEditor);
    EXPECT_EQ("before", Utf8(AIString(GetStatusText())));
    keys.Release(VK_CONTROL);
    // Ctrl let go before the half second: nothing shows either.
    keys.Hold(VK_CONTROL);
    EXPECT_EQ(1, g_mainPanel.ctrlHintState);
    keys.Release(VK_CONTROL);
    SetStatusText(L"before", kStatusInfo);
    OnMainTimer(panel, kTimerCtrlHintEditor);
    EXPECT_EQ("before", Utf8(AIString(GetStatusText())));
    EXPECT_GT(0, g_mainPanel.ctrlHintState);
    // Ctrl's auto-repeat after another key starts nothing.
    keys.Hold(VK_CONTROL);
    keys.Press('K');
    keys.Hold(VK_CONTROL);
    EXPECT_GT(0, g_mainPanel.ctrlHintState);
    keys.Release(VK_CONTROL);
}
