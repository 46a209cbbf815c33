// Long paragraphs in the rich edit: where runs end, the text put in as runs
// reads back character for character, the runs are there and look the same,
// and the layout pause nests and leaves the editor as it was.
#include "tests/support/gtest.h"
#include "tests/ui/recorder.h"
#include "foundation/ai_string.h"
#include "ui/ai_control.h"
#include "ui/editor_selection.h"
#include "ui/long_paragraph_layout.h"
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

namespace {
std::string Hex(const AIString& text, int from, int count)
{
    std::string out;
    char buffer[8];
    for (int i = from; i < from + count && i < text.GetLength(); i++) {
        snprintf(buffer, sizeof buffer, "%04x ", (unsigned)text.CharAt(i));
        out += buffer;
    }
    return out;
}

// Where two texts first differ, shown around that place; empty when equal.
std::string FirstDifference(const AIString& want, const AIString& got)
{
    int i = 0;
    while (i < want.GetLength() && i < got.GetLength() && want.CharAt(i) == got.CharAt(i)) i++;
    if (i == want.GetLength() && i == got.GetLength()) return "";
    int from = i > 4 ? i - 4 : 0;
    return "at " + std::to_string(i) + " of " + std::to_string(want.GetLength()) + "/" +
           std::to_string(got.GetLength()) + ": want " + Hex(want, from, 10) + "got " + Hex(got, from, 10);
}

// A long paragraph of words with every kind of character the stream must
// carry exactly, some of them where runs end.
void MakeAwkwardParagraph(AIString& out, int chars)
{
    static const WCHAR* const kPieces[] = {
        L"word ", L"{brace} ", L"back\\slash ", L"tab\there ", L"caf\x00E9 ", L"\x20AC\x00A0", L"\xD83D\xDE00 ",
        L"lone\xD800 ", L"\xDC00lone ", L"e\x0301 ", L"\x0001\x001F\x000B\x000C ", L"\xFFFF\xFFFE\xFEFF ",
        L"\x2028\x2029\x0085 ", L"\x4E2D\x6587", L"\\par ", L"\\u65? ", L"}{", L"? ",
    };
    int i = 0;
    while (out.GetLength() < chars) out.AppendText(kPieces[i++ % (int)(sizeof kPieces / sizeof kPieces[0])]);
}

// The editor's form of a text: every paragraph end one CR.
void EditorForm(const WCHAR* text, AIString& out)
{
    out.Clear();
    for (const WCHAR* p = text; *p; p++) {
        if (*p == L'\r' && p[1] == L'\n') p++;
        out.AppendChar(*p == L'\n' ? L'\r' : *p);
    }
}

struct LongParagraphFixture : public testing::Test {
    HWND parent = 0;
    AIControl editor;
    HWND hwnd = 0;

    void SetUp() override
    {
        parent = MakeTestParent(500, 300);
        ASSERT_TRUE(editor.CreateWindowedAt(ControlRichEdit, parent, 0, 0, 480, 200,
                                            WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL));
        hwnd = editor.GetHwnd();
        SendMessageW(hwnd, EM_EXLIMITTEXT, 0, 200000);
    }
    void TearDown() override { DestroyWindow(parent); }

    void SetBodyFace(const WCHAR* face)
    {
        CHARFORMAT2W body = {};
        body.cbSize = sizeof body;
        body.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD;
        body.yHeight = 220;
        body.crTextColor = RGB(20, 20, 20);
        lstrcpynW(body.szFaceName, face, LF_FACESIZE);
        SendMessageW(hwnd, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&body);
        SendMessageW(hwnd, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&body);
    }
    // The text streamed in as BuildLayoutRtf writes it, without the plain
    // way SetEditorTextInRuns falls back to.
    void Stream(const AIString& text)
    {
        CHARFORMAT2W body = {};
        body.cbSize = sizeof body;
        SendMessageW(hwnd, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&body);
        AIString rtf;
        ASSERT_EQ(1, BuildLayoutRtf(text.GetText(), text.GetLength(), body, rtf));
        std::string bytes;
        for (int i = 0; i < rtf.GetLength(); i++) bytes += (char)rtf.CharAt(i);
        struct Source {
            std::string bytes;
            size_t at;
            static DWORD CALLBACK Read(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given)
            {
                Source* s = (Source*)cookie;
                size_t n = s->bytes.size() - s->at < (size_t)wanted ? s->bytes.size() - s->at : (size_t)wanted;
                memcpy(buffer, s->bytes.data() + s->at, n);
                s->at += n;
                *given = (LONG)n;
                return 0;
            }
        } source = {bytes, 0};
        EDITSTREAM stream = {(DWORD_PTR)&source, 0, Source::Read};
        LayoutPause pause(hwnd);
        SendMessageW(hwnd, EM_STREAMIN, SF_RTF, (LPARAM)&stream);
        ASSERT_EQ(0u, stream.dwError);
    }
    // The text read back both ways equals `want`.
    void ExpectBothWays(const AIString& source, const AIString& want)
    {
        Stream(source);
        EXPECT_EQ("", FirstDifference(want, Text())) << "streamed: " << Utf8(source);
        Put(source);
        EXPECT_EQ("", FirstDifference(want, Text())) << "put: " << Utf8(source);
    }
    void Put(const AIString& text)
    {
        LayoutPause pause(hwnd);
        ASSERT_EQ(1, SetEditorTextInRuns(hwnd, text.GetText(), text.GetLength()));
    }
    AIString Text()
    {
        AIString text;
        ReadEditorText(hwnd, text);
        return text;
    }
    CHARFORMAT2W FormatAt(int position)
    {
        CHARFORMAT2W format = {};
        format.cbSize = sizeof format;
        ReadRangeFormat(hwnd, position, position + 1, &format);
        return format;
    }
    // The lengths of the runs of [start, end) told apart by `differ`.
    template <class Differ> std::vector<int> Runs(int start, int end, Differ differ)
    {
        std::vector<int> lengths;
        QuietSelection quiet(hwnd, 0);
        CHARFORMAT2W previous = FormatAt(start);
        int runStart = start;
        for (int i = start + 1; i < end; i++) {
            CHARFORMAT2W here = FormatAt(i);
            if (differ(previous, here)) {
                lengths.push_back(i - runStart);
                runStart = i;
            }
            previous = here;
        }
        lengths.push_back(end - runStart);
        return lengths;
    }
};

bool FacesDiffer(const CHARFORMAT2W& a, const CHARFORMAT2W& b) { return lstrcmpW(a.szFaceName, b.szFaceName) != 0; }
bool LocalesDiffer(const CHARFORMAT2W& a, const CHARFORMAT2W& b) { return a.lcid != b.lcid; }
}  // namespace

TEST(LayoutRunEnd, EndsAfterABlankInItsSecondHalfAndNeverInsideACharacter)
{
    AIString words;
    while (words.GetLength() < 200) words.AppendText(L"garden stone ");
    const WCHAR* t = words.GetText();
    int length = words.GetLength();
    for (int start = 0; start < length;) {
        int end = LayoutRunEnd(t, start, length);
        ASSERT_GT(end, start);
        ASSERT_LE(end - start, (int)kLayoutRunChars);
        if (end < length) {
            EXPECT_EQ(L' ', t[end - 1]) << "run " << start << ".." << end;
            EXPECT_GT(end - start, kLayoutRunChars / 2);
        }
        start = end;
    }
    // A paragraph no longer than one run is one run.
    EXPECT_EQ(kLayoutRunChars, LayoutRunEnd(t, 0, kLayoutRunChars));

    // No blank: the run is cut at its length, but not between the halves of
    // a surrogate pair nor before a combining mark or a joiner.
    AIString solid;
    for (int i = 0; i < kLayoutRunChars - 1; i++) solid.AppendChar(L'x');
    solid.AppendText(L"\xD83D\xDE00xxxx");
    EXPECT_EQ(kLayoutRunChars - 1, LayoutRunEnd(solid.GetText(), 0, solid.GetLength()));
    AIString marks;
    for (int i = 0; i < kLayoutRunChars - 1; i++) marks.AppendChar(L'x');
    marks.AppendText(L"e\x0301\x200D" L"xxxx");
    EXPECT_EQ(kLayoutRunChars - 1, LayoutRunEnd(marks.GetText(), 0, marks.GetLength()));

    // A blank that carries a mark is no place to end a run: the one before it is.
    AIString marked;
    for (int i = 0; i < kLayoutRunChars - 10; i++) marked.AppendChar(L'x');
    marked.AppendText(L" yyyyy \x0301zzzzzzzzzzzz");
    int end = LayoutRunEnd(marked.GetText(), 0, marked.GetLength());
    EXPECT_EQ(kLayoutRunChars - 9, end);
}

TEST(BuildLayoutRtf, RefusesAFaceItCannotWriteInTwoCases)
{
    CHARFORMAT2W body = {};
    body.cbSize = sizeof body;
    AIString rtf;
    lstrcpynW(body.szFaceName, L"12345", LF_FACESIZE);  // no letter to change
    EXPECT_EQ(0, BuildLayoutRtf(L"text", 4, body, rtf));
    lstrcpynW(body.szFaceName, L"\x5B8B\x4F53", LF_FACESIZE);  // not 7-bit
    EXPECT_EQ(0, BuildLayoutRtf(L"text", 4, body, rtf));
    lstrcpynW(body.szFaceName, L"Odd;Face", LF_FACESIZE);  // ends the font table's entry
    EXPECT_EQ(0, BuildLayoutRtf(L"text", 4, body, rtf));
    lstrcpynW(body.szFaceName, L"Liberation Sans", LF_FACESIZE);
    EXPECT_EQ(1, BuildLayoutRtf(L"text", 4, body, rtf));
    EXPECT_GE(rtf.FindText(L"liberation sans;"), 0);
}

TEST_F(LongParagraphFixture, EveryCharacterReadsBackAndParagraphEndsBecomeOne)
{
    SetBodyFace(L"Liberation Sans");
    // Short texts of each paragraph end, and texts that end with one.
    const WCHAR* const kShort[] = {L"a\r\nb", L"a\rb", L"a\nb", L"a\r\r\nb", L"a\n\rb", L"a\r\n", L"a\r", L"a\n",
                                   L"\r\n", L"\r\n\r\n", L"\r\nx", L"x", L"", L"{\\}", L"\\par", L"\t\t"};
    for (const WCHAR* text : kShort) {
        AIString source(text), want;
        EditorForm(text, want);
        ExpectBothWays(source, want);
    }
    // A long paragraph with every awkward character, several of them where
    // runs end, between two short ones.
    AIString paragraph;
    MakeAwkwardParagraph(paragraph, 4000);
    AIString source;
    source.AppendText(L"first line\r\n").AppendString(paragraph).AppendText(L"\r\nlast\tline\r\n");
    AIString want;
    EditorForm(source.GetText(), want);
    ExpectBothWays(source, want);
    // Every character below the space, alone in a line.
    AIString controls;
    for (WCHAR c = 1; c < 0x20; c++)
        if (c != L'\r' && c != L'\n') controls.AppendChar(L'<').AppendChar(c).AppendText(L">\r\n");
    EditorForm(controls.GetText(), want);
    ExpectBothWays(controls, want);
}

TEST_F(LongParagraphFixture, LongParagraphsGetShortRunsThatDifferOnlyInTheFacesLetterCase)
{
    SetBodyFace(L"Liberation Sans");
    CHARFORMAT2W body = {};
    body.cbSize = sizeof body;
    SendMessageW(hwnd, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&body);
    AIString source;
    source.AppendText(L"a short line of words that is one run\r\n");
    int paragraphStart = source.GetLength();
    AIString paragraph;
    MakeAwkwardParagraph(paragraph, 1500);
    source.AppendString(paragraph);
    Put(source);

    std::vector<int> shortLine = Runs(0, paragraphStart - 1, FacesDiffer);
    EXPECT_EQ(std::vector<int>({paragraphStart - 1}), shortLine);
    std::vector<int> runs = Runs(paragraphStart, source.GetLength(), FacesDiffer);
    EXPECT_GE((int)runs.size(), paragraph.GetLength() / kLayoutRunChars);
    for (size_t i = 0; i < runs.size(); i++) EXPECT_LE(runs[i], (int)kLayoutRunChars) << "run " << i;

    // The same font everywhere, in every other respect the body's format.
    const DWORD kCompared = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINETYPE | CFM_SIZE | CFM_COLOR | CFM_CHARSET | CFM_LCID;
    for (int at = paragraphStart; at < source.GetLength(); at += 7) {
        CHARFORMAT2W here = FormatAt(at);
        ASSERT_EQ(kCompared, here.dwMask & kCompared) << at;
        EXPECT_EQ(0, lstrcmpiW(body.szFaceName, here.szFaceName)) << at;
        EXPECT_EQ(body.bCharSet, here.bCharSet) << at;
        EXPECT_EQ(body.bPitchAndFamily, here.bPitchAndFamily) << at;
        EXPECT_EQ(body.yHeight, here.yHeight) << at;
        EXPECT_EQ(body.crTextColor, here.crTextColor) << at;
        EXPECT_EQ(body.lcid, here.lcid) << at;
        EXPECT_EQ(body.bUnderlineType, here.bUnderlineType) << at;
        EXPECT_EQ(body.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_AUTOCOLOR),
                  here.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_AUTOCOLOR))
            << at;
    }
    // The next paragraph starts in the body's own face.
    source.AppendText(L"\r\nafter");
    Put(source);
    EXPECT_EQ(0, lstrcmpW(body.szFaceName, FormatAt(source.GetLength() - 2).szFaceName));
}

TEST_F(LongParagraphFixture, AFaceTheStreamCannotCarryStillGetsItsTextAndRunsByLocale)
{
    SetBodyFace(L"12345");
    AIString paragraph, want;
    MakeAwkwardParagraph(paragraph, 1200);
    paragraph.AppendText(L"\r\nend");
    EditorForm(paragraph.GetText(), want);
    Put(paragraph);
    EXPECT_EQ("", FirstDifference(want, Text()));
    std::vector<int> runs = Runs(0, want.GetLength() - 4, LocalesDiffer);
    EXPECT_GE((int)runs.size(), 1200 / kLayoutRunChars);
    for (size_t i = 0; i < runs.size(); i++) EXPECT_LE(runs[i], (int)kLayoutRunChars) << "run " << i;
}

TEST_F(LongParagraphFixture, APauseNestsReadsTheRealTextAndLeavesTheEditorWrappingAndUnmasked)
{
    SetBodyFace(L"Liberation Sans");
    AIString words;
    while (words.GetLength() < 3000) words.AppendText(L"spring garden ");
    Put(words);
    RECT client;
    GetClientRect(hwnd, &client);
    LRESULT wrappedLines = SendMessageW(hwnd, EM_GETLINECOUNT, 0, 0);
    ASSERT_GT(wrappedLines, 10);
    {
        LayoutPause outer(hwnd);
        EXPECT_EQ(1, SendMessageW(hwnd, EM_GETLINECOUNT, 0, 0));  // no wrap while paused
        {
            LayoutPause inner(hwnd);
            // Marking reads the text itself, not the measuring mask.
            AIString read = Text();
            EXPECT_EQ("", FirstDifference(words, read));
            AIString range;
            editor.GetDocument()->GetRangeText(0, 6, &range);
            EXPECT_STREQ("spring", Utf8(range).c_str());
        }
        EXPECT_EQ(1, SendMessageW(hwnd, EM_GETLINECOUNT, 0, 0));  // still the outer pause's
    }
    EXPECT_EQ(0, SendMessageW(hwnd, EM_GETPASSWORDCHAR, 0, 0));
    EXPECT_EQ(wrappedLines, SendMessageW(hwnd, EM_GETLINECOUNT, 0, 0));
    EXPECT_FALSE(GetWindowLongW(hwnd, GWL_STYLE) & ES_PASSWORD);
    // Copying works again (a masked editor refuses to copy).
    CHARRANGE first = {0, 6};
    SendMessageW(hwnd, EM_EXSETSEL, 0, (LPARAM)&first);
    SendMessageW(hwnd, WM_COPY, 0, 0);
    ASSERT_TRUE(OpenClipboard(hwnd));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::string copied = data ? Utf8((const WCHAR*)GlobalLock(data)) : "";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ("spring", copied);
}

// Reading marks under a QuietSelection turns the editor's drawing off and on
// again; what was waiting to be drawn (a note just shown, a selection just
// made) must still be drawn, and a read alone asks for no drawing.
TEST_F(LongParagraphFixture, AQuietReadKeepsWhatWasWaitingToBeDrawnAndAddsNothing)
{
    ShowWindow(parent, SW_SHOW);
    Put(AIString(L"spring garden notes"));
    auto quietRead = [&] {
        QuietSelection quiet(hwnd, 0);
        CHARFORMAT2W format;
        ReadRangeFormat(hwnd, 0, 6, &format);
    };
    ValidateRect(hwnd, nullptr);
    RECT shown = {0, 0, 120, 20};
    InvalidateRect(hwnd, &shown, TRUE);
    quietRead();
    RECT waiting = {};
    ASSERT_TRUE(GetUpdateRect(hwnd, &waiting, FALSE));
    RECT both;
    UnionRect(&both, &waiting, &shown);
    EXPECT_TRUE(EqualRect(&both, &waiting));
    ValidateRect(hwnd, nullptr);
    quietRead();
    EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
}

TEST_F(LongParagraphFixture, PuttingATextClearsTheModifiedFlagAsSettingItDoesAndRunsKeepIt)
{
    AIString words;
    while (words.GetLength() < 3000) words.AppendText(L"spring garden ");
    for (const WCHAR* face : {L"Liberation Sans", L"12345"}) {
        SCOPED_TRACE(Utf8(face));
        SetBodyFace(face);
        SendMessageW(hwnd, EM_SETMODIFY, TRUE, 0);
        Put(words);
        EXPECT_FALSE(SendMessageW(hwnd, EM_GETMODIFY, 0, 0));
    }
    // A paragraph laid out in runs again keeps the flag either way.
    for (BOOL modified : {FALSE, TRUE}) {
        SendMessageW(hwnd, EM_SETMODIFY, modified, 0);
        {
            LayoutPause pause(hwnd);
            FormatParagraphRuns(hwnd, 0, words.GetText(), words.GetLength());
        }
        EXPECT_EQ(modified, SendMessageW(hwnd, EM_GETMODIFY, 0, 0) ? TRUE : FALSE);
    }
}

// A paragraph put in again (made a heading or plain): text and runs in one
// undo step, the paragraphs around it untouched, the rest of its format that
// of what it replaced; where the stream cannot carry the face, the same
// text and undo step with runs by locale.
TEST_F(LongParagraphFixture, AParagraphPutInAgainIsOneUndoStepWithItsRunsAndTheFormatItReplaced)
{
    for (const WCHAR* face : {L"Liberation Sans", L"12345"}) {
        SCOPED_TRACE(Utf8(face));
        SetBodyFace(face);
        AIString paragraph;
        MakeAwkwardParagraph(paragraph, 3000);
        AIString source(L"before\r\n");
        const int start = 7;  // the line end is one character in the editor
        source.AppendString(paragraph).AppendText(L"\r\nafter");
        Put(source);
        // The old paragraph in a format of its own: bold, larger.
        CHARFORMAT2W heading = {};
        heading.cbSize = sizeof heading;
        heading.dwMask = CFM_BOLD | CFM_SIZE;
        heading.dwEffects = CFE_BOLD;
        heading.yHeight = 18 * 20;
        {
            QuietSelection quiet(hwnd, 1);
            WriteRangeFormat(hwnd, start, start + paragraph.GetLength(), heading);
        }
        SendMessageW(hwnd, EM_EMPTYUNDOBUFFER, 0, 0);
        SendMessageW(hwnd, EM_SETMODIFY, FALSE, 0);
        AIString replacement(L"# ");
        replacement.AppendString(paragraph);
        {
            LayoutPause pause(hwnd);
            ReplaceParagraphInRuns(editor.GetDocument(), hwnd, start, start + paragraph.GetLength(),
                                   replacement.GetText(), replacement.GetLength());
        }
        AIString want, got = Text();
        want.AssignText(L"before\r").AppendString(replacement).AppendText(L"\rafter");
        EXPECT_EQ("", FirstDifference(want, got));
        EXPECT_TRUE(SendMessageW(hwnd, EM_GETMODIFY, 0, 0));
        int end = start + replacement.GetLength();
        bool streamable = lstrcmpW(face, L"12345") != 0;
        std::vector<int> runs = streamable ? Runs(start, end, FacesDiffer) : Runs(start, end, LocalesDiffer);
        EXPECT_GE((int)runs.size(), replacement.GetLength() / kLayoutRunChars);
        for (size_t i = 0; i < runs.size(); i++) EXPECT_LE(runs[i], (int)kLayoutRunChars) << "run " << i;
        for (int at = start; at < end; at += 97) {
            CHARFORMAT2W here = FormatAt(at);
            EXPECT_EQ(0, lstrcmpiW(face, here.szFaceName)) << at;
            EXPECT_TRUE(here.dwEffects & CFE_BOLD) << at;
            EXPECT_EQ(heading.yHeight, here.yHeight) << at;
        }
        CHARFORMAT2W outside = FormatAt(2);
        EXPECT_EQ(220, outside.yHeight);
        EXPECT_EQ(0, lstrcmpW(face, FormatAt(end + 2).szFaceName));
        EXPECT_EQ(220, FormatAt(end + 2).yHeight);

        // One undo: the old text in its old format, nothing left to undo.
        SendMessageW(hwnd, EM_UNDO, 0, 0);
        EditorForm(source.GetText(), want);
        EXPECT_EQ("", FirstDifference(want, Text()));
        EXPECT_EQ(heading.yHeight, FormatAt(start + 10).yHeight);
        EXPECT_FALSE(SendMessageW(hwnd, EM_CANUNDO, 0, 0));
    }
}
