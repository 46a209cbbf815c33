#include "tests/search/reference_search.h"
#include "search/search_source.h"
#include <algorithm>

namespace {

typedef std::vector<WCHAR> Text;

const int64_t kMax = 2147483647;

bool Separator(WCHAR c)
{
    return c == ' ' || c == ',' || c == '_' || c == '.' || c == ':' || c == '\n' || c == '\r' || c == '"' || c == '\'';
}

WCHAR At(const Text& t, int64_t i) { return i >= 0 && i < (int64_t)t.size() ? t[(size_t)i] : 0; }

bool Before(const Text& t, int64_t at, const char* what)
{
    int64_t n = (int64_t)strlen(what);
    for (int64_t i = 0; i < n; i++)
        if (At(t, at - n + i) != (WCHAR)what[i]) return false;
    return true;
}

int64_t Find(const Text& t, int64_t from, const AIString& keyword)
{
    int64_t m = keyword.GetLength();
    if (m == 0) return -1;
    for (int64_t p = from; p + m <= (int64_t)t.size(); p++) {
        int64_t j = 0;
        while (j < m && FoldChar(t[(size_t)(p + j)]) == FoldChar(keyword.GetText()[j])) j++;
        if (j == m) return p;
    }
    return -1;
}

// The score of one note, or false when it takes no slot.
bool ScoreNote(const Text& t, const SearchKeywordTable& keywords, int32_t reference, ReferenceHit& out)
{
    Text title;
    for (size_t i = 1; i < t.size() && title.size() < 30 && t[i] != '\r' && t[i] != '\n' && t[i] != '\t'; i++)
        title.push_back(t[i]);
    title.push_back(0);
    int64_t titleLength = (int64_t)title.size() - 1;
    int64_t s = 0;
    bool taken = false;
    int distinct = 0;
    for (int k = 0; k < keywords.count && k < 10; k++) {
        const AIString& keyword = keywords.text[k];
        int64_t m = keyword.GetLength();
        bool found = false;
        for (int64_t hit = Find(t, 0, keyword); hit >= 0; hit = Find(t, hit + m, keyword)) {
            if (!taken) {
                int32_t copy = 0;
                out.titleIndex = GetSearchSource().findTitle(title.data(), &copy);
                if (out.titleIndex < 0) return false;
                if (reference == 1 && copy != kCopyInDatafile) return false;
                if (reference == 0 && copy != kCopyInMirror) return false;
                taken = true;
                s = 1;
            }
            if (!found) distinct++;
            found = true;
            bool before = Separator(At(t, hit - 1)) && hit > 0;
            bool after = Separator(At(t, hit + m));
            if (before) {
                s += 10;
                if (after) s += 100;
                if (hit > 5) {
                    if (Before(t, hit - 1, "\n###")) s *= 5;
                    else if (Before(t, hit, "\n## ")) s *= 6;
                    else if (Before(t, hit, "\n# ")) s *= 7;
                }
            }
            if (hit < titleLength) {
                s += 600;
                if (after && before) s += 2000;
                else if (after && hit == 1) s -= 400;
            }
            s = std::min(s, kMax);
        }
        if (k == 0) s = std::min(s * 5, kMax);
        if (k == 1) s = std::min(s * 2, kMax);
        if ((keywords.mode[k] == 1 && !found) || (keywords.mode[k] == 2 && found)) return false;
    }
    if (!taken) return false;
    out.score = (int32_t)std::min(s + 20000 * (int64_t)distinct, kMax);
    out.noteReference = reference;
    return true;
}

}  // namespace

std::vector<ReferenceHit> ReferenceFullTextSearch(const FakeSearchStore& store, const SearchKeywordTable& keywords)
{
    std::vector<ReferenceHit> kept;
    // The data file, note by note.
    std::vector<size_t> marks;
    for (size_t i = 0; i + 1 < store.buffer.size(); i++)
        if (store.buffer[i] == 0x00A4) marks.push_back(i);
    marks.push_back(store.buffer.size() - 1);
    bool full = false;
    for (size_t n = 0; n + 1 < marks.size(); n++) {
        if (kept.size() == 50) { full = true; break; }
        Text note(store.buffer.begin() + (long)marks[n], store.buffer.begin() + (long)marks[n + 1]);
        ReferenceHit hit;
        if (ScoreNote(note, keywords, 1, hit)) kept.push_back(hit);
    }
    // The mirror texts.
    if (!full && store.mirrorNoteCount > 0 && kept.size() < 50) {
        for (const MirrorTextRecord& record : store.mirrorRecords) {
            if (!record.key1 || !record.key2 || !record.text) break;
            if (kept.size() == 50) continue;
            Text note(record.text, record.text + TextLength(record.text));
            ReferenceHit hit;
            if (ScoreNote(note, keywords, 0, hit)) kept.push_back(hit);
        }
    }
    // One copy per note, then best first with ties in walk order.
    for (size_t i = 0; i < kept.size(); i++) {
        if (kept[i].noteReference != 0) continue;
        for (size_t j = 0; j < kept.size(); j++)
            if (j != i && kept[j].titleIndex == kept[i].titleIndex) { kept[j].score = -999; break; }
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const ReferenceHit& a, const ReferenceHit& b) { return a.score > b.score; });
    while (!kept.empty() && kept.back().score <= 0) kept.pop_back();
    return kept;
}

std::vector<ReferenceHit> CurrentRankedHits()
{
    std::vector<ReferenceHit> hits;
    for (int p = 0; p < SearchHitTable.count; p++) {
        const SearchHitSlot& slot = SearchHitTable.slot[RankedHits[p].slot];
        hits.push_back(ReferenceHit{slot.titleIndex, RankedHits[p].score, slot.noteReference});
    }
    return hits;
}
