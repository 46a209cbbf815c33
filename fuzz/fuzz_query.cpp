// libFuzzer target for the full-text query parser: whatever is typed, the
// keyword table holds at most 9 keywords of 1 to 100 characters, each with a
// mode, or (for an odd number of quotes) nothing but the lone quote.
#include "fuzz/fuzz_text_input.h"
#include "search/query_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AIString query;
    TextFromBytes(data, size, query);
    SearchKeywordTable keywords;
    keywords.revision = 0;
    int parsed = ParseSearchQuery(query, keywords);
    FUZZ_CHECK(parsed == 0 || parsed == 1);
    FUZZ_CHECK(keywords.revision != 0);
    FUZZ_CHECK(keywords.count >= 0 && keywords.count <= kSearchMaxQueryKeywords);
    if (!parsed) {
        FUZZ_CHECK(keywords.count == 0);
        FUZZ_CHECK(keywords.text[0].EqualsText(L"\""));
        FUZZ_CHECK(CountDoubleQuotes(query) % 2 == 1);
        return 0;
    }
    for (int i = 0; i < kSearchKeywordEntries; i++) {
        int length = keywords.text[i].GetLength();
        if (i < keywords.count) {
            FUZZ_CHECK(length >= 1 && length <= kSearchKeywordMaxChars);
            FUZZ_CHECK(keywords.mode[i] >= kKeywordPlain && keywords.mode[i] <= kKeywordExcluded);
            // Every keyword is a piece of what was typed.
            FUZZ_CHECK(query.FindTextCase(keywords.text[i].GetText()) >= 0);
        } else {
            FUZZ_CHECK(length == 0);
        }
    }
    AIString collapsed(query);
    CollapseBlankPairs(collapsed);
    FUZZ_CHECK(collapsed.GetLength() <= query.GetLength());
    return 0;
}
