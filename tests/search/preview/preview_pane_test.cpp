// The link preview pane in the program's own content window: links hovered
// with real mouse moves over the editor, the 300 ms timer run by the message
// loop, every kind of target and every kind of damage.
#include "tests/support/gtest.h"
#include "tests/support/test_program.h"
#include "tests/support/test_files.h"
#include "tests/support/keyboard.h"
#include "shell/command_table.h"
#include "tests/search/own_temp_folder.h"
#include "tests/search/pdf/pdf_builder.h"
#include "search/preview/preview_pane.h"
#include "search/pdf/pdf_text_cache.h"
#include "search/lookup/word_lookup.h"
#include "editor/keys/editor_links.h"
#include "shell/file_commands.h"
#include "shell/note_commands.h"
#include "notestore/note_store.h"
#include "foundation/ai_file.h"
#include "foundation/clipboard.h"
#include "foundation/message_pump.h"
#include <richedit.h>
#include <algorithm>
#include <string>

namespace {

const DWORD kPaneBoundMs = 5000;
const WPARAM kFindForward = 1;  // FR_DOWN of the common dialogs

class PreviewPane : public testing::Test {
protected:
    AIString folder;
    AIString path;
    TestKeyboard mouse;

    void SetUp() override
    {
        folder = UseOwnTempFolder(L"tavik_preview_pane_");
        HWND frame = StartTestProgram(L"C:\\Tools\\TavikPreviewTest.exe", L"TavikPreviewTest.exe nohotkey", 1);
        ASSERT_NE(frame, nullptr);
        // On the screen, where the pointer can reach the editor: a move the
        // system makes up from where the pointer really is must land there too.
        SetWindowPos(frame, nullptr, 0, 0, 900, 650, SWP_NOZORDER | SWP_NOACTIVATE);
        static HACCEL s_accelerators = CreateCommandAccelerators();
        mouse = TestKeyboard(s_accelerators, frame);
        g_app.settings.Record().previewWebPages = 0;
        g_app.settings.Record().previewPdfText = 1;
        HideQuickPreview(0);
    }
    void TearDown() override
    {
        HideQuickPreview(0);
        SendMessageW(Editor(), EM_SETMODIFY, FALSE, 0);
    }

    static HWND Editor() { return g_mainPanel.editor.GetHwnd(); }
    static HWND Pane() { return GetLinkPreviewPane(); }
    static std::string PaneText() { return Utf8(AIString().AssignControlText(Pane())); }
    static bool PaneShown() { return Pane() && IsWindowVisible(Pane()); }

    AIString File(const WCHAR* name)
    {
        AIString file(folder);
        return file.AppendText(L"\\").AppendText(name);
    }

    // Opens a data file of "title\x01body" notes and shows the first.
    void Open(const AIString& notes, const WCHAR* shown)
    {
        path.Copy(File(L"preview_"));
        path.AppendAscii(testing::UnitTest::GetInstance()->current_test_info()->name()).AppendText(L".tavik");
        DeleteFileW(path.GetText());
        WriteNotesDatafile(path.GetText(), notes);
        ASSERT_EQ(OpenDatafile(path.GetText()), 1);
        g_frame.RunGuarded(CreateMainWindow);
        ASSERT_EQ(ReadAndShowNote(FindNoteByTitle(shown, 0, 0), kShowAndRecord), 1);
    }
    static void Note(AIString& notes, const WCHAR* title, const WCHAR* body, const WCHAR* links = L"")
    {
        notes.AppendText(L"\x00A4").AppendText(title).AppendText(L"\r\n").AppendText(body);
        notes.AppendText(L"\r\n{{\r\n").AppendText(links).AppendText(L"}}\r\n");
    }

    // Moves the mouse onto the second character of the first `word` in the editor.
    void Hover(const WCHAR* word)
    {
        FINDTEXTEXW find = {{0, -1}, word, {0, 0}};
        LONG at = (LONG)SendMessageW(Editor(), EM_FINDTEXTEXW, kFindForward, (LPARAM)&find);
        ASSERT_GE(at, 0) << Utf8(word);
        POINTL point = {0, 0};
        SendMessageW(Editor(), EM_POSFROMCHAR, (WPARAM)&point, at + 1);
        mouse.MoveMouse(Editor(), point.x + 2, point.y + 4);
    }
    // Off every link (the editor's top-left corner is the note's first word).
    void HoverPlainText() { mouse.MoveMouse(Editor(), 3, 4); }

    // Runs the message loop until the pane has been filled `fills` times, within a bound.
    static bool WaitForFills(int32_t fills)
    {
        DWORD start = GetTickCount();
        while (GetPreviewFillCount() < fills) {
            if (GetTickCount() - start > kPaneBoundMs) return false;
            PumpMessages();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return true;
    }
};

}  // namespace

TEST_F(PreviewPane, ANoteLinkIsPreviewedAfterTheDelayOnceAndTheCurrentNoteIsSavedWhole)
{
    AIString notes;
    Note(notes, L"Garden", L"tomatoes and beans");
    Note(notes, L"Plans", L"First see Garden today and more");
    ASSERT_NO_FATAL_FAILURE(Open(notes, L"Plans"));
    int32_t fills = GetPreviewFillCount();

    DWORD start = GetTickCount();
    ASSERT_NO_FATAL_FAILURE(Hover(L"Garden"));
    // Nothing is shown before the delay.
    EXPECT_FALSE(PaneShown());
    EXPECT_EQ(fills, GetPreviewFillCount());
    ASSERT_TRUE(WaitForFills(fills + 1));
    EXPECT_GE(GetTickCount() - start, 250u);
    EXPECT_TRUE(PaneShown());
    EXPECT_EQ(0u, PaneText().find("Preview: Garden")) << PaneText();
    EXPECT_NE(std::string::npos, PaneText().find("tomatoes and beans"));

    // Off the link and back: the same preview is not painted again.
    HoverPlainText();
    ASSERT_NO_FATAL_FAILURE(Hover(L"Garden"));
    EXPECT_EQ(fills + 1, GetPreviewFillCount());

    // The preview read another note: the note being edited is saved whole.
    CHARRANGE home = {0, 0};
    SendMessageW(Editor(), EM_EXSETSEL, 0, (LPARAM)&home);
    SendMessageW(Editor(), EM_REPLACESEL, TRUE, (LPARAM)L"NEW ");
    ASSERT_EQ(1, SaveCurrentNote(kSaveAskOnFailure));
    AIString plans, garden;
    ASSERT_EQ(1, ReadNoteText(FindNoteByTitle(L"Plans", 0, 0), plans));
    ASSERT_EQ(1, ReadNoteText(FindNoteByTitle(L"Garden", 0, 0), garden));
    EXPECT_EQ(0, plans.FindText(L"NEW First see Garden today and more")) << Utf8(plans);
    EXPECT_EQ(0, garden.FindText(L"tomatoes and beans")) << Utf8(garden);

    // Moving the mouse inside a hover preview closes it.
    SendMessageW(Pane(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(Pane(), WM_MOUSEMOVE, 0, MAKELPARAM(9, 9));
    EXPECT_FALSE(PaneShown());
}

TEST_F(PreviewPane, FileLinksShowTheirTextOrAShortMessageWhateverTheFileHolds)
{
    WriteBytes(File(L"notes.txt").GetText(), "Line one\r\rLine two");
    WriteBytes(File(L"wide.txt").GetText(), std::string("\xFF\xFEG\0r\0\xFC\0\xDF\0"
                                                        "e\0",
                                                        12));
    WriteBytes(File(L"empty.txt").GetText(), "");
    WriteBytes(File(L"data.bin").GetText(), std::string("MZ\x90\0\x03\0\0\0", 8));
    WriteBytes(File(L"big.txt").GetText(), std::string(60000, 'b'));
    WriteBytes(File(L"letter.rtf").GetText(), "{\\rtf1\\ansi {\\b Dear} reader}");
    WriteBytes(File(L"huge.rtf").GetText(), "{\\rtf1 " + std::string(30000, 'h') + "}");
    WriteBytes(File(L"broken.rtf").GetText(), std::string("{\\rtf1 {{{\\bin99999 \0\xFF", 22));
    TestPdf pdf;
    pdf.pages.push_back({"BT /F1 12 Tf 72 700 Td (Quarterly figures) Tj ET", false});
    WriteBytes(File(L"Report.PDF").GetText(), BuildTestPdf(pdf));
    // A text cache of 3 bytes holds no text: the PDF is read again.
    AIString stale;
    GetPdfTextCachePath(File(L"Report.PDF").GetText(), stale);
    // The cache's folder, whether or not an earlier test made it.
    AIString cacheFolder(g_app.system.GetTempFolder());
    CreateDirectoryW(cacheFolder.GetText(), nullptr);
    CreateDirectoryW(cacheFolder.AppendText(L"\\txt").GetText(), nullptr);
    WriteBytes(stale.GetText(), "\xEF\xBB\xBF");
    DeleteFileW(File(L"missing.txt").GetText());

    const WCHAR* labels[] = {L"notes",  L"wide", L"empty",  L"binary", L"big",
                             L"letter", L"huge", L"broken", L"report", L"missing"};
    const WCHAR* files[] = {L"notes.txt",  L"wide.txt", L"empty.txt",  L"data.bin",   L"big.txt",
                            L"letter.rtf", L"huge.rtf", L"broken.rtf", L"Report.PDF", L"missing.txt"};
    AIString body(L"Files:"), links;
    for (int i = 0; i < 10; i++) {
        body.AppendText(L" [").AppendText(labels[i]).AppendText(L"]");
        links.AppendText(L"[")
            .AppendText(labels[i])
            .AppendText(L":file:")
            .AppendString(File(files[i]))
            .AppendText(L"]\r\n");
    }
    AIString notes;
    Note(notes, L"Files", body.GetText(), links.GetText());
    ASSERT_NO_FATAL_FAILURE(Open(notes, L"Files"));

    int32_t fills = GetPreviewFillCount();
    auto show = [&](const WCHAR* label) {
        HoverPlainText();
        Hover(label);
        return WaitForFills(++fills);
    };
    ASSERT_TRUE(show(L"notes"));
    // Old Mac line ends show as lines.
    EXPECT_EQ(0u, PaneText().find("Preview text file: notes.txt\r\nLine one\r\n\r\nLine two")) << PaneText();
    ASSERT_TRUE(show(L"wide"));
    EXPECT_NE(std::string::npos, PaneText().find("Gr\xC3\xBC\xC3\x9F"
                                                 "e"))
        << PaneText();
    ASSERT_TRUE(show(L"empty"));
    EXPECT_NE(std::string::npos, PaneText().find("the file is empty")) << PaneText();
    ASSERT_TRUE(show(L"binary"));
    EXPECT_NE(std::string::npos, PaneText().find("does not hold text")) << PaneText();
    ASSERT_TRUE(show(L"big"));
    // The pane holds at most 50,000 characters, caption included.
    EXPECT_EQ(kPreviewMaxChars, (int)PaneText().size());
    EXPECT_EQ('b', PaneText().back());
    ASSERT_TRUE(show(L"letter"));
    EXPECT_EQ(0u, PaneText().find("Preview RTF file: \r\nDear reader")) << PaneText();
    ASSERT_TRUE(show(L"huge"));
    EXPECT_NE(std::string::npos, PaneText().find("file is too big")) << PaneText();
    ASSERT_TRUE(show(L"broken"));
    EXPECT_EQ(0u, PaneText().find("Preview RTF file:")) << PaneText();
    ASSERT_TRUE(show(L"report"));
    EXPECT_EQ(0u, PaneText().find("Preview PDF file: Report")) << PaneText();
    EXPECT_NE(std::string::npos, PaneText().find("Quarterly figures")) << PaneText();

    // A missing file says so on the status line, and the last file's text goes.
    ASSERT_TRUE(PaneShown());
    HoverPlainText();
    ASSERT_NO_FATAL_FAILURE(Hover(L"missing"));
    EXPECT_TRUE(mouse.PumpUntil([] { return AIString(GetStatusText()).FindText(L"File not found") >= 0; }))
        << Utf8(GetStatusText());
    EXPECT_EQ(fills, GetPreviewFillCount());
    EXPECT_FALSE(PaneShown()) << PaneText();
}

TEST_F(PreviewPane, ATargetWithNothingToShowNeverLeavesTheLastOneInThePane)
{
    WriteBytes(File(L"first.txt").GetText(), "Text of the first file");
    DeleteFileW(File(L"gone.png").GetText());
    AIString links;
    links.AppendText(L"[first:file:").AppendString(File(L"first.txt")).AppendText(L"]\r\n");
    links.AppendText(L"[picture:file:").AppendString(File(L"gone.png")).AppendText(L"]\r\n");
    links.AppendText(L"[shared:file:\\\\server\\share\\plan.txt]\r\n");
    AIString notes;
    Note(notes, L"Mixed", L"See [first] and [picture] or www.uncached-site.org and [shared] too", links.GetText());
    ASSERT_NO_FATAL_FAILURE(Open(notes, L"Mixed"));
    AIString cache(GetNotesFolder());
    DeleteFileW(cache.AppendText(L"txt\\wwwuncached-siteorg.txt").GetText());

    auto showFirst = [&]() {
        int32_t fills = GetPreviewFillCount();
        HoverPlainText();
        Hover(L"first");
        return WaitForFills(fills + 1) && PaneText().find("Text of the first file") != std::string::npos;
    };
    // A web page that is not in the cache (and may not be fetched).
    ASSERT_TRUE(showFirst());
    HoverPlainText();
    ASSERT_NO_FATAL_FAILURE(Hover(L"uncached"));
    EXPECT_FALSE(PaneShown()) << PaneText();

    // A picture that is not there.
    ASSERT_TRUE(showFirst());
    HoverPlainText();
    ASSERT_NO_FATAL_FAILURE(Hover(L"picture"));
    EXPECT_TRUE(mouse.PumpUntil([] { return AIString(GetStatusText()).FindText(L"Cannot find file") >= 0; }))
        << Utf8(GetStatusText());
    EXPECT_FALSE(PaneShown()) << PaneText();

    // A file on another machine is never asked about while the mouse rests on it.
    ASSERT_TRUE(showFirst());
    HoverPlainText();
    ASSERT_NO_FATAL_FAILURE(Hover(L"shared"));
    EXPECT_TRUE(mouse.PumpUntil([] { return AIString(GetStatusText()).FindText(L"on the network") >= 0; }))
        << Utf8(GetStatusText());
    EXPECT_FALSE(PaneShown()) << PaneText();
}

TEST_F(PreviewPane, AWebLinkIsPreviewedFromItsCacheAndNeverDownloadedUnlessAllowed)
{
    AIString notes;
    Note(notes, L"Sites", L"Read www.example.org/page today");
    ASSERT_NO_FATAL_FAILURE(Open(notes, L"Sites"));
    AIString cache(GetNotesFolder());
    cache.AppendText(L"txt\\wwwexampleorgpage.txt");
    DeleteFileW(cache.GetText());

    // No cache and web previews off: nothing is started and nothing fetched.
    ASSERT_NO_FATAL_FAILURE(Hover(L"example"));
    EXPECT_EQ(0, CountRunningMainTimers() && PaneShown());
    EXPECT_FALSE(AIFile::Exists(cache.GetText()));
    AIString txt(GetNotesFolder());
    CreateDirectoryW(txt.GetText(), nullptr);
    CreateDirectoryW(txt.AppendText(L"txt").GetText(), nullptr);

    // With its cache file (UTF-16 with a mark) the page is shown from it.
    AIString page(L"Cached page text\r\nSecond line");
    AIFile::WriteUtf16File(cache.GetText(), page.GetText(), page.GetLength());
    int32_t fills = GetPreviewFillCount();
    HoverPlainText();
    ASSERT_NO_FATAL_FAILURE(Hover(L"example"));
    ASSERT_TRUE(WaitForFills(fills + 1));
    EXPECT_EQ(0u, PaneText().find("Preview Web: example\r\nCached page text")) << PaneText();
    DeleteFileW(cache.GetText());
}

TEST_F(PreviewPane, ADictionaryEntryIsShownWithItsWordAndTheZoomFollowsCtrlWheel)
{
    AIString notes;
    Note(notes, L"Words", L"geese");
    ASSERT_NO_FATAL_FAILURE(Open(notes, L"Words"));
    AIString entry(folder);
    entry.AppendText(L"\\geese.dict.txt");
    AIString text(L"### NOUN:\r\n- goose: web-footed bird");
    AIFile::WriteUtf16File(entry.GetText(), text.GetText(), text.GetLength());
    ShowDictionaryEntry(entry.GetText());
    EXPECT_TRUE(PaneShown());
    EXPECT_EQ(0u, PaneText().find("Dictionary: geese\r\n### NOUN:")) << PaneText();
    // Its first line is bold.
    CHARFORMAT2W format = {};
    format.cbSize = sizeof format;
    CHARRANGE first = {0, 5};
    SendMessageW(Pane(), EM_EXSETSEL, 0, (LPARAM)&first);
    SendMessageW(Pane(), EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
    EXPECT_TRUE(format.dwEffects & CFE_BOLD);

    // Ctrl+wheel: ten notches up stop at +50 %.
    for (int i = 0; i < 10; i++) SendMessageW(Pane(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), 0);
    EXPECT_EQ("Changed zoom level of preview ( +5 )", Utf8(GetStatusText()));
    int num = 0, den = 0;
    SendMessageW(Pane(), EM_GETZOOM, (WPARAM)&num, (LPARAM)&den);
    EXPECT_EQ(150 * den, 100 * num);
    for (int i = 0; i < 5; i++) SendMessageW(Pane(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), 0);
    EXPECT_EQ("Changed zoom level of preview (default)", Utf8(GetStatusText()));

    EXPECT_EQ(1, HideQuickPreview(0));
    EXPECT_FALSE(PaneShown());
    EXPECT_EQ(kPreviewNothing, GetPreviewKind());
}

TEST_F(PreviewPane, TheSelectedWordIsLookedUpAndItsEntryShownInThePane)
{
    AIString notes;
    Note(notes, L"Birds", L"A flock of geese flew over");
    ASSERT_NO_FATAL_FAILURE(Open(notes, L"Birds"));
    SetTranslationLanguage(L"OFF");
    ASSERT_EQ(1, LookUpWord(L"", kLookupFindDictionaryOnly));
    AIString cache;
    GetLookupCachePath(L"geese", cache);
    DeleteFileW(cache.GetText());

    FINDTEXTEXW find = {{0, -1}, L"geese", {0, 0}};
    ASSERT_GE(SendMessageW(Editor(), EM_FINDTEXTEXW, kFindForward, (LPARAM)&find), 0);
    SendMessageW(Editor(), EM_EXSETSEL, 0, (LPARAM)&find.chrgText);
    ASSERT_TRUE(g_editorShell.lookUpWord != nullptr);
    EXPECT_EQ(1, g_editorShell.lookUpWord());
    EXPECT_TRUE(PaneShown());
    EXPECT_EQ(0u, PaneText().find("Dictionary: geese\r\n")) << PaneText();
    EXPECT_NE(std::string::npos, PaneText().find("NOUN")) << PaneText();
    // Nothing selected: the word at the caret.
    CHARRANGE none = {3, 3};
    SendMessageW(Editor(), EM_EXSETSEL, 0, (LPARAM)&none);
    EXPECT_EQ(1, g_editorShell.lookUpWord());
    EXPECT_EQ(0u, PaneText().find("Dictionary: flock\r\n")) << PaneText();
}

TEST_F(PreviewPane, ASelectionIsCopiedAndNamedOnTheStatusLineAsPlainText)
{
    AIString notes;
    Note(notes, L"Marks", L"plain");
    ASSERT_NO_FATAL_FAILURE(Open(notes, L"Marks"));
    g_app.settings.Record().autoCopyPreview = 1;
    AIString entry(folder);
    entry.AppendText(L"\\tags.dict.txt");
    AIString text(L"Look: <b>tag</b> & <lred>more</lred>");
    AIFile::WriteUtf16File(entry.GetText(), text.GetText(), text.GetLength());
    ShowDictionaryEntry(entry.GetText());
    ASSERT_TRUE(PaneShown());
    FINDTEXTEXW find = {{0, -1}, L"<b>", {0, 0}};
    ASSERT_GE(SendMessageW(Pane(), EM_FINDTEXTEXW, kFindForward, (LPARAM)&find), 0);
    CHARRANGE selection = {find.chrgText.cpMin, -1};
    SendMessageW(Pane(), EM_EXSETSEL, 0, (LPARAM)&selection);
    SendMessageW(Pane(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));

    // The page's text is copied as it is and shown, never read as mark-up.
    AIClipboard clipboard(Pane());
    AIString copied;
    ASSERT_TRUE(clipboard.Open());
    ASSERT_TRUE(clipboard.GetText(copied, 100));
    clipboard.Close();
    EXPECT_EQ("<b>tag</b> & <lred>more</lred>", Utf8(copied));
    EXPECT_EQ("Selected text automatically copied to clipboard (<lgreen>&lt;b&gt;tag&lt;/b&gt; &amp; "
              "&lt;lred&gt;m..."
              "</lgreen>)",
              Utf8(GetStatusText()));
}
