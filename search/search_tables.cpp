#include "search/search_tables.h"

SearchKeywordTable SearchKeywords;
SearchHitSlots SearchHitTable;
RankedHit RankedHits[kSearchHitSlots];
SearchCounterSet SearchCounters;
int32_t SearchStopRequest = kStopIdle;
int32_t SearchResultsStale = 0;

void ClearSearchHits()
{
    for (int i = 0; i < kSearchHitSlots; i++) {
        RankedHits[i].slot = 0;
        RankedHits[i].score = 0;
        SearchHitTable.slot[i].score = 0;
        SearchHitTable.slot[i].noteReference = kHitFree;
    }
    RankedHits[0].score = kBestScoreRanking;
    SearchHitTable.count = 0;
    SearchCounters.pageIndex = 0;
}

void ClearSearchKeywords()
{
    for (int i = 0; i < kSearchKeywordEntries; i++) {
        SearchKeywords.text[i].Clear();
        SearchKeywords.mode[i] = kKeywordPlain;
    }
    SearchKeywords.count = 0;
    SearchKeywords.revision++;
}

void SetSearchKeyword(int entry, const WCHAR* text, int32_t mode)
{
    if (entry < 0 || entry >= kSearchKeywordEntries) return;
    SearchKeywords.text[entry].AssignText(text);
    SearchKeywords.mode[entry] = mode;
    SearchKeywords.revision++;
}
