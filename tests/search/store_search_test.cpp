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

}  // namespace
