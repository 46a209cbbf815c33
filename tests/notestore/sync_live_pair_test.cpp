// Two stores at work on one sync and one share folder at the same time: this
// test program is one, a child process the other. Their passes interleave,
// one pass held in its middle while the other runs whole; and a store killed
// in the middle of a pass leaves nothing that the next store takes for a
// conflict, and a log that tells what came in before the kill.
#include "tests/notestore/two_machines.h"
#include "tests/notestore/store_child.h"
#include "notestore/note_io.h"
#include <string>

namespace {

std::string Tab(const char* verb, const WCHAR* a, const WCHAR* b = nullptr)
{
    std::string command(verb);
    command += "\t" + Utf8(a);
    if (b) command += "\t" + Utf8(b);
    return command;
}

class LivePair : public TwoMachines {
protected:
    // B runs in the child; A is loaded here.
    void StartB(bool sync, bool share, int holdAfter = 0)
    {
        ASSERT_TRUE(child.Start(root.Path(), sync ? syncFolder : AIString(), share ? shareFolder : AIString()));
        if (holdAfter) {
            ASSERT_EQ("1", child.Do("hold\t" + std::to_string(holdAfter)));
        }
    }
    ChildStore child;
};

}  // namespace

TEST_F(LivePair, PassesInterleavedWithBothEditingKeepEveryTextOnce)
{
    UseFolders(true, true);
    On(kMachineA);                        // A's notes go out
    StartB(true, true);
    ASSERT_EQ("1", child.Do(Tab("load", datafile[kMachineB].GetText())));   // B adopts them

    // Both edit at once: each its own note, and the shared one both.
    Edit(L"Alpha", L"A's alpha");
    Edit(L"Plan", L"A's plan @shared");
    ASSERT_EQ("1", child.Do(Tab("edit", L"Beta", L"B's beta")));
    ASSERT_EQ("1", child.Do(Tab("edit", L"Plan", L"B's plan @shared")));

    // B's pass is held after its first note while A passes whole; then B
    // goes on and writes its lists over A's.
    ASSERT_EQ("1", child.Do("hold\t1"));
    ASSERT_EQ("held", child.Do("pass"));
    ASSERT_EQ(1, SyncFolders(1));
    ASSERT_NE("<no reply>", child.Resume());
    // A few more passes each, interleaved.
    for (int round = 0; round < 3; round++) {
        ASSERT_EQ(1, SyncFolders(1));
        ASSERT_NE("<no reply>", child.Do("pass"));
    }
    ASSERT_EQ(1, SyncFolders(1));

    // Each side holds every text, the two texts of "Plan" once each.
    EXPECT_EQ("A's alpha", Body(L"Alpha"));
    EXPECT_EQ("B's beta", Body(L"Beta"));
    std::string plan = Body(L"Plan"), other = Body(L"Plan_(other_copy)");
    EXPECT_TRUE((plan == "A's plan @shared" && other == "B's plan @shared") ||
                (plan == "B's plan @shared" && other == "A's plan @shared"))
        << plan << " / " << other;
    EXPECT_EQ(4, GetNoteCount());
    EXPECT_EQ("A's alpha", child.Do(Tab("body", L"Alpha")));
    EXPECT_EQ("B's beta", child.Do(Tab("body", L"Beta")));
    EXPECT_EQ(plan, child.Do(Tab("body", L"Plan")));
    EXPECT_EQ(other, child.Do(Tab("body", L"Plan_(other_copy)")));
    EXPECT_EQ("4", child.Do("count"));
    EXPECT_EQ("0 0 0 0", child.Do("pass")) << "in step: nothing more to do";

    // A lock taken here holds the note there while both run.
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Plan", 0, 0)));
    ASSERT_EQ(1, SyncClaimEditMarker());
    EXPECT_EQ("1", child.Do(Tab("locked", L"Plan")));
    ASSERT_EQ(1, SyncReleaseEditMarker());
    EXPECT_EQ("0", child.Do(Tab("locked", L"Plan")));
}

class KilledMidPass : public LivePair {
protected:
    AIString StartingNotes() override
    {
        AIString records;
        for (int i = 0; i < kNotes; i++) records.AppendString(NoteRecord(Title(i).GetText(), L"as it was"));
        return records;
    }
    static AIString Title(int i)
    {
        WCHAR title[32];
        wsprintfW(title, L"Note%03d", i);
        return AIString(title);
    }
    static constexpr int kNotes = 60;
};

TEST_F(KilledMidPass, ANewStoreFindsNoConflictInWhatTheKilledOneTookAndItsLogLines)
{
    On(kMachineA);
    On(kMachineB);
    On(kMachineA);   // both in step, A loaded here
    // Every copy edited by hand elsewhere, as a phone's editor saves it.
    for (int i = 0; i < kNotes; i++) {
        AIString copy(syncFolder);
        copy.AppendText(L"sync\\").AppendString(Title(i)).AppendText(L".txt");
        uint64_t stamp = WriteTimeOf(copy.GetText());
        WriteBytes(copy.GetText(), "typed on a phone " + std::to_string(i) + "\n");
        SetWriteTime(copy.GetText(), stamp + 10000000);
    }
    // B opens its file and is killed while its pass takes the copies in.
    const int kTakenBeforeKill = kNotes / 2;
    StartB(true, false, kTakenBeforeKill);
    ASSERT_EQ("held", child.Do(Tab("load", datafile[kMachineB].GetText())));
    child.Kill();

    AIString logPath(syncFolder);
    logPath.AppendText(L"tavik.log");
    std::string log = ReadBytes(logPath.GetText());
    for (int i = 0; i < kTakenBeforeKill; i++)
        EXPECT_NE(std::string::npos, log.find("\treceived\t" + Utf8(Title(i)) + "\r\n")) << i;

    // B started again: what the killed pass took is no conflict.
    On(kMachineB);
    EXPECT_EQ(0, GetLastSyncReport().conflicts);
    EXPECT_EQ(kNotes, GetNoteCount()) << "no other copies";
    for (int i = 0; i < kNotes; i += 7)
        EXPECT_EQ("typed on a phone " + std::to_string(i) + "\r\n", Body(Title(i).GetText())) << i;
    On(kMachineA);
    EXPECT_EQ(0, GetLastSyncReport().conflicts);
    EXPECT_EQ(kNotes, GetNoteCount());
    EXPECT_EQ("typed on a phone 59\r\n", Body(L"Note059"));
}
