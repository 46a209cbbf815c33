// The bridge to the WordNet library (in the Winelib build compiled by the host
// compiler: the library's data folder is found through WNSEARCHDIR, which only
// the host C library's setenv reaches). Plain types only.
#pragma once
#include <string>

enum WordNetPart { kWordNetNoun = 1, kWordNetVerb = 2, kWordNetAdjective = 3, kWordNetAdverb = 4 };

// Opens the dictionary in folder (a host path; empty: the library's own
// default). 1 when its files were found.
int WordNetOpen(const char* folder);
// The overview of every sense of word as one part of speech, copied out of
// the library's buffer; empty when the word is not in the dictionary.
std::string WordNetOverview(const std::string& word, int part);
// The base form of an inflected word ("geese" gives "goose"); part 0 tries
// every part of speech. Empty when there is none.
std::string WordNetBaseForm(const std::string& word, int part);
