// The store on a disk of a few megabytes (a drive small_disk_test.sh mounts
// and names in TAVIK_SMALL_DISK; without it these tests are skipped): the
// save of the notes comes first, backups that do not fit are left out and
// that is told once.
#include "tests/notestore/store_test_files.h"
#include "notestore/note_store.h"
#include "notestore/note_io.h"
#include "foundation/message_ids.h"
#include <vector>

namespace {

std::vector<int32_t> g_told;
void RecordMessage(int32_t id, const WCHAR*, const WCHAR*, const WCHAR*) { g_told.push_back(id); }
int Told(int32_t id)
{
    int count = 0;
    for (int32_t told : g_told) count += told == id;
    return count;
}

class SmallDisk : public testing::Test {
protected:
    void SetUp() override
    {
        WCHAR drive[MAX_PATH];
        DWORD n = GetEnvironmentVariableW(L"TAVIK_SMALL_DISK", drive, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) GTEST_SKIP() << "no small disk (see small_disk_test.sh)";
        CloseDatafile();
        ResetNoteIoFaults();
        folder_.AssignText(drive);
        folder_.AppendText(L"store\\");
        RemoveTree(folder_.GetText());
        ASSERT_EQ(1, EnsureFolder(folder_.GetText()));
        path_.Copy(folder_).AppendText(L"notes.tavik");
        g_told.clear();
        SetNoteStoreMessageHook(RecordMessage);
    }
    void TearDown() override
    {
        SetNoteStoreMessageHook(0);
        CloseDatafile();
        if (!folder_.IsEmpty()) RemoveTree(folder_.GetText());
    }

    void Store(const WCHAR* title, const WCHAR* body)
    {
        ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(title, 0, 0)));
        ASSERT_EQ(1, StoreCurrentNote(body, 0));
    }
    int FilesIn(const WCHAR* pattern)
    {
        AIString search(folder_);
        search.AppendText(pattern);
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW(search.GetText(), &found);
        int count = 0;
        for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &found)) count++;
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
        return count;
    }

    AIString folder_, path_;
};

}  // namespace

// A data file of 1.1 MB on a disk of 3 MB: room for the file, its backup and
// the new file a save writes, not for a per-minute or weekday copy besides.
TEST_F(SmallDisk, EverySaveReachesTheFileAndTheBackupsThatDoNotFitAreToldOnce)
{
    AIString big;
    for (int i = 0; i < 550000; i++) big.AppendChar((WCHAR)(L'a' + i % 26));
    AIString records;
    records.AppendString(NoteRecord(L"Alpha", big.GetText())).AppendString(NoteRecord(L"Beta", L"second"));
    WriteBytes(path_.GetText(), DataFile(records));
    ULARGE_INTEGER free;
    ASSERT_TRUE(GetDiskFreeSpaceExW(folder_.GetText(), &free, 0, 0));
    ASSERT_LT(free.QuadPart, 2u * 1024 * 1024) << "the disk is the small one";
    ASSERT_EQ(1, LoadDatafile(path_.GetText()));
    for (int round = 1; round <= 3; round++) {
        WCHAR body[64];
        wsprintfW(body, L"typed in round %d", round);
        Store(L"Beta", body);
        EXPECT_EQ(kSaveDone, SaveDatafileIfOpen()) << "round " << round;
        ASSERT_EQ(1, LoadDatafile(path_.GetText()));
        ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Beta", 0, 0)));
        EXPECT_EQ(Utf8(body), Utf8(g_noteStore.currentText)) << "round " << round;
    }
    EXPECT_EQ(0, Told(kMsgOutOfDiskSpace));
    EXPECT_EQ(1, Told(kMsgLowDiskSpaceWarning));
    EXPECT_EQ(1u, g_told.size());
    EXPECT_EQ(0, FilesIn(L"notes_notes\\backup\\minutes\\*.tavik"));
    EXPECT_EQ(1, FilesIn(L"notes.tavik.bak"));
    EXPECT_EQ(0, FilesIn(L"*.tmp"));
}
