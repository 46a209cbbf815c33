// The data file read ahead on a worker: a load that takes it ends as a plain
// load does; a file changed since, a damaged file, another path or a second
// take all end with the file read the plain way (or nothing taken).
#include "tests/notestore/store_test_files.h"
#include "notestore/datafile_read_ahead.h"
#include "notestore/note_store.h"
#include "notestore/note_io.h"
#include "foundation/ai_string_table.h"
#include "foundation/errors.h"

namespace {

// What a load leaves in the store, as text to compare.
std::string LoadedState()
{
    std::string out = "notes " + std::to_string(GetNoteCount()) + "\n";
    for (int i = 0; i < GetNoteCount(); i++) {
        AIString title;
        GetNoteTitle(i, title);
        out += Utf8(title) + ":" + std::to_string(GetNoteIndexValue(i)) + "\n";
    }
    AIString text;
    text.AssignTextN(GetDatafileBuffer(), GetDatafileBufferChars());
    out += Utf8(text);
    const DatafileIdentity& id = g_noteStore.identity;
    out += "\nidentity " + std::to_string(id.known) + " " + std::to_string(id.size) + " " +
           std::to_string(id.writeTime) + " " + std::to_string(id.hash);
    out += " read-only " + std::to_string(IsDatafileReadOnly()) + " guard " + std::to_string(CheckDatafileGuard());
    return out;
}

class DatafileReadAheadTest : public testing::Test {
protected:
    void SetUp() override
    {
        CloseDatafile();
        g_noteStore.lastMessageId = 0;
        AIString records;
        records.AppendString(NoteRecord(L"Alpha", L"first @work"));
        records.AppendString(NoteRecord(L"beta_note", L"second"));
        records.AppendString(NoteRecord(L"Gamma", L"third"));
        original = DataFile(records);
        path = folder.File(L"notes.tavik");
        WriteBytes(path.GetText(), original);
    }
    void TearDown() override
    {
        DropDatafileReadAhead();
        CloseDatafile();
    }

    AIString TextOf(const WCHAR* title)
    {
        AIString text;
        int32_t at = FindNoteByTitle(title, 0, 0);
        EXPECT_GE(at, 0) << Utf8(title);
        ReadNoteText(at, text);
        return text;
    }

    ScratchFolder folder;
    AIString path;
    std::string original;
};

}  // namespace

TEST_F(DatafileReadAheadTest, LoadTakingTheReadAheadEndsAsAPlainLoad)
{
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    std::string plain = LoadedState();
    ASSERT_EQ(1, CloseDatafile());

    // Started with the path in other letters: still the same file.
    AIString upper(path);
    upper.ToUpperCase();
    ASSERT_EQ(1, StartDatafileReadAhead(upper.GetText()));
    EXPECT_EQ(1, IsDatafileReadAheadHeld());
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(0, IsDatafileReadAheadHeld());
    EXPECT_EQ(plain, LoadedState());
    EXPECT_EQ("second\r\n{{\r\n}}\r\n", Utf8(TextOf(L"beta note")));

    // Rewritten since with size, time and file kept: the change time tells,
    // and the load reads the file as it now is.
    ASSERT_EQ(1, CloseDatafile());
    uint64_t time = WriteTimeOf(path.GetText());
    ASSERT_EQ(1, StartDatafileReadAhead(path.GetText()));
    FinishDatafileReadAhead();
    std::string changed = original;
    const size_t third = changed.size() - 30;   // Gamma's "third" (15 characters before the end)
    ASSERT_EQ('t', changed[third]);
    changed[third] = 'T';
    WriteBytes(path.GetText(), changed);
    ASSERT_EQ(1, SetWriteTime(path.GetText(), time));
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ("Third\r\n{{\r\n}}\r\n", Utf8(TextOf(L"Gamma")));
    EXPECT_EQ(0, HasDatafileChangedOnDisk());
}

TEST_F(DatafileReadAheadTest, FileChangedAfterTheReadAheadIsReadAgain)
{
    struct Change {
        const char* name;
        const WCHAR* body;   // Gamma's new body
        int sameSize;
    };
    const Change changes[] = {
        {"longer", L"third, and more", 0},
        {"same size, other time", L"THIRD", 1},
    };
    for (const Change& change : changes) {
        WriteBytes(path.GetText(), original);
        ASSERT_EQ(1, SetWriteTime(path.GetText(), kOldWriteTime));
        ASSERT_EQ(1, StartDatafileReadAhead(path.GetText()));
        FinishDatafileReadAhead();

        AIString records;
        records.AppendString(NoteRecord(L"Alpha", L"first @work"));
        records.AppendString(NoteRecord(L"beta_note", L"second"));
        records.AppendString(NoteRecord(L"Gamma", change.body));
        std::string rewritten = DataFile(records);
        EXPECT_EQ(change.sameSize, rewritten.size() == original.size()) << change.name;
        WriteBytes(path.GetText(), rewritten);
        ASSERT_EQ(1, SetWriteTime(path.GetText(), kOldWriteTime + 10000000)) << change.name;

        ASSERT_EQ(1, LoadDatafile(path.GetText())) << change.name;
        AIString expected(change.body);
        expected.AppendText(L"\r\n{{\r\n}}\r\n");
        EXPECT_EQ(Utf8(expected), Utf8(TextOf(L"Gamma"))) << change.name;
        EXPECT_EQ(HashDatafileBytes((const uint8_t*)rewritten.data(), (int64_t)rewritten.size()),
                  g_noteStore.identity.hash)
            << change.name;
        EXPECT_EQ(0, HasDatafileChangedOnDisk()) << change.name;
        CloseDatafile();
    }
}

TEST_F(DatafileReadAheadTest, DamagedFileIsRefusedWithTheSameMessage)
{
    const std::vector<CorpusFile> corpus = DamagedCorpusFiles();
    EXPECT_GE(corpus.size(), 20u);
    for (const CorpusFile& bad : corpus) {
        int32_t id[2];
        std::string inserts[2];
        for (int readAhead = 0; readAhead < 2; readAhead++) {
            g_noteStore.lastMessageId = 0;
            if (readAhead) {
                EXPECT_EQ(1, StartDatafileReadAhead(bad.path.GetText()));
            }
            EXPECT_EQ(0, LoadDatafile(bad.path.GetText())) << Utf8(bad.name);
            id[readAhead] = g_noteStore.lastMessageId;
            for (const AIString& insert : g_noteStore.lastMessageInserts) inserts[readAhead] += Utf8(insert) + "|";
        }
        EXPECT_NE(0, id[0]) << Utf8(bad.name);
        EXPECT_EQ(id[0], id[1]) << Utf8(bad.name);
        EXPECT_EQ(inserts[0], inserts[1]) << Utf8(bad.name);
        EXPECT_EQ(0, IsDatafileReadAheadHeld());
    }

    // A file locked since the read-ahead asks, as a plain load does (the
    // question is answered No in tests).
    ASSERT_EQ(1, StartDatafileReadAhead(path.GetText()));
    FinishDatafileReadAhead();
    HANDLE lock = CreateFileW(path.GetText(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    int reports = GetErrorReportCount();
    EXPECT_EQ(0, LoadDatafile(path.GetText()));
    EXPECT_EQ(reports + 1, GetErrorReportCount());
    EXPECT_GE(AIString(GetLastErrorReportText()).FindText(L"locked"), 0);
    CloseHandle(lock);
    EXPECT_EQ(0, IsDatafileReadAheadHeld());
}

TEST_F(DatafileReadAheadTest, ResultIsTakenOnceAndOnlyForItsOwnPath)
{
    AIString other = folder.File(L"other.tavik");
    WriteBytes(other.GetText(), DataFile(NoteRecord(L"Solo", L"only")));

    // A load of another file drops it; that file and the first load as they are.
    ASSERT_EQ(1, StartDatafileReadAhead(path.GetText()));
    ASSERT_EQ(1, LoadDatafile(other.GetText()));
    EXPECT_EQ(0, IsDatafileReadAheadHeld());
    EXPECT_EQ(1, GetNoteCount());
    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    EXPECT_EQ(3, GetNoteCount());

    // Taken directly: once.
    WCHAR full[MAX_PATH];
    ASSERT_NE(0u, GetFullPathNameW(path.GetText(), MAX_PATH, full, 0));
    ASSERT_EQ(1, StartDatafileReadAhead(path.GetText()));
    ParsedDatafile file = {};
    ASSERT_EQ(1, TakeDatafileReadAhead(full, file));
    EXPECT_EQ(3, file.spans.count);
    EXPECT_EQ((int32_t)(original.size() - 2) / 2, file.chars);
    LocalFree(file.block);
    FreeNoteSpans(file.spans);
    ParsedDatafile again = {};
    EXPECT_EQ(0, TakeDatafileReadAhead(full, again));
    EXPECT_EQ(nullptr, again.block);

    // Only for its own path: a second name of the same file is another path.
    AIString link = folder.File(L"link.tavik");
    ASSERT_TRUE(CreateHardLinkW(link.GetText(), path.GetText(), 0));
    WCHAR linkFull[MAX_PATH];
    ASSERT_NE(0u, GetFullPathNameW(link.GetText(), MAX_PATH, linkFull, 0));
    ASSERT_EQ(1, StartDatafileReadAhead(path.GetText()));
    EXPECT_EQ(0, TakeDatafileReadAhead(linkFull, again));
    EXPECT_EQ(0, IsDatafileReadAheadHeld());
    EXPECT_EQ(0, TakeDatafileReadAhead(full, again));

    // A file that is not there, a close, and a new start each end the one before.
    EXPECT_EQ(1, StartDatafileReadAhead(folder.File(L"missing.tavik").GetText()));
    EXPECT_EQ(1, StartDatafileReadAhead(path.GetText()));
    ASSERT_EQ(1, CloseDatafile());
    EXPECT_EQ(0, IsDatafileReadAheadHeld());
    EXPECT_EQ(0, TakeDatafileReadAhead(full, again));
}

namespace {

// Another program that rewrites the file while the worker reads it: the
// same size, its old time kept, after the first piece was read.
struct RewriteMidRead {
    AIString path;
    std::string bytes;
    int done;
};
RewriteMidRead g_midRead;

void RewriteAfterFirstPiece(const WCHAR* path, int64_t bytesRead)
{
    if (g_midRead.done || CompareTextNoCase(path, g_midRead.path.GetText()) != 0) return;
    if (bytesRead >= (int64_t)g_midRead.bytes.size()) return;
    uint64_t time = WriteTimeOf(path);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE) return;
    if (WriteFile(file, g_midRead.bytes.data(), (DWORD)g_midRead.bytes.size(), &written, 0) &&
        written == g_midRead.bytes.size())
        g_midRead.done = 1;
    CloseHandle(file);
    SetWriteTime(path, time);
}

std::string WithBigAlpha(WCHAR letter)
{
    AIString body;
    for (int i = 0; i < 700000; i++) body.AppendChar(letter);
    AIString records;
    records.AppendString(NoteRecord(L"Alpha", body.GetText()));
    records.AppendString(NoteRecord(L"Gamma", L"third"));
    return DataFile(records);
}

}  // namespace

// A file rewritten while it is read ahead is never loaded as a mix of both
// versions: the load reads it again and gets the new one whole.
TEST_F(DatafileReadAheadTest, ARewriteDuringTheReadIsReadAgainWhole)
{
    std::string before = WithBigAlpha(L'a');
    WriteBytes(path.GetText(), before);
    ASSERT_EQ(1, SetWriteTime(path.GetText(), kOldWriteTime));
    g_midRead.bytes = WithBigAlpha(L'b');
    ASSERT_EQ(before.size(), g_midRead.bytes.size());
    WCHAR full[MAX_PATH];
    ASSERT_NE(0u, GetFullPathNameW(path.GetText(), MAX_PATH, full, 0));
    g_midRead.path.AssignText(full);
    g_midRead.done = 0;
    g_noteIoFaults.readPiece = RewriteAfterFirstPiece;
    ASSERT_EQ(1, StartDatafileReadAhead(path.GetText()));
    FinishDatafileReadAhead();
    g_noteIoFaults.readPiece = 0;
    ASSERT_EQ(1, g_midRead.done) << "the file is read in more than one piece";
    ASSERT_EQ(kOldWriteTime, WriteTimeOf(path.GetText()));

    ASSERT_EQ(1, LoadDatafile(path.GetText()));
    AIString alpha = TextOf(L"Alpha");
    EXPECT_LT(alpha.FindChar(L'a'), 0) << "no byte of the version before";
    EXPECT_EQ(0, HasDatafileChangedOnDisk());
    EXPECT_EQ(HashDatafileBytes((const uint8_t*)g_midRead.bytes.data(), (int64_t)g_midRead.bytes.size()),
              g_noteStore.identity.hash);
}
