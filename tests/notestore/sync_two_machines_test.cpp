// Two computers sharing a sync folder and a share folder: edits travel,
// edits on both sides are both kept and told, deletions keep the text in
// "revisions", edit locks make a note read-only elsewhere and expire, copies
// still on their way are skipped, a vanishing folder fails softly, and
// 1,000 notes travel in one pass.
#include "tests/notestore/two_machines.h"
#include "notestore/sync/sync_table.h"
#include "notestore/sync/edit_markers.h"
#include "notestore/note_io.h"
#include <string>

namespace {

AIString CopyPath(const AIString& folder, const WCHAR* title)
{
    AIString path(folder);
    path.AppendText(L"sync\\").AppendText(title).AppendText(L".txt");
    return path;
}

std::string s_lastNotice;
void RememberNotice(const WCHAR* text) { s_lastNotice = Utf8(text); }

}  // namespace

TEST_F(TwoMachines, ANoteEditedOnAAppearsOnBAndTheCopyIsUtf8Text)
{
    BothInStep();
    Edit(L"Alpha", L"caf\u00e9 edited on A");
    ASSERT_EQ(1, SyncFolders(1));
    EXPECT_EQ(1, GetLastSyncReport().pushed);
    std::string copy = ReadBytes(CopyPath(syncFolder, L"Alpha").GetText());
    EXPECT_EQ(0u, copy.find("caf\xC3\xA9 edited on A\r\n{{\r\n}}")) << copy;
    On(kMachineB);
    EXPECT_EQ(Utf8(L"caf\u00e9 edited on A"), Body(L"Alpha"));
    EXPECT_EQ("second", Body(L"Beta"));
    // Nothing changed: a second pass sends and takes nothing.
    ASSERT_EQ(1, SyncFolders(1));
    EXPECT_EQ(0, GetLastSyncReport().pushed + GetLastSyncReport().pulled);
    // And B's edit goes back to A, its data file saved as any edit is.
    Edit(L"Beta", L"from B");
    On(kMachineA);
    EXPECT_EQ("from B", Body(L"Beta"));
}

TEST_F(TwoMachines, EditedOnBothSidesBothTextsSurviveAndTheUserIsTold)
{
    SetSyncNoticeHook(RememberNotice);
    s_lastNotice.clear();
    On(kMachineA);
    On(kMachineB);
    Offline();
    Edit(L"Alpha", L"B's text");
    On(kMachineA);
    Edit(L"Alpha", L"A's text");
    ASSERT_EQ(1, SyncFolders(1));
    On(kMachineB);                       // both changed
    EXPECT_EQ(1, GetLastSyncReport().conflicts);
    EXPECT_EQ("B's text", Body(L"Alpha"));
    EXPECT_EQ("A's text", Body(L"Alpha_(other_copy)"));
    EXPECT_NE(std::string::npos, s_lastNotice.find("Alpha (other copy)")) << s_lastNotice;
    EXPECT_NE(std::string::npos, Revisions(syncFolder).find("A's text"));
    // On A both texts arrive as well; A's own text stays in the revisions.
    On(kMachineA);
    EXPECT_EQ("B's text", Body(L"Alpha"));
    EXPECT_EQ("A's text", Body(L"Alpha_(other_copy)"));
}

TEST_F(TwoMachines, ANoteDeletedOnAGoesToRevisionsOnB)
{
    BothInStep();
    ASSERT_EQ(1, DeleteNote(FindNoteByTitle(L"Beta", 0, 0)));
    ASSERT_EQ(1, SyncFolders(1));
    EXPECT_FALSE(FileExists(CopyPath(syncFolder, L"Beta").GetText()));
    On(kMachineB);
    EXPECT_EQ(1, GetLastSyncReport().deletedHere);
    EXPECT_FALSE(Has(L"Beta"));
    EXPECT_NE(std::string::npos, Revisions(syncFolder).find("second"));
    // An edit on one side wins over a deletion on the other: edited on B
    // (offline), deleted on A, the note comes back on A.
    Offline();
    Edit(L"Alpha", L"edited on B");
    On(kMachineA);
    ASSERT_EQ(1, DeleteNote(FindNoteByTitle(L"Alpha", 0, 0)));
    ASSERT_EQ(1, SyncFolders(1));
    On(kMachineB);
    EXPECT_EQ("edited on B", Body(L"Alpha"));
    On(kMachineA);
    EXPECT_EQ("edited on B", Body(L"Alpha"));
}

TEST_F(TwoMachines, ARenameTravelsAndAnEditMadeMeanwhileKeepsTheOldTitle)
{
    BothInStep();
    ASSERT_GE(RenameNote(FindNoteByTitle(L"Beta", 0, 0), L"Gamma"), 0);
    On(kMachineB);
    EXPECT_FALSE(Has(L"Beta"));
    EXPECT_EQ("second", Body(L"Gamma"));
}

TEST_F(TwoMachines, ALockOnAMakesTheNoteReadOnlyOnBUntilReleasedOrStale)
{
    UseFolders(false, true);
    SetSyncNoticeHook(RememberNotice);
    On(kMachineA);                       // "Plan" carries @shared: it goes to the share folder
    EXPECT_TRUE(FileExists(CopyPath(shareFolder, L"Plan").GetText()));
    EXPECT_FALSE(FileExists(CopyPath(shareFolder, L"Alpha").GetText())) << "a note not shared stays here";
    On(kMachineB);
    EXPECT_EQ(std::string("the plan @shared"), Body(L"Plan"));
    On(kMachineA);
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Plan", 0, 0)));
    ASSERT_EQ(1, SyncClaimEditMarker());
    AIString markers = shareFolder;
    markers.AppendText(L"tavik.edit");
    // A's program goes on running on its computer: its marker stays while B opens.
    std::string heldByA = ReadBytes(markers.GetText());
    On(kMachineB);
    WriteBytes(markers.GetText(), heldByA);
    AIString holder;
    EXPECT_EQ(1, IsNoteLockedByOther(L"Plan", holder));
    EXPECT_FALSE(holder.IsEmpty());
    EXPECT_EQ(0, IsNoteLockedByOther(L"Alpha", holder));
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Plan", 0, 0)));
    s_lastNotice.clear();
    EXPECT_EQ(0, SyncClaimEditMarker()) << "B cannot take A's lock";
    EXPECT_NE(std::string::npos, s_lastNotice.find("is being edited by")) << s_lastNotice;

    // A undoes every change: its marker goes.
    On(kMachineA);
    WriteBytes(markers.GetText(), heldByA);
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Plan", 0, 0)));
    ASSERT_EQ(1, SyncClaimEditMarker());
    ASSERT_EQ(1, SyncReleaseEditMarker());
    std::string released = ReadBytes(markers.GetText());
    On(kMachineB);
    EXPECT_EQ(0, IsNoteLockedByOther(L"Plan", holder));
    // A closes its file while holding the marker: it goes too.
    On(kMachineA);
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Plan", 0, 0)));
    ASSERT_EQ(1, SyncClaimEditMarker());
    CloseDatafile();
    On(kMachineB);
    EXPECT_EQ(0, IsNoteLockedByOther(L"Plan", holder));

    // A marker left behind by a program that ended without releasing it
    // expires after its lifetime.
    SyncTable table;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    uint64_t stamp = ((uint64_t)now.dwHighDateTime << 32 | now.dwLowDateTime) -
                     (kMarkerLifetimeMinutes + 1) * kFileTimeMinute;
    SetMarker(table, L"Plan", 0x1234, stamp, L"gone on PC9");
    AIString text;
    table.Compose(kMarkerHeader, text);
    WriteBytes(markers.GetText(), Utf8(text));
    EXPECT_EQ(0, IsNoteLockedByOther(L"Plan", holder));
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Plan", 0, 0)));
    EXPECT_EQ(1, SyncClaimEditMarker()) << "a stale marker gives way";
}

TEST_F(TwoMachines, ACopyStillOnItsWayIsSkippedAndTakenWhenWhole)
{
    BothInStep();
    Edit(L"Alpha", L"the whole new text \u00e9");
    ASSERT_EQ(1, SyncFolders(1));
    AIString copy = CopyPath(syncFolder, L"Alpha");
    std::string whole = ReadBytes(copy.GetText());
    uint64_t stamp = WriteTimeOf(copy.GetText());
    // Cut inside its last character, written later: it does not decode.
    std::string cut = whole.substr(0, whole.find("\xC3\xA9") + 1);
    WriteBytes(copy.GetText(), cut);
    SetWriteTime(copy.GetText(), stamp + 10000000);
    On(kMachineB);
    EXPECT_EQ(1, GetLastSyncReport().retried);
    EXPECT_EQ("first", Body(L"Alpha"));
    // The old copy with the list already naming the new one: older than the stamp.
    WriteBytes(copy.GetText(), "first\r\n{{\r\n}}\r\n");
    SetWriteTime(copy.GetText(), stamp - 10000000);
    ASSERT_EQ(1, SyncFolders(1));
    EXPECT_EQ(1, GetLastSyncReport().retried);
    EXPECT_EQ("first", Body(L"Alpha"));
    // The copy arrives whole.
    WriteBytes(copy.GetText(), whole);
    SetWriteTime(copy.GetText(), stamp);
    ASSERT_EQ(1, SyncFolders(1));
    EXPECT_EQ(0, GetLastSyncReport().retried);
    EXPECT_EQ(Utf8(L"the whole new text \u00e9"), Body(L"Alpha"));
    // A list cut short is not read: nothing changes, the next pass looks again.
    AIString list = syncFolder;
    list.AppendText(L"tavik.files");
    std::string fullList = ReadBytes(list.GetText());
    WriteBytes(list.GetText(), fullList.substr(0, fullList.size() / 2));
    ASSERT_EQ(1, SyncFolders(1));
    EXPECT_EQ(1, GetLastSyncReport().retried);
    EXPECT_EQ(Utf8(L"the whole new text \u00e9"), Body(L"Alpha"));
}

TEST_F(TwoMachines, ACopyCutShortWhereItWasWrittenIsSentAgainByItsWriter)
{
    On(kMachineA);
    Edit(L"Alpha", L"written whole");
    ASSERT_EQ(1, SyncFolders(1));
    AIString copy = CopyPath(syncFolder, L"Alpha");
    std::string whole = ReadBytes(copy.GetText());
    uint64_t stamp = WriteTimeOf(copy.GetText());
    // The computer stopped before the copy reached the disk: the file bears
    // the stamp of its line, but not its bytes.
    WriteBytes(copy.GetText(), whole.substr(0, 5));
    SetWriteTime(copy.GetText(), stamp);
    ASSERT_EQ(1, SyncFolders(1));
    EXPECT_EQ(1, GetLastSyncReport().pushed);
    EXPECT_EQ(whole, ReadBytes(copy.GetText()));
}

TEST_F(TwoMachines, ACopyEditedByHandElsewhereIsTaken)
{
    On(kMachineA);
    On(kMachineB);
    AIString copy = CopyPath(syncFolder, L"Beta");
    uint64_t stamp = WriteTimeOf(copy.GetText());
    WriteBytes(copy.GetText(), "typed on a phone\n");
    SetWriteTime(copy.GetText(), stamp + 10000000);
    On(kMachineA);
    EXPECT_EQ("typed on a phone\r\n", Body(L"Beta"));
    On(kMachineB);
    EXPECT_EQ("typed on a phone\r\n", Body(L"Beta"));
}

namespace {

struct VanishingFolder {
    AIString folder;
    int32_t after;
};

void RemoveFolderMidPass(int32_t done, void* context)
{
    VanishingFolder* vanishing = (VanishingFolder*)context;
    if (done == vanishing->after) RemoveTree(vanishing->folder.GetText());
}

}  // namespace

TEST_F(TwoMachines, AFolderThatVanishesMidPassFailsSoftlyWithOneNotice)
{
    SetSyncNoticeHook(RememberNotice);
    On(kMachineA);
    On(kMachineB);
    Edit(L"Alpha", L"kept here");
    Edit(L"Beta", L"kept too");
    Edit(L"Plan", L"and this");
    VanishingFolder vanishing = {syncFolder, 1};
    SetSyncPassProbe(RemoveFolderMidPass, &vanishing);
    s_lastNotice.clear();
    EXPECT_EQ(0, SyncFolders(1));
    SetSyncPassProbe(nullptr, nullptr);
    EXPECT_NE(std::string::npos, s_lastNotice.find("cannot be reached")) << s_lastNotice;
    EXPECT_EQ("kept here", Body(L"Alpha"));
    EXPECT_EQ("kept too", Body(L"Beta"));
    EXPECT_EQ("and this", Body(L"Plan"));
    // Gone for good: the next pass fails without telling again.
    s_lastNotice.clear();
    EXPECT_EQ(0, SyncFolders(1));
    EXPECT_EQ("", s_lastNotice);
    EXPECT_EQ(1, GetLastSyncReport().failedFolders);
    // Back again: the notes go out.
    CreateDirectoryW(vanishing.folder.GetText(), 0);
    EXPECT_EQ(1, SyncFolders(1));
    On(kMachineA);
    EXPECT_EQ("kept here", Body(L"Alpha"));
}

class ThousandNotes : public TwoMachines {
protected:
    AIString StartingNotes() override
    {
        AIString records;
        WCHAR title[32], body[64];
        for (int i = 0; i < 1000; i++) {
            wsprintfW(title, L"Note%04d", i);
            wsprintfW(body, L"text of note %d", i);
            records.AppendString(NoteRecord(title, body));
        }
        return records;
    }
};

TEST_F(ThousandNotes, AThousandNotesTravelInOnePass)
{
    On(kMachineA);
    EXPECT_EQ(1000, GetLastSyncReport().pushed);
    On(kMachineB);
    EXPECT_EQ(0, GetLastSyncReport().conflicts) << "the same texts are adopted";
    for (int i = 0; i < 1000; i += 3) {
        WCHAR title[32], body[64];
        wsprintfW(title, L"Note%04d", i);
        wsprintfW(body, L"changed on B %d", i);
        Edit(title, body);
    }
    ASSERT_EQ(1, SyncFolders(1));
    EXPECT_EQ(334, GetLastSyncReport().pushed);
    On(kMachineA);
    EXPECT_EQ(334, GetLastSyncReport().pulled);
    EXPECT_EQ("changed on B 999", Body(L"Note0999"));
    EXPECT_EQ("text of note 998", Body(L"Note0998"));
}

TEST_F(TwoMachines, AConflictOnANoteInBothFoldersIsKeptOnceOnEachSide)
{
    UseFolders(true, true);
    On(kMachineA);
    On(kMachineB);
    Offline();
    Edit(L"Plan", L"B's plan @shared");
    On(kMachineA);
    Edit(L"Plan", L"A's plan @shared");
    ASSERT_EQ(1, SyncFolders(1));
    On(kMachineB);   // the sync folder's pass keeps A's text; the share folder's meets the same
    EXPECT_EQ("B's plan @shared", Body(L"Plan"));
    EXPECT_EQ("A's plan @shared", Body(L"Plan_(other_copy)"));
    EXPECT_EQ(4, GetNoteCount()) << "one other copy, not two";
    ASSERT_EQ(1, SyncFolders(1));
    On(kMachineA);
    EXPECT_EQ("B's plan @shared", Body(L"Plan"));
    EXPECT_EQ("A's plan @shared", Body(L"Plan_(other_copy)"));
    EXPECT_EQ(4, GetNoteCount());
    On(kMachineB);
    EXPECT_EQ(4, GetNoteCount());
    EXPECT_EQ(0, GetLastSyncReport().conflicts);
}

TEST_F(TwoMachines, ALineTypedAfterACopysLinkBlockJoinsTheBody)
{
    On(kMachineA);
    On(kMachineB);
    AIString copy = CopyPath(syncFolder, L"Beta");
    uint64_t stamp = WriteTimeOf(copy.GetText());
    std::string text = ReadBytes(copy.GetText());
    ASSERT_EQ("second\r\n{{\r\n}}\r\n", text);
    WriteBytes(copy.GetText(), text + "typed at the end\r\n");
    SetWriteTime(copy.GetText(), stamp + 10000000);
    On(kMachineA);
    EXPECT_EQ("second\r\ntyped at the end", Body(L"Beta"));
    ASSERT_EQ(1, LoadNoteText(FindNoteByTitle(L"Beta", 0, 0), 0));
    EXPECT_EQ("second\r\ntyped at the end\r\n{{\r\n}}\r\n", Utf8(g_noteStore.currentText));
    // The text as taken is the text: no conflict, nothing sent back changed.
    On(kMachineB);
    EXPECT_EQ("second\r\ntyped at the end", Body(L"Beta"));
    EXPECT_EQ(0, GetLastSyncReport().conflicts);
}

TEST_F(TwoMachines, ACopyThatIsNotTextHoldsBackNoEditAndIsKeptInRevisions)
{
    SetSyncNoticeHook(RememberNotice);
    BothInStep();
    AIString copy = CopyPath(syncFolder, L"Alpha");
    uint64_t stamp = WriteTimeOf(copy.GetText());
    // Edited by hand elsewhere and saved in another encoding.
    const std::string latin1 = "caf\xE9 typed elsewhere\r\n";
    WriteBytes(copy.GetText(), latin1);
    SetWriteTime(copy.GetText(), stamp + 10000000);
    Edit(L"Alpha", L"edited here");
    s_lastNotice.clear();
    ASSERT_EQ(1, SyncFolders(1));
    EXPECT_EQ(1, GetLastSyncReport().retried) << "the first look: it may still be arriving";
    EXPECT_EQ("", s_lastNotice);
    ASSERT_EQ(1, SyncFolders(1));   // unchanged since: it is not text
    EXPECT_EQ(1, GetLastSyncReport().pushed);
    EXPECT_NE(std::string::npos, s_lastNotice.find("Alpha in the sync folder is not UTF-8 text")) << s_lastNotice;
    EXPECT_NE(std::string::npos, Revisions(syncFolder).find(latin1));
    EXPECT_EQ("edited here\r\n{{\r\n}}\r\n", ReadBytes(copy.GetText()));
    // Told once; the note's later edits go out as ever.
    s_lastNotice.clear();
    Edit(L"Alpha", L"edited again");
    ASSERT_EQ(1, SyncFolders(1));
    EXPECT_EQ(1, GetLastSyncReport().pushed);
    EXPECT_EQ("", s_lastNotice);
    On(kMachineB);
    EXPECT_EQ("edited again", Body(L"Alpha"));
    EXPECT_EQ(0, GetLastSyncReport().conflicts);
}

TEST_F(TwoMachines, ALockThatCannotBeWrittenIsReported)
{
    UseFolders(false, true);
    SetSyncNoticeHook(RememberNotice);
    On(kMachineA);
    // The markers cannot be written (a full or read-only share folder).
    AIString blocked = shareFolder;
    blocked.AppendText(L"tavik.edit.tmp");
    ASSERT_TRUE(CreateDirectoryW(blocked.GetText(), 0));
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Plan", 0, 0)));
    s_lastNotice.clear();
    EXPECT_EQ(0, SyncClaimEditMarker());
    EXPECT_NE(std::string::npos, s_lastNotice.find("Plan could not be marked as being edited here")) << s_lastNotice;
    // Markers that cannot be read are told the same way.
    RemoveDirectoryW(blocked.GetText());
    AIString markers = shareFolder;
    markers.AppendText(L"tavik.edit");
    WriteBytes(markers.GetText(), "tavik-edit 1\r\nPlan\t");
    s_lastNotice.clear();
    EXPECT_EQ(0, SyncClaimEditMarker());
    EXPECT_NE(std::string::npos, s_lastNotice.find("could not be marked")) << s_lastNotice;
}

namespace {

struct LogWatch {
    AIString log;
    std::string seen;
};

void ReadLogMidPass(int32_t done, void* context)
{
    LogWatch* watch = (LogWatch*)context;
    if (done == 2) watch->seen = ReadBytes(watch->log.GetText());
}

}  // namespace

TEST_F(TwoMachines, TheFolderLogTellsWhatCameHereAsItComes)
{
    BothInStep();
    Edit(L"Alpha", L"from A");
    Edit(L"Beta", L"from A too");
    ASSERT_EQ(1, SyncFolders(1));
    LogWatch watch;
    watch.log = syncFolder;
    watch.log.AppendText(L"tavik.log");
    SetSyncPassProbe(ReadLogMidPass, &watch);
    On(kMachineB);   // Alpha, then Beta come here
    SetSyncPassProbe(nullptr, nullptr);
    EXPECT_EQ(2, GetLastSyncReport().pulled);
    EXPECT_NE(std::string::npos, watch.seen.find("\treceived\tAlpha\r\n")) << watch.seen;
    EXPECT_NE(std::string::npos, watch.seen.find("\treceived\tBeta\r\n")) << watch.seen;
}
