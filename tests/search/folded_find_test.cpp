#include "tests/support/gtest.h"
#include "bench/search_note_generator.h"
#include "search/folded_find.h"
#include <vector>

namespace {

const WCHAR* Naive(const WCHAR* keyword, int m, const WCHAR* from, const WCHAR* end)
{
    if (m == 0) return nullptr;
    for (const WCHAR* p = from; p + m <= end; p++) {
        int j = 0;
        while (j < m && FoldChar(p[j]) == FoldChar(keyword[j])) j++;
        if (j == m) return p;
    }
    return nullptr;
}

TEST(FoldedFind, IgnoresCaseByThePlatformRules)
{
    const WCHAR text[] = L"xx STRASSE Straße ÜBERSICHT ΣΟΦΙΑ москва";
    const WCHAR* end = text + TextLength(text);
    FoldedPattern p;
    PrepareFoldedPattern(p, L"straße", 6);
    EXPECT_EQ(text + 11, FindFolded(p, text, end));
    PrepareFoldedPattern(p, L"übersicht", 9);
    EXPECT_EQ(text + 18, FindFolded(p, text, end));
    PrepareFoldedPattern(p, L"σοφια", 5);
    EXPECT_EQ(text + 28, FindFolded(p, text, end));
    PrepareFoldedPattern(p, L"МОСКВА", 6);
    EXPECT_EQ(text + 34, FindFolded(p, text, end));
}

TEST(FoldedFind, StaysInsideItsBounds)
{
    WCHAR text[40];
    for (int i = 0; i < 40; i++) text[i] = L'a';
    FoldedPattern p;
    PrepareFoldedPattern(p, L"AAAB", 4);
    text[30] = L'b';
    EXPECT_EQ(text + 27, FindFolded(p, text, text + 31));
    EXPECT_EQ(nullptr, FindFolded(p, text, text + 30));  // the hit would end past the end
    EXPECT_EQ(nullptr, FindFolded(p, text + 28, text + 40));
    PrepareFoldedPattern(p, L"", 0);
    EXPECT_EQ(nullptr, FindFolded(p, text, text + 40));  // an empty keyword finds nothing
    EXPECT_EQ(text + 30, FindCharBounded(text, text + 40, L'b'));
    EXPECT_EQ(text + 30, FindCharBounded(text, text + 30, L'b'));
    EXPECT_EQ(text + 40, FindCharBounded(text + 31, text + 40, L'b'));
}

TEST(FoldedFind, AgreesWithNaiveSearchOnRandomText)
{
    // A small alphabet with case pairs, non-ASCII letters and a character
    // (the Kelvin sign) that folds onto an ASCII letter.
    const WCHAR alphabet[] = L"aAbBkK\x212Aé\xC9 ßΣσς\x130i";
    const int letters = TextLength(alphabet);
    SearchRandom random(99);
    std::vector<WCHAR> text(3000);
    for (auto& c : text) c = alphabet[random.Below(letters)];
    const WCHAR* begin = text.data();
    const WCHAR* end = begin + text.size();
    for (int round = 0; round < 3000; round++) {
        int m = 1 + random.Below(round % 10 == 0 ? 100 : 4);
        std::vector<WCHAR> keyword((size_t)m);
        if (random.Below(2)) {
            int at = random.Below((int)text.size() - m);
            for (int j = 0; j < m; j++) keyword[(size_t)j] = text[(size_t)(at + j)];
        } else {
            for (auto& c : keyword) c = alphabet[random.Below(letters)];
        }
        FoldedPattern p;
        PrepareFoldedPattern(p, keyword.data(), m);
        const WCHAR* from = begin + random.Below(200);
        const WCHAR* stop = end - random.Below(200);
        ASSERT_EQ(Naive(keyword.data(), m, from, stop), FindFolded(p, from, stop)) << "round " << round;
    }
}

TEST(FoldedFind, OneSweepFindsWhatEachSearchFinds)
{
    const WCHAR alphabet[] = L"abcdeABCDE \xE9\xC9\x212A";
    const int letters = TextLength(alphabet);
    SearchRandom random(5);
    std::vector<WCHAR> text(5000);
    for (auto& c : text) c = alphabet[random.Below(letters)];
    const WCHAR* end = text.data() + text.size();
    for (int round = 0; round < 500; round++) {
        FoldedPattern patterns[10];
        const FoldedPattern* pointers[10];
        const WCHAR* hits[10];
        int count = 1 + random.Below(10);
        for (int i = 0; i < count; i++) {
            WCHAR keyword[100];
            int m = 1 + random.Below(i == 0 ? 100 : 6);
            for (int j = 0; j < m; j++) keyword[j] = alphabet[random.Below(letters)];
            PrepareFoldedPattern(patterns[i], keyword, m);
            pointers[i] = &patterns[i];
        }
        const WCHAR* from = text.data() + random.Below(4000);
        FindFoldedMany(pointers, count, from, end, hits);
        for (int i = 0; i < count; i++)
            ASSERT_EQ(FindFolded(patterns[i], from, end), hits[i]) << "round " << round << " pattern " << i;
    }
}

// Several keywords looked for together: 1-character keywords, surrogate
// pairs, units that share their low byte with a letter (U+0141, U+0161,
// U+D841 U+DC41), a case pair that differs in more than one bit (the Kelvin
// sign), hits that start or end exactly at either end of the range, and
// more keywords than the prefilter has buckets.
TEST(FoldedFind, ManyKeywordsAtTheEdgesAndOutsideAscii)
{
    const WCHAR alphabet[] = L"aAkK\x212A \x0141\x0142\x0161\x0160sS\xD841\xDC41\xD83D\xDE00\x00C5\x00E5";
    const int letters = TextLength(alphabet);
    SearchRandom random(24);
    std::vector<WCHAR> text(400);
    for (int round = 0; round < 3000; round++) {
        for (auto& c : text) c = alphabet[random.Below(letters)];
        const int length = 1 + random.Below(round % 3 == 0 ? 40 : 399);
        const WCHAR* from = text.data() + random.Below((int)text.size() - length + 1);
        const WCHAR* end = from + length;
        FoldedPattern patterns[10];
        const FoldedPattern* pointers[10];
        const WCHAR* hits[10];
        std::vector<WCHAR> keywords[10];
        const int count = 2 + random.Below(9);
        for (int i = 0; i < count; i++) {
            const int m = 1 + random.Below(i % 3 == 0 ? 1 : 5);
            keywords[i].resize((size_t)m);
            const int place = random.Below(4);
            if (place < 2 && m <= length) {
                // Taken from the text at the range's first or last position.
                const WCHAR* at = place == 0 ? from : end - m;
                for (int j = 0; j < m; j++) keywords[i][(size_t)j] = at[j];
            } else {
                for (auto& c : keywords[i]) c = alphabet[random.Below(letters)];
            }
            PrepareFoldedPattern(patterns[i], keywords[i].data(), m);
            pointers[i] = &patterns[i];
        }
        FindFoldedMany(pointers, count, from, end, hits);
        for (int i = 0; i < count; i++)
            ASSERT_EQ(Naive(keywords[i].data(), (int)keywords[i].size(), from, end), hits[i])
                << "round " << round << " keyword " << i;
    }
}

TEST(FoldedFind, ManyKeywordsFindTheirFirstHitsInLongText)
{
    // Ten keywords (two share a prefilter bucket with others), each placed
    // once far into the text, one of them twice; the text around them holds
    // their first characters often.
    std::vector<WCHAR> text(100000);
    SearchRandom random(7);
    for (auto& c : text) c = L"xyzXYZ abAB"[random.Below(11)];
    const WCHAR* const words[] = {L"alpha", L"BRAVO", L"c", L"\x0141\x00F3" L"d\x017A", L"\xD83D\xDE00x", L"ab",
                                  L"Kelvin", L"\x212A" L"elvin", L"zz", L"y"};
    const int count = 10;
    const size_t placed[] = {99995, 50000, 70001, 12345, 31, 0, 88888, 88000, 65000, 3};
    for (int i = 0; i < count; i++)
        for (int j = 0; words[i][j]; j++) text[placed[i] + (size_t)j] = words[i][j];
    FoldedPattern patterns[count];
    const FoldedPattern* pointers[count];
    const WCHAR* hits[count];
    for (int i = 0; i < count; i++) {
        PrepareFoldedPattern(patterns[i], words[i], TextLength(words[i]));
        pointers[i] = &patterns[i];
    }
    const WCHAR* begin = text.data();
    const WCHAR* end = begin + text.size();
    FindFoldedMany(pointers, count, begin, end, hits);
    for (int i = 0; i < count; i++)
        EXPECT_EQ(Naive(words[i], TextLength(words[i]), begin, end), hits[i]) << "keyword " << i;
    EXPECT_EQ(begin + 99995, hits[0]);  // ends exactly at the end
    EXPECT_EQ(begin + 31, hits[4]);     // a surrogate pair
    // Cut one character short, the last keyword no longer fits.
    FindFoldedMany(pointers, count, begin, end - 1, hits);
    EXPECT_EQ(nullptr, hits[0]);
}

}  // namespace
