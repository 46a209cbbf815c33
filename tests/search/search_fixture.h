// A fake store installed as the search source, and helpers to run a query.
#pragma once
#include "tests/support/gtest.h"
#include "bench/search_fake_store.h"
#include "search/full_text_query.h"
#include "search/full_text_search.h"
#include "search/search_tables.h"
#include <vector>

class SearchFixture : public ::testing::Test {
protected:
    FakeSearchStore store;

    void Load(const std::vector<const WCHAR*>& texts, const std::vector<const WCHAR*>& mirrors = {})
    {
        FillFakeStoreFromTexts(store, texts, mirrors);
        InstallFakeStore(store);
    }
    int Search(const WCHAR* query)
    {
        SetFullTextQuery(AIString(query));
        return RunFullTextSearch();
    }
    int32_t IndexOf(const WCHAR* title)
    {
        int32_t copy;
        return GetSearchSource().findTitle(title, &copy);
    }
    // The score of the hit whose note has this title; 0 when it is not listed.
    int32_t ScoreOf(const WCHAR* title)
    {
        int32_t index = IndexOf(title);
        for (int p = 0; p < SearchHitTable.count; p++)
            if (SearchHitTable.slot[RankedHits[p].slot].titleIndex == index) return RankedHits[p].score;
        return 0;
    }
    // Title indices of the ranked hits, best first.
    std::vector<int32_t> RankedTitles()
    {
        std::vector<int32_t> out;
        for (int p = 0; p < SearchHitTable.count; p++) out.push_back(SearchHitTable.slot[RankedHits[p].slot].titleIndex);
        return out;
    }
};
