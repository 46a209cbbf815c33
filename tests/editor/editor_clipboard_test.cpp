// Cut, copy and paste through the program's own editor and the real
// clipboard: rich text that carries its links' targets into another note,
// plain text and its line ends, the length limit, addresses, files and file
// paths made into links, pictures, and a cut as one undoable step.
#include "tests/editor/editor_fixture.h"
#include "editor/clipboard/clipboard_rules.h"
#include "editor/clipboard/editor_clipboard.h"
#include "ui/editor_selection.h"
#include "foundation/ai_file.h"
#include "imaging/ai_image.h"
#include <shlobj.h>
#include <algorithm>

namespace {

const WCHAR kTwoNotes[] =
    L"\x00A4"
    L"Alpha\r\nSee [Site] here.\r\nEnd of "
    L"alpha.\r\n{{\r\n[Site:https://example.org/a]\r\n[Doc:rel:\\files\\doc.txt]\r\n}}\r\n"
    L"\x00A4"
    L"Beta\r\nBeta text.\r\n{{\r\n}}\r\n";

void PutText(HWND owner, const WCHAR* text)
{
    AIClipboard clipboard(owner);
    ASSERT_TRUE(clipboard.Open());
    ASSERT_TRUE(clipboard.Empty());
    ASSERT_TRUE(clipboard.SetText(text));
}

std::string ClipboardText(HWND owner)
{
    AIClipboard clipboard(owner);
    AIString text;
    clipboard.GetText(text, 200000);
    return Utf8(text);
}

std::string ClipboardRtf(HWND owner)
{
    AIClipboard clipboard(owner);
    if (!clipboard.Open()) return "";
    HANDLE memory = GetClipboardData(RegisterClipboardFormatW(L"Rich Text Format"));
    if (!memory) return "";
    std::string rtf((const char*)GlobalLock(memory));
    GlobalUnlock(memory);
    return rtf;
}

// A file list on the clipboard as a file manager puts it.
void PutFiles(HWND owner, const std::vector<AIString>& paths)
{
    std::vector<WCHAR> names;
    for (const AIString& path : paths)
        names.insert(names.end(), path.GetText(), path.GetText() + path.GetLength() + 1);
    names.push_back(0);
    std::string block(sizeof(DROPFILES), '\0');
    DROPFILES* header = (DROPFILES*)&block[0];
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    block.append((const char*)names.data(), names.size() * sizeof(WCHAR));
    AIClipboard clipboard(owner);
    ASSERT_TRUE(clipboard.Open());
    ASSERT_TRUE(clipboard.Empty());
    ASSERT_TRUE(clipboard.SetData(CF_HDROP, block.data(), block.size()));
}

AIString SourceFile(const WCHAR* name, const char* content)
{
    AIString path(GetDataFolder());
    path.AppendText(L"clip_source");
    CreateDirectoryW(path.GetText(), nullptr);
    path.AppendChar(L'\\').AppendText(name);
    WriteBytes(path.GetText(), content);
    return path;
}

AIString DataPath(const WCHAR* rest)
{
    AIString path(GetDataFolder());
    path.AppendText(rest);
    return path;
}

std::string TargetOf(const WCHAR* label)
{
    AIString target;
    g_noteStore.hyperlinks->GetValueOfKeyString(label, target);
    return Utf8(target);
}

// The hyperlink dialog as the tests answer it.
struct DialogCall {
    std::string label, target, note;
    int32_t mode = 0;
};
std::vector<DialogCall> s_newLinkCalls;
int32_t s_newLinkAnswer = 1;
int32_t AnswerNewLink(AIString& label, AIString& target, int32_t mode, const WCHAR* note)
{
    s_newLinkCalls.push_back({Utf8(label), Utf8(target), note ? Utf8(AIString(note)) : "", mode});
    return s_newLinkAnswer;
}
int s_addressCalls = 0;
int32_t AnswerAddress(AIString& label, AIString&, int32_t, const WCHAR*)
{
    s_addressCalls++;
    label.AssignText(L"Example");
    return 1;
}
int32_t s_messageId = 0;
std::string s_messageInsert;
void RecordMessage(int32_t id, const WCHAR* insert)
{
    s_messageId = id;
    s_messageInsert = Utf8(AIString(insert));
}
std::string s_status;
void RecordStatus(const WCHAR* text, StatusLevel) { s_status = Utf8(AIString(text)); }
int s_screenRuns = 0;
int32_t PasteScreenChosen()
{
    s_screenRuns++;
    return 1;
}

// Text of short lines whose length, paragraph ends counted twice, is counted
// (long paragraphs are slow to lay out and are not what is tested here).
AIString LinesCounting(int32_t counted)
{
    AIString text;
    int32_t column = 0;
    while (counted > 0) {
        if (column == 78 && counted >= 2) {
            text.AppendChar(L'\r');
            counted -= 2;
            column = 0;
        } else {
            text.AppendChar(L'a');
            counted--;
            column++;
        }
    }
    return text;
}

class EditorClipboard : public EditorKeys {
protected:
    EditorShellLinks saved;
    void SetUp() override
    {
        ASSERT_NE(Program(), nullptr);  // the program's own links are in place first
        saved = g_editorShell;
        s_newLinkCalls.clear();
        s_newLinkAnswer = 1;
        s_addressCalls = 0;
        s_screenRuns = 0;
    }
    void TearDown() override
    {
        g_editorShell = saved;
        EditorKeys::TearDown();
    }
    void ShowNote(const WCHAR* title)
    {
        ASSERT_EQ(ReadAndShowNote(FindNoteByTitle(title, 0, 0), kShowAndRecord), 1);
    }
    CHARRANGE Selection()
    {
        CHARRANGE r;
        SendMessageW(editor, EM_EXGETSEL, 0, (LPARAM)&r);
        return r;
    }
    int Find(const char* text) { return (int)Text().find(text); }
};

}  // namespace

TEST_F(EditorClipboard, RichTextCarriesItsLinkTargetsIntoAnotherNote)
{
    ASSERT_NO_FATAL_FAILURE(OpenNotes(0, kTwoNotes, L"Alpha"));
    int from = Find("See");
    int to = Find("here.") + 5;
    Select(from, to);
    CtrlChord('C');
    EXPECT_EQ(ClipboardText(editor), "See [Site] here.");
    // The clipboard was taken by the frame, so a paste knows its own copy.
    EXPECT_EQ(GetClipboardOwner(), g_editorShell.frame);
    EXPECT_NE(ClipboardRtf(editor).find("Site"), std::string::npos);

    ASSERT_NO_FATAL_FAILURE(ShowNote(L"Beta"));
    Caret(End());
    CtrlChord('V');
    EXPECT_EQ(Text(), "Beta text.See [Site] here.");
    EXPECT_EQ(TargetOf(L"Site"), "https://example.org/a");
    // Only the links inside the copied text came along.
    EXPECT_EQ(TargetOf(L"Doc"), "");
    int label = Find("[Site]") + 1;
    EXPECT_EQ(MarkOf(label, label + 4), HyperlinkMark);
    // The paste is highlighted, the caret after it; the tint goes before the note is stored.
    int start = Find("See");
    EXPECT_EQ(doc->GetRangeBackColour(start, End()), (int32_t)kPasteHighlight);
    EXPECT_EQ(Selection().cpMin, End());
    // A copy of highlighted text takes no highlight along.
    Select(start, End());
    CtrlChord('C');
    EXPECT_EQ(ClipboardRtf(editor).find("\\red100\\green255\\blue100"), std::string::npos);
    ASSERT_EQ(SaveCurrentNote(kSaveAskOnFailure), 1);
    EXPECT_NE(doc->GetRangeBackColour(start, End()), (int32_t)kPasteHighlight);

    // Stored with the note: shown again, Beta still knows the target.
    ASSERT_NO_FATAL_FAILURE(ShowNote(L"Alpha"));
    ASSERT_NO_FATAL_FAILURE(ShowNote(L"Beta"));
    EXPECT_EQ(TargetOf(L"Site"), "https://example.org/a");
}

TEST_F(EditorClipboard, ALabelTheOtherNoteHasIsKeptAndReported)
{
    const WCHAR notes[] =
        L"\x00A4"
        L"Alpha\r\nSee [Site] and "
        L"[Shop].\r\n{{\r\n[Site:https://example.org/a]\r\n[Shop:https://shop.example]\r\n}}\r\n"
        L"\x00A4"
        L"Beta\r\nBeta [Site].\r\n{{\r\n[Site:https://beta.example]\r\n}}\r\n";
    ASSERT_NO_FATAL_FAILURE(OpenNotes(0, notes, L"Alpha"));
    Select(Find("See"), Find(".") + 1);
    CtrlChord('C');
    ASSERT_NO_FATAL_FAILURE(ShowNote(L"Beta"));
    Caret(End());
    g_editorShell.showMessageWithText = RecordMessage;
    s_messageId = 0;
    CtrlChord('V');
    EXPECT_EQ(Text(), "Beta [Site].See [Site] and [Shop].");
    EXPECT_EQ(TargetOf(L"Site"), "https://beta.example");
    EXPECT_EQ(TargetOf(L"Shop"), "https://shop.example");
    EXPECT_EQ(s_messageId, kMsgPasteNotComplete);
    EXPECT_EQ(s_messageInsert, "1");

    // Back in the note it came from nothing is added or reported.
    ASSERT_NO_FATAL_FAILURE(ShowNote(L"Alpha"));
    s_messageId = 0;
    Caret(End());
    CtrlChord('V');
    EXPECT_EQ(s_messageId, 0);
    EXPECT_EQ(g_noteStore.hyperlinks->GetCount(), 2);
}

// A window of the friend editor's class, as the owner of its clipboard text.
HWND FriendEditorWindow()
{
    static HWND window = nullptr;
    if (window) return window;
    WNDCLASSW cls = {};
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"Larkpad";
    RegisterClassW(&cls);
    window = CreateWindowW(L"Larkpad", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, cls.hInstance, nullptr);
    return window;
}

TEST_F(EditorClipboard, OnlyTheProgramsOwnCopyCarriesLinks)
{
    ASSERT_NO_FATAL_FAILURE(OpenNotes(0, kTwoNotes, L"Alpha"));
    Select(Find("See"), Find("here.") + 5);
    CtrlChord('C');
    ASSERT_NO_FATAL_FAILURE(ShowNote(L"Beta"));
    // The same text, but put there by another program: plain text, no targets.
    PutText(editor, L"See [Site] here.");
    Caret(End());
    CtrlChord('V');
    EXPECT_EQ(Text(), "Beta text.See [Site] here.");
    EXPECT_EQ(TargetOf(L"Site"), "");
    // The friend editor's text goes in as it is: an address in it stays text.
    g_editorShell.editNewHyperlink = AnswerAddress;
    HWND friendEditor = FriendEditorWindow();
    ASSERT_NE(friendEditor, nullptr);
    PutText(friendEditor, L"https://example.org/friend");
    Caret(End());
    CtrlChord('V');
    EXPECT_EQ(s_addressCalls, 0);
    EXPECT_EQ(Text(), "Beta text.See [Site] here.https://example.org/friend");
}

TEST_F(EditorClipboard, PlainTextGoesOutWithCrLfAndComesBackWithOneCr)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    Select(0, End());
    CtrlChord('C', 1);
    EXPECT_EQ(ClipboardText(editor), "# Plans\r\nfirst line");
    Caret(End());
    CtrlChord('V');
    EXPECT_EQ(Text(), "# Plans\rfirst line# Plans\rfirst line");
    EXPECT_EQ(Selection().cpMin, End());

    // Text from elsewhere with lone CRs, lone LFs and CR LFs: each one paragraph end,
    // and the highlight and caret cover exactly the pasted text.
    PutText(editor, L"x\ry\nz\r\nw");
    int start = End();
    CtrlChord('V');
    EXPECT_EQ(Text().substr(start), "x\ry\rz\rw");
    EXPECT_EQ(Selection().cpMin, End());
    EXPECT_EQ(doc->GetRangeBackColour(start, End()), (int32_t)kPasteHighlight);
    EXPECT_NE(doc->GetRangeBackColour(start - 1, start), (int32_t)kPasteHighlight);
    // "±" is as reserved as "¤".
    ClearLastShellMessage();
    std::string before = Text();
    PutText(editor, L"a\x00B1z");
    CtrlChord('V');
    EXPECT_EQ(Text(), before);
    EXPECT_EQ(GetLastShellMessageId(), kMsgReservedCharacters);
}

TEST_F(EditorClipboard, APlainCopyTakesAtMostItsLimitAndEmptyCopiesSaySo)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    g_editorShell.setStatusText = RecordStatus;
    Caret(End());
    CtrlChord('C', 1);
    EXPECT_EQ(s_status, "You must select some text to cut or copy");
    Select(End() - 4, End());
    CtrlChord('C', 1);
    EXPECT_EQ(s_status, "Copied plain text 'line'...");
    g_editorShell.setStatusText = saved.setStatusText;
    AIString bigText = LinesCounting(61000);
    ASSERT_TRUE(ReplaceNoteText(End(), End(), bigText.GetText(), -1, -1));
    ASSERT_GT(End(), 60000);
    Select(0, End());
    CtrlChord('C', 1);
    std::string copied = Text().substr(0, kPlainCopyLongCut);
    size_t paragraphEnds = (size_t)std::count(copied.begin(), copied.end(), '\r');
    EXPECT_EQ(ClipboardText(editor).size(), (size_t)kPlainCopyLongCut + paragraphEnds);
    // A cut of it takes away only what reached the clipboard.
    int length = End();
    CtrlChord('X', 1);
    EXPECT_EQ(End(), length - kPlainCopyLongCut);
}

TEST_F(EditorClipboard, APasteThatWouldPassTheLimitInsertsNothing)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    // Filled to one below the limit.
    AIString fillText = LinesCounting(kMaxNoteChars - 1 - EditorNoteLength());
    ASSERT_TRUE(ReplaceNoteText(End(), End(), fillText.GetText(), -1, -1));
    ASSERT_EQ(EditorNoteLength(), kMaxNoteChars - 1);
    std::string before = Text();
    // One paragraph end counts two: too long.
    PutText(editor, L"\r\n");
    ClearLastShellMessage();
    CtrlChord('V');
    EXPECT_EQ(Text(), before);
    EXPECT_EQ(GetLastShellMessageId(), kMsgTextTooLong);
    // Exactly the limit is allowed.
    ASSERT_TRUE(ReplaceNoteText(End() - 1, End(), L"", -1, -1));
    Caret(End());
    CtrlChord('V');
    EXPECT_EQ(EditorNoteLength(), kMaxNoteChars);
    EXPECT_EQ(Text().back(), '\r');
    // The text the paste would replace makes room (PasteIntoNote over a selection).
    PutText(editor, L"z");
    Select(End() - 2, End());
    ClearLastShellMessage();
    EXPECT_EQ(PasteIntoNote(), 1);
    EXPECT_EQ(Text().back(), 'z');
    EXPECT_LT(EditorNoteLength(), kMaxNoteChars);
}

TEST_F(EditorClipboard, ACutIsOneUndoStepAndNeverSplitsAHyperlink)
{
    ASSERT_NO_FATAL_FAILURE(OpenNotes(0, kTwoNotes, L"Alpha"));
    std::string before = Text();
    int from = Find("End");
    Select(from, from + 6);
    CtrlChord('X');
    EXPECT_EQ(ClipboardText(editor), "End of");
    EXPECT_EQ(Text().find("End of"), std::string::npos);
    SendMessageW(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(), before);
    // Plain cut the same.
    Select(from, from + 6);
    CtrlChord('X', 1);
    EXPECT_EQ(Text().find("End of"), std::string::npos);
    SendMessageW(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(), before);

    // Part of a hyperlink: the text stays, the copy is on the clipboard.
    int label = Find("Site");
    Select(label + 2, label + 10);
    ClearLastShellMessage();
    CtrlChord('X');
    EXPECT_EQ(Text(), before);
    EXPECT_EQ(GetLastShellMessageId(), kMsgCannotDeletePartialLink);
    EXPECT_EQ(ClipboardText(editor), "te] here");

    // A whole link cut: its table entry leaves with the text, comes back with
    // the undo, and the cut carries the target into another note.
    Select(label - 1, label + 5);
    CtrlChord('X');
    EXPECT_EQ(Text().find("[Site]"), std::string::npos);
    EXPECT_EQ(TargetOf(L"Site"), "");
    SendMessageW(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(), before);
    EXPECT_EQ(TargetOf(L"Site"), "https://example.org/a");
    Select(label - 1, label + 5);
    CtrlChord('X');
    ASSERT_NO_FATAL_FAILURE(ShowNote(L"Beta"));
    Caret(End());
    CtrlChord('V');
    EXPECT_EQ(TargetOf(L"Site"), "https://example.org/a");
}

TEST_F(EditorClipboard, AShortAddressBecomesAHyperlinkALongOneStaysText)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    g_editorShell.editNewHyperlink = AnswerAddress;
    Caret(End());
    PutText(editor, L"https://example.org/x");
    CtrlChord('V');
    EXPECT_EQ(s_addressCalls, 1);
    EXPECT_EQ(Text(), "# Plans\rfirst line [Example]");
    EXPECT_EQ(TargetOf(L"Example"), "https://example.org/x");
    // One undo takes the link away whole.
    SendMessageW(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(), "# Plans\rfirst line");

    AIString longAddress(L"https://example.org/");
    while (longAddress.GetLength() < 408) longAddress.AppendChar(L'q');
    PutText(editor, longAddress.GetText());
    Caret(End());
    CtrlChord('V');
    EXPECT_EQ(s_addressCalls, 1);
    EXPECT_EQ(Text(), "# Plans\rfirst line" + Utf8(longAddress));
}

TEST_F(EditorClipboard, PastedFilesAreCopiedIntoTheDataFolderAndLinkedThroughTheDialog)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    g_editorShell.editNewHyperlink = AnswerNewLink;
    AIString notes = SourceFile(L"notes.txt", "some notes");
    AIString data = SourceFile(L"data.csv", "a,b");
    DeleteFileW(DataPath(L"files\\notes.txt").GetText());
    DeleteFileW(DataPath(L"files\\data.csv").GetText());
    Caret(End());
    ASSERT_NO_FATAL_FAILURE(PutFiles(editor, {notes, data}));
    CtrlChord('V');
    ASSERT_EQ(s_newLinkCalls.size(), 2u);
    EXPECT_EQ(s_newLinkCalls[0].label, "notes");
    EXPECT_EQ(s_newLinkCalls[0].target, "rel:\\files\\notes.txt");
    EXPECT_EQ(s_newLinkCalls[0].mode, 0);
    EXPECT_EQ(s_newLinkCalls[0].note, "");
    EXPECT_EQ(ReadBytes(DataPath(L"files\\notes.txt").GetText()), "some notes");
    EXPECT_EQ(ReadBytes(DataPath(L"files\\data.csv").GetText()), "a,b");
    EXPECT_EQ(Text(), "# Plans\rfirst line [notes] [data]");
    EXPECT_EQ(TargetOf(L"data"), "rel:\\files\\data.csv");

    // The same file again: linked to the copy already there, nothing copied.
    s_newLinkCalls.clear();
    WriteBytes(notes.GetText(), "changed");
    ASSERT_NO_FATAL_FAILURE(PutFiles(editor, {notes}));
    CtrlChord('V');
    ASSERT_EQ(s_newLinkCalls.size(), 1u);
    EXPECT_EQ(s_newLinkCalls[0].mode, kLinkModeUncopiedFile);
    EXPECT_EQ(s_newLinkCalls[0].note, "File already exists (not copied)");
    EXPECT_EQ(ReadBytes(DataPath(L"files\\notes.txt").GetText()), "some notes");

    // Cancelled: the copy made for the link goes again and the text stays.
    s_newLinkCalls.clear();
    s_newLinkAnswer = 0;
    AIString other = SourceFile(L"other.txt", "x");
    DeleteFileW(DataPath(L"files\\other.txt").GetText());
    std::string before = Text();
    ASSERT_NO_FATAL_FAILURE(PutFiles(editor, {other}));
    CtrlChord('V');
    EXPECT_EQ(s_newLinkCalls.size(), 1u);
    EXPECT_FALSE(AIFile::Exists(DataPath(L"files\\other.txt").GetText()));
    EXPECT_EQ(Text(), before);

    // Shift: a link to the file where it is.
    s_newLinkCalls.clear();
    s_newLinkAnswer = 1;
    Press(VK_INSERT, kShiftKey);
    ASSERT_EQ(s_newLinkCalls.size(), 1u);
    EXPECT_EQ(s_newLinkCalls[0].note, "File not copied");
    EXPECT_EQ(s_newLinkCalls[0].target, "rel:\\clip_source\\other.txt");
    EXPECT_FALSE(AIFile::Exists(DataPath(L"files\\other.txt").GetText()));

    // A pasted path is a file too.
    s_newLinkCalls.clear();
    AIString quoted(L"\"");
    quoted.AppendString(data).AppendText(L"\"");
    PutText(editor, quoted.GetText());
    CtrlChord('V');
    ASSERT_EQ(s_newLinkCalls.size(), 1u);
    EXPECT_EQ(s_newLinkCalls[0].label, "data");
    EXPECT_EQ(s_newLinkCalls[0].note, "File already exists (not copied)");
}

TEST_F(EditorClipboard, APictureGoesToThePasteScreenWhenTheHostOffersIt)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    AIImage image;
    ASSERT_TRUE(image.Create(16, 8, 24));
    {
        AIClipboard clipboard(editor);
        ASSERT_TRUE(clipboard.Open());
        clipboard.Empty();
        ASSERT_TRUE(clipboard.SetDib(image.GetPackedDib(), image.GetSize()));
    }
    g_editorShell.pasteImageScreen = PasteScreenChosen;
    Caret(End());
    std::string before = Text();
    CtrlChord('V');
    EXPECT_EQ(s_screenRuns, 1);
    EXPECT_EQ(Text(), before);  // the screen itself links what it saves
}

TEST_F(EditorClipboard, CopyLinkTargetGivesTheTargetAndAFileLinkAsItsFullPath)
{
    ASSERT_NO_FATAL_FAILURE(OpenNotes(0, kTwoNotes, L"Alpha"));
    int label = Find("Site");
    Select(label, label + 4);
    ASSERT_TRUE(CopyLinkTarget());
    EXPECT_EQ(ClipboardText(editor), "https://example.org/a");
    // Pasted back it is an address again, even right after a rich copy.
    Select(label, label + 4);
    CtrlChord('C');
    ASSERT_TRUE(CopyLinkTarget());
    g_editorShell.editNewHyperlink = AnswerAddress;
    Caret(End());
    CtrlChord('V');
    EXPECT_EQ(s_addressCalls, 1);
    EXPECT_EQ(TargetOf(L"Example"), "https://example.org/a");
    SendMessageW(editor, EM_UNDO, 0, 0);
    ASSERT_TRUE(ReplaceNoteText(End(), End(), L" [Doc]", -1, -1));
    Select(End() - 5, End());  // with its brackets
    ASSERT_TRUE(CopyLinkTarget());
    EXPECT_EQ(ClipboardText(editor), Utf8(DataPath(L"files\\doc.txt")));
    // Any other text is copied as it is.
    int plain = Find("End of");
    Select(plain, plain + 6);
    ASSERT_TRUE(CopyLinkTarget());
    EXPECT_EQ(ClipboardText(editor), "End of");
}

// A rich copy of a heading's word pasted into a body line is body text: the
// paste never brings the size of the text it was copied from.
TEST_F(EditorClipboard, PastedTextTakesTheBodysSizeNotItsSources)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    CHARFORMAT2W body = {}, heading = {}, got = {};
    ReadRangeFormat(editor, Find("first"), Find("first") + 5, &body);
    ReadRangeFormat(editor, Find("Plans"), Find("Plans") + 5, &heading);
    ASSERT_NE(body.yHeight, heading.yHeight) << "the heading is drawn larger";
    // The heading's word copied rich and pasted into the body line.
    Select(Find("Plans"), Find("Plans") + 5);
    CtrlChord('C');
    Caret(End());
    int start = End();
    CtrlChord('V');
    ASSERT_EQ(Text().substr(start), "Plans");
    ReadRangeFormat(editor, start, End(), &got);
    EXPECT_TRUE(got.dwMask & CFM_SIZE);
    EXPECT_EQ(body.yHeight, got.yHeight) << "pasted into the body";
}
