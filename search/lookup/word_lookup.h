// Word look-up in the WordNet dictionary and translation through a web
// service, for the preview pane's dictionary entries: the result is written
// to a cache file ("txt" folder of the program's temporary folder + the word
// + ".dict.txt", UTF-16) that the preview shows. The windows connect the hooks.
#pragma once
#include "foundation/ai_string.h"

struct WordLookupHooks {
    void (*showStatus)(const WCHAR* text, int level);
    // Shows the cache file in the preview pane as a dictionary entry.
    void (*showDictionaryEntry)(const WCHAR* cacheFile);
    // 1 while Shift is held: the cache is passed by and the word looked up again.
    int (*isShiftDown)();
    // 1 when the settings allow web access (the setting of web previews).
    int (*webAccessAllowed)();
};
void SetWordLookupHooks(const WordLookupHooks& hooks);

enum WordLookupMode {
    kLookupFindDictionaryOnly = -1,  // only find the dictionary folder (at start-up)
    kLookupWord = 0,                 // any other mode looks the word up too
};

enum {
    kTranslationTimeoutMs = 8000,
    kMaxTranslationReplyBytes = 20000,
};

// The translation service: the scheme, host and port to which the request's
// path "/ajax/services/language/translate" and its query are appended. The
// program's registry value of this name holds it; without it (or with an
// empty value) translation is off and look-ups show the dictionary alone.
extern const WCHAR kTranslationServiceValue[];
void GetTranslationService(AIString& address);
// The language to translate into: an English language name ("Polish") or a
// two-letter code; "OFF" or English turn translation off. Until it is set,
// the user interface's language counts. Taken at the next look-up.
void SetTranslationLanguage(const WCHAR* nameOrCode);
void SetTranslationTimeout(int milliseconds);

// Looks the word up (and translates it); the result goes to the cache file
// and the preview. -1 when no dictionary can be found; 0 for a word over 50
// characters or none left after cleaning; 1 otherwise (also when the word is
// not in the dictionary: the status line says so). With
// kLookupFindDictionaryOnly: 1 once the dictionary is found, else -1.
int LookUpWord(const WCHAR* word, int mode);

// The cache file's path of a word ("" when the word is empty after cleaning).
void GetLookupCachePath(const WCHAR* word, AIString& out);

// What became of a translation request.
enum TranslationOutcome {
    kTranslated = 1,           // a translation that differs from the text
    kTranslationNotAsked = 0,  // no language, no service, no network allowed, or no fitting text
    kTranslationSame = -1,     // the service gave the text back
    kTranslationUnreachable = -2,  // no connection to the service (no network, wrong address)
    kTranslationRefused = -3,  // the service answered with an error or without a translation
};

// Sends text to the translation service: fromEnglish 1 translates from
// English into the language, 0 into English. 1 with the translation in
// result when one came that differs from the text; `outcome` (may be null)
// tells what happened. Nothing is sent when the program was started with
// "nonetwork".
int FetchTranslation(const WCHAR* text, int fromEnglish, AIString& result, TranslationOutcome* outcome = nullptr);
