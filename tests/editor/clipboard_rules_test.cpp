// The clipboard's rules without a window: line ends both ways, the length a
// paste adds, which pasted text becomes a hyperlink, where pasted files go,
// and the links a copy carries into another note.
#include "tests/support/gtest.h"
#include "editor/clipboard/clipboard_rules.h"
#include "foundation/ai_string_table.h"
#include "notestore/datafile_format.h"
#include <string>

namespace {

std::string ClipboardForm(const WCHAR* text)
{
    AIString s(text);
    ToClipboardLineEnds(s);
    return Utf8(s);
}

std::string EditorForm(const WCHAR* text)
{
    AIString s(text);
    ToEditorLineEnds(s);
    return Utf8(s);
}

int Address(const AIString& text) { return IsPastedAddress(text.GetText(), text.GetLength()); }

}  // namespace

TEST(ClipboardRules, LineEndsAreCrLfOnTheClipboardAndOneCrInTheEditor)
{
    // The editor's lone CR, a stray LF and an existing CR LF all become one CR LF.
    EXPECT_EQ(ClipboardForm(L"one\rtwo\nthree\r\nfour\r"), "one\r\ntwo\r\nthree\r\nfour\r\n");
    EXPECT_EQ(ClipboardForm(L"\r\r"), "\r\n\r\n");
    EXPECT_EQ(ClipboardForm(L""), "");
    // Back: every kind of line end is the one CR the editor counts.
    EXPECT_EQ(EditorForm(L"one\r\ntwo\nthree\rfour"), "one\rtwo\rthree\rfour");
    EXPECT_EQ(EditorForm(L"\r\n\r\n"), "\r\r");
    // A round trip gives the editor's text back.
    AIString text(L"a\r\rb\rc");
    ToClipboardLineEnds(text);
    ToEditorLineEnds(text);
    EXPECT_EQ(Utf8(text), "a\r\rb\rc");
}

TEST(ClipboardRules, PasteLengthCountsParagraphEndsTwiceAndStopsAtTheLimit)
{
    EXPECT_EQ(NoteCountedLength(L"ab\rcd\r", 6), 8);
    EXPECT_EQ(NoteCountedLength(L"", 0), 0);
    // Exactly the limit is allowed; one more is not.
    EXPECT_FALSE(PasteExceedsLimit(kMaxNoteChars - 10, 0, 10));
    EXPECT_TRUE(PasteExceedsLimit(kMaxNoteChars - 10, 0, 11));
    // What the paste replaces makes room.
    EXPECT_FALSE(PasteExceedsLimit(kMaxNoteChars, 20, 20));
    EXPECT_TRUE(PasteExceedsLimit(kMaxNoteChars, 19, 20));
    // Large counts never wrap around.
    EXPECT_TRUE(PasteExceedsLimit(0x7FFFFFF0, 0, 0x7FFFFFF0));
}

TEST(ClipboardRules, OnlyOneShortWebAddressBecomesAHyperlink)
{
    EXPECT_TRUE(Address(AIString(L"https://example.org/page?x=1")));
    EXPECT_TRUE(Address(AIString(L"HTTP://EXAMPLE.ORG")));
    AIString longAddress(L"https://");
    while (longAddress.GetLength() < 408) longAddress.AppendChar(L'a');
    EXPECT_FALSE(Address(longAddress));
    longAddress.SetLength(299);
    EXPECT_TRUE(Address(longAddress));
    longAddress.AppendChar(L'a');
    EXPECT_FALSE(Address(longAddress));  // 300 is not "under 300"
    // Text that merely begins with an address stays text.
    EXPECT_FALSE(Address(AIString(L"https://example.org and more")));
    EXPECT_FALSE(Address(AIString(L"https://example.org\rnext line")));
    EXPECT_FALSE(Address(AIString(L"www.example.org")));
    EXPECT_FALSE(Address(AIString(L"ftp://example.org")));
    EXPECT_FALSE(Address(AIString(L"")));
}

TEST(ClipboardRules, PastedFilesGoToImagesOrFilesByTheExtensionAsWritten)
{
    PastedFilePlan plan;
    ASSERT_TRUE(PlanPastedFile(L"C:\\trip\\Beach.png", L"D:\\notes\\", plan));
    EXPECT_TRUE(plan.isImage);
    EXPECT_EQ(Utf8(plan.destination), "D:\\notes\\images\\Beach.png");
    EXPECT_EQ(Utf8(plan.label), "Beach");
    EXPECT_EQ(Utf8(plan.name), "Beach.png");
    // Capitals: not a picture by the rule, so the files folder.
    ASSERT_TRUE(PlanPastedFile(L"C:\\trip\\Beach.PNG", L"D:\\notes\\", plan));
    EXPECT_FALSE(plan.isImage);
    EXPECT_EQ(Utf8(plan.destination), "D:\\notes\\files\\Beach.PNG");
    // The extension is found after the first character; a name that is only
    // an extension is not a picture.
    ASSERT_TRUE(PlanPastedFile(L"C:\\.png", L"D:\\notes\\", plan));
    EXPECT_FALSE(plan.isImage);
    ASSERT_TRUE(PlanPastedFile(L"C:\\a.tga.txt", L"D:\\notes\\", plan));
    EXPECT_TRUE(plan.isImage);
    EXPECT_EQ(Utf8(plan.label), "a.tga");
    ASSERT_TRUE(PlanPastedFile(L"C:\\docs\\report", L"D:\\notes\\", plan));
    EXPECT_EQ(Utf8(plan.label), "report");
    EXPECT_EQ(Utf8(plan.destination), "D:\\notes\\files\\report");
    EXPECT_FALSE(PlanPastedFile(L"C:\\docs\\", L"D:\\notes\\", plan));
    // The label never holds what a link's brackets or the note's table reserve.
    ASSERT_TRUE(PlanPastedFile(L"C:\\docs\\[draft] \x00A4" L"cost\x00B1.txt", L"D:\\notes\\", plan));
    EXPECT_EQ(Utf8(plan.label), "(draft) cost");
    EXPECT_EQ(Utf8(plan.name), "[draft] \xC2\xA4" "cost\xC2\xB1.txt");
}

TEST(ClipboardRules, PastedTextNamesAFileOnlyAsOneLineWithADriveOrShare)
{
    AIString path;
    const WCHAR quoted[] = L"  \"C:\\My Files\\a.txt\"\t";
    ASSERT_TRUE(PastedFilePathForm(quoted, TextLength(quoted), path));
    EXPECT_EQ(Utf8(path), "C:\\My Files\\a.txt");
    ASSERT_TRUE(PastedFilePathForm(L"\\\\server\\share\\b", 15, path));
    EXPECT_FALSE(PastedFilePathForm(L"C:", 2, path)) << "too short";
    EXPECT_FALSE(PastedFilePathForm(L"C:/x.txt", 8, path)) << "not a drive path as the shell writes it";
    EXPECT_FALSE(PastedFilePathForm(L"relative\\x.txt", 14, path));
    EXPECT_FALSE(PastedFilePathForm(L"C:\\a.txt\r\nC:\\b.txt", 18, path)) << "two lines";
    EXPECT_FALSE(PastedFilePathForm(L"\"\"", 2, path));
    AIString longPath(L"C:\\");
    while (longPath.GetLength() < MAX_PATH - 1) longPath.AppendChar(L'x');
    EXPECT_TRUE(PastedFilePathForm(longPath.GetText(), longPath.GetLength(), path));
    longPath.AppendChar(L'x');
    EXPECT_FALSE(PastedFilePathForm(longPath.GetText(), longPath.GetLength(), path)) << "MAX_PATH is too long";
}

TEST(ClipboardRules, ACopyCarriesTheTargetsOfItsLinksAndAPasteAddsOnlyNewOnes)
{
    AIStringTable noteA(1);
    noteA.SetKeyValueString(L"Site", L"https://example.org");
    noteA.SetKeyValueString(L"Time\x00B1 now", L"https://clock.example");  // label "Time: now"
    noteA.SetKeyValueString(L"Unused", L"https://unused.example");
    const WCHAR copiedText[] = L"See [Site] and [Time: now], [Site] again, [Unknown] and [half";
    AIStringTable copied(1);
    CollectCopiedLinks(copiedText, TextLength(copiedText), noteA, copied);
    EXPECT_EQ(copied.GetCount(), 2);
    AIString target;
    copied.GetValueOfKeyString(L"Time\x00B1 now", target);
    EXPECT_EQ(Utf8(target), "https://clock.example");

    // Note B has "Site" with another target: kept and counted once; "Time: now" is new.
    AIStringTable noteB(1);
    noteB.SetKeyValueString(L"Site", L"https://other.example");
    EXPECT_EQ(MergeCopiedLinks(copied, copiedText, TextLength(copiedText), noteB), 1);
    noteB.GetValueOfKeyString(L"Site", target);
    EXPECT_EQ(Utf8(target), "https://other.example");
    noteB.GetValueOfKeyString(L"Time\x00B1 now", target);
    EXPECT_EQ(Utf8(target), "https://clock.example");
    EXPECT_EQ(noteB.GetCount(), 2);

    // Pasting again adds nothing; each label already there is counted, with
    // its own target or another.
    EXPECT_EQ(MergeCopiedLinks(copied, copiedText, TextLength(copiedText), noteB), 2);
    EXPECT_EQ(noteB.GetCount(), 2);
    EXPECT_EQ(MergeCopiedLinks(copied, copiedText, TextLength(copiedText), noteA), 2);
    EXPECT_EQ(noteA.GetCount(), 3);
    // A paste whose text no longer holds a label leaves that label out.
    AIStringTable noteC(1);
    const WCHAR partText[] = L"only [Site]";
    EXPECT_EQ(MergeCopiedLinks(copied, partText, TextLength(partText), noteC), 0);
    EXPECT_EQ(noteC.GetCount(), 1);
}
