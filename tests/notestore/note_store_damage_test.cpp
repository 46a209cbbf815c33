// Nothing lost: refused files stay untouched and the open file stays open;
// failed saves leave the old file whole; a walk holds the buffer in place.
#include "tests/notestore/store_test_files.h"
#include "notestore/note_store.h"
#include "notestore/note_io.h"
#include "foundation/ai_string_table.h"
#include "foundation/file_write.h"
#include "foundation/errors.h"
#include <stdlib.h>

namespace {

// A disk with room for so many more bytes (-1: no limit), as Wine shows a
// nearly full one: WriteFile succeeds, takes what fits and clears the error.
int64_t s_diskRoom = -1;

BOOL WINAPI WriteToNearlyFullDisk(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED overlapped)
{
    DWORD take = s_diskRoom >= 0 && (int64_t)count > s_diskRoom ? (DWORD)s_diskRoom : count;
    BOOL ok = WriteFile(file, bytes, take, written, overlapped);
    if (ok && s_diskRoom >= 0) s_diskRoom -= *written;
    SetLastError(ERROR_SUCCESS);
    return ok;
}

struct NearlyFullDisk {
    explicit NearlyFullDisk(int64_t room)
    {
        s_diskRoom = room;
        if (room >= 0) SetFileWriterForTests(WriteToNearlyFullDisk);
    }
    ~NearlyFullDisk()
    {
        s_diskRoom = -1;
        SetFileWriterForTests(0);
    }
};

class NoteStoreDamageTest : public testing::Test {
protected:
    void SetUp() override
    {
        CloseDatafile();
        ResetNoteIoFaults();
        g_noteStore.lastMessageId = 0;
        AIString records;
        records.AppendString(NoteRecord(L"Alpha", L"first"));
        records.AppendString(NoteRecord(L"Beta", L"second"));
        records.AppendString(NoteRecord(L"Gamma", L"third"));
        original = DataFile(records);
        path = folder.File(L"notes.tavik");
        WriteBytes(path.GetText(), original);
        ASSERT_EQ(1, LoadDatafile(path.GetText()));
    }
    void TearDown() override
    {
        ResetNoteIoFaults();
        SetFileAttributesW(path.GetText(), FILE_ATTRIBUTE_NORMAL);
        CloseDatafile();
    }
    void EditBeta()
    {
        ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Beta", 0, 0)));
        ASSERT_EQ(1, StoreCurrentNote(L"second, edited"));
    }
    void ExpectStillOpen()
    {
        EXPECT_EQ(1, IsDatafileLoaded());
        EXPECT_EQ(Utf8(path), Utf8(g_noteStore.datafilePath));
        EXPECT_EQ(3, GetNoteCount());
    }

    ScratchFolder folder;
    AIString path;
    std::string original;
};

}  // namespace

TEST_F(NoteStoreDamageTest, CorpusOfBadFilesIsRefusedWithItsMessage)
{
    const std::vector<CorpusFile> corpus = DamagedCorpusFiles();
    EXPECT_GE(corpus.size(), 20u);
    for (const CorpusFile& bad : corpus) {
        int32_t expected = bad.name.ToInt();
        std::string before = ReadBytes(bad.path.GetText());
        g_noteStore.lastMessageId = 0;
        EXPECT_EQ(0, LoadDatafile(bad.path.GetText())) << Utf8(bad.name);
        EXPECT_EQ(expected, g_noteStore.lastMessageId) << Utf8(bad.name);
        EXPECT_EQ(before, ReadBytes(bad.path.GetText())) << Utf8(bad.name);
        ExpectStillOpen();
    }
}

TEST_F(NoteStoreDamageTest, UnsortedFileNamesBothTitles)
{
    AIString bad = folder.File(L"unsorted.tavik");
    AIString records(NoteRecord(L"b", L"x"));
    records.AppendString(NoteRecord(L"C", L"y"));
    records.AppendString(NoteRecord(L"a", L"z"));
    WriteBytes(bad.GetText(), DataFile(records));
    EXPECT_EQ(0, LoadDatafile(bad.GetText()));
    EXPECT_EQ(kMsgDatafileUnsorted, g_noteStore.lastMessageId);
    EXPECT_EQ(Utf8(bad), Utf8(g_noteStore.lastMessageInserts[0]));
    EXPECT_EQ("a", Utf8(g_noteStore.lastMessageInserts[1]));
    EXPECT_EQ("C", Utf8(g_noteStore.lastMessageInserts[2]));
}

TEST_F(NoteStoreDamageTest, LockedFileIsReportedAndTheOpenFileStays)
{
    AIString other = folder.File(L"other.tavik");
    WriteBytes(other.GetText(), original);
    HANDLE lock = CreateFileW(other.GetText(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    EXPECT_EQ(0, LoadDatafile(other.GetText()));   // the question is answered No
    CloseHandle(lock);
    ExpectStillOpen();
    EXPECT_EQ(1, LoadDatafile(other.GetText()));
}

TEST_F(NoteStoreDamageTest, OversizedFileIsRefusedBeforeReading)
{
    AIString big = folder.File(L"big.tavik");
    HANDLE f = CreateFileW(big.GetText(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    LARGE_INTEGER size;
    size.QuadPart = (LONGLONG)kMaxDatafileBytes + 2;
    SetFilePointerEx(f, size, 0, FILE_BEGIN);
    SetEndOfFile(f);
    CloseHandle(f);
    EXPECT_EQ(0, LoadDatafile(big.GetText()));
    EXPECT_EQ(kMsgDatafileTooLarge, g_noteStore.lastMessageId);
    ExpectStillOpen();
}

TEST_F(NoteStoreDamageTest, FileCutAnywhereIsRefusedOrOpensWholeNotes)
{
    AIString cut = folder.File(L"cut.tavik");
    for (size_t length = 0; length < original.size(); length += 3) {
        WriteBytes(cut.GetText(), original.substr(0, length));
        int32_t ok = LoadDatafile(cut.GetText());
        std::string tail = original.substr(0, length);
        bool atNoteEnd = length > 8 && tail.compare(length - 8, 8, std::string("}\0}\0\r\0\n\0", 8)) == 0;
        EXPECT_EQ(atNoteEnd ? 1 : 0, ok) << length;
        if (ok) {
            EXPECT_EQ(1, CheckDatafileGuard());
            ASSERT_EQ(1, LoadDatafile(path.GetText()));
        } else {
            ExpectStillOpen();
        }
    }
}

TEST_F(NoteStoreDamageTest, RandomDamageNeverCrashes)
{
    AIString damaged = folder.File(L"damaged.tavik");
    AIString copy = folder.File(L"copy.tavik");
    srand(77);
    for (int round = 0; round < 300; round++) {
        std::string bytes = original;
        int changes = 1 + rand() % 8;
        for (int c = 0; c < changes; c++) {
            size_t at = 2 + (size_t)rand() % (bytes.size() - 2);
            switch (rand() % 4) {
            case 0: bytes[at] = (char)(rand() & 0xFF); break;
            case 1: bytes.erase(at, 1 + rand() % 4); break;
            case 2: bytes.insert(at, std::string("\xA4\x00", 2)); break;
            default: bytes.insert(at, std::string("}\0}\0\r\0\n\0", 8)); break;
            }
        }
        WriteBytes(damaged.GetText(), bytes);
        if (LoadDatafile(damaged.GetText())) {
            EXPECT_GE(GetNoteCount(), 1);
            for (int i = 0; i < GetNoteCount(); i++) LoadNoteText(i, 0);
            EXPECT_EQ(1, CheckDatafileGuard());
            // Nothing was changed, so nothing is written; a copy gives the same bytes.
            EXPECT_EQ(kSaveNothing, SaveDatafileIfOpen());
            EXPECT_EQ(bytes, ReadBytes(damaged.GetText())) << round;
            EXPECT_EQ(kSaveDone, SaveDatafileCopy(copy.GetText()));
            EXPECT_EQ(bytes, ReadBytes(copy.GetText())) << round;
            DeleteFileW(copy.GetText());
            ASSERT_EQ(1, LoadDatafile(path.GetText()));
        }
        ExpectStillOpen();
    }
}

TEST_F(NoteStoreDamageTest, FailedSaveLeavesTheOldFileWhole)
{
    struct Fault {
        const char* name;
        int64_t failAfter;
        int32_t diskFull, flush, replace;
        int32_t message;
    } faults[] = {
        {"disk full halfway", -1, 1, 0, 0, kMsgOutOfDiskSpace},
        {"write error halfway", 40, 0, 0, 0, 0},
        {"flush fails", -1, 0, 1, 0, 0},
        {"replace fails", -1, 0, 0, 1, 0},
    };
    EditBeta();
    AIString mirror(GetNotesFolder());
    mirror.AppendText(L"Beta.tavik.rtm");
    AIString temporary(path);
    temporary.AppendText(L".tmp");
    for (const Fault& f : faults) {
        ResetNoteIoFaults();
        g_noteStore.lastMessageId = 0;
        g_noteIoFaults.failWriteAfterBytes = f.failAfter;
        NearlyFullDisk disk(f.diskFull ? 40 : -1);
        g_noteIoFaults.failFlush = f.flush;
        g_noteIoFaults.failReplace = f.replace;
        EXPECT_EQ(kSaveFailed, SaveDatafileIfOpen()) << f.name;
        EXPECT_EQ(f.message, g_noteStore.lastMessageId) << f.name;
        EXPECT_EQ(original, ReadBytes(path.GetText())) << f.name;
        EXPECT_FALSE(FileExists(temporary.GetText())) << f.name;
        EXPECT_TRUE(FileExists(mirror.GetText())) << f.name;   // the edit is not lost
    }
    ResetNoteIoFaults();
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    EXPECT_NE(original, ReadBytes(path.GetText()));
    int32_t at = FindNoteByTitle(L"Beta", 0, 0);
    LoadNoteText(at, 0);
    EXPECT_EQ(0, g_noteStore.currentText.FindText(L"second, edited"));
}

TEST_F(NoteStoreDamageTest, ReadOnlyTargetIsNotReplaced)
{
    EditBeta();
    SetFileAttributesW(path.GetText(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(kSaveFailed, SaveDatafileIfOpen());
    EXPECT_EQ(original, ReadBytes(path.GetText()));
    // A copy onto a read-only file fails the same way and says so.
    AIString copy = folder.File(L"copy.tavik");
    WriteBytes(copy.GetText(), "keep me");
    SetFileAttributesW(copy.GetText(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(kSaveFailed, SaveDatafileCopy(copy.GetText()));
    EXPECT_EQ(kMsgSavingCopyFailed, g_noteStore.lastMessageId);
    EXPECT_EQ("keep me", ReadBytes(copy.GetText()));
    SetFileAttributesW(copy.GetText(), FILE_ATTRIBUTE_NORMAL);
    // A file that was read-only when opened is never written.
    SetFileAttributesW(path.GetText(), FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(1, IsDatafileReadOnly());
    EXPECT_EQ(0, StoreCurrentNote(L"x"));
    EXPECT_EQ(kSaveNothing, SaveDatafileIfOpen());
}

TEST_F(NoteStoreDamageTest, WalkHoldsTheBufferAndTheSaveWaits)
{
    EditBeta();
    WCHAR* buffer = GetDatafileBuffer();
    uint32_t generation = GetDatafileGeneration();
    BeginDatafileWalk();
    BeginDatafileWalk();
    // A walker marks a note's end with a zero, as full-text search does.
    WCHAR* mark = buffer + GetNoteIndexValue(2);
    *mark = 0;
    EXPECT_EQ(kSaveDeferred, SaveDatafileIfOpen());
    EXPECT_EQ(0, LoadDatafile(path.GetText()));
    EXPECT_EQ(0, ReloadNotesFromMirrors());
    EXPECT_EQ(0, CloseDatafile());
    EXPECT_EQ(buffer, GetDatafileBuffer());
    EXPECT_EQ(generation, GetDatafileGeneration());
    EXPECT_EQ(original, ReadBytes(path.GetText()));
    *mark = 0x00A4;
    EndDatafileWalk();
    EXPECT_EQ(original, ReadBytes(path.GetText()));   // one walker still holds it
    EndDatafileWalk();
    EXPECT_NE(generation, GetDatafileGeneration());
    EXPECT_NE(original, ReadBytes(path.GetText()));
    EXPECT_EQ(1, CheckDatafileGuard());
}

TEST_F(NoteStoreDamageTest, DamagedMirrorNeverBreaksTheDataFile)
{
    EditBeta();
    AIString mirror(GetNotesFolder());
    mirror.AppendText(L"Beta.tavik.rtm");
    // Another program wrote the mirror: a note mark, a zero, a foreign title,
    // a broken link block.
    AIString text;
    text.AppendChar(0x00A4).AppendText(L"Other\r\nbody \u00a4 more\r\n{{\r\n[a\tb:c,d]\r\n}}\r\n");
    std::string bytes = Utf16File(text.GetText());
    bytes.insert(20, std::string("\0\0", 2));
    WriteBytes(mirror.GetText(), bytes);
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(3, GetNoteCount());
    EXPECT_GE(FindNoteByTitle(L"Beta", 0, 0), 0);
    EXPECT_EQ(-1, FindNoteByTitle(L"Other", 0, 0));
}

TEST_F(NoteStoreDamageTest, NoteWithoutLinkBlockCanBecomeTheLastNote)
{
    // Written by hand: the first note has no link block. Once the note after
    // it is deleted it ends the file, which must still open again.
    AIString text(L"Tavik 10\r\n\u00a4a\r\nfoo\r\n\u00a4b\r\nbar\r\n{{\r\n}}\r\n");
    AIString hand = folder.File(L"hand.tavik");
    WriteBytes(hand.GetText(), Utf16File(text.GetText()));
    ASSERT_EQ(1, LoadDatafile(hand.GetText()));
    ASSERT_EQ(1, DeleteNote(1));
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    ASSERT_EQ(1, LoadDatafile(hand.GetText()));
    ASSERT_EQ(1, OpenCurrentNote(0));
    EXPECT_EQ("foo\r\n", Utf8(g_noteStore.currentText));
    EXPECT_EQ(0, g_noteStore.hyperlinks->GetCount());
}

TEST_F(NoteStoreDamageTest, CopyAskedForDuringAWalkFailsInsteadOfClaimingToWait)
{
    // Only the main save waits for the walk; a copy that cannot run now must
    // not look done to its caller.
    AIString copy = folder.File(L"copy.tavik");
    BeginDatafileWalk();
    int32_t result = SaveDatafileCopy(copy.GetText());
    EndDatafileWalk();
    EXPECT_EQ(kSaveFailed, result);
    EXPECT_FALSE(FileExists(copy.GetText()));
    EXPECT_EQ(kSaveDone, SaveDatafileCopy(copy.GetText()));
    EXPECT_EQ(original, ReadBytes(copy.GetText()));
}

TEST_F(NoteStoreDamageTest, SideCopiesWrittenInTheSameSecondKeepEachOther)
{
    // Deleted copies and full copies of long notes are named by the second;
    // a second copy in that second must not overwrite the first.
    ASSERT_GE(CreateNote(L"Delta", L"first text"), 0);
    ASSERT_EQ(1, DeleteNote(FindNoteByTitle(L"Delta", 0, 0)));
    ASSERT_GE(CreateNote(L"Delta", L"second text"), 0);
    ASSERT_EQ(1, DeleteNote(FindNoteByTitle(L"Delta", 0, 0)));
    AIString pattern(GetNotesFolder());
    pattern.AppendText(L"deleted\\Delta_*.tavik.rtm");
    WIN32_FIND_DATAW found;
    int copies = 0;
    HANDLE h = FindFirstFileW(pattern.GetText(), &found);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &found)) copies++;
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    EXPECT_EQ(2, copies);

    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Alpha", 0, 0)));
    AIString first, second;
    WCHAR* p = first.GetBuffer(60000);
    for (int i = 0; i < 60000; i++) p[i] = L'x';
    first.SetLength(60000);
    second.Copy(first).AppendText(L"more");
    ASSERT_EQ(1, StoreCurrentNote(first.GetText()));
    AIString firstCopy(g_noteStore.lastMessageInserts[1]);
    ASSERT_EQ(1, StoreCurrentNote(second.GetText()));
    EXPECT_NE(Utf8(firstCopy), Utf8(g_noteStore.lastMessageInserts[1]));
    EXPECT_EQ(2u + 60000u * 2u, ReadBytes(firstCopy.GetText()).size());
}

TEST_F(NoteStoreDamageTest, NewOrRenamedNoteNeverOverwritesAMirrorNotYetScanned)
{
    // Another writer (a capture) put a note into the notes folder after the
    // last scan: a new note or a rename to that title must not overwrite it.
    EditBeta();
    AIString captured(GetNotesFolder());
    captured.AppendText(L"Delta.tavik.rtm");
    std::string bytes = Utf16File(L"captured page");
    WriteBytes(captured.GetText(), bytes);
    EXPECT_EQ(-1, CreateNote(L"Delta", L"typed text"));
    EXPECT_EQ(bytes, ReadBytes(captured.GetText()));
    EXPECT_GE(FindNoteByTitle(L"Delta", 0, 0), 0);   // the scan took it up

    AIString other(GetNotesFolder());
    other.AppendText(L"Epsilon.tavik.rtm");
    WriteBytes(other.GetText(), bytes);
    EXPECT_EQ(-1, RenameNote(FindNoteByTitle(L"Alpha", 0, 0), L"Epsilon"));
    EXPECT_EQ(bytes, ReadBytes(other.GetText()));
    EXPECT_GE(FindNoteByTitle(L"Alpha", 0, 0), 0);
}

namespace {

// The weekday backups in the notes folder's "backup" folder.
int FindWeekdayBackup(AIString& out)
{
    AIString pattern(GetNotesFolder());
    pattern.AppendText(L"backup\\notes_*.tavik");
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(pattern.GetText(), &found);
    int count = 0;
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &found)) {
        out.AssignText(GetNotesFolder()).AppendText(L"backup\\").AppendText(found.cFileName);
        count++;
    }
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    return count;
}

void SetWriteTimeDaysAgo(const WCHAR* path, int days)
{
    HANDLE file = CreateFileW(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                              OPEN_EXISTING, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t;
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart -= (ULONGLONG)days * 24 * 3600 * 10000000ULL;
    FILETIME then = {t.LowPart, t.HighPart};
    EXPECT_TRUE(SetFileTime(file, 0, 0, &then));
    CloseHandle(file);
}

}  // namespace

TEST_F(NoteStoreDamageTest, WeekdayBackupKeepsTheDaysFirstVersionAndIsReplacedWhole)
{
    // The file was last written yesterday: today's first save keeps that version.
    SetWriteTimeDaysAgo(path.GetText(), 1);
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EditBeta();
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    AIString weekday;
    ASSERT_EQ(1, FindWeekdayBackup(weekday));
    EXPECT_EQ(original, ReadBytes(weekday.GetText()));
    // A later save the same day leaves the day's backup as it is.
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Alpha", 0, 0)));
    ASSERT_EQ(1, StoreCurrentNote(L"first, edited later"));
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    EXPECT_EQ(original, ReadBytes(weekday.GetText()));

    // Next week the old backup is replaced by the version before that week's
    // first save, and no temporary copy is left beside it.
    SetWriteTimeDaysAgo(weekday.GetText(), 7);
    std::string current = ReadBytes(path.GetText());
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Gamma", 0, 0)));
    ASSERT_EQ(1, StoreCurrentNote(L"third, edited next week"));
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    EXPECT_EQ(current, ReadBytes(weekday.GetText()));
    AIString temporary(weekday);
    temporary.AppendText(L".tmp");
    EXPECT_FALSE(FileExists(temporary.GetText()));
    EXPECT_EQ(1, FindWeekdayBackup(weekday));
}

TEST_F(NoteStoreDamageTest, TitleWithALoneSurrogateIsStoredUnderASafeName)
{
    // A title may hold a surrogate without its partner (a file written by
    // another program); no file name can hold one.
    AIString lone(L"Bx"), pair(L"Cxy");
    lone.GetBuffer(2)[1] = 0xD800;
    pair.GetBuffer(3)[1] = 0xD83D;
    pair.GetBuffer(3)[2] = 0xDE00;
    AIString records;
    records.AppendString(NoteRecord(L"Alpha", L"first"));
    records.AppendString(NoteRecord(lone.GetText(), L"lone"));
    records.AppendString(NoteRecord(pair.GetText(), L"pair"));
    AIString file = folder.File(L"surrogates.tavik");
    WriteBytes(file.GetText(), DataFile(records));
    ASSERT_EQ(1, LoadDatafile(file.GetText()));
    int reports = GetErrorReportCount();
    int32_t at = FindNoteByTitle(lone.GetText(), 0, 0);
    ASSERT_EQ(1, OpenCurrentNote(at));
    ASSERT_EQ(1, StoreCurrentNote(L"lone, edited"));
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(pair.GetText(), 0, 0)));
    ASSERT_EQ(1, StoreCurrentNote(L"pair, edited"));
    EXPECT_EQ(reports, GetErrorReportCount());
    // A good title keeps its own name, so side files already there are found.
    AIString mirror(GetNotesFolder());
    mirror.AppendString(pair).AppendText(L".tavik.rtm");
    EXPECT_TRUE(FileExists(mirror.GetText()));
    // The edit lives through a scan (the title read back from the name) and a save.
    EXPECT_EQ(0, ScanNotesFolderForNewAndDeleted());
    EXPECT_EQ(3, GetNoteCount());
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    ASSERT_EQ(1, LoadDatafile(file.GetText()));
    ASSERT_EQ(1, LoadNoteText(FindNoteByTitle(lone.GetText(), 0, 0), 0));
    EXPECT_EQ(0, g_noteStore.currentText.FindText(L"lone, edited"));
    ASSERT_EQ(1, LoadNoteText(FindNoteByTitle(pair.GetText(), 0, 0), 0));
    EXPECT_EQ(0, g_noteStore.currentText.FindText(L"pair, edited"));
}

TEST_F(NoteStoreDamageTest, AFolderThatTakesNoNewFileOpensReadOnly)
{
    // Every save writes a new copy beside the file: a folder without write
    // permission makes the file read-only however its own attribute reads.
    g_noteIoFaults.failCreate = 1;
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(1, IsDatafileReadOnly());
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Beta", 0, 0)));
    EXPECT_EQ(0, StoreCurrentNote(L"never stored"));
    EXPECT_EQ(-1, CreateNote(L"Delta", L"new"));
    EXPECT_EQ(kSaveNothing, SaveDatafileIfOpen());
    EXPECT_EQ(original, ReadBytes(path.GetText()));
    // A folder that takes files again opens writable, and the probe leaves nothing behind.
    ResetNoteIoFaults();
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(0, IsDatafileReadOnly());
    AIString pattern(folder.Path());
    pattern.AppendText(L"~tavik*");
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(pattern.GetText(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, h);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(NoteStoreDamageTest, ANoteStoredOnANearlyFullDiskSaysWhyAndKeepsTheOldText)
{
    EditBeta();
    AIString mirror(GetNotesFolder());
    mirror.AppendText(L"Beta.tavik.rtm");
    std::string before = ReadBytes(mirror.GetText());
    int reports = GetErrorReportCount();
    {
        NearlyFullDisk disk(10);
        EXPECT_EQ(0, StoreCurrentNote(L"a text longer than the room left on the disk"));
    }
    EXPECT_EQ(reports + 1, GetErrorReportCount());
    EXPECT_NE(std::string::npos, Utf8(GetLastErrorReportText()).find("Not enough free disk space"));
    EXPECT_EQ(before, ReadBytes(mirror.GetText()));
    AIString temporary(mirror);
    temporary.AppendText(L".tmp");
    EXPECT_FALSE(FileExists(temporary.GetText()));
    // Told not to ask, the store fails without a question.
    {
        NearlyFullDisk disk(10);
        EXPECT_EQ(0, StoreCurrentNote(L"once more, quietly", 0));
    }
    EXPECT_EQ(reports + 1, GetErrorReportCount());
}
