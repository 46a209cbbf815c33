#include "editor/note_title_matcher.h"
#include "foundation/ai_string.h"
#include "foundation/ai_string_table.h"
#include "notestore/note_store.h"
#include <algorithm>
#include <string.h>

namespace {

int IsLineEnd(WCHAR ch) { return ch == L'\r' || ch == L'\n'; }

// Characters a title can hold (the data file's title rules), so the
// characters that end a word when titles are looked for.
int IsTitleChar(WCHAR ch)
{
    if (ch <= L' ' || ch == 0x7F) return 0;
    switch (ch) {
    case L'\\': case L'/': case L':': case L'*': case L'?': case L'"': case L'<': case L'>': case L'|':
    case L'.': case L'[': case L']': case L'#': case L'=': case L'+': case L';': case L',': case L'^':
    case 0x00BD: case 0x00A4: case 0x00B1:
        return 0;
    }
    return 1;
}

// Brackets, quotes and dashes around a word are the sentence's, not the title's.
int IsLeadingPeel(WCHAR ch) { return ch == L'(' || ch == L'\'' || ch == L'-'; }
int IsTrailingPeel(WCHAR ch) { return ch == L')' || ch == L'!' || ch == L'\'' || ch == L'-'; }

WCHAR FoldTitleChar(WCHAR ch) { return ch == L' ' ? L'_' : FoldChar(ch); }

uint32_t HashFolded(const WCHAR* text, int32_t len)
{
    uint32_t h = 0x811c9dc5u;
    for (int32_t i = 0; i < len; i++) {
        h ^= FoldTitleChar(text[i]);
        h *= 16777619u;
    }
    return h ? h : 1;
}

}  // namespace

TitleMatcher::TitleMatcher()
    : chars_(0), charsUsed_(0), charsCapacity_(0), slots_(0), firstWords_(0), capacity_(0), count_(0),
      firstWordCount_(0), maxWords_(0)
{
}

TitleMatcher::~TitleMatcher() { Clear(); }

void TitleMatcher::Clear()
{
    if (chars_) LocalFree(chars_);
    if (slots_) LocalFree(slots_);
    if (firstWords_) LocalFree(firstWords_);
    chars_ = 0;
    slots_ = 0;
    firstWords_ = 0;
    charsUsed_ = charsCapacity_ = capacity_ = count_ = firstWordCount_ = maxWords_ = 0;
}

int32_t TitleMatcher::Grow() { return GrowTo(capacity_ ? capacity_ * 2 : 1024); }

int32_t TitleMatcher::GrowTo(int32_t capacity)
{
    Slot* slots = (Slot*)LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, (SIZE_T)capacity * sizeof(Slot));
    uint32_t* firsts = (uint32_t*)LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, (SIZE_T)capacity * sizeof(uint32_t));
    if (!slots || !firsts) {
        if (slots) LocalFree(slots);
        if (firsts) LocalFree(firsts);
        return 0;
    }
    uint32_t mask = (uint32_t)capacity - 1;
    for (int32_t i = 0; i < capacity_; i++) {
        if (slots_[i].hash) {
            uint32_t at = slots_[i].hash & mask;
            while (slots[at].hash) at = (at + 1) & mask;
            slots[at] = slots_[i];
        }
        if (firstWords_[i]) {
            uint32_t at = firstWords_[i] & mask;
            while (firsts[at]) at = (at + 1) & mask;
            firsts[at] = firstWords_[i];
        }
    }
    if (slots_) LocalFree(slots_);
    if (firstWords_) LocalFree(firstWords_);
    slots_ = slots;
    firstWords_ = firsts;
    capacity_ = capacity;
    return 1;
}

int32_t TitleMatcher::GrowChars(int32_t chars)
{
    if (chars <= charsCapacity_) return 1;
    int32_t capacity = charsCapacity_ ? charsCapacity_ * 2 : 16384;
    while (capacity < chars) capacity *= 2;
    WCHAR* grown = (WCHAR*)LocalAlloc(LMEM_FIXED, (SIZE_T)capacity * sizeof(WCHAR));
    if (!grown) return 0;
    if (chars_) {
        CopyMemory(grown, chars_, (SIZE_T)charsUsed_ * sizeof(WCHAR));
        LocalFree(chars_);
    }
    chars_ = grown;
    charsCapacity_ = capacity;
    return 1;
}

int32_t TitleMatcher::FindSlot(uint32_t hash, const WCHAR* text, int32_t len, TitleForm form) const
{
    if (!capacity_) return -1;
    uint32_t mask = (uint32_t)capacity_ - 1;
    for (uint32_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (!slot.hash) return -1;
        if (slot.hash != hash || slot.length != len) continue;
        const WCHAR* kept = chars_ + slot.offset;
        if (form == kFoldedTitle) {
            if (memcmp(kept, text, (size_t)len * sizeof(WCHAR)) == 0) return (int32_t)at;
            continue;
        }
        int32_t k = 0;
        while (k < len && kept[k] == FoldTitleChar(text[k])) k++;
        if (k == len) return (int32_t)at;
    }
}

int32_t TitleMatcher::HasFirstWord(uint32_t hash) const
{
    if (!capacity_) return 0;
    uint32_t mask = (uint32_t)capacity_ - 1;
    for (uint32_t at = hash & mask; firstWords_[at]; at = (at + 1) & mask)
        if (firstWords_[at] == hash) return 1;
    return 0;
}

int32_t TitleMatcher::AddTitle(const WCHAR* title, int32_t len)
{
    if (!title || len <= 0 || len > kMaxTitleChars) return 1;
    // The title is folded once, where it will be kept, and hashed as it is
    // folded: the hash of its first word is the hash up to the first blank.
    if (!GrowChars(charsUsed_ + len)) return 0;
    WCHAR* folded = chars_ + charsUsed_;
    uint32_t h = 0x811c9dc5u, first = 0;
    int32_t words = 1;
    for (int32_t i = 0; i < len; i++) {
        if (title[i] == L'_' || title[i] == L' ') {
            if (words == 1) first = h ? h : 1;
            words++;
        }
        folded[i] = FoldTitleChar(title[i]);
        h ^= folded[i];
        h *= 16777619u;
    }
    uint32_t hash = h ? h : 1;
    if (words == 1) first = hash;
    if (FindSlot(hash, folded, len, kFoldedTitle) >= 0) return 1;
    // Both tables stay at most half full.
    if ((count_ + 1) * 2 > capacity_ || (firstWordCount_ + 1) * 2 > capacity_)
        if (!Grow()) return 0;
    uint32_t mask = (uint32_t)capacity_ - 1;
    uint32_t at = hash & mask;
    while (slots_[at].hash) at = (at + 1) & mask;
    slots_[at].hash = hash;
    slots_[at].offset = charsUsed_;
    slots_[at].length = len;
    charsUsed_ += len;
    count_++;
    if (words > maxWords_) maxWords_ = words;
    if (!HasFirstWord(first)) {
        at = first & mask;
        while (firstWords_[at]) at = (at + 1) & mask;
        firstWords_[at] = first;
        firstWordCount_++;
    }
    return 1;
}

int32_t TitleMatcher::AddIndexTitles(const AIStringTable& index)
{
    int32_t count = index.GetCount();
    // Room for all of them at once (the joined items are longer than their
    // titles): no table is made again on the way.
    int32_t capacity = capacity_ ? capacity_ : 1024;
    while (capacity < 2 * (count_ + count)) capacity *= 2;
    if (capacity > capacity_ && !GrowTo(capacity)) return 0;
    if (!GrowChars(charsUsed_ + index.GetJoined().GetLength())) return 0;
    for (int32_t i = 0; i < count; i++) {
        int length = 0, keyLength = 0;
        const WCHAR* item = index.ItemAtSorted(i, &length, &keyLength);
        if (item && !AddTitle(item, keyLength)) return 0;
    }
    return 1;
}

int32_t TitleMatcher::IsTitle(const WCHAR* text, int32_t len) const
{
    if (len <= 0 || len > kMaxTitleChars) return 0;
    return FindSlot(HashFolded(text, len), text, len, kTitleAsWritten) >= 0;
}

namespace {
struct Token {
    int32_t start;
    int32_t end;
    int32_t peeledEnd;   // end without trailing brackets, quotes and dashes
    int32_t joinsNext;   // exactly one blank to the next token, same line
};

struct Candidate {
    int32_t start;
    int32_t end;
};

bool LongerFirst(const Candidate& a, const Candidate& b)
{
    int32_t la = a.end - a.start, lb = b.end - b.start;
    return la != lb ? la > lb : a.start < b.start;
}

int SameTitle(const WCHAR* a, int32_t aLen, const WCHAR* b, int32_t bLen)
{
    if (aLen != bLen) return 0;
    for (int32_t i = 0; i < aLen; i++)
        if (FoldTitleChar(a[i]) != FoldTitleChar(b[i])) return 0;
    return 1;
}
}  // namespace

int32_t TitleMatcher::FindTitles(const WCHAR* text, int32_t len, const WCHAR* ownTitle, uint8_t* blocked, int32_t cap,
                                 NoteRunList& out) const
{
    if (!count_ || len <= 0) return 0;
    int32_t ownLen = ownTitle ? TextLength(ownTitle) : 0;
    Token* tokens = (Token*)LocalAlloc(LMEM_FIXED, (SIZE_T)(len / 2 + 2) * sizeof(Token));
    if (!tokens) return 0;

    // Words, heading lines left out.
    int32_t tokenCount = 0;
    int32_t i = 0;
    while (i < len) {
        int32_t lineEnd = i;
        while (lineEnd < len && !IsLineEnd(text[lineEnd])) lineEnd++;
        if (!IsHeadingLineAt(text, len, i)) {
            int32_t p = i;
            while (p < lineEnd) {
                if (!IsTitleChar(text[p])) {
                    p++;
                    continue;
                }
                Token& t = tokens[tokenCount++];
                t.start = p;
                while (p < lineEnd && IsTitleChar(text[p])) p++;
                t.end = p;
                t.peeledEnd = p;
                while (t.peeledEnd > t.start + 1 && IsTrailingPeel(text[t.peeledEnd - 1])) t.peeledEnd--;
                t.joinsNext = p + 1 < lineEnd && text[p] == L' ' && IsTitleChar(text[p + 1]);
            }
        }
        i = lineEnd + 1;
    }

    // Every title found at every word start; the choice comes afterwards.
    int32_t candidateCapacity = 256, candidateCount = 0;
    Candidate* candidates = (Candidate*)LocalAlloc(LMEM_FIXED, (SIZE_T)candidateCapacity * sizeof(Candidate));
    for (int32_t t = 0; candidates && t < tokenCount; t++) {
        int32_t starts[2] = {tokens[t].start, -1};
        int32_t s = tokens[t].start;
        while (s < tokens[t].end - 1 && IsLeadingPeel(text[s])) s++;
        if (s != tokens[t].start) starts[1] = s;
        for (int v = 0; v < 2 && candidates; v++) {
            int32_t start = starts[v];
            if (start < 0) continue;
            int first = HasFirstWord(HashFolded(text + start, tokens[t].end - start)) ||
                        (tokens[t].peeledEnd > start && HasFirstWord(HashFolded(text + start, tokens[t].peeledEnd - start)));
            // A word that starts no title may still be a whole title written with "_".
            for (int32_t j = t; j < tokenCount && j - t < maxWords_; j++) {
                if (j > t && (!first || !tokens[j - 1].joinsNext)) break;
                int32_t ends[2] = {tokens[j].end, tokens[j].peeledEnd};
                if (ends[1] - start > kMaxTitleChars) break;
                for (int e = 0; e < 2; e++) {
                    int32_t end = ends[e];
                    if (end <= start || (e == 1 && end == ends[0]) || !IsTitle(text + start, end - start)) continue;
                    if (candidateCount == candidateCapacity) {
                        Candidate* grown = (Candidate*)LocalAlloc(
                            LMEM_FIXED, (SIZE_T)candidateCapacity * 2 * sizeof(Candidate));
                        if (grown) CopyMemory(grown, candidates, (SIZE_T)candidateCount * sizeof(Candidate));
                        LocalFree(candidates);
                        candidates = grown;
                        candidateCapacity *= 2;
                        if (!candidates) break;
                    }
                    candidates[candidateCount].start = start;
                    candidates[candidateCount].end = end;
                    candidateCount++;
                }
                if (!candidates) break;
            }
        }
    }
    LocalFree(tokens);
    if (!candidates) return 0;

    std::sort(candidates, candidates + candidateCount, LongerFirst);
    int32_t taken = 0, capHit = 0;
    for (int32_t c = 0; c < candidateCount; c++) {
        int32_t start = candidates[c].start, end = candidates[c].end;
        if (ownLen && SameTitle(text + start, end - start, ownTitle, ownLen)) continue;
        int32_t k = start;
        while (k < end && !blocked[k]) k++;
        if (k < end) continue;
        if (taken == cap) {
            capHit = 1;
            break;
        }
        for (k = start; k < end; k++) blocked[k] = 1;
        AddRun(out, start, end, RunNoteLink);
        taken++;
    }
    LocalFree(candidates);
    return capHit;
}
