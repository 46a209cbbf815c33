// Full-text search over a data file opened by the note store, with an edited
// note whose current text is its mirror text.
#include "tests/notestore/store_test_files.h"
#include "tests/search/search_fixture.h"
#include "notestore/note_store.h"
#include "search/store_search_source.h"
#include <vector>

namespace {

class StoreSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        CloseDatafile();
        AIString records;
        records.AppendString(NoteRecord(L"Alpha", L"# Alpha\r\nfirst note"));
        records.AppendString(NoteRecord(L"beta_note", L"second, alpha here"));
        records.AppendString(NoteRecord(L"Gamma", L"nothing yet"));
        path = folder.File(L"notes.tavik");
        WriteBytes(path.GetText(), DataFile(records));
        ASSERT_EQ(1, LoadDatafile(path.GetText()));
        ConnectStoreSearchSource();
        SetSearchPanelHooks(SearchPanelHooks{});
    }
    void TearDown() override { CloseDatafile(); }

    int Search(const WCHAR* query)
    {
        SetFullTextQuery(AIString(query));
        return RunFullTextSearch();
    }
    std::vector<std::string> RankedTitleTexts()
    {
        std::vector<std::string> out;
        AIString title;
        for (int p = 0; p < SearchHitTable.count; p++) {
            GetNoteTitle(SearchHitTable.slot[RankedHits[p].slot].titleIndex, title);
            out.push_back(Utf8(title));
        }
        return out;
    }

    ScratchFolder folder;
    AIString path;
};

TEST_F(StoreSearch, FindsNotesOfTheDatafileAndTheirMirrorTexts)
{
    int32_t chars = GetDatafileBufferChars();
    std::vector<WCHAR> before(GetDatafileBuffer(), GetDatafileBuffer() + chars + 1);

    ASSERT_EQ(1, Search(L"alpha"));
    EXPECT_EQ((std::vector<std::string>{"Alpha", "beta_note"}), RankedTitleTexts());
    EXPECT_EQ(kHitFromDatafile, SearchHitTable.slot[RankedHits[0].slot].noteReference);

    // Gamma is edited: its text now lives in its mirror file.
    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Gamma", 0, 0)));
    ASSERT_EQ(1, StoreCurrentNote(L"now alpha too"));
    ASSERT_EQ(1, Search(L"alpha"));
    EXPECT_EQ((std::vector<std::string>{"Alpha", "beta_note", "Gamma"}), RankedTitleTexts());
    EXPECT_EQ(kHitFromMirror, SearchHitTable.slot[RankedHits[2].slot].noteReference);
    ASSERT_EQ(1, Search(L"nothing"));
    EXPECT_EQ(0, SearchHitTable.count);  // the data file's copy of Gamma is stale

    EXPECT_EQ(0, g_noteStore.walkCount);
    ASSERT_EQ(chars, GetDatafileBufferChars());
    EXPECT_EQ(0, memcmp(before.data(), GetDatafileBuffer(), before.size() * sizeof(WCHAR)));
    EXPECT_EQ(1, CheckDatafileGuard());

    SearchResultsStale = 0;
    AgeCacheEntries(1);
    EXPECT_EQ(1, SearchResultsStale);
    EXPECT_EQ(0u, g_noteStore.mirrorTexts[0].key1);
}

// The walk takes the notes' starts from the store: they must be every note
// mark of the buffer, in order, also after a save has put the file together
// again; with no file open there are none.
TEST_F(StoreSearch, StoreGivesTheBuffersNoteMarks)
{
    auto marksOfBuffer = []() {
        std::vector<int32_t> marks;
        const WCHAR* buffer = GetDatafileBuffer();
        for (int32_t i = 0; i < GetDatafileBufferChars(); i++)
            if (buffer[i] == 0x00A4) marks.push_back(i);
        return marks;
    };
    auto marksOfSpans = []() {
        std::vector<int32_t> marks;
        int32_t count = 0;
        const NoteSpan* spans = GetSearchSource().noteSpans(&count);
        for (int32_t i = 0; i < count; i++) marks.push_back(spans[i].mark);
        return marks;
    };
    EXPECT_EQ(3u, marksOfSpans().size());
    EXPECT_EQ(marksOfBuffer(), marksOfSpans());

    ASSERT_EQ(1, OpenCurrentNote(FindNoteByTitle(L"Alpha", 0, 0)));
    ASSERT_EQ(1, StoreCurrentNote(L"a longer first note, alpha"));
    ASSERT_LE(0, CreateNote(L"Delta", L"alpha again"));
    ASSERT_EQ(kSaveDone, SaveDatafileIfOpen());
    EXPECT_EQ(4u, marksOfSpans().size());
    EXPECT_EQ(marksOfBuffer(), marksOfSpans());
    ASSERT_EQ(1, Search(L"alpha"));
    EXPECT_EQ((std::vector<std::string>{"Alpha", "beta_note", "Delta"}), RankedTitleTexts());

    CloseDatafile();
    EXPECT_TRUE(marksOfSpans().empty());
}

}  // namespace
