// Marks and effects of a note shown in a real rich edit: what reads back,
// and that text, undo steps and the modified flag stay as they were.
#include "tests/support/gtest.h"
#include "editor/note_marks.h"
#include "foundation/ai_string_table.h"
#include "foundation/ai_string_list.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "ui/link_marks.h"
#include <string>
#include <vector>

namespace {
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeParent()
{
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSW wc;
        ZeroMemory(&wc, sizeof(wc));
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(0);
        wc.lpszClassName = L"marksTestParent";
        atom = RegisterClassW(&wc);
    }
    // Shown without activation: this program runs beside the window tests,
    // whose screens follow the mouse only while they are the active window,
    // and a window shown the plain way would take the foreground from them.
    HWND parent = CreateWindowExW(0, L"marksTestParent", L"marks", WS_OVERLAPPEDWINDOW, 10, 10, 600, 400, 0, 0,
                                  GetModuleHandleW(0), 0);
    if (parent) ShowWindow(parent, SW_SHOWNOACTIVATE);
    return parent;
}

struct Mark {
    int start, end, mark;
    bool operator==(const Mark& o) const { return start == o.start && end == o.end && mark == o.mark; }
};
std::ostream& operator<<(std::ostream& out, const Mark& m)
{
    return out << "{" << m.start << "," << m.end << ",0x" << std::hex << m.mark << std::dec << "}";
}

int32_t s_lastMessage = 0;
void RememberMessage(int32_t id, const WCHAR*, const WCHAR*, const WCHAR*) { s_lastMessage = id; }

struct MarksFixture : public testing::Test {
    HWND parent = 0;
    AIControl editor;
    AITextDocument* doc = 0;

    void SetUp() override
    {
        parent = MakeParent();
        ASSERT_TRUE(editor.CreateWindowedAt(ControlRichEdit, parent, 0, 0, 580, 360,
                                            WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL));
        doc = editor.GetDocument();
        ASSERT_TRUE(doc != nullptr);
        SendMessageW(editor.GetHwnd(), EM_SETEVENTMASK, 0, ENM_SELCHANGE | ENM_CHANGE);
        editor.SetColourByKind(1);
        SetLinkMarksUnderlined(1);
        NoteStore& s = g_noteStore;
        s.noteIndex->Clear();
        s.hyperlinks->Clear();
        while (GetTagCount() > 0) RemoveTag(0);
        for (const WCHAR* title : {L"Books_to_read", L"Books", L"Rome", L"Home_page", L"Shopping"})
            s.noteIndex->AddItemString(title, L"0");
        s.currentTitle.AssignText(L"Shopping");
        s_lastMessage = 0;
        SetNoteStoreMessageHook(RememberMessage);
        InstallNoteMarks(&editor);
    }
    void TearDown() override
    {
        InstallNoteMarks(nullptr);
        SetNoteStoreMessageHook(nullptr);
        DestroyWindow(parent);
    }

    void Show(const WCHAR* text)
    {
        SetWindowTextW(editor.GetHwnd(), text);
        SendMessageW(editor.GetHwnd(), EM_EMPTYUNDOBUFFER, 0, 0);
        SendMessageW(editor.GetHwnd(), EM_SETMODIFY, FALSE, 0);
    }
    std::string Text()
    {
        AIString text;
        doc->GetRangeText(0, -1, &text);
        return Utf8(text);
    }
    std::vector<Mark> Marks()
    {
        static MarkRun runs[4000];
        int count = doc->ScanMarks(0, -1, runs, 4000);
        std::vector<Mark> out;
        for (int i = 0; i < count; i++)
            if (runs[i].mark) out.push_back({runs[i].start, runs[i].end, runs[i].mark});
        return out;
    }
    CHARFORMAT2W FormatOf(int start, int end)
    {
        CHARFORMAT2W format = {};
        format.cbSize = sizeof(format);
        CHARRANGE kept, range = {start, end};
        SendMessageW(editor.GetHwnd(), EM_EXGETSEL, 0, (LPARAM)&kept);
        SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&range);
        SendMessageW(editor.GetHwnd(), EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
        SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&kept);
        return format;
    }
    void TypeAt(int position, const WCHAR* text)
    {
        CHARRANGE at = {position, position};
        SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&at);
        SendMessageW(editor.GetHwnd(), EM_REPLACESEL, TRUE, (LPARAM)text);
    }
};

const WCHAR kNote[] = L"# Books\r"                                  // 0-7 heading: no note link
                      L"Read [Home page] and Books to read.\r"     // 8-43
                      L"@todo see www.example.org or Rome\r"       // 44-77
                      L"**Big** //it// --old-- [missing]";         // 78-109
}  // namespace

TEST_F(MarksFixture, NoteShownWithEveryKindOfMarkTextUnchanged)
{
    g_noteStore.hyperlinks->AddItemString(L"Home page", L"http://home.example.org");
    g_noteStore.hyperlinks->AddItemString(L"absent", L"http://nowhere.example.org");
    Show(kNote);
    std::string before = Text();
    ShowNoteHyperlinks();  // on the installed editor

    EXPECT_EQ(before, Text());
    EXPECT_EQ(std::vector<Mark>({{14, 23, HyperlinkMark},   // the label, brackets outside
                                 {29, 42, NoteLinkMark},    // "Books to read" before "Books"
                                 {44, 49, TagMark},
                                 {54, 69, HyperlinkMark},   // the address
                                 {73, 77, NoteLinkMark}}),
              [&] {
                  // Heading runs carry their own mark in the shell; this editor has none.
                  return Marks();
              }());
    // Protected, coloured by kind; a hyperlink named like a note in magenta.
    CHARFORMAT2W link = FormatOf(14, 23);
    EXPECT_TRUE(link.dwEffects & CFE_PROTECTED);
    EXPECT_EQ(RGB(220, 0, 220), link.crTextColor);
    EXPECT_EQ(RGB(220, 0, 0), FormatOf(29, 42).crTextColor);
    EXPECT_EQ(RGB(0, 150, 0), FormatOf(44, 49).crTextColor);
    EXPECT_EQ(RGB(0, 0, 255), FormatOf(54, 69).crTextColor);
    // Inline effects on the text between the markers; the markers stay plain.
    EXPECT_EQ(TomTrue, doc->GetRangeBold(80, 83));
    EXPECT_EQ(TomFalse, doc->GetRangeBold(78, 80));
    EXPECT_EQ(TomFalse, doc->GetRangeBold(83, 85));
    EXPECT_EQ(TomFalse, doc->GetRangeItalic(90, 92));
    EXPECT_EQ(TomTrue, doc->GetRangeItalic(88, 90));
    EXPECT_EQ(TomTrue, doc->GetRangeStrikeThrough(95, 98));
    EXPECT_EQ(TomFalse, doc->GetRangeStrikeThrough(99, 109));
    // The tag list knows the note now.
    int32_t tag = FindTag(L"todo");
    ASSERT_GE(tag, 0);
    EXPECT_GE(g_noteStore.tagNotes[tag]->FindItemString(L"Shopping", 1), 0);
}

TEST_F(MarksFixture, NeitherUndoNorModifiedFlagNorSelectionMove)
{
    HWND hwnd = editor.GetHwnd();
    Show(kNote);
    CHARRANGE selection = {30, 33};
    SendMessageW(hwnd, EM_EXSETSEL, 0, (LPARAM)&selection);
    ShowNoteHyperlinks();
    EXPECT_FALSE(SendMessageW(hwnd, EM_CANUNDO, 0, 0));
    EXPECT_FALSE(SendMessageW(hwnd, EM_GETMODIFY, 0, 0));
    CHARRANGE now;
    SendMessageW(hwnd, EM_EXGETSEL, 0, (LPARAM)&now);
    EXPECT_EQ(30, now.cpMin);
    EXPECT_EQ(33, now.cpMax);

    // After a real edit, undo takes back that edit and nothing else.
    TypeAt(8, L"X");
    std::string edited = Text();
    ASSERT_TRUE(SendMessageW(hwnd, EM_GETMODIFY, 0, 0));
    ShowNoteHyperlinks();
    EXPECT_TRUE(SendMessageW(hwnd, EM_GETMODIFY, 0, 0));
    EXPECT_EQ(edited, Text());
    SendMessageW(hwnd, EM_UNDO, 0, 0);
    AIString original(kNote);
    EXPECT_EQ(Utf8(original), Text());
    EXPECT_FALSE(SendMessageW(hwnd, EM_CANUNDO, 0, 0));
}

TEST_F(MarksFixture, NextNoteStartsPlainAndOldMarksGo)
{
    Show(L"Rome first");
    ShowNoteHyperlinks();
    ASSERT_EQ(std::vector<Mark>({{0, 4, NoteLinkMark}}), Marks());
    // The next note replaces the text; nothing of the link may leak into it.
    Show(L"Plain words, **bold** no more");
    ShowNoteHyperlinks();
    EXPECT_EQ(std::vector<Mark>(), Marks());
    CHARFORMAT2W first = FormatOf(0, 5);
    EXPECT_FALSE(first.dwEffects & CFE_PROTECTED);
    EXPECT_EQ(TomFalse, doc->GetRangeBold(0, 5));
    EXPECT_EQ(TomTrue, doc->GetRangeBold(15, 19));
}

TEST_F(MarksFixture, TooManyTitlesStopAtTheCapWithMessage29)
{
    AIString text;
    for (int i = 0; i < 1005; i++) text.AppendText(i % 40 == 39 ? L"Rome\r" : L"Rome ");
    Show(text.GetText());
    NoteMarkCounts counts;
    ShowAllNoteMarks(&editor, &counts);
    EXPECT_EQ(kMaxAutomaticLinks, counts.noteLinks);
    EXPECT_EQ(1, counts.capHit);
    EXPECT_EQ(kMsgTooManyAutolinks, s_lastMessage);
    EXPECT_EQ(kMaxAutomaticLinks, (int)Marks().size());
    EXPECT_EQ(Utf8(text), Text());

    s_lastMessage = 0;
    Show(L"Rome and Rome");
    ShowAllNoteMarks(&editor, &counts);
    EXPECT_EQ(0, counts.capHit);
    EXPECT_EQ(0, s_lastMessage);
}

TEST_F(MarksFixture, LineTagsAfterAnEditMarkAndUnmarkTheLine)
{
    HWND hwnd = editor.GetHwnd();
    Show(L"first line\rtyped here\rlast Rome");
    ShowNoteHyperlinks();
    ASSERT_EQ(std::vector<Mark>({{27, 31, NoteLinkMark}}), Marks());

    // The user types a title and a tag into the second line.
    TypeAt(21, L" Books @later");
    ApplyLineTagsInEditor(1);
    EXPECT_EQ(std::vector<Mark>({{22, 27, NoteLinkMark}, {28, 34, TagMark}, {40, 44, NoteLinkMark}}), Marks());
    EXPECT_GE(FindTag(L"later"), 0);
    EXPECT_TRUE(SendMessageW(hwnd, EM_CANUNDO, 0, 0));  // the typing, not the marks

    // The title is edited away: the line's note link goes, the other line's stays.
    TypeAt(27, L"x");
    ApplyLineTagsInEditor(1);
    EXPECT_EQ(std::vector<Mark>({{29, 35, TagMark}, {41, 45, NoteLinkMark}}), Marks());

    // Without reformatting only the tag lists learn the line's tags.
    TypeAt(0, L"@new ");
    ApplyLineTagsInEditor(0);
    EXPECT_GE(FindTag(L"new"), 0);
    EXPECT_EQ(std::vector<Mark>({{34, 40, TagMark}, {46, 50, NoteLinkMark}}), Marks());
}

TEST_F(MarksFixture, TagListsStayWithinTheirLimits)
{
    AIString text;
    for (int i = 0; i < 60; i++) text.AppendText(L"@t").AppendInt(i).AppendChar(L' ');
    Show(text.GetText());
    ShowNoteHyperlinks();
    EXPECT_EQ(kMaxTags, GetTagCount());
    EXPECT_EQ(60, (int)Marks().size());  // every tag is shown, the list keeps 50
}

TEST_F(MarksFixture, LinksWithoutUnderlineStillCarryTheirKind)
{
    SetLinkMarksUnderlined(0);
    Show(L"Rome @tag");
    ShowNoteHyperlinks();
    EXPECT_EQ(std::vector<Mark>({{0, 4, NoteLinkMarkPlain}, {5, 9, TagMarkPlain}}), Marks());
    SetLinkMarksUnderlined(1);
}

TEST_F(MarksFixture, AHeadingLineGetsItsFormatBackWhenALinkInItGoes)
{
    Show(L"# Head @tag\rbody");
    CHARFORMAT2W heading = {};
    heading.cbSize = sizeof(heading);
    heading.dwMask = CFM_BOLD | CFM_SIZE | CFM_UNDERLINETYPE | CFM_COLOR;
    heading.dwEffects = CFE_BOLD;
    heading.yHeight = 18 * 20;
    heading.bUnderlineType = HeadingMarkLarge;
    heading.crTextColor = RGB(30, 80, 160);
    CHARRANGE line = {0, 11};
    SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&line);
    SendMessageW(editor.GetHwnd(), EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&heading);
    ShowNoteHyperlinks();
    // The platform reads a heading's type as an underline: it shows as a run of its own.
    ASSERT_EQ(std::vector<Mark>({{0, 7, HeadingMarkLarge}, {7, 11, TagMark}}), Marks());
    EXPECT_EQ(TomTrue, doc->GetRangeBold(7, 11));  // a link in a heading keeps its weight

    // "@" becomes "a": no tag any more, the heading's format is whole again.
    CHARRANGE at = {7, 8};
    SendMessageW(editor.GetHwnd(), EM_EXSETSEL, 0, (LPARAM)&at);
    SendMessageW(editor.GetHwnd(), EM_REPLACESEL, TRUE, (LPARAM)L"a");
    ApplyLineTagsInEditor(1);
    EXPECT_EQ(std::vector<Mark>({{0, 11, HeadingMarkLarge}}), Marks());
    CHARFORMAT2W after = FormatOf(0, 11);
    EXPECT_TRUE(after.dwMask & CFM_UNDERLINETYPE);
    EXPECT_EQ(HeadingMarkLarge, after.bUnderlineType);
    EXPECT_EQ(RGB(30, 80, 160), after.crTextColor);
    EXPECT_FALSE(after.dwEffects & CFE_PROTECTED);
    EXPECT_EQ(TomTrue, doc->GetRangeBold(0, 11));
}

TEST_F(MarksFixture, ALineThatWasOneWholeLinkGetsThePlainColourBack)
{
    Show(L"plain line\rRome");
    ShowNoteHyperlinks();
    COLORREF plain = FormatOf(0, 5).crTextColor;
    ASSERT_EQ(std::vector<Mark>({{11, 15, NoteLinkMark}}), Marks());
    TypeAt(15, L"x");
    ApplyLineTagsInEditor(1);
    EXPECT_EQ(std::vector<Mark>(), Marks());
    CHARFORMAT2W after = FormatOf(11, 16);
    EXPECT_EQ(plain, after.crTextColor);
    EXPECT_FALSE(after.dwEffects & CFE_PROTECTED);
}

TEST_F(MarksFixture, AnEditInALongParagraphWritesOnlyWhatChanged)
{
    AIString text;
    while (text.GetLength() < 2400) text.AppendText(L"garden Books to read river www.example.org stone ");
    AIString note(L"short line\r");
    note.AppendString(text).AppendText(L"\r# ").AppendString(text);
    Show(note.GetText());
    ShowAllNoteMarks(&editor, 0);
    const int kLong = 11;  // where the long paragraph starts
    CHARFORMAT2W body = FormatOf(kLong, kLong + 1);
    // A letter typed into a plain word changes no format.
    TypeAt(kLong + 1001, L"k");
    EXPECT_EQ(0, MarkAroundEdit(&editor, kLong + 1000, kLong + 1002, kLong + 1002, body));
    // A letter that lengthens a title's last word ends the title: the title
    // is written plain, in one piece.
    std::string now = Text();
    int river = (int)now.find(" river", 1000);
    TypeAt(river, L"s");
    EXPECT_EQ(1, MarkAroundEdit(&editor, river - 1, river + 1, -1, body));
    std::vector<Mark> marks = Marks();
    ShowAllNoteMarks(&editor, 0);
    EXPECT_EQ(Marks(), marks);
    // The whole treatment: a short paragraph, a heading, an edit over a
    // paragraph end.
    EXPECT_EQ(-1, MarkAroundEdit(&editor, 3, 4, -1, body));
    int heading = (int)Text().find("# ");
    EXPECT_EQ(-1, MarkAroundEdit(&editor, heading + 500, heading + 501, -1, body));
    EXPECT_EQ(-1, MarkAroundEdit(&editor, heading - 3, heading + 1, -1, body));
}
