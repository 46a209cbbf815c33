// A deliberately plain full-text search over a fake store, written straight
// from the rules (naive matching with FoldChar, a stable sort for ranking), to
// check the fast one against.
#pragma once
#include "bench/search_fake_store.h"
#include "search/search_tables.h"
#include <vector>

struct ReferenceHit {
    int32_t titleIndex;
    int32_t score;
    int32_t noteReference;
    bool operator==(const ReferenceHit& o) const
    {
        return titleIndex == o.titleIndex && score == o.score && noteReference == o.noteReference;
    }
};

std::vector<ReferenceHit> ReferenceFullTextSearch(const FakeSearchStore& store, const SearchKeywordTable& keywords);

// The ranked hits that RunFullTextSearch left in the tables.
std::vector<ReferenceHit> CurrentRankedHits();
