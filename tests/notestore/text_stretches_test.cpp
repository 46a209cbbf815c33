// A save turns the loaded text into the saved one where it lies: whatever
// records are kept, dropped or put in between, the result equals the
// stretches copied one after another, and a plan that breaks the rules
// leaves the text untouched.
#include "tests/support/gtest.h"
#include "notestore/text_stretches.h"
#include <random>
#include <vector>

namespace {

std::vector<WCHAR> Joined(const std::vector<TextStretch>& stretches)
{
    std::vector<WCHAR> out;
    for (const TextStretch& s : stretches) out.insert(out.end(), s.text, s.text + s.len);
    return out;
}

}  // namespace

TEST(TextStretches, InPlaceJoinEqualsTheCopyForRandomSaves)
{
    std::mt19937 random(7);
    std::vector<WCHAR> others(4000);
    for (size_t i = 0; i < others.size(); i++) others[i] = (WCHAR)(0x4000 + i);
    for (int trial = 0; trial < 2000; trial++) {
        const int32_t oldChars = 1 + (int32_t)(random() % 600), capacity = oldChars + (int32_t)(random() % 300);
        std::vector<WCHAR> buffer(capacity + 1, 0xFFFF);
        for (int32_t i = 0; i < oldChars; i++) buffer[i] = (WCHAR)(L'A' + i % 50 + (i / 50) * 64);
        // Records of the old text, kept or dropped, in their order; new ones between.
        std::vector<TextStretch> stretches;
        int32_t count = 0;
        std::vector<TextStretch> list(2 * oldChars + 2);
        for (int32_t at = 0; at < oldChars;) {
            int32_t len = 1 + (int32_t)(random() % 40);
            if (len > oldChars - at) len = oldChars - at;
            if (random() % 4) AppendStretch(list.data(), count, buffer.data() + at, len);
            if (random() % 5 == 0) {
                int32_t from = (int32_t)(random() % 3000), n = (int32_t)(random() % 60);
                AppendStretch(list.data(), count, others.data() + from, n);
            }
            at += len;
        }
        stretches.assign(list.begin(), list.begin() + count);
        std::vector<WCHAR> expected = Joined(stretches);
        std::vector<WCHAR> before(buffer);
        int32_t chars = JoinStretchesInPlace(buffer.data(), oldChars, capacity, stretches.data(), count);
        if ((int64_t)expected.size() > capacity) {
            EXPECT_EQ(-1, chars) << "trial " << trial;
            EXPECT_EQ(before, buffer) << "a text that would not fit is left as it was";
            continue;
        }
        ASSERT_EQ((int32_t)expected.size(), chars) << "trial " << trial;
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), buffer.begin())) << "trial " << trial;
        EXPECT_EQ(0xFFFF, buffer[capacity]) << "nothing is written past the room";
    }
}

TEST(TextStretches, PlansThatBreakTheRulesLeaveTheTextAlone)
{
    std::vector<WCHAR> buffer(20), outside(5, L'x');
    for (int i = 0; i < 20; i++) buffer[i] = (WCHAR)(L'a' + i);
    const std::vector<WCHAR> original(buffer);
    const TextStretch swapped[] = {{buffer.data() + 5, 5}, {buffer.data(), 5}};
    const TextStretch twice[] = {{buffer.data(), 5}, {buffer.data() + 3, 5}};
    const TextStretch intoRoom[] = {{buffer.data() + 8, 6}};
    const TextStretch fine[] = {{buffer.data() + 5, 5}, {outside.data(), 5}, {buffer.data() + 10, 2}};
    EXPECT_EQ(-1, JoinStretchesInPlace(buffer.data(), 10, 20, swapped, 2)) << "old records out of their order";
    EXPECT_EQ(-1, JoinStretchesInPlace(buffer.data(), 10, 20, twice, 2)) << "overlapping old records";
    EXPECT_EQ(-1, JoinStretchesInPlace(buffer.data(), 10, 20, intoRoom, 1)) << "a stretch reaching past the old text";
    EXPECT_EQ(-1, JoinStretchesInPlace(buffer.data(), 12, 11, fine, 3)) << "more than the room";
    EXPECT_EQ(original, buffer);
    EXPECT_EQ(12, JoinStretchesInPlace(buffer.data(), 12, 20, fine, 3));
    const WCHAR expected[] = L"fghijxxxxxkl";
    EXPECT_TRUE(std::equal(expected, expected + 12, buffer.begin()));
}

TEST(TextStretches, NeighboursInMemoryBecomeOneStretch)
{
    const WCHAR text[] = L"abcdef";
    TextStretch list[4];
    int32_t count = 0;
    AppendStretch(list, count, text, 2);
    AppendStretch(list, count, text + 2, 0);
    AppendStretch(list, count, text + 2, 2);
    AppendStretch(list, count, text + 5, 1);
    ASSERT_EQ(2, count);
    EXPECT_EQ(4, list[0].len);
    EXPECT_EQ(6 - 1, (int)(list[1].text - text));
    EXPECT_EQ(5, StretchesLength(list, count));
}
