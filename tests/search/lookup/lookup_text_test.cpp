// The text side of look-up and translation: cleaning, cache names, WordNet's
// overview as mark-up, replies of the translation service, language codes.
#include "tests/support/gtest.h"
#include "search/lookup/lookup_text.h"

namespace {

std::string U8(const LookupText& text)
{
    std::string out;
    for (char16_t c : text) out.push_back(c < 128 ? char(c) : '?');
    return out;
}

TEST(LookupText, CleansWordsAndNamesCacheFilesSafely)
{
    EXPECT_EQ("well-known", U8(CleanLookupWord(u"  \"well-known\", ")));
    EXPECT_EQ("dont", U8(CleanLookupWord(u"(don't!)\r\n")));
    EXPECT_EQ("", U8(CleanLookupWord(u" ?!. ")));
    EXPECT_EQ("", U8(LookupCacheName(u"")));  // no ".dict.txt" of nothing
    EXPECT_EQ("dog", U8(LookupCacheName(u"dog")));
    EXPECT_EQ("multi-word-translation", U8(LookupCacheName(u"good morning")));
    for (const char16_t* device : {u"con", u"NUL", u"Aux", u"prn", u"com1", u"LPT9"})
        EXPECT_EQ(U8(device) + "_", U8(LookupCacheName(device)));
    EXPECT_EQ("com10", U8(LookupCacheName(u"com10")));
    EXPECT_EQ(50u, LookupCacheName(LookupText(60, u'a')).size());
    EXPECT_EQ("ice_cream", WordNetQuery(u"Ice Cream"));
}

TEST(LookupText, FormatsTheOverviewAsMarkup)
{
    std::string overview = "\nThe noun dog has 2 senses (first 1 from tagged texts)\n"
                           "                                          \n"
                           "1. (42) dog, domestic dog -- (a member of the genus Canis; \"the dog barked\")\n"
                           "2. frump, dog -- (a dull unattractive girl)\n";
    EXPECT_EQ(
        "\r\n### NOUN: dog has 2 senses\r\n\r\n1. dog, domestic dog\r\n- a member of the genus Canis\r\n"
        "   \"the dog barked\"\r\n2. frump, dog\r\n- a dull unattractive girl\r\n",
        FormatWordNetOverview(overview));
    EXPECT_EQ("", FormatWordNetOverview(""));
}

TEST(LookupText, ReadsTranslationRepliesAndRefusesBrokenOnes)
{
    std::string t;
    EXPECT_TRUE(ParseTranslationReply("{\"responseData\": {\"translatedText\":\"dog\"}, \"x\": 1}", &t));
    EXPECT_EQ("dog", t);
    EXPECT_TRUE(ParseTranslationReply("{\"translatedText\":\"la \\u00e9t\\u00e9, \\\"chaud\\\"\"}", &t));
    EXPECT_EQ("la \xC3\xA9t\xC3\xA9, \"chaud\"", t);
    EXPECT_FALSE(ParseTranslationReply("{\"responseData\": {\"text\":\"dog\"}}", &t));          // no key
    EXPECT_FALSE(ParseTranslationReply("{\"responseData\": {\"translatedText\":\"dog\"", &t));  // cut short
    EXPECT_FALSE(ParseTranslationReply("{\"translatedText\":\"\"}", &t));
    EXPECT_FALSE(ParseTranslationReply("", &t));
}

TEST(LookupText, LanguageNamesGiveTheirIsoCodes)
{
    EXPECT_EQ("pl", LanguageCode("Polish"));
    EXPECT_EQ("et", LanguageCode("Estonian"));
    EXPECT_EQ("sw", LanguageCode("Swahili"));
    EXPECT_EQ("sv", LanguageCode("Swedish"));
    EXPECT_EQ("de", LanguageCode("German"));
    EXPECT_EQ("no", LanguageCode("Norwegian (Bokmal)"));
    EXPECT_EQ("pt", LanguageCode("pt"));  // a code as "lang:" gives it
    EXPECT_EQ("", LanguageCode("English"));
    EXPECT_EQ("", LanguageCode("en"));
    EXPECT_EQ("", LanguageCode("OFF"));
    EXPECT_EQ("", LanguageCode("Klingon"));
}

}  // namespace
