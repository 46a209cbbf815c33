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
    // The "lang:" word's code named for the translation's heading, and back.
    EXPECT_EQ("German", LanguageNameOfCode("de"));
    EXPECT_EQ("Norwegian", LanguageNameOfCode("NO"));
    EXPECT_EQ("xx", LanguageNameOfCode("xx"));
    EXPECT_EQ("de", LanguageCode(LanguageNameOfCode("de")));
}

std::string WordAt(const char16_t* line, size_t caret)
{
    LookupText text(line);
    WordSpan span = WordAtCaret(text, caret);
    LookupText word = text.substr(span.start, span.end - span.start);
    return std::string(word.begin(), word.end());  // ASCII in these cases
}

TEST(LookupText, TheWordAtTheCaret)
{
    EXPECT_EQ("flock", WordAt(u"A flock of geese", 4));  // inside
    EXPECT_EQ("flock", WordAt(u"A flock of geese", 2));  // at its start
    EXPECT_EQ("flock", WordAt(u"A flock of geese", 7));  // at its end
    EXPECT_EQ("geese", WordAt(u"A flock of geese", 16)); // the line's end
    EXPECT_EQ("", WordAt(u"of  geese", 3));             // between blanks
    EXPECT_EQ("well-known", WordAt(u"a well-known (fact)", 6));
    EXPECT_EQ("fact", WordAt(u"a well-known (fact).", 15));
    EXPECT_EQ("don't", WordAt(u"'don't'", 3));          // quotes around it are not part of it
    EXPECT_EQ("", WordAt(u"-- ", 1));
    EXPECT_EQ("", WordAt(u"", 0));
    EXPECT_EQ("end", WordAt(u"end", 99));               // a caret past the text counts as its end
    LookupText accented(u"caf\u00E9 cr\u00E8me");
    WordSpan span = WordAtCaret(accented, 7);
    EXPECT_EQ(5u, span.start);
    EXPECT_EQ(10u, span.end);
}

}  // namespace
