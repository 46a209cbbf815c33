#include "search/query_parser.h"

void CollapseBlankPairs(AIString& text)
{
    text.ReplaceAll(L"  ", L" ", 1);
}

int CountDoubleQuotes(const AIString& text)
{
    int count = 0;
    for (int i = 0; i < text.GetLength(); i++)
        if (text.GetText()[i] == L'"') count++;
    return count;
}

static void ResetKeywords(SearchKeywordTable& keywords)
{
    for (int i = 0; i < kSearchKeywordEntries; i++) {
        keywords.text[i].Clear();
        keywords.mode[i] = kKeywordPlain;
    }
    keywords.count = 0;
    keywords.revision++;
}

// Splits the trimmed text into at most 9 raw keywords (some may be empty).
static int SplitKeywords(const AIString& trimmed, AIString* out)
{
    const WCHAR* p = trimmed.GetText();
    int n = trimmed.GetLength();
    int i = 0, count = 0;
    bool quoted = false;
    while (i < n && count < kSearchMaxQueryKeywords) {
        if (!quoted) {
            while (i < n && p[i] == L' ') i++;
            if (i >= n) break;
            if (p[i] == L'"') { quoted = true; i++; }
        }
        int start = i;
        WCHAR stop = quoted ? L'"' : L' ';
        while (i < n && p[i] != stop && i - start < kSearchKeywordMaxChars) i++;
        out[count++].AssignTextN(p + start, i - start);
        if (i - start == kSearchKeywordMaxChars) {
            // A full keyword ends here; one character is skipped and the rest
            // (still inside the quotes unless that was the closing one) follows.
            if (i < n) {
                if (quoted && p[i] == L'"') quoted = false;
                i++;
            }
        } else if (quoted) {
            quoted = false;
            if (i < n) i++;  // the closing quote
        }
    }
    return count;
}

int ParseSearchQuery(const AIString& query, SearchKeywordTable& keywords)
{
    ResetKeywords(keywords);
    if (CountDoubleQuotes(query) % 2 != 0) {
        keywords.text[0].AssignText(L"\"");
        return 0;
    }
    AIString trimmed(query);
    trimmed.Trim();
    AIString raw[kSearchMaxQueryKeywords];
    int rawCount = SplitKeywords(trimmed, raw);
    int count = 0;
    for (int i = 0; i < rawCount; i++) {
        int32_t mode = kKeywordPlain;
        WCHAR first = raw[i].CharAt(0);
        if (first == L'+') mode = kKeywordRequired;
        if (first == L'-') mode = kKeywordExcluded;
        if (mode != kKeywordPlain) raw[i].DeleteRange(0, 1);
        if (raw[i].IsEmpty()) continue;
        keywords.text[count].Copy(raw[i]);
        keywords.mode[count] = mode;
        count++;
    }
    keywords.count = count;
    return 1;
}
