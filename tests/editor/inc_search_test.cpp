// Incremental search and replace in the program's own editor and search
// boxes, driven by whole key presses through the program's own loop.
#include "tests/support/live_window.h"
#include "tests/support/gtest.h"
#include "tests/support/keyboard.h"
#include "tests/support/test_program.h"
#include <vector>
#include "editor/find/inc_search.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/editor_overlay.h"
#include "foundation/message_pump.h"
#include "shell/command_table.h"
#include "shell/file_commands.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "notestore/note_store.h"
#include "foundation/app.h"
#include "tests/support/test_files.h"
#include <ole2.h>
#include <richedit.h>
#include "editor/editor_status.h"
#include <string>

namespace {

class IncSearch : public testing::Test {
protected:
    HWND editor = nullptr;
    // Made when the search first opens.
    LiveWindow box{[] { return g_mainPanel.incSearchBox.GetHwnd(); }};
    LiveWindow replace{[] { return g_mainPanel.replaceBox.GetHwnd(); }};
    AITextDocument* doc = nullptr;
    TestKeyboard keys;
    AIString path;

    static HWND Program()
    {
        return StartTestProgram(L"C:\\Tools\\TavikIncSearchTest.exe", L"TavikIncSearchTest.exe nohotkey", 1);
    }

    // Opens a data file whose note "Plans" holds body.
    void Open(const WCHAR* body)
    {
        ASSERT_NE(Program(), nullptr);
        static HACCEL accelerators = CreateCommandAccelerators();
        keys = TestKeyboard(accelerators, Program());
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path.AssignText(temp);
        path.AppendText(L"tavik_inc_");
        path.AppendAscii(testing::UnitTest::GetInstance()->current_test_info()->name());
        path.AppendText(L".tavik");
        DeleteFileW(path.GetText());
        AIString file(L"Tavik 10\r\n");
        file.AppendText(L"\x00A4" L"Plans\r\n").AppendText(body).AppendText(L"\r\n{{\r\n");
        file.AppendText(L"[Home\x00B1 site:http://home.example.org]\r\n}}\r\n");
        std::string bytes("\xff\xfe", 2);
        bytes.append((const char*)file.GetText(), (size_t)file.GetLength() * 2);
        WriteBytes(path.GetText(), bytes);
        ASSERT_EQ(OpenDatafile(path.GetText()), 1);
        ASSERT_EQ(ReadAndShowNote(FindNoteByTitle(L"Plans", 0, 0), kShowAndRecord), 1);
        editor = g_mainPanel.editor.GetHwnd();
        doc = g_mainPanel.editor.GetDocument();
        ASSERT_NE(doc, nullptr);
        g_incSearch.lastText.Clear();
        // The replace field keeps its text between searches: an earlier test's is taken away.
        SetWindowTextW(replace, L"");
        Caret(0);
        SetFocus(editor);
    }
    void TearDown() override
    {
        if (g_mainPanel.incSearchOn) ToggleIncSearch(kIncSearchCloseEscape);
        SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
    }

    void Caret(int at)
    {
        CHARRANGE r = {at, at};
        SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&r);
    }
    CHARRANGE Selection()
    {
        CHARRANGE r;
        SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&r);
        return r;
    }
    // A whole key pressed in the window, which holds the focus.
    void Press(HWND window, UINT vk, int modifiers = kNoModifier)
    {
        EXPECT_EQ(GetFocus(), window);
        keys.Press(vk, modifiers);
    }
    // Text typed into the window, which holds the focus ('\b' is Backspace).
    void Type(HWND window, const WCHAR* text)
    {
        EXPECT_EQ(GetFocus(), window);
        keys.Type(text);
    }
    void OpenSearch(const WCHAR* text)
    {
        ASSERT_EQ(ToggleIncSearch(kIncSearchOpen), 1);
        ASSERT_EQ(GetFocus(), box);
        Type(box, text);
    }
    std::string Text()
    {
        AIString t;
        doc->GetRangeText(0, -1, &t);
        return Utf8(t);
    }
    std::string Status() { return Utf8(AIString(GetStatusText())); }
    // How often the editor paints while the program idles for a while.
    int32_t PaintsWhileIdle()
    {
        const DWORD kIdleMs = 400;
        int32_t before = EditorPaintCount();
        DWORD start = GetTickCount();
        while (GetTickCount() - start < kIdleMs) {
            PumpMessages();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return EditorPaintCount() - before;
    }
    // Lets the timer colour the matches off screen (bounded); 1 when none waits.
    int ColourTheRest()
    {
        DWORD until = GetTickCount() + 10000;
        while (IncSearchColoursPending() && (int32_t)(until - GetTickCount()) > 0) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
        return !IncSearchColoursPending();
    }
    // The characters of [from, to) that carry the match colour, as '.' and 'm'.
    std::string MatchCells(int from, int to)
    {
        std::string cells;
        for (int at = from; at < to; at++)
            cells += doc->GetRangeBackColour(at, at + 1) == (int32_t)kIncMatchColour ? 'm' : '.';
        return cells;
    }
    // No character of [from, to) keeps a match colour, and none turned black.
    void ExpectUncoloured(int from, int to)
    {
        for (int at = from; at < to; at++) {
            int32_t colour = doc->GetRangeBackColour(at, at + 1);
            EXPECT_NE((int32_t)kIncMatchColour, colour) << "at " << at;
            EXPECT_NE((int32_t)kIncReplacedColour, colour) << "at " << at;
            EXPECT_NE(0, colour) << "at " << at;
        }
    }
};

// The word times over, after a start.
AIString Repeat(const WCHAR* start, const WCHAR* word, int times)
{
    AIString out(start);
    for (int i = 0; i < times; i++) out.AppendText(word);
    return out;
}

}  // namespace

TEST_F(IncSearch, TypedTextColoursEveryMatchAndLeavingRestoresTheAutomaticBackground)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"alpha beta Alpha gamma alpha"));
    OpenSearch(L"a");
    EXPECT_NE(std::string::npos, Status().find("Minimum 2 characters")) << Status();
    Type(box, L"lp");
    EXPECT_EQ(3, g_incSearch.count);
    EXPECT_NE(std::string::npos, Status().find("<lgreen>3</lgreen>")) << Status();
    EXPECT_EQ((int32_t)kIncMatchColour, doc->GetRangeBackColour(0, 3));
    EXPECT_EQ((int32_t)kIncMatchColour, doc->GetRangeBackColour(11, 14));
    EXPECT_EQ((int32_t)kIncMatchColour, doc->GetRangeBackColour(23, 26));
    // The first match is selected; colouring is no edit.
    EXPECT_EQ(0, Selection().cpMin);
    EXPECT_EQ(3, Selection().cpMax);
    EXPECT_FALSE(SendMessageW(editor, EM_GETMODIFY, 0, 0));
    EXPECT_FALSE(SendMessageW(editor, EM_CANUNDO, 0, 0));
    // Down steps, and stays on the last match.
    Press(box, VK_DOWN);
    Press(box, VK_DOWN);
    Press(box, VK_DOWN);
    EXPECT_EQ(23, Selection().cpMin);
    Press(box, VK_HOME);
    EXPECT_EQ(0, Selection().cpMin);
    Press(box, VK_ESCAPE);
    EXPECT_FALSE(g_mainPanel.incSearchOn);
    EXPECT_EQ(GetFocus(), editor);
    ExpectUncoloured(0, 28);
}

// Each key leaves exactly the matches of the box's text coloured, whether it
// narrows the matches, widens them again (Backspace) or finds none.
TEST_F(IncSearch, EveryKeyLeavesExactlyTheMatchesColoured)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"harbour hat harvest har"));
    auto expectOnly = [&](std::vector<int> starts, int length) {
        for (int at = 0; at < 23; at++) {
            bool inMatch = false;
            for (int start : starts) inMatch = inMatch || (at >= start && at < start + length);
            int32_t colour = doc->GetRangeBackColour(at, at + 1);
            if (inMatch) EXPECT_EQ((int32_t)kIncMatchColour, colour) << "at " << at;
            else EXPECT_NE((int32_t)kIncMatchColour, colour) << "at " << at;
            EXPECT_NE(0, colour) << "at " << at;
        }
    };
    OpenSearch(L"ha");
    expectOnly({0, 8, 12, 20}, 2);
    Type(box, L"r");
    expectOnly({0, 12, 20}, 3);
    Type(box, L"v");
    expectOnly({12}, 4);
    Type(box, L"\b");
    expectOnly({0, 12, 20}, 3);
    Type(box, L"x");
    expectOnly({}, 4);
    Type(box, L"\b");
    Type(box, L"\b");
    expectOnly({0, 8, 12, 20}, 2);
    Press(box, VK_ESCAPE);
    ExpectUncoloured(0, 23);
}

TEST_F(IncSearch, AtMostOneHundredMatchesAreColouredAndNoneCanBeReplaced)
{
    ASSERT_NO_FATAL_FAILURE(Open(Repeat(L"", L"ab ", 150).GetText()));
    ASSERT_EQ(ToggleIncSearch(kIncSearchOpenWithReplace), 1);
    Type(box, L"ab");
    EXPECT_EQ(100, g_incSearch.count);
    EXPECT_NE(std::string::npos, Status().find("More than 100 matches")) << Status();
    ASSERT_TRUE(ColourTheRest());
    EXPECT_EQ((int32_t)kIncMatchColour, doc->GetRangeBackColour(297, 299));
    ExpectUncoloured(300, 302);
    EXPECT_FALSE(IsWindowEnabled(replace));
    Press(box, VK_TAB);
    EXPECT_NE(std::string::npos, Status().find("Cannot replace with unknown number of hits")) << Status();
    EXPECT_NE(GetFocus(), replace);
}

TEST_F(IncSearch, F3SearchesTheLastTextAgainAndWraps)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"alpha beta Alpha gamma alpha"));
    // Nothing searched yet.
    Press(editor, VK_F3);
    EXPECT_NE(std::string::npos, Status().find("No search text available")) << Status();
    OpenSearch(L"alpha");
    Press(box, VK_RETURN);
    EXPECT_FALSE(g_mainPanel.incSearchOn);
    ASSERT_EQ(0, Selection().cpMin);
    int expected[] = {11, 23, 0, 11};
    for (int at : expected) {
        Press(editor, VK_F3);
        EXPECT_EQ(at, Selection().cpMin);
        EXPECT_EQ(at + 5, Selection().cpMax);
    }
    // Shift+F3 goes back, and round past the first.
    keys.Hold(VK_SHIFT);
    for (int at : {0, 23}) {
        Press(editor, VK_F3);
        EXPECT_EQ(at, Selection().cpMin);
    }
    keys.Release(VK_SHIFT);
    // Releasing F3 takes the colours away again.
    ExpectUncoloured(0, 28);
}

TEST_F(IncSearch, ReplaceLeavesHyperlinksAndIsOneUndoStep)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"See [Home: site] near the site"));
    ASSERT_EQ(Text(), "See [Home: site] near the site");
    OpenSearch(L"site");
    ASSERT_EQ(2, g_incSearch.count);
    Press(box, VK_TAB);
    ASSERT_EQ(GetFocus(), replace);
    Type(replace, L"spot");
    // The first match lies in the hyperlink's label: refused.
    Press(replace, VK_RETURN);
    EXPECT_EQ(Text(), "See [Home: site] near the site");
    EXPECT_NE(std::string::npos, Status().find("You cannot replace hyperlinks")) << Status();
    Press(replace, VK_DOWN);
    Press(replace, VK_RETURN);
    EXPECT_EQ(Text(), "See [Home: site] near the spot");
    EXPECT_TRUE(SendMessageW(editor, EM_GETMODIFY, 0, 0));
    SendMessageW(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(), "See [Home: site] near the site");
}

TEST_F(IncSearch, WithNinetyNineMatchesReplaceActsOnTheSelectedMatch)
{
    ASSERT_NO_FATAL_FAILURE(Open(Repeat(L"zz ", L"ab ", 99).GetText()));
    // Something else is selected before the search starts.
    CHARRANGE before = {0, 2};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&before);
    ASSERT_EQ(ToggleIncSearch(kIncSearchOpen), 1);
    SetWindowTextW(box, L"");
    Type(box, L"ab");
    ASSERT_EQ(99, g_incSearch.count);
    EXPECT_EQ(3, Selection().cpMin);
    EXPECT_EQ(5, Selection().cpMax);
    Press(box, VK_TAB);
    ASSERT_EQ(GetFocus(), replace);
    SetWindowTextW(replace, L"");
    Type(replace, L"cd");
    Press(replace, VK_RETURN);
    std::string text = Text();
    EXPECT_EQ("zz cd ab", text.substr(0, 8));
}

TEST_F(IncSearch, LeavingWithEnterKeepsTheMatchAndARemovedColourIsNeverBlack)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"one two three two"));
    OpenSearch(L"two");
    Press(box, VK_DOWN);
    Press(box, VK_RETURN);
    EXPECT_EQ(14, Selection().cpMin);
    EXPECT_EQ(17, Selection().cpMax);
    ExpectUncoloured(0, 17);
}

// The frame around the current match is drawn by the editor's paint and never
// asks for another paint: while nothing happens, the editor is not painted again.
TEST_F(IncSearch, TheMatchFrameIsDrawnWithoutARepaintLoop)
{
    ASSERT_NO_FATAL_FAILURE(Open(L"alpha beta Alpha gamma alpha"));
    // Matches away from the editor's edges: a frame there would not fit.
    OpenSearch(L"lph");
    ASSERT_EQ(1, Selection().cpMin);
    InvalidateRect(editor, nullptr, FALSE);
    UpdateWindow(editor);
    RECT frame = EditorSearchFrame();
    EXPECT_FALSE(IsRectEmpty(&frame));
    // A bounded idle time: at most the clearing of a moved frame is painted.
    EXPECT_LE(PaintsWhileIdle(), 2);
    // The next match: the frame moves with it, and again nothing repeats.
    Press(box, VK_DOWN);
    UpdateWindow(editor);
    RECT moved = EditorSearchFrame();
    EXPECT_FALSE(EqualRect(&frame, &moved));
    EXPECT_LE(PaintsWhileIdle(), 2);
    Press(box, VK_ESCAPE);
    UpdateWindow(editor);
    frame = EditorSearchFrame();
    EXPECT_TRUE(IsRectEmpty(&frame));
}

// In a long note a key colours the matches on screen at once and those below
// in timer rounds after it; keys typed before the rounds end still leave
// exactly the matches coloured, and leaving takes every colour away.
TEST_F(IncSearch, MatchesOnScreenAreColouredAtOnceAndTheRestFollow)
{
    // 150 lines "kiwi plum lime": each line 16 characters with its paragraph end.
    AIString body;
    for (int i = 0; i < 150; i++) body.AppendText(i ? L"\r\nkiwi plum lime" : L"kiwi plum lime");
    ASSERT_NO_FATAL_FAILURE(Open(body.GetText()));
    const int line = 15;   // characters of a line with its paragraph end, as the editor counts them
    ASSERT_EQ(150 * line - 1, doc->GetTextLength());
    OpenSearch(L"pl");
    ASSERT_EQ(100, g_incSearch.count);
    // The first lines are on screen: coloured with the key.
    EXPECT_EQ(".....mm........", MatchCells(0, line));
    EXPECT_EQ(".....mm........", MatchCells(line, 2 * line));
    // The 99th line is far below the screen: coloured later.
    const int below = 98 * line;
    EXPECT_EQ(1, IncSearchColoursPending());
    EXPECT_EQ("...............", MatchCells(below, below + line));
    ASSERT_TRUE(ColourTheRest());
    EXPECT_EQ(".....mm........", MatchCells(below, below + line));
    // Only 100 matches are coloured: the 101st line's stays plain.
    EXPECT_EQ("...............", MatchCells(100 * line, 101 * line));
    // Keys typed before the rounds end ("plu", back to "p", then "li", which
    // matches nowhere "plu" did) end with exactly the last text's matches.
    Type(box, L"u");
    Type(box, L"\b");
    Type(box, L"\b");
    Type(box, L"\b");
    Type(box, L"l");
    Type(box, L"i");
    ASSERT_TRUE(ColourTheRest());
    EXPECT_EQ("..........mm...", MatchCells(0, line)) << "li";
    EXPECT_EQ("..........mm...", MatchCells(below, below + line));
    Type(box, L"m");
    ASSERT_TRUE(ColourTheRest());
    EXPECT_EQ("..........mmm..", MatchCells(below, below + line));
    EXPECT_FALSE(SendMessageW(editor, EM_GETMODIFY, 0, 0));
    Press(box, VK_ESCAPE);
    EXPECT_EQ(0, IncSearchColoursPending());
    ExpectUncoloured(below, below + line);
    ExpectUncoloured(0, line);
}
