// The store on real files: open, find, edit, save, open again; side files,
// mirrors, tags, links, folders and recent files.
#include "tests/notestore/store_test_files.h"
#include "notestore/note_store.h"
#include "notestore/note_io.h"
#include "foundation/ai_string_table.h"
#include "foundation/settings_record.h"
#include <string.h>
#include <map>

namespace {

int CountChar(const std::string& file, WCHAR ch)
{
    int count = 0;
    for (size_t i = 2; i + 1 < file.size(); i += 2)
        if ((uint8_t)file[i] == (ch & 0xFF) && (uint8_t)file[i + 1] == (ch >> 8)) count++;
    return count;
}

class NoteStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        CloseDatafile();
        ResetNoteIoFaults();
        g_noteStore.lastMessageId = 0;
        AIString records;
        records.AppendString(NoteRecord(L"Alpha", L"# Alpha\r\nfirst note @work"));
        records.AppendString(NoteRecord(L"beta_note", L"second\r\n@work and @home"));
        records.AppendChar(0x00A4).AppendText(L"Gamma\r\nlinks here\r\n{{\r\n[site:http://a.b/?x=1\u20262]\r\n[w\u00b1x:Alpha]\r\n}}\r\n");
        original = DataFile(records);
        path = folder.File(L"notes.tavik");
        WriteBytes(path.GetText(), original);
    }
    void TearDown() override { CloseDatafile(); }

    // Opens the file and edits Alpha ("one") and beta_note ("two"): their
    // texts live in their mirrors.
    void OpenAndEditTwoNotes()
    {
        ASSERT_EQ(1, LoadDatafile(path.GetText()));
        ASSERT_EQ(1, OpenCurrentNote(0));
        ASSERT_EQ(1, StoreCurrentNote(L"one"));
        ASSERT_EQ(1, OpenCurrentNote(1));
        ASSERT_EQ(1, StoreCurrentNote(L"two"));
    }

    AIString TextOf(const WCHAR* title)
    {
        int32_t at = FindNoteByTitle(title, 0, 0);
        EXPECT_GE(at, 0) << Utf8(title);
        LoadNoteText(at, 0);
        return g_noteStore.currentText;
    }

    ScratchFolder folder;
    AIString path;
    std::string original;
};

}  // namespace

TEST_F(NoteStoreTest, LoadsIndexesAndFindsNotes)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(3, GetNoteCount());
    EXPECT_EQ(1, IsDatafileLoaded());
    EXPECT_EQ(0, IsDatafileReadOnly());
    EXPECT_EQ(1, CheckDatafileGuard());
    // The buffer ends with a zero and each index value points at a note mark.
    const WCHAR* buffer = GetDatafileBuffer();
    EXPECT_EQ(0, buffer[GetDatafileBufferChars()]);
    for (int i = 0; i < GetNoteCount(); i++) EXPECT_EQ(0x00A4, buffer[GetNoteIndexValue(i)]);

    EXPECT_EQ(0, FindNoteByTitle(L"alpha", 0, 0));
    EXPECT_EQ(1, FindNoteByTitle(L"beta note", 0, 0));   // blank compared as "_"
    EXPECT_EQ(-1, FindNoteByTitle(L"beta", 0, 0));
    EXPECT_EQ(1, FindNoteByTitle(L"BET", 0, 1));
    EXPECT_EQ(2, FindNoteByTitle(L"g", 0, 1));
    EXPECT_EQ(-1, FindNoteByTitle(L"z", 0, 1));
    EXPECT_EQ(-1, FindNoteByTitle(L"", 0, 1));
    EXPECT_EQ("second\r\n@work and @home\r\n{{\r\n}}\r\n", Utf8(TextOf(L"beta_note")));
}

namespace {

int WeekdayBackups()
{
    AIString pattern(GetNotesFolder());
    pattern.AppendText(L"backup\\notes_*.tavik");
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(pattern.GetText(), &found);
    if (h == INVALID_HANDLE_VALUE) return 0;
    FindClose(h);
    return 1;
}

}  // namespace

TEST_F(NoteStoreTest, SavingWithoutEditsWritesNothingAndAnEditKeepsTheBackup)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    AIString backup(path), temporary(path);
    backup.AppendText(L".bak");
    temporary.AppendText(L".tmp");
    // Nothing changed: the file, its time and the backup stay as they are.
    ASSERT_EQ(1, SetWriteTime(path.GetText(), kOldWriteTime));
    uint64_t before = WriteTimeOf(path.GetText());
    EXPECT_EQ(0, HasUnsavedNotes());
    EXPECT_EQ(kSaveNothing, SaveDatafileIfOpen());
    EXPECT_EQ(original, ReadBytes(path.GetText()));
    EXPECT_EQ(before, WriteTimeOf(path.GetText()));
    EXPECT_FALSE(FileExists(backup.GetText()));
    EXPECT_FALSE(FileExists(temporary.GetText()));
    EXPECT_EQ(0, WeekdayBackups());

    // An edit is saved; the previous version becomes the backup, and the first
    // save of the day also keeps the weekday's backup.
    ASSERT_EQ(1, OpenCurrentNote(0));
    ASSERT_EQ(1, StoreCurrentNote(L"# Alpha\rfirst note, edited @work"));
    EXPECT_EQ(1, HasUnsavedNotes());
    EXPECT_EQ(kSaveDone, SaveDatafileIfOpen());
    EXPECT_EQ(original, ReadBytes(backup.GetText()));
    EXPECT_NE(original, ReadBytes(path.GetText()));
    EXPECT_FALSE(FileExists(temporary.GetText()));
    EXPECT_EQ(1, WeekdayBackups());
    EXPECT_EQ(0, HasUnsavedNotes());
    // A deletion alone is a change as well.
    ASSERT_EQ(1, DeleteNote(1));
    EXPECT_EQ(1, HasUnsavedNotes());
}

TEST_F(NoteStoreTest, BackupIsACopyWhereTheFileSystemRefusesHardLinks)
{
    g_noteIoFaults.refuseHardLinks = 1;
    AIString backup(path);
    backup.AppendText(L".bak");
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    ASSERT_EQ(1, OpenCurrentNote(0));
    ASSERT_EQ(1, StoreCurrentNote(L"first edit"));
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    EXPECT_EQ(original, ReadBytes(backup.GetText()));
    std::string first = ReadBytes(path.GetText());
    EXPECT_NE(original, first);
    // The next save moves the backup on to the version just replaced.
    ASSERT_EQ(1, StoreCurrentNote(L"second edit"));
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    EXPECT_EQ(first, ReadBytes(backup.GetText()));
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(0, TextOf(L"Alpha").FindText(L"second edit"));
}

TEST_F(NoteStoreTest, EditSaveAndOpenAgainGiveTheSameContent)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Gamma", 0, 0)));
    EXPECT_EQ("links here", Utf8(g_noteStore.currentText));
    EXPECT_EQ(2, g_noteStore.hyperlinks->GetCount());
    g_noteStore.hyperlinks->SetKeyValueString(L"new", L"mailto:a@b.c");
    // The editor hands over CR line ends and whatever the user pasted.
    ASSERT_EQ(1, StoreCurrentNote(L"changed\rtext with \u00a4 and \u00b1 inside\r{{\r[fake:x]\r}}"));
    EXPECT_LT(GetNoteIndexValue(2), 0);   // the current text lives in the mirror now
    AIString edited = TextOf(L"Gamma");

    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    std::string saved = ReadBytes(path.GetText());
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(Utf8(edited), Utf8(TextOf(L"Gamma")));
    EXPECT_GT(GetNoteIndexValue(2), 0);
    // The untouched notes are the same bytes as before.
    EXPECT_EQ(original.substr(0, 200), saved.substr(0, 200));
    // Only the three note marks carry U+00A4, and the only U+00B1 is the
    // one inside the link label "w:x".
    EXPECT_EQ(3, CountChar(saved, 0x00A4));
    EXPECT_EQ(1, CountChar(saved, 0x00B1));
    // The links came back from the block; a body's own "{{" stays text.
    ASSERT_EQ(1, OpenCurrentNote(2));
    EXPECT_EQ(3, g_noteStore.hyperlinks->GetCount());
    EXPECT_NE(-1, g_noteStore.currentText.FindText(L"[fake:x]"));
    // Saving the reopened file again writes nothing.
    ASSERT_EQ(kSaveNothing, SaveDatafileIfOpen());
    EXPECT_EQ(saved, ReadBytes(path.GetText()));
}

TEST_F(NoteStoreTest, UnsavedEditInItsMirrorWinsWhenOpenedAgain)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    ASSERT_EQ(1, OpenCurrentNote(0));
    ASSERT_EQ(1, StoreCurrentNote(L"edited but not saved @fresh"));
    CloseDatafile();
    EXPECT_EQ(original, ReadBytes(path.GetText()));
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(0, TextOf(L"Alpha").FindText(L"edited but not saved"));
    // Tags come from the current texts: the old "@work" of Alpha is gone.
    EXPECT_GE(FindTag(L"fresh"), 0);
    EXPECT_EQ(1, g_noteStore.tagNotes[FindTag(L"work")]->GetCount());
}

TEST_F(NoteStoreTest, SideFileNoteAppearsAfterTheScanAndIsSaved)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    AIString notes(GetNotesFolder());
    CreateDirectoryW(notes.GetText(), 0);
    AIString capture(notes), captureOld(notes);
    capture.AppendText(L"Delta.tavik.rtm");
    captureOld.AppendText(L"Epsilon.tavik.rtm");
    WriteBytes(capture.GetText(), Utf16File(L"Captured: a page\r\nbody"));
    WriteBytes(captureOld.GetText(), Utf16File(L"gone soon"));
    AIString utf8(notes);
    utf8.AppendText(L"Zeta.tavik.rtm");
    WriteBytes(utf8.GetText(), "Gr\xC3\xBC\xC3\x9F" "e in UTF-8");
    EXPECT_EQ(-1, FindNoteByTitle(L"Delta", 0, 0));
    EXPECT_EQ(3, ScanNotesFolderForNewAndDeleted());
    EXPECT_EQ("Gr\xC3\xBC\xC3\x9F" "e in UTF-8\r\n{{\r\n}}\r\n", Utf8(TextOf(L"Zeta")));
    int32_t at = FindNoteByTitle(L"Delta", 0, 0);
    ASSERT_GE(at, 0);
    EXPECT_EQ(kIndexSideFileOnly, GetNoteIndexValue(at));
    EXPECT_EQ("Captured: a page\r\nbody\r\n{{\r\n}}\r\n", Utf8(TextOf(L"Delta")));
    // A side-file note whose file went away is dropped by the next scan.
    DeleteFileW(captureOld.GetText());
    EXPECT_EQ(1, ScanNotesFolderForNewAndDeleted());
    EXPECT_EQ(-1, FindNoteByTitle(L"Epsilon", 0, 0));

    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    EXPECT_FALSE(FileExists(capture.GetText()));
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(5, GetNoteCount());
    EXPECT_GT(GetNoteIndexValue(FindNoteByTitle(L"Delta", 0, 0)), 0);
}

TEST_F(NoteStoreTest, CreateAndDeleteNotesButNeverTheLast)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    ASSERT_EQ(1, OpenCurrentNote(2));
    int32_t at = CreateNote(L"new note", L"fresh");
    EXPECT_EQ(3, at);                         // after "Gamma"
    EXPECT_EQ(2, g_noteStore.currentIndex);
    EXPECT_EQ(-1, CreateNote(L"NEW_NOTE", L"same title ignoring case"));
    // The first and the last note's titles are taken like every other.
    EXPECT_EQ(-1, CreateNote(L"ALPHA", L"note 0's title"));
    EXPECT_EQ(-1, CreateNote(L"new_note", L"the last note's title"));
    EXPECT_EQ(4, GetNoteCount());
    EXPECT_EQ(-1, CreateNote(L"bad:title", L""));
    ASSERT_EQ(1, DeleteNote(FindNoteByTitle(L"Alpha", 0, 0)));
    EXPECT_EQ(1, g_noteStore.currentIndex);   // the current note moved with the index
    EXPECT_EQ("Gamma", Utf8(g_noteStore.currentTitle));
    AIString deleted(GetNotesFolder());
    deleted.AppendText(L"deleted\\");
    AIString pattern(deleted);
    pattern.AppendText(L"Alpha_*.tavik.rtm");
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(pattern.GetText(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    FindClose(h);

    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(3, GetNoteCount());
    EXPECT_EQ(-1, FindNoteByTitle(L"Alpha", 0, 0));
    EXPECT_EQ("fresh\r\n{{\r\n}}\r\n", Utf8(TextOf(L"new_note")));
    while (GetNoteCount() > 1) ASSERT_EQ(1, DeleteNote(0));
    EXPECT_EQ(0, DeleteNote(0));
    EXPECT_EQ(kMsgMinimumOneNote, g_noteStore.lastMessageId);
}

TEST_F(NoteStoreTest, RenameKeepsTextLinksAndTags)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Gamma", 0, 0)));
    EXPECT_EQ(-1, RenameNote(2, L"alpha"));          // another note's title
    EXPECT_EQ(-1, RenameNote(2, L"a/b"));
    int32_t at = RenameNote(2, L"Aardvark");
    EXPECT_EQ(0, at);
    EXPECT_EQ(0, g_noteStore.currentIndex);
    EXPECT_EQ("Aardvark", Utf8(g_noteStore.currentTitle));
    EXPECT_EQ(-1, FindNoteByTitle(L"Gamma", 0, 0));
    // A change of letter case only.
    at = RenameNote(FindNoteByTitle(L"beta_note", 0, 0), L"Beta_Note");
    ASSERT_GE(at, 0);
    EXPECT_EQ(1, g_noteStore.tagNotes[FindTag(L"home")]->FindItemExact(L"Beta_Note") >= 0);
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(3, GetNoteCount());
    AIString title;
    GetNoteTitle(FindNoteByTitle(L"beta_note", 0, 0), title);
    EXPECT_EQ("Beta_Note", Utf8(title));
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Aardvark", 0, 0)));
    EXPECT_EQ("links here", Utf8(g_noteStore.currentText));
    EXPECT_EQ(2, g_noteStore.hyperlinks->GetCount());
}

TEST_F(NoteStoreTest, OverlongNoteIsKeptWholeBeforeItIsCut)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    ASSERT_EQ(1, OpenCurrentNote(0));
    AIString body;
    WCHAR* p = body.GetBuffer(60000);
    for (int i = 0; i < 60000; i++) p[i] = (WCHAR)(L'a' + i % 26);
    body.SetLength(60000);
    ASSERT_EQ(1, StoreCurrentNote(body.GetText()));
    EXPECT_EQ(kMsgNoteTooLarge, g_noteStore.lastMessageId);
    EXPECT_EQ("10010", Utf8(g_noteStore.lastMessageInserts[0]));   // 60000 - (50000 - empty block)
    const AIString& copy = g_noteStore.lastMessageInserts[1];
    std::string kept = ReadBytes(copy.GetText());
    ASSERT_EQ(2u + 60000u * 2u, kept.size());
    EXPECT_EQ(0, memcmp(kept.data() + 2, body.GetText(), 120000));
    EXPECT_EQ(50000, g_noteStore.currentText.GetLength() + g_noteStore.hiddenLinkChars);
}

TEST_F(NoteStoreTest, NoteOfExactlyTheLimitStaysWholeAndACutKeepsSurrogatePairs)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    ASSERT_EQ(1, OpenCurrentNote(0));
    const int32_t room = kMaxNoteChars - 10;  // the note has no links: an empty block
    auto body = [](int32_t chars) {
        AIString text;
        WCHAR* p = text.GetBuffer(chars);
        for (int32_t i = 0; i < chars; i++) p[i] = (WCHAR)(L'a' + i % 26);
        text.SetLength(chars);
        return text;
    };
    AIString exact = body(room);
    ASSERT_EQ(1, StoreCurrentNote(exact.GetText()));
    EXPECT_EQ(0, g_noteStore.lastMessageId) << "nothing was cut";
    EXPECT_EQ(room, g_noteStore.currentText.GetLength());
    ASSERT_EQ(1, LoadNoteText(0, 0));
    EXPECT_EQ(0, g_noteStore.currentText.FindTextCase(exact.GetText()));

    AIString over = body(room + 1);
    ASSERT_EQ(1, OpenCurrentNote(0));
    ASSERT_EQ(1, StoreCurrentNote(over.GetText()));
    EXPECT_EQ(kMsgNoteTooLarge, g_noteStore.lastMessageId);
    EXPECT_EQ("1", Utf8(g_noteStore.lastMessageInserts[0]));
    EXPECT_EQ(room, g_noteStore.currentText.GetLength());

    // A pair that the limit would split goes whole to the part cut off.
    for (int32_t pairAt : {room - 1, room - 2}) {
        AIString paired = body(room + 100);
        WCHAR* p = paired.GetBuffer(room + 100);
        p[pairAt] = 0xD83D;
        p[pairAt + 1] = 0xDE00;
        g_noteStore.lastMessageId = 0;
        ASSERT_EQ(1, OpenCurrentNote(0));
        ASSERT_EQ(1, StoreCurrentNote(paired.GetText()));
        EXPECT_EQ(kMsgNoteTooLarge, g_noteStore.lastMessageId);
        const AIString& kept = g_noteStore.currentText;
        int32_t expected = pairAt == room - 1 ? room - 1 : room;
        ASSERT_EQ(expected, kept.GetLength()) << pairAt;
        WCHAR last = kept.GetText()[kept.GetLength() - 1];
        EXPECT_FALSE(IS_HIGH_SURROGATE(last)) << pairAt;
        AIString cut;
        cut.AssignInt(paired.GetLength() - expected);
        EXPECT_EQ(Utf8(cut), Utf8(g_noteStore.lastMessageInserts[0]));
        ASSERT_EQ(1, LoadNoteText(0, 0));
        EXPECT_EQ(0, memcmp(g_noteStore.currentText.GetText(), paired.GetText(), expected * sizeof(WCHAR)));
        EXPECT_NE(0xD83D, g_noteStore.currentText.GetText()[expected - 1]);
    }
}

TEST_F(NoteStoreTest, MirrorTextsAreReadyForSearch)
{
    ASSERT_NO_FATAL_FAILURE(OpenAndEditTwoNotes());
    EXPECT_EQ(2, g_noteStore.mirrorNotes->GetCount());
    EXPECT_EQ(2, ReloadNotesFromMirrors());
    for (int i = 0; i < 2; i++) {
        const MirrorTextRecord& r = g_noteStore.mirrorTexts[i];
        EXPECT_NE(0u, r.key1);
        EXPECT_NE(0u, r.key2);
        ASSERT_NE(nullptr, r.text);
        EXPECT_EQ(0x00A4, r.text[0]);
        EXPECT_EQ(0, r.age);
    }
    EXPECT_EQ(0u, g_noteStore.mirrorTexts[2].key1);
    EXPECT_EQ(-1, g_noteStore.mirrorTexts[2].age);
    // Saving puts them into the data file.
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    EXPECT_EQ(0, g_noteStore.mirrorNotes->GetCount());
}

namespace {

// The mirror's bytes with one UTF-16 text replaced by another (case kept exactly).
void ReplaceInFile(const WCHAR* file, const char* from, const char* to)
{
    std::string bytes = ReadBytes(file), wide, with;
    for (const char* c = from; *c; c++) wide += std::string(1, *c) + std::string(1, '\0');
    for (const char* c = to; *c; c++) with += std::string(1, *c) + std::string(1, '\0');
    size_t at = bytes.find(wide);
    ASSERT_NE(std::string::npos, at) << from;
    WriteBytes(file, bytes.substr(0, at) + with + bytes.substr(at + wide.size()));
}

bool RecordHolds(int record, const WCHAR* text)
{
    const WCHAR* held = g_noteStore.mirrorTexts[record].text;
    int n = TextLength(text);
    for (int i = 0; held && held[i]; i++)
        if (memcmp(held + i, text, n * sizeof(WCHAR)) == 0) return true;
    return false;
}

}  // namespace

// A search re-reads only the mirrors whose time or size changed since they
// were read; a mirror read within moments of its last write is read again,
// since a later write of the same size may carry the same time.
TEST_F(NoteStoreTest, MirrorTextsAreReadAgainOnlyWhenTheirFilesChanged)
{
    ASSERT_NO_FATAL_FAILURE(OpenAndEditTwoNotes());
    AIString alpha(g_noteStore.notesFolder), beta(g_noteStore.notesFolder);
    alpha.AppendText(L"Alpha.tavik.rtm");
    beta.AppendText(L"beta_note.tavik.rtm");

    // Just written: a change of the same size with the same time is still seen.
    ASSERT_EQ(2, ReloadNotesFromMirrors());
    uint64_t written = WriteTimeOf(beta.GetText());
    ReplaceInFile(beta.GetText(), "two", "Two");
    ASSERT_EQ(1, SetWriteTime(beta.GetText(), written));
    ASSERT_EQ(2, ReloadNotesFromMirrors());
    EXPECT_TRUE(RecordHolds(1, L"\r\nTwo"));

    // Older files are kept as read until their time or size changes.
    ASSERT_EQ(1, SetWriteTime(alpha.GetText(), kOldWriteTime));
    ASSERT_EQ(1, SetWriteTime(beta.GetText(), kOldWriteTime));
    ASSERT_EQ(2, ReloadNotesFromMirrors());
    const WCHAR* keptAlpha = g_noteStore.mirrorTexts[0].text;
    const WCHAR* keptBeta = g_noteStore.mirrorTexts[1].text;
    uint32_t stamp = g_noteStore.mirrorTexts[1].key2;
    ASSERT_EQ(2, ReloadNotesFromMirrors());
    EXPECT_EQ(keptAlpha, g_noteStore.mirrorTexts[0].text);
    EXPECT_EQ(keptBeta, g_noteStore.mirrorTexts[1].text);
    EXPECT_NE(stamp, g_noteStore.mirrorTexts[1].key2);  // every reload stamps its records anew
    EXPECT_EQ(0, g_noteStore.mirrorTexts[1].age);
    // (Which shows in a change that keeps both: the file is not read.)
    ReplaceInFile(beta.GetText(), "Two", "TWO");
    ASSERT_EQ(1, SetWriteTime(beta.GetText(), kOldWriteTime));
    ASSERT_EQ(2, ReloadNotesFromMirrors());
    EXPECT_TRUE(RecordHolds(1, L"\r\nTwo"));

    // Another size with the same time, or the same size with another time: read again.
    ReplaceInFile(beta.GetText(), "TWO", "twoo");
    ASSERT_EQ(1, SetWriteTime(beta.GetText(), kOldWriteTime));
    ReplaceInFile(alpha.GetText(), "one", "One");
    ASSERT_EQ(1, SetWriteTime(alpha.GetText(), kOldWriteTime + 10000000));
    ASSERT_EQ(2, ReloadNotesFromMirrors());
    EXPECT_TRUE(RecordHolds(0, L"\r\nOne"));
    EXPECT_TRUE(RecordHolds(1, L"\r\ntwoo"));

    // A mirror that went away leaves no record; the other stays.
    ASSERT_TRUE(DeleteFileW(alpha.GetText()));
    ASSERT_EQ(1, ReloadNotesFromMirrors());
    EXPECT_TRUE(RecordHolds(0, L"\r\ntwoo"));
    EXPECT_EQ(nullptr, g_noteStore.mirrorTexts[1].text);
}

TEST_F(NoteStoreTest, TagsAreCollectedAndLimited)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(2, GetTagCount());
    int32_t work = FindTag(L"work");
    ASSERT_GE(work, 0);
    EXPECT_EQ(2, g_noteStore.tagNotes[work]->GetCount());
    EXPECT_EQ(1, g_noteStore.tagNotes[FindTag(L"home")]->GetCount());
    WCHAR name[16];
    for (int i = GetTagCount(); i < kMaxTags; i++) {
        wsprintfW(name, L"tag%d", i);
        ASSERT_EQ(i, AddTag(name));
    }
    EXPECT_EQ(-1, AddTag(L"one_too_many"));
    EXPECT_EQ(work, AddTag(L"WORK"));
    for (int i = 0; i < kMaxNotesPerTag + 5; i++) {
        wsprintfW(name, L"n%d", i);
        AddTitleToTag(work, name);
    }
    EXPECT_EQ(kMaxNotesPerTag, g_noteStore.tagNotes[work]->GetCount());
    int32_t home = FindTag(L"home");
    ASSERT_EQ(1, RemoveTag(work));
    EXPECT_EQ(-1, FindTag(L"work"));
    EXPECT_EQ(1, g_noteStore.tagNotes[FindTag(L"home")]->GetCount());
    EXPECT_EQ(home - 1, FindTag(L"home"));
}

// A file's tags stand in the notes' bodies: not in titles, not in link
// blocks, whichever note holds the first sign; each note counts once.
TEST_F(NoteStoreTest, TagsOfAFileComeFromBodiesAloneInTheOrderFound)
{
    AIString records;
    records.AppendChar(0x00A4).AppendText(L"A@title\r\nno sign in this body\r\n{{\r\n[see @inblock:http://a.b/]\r\n}}\r\n");
    records.AppendChar(0x00A4).AppendText(L"B\r\nlast word @edge\r\n{{\r\n[x @inblock:y]\r\n}}\r\n");
    records.AppendString(NoteRecord(L"C", L"mail a@b.c, then\t@second and @edge @EDGE"));
    records.AppendString(NoteRecord(L"D", L"@first line start {{ not a block @late"));
    WriteBytes(path.GetText(), DataFile(records));
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    ASSERT_EQ(4, GetTagCount());
    const WCHAR* const kOrder[] = {L"edge", L"second", L"first", L"late"};
    for (int i = 0; i < 4; i++) EXPECT_EQ(i, FindTag(kOrder[i])) << Utf8(kOrder[i]);
    EXPECT_LT(FindTag(L"inblock"), 0);
    EXPECT_LT(FindTag(L"title"), 0);
    const AIStringList& edge = *g_noteStore.tagNotes[FindTag(L"edge")];
    ASSERT_EQ(2, edge.GetCount());
}

TEST_F(NoteStoreTest, FoldersAndRelativePaths)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    AIString data(folder.Path()), notes(folder.Path()), out;
    notes.AppendText(L"notes_notes\\");
    EXPECT_EQ(Utf8(data), Utf8(GetDataFolder()));
    EXPECT_EQ(Utf8(notes), Utf8(GetNotesFolder()));

    AIString image(data);
    image.AppendText(L"images\\a.png");
    EXPECT_EQ(1, MakeRelativePath(image.GetText(), out));
    EXPECT_EQ("rel:\\images\\a.png", Utf8(out));
    AIString back;
    EXPECT_EQ(1, ResolveRelativePath(out.GetText(), back));
    EXPECT_EQ(Utf8(image), Utf8(back));
    // A sibling folder whose name begins like the data folder stays absolute.
    AIString sibling(data);
    sibling.SetLength(sibling.GetLength() - 1);
    sibling.AppendText(L"2\\x.png");
    EXPECT_EQ(0, MakeRelativePath(sibling.GetText(), out));
    EXPECT_EQ(Utf8(sibling), Utf8(out));
    EXPECT_EQ(0, ResolveRelativePath(L"C:\\other\\x", out));
    EXPECT_EQ("C:\\other\\x", Utf8(out));
}

TEST(NoteStoreRecentFiles, NewestFirstWithoutDuplicatesAtMostEight)
{
    static SettingsRecord settings;
    memset(&settings, 0, sizeof(settings));
    WCHAR name[32];
    for (int i = 0; i < 10; i++) {
        wsprintfW(name, L"C:\\f%d.tavik", i);
        AddRecentDatafile(settings, name);
    }
    AddRecentDatafile(settings, L"c:\\F5.tavik");
    AIString slot;
    SettingsGetRecentFile(settings, 0, slot);
    EXPECT_EQ("c:\\F5.tavik", Utf8(slot));
    SettingsGetRecentFile(settings, 1, slot);
    EXPECT_EQ("C:\\f9.tavik", Utf8(slot));
    SettingsGetRecentFile(settings, 7, slot);
    EXPECT_EQ("C:\\f2.tavik", Utf8(slot));
    for (int i = 1; i < 8; i++) {
        SettingsGetRecentFile(settings, i, slot);
        EXPECT_FALSE(slot.EqualsTextNoCase(L"c:\\f5.tavik"));
    }
}

TEST(NoteStoreSync, NothingHappensWithoutFolders)
{
    g_noteStore.sync.SyncFolderSetting.Clear();
    g_noteStore.sync.ShareFolderSetting.Clear();
    EXPECT_EQ(1, CheckSyncFolders());
    EXPECT_EQ(0, SyncFolders(1));
    EXPECT_EQ(0, SyncClaimEditMarker());
    EXPECT_EQ(0, SyncReleaseEditMarker());

    ScratchFolder folder;
    g_noteStore.sync.SyncFolderSetting.AssignText(folder.Path().GetText());
    g_noteStore.sync.SyncFolderSetting.SetLength(folder.Path().GetLength() - 1);  // without backslash
    EXPECT_EQ(1, CheckSyncFolders());
    EXPECT_EQ(Utf8(folder.Path()), Utf8(g_noteStore.sync.SyncFolderPath));
    AIString revisions = folder.File(L"revisions");
    EXPECT_TRUE(FileExists(revisions.GetText()));
    g_noteStore.sync.ShareFolderSetting.AssignText(L"C:\\no\\such\\folder");
    EXPECT_EQ(0, CheckSyncFolders());
    g_noteStore.sync.SyncFolderSetting.Clear();
    g_noteStore.sync.ShareFolderSetting.Clear();
    CheckSyncFolders();
}

// Random edits, new notes, deletions and renames in between saves: every save
// writes exactly the header and each note's record in title order (untouched
// notes byte for byte as they were), and a save with nothing changed writes
// nothing.
TEST(NoteStoreSaves, RandomEditsSaveExactlyTheExpectedBytes)
{
    CloseDatafile();
    ScratchFolder folder;
    AIString path = folder.File(L"random.tavik");
    std::map<std::string, AIString> expected;  // title (all lower case here) -> record
    AIString records, title, body;
    uint32_t seed = 24;
    auto next = [&seed](uint32_t below) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % below;
    };
    auto makeBody = [&](AIString& out) {
        out.Clear();
        // Now and then a long note, so that the text outgrows the room its
        // block keeps and a save puts it together anew.
        int words = next(25) == 0 ? 8000 : 1 + (int)next(30);
        for (int w = 0; w < words; w++) {
            if (w) out.AppendText(next(6) == 0 ? L"\r\n" : L" ");
            out.AppendText(L"w").AppendInt((int32_t)next(1000));
        }
    };
    for (int i = 0; i < 40; i++) {
        title.AssignText(L"n").AppendInt(100 + i * 5);
        makeBody(body);
        records.AppendString(NoteRecord(title.GetText(), body.GetText()));
        expected[Utf8(title)] = NoteRecord(title.GetText(), body.GetText());
    }
    WriteBytes(path.GetText(), DataFile(records));
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    auto expectedFile = [&expected]() {
        AIString all;
        for (const auto& item : expected) all.AppendString(item.second);
        return DataFile(all);
    };
    for (int step = 0; step < 300; step++) {
        const uint32_t action = next(10);
        const int32_t count = GetNoteCount();
        const int32_t at = (int32_t)next((uint32_t)count);
        GetNoteTitle(at, title);
        if (action < 5) {
            makeBody(body);
            ASSERT_EQ(1, OpenCurrentNote(at));
            ASSERT_EQ(1, StoreCurrentNote(body.GetText()));
            expected[Utf8(title)] = NoteRecord(title.GetText(), body.GetText());
        } else if (action == 5) {
            AIString fresh(L"n");
            fresh.AppendInt(100 + (int32_t)next(300));
            makeBody(body);
            if (CreateNote(fresh.GetText(), body.GetText()) >= 0)
                expected[Utf8(fresh)] = NoteRecord(fresh.GetText(), body.GetText());
        } else if (action == 6 && count > 1) {
            ASSERT_EQ(1, DeleteNote(at));
            expected.erase(Utf8(title));
        } else if (action == 7) {
            AIString renamed(L"n");
            renamed.AppendInt(100 + (int32_t)next(300));
            ASSERT_EQ(1, OpenCurrentNote(at));
            AIString text(g_noteStore.currentText);
            if (RenameNote(at, renamed.GetText()) >= 0) {
                expected.erase(Utf8(title));
                expected[Utf8(renamed)] = NoteRecord(renamed.GetText(), text.GetText());
            }
        } else {
            int32_t saved = SaveDatafileIfOpen();
            ASSERT_TRUE(saved == kSaveDone || saved == kSaveNothing) << step;
            ASSERT_EQ(expectedFile(), ReadBytes(path.GetText())) << "after step " << step;
            std::string bytes = ReadBytes(path.GetText());
            // What the store holds is the saved text.
            ASSERT_EQ(bytes.substr(2), std::string((const char*)GetDatafileBuffer(), GetDatafileBufferChars() * 2))
                << "after step " << step;
            ASSERT_EQ(kSaveNothing, SaveDatafileIfOpen());
            ASSERT_EQ(bytes, ReadBytes(path.GetText()));
        }
    }
    int32_t saved = SaveDatafileIfOpen();
    EXPECT_TRUE(saved == kSaveDone || saved == kSaveNothing);
    EXPECT_EQ(expectedFile(), ReadBytes(path.GetText()));
    CloseDatafile();
}

// A save writes the unchanged notes straight from the loaded text and then
// turns that text into the saved one where it lies, in the room its block
// keeps; a text that outgrows the room is put together anew. Either way the
// file and what the store holds are the same bytes, save after save.
TEST(NoteStoreSaves, TextThatOutgrowsItsRoomIsSavedAndHeldAlike)
{
    CloseDatafile();
    ScratchFolder folder;
    AIString path = folder.File(L"growing.tavik");
    AIString records, body;
    std::map<std::string, AIString> expected;
    for (const WCHAR* title : {L"a", L"m", L"z"}) {
        records.AppendString(NoteRecord(title, L"short"));
        expected[Utf8(AIString(title))] = NoteRecord(title, L"short");
    }
    WriteBytes(path.GetText(), DataFile(records));
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    auto expectSaved = [&](const char* what) {
        AIString all;
        for (const auto& item : expected) all.AppendString(item.second);
        std::string bytes = ReadBytes(path.GetText());
        EXPECT_EQ(DataFile(all), bytes) << what;
        EXPECT_EQ(bytes.substr(2), std::string((const char*)GetDatafileBuffer(), GetDatafileBufferChars() * 2))
            << what;
    };
    // Long notes (45,000 characters each, within the note limit) until the
    // text is several times the smallest room, each between loaded notes.
    for (int i = 0; i < 8; i++) {
        AIString title(L"k");
        title.AppendInt(i);
        body.Clear();
        for (int c = 0; c < 45000; c++) body.AppendChar((WCHAR)(L'a' + (c * 7 + i) % 26));
        ASSERT_GE(CreateNote(title.GetText(), body.GetText()), 0);
        expected[Utf8(title)] = NoteRecord(title.GetText(), body.GetText());
        ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
        expectSaved("after a long note");
        // A small edit before it, which moves every later note.
        ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"a", 0, 0)));
        AIString edited(L"short, edited ");
        edited.AppendInt(i);
        ASSERT_EQ(1, StoreCurrentNote(edited.GetText()));
        expected["a"] = NoteRecord(L"a", edited.GetText());
        ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
        expectSaved("after a small edit");
    }
    ASSERT_EQ(1, DeleteNote(FindNoteByTitle(L"k3", 0, 0)));
    expected.erase("k3");
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    expectSaved("after a deletion");
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ((int32_t)expected.size(), GetNoteCount());
    CloseDatafile();
}
