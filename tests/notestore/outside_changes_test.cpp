// Changes made to the data file by another program (or a second instance):
// the file's identity, the merge rule note by note, and the store on real
// files never writing over such a change and loading it without losing a
// note edited here.
#include "tests/notestore/store_test_files.h"
#include "notestore/datafile_identity.h"
#include "notestore/note_merge.h"
#include "notestore/note_store.h"
#include "notestore/note_io.h"
#include <string.h>
#include <vector>

namespace {

uint64_t HashOf(const std::string& bytes) { return HashDatafileBytes((const uint8_t*)bytes.data(), (int64_t)bytes.size()); }

DatafileIdentity IdentityOf(const std::string& bytes, uint64_t time)
{
    DatafileIdentity identity;
    MakeDatafileIdentity((const uint8_t*)bytes.data(), (int64_t)bytes.size(), time, identity);
    return identity;
}

}  // namespace

TEST(DatafileIdentity, EveryChangedBitAndEveryOtherLengthGivesAnotherHash)
{
    std::string bytes;
    for (int i = 0; i < 37; i++) bytes.push_back((char)(i * 7 + 3));   // words and a tail
    uint64_t hash = HashOf(bytes);
    for (size_t at = 0; at < bytes.size(); at++)
        for (int bit = 0; bit < 8; bit++) {
            std::string changed = bytes;
            changed[at] = (char)(changed[at] ^ (1 << bit));
            EXPECT_NE(hash, HashOf(changed)) << "byte " << at << " bit " << bit;
        }
    // Two changes in the same word's top bytes must not cancel each other.
    std::string a = bytes, b = bytes;
    a[7] = (char)(a[7] ^ 0x80);
    b[6] = (char)(b[6] ^ 0x80);
    EXPECT_NE(HashOf(a), HashOf(b));
    // Zero bytes added at the end are a change too.
    EXPECT_NE(hash, HashOf(bytes + std::string(1, '\0')));
    EXPECT_NE(HashOf(std::string()), HashOf(std::string(1, '\0')));
    EXPECT_NE(HashOf(std::string(8, '\0')), HashOf(std::string(16, '\0')));
    EXPECT_EQ(hash, HashOf(bytes)) << "the same bytes give the same hash";
}

// The hash is kept in the sync folders' records: the same bytes give the
// same hash in every version of the program.
TEST(DatafileIdentity, HashOfKnownBytesNeverChanges)
{
    uint8_t bytes[1000];
    for (int i = 0; i < 1000; i++) bytes[i] = (uint8_t)(i * 131 + (i >> 5));
    EXPECT_EQ(0xe7bb059f955c5902ULL, HashDatafileBytes(bytes, 0));
    EXPECT_EQ(0x2851ce4cef7ba555ULL, HashDatafileBytes(bytes, 100));
    EXPECT_EQ(0x79d7606a08819eedULL, HashDatafileBytes(bytes, 1000));
}

// The file on disk is hashed as it is read, piece by piece: any split into
// whole blocks and a rest gives the hash of the whole.
TEST(DatafileIdentity, HashedPieceByPieceEqualsHashedWhole)
{
    std::string bytes;
    for (int i = 0; i < 3 * kHashBlockBytes * 40 + 13; i++) bytes.push_back((char)(i * 131 + (i >> 5)));
    const uint8_t* data = (const uint8_t*)bytes.data();
    for (int64_t size : {0, 1, 7, 8, 31, 32, 33, 64, 100, 1000, (int)bytes.size()}) {
        uint64_t whole = HashDatafileBytes(data, size);
        for (int64_t piece = kHashBlockBytes; piece <= size + kHashBlockBytes; piece *= 2) {
            DatafileHasher hasher;
            StartDatafileHash(hasher, size);
            int64_t done = 0;
            while (size - done > piece) {
                AddToDatafileHash(hasher, data + done, piece);
                done += piece;
            }
            EXPECT_EQ(whole, FinishDatafileHash(hasher, data + done, size - done)) << size << " in " << piece;
        }
        // Stretches of any length, as records are laid one after another.
        for (int64_t stretch : {1, 3, 31, 33, 70}) {
            StreamingDatafileHash streaming;
            StartStreamingHash(streaming, size);
            for (int64_t done = 0; done < size; done += stretch)
                AddToStreamingHash(streaming, data + done, stretch < size - done ? stretch : size - done);
            EXPECT_EQ(whole, FinishStreamingHash(streaming)) << size << " in stretches of " << stretch;
        }
        // Pieces from different places, each of its own length (a file
        // written from the loaded text and from side files).
        for (int64_t first : {1, 5, 31, 32, 45}) {
            StreamingDatafileHash streaming;
            StartStreamingHash(streaming, size);
            int64_t done = 0;
            for (int64_t piece = first; done < size; piece = piece * 7 % 97 + 1) {
                int64_t take = piece < size - done ? piece : size - done;
                AddToStreamingHash(streaming, data + done, take);
                AddToStreamingHash(streaming, data + done + take, 0);
                done += take;
            }
            EXPECT_EQ(whole, FinishStreamingHash(streaming)) << size << " in pieces from " << first;
        }
    }
}

TEST(DatafileIdentity, ANewTimeAloneIsATouchOtherBytesAreAChange)
{
    std::string bytes("\xFF\xFE" "T\0a\0", 6), other("\xFF\xFE" "T\0b\0", 6);
    DatafileIdentity known = IdentityOf(bytes, 100);
    EXPECT_EQ(kDiskSame, CompareDatafileIdentity(known, IdentityOf(bytes, 100)));
    EXPECT_EQ(kDiskTouched, CompareDatafileIdentity(known, IdentityOf(bytes, 200)));
    // Same size and the same time, other bytes: rewritten by a program that keeps times.
    EXPECT_EQ(kDiskChanged, CompareDatafileIdentity(known, IdentityOf(other, 100)));
    EXPECT_EQ(kDiskChanged, CompareDatafileIdentity(known, IdentityOf(bytes + "x", 100)));
    DatafileIdentity unreadable = {0, 6, 100, 0};
    EXPECT_EQ(kDiskChanged, CompareDatafileIdentity(known, unreadable));
    DatafileIdentity nothingKnown = {0, 0, 0, 0};
    EXPECT_EQ(kDiskSame, CompareDatafileIdentity(nothingKnown, IdentityOf(other, 5)));
}

TEST(NoteMerge, ChangesOnOneSideWinAndEditsOnBothSidesKeepBothTexts)
{
    const NoteVersion none = {0, 0};
    const NoteVersion base = {L"base", 4}, here = {L"here", 4}, there = {L"there", 5}, baseAgain = {L"base", 4};
    struct Case {
        const char* name;
        NoteVersion base, here;
        int32_t hereChanged;
        NoteVersion outside;
        NoteMergeAction expected;
    } cases[] = {
        {"unchanged here, changed outside", base, base, 0, there, kMergeTakeOutside},
        {"unchanged here, deleted outside", base, base, 0, none, kMergeTakeOutside},
        {"edited here, unchanged outside", base, here, 1, baseAgain, kMergeKeepHere},
        {"created here only", none, here, 1, none, kMergeKeepHere},
        {"deleted here, unchanged outside", base, none, 1, baseAgain, kMergeDropDeletedHere},
        {"deleted here, edited outside", base, none, 1, there, kMergeTakeOutside},
        {"deleted on both sides", base, none, 1, none, kMergeTakeOutside},
        {"edited here, deleted outside", base, here, 1, none, kMergeKeepHere},
        {"the same edit on both sides", base, here, 1, here, kMergeKeepHere},
        {"edited on both sides", base, here, 1, there, kMergeKeepBoth},
        {"created on both sides", none, here, 1, there, kMergeKeepBoth},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, DecideNoteMerge(c.base, c.here, c.hereChanged, c.outside)) << c.name;
    // A version is its text, not where it lies.
    EXPECT_EQ(1, SameNoteVersion(base, baseAgain));
    EXPECT_EQ(0, SameNoteVersion(base, NoteVersion{L"bas", 3}));
    EXPECT_EQ(1, SameNoteVersion(none, none));
    EXPECT_EQ(0, SameNoteVersion(none, NoteVersion{L"", 0})) << "an empty note is not a missing one";
}

namespace {

int32_t TakenFromList(const WCHAR* title, void* context)
{
    for (const WCHAR* const* taken = (const WCHAR* const*)context; *taken; taken++)
        if (CompareTextNoCase(*taken, title) == 0) return 1;
    return 0;
}

}  // namespace

TEST(NoteMerge, TheOtherCopysTitleFitsIsFreeAndIsAValidTitle)
{
    AIString out;
    const WCHAR* const none[] = {0};
    ASSERT_EQ(1, MakeOtherCopyTitle(L"Garden", TakenFromList, (void*)none, out));
    EXPECT_EQ("Garden_(other_copy)", Utf8(out));
    // Taken in any letter case: the next number.
    const WCHAR* const taken[] = {L"garden_(OTHER_copy)", L"Garden_(other_copy_2)", 0};
    ASSERT_EQ(1, MakeOtherCopyTitle(L"Garden", TakenFromList, (void*)taken, out));
    EXPECT_EQ("Garden_(other_copy_3)", Utf8(out));
    // A long title is cut so that the whole fits 30 characters, without
    // ending in a blank.
    ASSERT_EQ(1, MakeOtherCopyTitle(L"A_rather_long_title_for_a_note", TakenFromList, (void*)none, out));
    EXPECT_EQ(30, out.GetLength());
    EXPECT_EQ("A_rather_long_tit_(other_copy)", Utf8(out));
    ASSERT_EQ(1, MakeOtherCopyTitle(L"Plans_for_the_____next_year", TakenFromList, (void*)none, out));
    EXPECT_EQ("Plans_for_the_(other_copy)", Utf8(out));
    // A surrogate pair at the cut goes whole.
    WCHAR pair[31];
    for (int i = 0; i < 16; i++) pair[i] = L'x';
    pair[16] = 0xD83D;
    pair[17] = 0xDE00;
    pair[18] = 0;
    ASSERT_EQ(1, MakeOtherCopyTitle(pair, TakenFromList, (void*)none, out));
    EXPECT_EQ(29, out.GetLength());
    EXPECT_EQ(L'x', out.CharAt(15));
    EXPECT_EQ(L'_', out.CharAt(16));
    // Every title free up to the limit: none is made, none is taken twice.
    std::vector<AIString> many(100);
    std::vector<const WCHAR*> all;
    for (int n = 1; n <= 99; n++) {
        many[n].AssignText(L"Garden_(other_copy");
        if (n > 1) many[n].AppendChar(L'_').AppendInt(n);
        many[n].AppendChar(L')');
        all.push_back(many[n].GetText());
    }
    all.push_back(0);
    EXPECT_EQ(0, MakeOtherCopyTitle(L"Garden", TakenFromList, (void*)all.data(), out));
    EXPECT_EQ(0, MakeOtherCopyTitle(L"", TakenFromList, (void*)none, out));
}

namespace {

class OutsideChangeTest : public testing::Test {
protected:
    void SetUp() override
    {
        CloseDatafile();
        ResetNoteIoFaults();
        original = DataFile(Records(L"# Alpha\r\nfirst note @work", L"second", L"third", 0));
        path = folder.File(L"notes.tavik");
        WriteBytes(path.GetText(), original);
        ASSERT_EQ(1, SetWriteTime(path.GetText(), kOldWriteTime));
        ASSERT_EQ(1, LoadDatafile(path.GetText()));
    }
    void TearDown() override { CloseDatafile(); }

    // Alpha, Beta and Gamma with these bodies; Epsilon too when given.
    static AIString Records(const WCHAR* alpha, const WCHAR* beta, const WCHAR* gamma, const WCHAR* epsilon)
    {
        AIString records;
        records.AppendString(NoteRecord(L"Alpha", alpha)).AppendString(NoteRecord(L"Beta", beta));
        if (epsilon) records.AppendString(NoteRecord(L"Epsilon", epsilon));
        records.AppendString(NoteRecord(L"Gamma", gamma));
        return records;
    }

    // Another program rewrites the file in place (it is not bound by the
    // handle this program holds) and keeps its old time.
    void RewriteInPlace(const std::string& bytes)
    {
        CloseDatafileHandle();
        WriteBytes(path.GetText(), bytes);
        ASSERT_EQ(1, SetWriteTime(path.GetText(), kOldWriteTime));
    }

    // Another program writes a new file beside it and renames it over
    // (from another system or another Wine prefix, the handle held here does
    // not stop it).
    void RenameOver(const std::string& bytes)
    {
        CloseDatafileHandle();
        AIString temporary = folder.File(L"other_program.tmp");
        WriteBytes(temporary.GetText(), bytes);
        ASSERT_TRUE(MoveFileExW(temporary.GetText(), path.GetText(), MOVEFILE_REPLACE_EXISTING));
    }

    void Edit(const WCHAR* title, const WCHAR* body)
    {
        ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(title, 0, 0))) << Utf8(title);
        ASSERT_EQ(1, StoreCurrentNote(body));
    }

    // The note's text after its title line, or "<none>".
    std::string TextOf(const WCHAR* title)
    {
        int32_t at = FindNoteByTitle(title, 0, 0);
        if (at < 0) return "<none>";
        if (!LoadNoteText(at, 0)) return "<unreadable>";
        return Utf8(g_noteStore.currentText);
    }

    int SideFiles()
    {
        AIString pattern(GetNotesFolder());
        pattern.AppendText(L"*.tavik.rtm");
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW(pattern.GetText(), &found);
        int count = 0;
        while (h != INVALID_HANDLE_VALUE) {
            count++;
            if (!FindNextFileW(h, &found)) {
                FindClose(h);
                h = INVALID_HANDLE_VALUE;
            }
        }
        return count;
    }

    AIString Backup()
    {
        AIString backup(path);
        backup.AppendText(L".bak");
        return backup;
    }

    ScratchFolder folder;
    AIString path;
    std::string original;
};

std::string Stored(const char* body) { return std::string(body) + "\r\n{{\r\n}}\r\n"; }

}  // namespace

TEST_F(OutsideChangeTest, ARewriteInPlaceOfTheSameSizeAndTimeIsNeverWrittenOver)
{
    Edit(L"Beta", L"second, edited here");
    // The same number of bytes, the same time: only the content tells.
    std::string outside = DataFile(Records(L"# Alpha\r\nFIRST note @work", L"second", L"third", 0));
    ASSERT_EQ(original.size(), outside.size());
    RewriteInPlace(outside);
    EXPECT_EQ(1, HasDatafileChangedOnDisk());
    EXPECT_EQ(kSaveChangedOnDisk, SaveDatafileIfOpen());
    EXPECT_EQ(outside, ReadBytes(path.GetText()));
    EXPECT_FALSE(FileExists(Backup().GetText())) << "nothing was moved aside either";
    EXPECT_EQ(1, SideFiles()) << "the edit waits in its side file";
    EXPECT_EQ(Stored("second, edited here"), TextOf(L"Beta"));
}

TEST_F(OutsideChangeTest, ARenameOverIsNoticedATouchIsNotAndADeletedFileIsWrittenAgain)
{
    Edit(L"Beta", L"edited once");
    // Only the time moved (a copy back, a touch): the save goes ahead.
    ASSERT_EQ(1, SetWriteTime(path.GetText(), kOldWriteTime + 10000000));
    EXPECT_EQ(0, HasDatafileChangedOnDisk());
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    EXPECT_NE(std::string::npos, ReadBytes(path.GetText()).find(std::string("e\0d\0i\0t\0e\0d\0 \0o\0n\0c\0e", 21)));

    // A new file renamed over this one.
    Edit(L"Beta", L"edited twice");
    std::string outside = DataFile(Records(L"a", L"b", L"c", L"new outside"));
    RenameOver(outside);
    EXPECT_EQ(1, HasDatafileChangedOnDisk());
    EXPECT_EQ(kSaveChangedOnDisk, SaveDatafileIfOpen());
    EXPECT_EQ(outside, ReadBytes(path.GetText()));

    // A file deleted outside holds nothing to lose: the notes are written again.
    ASSERT_TRUE(DeleteFileW(path.GetText()));
    EXPECT_EQ(0, HasDatafileChangedOnDisk());
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(Stored("edited twice"), TextOf(L"Beta"));
}

TEST_F(OutsideChangeTest, RefreshLoadsTheOutsideNotesAndKeepsTheNotesEditedHere)
{
    Edit(L"Alpha", L"alpha edited here");
    Edit(L"Beta", L"beta edited here");
    ASSERT_GE(CreateNote(L"Delta", L"created here"), 0);
    // The other side edited Alpha too, edited Gamma and added Epsilon.
    RenameOver(DataFile(Records(L"alpha edited outside", L"second", L"gamma edited outside", L"created outside")));
    ASSERT_EQ(kSaveChangedOnDisk, SaveDatafileIfOpen());

    int32_t copies = -1;
    ASSERT_EQ(1, ReloadDatafileKeepingEdits(&copies));
    EXPECT_EQ(1, copies);
    EXPECT_EQ(Stored("alpha edited here"), TextOf(L"Alpha"));
    EXPECT_EQ(Stored("alpha edited outside"), TextOf(L"Alpha (other copy)"));
    EXPECT_EQ(Stored("beta edited here"), TextOf(L"Beta"));
    EXPECT_EQ(Stored("created here"), TextOf(L"Delta"));
    EXPECT_EQ(Stored("created outside"), TextOf(L"Epsilon"));
    EXPECT_EQ(Stored("gamma edited outside"), TextOf(L"Gamma"));
    EXPECT_EQ(6, GetNoteCount());

    // The file now loaded is the one on disk: the save goes ahead and holds all.
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    EXPECT_EQ(0, SideFiles());
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(6, GetNoteCount());
    EXPECT_EQ(Stored("alpha edited here"), TextOf(L"Alpha"));
    EXPECT_EQ(Stored("alpha edited outside"), TextOf(L"Alpha_(other_copy)"));
    EXPECT_EQ(Stored("gamma edited outside"), TextOf(L"Gamma"));
    EXPECT_EQ(kSaveNothing, SaveDatafileIfOpen());
}

TEST_F(OutsideChangeTest, DeletionsHereStandUnlessTheOtherSideEditedTheNote)
{
    ASSERT_EQ(1, DeleteNote(FindNoteByTitle(L"Beta", 0, 0)));
    ASSERT_EQ(1, DeleteNote(FindNoteByTitle(L"Gamma", 0, 0)));
    Edit(L"Alpha", L"the same edit");
    // Outside: Beta untouched, Gamma edited, Alpha given the very same edit.
    RewriteInPlace(DataFile(Records(L"the same edit", L"second", L"gamma edited outside", 0)));
    int32_t copies = -1;
    ASSERT_EQ(1, ReloadDatafileKeepingEdits(&copies));
    EXPECT_EQ(0, copies) << "the same text on both sides is kept once";
    EXPECT_EQ("<none>", TextOf(L"Beta"));
    EXPECT_EQ(Stored("gamma edited outside"), TextOf(L"Gamma"));
    EXPECT_EQ(Stored("the same edit"), TextOf(L"Alpha"));
    EXPECT_EQ(2, GetNoteCount());
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(2, GetNoteCount());
    EXPECT_EQ("<none>", TextOf(L"Beta"));
}

TEST_F(OutsideChangeTest, AnOutsideFileThatCannotBeLoadedLeavesEverythingAsItWas)
{
    Edit(L"Alpha", L"alpha edited here");
    RewriteInPlace(std::string("\xFF\xFE" "n\0o\0t\0 \0n\0o\0t\0e\0s\0", 20));
    int32_t copies = -1;
    EXPECT_EQ(0, ReloadDatafileKeepingEdits(&copies));
    EXPECT_EQ(0, copies);
    EXPECT_EQ(kMsgDatafileNotValid, g_noteStore.lastMessageId);
    EXPECT_EQ(3, GetNoteCount());
    EXPECT_EQ(Stored("alpha edited here"), TextOf(L"Alpha"));
    EXPECT_EQ(1, SideFiles());
    // And it is still not written over.
    EXPECT_EQ(kSaveChangedOnDisk, SaveDatafileIfOpen());
}

TEST_F(OutsideChangeTest, AnOtherCopyThatCannotBeWrittenLeavesEverythingAsItWas)
{
    Edit(L"Alpha", L"alpha edited here");
    std::string outside = DataFile(Records(L"alpha edited outside", L"second", L"third", 0));
    RewriteInPlace(outside);
    g_noteIoFaults.failReplace = 1;   // side files cannot be written
    int32_t copies = -1;
    EXPECT_EQ(0, ReloadDatafileKeepingEdits(&copies));
    ResetNoteIoFaults();
    EXPECT_EQ(Stored("alpha edited here"), TextOf(L"Alpha"));
    EXPECT_EQ("<none>", TextOf(L"Alpha_(other_copy)"));
    EXPECT_EQ(1, SideFiles());
    EXPECT_EQ(kSaveChangedOnDisk, SaveDatafileIfOpen());
    EXPECT_EQ(outside, ReadBytes(path.GetText()));
    // Once it can be written, the merge goes through.
    ASSERT_EQ(1, ReloadDatafileKeepingEdits(&copies));
    EXPECT_EQ(1, copies);
}

// A file of several read pieces (over 1 MB): one character changed in place
// (same size, same time) anywhere, also right at a piece's edge or in the
// last bytes, is a change; a new time alone is not.
TEST(OutsideChanges, AChangeAnywhereInALargeFileIsSeen)
{
    ScratchFolder folder;
    AIString path = folder.File(L"large.tavik");
    AIString records, title, body;
    for (int i = 0; i < 1500; i++) {
        title.AssignText(L"note_").AppendInt(10000 + i);
        body.Clear();
        for (int j = 0; j < 40; j++) body.AppendText(L"some words of text ");
        records.AppendString(NoteRecord(title.GetText(), body.GetText()));
    }
    const std::string original = DataFile(records);
    ASSERT_GT(original.size(), (size_t)(2 * 1024 * 1024));
    WriteBytes(path.GetText(), original);
    ASSERT_EQ(1, SetWriteTime(path.GetText(), kOldWriteTime));
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(0, HasDatafileChangedOnDisk());
    CloseDatafileHandle();  // another program may write now
    ASSERT_EQ(1, SetWriteTime(path.GetText(), kOldWriteTime + 1));
    EXPECT_EQ(0, HasDatafileChangedOnDisk()) << "a new time alone";
    const size_t megabyte = 1024 * 1024;
    for (size_t at : {(size_t)40, megabyte - 2, megabyte, 2 * megabyte + 2, original.size() - 12}) {
        std::string changed = original;
        // A letter of a body, changed to another letter (the file stays valid).
        size_t letter = at;
        while (changed[letter] < 'a' || changed[letter] > 'z') letter -= 2;
        changed[letter] = changed[letter] == 'x' ? 'y' : 'x';
        WriteBytes(path.GetText(), changed);
        ASSERT_EQ(1, SetWriteTime(path.GetText(), kOldWriteTime + 1));
        EXPECT_EQ(1, HasDatafileChangedOnDisk()) << "byte " << letter;
    }
    WriteBytes(path.GetText(), original);
    CloseDatafile();
}

// The identity a save keeps is that of the bytes it wrote: the saved file is
// not taken for an outside change, and a change of the same size and time
// made after the save still is.
TEST(OutsideChanges, TheIdentityKeptBySavesIsThatOfTheBytesWritten)
{
    CloseDatafile();
    ScratchFolder folder;
    AIString path = folder.File(L"saved.tavik");
    AIString records, title, body;
    for (int i = 0; i < 300; i++) {
        title.AssignText(L"note_").AppendInt(1000 + i);
        body.AssignText(L"words ").AppendInt(i * 7);
        records.AppendString(NoteRecord(title.GetText(), body.GetText()));
    }
    WriteBytes(path.GetText(), DataFile(records));
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    // An edit, a new note (a side file), a rename and a deletion, each saved.
    for (int round = 0; round < 4; round++) {
        const int32_t at = 10 + round * 50;
        if (round == 0) {
            ASSERT_EQ(1, OpenCurrentNote(at));
            ASSERT_EQ(1, StoreCurrentNote(L"edited, a little longer than it was"));
        } else if (round == 1) {
            ASSERT_GE(CreateNote(L"note_1000a", L"new"), 0);
        } else if (round == 2) {
            ASSERT_GE(RenameNote(at, L"renamed"), 0);
        } else {
            ASSERT_EQ(1, DeleteNote(at));
        }
        ASSERT_EQ(kSaveDone, SaveDatafileIfOpen()) << round;
        EXPECT_EQ(0, HasDatafileChangedOnDisk()) << round;
        const std::string saved = ReadBytes(path.GetText());
        const uint64_t time = WriteTimeOf(path.GetText());
        for (size_t letter : {(size_t)40, saved.size() / 2, saved.size() - 12}) {
            std::string changed = saved;
            while (changed[letter] < 'a' || changed[letter] > 'z') letter -= 2;
            changed[letter] = changed[letter] == 'x' ? 'y' : 'x';
            CloseDatafileHandle();
            WriteBytes(path.GetText(), changed);
            ASSERT_EQ(1, SetWriteTime(path.GetText(), time));
            EXPECT_EQ(1, HasDatafileChangedOnDisk()) << round << " byte " << letter;
        }
        WriteBytes(path.GetText(), saved);
        ASSERT_EQ(1, SetWriteTime(path.GetText(), time));
        EXPECT_EQ(0, HasDatafileChangedOnDisk()) << round;
    }
    CloseDatafile();
}

namespace {

// Another program that changes the data file at one step of a save: it
// writes its version beside the file and renames it over (as editors save),
// and where that is refused writes the file in place. Whether it could.
struct WriterAtStep {
    SaveStep step;
    AIString path, beside;
    std::string bytes;
    int tried, changed;
};
WriterAtStep g_writer;

void WriteAtStep(SaveStep step)
{
    WriterAtStep& w = g_writer;
    if (step != w.step || w.tried) return;
    w.tried = 1;
    WriteBytes(w.beside.GetText(), w.bytes);
    if (MoveFileExW(w.beside.GetText(), w.path.GetText(), MOVEFILE_REPLACE_EXISTING)) {
        w.changed = 1;
        return;
    }
    DeleteFileW(w.beside.GetText());
    HANDLE file = CreateFileW(w.path.GetText(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    w.changed = WriteFile(file, w.bytes.data(), (DWORD)w.bytes.size(), &written, 0) && written == w.bytes.size() &&
                 SetEndOfFile(file);
    CloseHandle(file);
}

}  // namespace

// Between the check and the replace another program either cannot change
// the file, or its change is seen and kept: never written over unseen.
TEST_F(OutsideChangeTest, AChangeBetweenTheCheckAndTheReplaceIsRefusedOrKept)
{
    const SaveStep steps[] = {kSaveStepWritten, kSaveStepChecked, kSaveStepBackupMade, kSaveStepBackupKept,
                              kSaveStepReleased};
    int round = 0;
    for (SaveStep step : steps) {
        std::string before = ReadBytes(path.GetText());
        WCHAR body[64], outside[64];
        wsprintfW(body, L"edited here, round %d", round);
        Edit(L"Beta", body);
        wsprintfW(outside, L"changed outside, round %d", round++);
        g_writer.step = step;
        g_writer.path.Copy(path);
        g_writer.beside = folder.File(L"other_program.tmp");
        g_writer.bytes = DataFile(Records(L"first", L"second", outside, 0));
        g_writer.tried = g_writer.changed = 0;
        g_noteIoFaults.saveStep = WriteAtStep;
        int32_t saved = SaveDatafileIfOpen();
        g_noteIoFaults.saveStep = 0;
        ASSERT_EQ(1, g_writer.tried) << "step " << step;
        // Once the store let go of the file to replace it, nothing stops the other program.
        if (step == kSaveStepReleased) {
            EXPECT_EQ(1, g_writer.changed);
        }
        if (g_writer.changed) {
            EXPECT_EQ(kSaveChangedOnDisk, saved) << "step " << step;
            EXPECT_EQ(g_writer.bytes, ReadBytes(path.GetText())) << "step " << step;
            EXPECT_NE(INVALID_HANDLE_VALUE, g_noteStore.fileHandle) << "the file is held again";
            int32_t copies = -1;
            ASSERT_EQ(1, ReloadDatafileKeepingEdits(&copies)) << "step " << step;
            ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
        } else {
            EXPECT_EQ(kSaveDone, saved) << "step " << step;
            EXPECT_EQ(before, ReadBytes(Backup().GetText())) << "step " << step;
        }
        // The edit made here reached the file, and so did the other program's.
        ASSERT_EQ(1, LoadDatafile(path.GetText()));
        EXPECT_EQ(Stored(Utf8(body).c_str()), TextOf(L"Beta")) << "step " << step;
        if (g_writer.changed) {
            EXPECT_EQ(Stored(Utf8(outside).c_str()), TextOf(L"Gamma")) << "step " << step;
        }
    }
}
