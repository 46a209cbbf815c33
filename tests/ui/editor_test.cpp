// The editor layer over the platform's RichEdit: link marks, words, freezing,
// tints and sizes, on a real rich edit.
#include "tests/support/gtest.h"
#include "tests/ui/recorder.h"
#include "ui/ai_control.h"
#include "ui/ai_text_document.h"
#include "ui/link_marks.h"
#include <string>

namespace {
struct EditorFixture : public testing::Test {
    HWND parent = 0;
    AIControl editor;
    AITextDocument* doc = 0;

    void SetUp() override
    {
        parent = MakeTestParent(500, 300);
        ASSERT_TRUE(editor.CreateWindowedAt(ControlRichEdit, parent, 0, 0, 480, 120,
                                            WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL));
        doc = editor.GetDocument();
        ASSERT_TRUE(doc != nullptr);
        SendMessageW(editor.GetHwnd(), EM_SETEVENTMASK, 0, ENM_SELCHANGE | ENM_CHANGE);
    }
    void TearDown() override { DestroyWindow(parent); }

    void SetText(const WCHAR* text)
    {
        SETTEXTEX how = {ST_DEFAULT, 1200};
        SendMessageW(editor.GetHwnd(), EM_SETTEXTEX, (WPARAM)&how, (LPARAM)text);
    }
    CHARFORMAT2W FormatAt(int position)
    {
        CHARFORMAT2W format = {};
        format.cbSize = sizeof(format);
        CHARRANGE one = {position, position + 1};
        SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&one);
        SendMessageW(editor.GetHwnd(), EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
        return format;
    }
    std::string Text()
    {
        AIString text;
        doc->GetRangeText(0, -1, &text);
        return Utf8(text);
    }
};

// Forty lines of text, so that a scroll position can be kept.
void MakeLongText(AIString* text)
{
    for (int i = 0; i < 40; i++) text->AppendText(L"line with some words ").AppendInt(i).AppendChar(L'\r');
}
}  // namespace

TEST_F(EditorFixture, NewEditorIsNotBold)
{
    SetText(L"plain");
    CHARFORMAT2W format = FormatAt(1);
    EXPECT_FALSE(format.dwEffects & CFE_BOLD);
    EXPECT_EQ(TomFalse, doc->GetRangeBold(0, 5));
    EXPECT_EQ(0, doc->GetRangeUnderline(0, 5));  // plain text reads 0
    EXPECT_EQ(10, doc->GetRangeFontSize(0, 5));
}

TEST_F(EditorFixture, MarksReadBackExactly)
{
    SetText(L"aaaa bbbb cccc dddd eeee ffff gggg");
    const int32_t marks[] = {0x11, 0x51, 0xD1, 0x80, 0xA0, 0xB0};
    for (int i = 0; i < 6; i++) ASSERT_TRUE(doc->SetRangeUnderline(i * 5, i * 5 + 4, marks[i]));
    for (int i = 0; i < 6; i++) {
        SCOPED_TRACE(marks[i]);
        EXPECT_EQ(marks[i], doc->GetRangeUnderline(i * 5, i * 5 + 4));
        EXPECT_EQ(marks[i], doc->GetRangeUnderline(i * 5 + 3, i * 5 + 4));
    }
    EXPECT_EQ(0, doc->GetRangeUnderline(30, 34));
    EXPECT_EQ(0, doc->GetRangeUnderline(4, 5));       // the blank between runs
    EXPECT_EQ(TomUndefined, doc->GetRangeUnderline(0, 10));  // two values
}

TEST_F(EditorFixture, ReadingAMarkLeavesSelectionScrollAndListenersAlone)
{
    AIString text;
    MakeLongText(&text);
    SetText(text.GetText());
    doc->SetRangeUnderline(5, 9, HyperlinkMark);
    int end = doc->GetTextLength();
    CHARRANGE selection = {end - 10, end - 4};
    SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&selection);
    POINT scroll;
    SendMessageW(editor.GetHwnd(), EM_GETSCROLLPOS, 0, (LPARAM)&scroll);
    ASSERT_GT(scroll.y, 0);
    PumpPending();
    g_recorded.Clear();

    EXPECT_EQ(HyperlinkMark, doc->GetRangeUnderline(6, 7));
    MarkRun runs[8];
    EXPECT_EQ(3, doc->ScanMarks(0, 40, runs, 8));

    PumpPending();
    EXPECT_EQ(0, g_recorded.CountOf(WM_NOTIFY));  // no EN_SELCHANGE reached the parent
    CHARRANGE after;
    SendMessageW(editor.GetHwnd(), EM_EXGETSEL, 0, (LPARAM)&after);
    EXPECT_EQ(selection.cpMin, after.cpMin);
    EXPECT_EQ(selection.cpMax, after.cpMax);
    POINT scrollAfter;
    SendMessageW(editor.GetHwnd(), EM_GETSCROLLPOS, 0, (LPARAM)&scrollAfter);
    EXPECT_EQ(scroll.y, scrollAfter.y);
    EXPECT_EQ(ENM_SELCHANGE | ENM_CHANGE, (DWORD)SendMessageW(editor.GetHwnd(), EM_GETEVENTMASK, 0, 0));
    EXPECT_TRUE(IsWindowVisible(editor.GetHwnd()));
    // The listener still hears real selection changes.
    CHARRANGE moved = {2, 3};
    SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&moved);
    EXPECT_EQ(1, g_recorded.CountOf(WM_NOTIFY));
}

TEST_F(EditorFixture, ScanFindsRunsInOrder)
{
    SetText(L"one [two] three @tag four");
    doc->SetRangeUnderline(4, 9, HyperlinkMark);
    doc->SetRangeUnderline(16, 20, TagMark);
    MarkRun runs[10];
    int count = doc->ScanMarks(0, -1, runs, 10);
    ASSERT_EQ(5, count);
    const MarkRun expected[] = {{0, 4, 0}, {4, 9, HyperlinkMark}, {9, 16, 0}, {16, 20, TagMark}, {20, 25, 0}};
    for (int i = 0; i < 5; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].start, runs[i].start);
        EXPECT_EQ(expected[i].end, runs[i].end);
        EXPECT_EQ(expected[i].mark, runs[i].mark);
    }
    EXPECT_EQ(2, doc->ScanMarks(0, -1, runs, 2));  // capped by the caller's room
}

TEST_F(EditorFixture, FormatRangeWritesALinkRun)
{
    SetText(L"see [Home page] now");
    editor.SetColourByKind(1);
    CHARRANGE caret = {18, 18};
    SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&caret);
    EXPECT_EQ(13, editor.FormatRange(4, 15, 1, HyperlinkMark));
    EXPECT_EQ("see Home page now", Text());
    CHARRANGE after;
    SendMessageW(editor.GetHwnd(), EM_EXGETSEL, 0, (LPARAM)&after);
    EXPECT_EQ(16, after.cpMin);  // the caret moved with its text
    EXPECT_EQ(HyperlinkMark, doc->GetRangeUnderline(4, 13));
    EXPECT_EQ(0, doc->GetRangeUnderline(13, 14));
    CHARFORMAT2W format = FormatAt(5);
    EXPECT_TRUE(format.dwEffects & CFE_PROTECTED);
    EXPECT_TRUE(format.dwEffects & CFE_UNDERLINE);
    EXPECT_FALSE(format.dwEffects & CFE_BOLD);
    EXPECT_EQ(RGB(0, 0, 255), format.crTextColor);

    EXPECT_EQ(17, editor.FormatRange(14, 17, 1, NoteLinkMark));
    EXPECT_EQ(RGB(220, 0, 0), FormatAt(15).crTextColor);
    editor.FormatRange(0, 3, 1, TagMark, RGB(220, 0, 220));
    EXPECT_EQ(RGB(220, 0, 220), FormatAt(1).crTextColor);

    // Mode 0 returns the run to the plain format.
    editor.FormatRange(4, 13, 0, 0);
    format = FormatAt(5);
    EXPECT_EQ(0, doc->GetRangeUnderline(4, 13));
    EXPECT_FALSE(format.dwEffects & (CFE_PROTECTED | CFE_UNDERLINE));
    EXPECT_EQ(RGB(1, 1, 1), format.crTextColor);
    EXPECT_EQ(200, format.yHeight);
}

TEST_F(EditorFixture, FormatRangeStopsAt200Characters)
{
    WCHAR text[301];
    for (int i = 0; i < 300; i++) text[i] = L'x';
    text[300] = 0;
    SetText(text);
    EXPECT_EQ(200, editor.FormatRange(0, 300, 1, NoteLinkMark));
    EXPECT_EQ(NoteLinkMark, doc->GetRangeUnderline(199, 200));
    EXPECT_EQ(0, doc->GetRangeUnderline(200, 201));
    // Brackets are a hyperlink's only: a note link keeps them.
    SetText(L"[x]");
    editor.FormatRangeDefault(0, 3);
    EXPECT_EQ("[x]", Text());
}

TEST_F(EditorFixture, GetWordAtUsesOwnBreaksLimitAndLinkRuns)
{
    SetText(L"alpha\tbeta gamma\rdelta my note title end");
    //        0     6    11    17    23
    CHARRANGE range;
    AIString word;
    struct Case {
        int position, limit;
        const char* word;
        int start;
    } cases[] = {
        {7, 100, "beta", 6},
        {10, 100, "beta", 6},   // the word ending at the position
        {0, 100, "alpha", 0},
        {13, 100, "gamma", 11},
        {18, 100, "delta", 17},
        {2, 3, "alp", 0},       // at most the limit
        {4, 2, "ha", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(0, editor.GetWordAt(c.position, &range, &word, c.limit, 0));
        EXPECT_EQ(c.word, Utf8(word));
        EXPECT_EQ(c.start, range.cpMin);
        EXPECT_EQ(c.start + (int)strlen(c.word), range.cpMax);
    }
    // A note link's label holds blanks: the word is the whole run, with its mark.
    editor.FormatRange(23, 36, 1, NoteLinkMark);
    EXPECT_EQ(NoteLinkMark, editor.GetWordAt(27, &range, &word, 100, 0));
    EXPECT_EQ("my note title", Utf8(word));
    EXPECT_EQ(NoteLinkMark, editor.GetWordAt(27, &range, &word, 5, 0));
    EXPECT_EQ(5, range.cpMax - range.cpMin);
    EXPECT_TRUE(range.cpMin <= 27 && 27 < range.cpMax);
    // A heading-marked word reports its first character's mark.
    doc->SetRangeUnderline(11, 16, HeadingMarkSmall);
    EXPECT_EQ(HeadingMarkSmall, editor.GetWordAt(14, &range, &word, 100, 0));
    // A row of short tags makes many runs before the position: the word is
    // still the tag's own run.
    AIString tags;
    for (int i = 0; i < 120; i++) tags.AppendText(L"#t ");
    SetText(tags.GetText());
    for (int i = 0; i < 120; i++) doc->SetRangeUnderline(i * 3, i * 3 + 2, TagMark);
    EXPECT_EQ(TagMark, editor.GetWordAt(301, &range, &word, 200, 0));
    EXPECT_EQ("#t", Utf8(word));
    EXPECT_EQ(300, range.cpMin);
    EXPECT_EQ(302, range.cpMax);
    // Between separators there is no word.
    SetText(L"a  b");
    EXPECT_EQ(0, editor.GetWordAt(2, &range, &word, 100, 0));
    EXPECT_EQ("", Utf8(word));
    EXPECT_EQ(range.cpMin, range.cpMax);
}

TEST_F(EditorFixture, FreezingNests)
{
    SetText(L"text");
    StartRecordingWindow(editor.GetHwnd());
    EXPECT_EQ(1, doc->FreezeEditor(1));
    EXPECT_EQ(2, doc->FreezeEditor(1));
    EXPECT_TRUE(doc->IsEditorVisible());
    EXPECT_FALSE(IsWindowVisible(editor.GetHwnd()));  // what the style says while frozen
    EXPECT_EQ(1, doc->FreezeEditor(0));
    EXPECT_EQ(0, doc->FreezeEditor(0));
    EXPECT_EQ(0, doc->FreezeEditor(0));  // an extra unfreeze changes nothing
    StopRecording();
    const UINT watched[] = {WM_SETREDRAW};
    const ExpectedMessage expected[] = {{WM_SETREDRAW, FALSE}, {WM_SETREDRAW, TRUE}};
    EXPECT_TRUE(g_recorded.Matches(watched, 1, expected, 2));
    EXPECT_TRUE(IsWindowVisible(editor.GetHwnd()));
    ShowWindow(editor.GetHwnd(), SW_HIDE);
    doc->FreezeEditor(1);
    EXPECT_FALSE(doc->IsEditorVisible());
    doc->FreezeEditor(0);
}

namespace {
// The editor's client area as drawn by the editor itself.
std::string Snapshot(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = r.right;
    info.bmiHeader.biHeight = -r.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = 0;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, 0, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, (WPARAM)memory, PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    std::string pixels((const char*)bits, (size_t)r.right * r.bottom * 4);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}
}  // namespace

TEST_F(EditorFixture, AMarkReadWithoutFocusLeavesTheSelectionShownLater)
{
    SetText(L"some words to select in the editor");
    CHARRANGE words = {0, 10};
    SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&words);
    SetFocus(editor.GetHwnd());
    std::string shown = Snapshot(editor.GetHwnd());
    SetFocus(parent);
    std::string unfocused = Snapshot(editor.GetHwnd());
    EXPECT_FALSE(unfocused == shown);  // without the focus the selection is hidden
    // A read while another window has the focus (a hover over a link).
    doc->GetRangeUnderline(0, 30);
    MarkRun runs[4];
    doc->ScanMarks(0, 30, runs, 4);
    EXPECT_TRUE(Snapshot(editor.GetHwnd()) == unfocused);
    SetFocus(editor.GetHwnd());
    EXPECT_TRUE(Snapshot(editor.GetHwnd()) == shown);
}

TEST_F(EditorFixture, ATintChangesNeitherUndoNorTheModifiedFlag)
{
    SetText(L"");
    SendMessageW(editor.GetHwnd(), EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(editor.GetHwnd(), EM_REPLACESEL, TRUE, (LPARAM)L"typed words");
    ASSERT_TRUE(SendMessageW(editor.GetHwnd(), EM_CANUNDO, 0, 0));
    SendMessageW(editor.GetHwnd(), EM_SETMODIFY, FALSE, 0);

    ASSERT_TRUE(doc->SetRangeBackColour(0, 5, RGB(100, 255, 100)));
    EXPECT_EQ((int32_t)RGB(100, 255, 100), doc->GetRangeBackColour(0, 5));
    EXPECT_EQ(0, (int)SendMessageW(editor.GetHwnd(), EM_GETMODIFY, 0, 0));
    EXPECT_TRUE(SendMessageW(editor.GetHwnd(), EM_CANUNDO, 0, 0));
    EXPECT_EQ(0, doc->GetUndoSuspendDepth());
    // Undo takes back the typing, not the tint.
    SendMessageW(editor.GetHwnd(), EM_UNDO, 0, 0);
    EXPECT_EQ("", Text());

    SetText(L"modified");
    SendMessageW(editor.GetHwnd(), EM_SETMODIFY, TRUE, 0);
    doc->SetRangeBackColour(0, 3, (COLORREF)-1);
    EXPECT_NE(0, (int)SendMessageW(editor.GetHwnd(), EM_GETMODIFY, 0, 0));
}

TEST_F(EditorFixture, UndoRecordingNests)
{
    SetText(L"");
    SendMessageW(editor.GetHwnd(), EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_EQ(1, doc->SetUndoRecording(0));
    EXPECT_EQ(1, doc->SetUndoRecording(0));
    EXPECT_EQ(1, doc->SetUndoRecording(1));
    SendMessageW(editor.GetHwnd(), EM_REPLACESEL, TRUE, (LPARAM)L"not recorded");
    EXPECT_FALSE(SendMessageW(editor.GetHwnd(), EM_CANUNDO, 0, 0));
    EXPECT_EQ(1, doc->SetUndoRecording(1));
    EXPECT_EQ(0, doc->GetUndoSuspendDepth());
    SendMessageW(editor.GetHwnd(), EM_REPLACESEL, TRUE, (LPARAM)L" recorded");
    EXPECT_TRUE(SendMessageW(editor.GetHwnd(), EM_CANUNDO, 0, 0));
    EXPECT_EQ(1, doc->SetUndoRecording(1));  // an extra resume is harmless
    EXPECT_EQ(0, doc->GetUndoSuspendDepth());
}

TEST_F(EditorFixture, SizesSpacingAndTriStates)
{
    SetText(L"heading and body");
    ASSERT_TRUE(doc->SetRangeFontSize(0, 7, 18));
    EXPECT_EQ(18, doc->GetRangeFontSize(0, 7));
    EXPECT_EQ(0, doc->GetRangeFontSize(0, 10));  // mixed
    doc->SetRangeUnderline(8, 11, NoteLinkMark);
    SendMessageW(editor.GetHwnd(), EM_SETMODIFY, FALSE, 0);
    editor.SetFont(L"Courier New", 12);
    EXPECT_EQ(18, doc->GetRangeFontSize(0, 7));  // the text keeps its sizes and marks
    EXPECT_EQ(NoteLinkMark, doc->GetRangeUnderline(8, 11));
    EXPECT_EQ(0, (int)SendMessageW(editor.GetHwnd(), EM_GETMODIFY, 0, 0));
    editor.ChangeRangeFontSize(0, 7, 0, 1);
    EXPECT_EQ(12, doc->GetRangeFontSize(0, 7));
    editor.ChangeRangeFontSize(0, 7, 9, 0);
    EXPECT_EQ(9, doc->GetRangeFontSize(0, 7));
    doc->SetHeadingSizes(14, 18, 24);
    EXPECT_TRUE(doc->IsHeadingSize(14));
    EXPECT_FALSE(doc->IsHeadingSize(13));

    const struct {
        int value;
        BYTE rule;
        LONG spacing;
    } spacing[] = {{10, 0, 0}, {15, 1, 0}, {20, 2, 0}, {150, 3, 300}, {42, 0, 0}};
    for (const auto& s : spacing) {
        SCOPED_TRACE(s.value);
        ASSERT_TRUE(doc->SetRangeLineSpacing(s.value));
        PARAFORMAT2 format = {};
        format.cbSize = sizeof(format);
        CHARRANGE all = {0, -1};
        SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&all);
        SendMessageW(editor.GetHwnd(), EM_GETPARAFORMAT, 0, (LPARAM)&format);
        EXPECT_EQ(s.rule, format.bLineSpacingRule);
        if (s.rule == 3) {
            EXPECT_EQ(s.spacing, format.dyLineSpacing);
        }
    }

    doc->SetRangeBold(0, 7, TomTrue);
    EXPECT_EQ(TomTrue, doc->GetRangeBold(0, 7));
    doc->SetRangeBold(0, 7, TomToggle);
    EXPECT_EQ(TomFalse, doc->GetRangeBold(0, 7));
    doc->SetRangeStrikeThrough(8, 11, TomTrue);
    EXPECT_EQ(TomUndefined, doc->GetRangeStrikeThrough(0, 11));
    doc->SetRangeItalic(12, 16, TomTrue);
    EXPECT_EQ(TomTrue, doc->GetRangeItalic(12, 16));
    doc->SetRangeForeColour(0, 3, RGB(9, 8, 7));
    EXPECT_EQ((int32_t)RGB(9, 8, 7), doc->GetRangeForeColour(0, 3));
}

TEST_F(EditorFixture, TextReadsAndReplacements)
{
    SetText(L"abcdef\rsecond");
    EXPECT_EQ(13, doc->GetTextLength());  // a paragraph end counts once
    EXPECT_EQ(L'd', doc->GetCharAt(3));
    EXPECT_EQ(L'\r', doc->GetCharAt(6));
    EXPECT_EQ(0, doc->GetCharAt(99));
    EXPECT_EQ(0, doc->GetCharAt(-1));
    WCHAR buffer[4];
    EXPECT_EQ(3, doc->GetRangeChars(0, 10, buffer, 4));  // bounded by the buffer
    EXPECT_EQ("abc", Utf8(buffer));
    // Inserting in the middle goes through the selection (undoable).
    SendMessageW(editor.GetHwnd(), EM_EMPTYUNDOBUFFER, 0, 0);
    ASSERT_TRUE(doc->SetRangeText(3, 3, L"XY"));
    EXPECT_EQ("abcXYdef\rsecond", Text());
    ASSERT_TRUE(doc->SetRangeText(0, 2, L""));
    EXPECT_EQ("cXYdef\rsecond", Text());
    EXPECT_TRUE(SendMessageW(editor.GetHwnd(), EM_CANUNDO, 0, 0));
    doc->SelectRangeTom(1, 3);
    AIString selected;
    doc->GetSelectedText(&selected);
    EXPECT_EQ("XY", Utf8(selected));
    editor.GetSelectedEditText(&selected);
    EXPECT_EQ("XY", Utf8(selected));
}

TEST_F(EditorFixture, SavedViewAndRichTextFile)
{
    AIString text;
    MakeLongText(&text);
    SetText(text.GetText());
    CHARRANGE selection = {800, 805};
    SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&selection);
    int length = doc->GetTextLength();
    EXPECT_EQ(length, editor.SaveEditorView(0));
    EXPECT_EQ(length, editor.SaveEditorView(1));
    CHARRANGE start = {0, 0};
    SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&start);
    editor.RestoreEditorView();
    CHARRANGE back;
    SendMessageW(editor.GetHwnd(), EM_EXGETSEL, 0, (LPARAM)&back);
    EXPECT_EQ(800, back.cpMin);
    EXPECT_EQ(805, back.cpMax);

    WCHAR folder[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"rtf", 0, path);
    const char rtf[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Rich {\\b bold} text\\par}";
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    DWORD written = 0;
    WriteFile(file, rtf, sizeof(rtf) - 1, &written, 0);
    CloseHandle(file);
    ASSERT_EQ(1, editor.LoadFileIntoEditor(path));
    EXPECT_EQ(0, Text().find("Rich bold text"));
    EXPECT_EQ(TomTrue, doc->GetRangeBold(5, 9));
    DeleteFileW(path);
    EXPECT_EQ(0, editor.LoadFileIntoEditor(L"C:\\no\\such\\file.rtf"));
}

// The program's editor object outlives its window: made again, it reads and
// suspends undo in the new window, not in the one destroyed.
TEST(EditorRemade, TheDocumentIsTheNewWindows)
{
    HWND parent = MakeTestParent(300, 200);
    AIControl editor;
    ASSERT_TRUE(editor.CreateWindowedAt(ControlRichEdit, parent, 0, 0, 280, 100, WS_VISIBLE | ES_MULTILINE));
    ASSERT_TRUE(editor.GetDocument() != nullptr);
    DestroyWindow(editor.GetHwnd());
    ASSERT_TRUE(editor.CreateWindowedAt(ControlRichEdit, parent, 0, 0, 280, 100, WS_VISIBLE | ES_MULTILINE));
    SETTEXTEX how = {ST_DEFAULT, 1200};
    SendMessageW(editor.GetHwnd(), EM_SETTEXTEX, (WPARAM)&how, (LPARAM)L"new window");
    AITextDocument* doc = editor.GetDocument();
    ASSERT_TRUE(doc != nullptr);
    AIString text;
    doc->GetRangeText(0, -1, &text);
    EXPECT_EQ("new window", Utf8(text));
    // A format change made with undo suspended is no undo step of the new window.
    SendMessageW(editor.GetHwnd(), EM_EMPTYUNDOBUFFER, 0, 0);
    ASSERT_TRUE(doc->SetUndoRecording(0));
    EXPECT_TRUE(doc->SetRangeBold(0, 3, TomTrue));
    ASSERT_TRUE(doc->SetUndoRecording(1));
    EXPECT_FALSE(SendMessageW(editor.GetHwnd(), EM_CANUNDO, 0, 0));
    DestroyWindow(parent);
}
