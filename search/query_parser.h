// Turning the text of the full-text field into the keyword table: quoted
// phrases, "+" for required and "-" for excluded words, at most 9 keywords of
// at most 100 characters each.
#pragma once
#include "search/search_tables.h"

// Replaces each pair of blanks by one blank, in one pass from the left.
void CollapseBlankPairs(AIString& text);

// Number of double-quote characters in text.
int CountDoubleQuotes(const AIString& text);

// Fills keywords from query. An odd number of double quotes parses nothing:
// keyword 0 becomes a lone double quote, the count stays 0 and 0 is returned.
// Otherwise returns 1. Keywords that end up empty ("+", "-", "") are dropped,
// because an empty keyword matches everywhere and would never advance.
int ParseSearchQuery(const AIString& query, SearchKeywordTable& keywords);
