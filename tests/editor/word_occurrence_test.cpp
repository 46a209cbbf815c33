// Where Ctrl+J goes next: the selected text, the caret's line, or its word.
#include "tests/support/gtest.h"
#include "editor/keys/word_occurrence.h"
#include "foundation/ai_string.h"

namespace {

int32_t Next(const WCHAR* text, int32_t start, int32_t end)
{
    return NextOccurrence(text, lstrlenW(text), start, end);
}

}  // namespace

TEST(WordOccurrence, ASelectionGoesToItsNextPlaceAndRoundsFromTheStart)
{
    const WCHAR text[] = L"Plan the garden\rgarden tools\rbuy GARDEN seeds";
    // "garden" selected at 9: next at 16, then (case ignored) at 33, then round to 9 again.
    EXPECT_EQ(16, Next(text, 9, 15));
    EXPECT_EQ(33, Next(text, 16, 22));
    EXPECT_EQ(9, Next(text, 33, 39));
    // Only one place: nothing to go to.
    EXPECT_EQ(-1, Next(text, 0, 4));
}

TEST(WordOccurrence, WithoutASelectionTheNextLineThatBeginsTheSameComesFirst)
{
    const WCHAR text[] = L"- milk\r- bread\r- milk and honey\rmilk";
    // The caret on "- milk": the line "- milk and honey" begins the same.
    EXPECT_EQ(15, Next(text, 3, 3));
    // No other line begins with "- milk and honey": the word "milk" is looked for.
    EXPECT_EQ(32, Next(text, 20, 20));
    // Rounding from the start, the first line has no CR before it.
    EXPECT_EQ(0, Next(L"- milk\r- bread\r- milk", 17, 17));
    // "- bread" begins no other line: the word around the caret is looked for,
    // and there is none either.
    EXPECT_EQ(-1, Next(text, 10, 10));
    // The last line "milk": no line begins so, its word stands at 2.
    EXPECT_EQ(2, Next(text, 33, 33));
}

TEST(WordOccurrence, TheWordIsBoundedByBlanksStopsTabsAndLineEnds)
{
    const WCHAR text[] = L"Call Anna.\tAnna? yes\rAnnabel";
    // The caret inside "Anna" at 5..9: the next "Anna" at 11 (a part of "Annabel" counts too).
    EXPECT_EQ(11, Next(text, 7, 7));
    EXPECT_EQ(21, Next(text, 12, 12));
    // Empty lines and an empty text go nowhere.
    EXPECT_EQ(-1, Next(L"\r\r", 1, 1));
    EXPECT_EQ(-1, Next(L"", 0, 0));
}
