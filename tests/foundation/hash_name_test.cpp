#include "tests/support/gtest.h"
#include "foundation/hash_name.h"

TEST(HashName, MatchesFnv1Vectors)
{
    // FNV-1 32-bit reference values.
    EXPECT_EQ(0x811c9dc5u, HashName(""));
    EXPECT_EQ(0x050c5d7eu, HashName("a"));
    EXPECT_EQ(0x31f0b262u, HashName("foobar"));
    // Case matters: no folding.
    EXPECT_NE(HashName("ShowDialog"), HashName("showdialog"));
}

TEST(HashName, BytesAboveAsciiAreSignExtended)
{
    // 0xE9 taken as a signed char XORs 0xFFFFFFE9 into the hash.
    uint32_t expected = (0x811c9dc5u * 16777619u) ^ 0xFFFFFFE9u;
    EXPECT_EQ(expected, HashName("\xE9"));
}
