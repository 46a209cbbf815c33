#include "search/hit_ranking.h"

static void DropDuplicateCopies()
{
    for (int i = 0; i < kSearchHitSlots; i++) {
        const SearchHitSlot& mirror = SearchHitTable.slot[i];
        if (mirror.noteReference != kHitFromMirror) continue;
        for (int j = 0; j < kSearchHitSlots; j++) {
            SearchHitSlot& other = SearchHitTable.slot[j];
            if (j == i || other.noteReference == kHitFree || other.titleIndex != mirror.titleIndex) continue;
            other.score = -999;
            break;
        }
    }
}

int32_t RankSearchHits()
{
    if (SearchHitTable.count > kSearchHitSlots) SearchHitTable.count = kSearchHitSlots;
    DropDuplicateCopies();
    int32_t count = SearchHitTable.count;
    if (count <= 0) return 0;
    for (int p = 0; p < kSearchHitSlots; p++) RankedHits[p] = RankedHit{0, 0};
    RankedHits[0].score = kBestScoreRanking;
    SearchCounters.selectedHit = 1;
    SearchCounters.reloadPreview = 1;
    for (int p = 0; p < count; p++) {
        int32_t best = p == 0 ? -1 : 0;
        int bestSlot = -1;
        for (int i = 0; i < kSearchHitSlots; i++) {
            const SearchHitSlot& slot = SearchHitTable.slot[i];
            if (slot.noteReference == kHitFree) continue;
            if (slot.score > best) {
                best = slot.score;
                bestSlot = i;
            }
        }
        if (bestSlot < 0) {
            RankedHits[p] = RankedHit{0, 0};
            continue;
        }
        RankedHits[p] = RankedHit{bestSlot, best};
        SearchHitTable.slot[bestSlot].score = 0;
    }
    int32_t positive = count;
    while (positive > 0 && RankedHits[positive - 1].score <= 0) positive--;
    SearchHitTable.count = positive;
    return positive;
}
