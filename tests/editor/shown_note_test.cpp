// A note shown by the program's own command (ReadAndShowNote) from a real
// data file: its marks are there, and storing it again writes the data file
// back byte for byte.
#include "tests/support/gtest.h"
#include "editor/note_marks.h"
#include "shell/file_commands.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "notestore/note_store.h"
#include "foundation/app.h"
#include "ui/link_marks.h"
#include "ui/editor_selection.h"
#include "ui/long_paragraph_layout.h"
#include <ole2.h>
#include <richedit.h>
#include <string>
#include "tests/support/test_files.h"
#include <vector>

namespace {
void WriteUtf16File(const WCHAR* path, const AIString& text)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "\xff\xfe", 2, &written, nullptr);
    WriteFile(file, text.GetText(), (DWORD)text.GetLength() * 2, &written, nullptr);
    CloseHandle(file);
}

// The program's frame and content window, and the test folder's path.
void StartProgram(HWND& frame, AIString& folder)
{
    g_app.Prepare(L"C:\\Tools\\TavikEditorTest.exe", L"TavikEditorTest.exe nohotkey");
    g_app.settings.WriteDefaults(1);
    LoadLibraryW(L"RICHED20.DLL");
    OleInitialize(nullptr);
    frame = CreateFrameWindow(GetModuleHandleW(nullptr));
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(CreateContentWindow(frame), nullptr);
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder.AssignText(temp);
    folder.AppendText(L"tavik_editor_test");
    CreateDirectoryW(folder.GetText(), nullptr);
}

// The longest run of [start, end) of the editor, runs told apart by the
// face name (its letter case) or the locale id.
int LongestRun(HWND editor, int start, int end)
{
    int runStart = start, longest = 0;
    CHARFORMAT2W previous = {};
    for (int i = start; i <= end; i++) {
        CHARFORMAT2W one = {};
        one.cbSize = sizeof one;
        if (i < end) {
            CHARRANGE range = {i, i + 1};
            SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&range);
            SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&one);
            EXPECT_EQ(0, lstrcmpiW(one.szFaceName, L"Liberation Sans")) << i;
        }
        if (i == end || (i > start && (lstrcmpW(previous.szFaceName, one.szFaceName) != 0 || previous.lcid != one.lcid))) {
            longest = i - runStart > longest ? i - runStart : longest;
            runStart = i;
        }
        previous = one;
    }
    return longest;
}

struct Mark {
    int start, end, mark;
    bool operator==(const Mark& o) const { return start == o.start && end == o.end && mark == o.mark; }
};
std::ostream& operator<<(std::ostream& out, const Mark& m)
{
    return out << "{" << m.start << "," << m.end << ",0x" << std::hex << m.mark << std::dec << "}";
}
}  // namespace

TEST(ShownNote, MarksAppliedAndTheTextStoredBackUnchanged)
{
    HWND frame = 0;
    AIString path;
    ASSERT_NO_FATAL_FAILURE(StartProgram(frame, path));
    path.AppendText(L"\\marks.tavik");
    DeleteFileW(path.GetText());

    AIString file;
    file.AppendText(L"Tavik 10\r\n");
    file.AppendText(L"\x00A4" L"Books_to_read\r\nA list.\r\n{{\r\n}}\r\n");
    file.AppendText(L"\x00A4" L"Plans\r\n"
                    L"# Plans and Books to read\r\n"
                    L"See [Home: site] and Books to read @todo\r\n"
                    L"**now** then www.example.org\r\n"
                    L"{{\r\n[Home\x00B1 site:http://home.example.org]\r\n}}\r\n");
    WriteUtf16File(path.GetText(), file);
    std::string original = ReadBytes(path.GetText());

    ASSERT_EQ(OpenDatafile(path.GetText()), 1);
    int32_t plans = FindNoteByTitle(L"Plans", 0, 0);
    ASSERT_GE(plans, 0);
    ASSERT_EQ(ReadAndShowNote(plans, kShowAndRecord), 1);

    HWND editor = g_mainPanel.editor.GetHwnd();
    AITextDocument* doc = g_mainPanel.editor.GetDocument();
    auto links = [doc] {
        static MarkRun runs[200];
        int count = doc->ScanMarks(0, -1, runs, 200);
        std::vector<Mark> out;
        for (int i = 0; i < count; i++)
            if (IsLinkMark(runs[i].mark)) out.push_back({runs[i].start, runs[i].end, runs[i].mark});
        return out;
    };
    // Line 2 starts at 26: the label with its colon, the title, the tag; line 3
    // holds the address. The heading line's title is no link.
    EXPECT_EQ(std::vector<Mark>({{31, 41, HyperlinkMark},
                                 {47, 60, NoteLinkMark},
                                 {61, 66, TagMark},
                                 {80, 95, HyperlinkMark}}),
              links());
    EXPECT_EQ(TomTrue, doc->GetRangeBold(69, 72));
    EXPECT_FALSE(SendMessageW(editor, EM_GETMODIFY, 0, 0));
    EXPECT_FALSE(SendMessageW(editor, EM_CANUNDO, 0, 0));

    // The line made a heading loses its note link and keeps the rest; made
    // a plain line again, it has the link back.
    CHARRANGE inLine = {35, 35};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&inLine);
    ASSERT_EQ(ToggleHeading(nullptr, kHeadingLevel1), 1);
    EXPECT_EQ(std::vector<Mark>({{33, 43, HyperlinkMark}, {63, 68, TagMark}, {82, 97, HyperlinkMark}}), links());
    ASSERT_EQ(ToggleHeading(nullptr, kHeadingPlain), 1);
    EXPECT_EQ(std::vector<Mark>({{31, 41, HyperlinkMark}, {47, 60, NoteLinkMark}, {61, 66, TagMark},
                                 {80, 95, HyperlinkMark}}),
              links());

    // Stored as if edited and saved: the file comes back byte for byte.
    SendMessageW(editor, EM_SETMODIFY, TRUE, 0);
    ASSERT_EQ(SaveCurrentNote(kSaveAskOnFailure), 1);
    ASSERT_EQ(SaveDatafileIfOpen(), kSaveDone);
    EXPECT_EQ(original, ReadBytes(path.GetText()));

    // The status line names the note with blanks, as the frame's title does.
    ASSERT_EQ(ReadAndShowNote(FindNoteByTitle(L"Books_to_read", 0, 0), kShowAndRecord), 1);
    AIString status(GetStatusText());
    EXPECT_GE(status.FindText(L"Books to read"), 0) << Utf8(status);
    EXPECT_LT(status.FindText(L"_"), 0) << Utf8(status);
    DestroyWindow(frame);
}

// A note that is one long paragraph: laid out in runs of a bounded length,
// and its text stored back byte for byte.
TEST(ShownNote, OneLongParagraphIsLaidOutInRunsAndStoredBackUnchanged)
{
    HWND frame = 0;
    AIString path;
    ASSERT_NO_FATAL_FAILURE(StartProgram(frame, path));
    path.AppendText(L"\\paragraph.tavik");
    DeleteFileW(path.GetText());

    // Words, a heading-like "# " inside the paragraph, a tag, an address,
    // characters outside the basic plane, tabs, braces and backslashes, but
    // no line break.
    AIString paragraph;
    for (int i = 0; paragraph.GetLength() < 12000; i++) {
        paragraph.AppendText(i % 50 == 7 ? L"# not a heading " : L"spring garden ");
        if (i % 400 == 3) paragraph.AppendText(L"@plans www.example.org \xD83D\xDE00 ");
        if (i % 90 == 5) paragraph.AppendText(L"{x}\\par\t\\u65? caf\x00E9\xD83D\xDE00\xD83D\xDE01 ");
    }
    AIString file;
    file.AppendText(L"Tavik 10\r\n");
    file.AppendText(L"\x00A4" L"Long\r\n").AppendString(paragraph).AppendText(L"\r\n{{\r\n}}\r\n");
    file.AppendText(L"\x00A4" L"Plans\r\nShort.\r\n{{\r\n}}\r\n");
    WriteUtf16File(path.GetText(), file);
    std::string original = ReadBytes(path.GetText());

    ASSERT_EQ(OpenDatafile(path.GetText()), 1);
    ASSERT_EQ(ReadAndShowNote(FindNoteByTitle(L"Long", 0, 0), kShowAndRecord), 1);
    HWND editor = g_mainPanel.editor.GetHwnd();
    EXPECT_FALSE(SendMessageW(editor, EM_GETMODIFY, 0, 0));
    EXPECT_FALSE(SendMessageW(editor, EM_CANUNDO, 0, 0));

    // The paragraph is laid out in short runs: neighbours differ in the
    // letter case of their face name (the same font).
    EXPECT_LE(LongestRun(editor, 0, paragraph.GetLength()), (int)kLayoutRunChars);
    CHARFORMAT2W format = {};
    format.cbSize = sizeof format;
    // The body keeps the body size everywhere: no row of it became a heading.
    CHARRANGE all = {0, paragraph.GetLength()};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&all);
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
    EXPECT_TRUE(format.dwMask & CFM_SIZE);
    EXPECT_EQ(11 * 20, format.yHeight);

    // Typing into the paragraph: the layout held while the edit is followed
    // comes back (wrapped, unmasked), the runs and the links stay.
    CHARRANGE typing = {200, 200};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&typing);
    SendMessageW(editor, WM_CHAR, L'k', 0);
    EXPECT_EQ(0, SendMessageW(editor, EM_GETPASSWORDCHAR, 0, 0));
    EXPECT_GT(SendMessageW(editor, EM_GETLINECOUNT, 0, 0), 20);
    AIString typed;
    ReadEditorText(editor, typed);
    EXPECT_EQ(L'k', typed.CharAt(200));
    EXPECT_LE(LongestRun(editor, 0, paragraph.GetLength()), (int)kLayoutRunChars + 1);
    SendMessageW(editor, EM_UNDO, 0, 0);
    ReadEditorText(editor, typed);
    ASSERT_TRUE(typed.EqualsString(paragraph));

    // Made a heading and plain again, the paragraph is put in again whole:
    // it is laid out in short runs again, and one undo brings it back.
    CHARRANGE inside = {100, 100};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&inside);
    ASSERT_EQ(ToggleHeading(nullptr, kHeadingLevel1), 1);
    EXPECT_LE(LongestRun(editor, 0, paragraph.GetLength() + 2), (int)kLayoutRunChars);
    SendMessageW(editor, EM_UNDO, 0, 0);
    AIString shown;
    ReadEditorText(editor, shown);
    EXPECT_TRUE(shown.EqualsString(paragraph)) << shown.GetLength() << " " << paragraph.GetLength() << " " << Utf8(shown).substr(0, 80);
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&inside);
    ASSERT_EQ(ToggleHeading(nullptr, kHeadingLevel1), 1);
    ASSERT_EQ(ToggleHeading(nullptr, kHeadingPlain), 1);
    EXPECT_LE(LongestRun(editor, 0, paragraph.GetLength()), (int)kLayoutRunChars);

    // Made a heading and plain again from the middle of the paragraph: the
    // caret's row stays where it was in the window, and the selection with
    // its text.
    RECT client;
    GetClientRect(editor, &client);
    CHARRANGE middle = {paragraph.GetLength() / 2, paragraph.GetLength() / 2 + 3};
    SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&middle);
    auto caretY = [editor](int at) {
        POINTL at_ = {};
        SendMessageW(editor, EM_POSFROMCHAR, (WPARAM)&at_, at);
        return (int)at_.y;
    };
    POINT view = {};
    SendMessageW(editor, EM_GETSCROLLPOS, 0, (LPARAM)&view);
    view.y += caretY(middle.cpMin) - client.bottom / 2;  // the caret's row in the middle
    SendMessageW(editor, EM_SETSCROLLPOS, 0, (LPARAM)&view);
    int rowY = caretY(middle.cpMin);
    ASSERT_GT(rowY, client.bottom / 4);
    ASSERT_LT(rowY, client.bottom * 3 / 4);
    SendMessageW(editor, EM_GETSCROLLPOS, 0, (LPARAM)&view);
    ASSERT_EQ(ToggleHeading(nullptr, kHeadingLevel1), 1);
    CHARRANGE now = {};
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&now);
    EXPECT_EQ(middle.cpMin + 2, now.cpMin);
    EXPECT_EQ(middle.cpMax + 2, now.cpMax);
    EXPECT_EQ(rowY, caretY(now.cpMin));
    ASSERT_EQ(ToggleHeading(nullptr, kHeadingPlain), 1);
    SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&now);
    EXPECT_EQ(middle.cpMin, now.cpMin);
    EXPECT_EQ(middle.cpMax, now.cpMax);
    EXPECT_EQ(rowY, caretY(now.cpMin));
    POINT viewAfter = {};
    SendMessageW(editor, EM_GETSCROLLPOS, 0, (LPARAM)&viewAfter);
    EXPECT_EQ(view.y, viewAfter.y);

    SendMessageW(editor, EM_SETMODIFY, TRUE, 0);
    ASSERT_EQ(SaveCurrentNote(kSaveAskOnFailure), 1);
    ASSERT_EQ(SaveDatafileIfOpen(), kSaveDone);
    EXPECT_EQ(original, ReadBytes(path.GetText()));
    DestroyWindow(frame);
}
