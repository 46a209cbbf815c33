#include "tests/support/gtest.h"
#include "foundation/result_flag.h"
#include <string.h>

TEST(AIString, GrowsPastInlineCapacityAndKeepsText)
{
    AIString s;
    for (int i = 0; i < 2000; i++) s.AppendChar((WCHAR)(L'a' + i % 26));
    EXPECT_EQ(2000, s.GetLength());
    EXPECT_GE(s.GetCapacity(), 2000);
    EXPECT_EQ(L'a', s.CharAt(0));
    EXPECT_EQ(L'a' + 1999 % 26, s.CharAt(1999));
    AIString copy(s);
    EXPECT_TRUE(copy.EqualsString(s));
}

TEST(AIString, FindIsCaseInsensitiveCompareIsNot)
{
    AIString s(L"Hello World");
    EXPECT_EQ(6, s.FindText(L"WORLD"));
    EXPECT_EQ(1, ResultFlag);
    EXPECT_EQ(-1, s.FindText(L"planet"));
    EXPECT_EQ(0, ResultFlag);
    EXPECT_FALSE(s.EqualsText(L"hello world"));
    EXPECT_TRUE(s.EqualsTextNoCase(L"hello world"));
    EXPECT_EQ(6, s.FindTextFrom(L"w", 10, true));
}

TEST(AIString, SplitKeepsTheRequestedSide)
{
    AIString s(L"key:value:more");
    s.SplitAtChar(L':', 1, 0);
    EXPECT_TRUE(s.EqualsText(L"value:more"));
    s.SplitAtChar(L':', 0, 1);
    EXPECT_TRUE(s.EqualsText(L"value"));
    s.SplitAtText(L"zz", 1, 0);
    EXPECT_TRUE(s.EqualsText(L"value"));
    EXPECT_EQ(0, ResultFlag);
}

TEST(AIString, ReplaceAllAndSelfAppend)
{
    AIString s(L"a,b,,c");
    EXPECT_EQ(3, s.ReplaceAll(L",", L"\x2026", 1));
    EXPECT_TRUE(s.EqualsText(L"a\x2026" L"b\x2026\x2026" L"c"));
    AIString t(L"ab");
    t.AppendString(t).AppendTextN(t.GetText() + 1, 2);
    EXPECT_TRUE(t.EqualsText(L"ababba"));
    t.AssignTextN(t.GetText() + 2, 2);
    EXPECT_TRUE(t.EqualsText(L"ab"));
}

TEST(AIString, NumbersAppendInDecimal)
{
    AIString s;
    s.AppendInt(-2147483647 - 1).AppendChar(L' ').AppendUnsigned(4294967295u).AppendChar(L' ').AppendLong(-5);
    EXPECT_TRUE(s.EqualsText(L"-2147483648 4294967295 -5")) << Utf8(s);
    EXPECT_EQ(-42, AIString(L" -42x").ToInt());
}

TEST(AIString, Utf8RoundTripWithSurrogatePairs)
{
    const WCHAR text[] = {L'a', 0xE9, 0x20AC, 0xD83D, 0xDE00, L'z', 0};
    AIString s(text);
    char utf8[32];
    int n = s.ToUtf8(utf8, sizeof utf8);
    EXPECT_EQ(1 + 2 + 3 + 4 + 1, n);
    EXPECT_EQ(n, s.ToUtf8(0, 0));
    AIString back;
    back.FromUtf8(utf8, n);
    EXPECT_TRUE(back.EqualsString(s));
}

TEST(AIString, Utf8InvalidInputBecomesReplacementCharacters)
{
    AIString s;
    // A lone continuation byte, an overlong encoding, a truncated sequence.
    s.FromUtf8("a\x80" "b\xC0\xAF" "c\xE2\x82");
    const WCHAR expected[] = {L'a', 0xFFFD, L'b', 0xFFFD, 0xFFFD, L'c', 0xFFFD, 0xFFFD, 0};
    EXPECT_TRUE(s.EqualsText(expected)) << Utf8(s);
    // A lone surrogate half is written as U+FFFD.
    const WCHAR lone[] = {0xD800, L'x', 0};
    char out[8];
    AIString(lone).ToUtf8(out, sizeof out);
    EXPECT_STREQ("\xEF\xBF\xBDx", out);
}

TEST(AIString, Utf8OutputIsBoundedByTheBuffer)
{
    AIString s(L"\x20AC\x20AC\x20AC");
    char out[5];
    EXPECT_EQ(3, s.ToUtf8(out, sizeof out));  // only whole characters fit
    EXPECT_EQ(0, out[3]);
}

// The buffer is checked with guard bytes behind it: nothing is written past
// outSize, whether the text fits with its terminating zero exactly or not.
TEST(AIString, Utf8NeverWritesPastTheBuffer)
{
    const WCHAR pair[] = {0xD83D, 0xDE00, 0};
    struct Case {
        const WCHAR* text;
        int outSize;
        const char* expected;
    } cases[] = {
        {L"\x20AC\x20AC", 7, "\xE2\x82\xAC\xE2\x82\xAC"},  // the whole text and its zero
        {L"\x20AC\x20AC", 6, "\xE2\x82\xAC"},                // whole characters only: no room for the zero
        {L"abc", 3, "ab"},
        {L"abc", 4, "abc"},
        {pair, 4, ""},
        {pair, 5, "\xF0\x9F\x98\x80"},
        {L"a\x00E9", 3, "a"},
        {L"x", 1, ""},
    };
    for (const Case& c : cases) {
        char buffer[16];
        memset(buffer, 0x7E, sizeof buffer);
        int written = AIString(c.text).ToUtf8(buffer, c.outSize);
        EXPECT_EQ((int)strlen(c.expected), written) << c.outSize;
        EXPECT_STREQ(c.expected, buffer) << c.outSize;
        for (int i = c.outSize; i < (int)sizeof buffer; i++) EXPECT_EQ(0x7E, buffer[i]) << c.outSize << " at " << i;
    }
    char untouched = 0x7E;
    EXPECT_EQ(0, AIString(L"abc").ToUtf8(&untouched, 0));
    EXPECT_EQ(0x7E, untouched);
}

// Every half of a surrogate pair that stands alone becomes U+FFFD, wherever it stands.
TEST(AIString, Utf8ReplacesEveryLoneSurrogateHalf)
{
    struct Case {
        WCHAR text[4];
        const char* expected;
    } cases[] = {
        {{0xDC00, 0}, "\xEF\xBF\xBD"},
        {{0xDFFF, L'x', 0}, "\xEF\xBF\xBDx"},
        {{L'x', 0xDE00, 0}, "x\xEF\xBF\xBD"},
        {{0xDE00, 0xD83D, 0}, "\xEF\xBF\xBD\xEF\xBF\xBD"},   // low before high is no pair
        {{0xD83D, 0xD83D, 0xDE00, 0}, "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
        {{0xDBFF, 0}, "\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        char out[16];
        AIString text(c.text);
        int n = text.ToUtf8(out, sizeof out);
        EXPECT_STREQ(c.expected, out) << Utf8(text);
        EXPECT_EQ(n, text.ToUtf8(0, 0));
    }
}
