// Word look-up and translation as the user asks for them: whole key presses
// (Alt+W) into QuickSearch and the editor of the program's own windows,
// started with "lang:de", the translation service on 127.0.0.1 named by the
// program's registry value (started by run_with_server.sh).
#include "tests/support/gtest.h"
#include "tests/support/keyboard.h"
#include "tests/support/test_program.h"
#include "tests/support/test_files.h"
#include "tests/search/own_temp_folder.h"
#include "search/lookup/word_lookup.h"
#include "search/preview/preview_pane.h"
#include "shell/command_table.h"
#include "shell/file_commands.h"
#include "shell/note_commands.h"
#include "notestore/note_store.h"
#include "foundation/registry_key.h"
#include <richedit.h>
#include <stdlib.h>
#include <string>

namespace {

const DWORD kLookupBoundMs = 8000;

class LookupKeys : public testing::Test {
protected:
    AIString folder;
    AIString path;
    HACCEL accelerators = nullptr;

    void SetUp() override
    {
        HWND frame = StartTestProgram(L"C:\\Tools\\TavikLookupKeys.exe", L"TavikLookupKeys.exe nohotkey lang:de", 1);
        ASSERT_NE(frame, nullptr);
        folder = UseOwnTempFolder(L"tavik_lookup_keys_");
        // No entry an earlier test looked up answers from the cache: each test
        // sees its words looked up and translated afresh.
        DeleteFilesMatching(AIString(folder).AppendText(L"\\txt\\"), L"*.dict.txt");
        accelerators = CreateCommandAccelerators();
        const char* port = getenv("TAVIK_TEST_PORT");
        ASSERT_TRUE(port != nullptr) << "run through run_with_server.sh";
        AIString address(L"http://127.0.0.1:");
        SetService(address.AppendAscii(port).GetText());
        g_app.settings.Record().previewWebPages = 1;

        AIString notes;
        notes.AppendText(L"\x00A4" L"Birds\r\nA flock of  geese flew over\r\n{{\r\n}}\r\n");
        path.Copy(folder).AppendText(L"\\lookup_");
        path.AppendAscii(testing::UnitTest::GetInstance()->current_test_info()->name()).AppendText(L".tavik");
        DeleteFileW(path.GetText());
        WriteNotesDatafile(path.GetText(), notes);
        ASSERT_EQ(OpenDatafile(path.GetText()), 1);
        g_frame.RunGuarded(CreateMainWindow);
        ASSERT_EQ(ReadAndShowNote(0, kShowAndRecord), 1);
        HideQuickPreview(0);
    }
    void TearDown() override
    {
        HideQuickPreview(0);
        if (accelerators) DestroyAcceleratorTable(accelerators);
    }

    static void SetService(const WCHAR* address)
    {
        AIRegistryKey key;
        ASSERT_TRUE(key.OpenKey(HKEY_CURRENT_USER, nullptr));
        key.WriteString(kTranslationServiceValue, address);
    }
    TestKeyboard Keys() { return TestKeyboard(accelerators, g_frame.GetHwndField()); }
    static HWND Box() { return g_mainPanel.quickSearch.GetHwnd(); }
    static HWND Editor() { return g_mainPanel.editor.GetHwnd(); }
    static std::string PaneText() { return Utf8(AIString().AssignControlText(GetLinkPreviewPane())); }
    static std::string Status() { return Utf8(AIString(GetStatusText())); }

    // The word typed into QuickSearch and looked up with Alt+W.
    void LookUpInQuickSearch(const WCHAR* word)
    {
        TestKeyboard keys = Keys();
        ASSERT_EQ(ShowQuickSearch(kFocusQuickSearch), 1);
        keys.PumpUntil([] { return GetFocus() == Box(); });
        ASSERT_EQ(GetFocus(), Box());
        SetWindowTextW(Box(), L"");
        keys.Type(word);
        keys.Press('W', kAltKey);
    }
    bool WaitForPane(const char* holds)
    {
        std::string text(holds);
        return Keys().PumpUntil([&] { return PaneText().find(text) != std::string::npos; }, kLookupBoundMs);
    }
};

}  // namespace

TEST_F(LookupKeys, AltWInQuickSearchLooksUpAndTranslatesTheTypedWord)
{
    // An English word: its dictionary entry, translated into the "lang:" word's language.
    ASSERT_NO_FATAL_FAILURE(LookUpInQuickSearch(L"dog"));
    ASSERT_TRUE(WaitForPane("Dictionary: dog")) << Status() << "|" << PaneText();
    EXPECT_NE(std::string::npos, PaneText().find("NOUN: dog has 7 senses")) << PaneText();
    EXPECT_NE(std::string::npos, PaneText().find("Translation (English => German)")) << PaneText();
    EXPECT_NE(std::string::npos, PaneText().find("dog  =>  Hund")) << PaneText();
    EXPECT_EQ("Translation complete", Status());

    // A German word: translated into English, and the English word's entry shown.
    ASSERT_NO_FATAL_FAILURE(LookUpInQuickSearch(L"Hund"));
    ASSERT_TRUE(WaitForPane("Dictionary: Hund")) << Status() << "|" << PaneText();
    EXPECT_NE(std::string::npos, PaneText().find("Translation (German => English)")) << PaneText();
    EXPECT_NE(std::string::npos, PaneText().find("Hund  =>  dog")) << PaneText();
    EXPECT_NE(std::string::npos, PaneText().find("NOUN: dog has 7 senses")) << PaneText();
}

TEST_F(LookupKeys, AltWInTheEditorLooksUpTheWordAtTheCaret)
{
    // The caret put inside "geese" with a click, nothing selected.
    FINDTEXTEXW find = {{0, -1}, L"geese", {0, 0}};
    LONG at = (LONG)SendMessageW(Editor(), EM_FINDTEXTEXW, 1, (LPARAM)&find);
    ASSERT_GE(at, 0);
    POINTL point = {0, 0};
    SendMessageW(Editor(), EM_POSFROMCHAR, (WPARAM)&point, at + 2);
    SetFocus(Editor());
    TestKeyboard keys = Keys();
    keys.Click(Editor(), point.x + 1, point.y + 4);
    CHARRANGE caret = {0, 0};
    SendMessageW(Editor(), EM_EXGETSEL, 0, (LPARAM)&caret);
    ASSERT_EQ(caret.cpMin, caret.cpMax);
    ASSERT_GT(caret.cpMin, at);
    keys.Press('W', kAltKey);
    ASSERT_TRUE(WaitForPane("Dictionary: geese")) << Status() << "|" << PaneText();
    EXPECT_NE(std::string::npos, PaneText().find("NOUN: goose")) << PaneText();

    // Between words there is nothing to look up: the status line says how to pick one.
    CHARRANGE blank = {at - 1, at - 1};
    SendMessageW(Editor(), EM_EXSETSEL, 0, (LPARAM)&blank);
    keys.Press('W', kAltKey);
    EXPECT_EQ("Select a word, or put the cursor in one, to look it up", Status());
    // Back in the word: its entry (from the cache now) answers the hint, which goes.
    keys.Click(Editor(), point.x + 1, point.y + 4);
    keys.Press('W', kAltKey);
    ASSERT_TRUE(WaitForPane("Dictionary: geese")) << Status() << "|" << PaneText();
    EXPECT_EQ(std::string::npos, Status().find("Select a word")) << Status();
}

TEST_F(LookupKeys, AServiceOutOfReachIsNamedOnTheStatusLine)
{
    SetService(L"http://127.0.0.1:9");  // nobody listens there
    ASSERT_NO_FATAL_FAILURE(LookUpInQuickSearch(L"cat"));
    ASSERT_TRUE(WaitForPane("Dictionary: cat")) << Status() << "|" << PaneText();
    EXPECT_EQ(std::string::npos, PaneText().find("Translation (")) << PaneText();
    EXPECT_EQ("Translation failed: the translation service could not be reached", Status());
}

namespace {

// Paints of QuickSearch's pane while the link pane shows over the same place.
WNDPROC s_quickPaneProc = nullptr;
int s_paintsUnderEntry = 0;

LRESULT CALLBACK CountPaintsUnderEntry(HWND pane, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND entry = GetLinkPreviewPane();
    RECT a, b, overlap;
    if (message == WM_PAINT && IsWindowVisible(entry) && GetWindowRect(pane, &a) && GetWindowRect(entry, &b) &&
        IntersectRect(&overlap, &a, &b))
        s_paintsUnderEntry++;
    return CallWindowProcW(s_quickPaneProc, pane, message, wParam, lParam);
}

}  // namespace

TEST_F(LookupKeys, TheEntryOwnsTheAreaBesideTheListWhileItShows)
{
    HWND quickPane = g_mainPanel.previewPane.GetHwnd();
    s_paintsUnderEntry = 0;
    s_quickPaneProc = (WNDPROC)SetWindowLongPtrW(quickPane, GWLP_WNDPROC, (LONG_PTR)CountPaintsUnderEntry);
    // "dog" names no note: QuickSearch's pane says so, until the entry comes.
    ASSERT_NO_FATAL_FAILURE(LookUpInQuickSearch(L"dog"));
    ASSERT_TRUE(WaitForPane("Dictionary: dog")) << Status() << "|" << PaneText();
    TestKeyboard keys = Keys();
    keys.Pump();
    EXPECT_TRUE(IsWindowVisible(GetLinkPreviewPane()));
    EXPECT_FALSE(IsWindowVisible(quickPane));
    EXPECT_EQ(0, s_paintsUnderEntry);
    // Typing on: the entry goes and QuickSearch's own pane is back.
    keys.Type(L"s");
    EXPECT_FALSE(IsWindowVisible(GetLinkPreviewPane()));
    EXPECT_TRUE(IsWindowVisible(quickPane));
    SetWindowLongPtrW(quickPane, GWLP_WNDPROC, (LONG_PTR)s_quickPaneProc);
}
