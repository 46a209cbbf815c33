// The backups and the change log: each restores the notes it promises.
// The weekday backup gives the file as it was before the day's first save,
// the per-minute backup the notes as stored that minute, and the day's
// change log replayed onto the day's backup gives every note as stored.
#include "tests/notestore/store_test_files.h"
#include "notestore/note_store.h"
#include "notestore/change_log.h"
#include "notestore/note_io.h"
#include <string>
#include <vector>

namespace {

const uint64_t kDay = 24ULL * 3600 * 10000000;

class Backups : public testing::Test {
protected:
    void SetUp() override
    {
        CloseDatafile();
        ResetNoteIoFaults();
        AIString records;
        records.AppendString(NoteRecord(L"Alpha", L"first"));
        records.AppendString(NoteRecord(L"Beta", L"second"));
        records.AppendString(NoteRecord(L"Gamma", L"third"));
        original = DataFile(records);
        path = folder.File(L"notes.tavik");
        WriteBytes(path.GetText(), original);
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        SetWriteTime(path.GetText(), ((uint64_t)now.dwHighDateTime << 32 | now.dwLowDateTime) - kDay);
    }
    void TearDown() override { CloseDatafile(); }

    void Store(const WCHAR* title, const WCHAR* body)
    {
        ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(title, 0, 0)));
        ASSERT_EQ(1, StoreCurrentNote(body, 0));
    }
    std::string Body(const WCHAR* title)
    {
        int32_t at = FindNoteByTitle(title, 0, 0);
        if (at < 0 || !OpenCurrentNote(at)) return "<missing>";
        return Utf8(g_noteStore.currentText);
    }
    // The files of a folder matching a pattern, the last one found in out.
    int Find(const WCHAR* pattern, AIString& out)
    {
        AIString search(folder.Path());
        search.AppendText(pattern);
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW(search.GetText(), &found);
        int count = 0;
        for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &found)) {
            out.Copy(search);
            out.SetLength(out.FindChar(L'\\', true) + 1);
            out.AppendText(found.cFileName);
            count++;
        }
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
        return count;
    }
    // A copy of a backup to open (a backup itself stays as it is).
    AIString Restored(const AIString& backup)
    {
        AIString restored = folder.File(L"restored.tavik");
        EXPECT_TRUE(CopyFileW(backup.GetText(), restored.GetText(), FALSE));
        return restored;
    }

    ScratchFolder folder;
    AIString path;
    std::string original;
};

}  // namespace

TEST(ChangeLogLines, TextsTravelInOneLineAndComeBackWhole)
{
    const WCHAR text[] = L"tab\there\r\nback\\slash \\n not a line end\r\n{{\r\n}}\r\n";
    AIString escaped, back;
    EscapeLogText(text, TextLength(text), escaped);
    EXPECT_LT(escaped.FindChar(L'\r'), 0);
    EXPECT_LT(escaped.FindChar(L'\n'), 0);
    EXPECT_LT(escaped.FindChar(L'\t'), 0);
    ASSERT_EQ(1, UnescapeLogText(escaped.GetText(), escaped.GetLength(), back));
    EXPECT_EQ(Utf8(text), Utf8(back));
    EXPECT_EQ(0, UnescapeLogText(L"a\\x", 3, back)) << "an escape of no meaning";
    EXPECT_EQ(0, UnescapeLogText(L"a\\", 2, back)) << "cut after the backslash";

    AIString line(L"12:00:01\tstored\tAlpha\t20\t");
    line.AppendString(escaped);
    ChangeLogEntry entry;
    ASSERT_EQ(1, ParseChangeLogLine(line.GetText(), line.GetLength(), entry));
    EXPECT_EQ("Alpha", Utf8(AIString().AssignTextN(entry.title, entry.titleLen)));
    EXPECT_EQ(0, IsRemovingEntry(entry));
    AIString removing(L"12:00:02\tdeleted\tBeta\t0\t");
    ASSERT_EQ(1, ParseChangeLogLine(removing.GetText(), removing.GetLength(), entry));
    EXPECT_EQ(1, IsRemovingEntry(entry));
    EXPECT_EQ(0, ParseChangeLogLine(L"12:00\tstored\tAlpha", 18, entry)) << "fields missing";
    AIString badTitle(L"12:00:01\tstored\ta/b\t1\tx");
    EXPECT_EQ(0, ParseChangeLogLine(badTitle.GetText(), badTitle.GetLength(), entry));
}

TEST(ChangeLogLines, AWrittenLineIsWalkedAndReadAsOne)
{
    const WCHAR record[] = L"\x00A4Gamma\r\nfirst\tline\r\nsecond";
    AIString line;
    ComposeChangeLogLine(L"08:00:00", kLogRenamed, L"Gamma", record, TextLength(record), line);
    EXPECT_EQ("08:00:00\trenamed\tGamma\t26\tfirst\\tline\\r\\nsecond", Utf8(line));
    AIString deletion;
    ComposeChangeLogLine(L"08:00:01", kLogDeleted, L"Gamma", nullptr, 0, deletion);
    EXPECT_EQ("08:00:01\tdeleted\tGamma\t0\t", Utf8(deletion));

    // A log as a day leaves it: byte-order mark, CR LF ends, a stray blank line.
    AIString log;
    log.AppendChar(0xFEFF).AppendString(line).AppendText(L"\r\n\r\n").AppendString(deletion).AppendText(L"\n");
    int32_t pos = 0, start = 0, length = 0;
    ASSERT_EQ(1, NextChangeLogLine(log.GetText(), log.GetLength(), &pos, &start, &length));
    EXPECT_EQ(1, start);
    EXPECT_EQ(line.GetLength(), length);
    ASSERT_EQ(1, NextChangeLogLine(log.GetText(), log.GetLength(), &pos, &start, &length));
    EXPECT_EQ(Utf8(deletion), Utf8(AIString().AssignTextN(log.GetText() + start, length)));
    EXPECT_EQ(0, NextChangeLogLine(log.GetText(), log.GetLength(), &pos, &start, &length));
    pos = 0;
    EXPECT_EQ(0, NextChangeLogLine(L"\r\n\n", 3, &pos, &start, &length)) << "only line ends";
}

TEST_F(Backups, TheWeekdayBackupRestoresTheFileBeforeTheDaysFirstSave)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    Store(L"Beta", L"second, edited");
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    AIString weekday;
    ASSERT_EQ(1, Find(L"notes_notes\\backup\\notes_???.tavik", weekday));
    ASSERT_EQ(1, LoadDatafile(Restored(weekday).GetText()));
    EXPECT_EQ("second", Body(L"Beta"));
    EXPECT_EQ("first", Body(L"Alpha"));
}

TEST_F(Backups, ThePerMinuteBackupRestoresTheNotesAsStoredAndKeepsTheNewestTen)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    // Copies of earlier minutes, as a long session leaves them.
    AIString minutes = folder.File(L"notes_notes\\backup\\minutes\\");
    ASSERT_EQ(1, EnsureFolder(minutes.GetText()));
    for (int i = 0; i < kMinuteBackupsKept; i++) {
        WCHAR name[64];
        wsprintfW(name, L"notes_minute_20200101-10%02d.tavik", i);
        AIString old(minutes);
        old.AppendText(name);
        WriteBytes(old.GetText(), original);
    }
    Store(L"Alpha", L"first, typed this minute");
    Store(L"Gamma", L"third, typed this minute too");
    AIString newest;
    EXPECT_EQ(kMinuteBackupsKept, Find(L"notes_notes\\backup\\minutes\\notes_minute_*.tavik", newest));
    AIString oldest(minutes);
    oldest.AppendText(L"notes_minute_20200101-1000.tavik");
    EXPECT_FALSE(FileExists(oldest.GetText())) << "the oldest copy made room";
    // The newest copy holds the note stored first this minute; the data
    // file itself was not saved.
    EXPECT_EQ(original, ReadBytes(path.GetText()));
    ASSERT_EQ(1, LoadDatafile(Restored(newest).GetText()));
    EXPECT_EQ("first, typed this minute", Body(L"Alpha"));
}

TEST_F(Backups, TheDaysChangeLogReplayedOntoTheDaysBackupGivesEveryNoteAsStored)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    Store(L"Alpha", L"first\twith a tab, a \\ and\r\na second line");
    std::string alpha = Body(L"Alpha");
    ASSERT_GE(CreateNote(L"Delta", L"fourth, new"), 0);
    ASSERT_GE(RenameNote(FindNoteByTitle(L"Beta", 0, 0), L"Bravo"), 0);
    ASSERT_EQ(1, DeleteNote(FindNoteByTitle(L"Gamma", 0, 0)));
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    Store(L"Delta", L"fourth, edited after the save");
    AIString weekday, log;
    ASSERT_EQ(1, Find(L"notes_notes\\backup\\notes_???.tavik", weekday));
    ASSERT_EQ(1, Find(L"notes_notes\\log\\20*.log", log));

    ASSERT_EQ(1, LoadDatafile(Restored(weekday).GetText()));
    EXPECT_EQ(6, ReplayChangeLog(log.GetText()));
    EXPECT_EQ(alpha, Body(L"Alpha"));
    EXPECT_NE(std::string::npos, alpha.find("\t"));
    EXPECT_EQ("fourth, edited after the save", Body(L"Delta"));
    EXPECT_EQ("second", Body(L"Bravo"));
    EXPECT_EQ(0, FindNoteByTitle(L"Beta", 0, 0) >= 0);
    EXPECT_EQ(0, FindNoteByTitle(L"Gamma", 0, 0) >= 0);
    EXPECT_EQ(-1, ReplayChangeLog(folder.File(L"no such.log").GetText()));
}

namespace {

// The steps of a save at which the backup was missing.
AIString g_backupToWatch;
std::string g_stepsWithoutBackup;

void LookForTheBackup(SaveStep step)
{
    if (!FileExists(g_backupToWatch.GetText())) g_stepsWithoutBackup += std::to_string((int)step) + " ";
}

}  // namespace

// A kill at any moment of a save leaves the previous version as the backup
// (a hard link where the disk has them, else a copy), never no backup.
TEST_F(Backups, EveryStepOfASaveLeavesAWholeBackup)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    Store(L"Alpha", L"first, saved once");
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    g_backupToWatch.Copy(path).AppendText(L".bak");
    ASSERT_TRUE(FileExists(g_backupToWatch.GetText()));
    for (int copies = 0; copies < 2; copies++) {
        g_noteIoFaults.refuseHardLinks = copies;
        std::string before = ReadBytes(path.GetText());
        Store(L"Beta", copies ? L"second, saved with a copied backup" : L"second, saved with a linked backup");
        g_stepsWithoutBackup.clear();
        g_noteIoFaults.saveStep = LookForTheBackup;
        ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
        g_noteIoFaults.saveStep = 0;
        EXPECT_EQ("", g_stepsWithoutBackup) << "steps without a backup, copies " << copies;
        EXPECT_EQ(before, ReadBytes(g_backupToWatch.GetText())) << "the backup is the version before the save";
        AIString leftover(g_backupToWatch);
        leftover.AppendText(L".tmp");
        EXPECT_FALSE(FileExists(leftover.GetText()));
    }
}

namespace {

std::vector<int32_t> g_raised;
void RecordMessage(int32_t id, const WCHAR*, const WCHAR*, const WCHAR*) { g_raised.push_back(id); }
int Raised(int32_t id)
{
    int count = 0;
    for (int32_t raised : g_raised) count += raised == id;
    return count;
}

}  // namespace

// A weekday backup that cannot be written is told, once, and the saves go on.
TEST_F(Backups, AWeekdayBackupThatCannotBeWrittenIsToldOnce)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    static const WCHAR* const kDays[] = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
    SYSTEMTIME now;
    GetLocalTime(&now);
    AIString weekday = folder.File(L"notes_notes\\backup\\notes_");
    weekday.AppendText(kDays[now.wDayOfWeek]).AppendText(L".tavik");
    // A folder where the backup belongs: it cannot take its place.
    ASSERT_EQ(1, EnsureFolder(weekday.GetText()));
    g_raised.clear();
    SetNoteStoreMessageHook(RecordMessage);
    Store(L"Alpha", L"first, saved once");
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    Store(L"Alpha", L"first, saved twice");
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    SetNoteStoreMessageHook(0);
    EXPECT_EQ(1, Raised(kMsgSavingCopyFailed));
    EXPECT_EQ(1u, g_raised.size());
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ("first, saved twice", Body(L"Alpha"));
}
