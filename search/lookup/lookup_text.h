// The text side of word look-up and translation, pure functions: the word
// cleaned for the dictionary, the name of its cache file, WordNet's overview
// turned into note mark-up, the translation reply read, and the language
// names of the user interface mapped to ISO 639-1 codes.
#pragma once
#include <stddef.h>
#include <string>

typedef std::u16string LookupText;

enum {
    kMaxLookupChars = 50,        // a longer word is no word
    kMaxTranslationChars = 500,  // a longer text is not sent
};

// Trimmed, without the characters that are no part of a word (CR, LF, TAB
// and "½¤{}[]#!@£$*?=/.;:<>+|%&€±'\",()\\"; "-" stays).
LookupText CleanLookupWord(const LookupText& word);
bool IsMultiWord(const LookupText& cleaned);
// The cache file's name (without ".dict.txt"): the word cut to 50
// characters, "multi-word-translation" for a text with a blank, a device name
// ("con", "nul", "aux", "prn", "com1".."com9", "lpt1".."lpt9") given a "_",
// and empty for an empty word (nothing is looked up).
LookupText LookupCacheName(const LookupText& cleaned);

// The word as WordNet wants it: lower case, blanks as "_", UTF-8.
std::string WordNetQuery(const LookupText& cleaned);

// One part of speech's overview ("The noun dog has 7 senses ...") as note
// mark-up: a "### NOUN:" heading, one line per sense, examples indented, the
// sense counts and tag-count notes removed.
std::string FormatWordNetOverview(const std::string& overview);

// The translation in a service's reply: the text after the first ":" that
// follows "translatedText", up to the next "}" (or "," outside quotes),
// without quotes, "\uXXXX" and "\"" escapes decoded. False when the key or
// the closing "}" is missing or the text is empty.
bool ParseTranslationReply(const std::string& reply, std::string* translation);

// The ISO 639-1 code of a language's English name ("Polish" gives "pl"); a
// two-letter name is taken as the code itself; empty for English, "OFF" and
// names not in the table.
std::string LanguageCode(const std::string& englishName);
// The English name of a two-letter code ("de" gives "German"), as the
// translation's heading shows it; a code not in the table is given back as
// it is.
std::string LanguageNameOfCode(const std::string& code);

// The word the caret stands in or at the end of, in a line of text: the
// stretch around `caret` of characters that are no blank, no control
// character and none of the punctuation that ends a word ('-' and the
// apostrophe belong to it). Empty (start == end) when the caret stands
// between blanks or punctuation.
struct WordSpan {
    size_t start;
    size_t end;
};
WordSpan WordAtCaret(const LookupText& line, size_t caret);
