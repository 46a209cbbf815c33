// The note dialogs through real windows: each kind accepts, cancels and
// refuses with its message, the field rules as plain functions, and a dialog
// that cannot be made answers "cancelled".
#include "tests/support/gtest.h"
#include "tests/notestore/store_test_files.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "tests/dialogs/note_dialog_answer.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/modal_backdrop.h"
#include "editor/dialogs/note_dialog.h"
#include "editor/dialogs/note_title_rules.h"
#include "foundation/app.h"
#include "notestore/note_store.h"
#include "foundation/ai_string_table.h"

namespace {

class NoteDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDialogTestState();
        ConnectNoteDialogs();
        CloseDatafile();
        AIString records(NoteRecord(L"Books_to_read", L"a list"));  // in title order
        records.AppendString(NoteRecord(L"Garden", L"roses"));
        path_ = folder_.File(L"notes.tavik");
        WriteBytes(path_.GetText(), DataFile(records));
        ASSERT_EQ(LoadDatafile(path_.GetText()), 1);
    }
    void TearDown() override { CloseDatafile(); }

    ScratchFolder folder_;
    AIString path_;
};

AIString g_title;
int NewNote() { return g_dialogCenter.NewNoteDialog(g_title, 0); }
int Rename() { return g_dialogCenter.RenameNoteDialog(g_title); }
AIString g_label, g_target;
int Hyperlink() { return g_dialogCenter.EditHyperlinkDialog(g_label, g_target, 0, 0, nullptr); }
int Prompt()
{
    return g_dialogCenter.PromptNoteDialog(L"Delete note", L"Delete the note?", 1, L"(Delete)", 1, L"(Keep)",
                                           L"Deleted notes are kept as copies.");
}

}  // namespace

TEST_F(NoteDialogsTest, NewNoteRefusesEachFaultWithItsMessageThenAccepts)
{
    g_title.AssignText(L"Proposed_title");
    const NoteDialogStep steps[] = {{L"Has#hash", IDOK, nullptr},
                                    {L"a bc", IDOK, nullptr},
                                    {L"gARDEN", IDOK, nullptr},  // in use, in another case
                                    {L"", IDOK, nullptr},
                                    {L"New idea", IDOK, nullptr}};
    EXPECT_EQ(RunAnswered(NewNote, steps), 1);
    EXPECT_STREQ(Utf8(g_noteScript.offered).c_str(), "Proposed title");
    EXPECT_EQ(g_noteScript.codes[0], kCodeSpecial);
    EXPECT_STREQ(Utf8(g_noteScript.messages[0]).c_str(), "Special characters not allowed");
    EXPECT_EQ(g_noteScript.selectionStart[0], 3);  // the number sign is selected
    EXPECT_STREQ(Utf8(g_noteScript.messages[1]).c_str(), "Minimum 2 characters (per word)");
    EXPECT_STREQ(Utf8(g_noteScript.messages[2]).c_str(), "The title is already in use");
    EXPECT_STREQ(Utf8(g_noteScript.messages[3]).c_str(), "Empty title not allowed");
    EXPECT_EQ(g_noteScript.codes[4], kDialogEnded);
    EXPECT_STREQ(Utf8(g_title).c_str(), "New_idea");
    EXPECT_EQ(0u, g_dialogCenter.busy);
    EXPECT_TRUE(IsWindowEnabled(g_testWindows.frame));
    // Escape cancels and leaves the caller's title alone.
    g_title.AssignText(L"Kept");
    const NoteDialogStep cancel[] = {{L"Other", IDCANCEL, nullptr}};
    EXPECT_EQ(RunAnswered(NewNote, cancel), 0);
    EXPECT_STREQ(Utf8(g_title).c_str(), "Kept");
}

TEST_F(NoteDialogsTest, RenameRefusesADashAndATitleInUseButTakesAChangeOfCase)
{
    g_title.AssignText(L"Garden");
    const NoteDialogStep steps[] = {{L"Gar-den", IDOK, nullptr}, {L"books to READ", IDOK, nullptr}, {L"garden", IDOK, nullptr}};
    EXPECT_EQ(RunAnswered(Rename, steps), 1);
    EXPECT_STREQ(Utf8(g_noteScript.offered).c_str(), "Garden");
    EXPECT_STREQ(Utf8(g_noteScript.messages[0]).c_str(), "Special characters not allowed");
    EXPECT_STREQ(Utf8(g_noteScript.messages[1]).c_str(), "The title is in use");
    EXPECT_STREQ(Utf8(g_title).c_str(), "garden");
    // Unchanged: the dialog closes without a rename.
    g_title.AssignText(L"Books_to_read");
    const NoteDialogStep same[] = {{nullptr, IDOK, nullptr}};
    EXPECT_EQ(RunAnswered(Rename, same), 0);
    EXPECT_STREQ(Utf8(g_noteScript.offered).c_str(), "Books to read");
}

TEST_F(NoteDialogsTest, HyperlinkMakesTargetsRefusesFaultsAndRemoves)
{
    g_label.Clear();
    g_target.Clear();
    const NoteDialogStep steps[] = {{L"My-link", IDOK, L"http:://broken"}, {L"My-link", IDOK, L"example.com"}};
    EXPECT_EQ(RunAnswered(Hyperlink, steps), 1);
    EXPECT_STREQ(Utf8(g_noteScript.messages[0]).c_str(), "Incorrect hyperlink");
    EXPECT_STREQ(Utf8(g_label).c_str(), "My-link");  // a dash is allowed in a link's title
    EXPECT_STREQ(Utf8(g_target).c_str(), "www.example.com");
    const NoteDialogStep mail[] = {{L"", IDOK, L"me@example.org"}};
    EXPECT_EQ(RunAnswered(Hyperlink, mail), 1);
    EXPECT_STREQ(Utf8(g_target).c_str(), "mailto:me@example.org");
    // An existing link opens with its texts; Delete removes it.
    g_label.AssignText(L"Home");
    g_target.AssignText(L"mailto:me@example.org");
    NoteDialogStep remove[] = {{nullptr, GetNoteDialogButtonId(kButtonDelete), nullptr}};
    EXPECT_EQ(RunAnswered(Hyperlink, remove), kNoteDialogLinkRemoved);
    EXPECT_STREQ(Utf8(g_noteScript.offeredLink).c_str(), "me@example.org");
    EXPECT_EQ(g_noteScript.openingCode, kCodeNone);
    // Portable: a link to a file outside the data folder is named at once.
    g_app.system.SetPortable(1);
    g_target.AssignText(L"file:D:\\elsewhere\\plan.txt");
    const NoteDialogStep look[] = {{nullptr, IDCANCEL, nullptr}};
    EXPECT_EQ(RunAnswered(Hyperlink, look), 0);
    g_app.system.SetPortable(0);
    EXPECT_EQ(g_noteScript.openingCode, kCodePortableLocal);
}

// A pasted file: the dialog is given a new link already filled in. Its
// label may be taken by another link of the note, which must keep its target.
int NewFileLink() { return g_dialogCenter.EditHyperlinkDialog(g_label, g_target, kLinkOptionNew, -100, L"File not copied"); }

TEST_F(NoteDialogsTest, AFilledInNewLinkMayNotTakeALabelInUse)
{
    ASSERT_NE(g_noteStore.hyperlinks, nullptr);
    g_noteStore.hyperlinks->SetKeyValueString(L"report", L"rel:\\files\\old.txt");
    g_label.AssignText(L"report");
    g_target.AssignText(L"rel:\\files\\report.txt");
    const NoteDialogStep steps[] = {{nullptr, IDOK, nullptr}, {L"report 2", IDOK, nullptr}};
    EXPECT_EQ(RunAnswered(NewFileLink, steps), 1);
    EXPECT_STREQ(Utf8(g_noteScript.messages[0]).c_str(), "Link title already exists");
    EXPECT_STREQ(Utf8(g_label).c_str(), "report 2");
    EXPECT_STREQ(Utf8(g_target).c_str(), "rel:\\files\\report.txt");
    // The same file pasted again: the same link, taken as it is.
    g_label.AssignText(L"report");
    g_target.AssignText(L"rel:\\files\\old.txt");
    const NoteDialogStep again[] = {{nullptr, IDOK, nullptr}};
    EXPECT_EQ(RunAnswered(NewFileLink, again), 1);
    EXPECT_STREQ(Utf8(g_label).c_str(), "report");
    g_noteStore.hyperlinks->RemoveKeyString(L"report");
}

TEST_F(NoteDialogsTest, PromptConfirmsOrKeepsAndEnterFirstHidesTheHelp)
{
    const NoteDialogStep keep[] = {{nullptr, IDCANCEL, nullptr}};
    EXPECT_EQ(RunAnswered(Prompt, keep), 0);
    NoteDialogStep help[] = {{nullptr, GetNoteDialogButtonId(kButtonHelp), nullptr},
                             {nullptr, IDOK, nullptr},  // hides the help, does not accept
                             {nullptr, IDOK, nullptr}};
    EXPECT_EQ(RunAnswered(Prompt, help), 1);
    EXPECT_EQ(g_noteScript.codes[1], kCodeNone);
    EXPECT_EQ(g_noteScript.codes[2], kDialogEnded);
}

// The next dialog asked for while the last one's backdrop still fades out
// (a key pressed right after a dialog closed) runs and answers as well.
TEST_F(NoteDialogsTest, ADialogAskedForWhileTheLastOneFadesRuns)
{
    g_title.AssignText(L"First");
    const NoteDialogStep cancel[] = {{nullptr, IDCANCEL, nullptr}};
    EXPECT_EQ(RunAnsweredSteps(NewNote, cancel, 1, 0), 0);
    EXPECT_NE(GetBackdropWindow(), nullptr);
    const NoteDialogStep accept[] = {{L"Brand new", IDOK, nullptr}};
    EXPECT_EQ(RunAnswered(NewNote, accept), 1);
    EXPECT_EQ(g_noteScript.done, 1);
    EXPECT_STREQ(Utf8(g_title).c_str(), "Brand_new");
    EXPECT_EQ(0u, g_dialogCenter.busy);
    EXPECT_TRUE(IsWindowEnabled(g_testWindows.frame));
}

TEST_F(NoteDialogsTest, ADialogThatCannotBeMadeAnswersCancelled)
{
    g_dialogCenter.noteDialogAnswer = kNoteDialogAccepted;  // an older answer must not come back
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    g_dialogShell.frame = gone;
    g_dialogShell.content = nullptr;
    g_app.SetMainWindow(gone);
    EXPECT_EQ(Prompt(), kNoteDialogCancelled);
    EXPECT_EQ(0u, g_dialogCenter.busy);
}

TEST(NoteTitleRules, ForbiddenCharactersAreFoundInTheirOrder)
{
    int code = 0;
    EXPECT_EQ(FindForbiddenTitleChar(L"plain title", 1, 0, &code), -1);
    EXPECT_EQ(FindForbiddenTitleChar(L"two words", 0, 0, &code), 3);
    EXPECT_EQ(code, kCodeBlank);
    // "{" comes before "." in the search: the brace is reported.
    EXPECT_EQ(FindForbiddenTitleChar(L"a.b{c", 1, 1, &code), 3);
    EXPECT_EQ(code, kCodeSpecial);
    EXPECT_EQ(FindForbiddenTitleChar(L"semi-colon", 1, 1, &code), -1);
    EXPECT_EQ(FindForbiddenTitleChar(L"semi-colon", 1, 0, &code), 4);
    EXPECT_EQ(FindForbiddenTitleChar(L"tab\there", 1, 1, &code), 3);
    AIString field;
    CleanTitleForField(L"  New_note-(1)  ", kFieldNewNote, field);
    EXPECT_STREQ(Utf8(field).c_str(), "New note1");
    CleanTitleForField(L"Link-(x)", kFieldHyperlink, field);
    EXPECT_STREQ(Utf8(field).c_str(), "Link-x");
    int at = -1;
    EXPECT_EQ(FindShortWord(L"ok a word", &at), 1);
    EXPECT_EQ(at, 3);
    EXPECT_EQ(FindShortWord(L"  two  words ", &at), -1);
}

TEST(NoteTitleRules, LinksBecomeTargets)
{
    LinkRules rules = {L"C:\\data\\", [](const WCHAR* title) { return lstrcmpiW(title, L"Garden") == 0 ? 1 : 0; }};
    AIString target;
    EXPECT_EQ(NormaliseLinkTarget(L"", L"example.com", rules, target), kCodeNone);
    EXPECT_STREQ(Utf8(target).c_str(), "www.example.com");
    EXPECT_EQ(NormaliseLinkTarget(L"", L"a.example.com", rules, target), kCodeNone);
    EXPECT_STREQ(Utf8(target).c_str(), "http://a.example.com");
    EXPECT_EQ(NormaliseLinkTarget(L"Doc", L"C:\\data\\files\\a.txt", rules, target), kCodeNone);
    EXPECT_STREQ(Utf8(target).c_str(), "rel:\\files\\a.txt");
    EXPECT_EQ(NormaliseLinkTarget(L"Doc", L"D:\\other\\a.txt", rules, target), kCodeNone);
    EXPECT_STREQ(Utf8(target).c_str(), "file:D:\\other\\a.txt");
    EXPECT_EQ(NormaliseLinkTarget(L"Plants", L"Garden", rules, target), kCodeNone);
    EXPECT_STREQ(Utf8(target).c_str(), "Garden");
    EXPECT_EQ(NormaliseLinkTarget(L"Plants", L"nowhere", rules, target), kCodeEmpty);
    EXPECT_EQ(NormaliseLinkTarget(L"Plants", L"", rules, target), kCodeEmpty);
    EXPECT_EQ(NormaliseLinkTarget(L"", L"nowhere", rules, target), kCodeInUse);  // no title
}
