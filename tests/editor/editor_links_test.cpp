// Links made and followed through the whole program, with whole key presses:
// the hyperlink dialog as Ctrl+K opens it and what it refuses, the label a
// long selection gives, links to files, the bullet typed at a line's start,
// what pasting a linked passage reports, and a note link whose note is gone.
#include "tests/editor/links_fixture.h"
#include "editor/dialogs/note_title_rules.h"
#include "editor/format/list_rules.h"
#include "ui/link_marks.h"

namespace {

const WCHAR kNotes[] =
    L"\x00A4"
    L"Alpha\r\nSee [Site] here.\r\n{{\r\n[Site:https://example.org/a]\r\n}}\r\n"
    L"\x00A4"
    L"Beta\r\nBeta text.\r\n{{\r\n}}\r\n"
    L"\x00A4"
    L"Garden\r\nRoses and tulips grow in the garden every single spring here.\r\n{{\r\n}}\r\n"
    L"\x00A4"
    L"Plans\r\nSee Garden now.\r\n{{\r\n}}\r\n";

// What a hyperlink dialog showed at one moment.
struct DialogSeen {
    std::string heading, title, message;
    int open = 0;
};

DialogSeen LookAtDialog()
{
    DialogSeen seen;
    seen.open = GetNoteDialogWindow() != nullptr;
    seen.heading = Utf8(AIString(GetNoteDialogHeading()));
    seen.title = FieldText(GetNoteDialogTitleField());
    seen.message = DialogMessage();
    return seen;
}

}  // namespace

TEST_F(LinksTest, ALinkFromTheSelectionIsCreatedAndAnEmptyLinkIsRefused)
{
    ASSERT_NO_FATAL_FAILURE(OpenNotes(kNotes, L"Garden"));
    TestKeyboard keys = Keys();
    DialogSeen opened, emptyLink, accepted;
    Select(Find("Roses"), Find("Roses") + 5);
    WhenDialogOpens([&] {
        TestKeyboard d = DialogKeys();
        d.Release(VK_CONTROL);  // the hand leaves Ctrl+K
        opened = LookAtDialog();
        d.Press(VK_RETURN);
        emptyLink = LookAtDialog();
        // The link field at fault has the focus.
        d.Type(L"example.com");
        d.Press(VK_RETURN);
        accepted = LookAtDialog();
    });
    keys.Press('K', kCtrlKey);
    ASSERT_TRUE(keys.PumpUntil([] { return s_dialogSeen && !GetNoteDialogWindow(); }));
    EXPECT_EQ(opened.heading, "Create Hyperlink");
    EXPECT_EQ(opened.title, "Roses");
    EXPECT_EQ(opened.message, "");
    // OK without a link keeps the dialog open and says why.
    EXPECT_TRUE(emptyLink.open);
    EXPECT_EQ(emptyLink.message, "Empty link not allowed");
    EXPECT_FALSE(accepted.open);
    EXPECT_EQ(Text(), "[Roses] and tulips grow in the garden every single spring here.");
    EXPECT_EQ(TargetOf(L"Roses"), "www.example.com");
    EXPECT_EQ(doc->GetRangeUnderline(1, 6), HyperlinkMark);

    // The link of the note opens for editing.
    Select(0, 7);
    WhenDialogOpens([&] { opened = LookAtDialog(); });
    keys.Press('K', kCtrlKey);
    ASSERT_TRUE(keys.PumpUntil([] { return s_dialogSeen && !GetNoteDialogWindow(); }));
    EXPECT_EQ(opened.heading, "Edit Hyperlink");
    EXPECT_EQ(opened.title, "Roses");
    EXPECT_EQ(TargetOf(L"Roses"), "www.example.com");
}

TEST_F(LinksTest, ALongSelectionGivesItsFirstThirtyCharactersAsTheLabel)
{
    ASSERT_NO_FATAL_FAILURE(OpenNotes(kNotes, L"Garden"));
    TestKeyboard keys = Keys();
    DialogSeen opened, accepted;
    int from = Find("tulips");
    Select(from, from + 40);
    WhenDialogOpens([&] {
        TestKeyboard d = DialogKeys();
        d.Release(VK_CONTROL);
        opened = LookAtDialog();
        d.Press(VK_TAB);
        d.Type(L"example.org");
        d.Press(VK_RETURN);
        accepted = LookAtDialog();
    });
    keys.Press('K', kCtrlKey);
    ASSERT_TRUE(keys.PumpUntil([] { return s_dialogSeen && !GetNoteDialogWindow(); }));
    EXPECT_EQ(opened.title, "tulips grow in the garden ever");
    EXPECT_FALSE(accepted.open);
    // The first thirty characters are the link; the rest of the selection stays text.
    EXPECT_EQ(Text(), "Roses and [tulips grow in the garden ever]y single spring here.");
    EXPECT_EQ(TargetOf(L"tulips grow in the garden ever"), "www.example.org");
}

TEST_F(LinksTest, APathWithoutATitleIsNeverMadeAWebAddress)
{
    ASSERT_NO_FATAL_FAILURE(OpenNotes(kNotes, L"Beta"));
    TestKeyboard keys = Keys();
    DialogSeen noTitle, accepted;
    Select(End(), End());
    WhenDialogOpens([&] {
        TestKeyboard d = DialogKeys();
        d.Release(VK_CONTROL);
        d.Press(VK_TAB);
        d.Type(L"rel:\\files\\report.txt");
        d.Press(VK_RETURN);
        noTitle = LookAtDialog();
        // The title field at fault has the focus.
        d.Type(L"report");
        d.Press(VK_RETURN);
        accepted = LookAtDialog();
    });
    keys.Press('K', kCtrlKey);
    ASSERT_TRUE(keys.PumpUntil([] { return s_dialogSeen && !GetNoteDialogWindow(); }));
    EXPECT_TRUE(noTitle.open);
    EXPECT_EQ(noTitle.message, "Empty title not allowed");
    EXPECT_FALSE(accepted.open);
    EXPECT_EQ(Text(), "Beta text.[report]");
    EXPECT_EQ(TargetOf(L"report"), "rel:\\files\\report.txt");

    // Every form of path is refused without a title; addresses still are links.
    LinkRules rules = {L"C:\\data\\", nullptr};
    const WCHAR* paths[] = {L"rel:\\files\\report.txt", L"C:\\www.site\\page.htm", L"file:C:\\me@home\\a.txt",
                            L"\\\\server\\share\\plan.doc", L"D:\\notes.txt"};
    for (const WCHAR* path : paths) {
        AIString target;
        EXPECT_EQ(NormaliseLinkTarget(L"", path, rules, target), kCodeInUse) << Utf8(AIString(path));
        EXPECT_TRUE(target.IsEmpty()) << Utf8(target);
    }
    AIString target;
    EXPECT_EQ(NormaliseLinkTarget(L"", L"example.com", rules, target), kCodeNone);
    EXPECT_EQ(Utf8(target), "www.example.com");
    EXPECT_EQ(NormaliseLinkTarget(L"", L"me@example.org", rules, target), kCodeNone);
    EXPECT_EQ(Utf8(target), "mailto:me@example.org");
    // With a title a path with "@" is a file, not a mail address.
    EXPECT_EQ(NormaliseLinkTarget(L"Home", L"C:\\me@home\\a.txt", rules, target), kCodeNone);
    EXPECT_EQ(Utf8(target), "file:C:\\me@home\\a.txt");
}

TEST_F(LinksTest, AStarAndABlankAtALineStartMakeABullet)
{
    ASSERT_NO_FATAL_FAILURE(OpenNotes(kNotes, L"Beta"));
    TestKeyboard keys = Keys();
    Select(End(), End());
    keys.Type(L"\n* first");
    EXPECT_EQ(Text(), "Beta text.\r\xE2\x80\xA2 first");
    // The list goes on with its bullet.
    keys.Type(L"\nmore");
    EXPECT_EQ(Text(), "Beta text.\r\xE2\x80\xA2 first\r\xE2\x80\xA2 more");
    // After a blank at the line's start too; a star elsewhere stays a star.
    const int afterFirstLine = 10;
    Select(afterFirstLine, afterFirstLine);
    keys.Type(L"\n * second");
    Select(afterFirstLine, afterFirstLine);
    keys.Type(L"\nnot * here");
    Select(afterFirstLine, afterFirstLine);
    keys.Type(L"\n** twice");
    EXPECT_EQ(Text(), "Beta text.\r** twice\rnot * here\r \xE2\x80\xA2 second\r\xE2\x80\xA2 first\r\xE2\x80\xA2 more");

    // At the very start of the note too; a star elsewhere stays a star.
    EXPECT_EQ(FindBulletStar(L"*", 1, 1), 0);
    EXPECT_EQ(FindBulletStar(L"*", 1, 0), -1);
    EXPECT_EQ(FindBulletStar(L"\r *", 3, 0), 2);
    EXPECT_EQ(FindBulletStar(L"a *", 3, 1), -1);
    EXPECT_EQ(FindBulletStar(L"  *", 3, 1), -1);
    EXPECT_EQ(FindBulletStar(L"\r*a", 3, 0), -1);
}

TEST_F(LinksTest, PastingTheSameLinkedPassageAgainIsReported)
{
    ASSERT_NO_FATAL_FAILURE(OpenNotes(kNotes, L"Alpha"));
    TestKeyboard keys = Keys();
    Select(Find("See"), Find("here.") + 5);
    keys.Press('C', kCtrlKey);
    ASSERT_EQ(ReadAndShowNote(FindNoteByTitle(L"Beta", 0, 0), kShowAndRecord), 1);
    SetFocus(editor);
    Select(End(), End());
    keys.Press('V', kCtrlKey);
    EXPECT_EQ(Text(), "Beta text.See [Site] here.");
    EXPECT_EQ(TargetOf(L"Site"), "https://example.org/a");
    EXPECT_EQ(MessageNumberShown(), "");
    // The second paste brings a label the note has now: it is counted (seen
    // while Ctrl is still held).
    keys.Hold(VK_CONTROL);
    keys.Press('V');
    EXPECT_EQ(Text(), "Beta text.See [Site] here.See [Site] here.");
    EXPECT_EQ(MessageNumberShown(), "(015)");
    EXPECT_NE(Utf8(g_messageBox.texts.text).find("( 1 ) hyperlink(s)"), std::string::npos);
    EXPECT_EQ(g_noteStore.hyperlinks->GetCount(), 1);
    keys.Release(VK_CONTROL);
}

TEST_F(LinksTest, FollowingANoteLinkWhoseNoteIsGoneSaysSoAndBreaksNoLine)
{
    ASSERT_NO_FATAL_FAILURE(OpenNotes(kNotes, L"Plans"));
    TestKeyboard keys = Keys();
    int at = Find("Garden");
    ASSERT_EQ(doc->GetRangeUnderline(at, at + 6), NoteLinkMark);
    // Deleted elsewhere (another window, a sync) while this note shows.
    ASSERT_EQ(DeleteNote(FindNoteByTitle(L"Garden", 0, 0)), 1);
    POINTL p = {0, 0};
    SendMessageW(editor, EM_POSFROMCHAR, (WPARAM)&p, at + 2);
    keys.Click(editor, p.x + 2, p.y + 5);
    EXPECT_EQ(MessageNumberShown(), "(014)");
    EXPECT_EQ(Utf8(g_noteStore.currentTitle), "Plans");
    g_dialogCenter.UpdateMessageBox(-1);
    // Enter inside the link says the same (seen while the key is down).
    Select(at + 2, at + 2);
    keys.Hold(VK_RETURN);
    EXPECT_EQ(MessageNumberShown(), "(014)");
    keys.Release(VK_RETURN);
    EXPECT_EQ(Text(), "See Garden now.");
}
