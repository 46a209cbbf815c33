#include "tests/support/gtest.h"
#include "search/query_parser.h"
#include <string>

namespace {

SearchKeywordTable g_keywords;

int Parse(const WCHAR* query)
{
    return ParseSearchQuery(AIString(query), g_keywords);
}

std::string Keyword(int i) { return Utf8(g_keywords.text[i]); }

TEST(SearchQueryParser, SplitsAtBlanksAndKeepsQuotedPhrasesWhole)
{
    ASSERT_EQ(1, Parse(L"  alpha  \"big cat\" beta\"x\"y  "));
    ASSERT_EQ(3, g_keywords.count);
    EXPECT_EQ("alpha", Keyword(0));
    EXPECT_EQ("big cat", Keyword(1));
    EXPECT_EQ("beta\"x\"y", Keyword(2));  // quotes inside a word are part of it
    EXPECT_EQ("", Keyword(3));

    ASSERT_EQ(1, Parse(L"\"a b\"\"c d\""));
    ASSERT_EQ(2, g_keywords.count);
    EXPECT_EQ("a b", Keyword(0));
    EXPECT_EQ("c d", Keyword(1));
}

TEST(SearchQueryParser, OddNumberOfQuotesParsesNothing)
{
    ASSERT_EQ(0, Parse(L"\"one two\" \"three"));
    EXPECT_EQ(0, g_keywords.count);
    EXPECT_EQ("\"", Keyword(0));
    EXPECT_EQ("", Keyword(1));
}

TEST(SearchQueryParser, ModesFromLeadingSign)
{
    ASSERT_EQ(1, Parse(L"+alpha -beta gamma \"-a phrase\" ++two"));
    ASSERT_EQ(5, g_keywords.count);
    EXPECT_EQ("alpha", Keyword(0));
    EXPECT_EQ(kKeywordRequired, g_keywords.mode[0]);
    EXPECT_EQ("beta", Keyword(1));
    EXPECT_EQ(kKeywordExcluded, g_keywords.mode[1]);
    EXPECT_EQ(kKeywordPlain, g_keywords.mode[2]);
    EXPECT_EQ("a phrase", Keyword(3));
    EXPECT_EQ(kKeywordExcluded, g_keywords.mode[3]);
    EXPECT_EQ("+two", Keyword(4));  // only the first sign is taken
    EXPECT_EQ(kKeywordRequired, g_keywords.mode[4]);
}

TEST(SearchQueryParser, EmptyKeywordsAreDropped)
{
    ASSERT_EQ(1, Parse(L"+ alpha - \"\" beta"));
    ASSERT_EQ(2, g_keywords.count);
    EXPECT_EQ("alpha", Keyword(0));
    EXPECT_EQ("beta", Keyword(1));
    EXPECT_EQ("", Keyword(2));
    ASSERT_EQ(1, Parse(L"+"));
    EXPECT_EQ(0, g_keywords.count);
    ASSERT_EQ(1, Parse(L""));
    EXPECT_EQ(0, g_keywords.count);
    ASSERT_EQ(1, Parse(L"    "));
    EXPECT_EQ(0, g_keywords.count);
}

TEST(SearchQueryParser, AtMostNineKeywords)
{
    ASSERT_EQ(1, Parse(L"k1 k2 k3 k4 k5 k6 k7 k8 k9 k10 k11"));
    ASSERT_EQ(9, g_keywords.count);
    EXPECT_EQ("k9", Keyword(8));
    EXPECT_EQ("", Keyword(9));
}

TEST(SearchQueryParser, KeywordsSplitAfterHundredCharacters)
{
    std::string a(100, 'a'), b(100, 'b');
    // 100 a, then "Xrest": X is skipped, "rest" is the next keyword.
    AIString query;
    query.AssignAscii((a + "Xrest tail").c_str());
    ASSERT_EQ(1, ParseSearchQuery(query, g_keywords));
    ASSERT_EQ(3, g_keywords.count);
    EXPECT_EQ(a, Keyword(0));
    EXPECT_EQ("rest", Keyword(1));
    EXPECT_EQ("tail", Keyword(2));

    // Inside quotes the rest stays quoted; a closing quote that is skipped ends the phrase.
    query.AssignAscii(("\"" + b + "Xr s\" \"" + a + "\" end").c_str());
    ASSERT_EQ(1, ParseSearchQuery(query, g_keywords));
    ASSERT_EQ(4, g_keywords.count);
    EXPECT_EQ(b, Keyword(0));
    EXPECT_EQ("r s", Keyword(1));
    EXPECT_EQ(a, Keyword(2));
    EXPECT_EQ("end", Keyword(3));

    // Exactly 100 characters before a blank: nothing is lost.
    query.AssignAscii((a + " next").c_str());
    ASSERT_EQ(1, ParseSearchQuery(query, g_keywords));
    ASSERT_EQ(2, g_keywords.count);
    EXPECT_EQ("next", Keyword(1));
}

TEST(SearchQueryParser, BlankPairsCollapseOncePerPair)
{
    AIString text(L"a  b   c    d");
    CollapseBlankPairs(text);
    EXPECT_EQ("a b  c  d", Utf8(text));
}

}  // namespace
