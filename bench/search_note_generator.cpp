#include "bench/search_note_generator.h"
#include <algorithm>
#include <stdio.h>

const WCHAR* const kRareWord = L"zebrafish";
const WCHAR* const kCommonWord = L"the";
const WCHAR* const kAbsentWord = L"qwxyzzq";
const WCHAR* const kMirrorOnlyWord = L"revised";
const WCHAR* const kEnglishAbsentWord = L"trenolid";

namespace {

// Real words first (the most frequent), then non-ASCII ones; the rest are made
// of syllables.
const WCHAR* const kFixedWords[] = {
    L"the", L"and", L"note", L"of", L"to", L"in", L"is", L"for", L"with", L"on",
    L"meeting", L"project", L"idea", L"list", L"draft", L"plan", L"today", L"call", L"todo", L"link",
    L"Straße", L"Übersicht", L"Größe", L"ÄRGER", L"façade", L"café", L"naïve", L"smørrebrød", L"Ørsted",
    L"Æblegrød", L"λόγος", L"ΣΟΦΙΑ", L"Москва", L"ПРИВЕТ", L"İstanbul", L"ﬁne", L"Kelvin\x212A",
    L"été", L"ÉTÉ", L"Ångström", L"mañana", L"ÇA", L"żółw", L"Łódź",
};
const int kFixedWordCount = sizeof(kFixedWords) / sizeof(kFixedWords[0]);
const char* const kSyllables[] = {"ka", "lo", "mi", "ne", "ro", "ta", "vu", "shi", "den", "par",
                                  "gor", "fel", "bri", "sto", "wen", "qua", "tir", "mon", "ex", "zu"};
const int kMadeWordCount = 3000;

// Common English words, the most frequent first.
const char* const kEnglishWords[] = {
    "the", "of", "and", "to", "a", "in", "is", "it", "you", "that", "he", "was", "for", "on", "are", "with",
    "as", "his", "they", "be", "at", "one", "have", "this", "from", "or", "had", "by", "word", "but", "what",
    "some", "we", "can", "out", "other", "were", "all", "there", "when", "up", "use", "your", "how", "said",
    "an", "each", "she", "which", "do", "their", "time", "if", "will", "way", "about", "many", "then", "them",
    "write", "would", "like", "so", "these", "her", "long", "make", "thing", "see", "him", "two", "has", "look",
    "more", "day", "could", "go", "come", "did", "number", "sound", "no", "most", "people", "my", "over",
    "know", "water", "than", "call", "first", "who", "may", "down", "side", "been", "now", "find", "any",
    "new", "work", "part", "take", "get", "place", "made", "live", "where", "after", "back", "little", "only",
    "round", "man", "year", "came", "show", "every", "good", "me", "give", "our", "under", "name", "very",
    "through", "just", "form", "sentence", "great", "think", "say", "help", "low", "line", "differ", "turn",
    "cause", "much", "mean", "before", "move", "right", "boy", "old", "too", "same", "tell", "does", "set",
    "three", "want", "air", "well", "also", "play", "small", "end", "put", "home", "read", "hand", "port",
    "large", "spell", "add", "even", "land", "here", "must", "big", "high", "such", "follow", "act", "why",
    "ask", "men", "change", "went", "light", "kind", "off", "need", "house", "picture", "try", "us", "again",
    "animal", "point", "mother", "world", "near", "build", "self", "earth", "father", "head", "stand", "own",
    "page", "should", "country", "found", "answer", "school", "grow", "study", "still", "learn", "plant",
    "cover", "food", "sun", "four", "between", "state", "keep", "eye", "never", "last", "let", "thought",
    "city", "tree", "cross", "farm", "hard", "start", "might", "story", "saw", "far", "sea", "draw", "left",
    "late", "run", "while", "press", "close", "night", "real", "life", "few", "north", "open", "seem",
    "together", "next", "white", "children", "begin", "got", "walk", "example", "ease", "paper", "group",
    "always", "music", "those", "both", "mark", "often", "letter", "until", "mile", "river", "car", "feet",
    "care", "second", "book", "carry", "took", "science", "eat", "room", "friend", "began", "idea", "fish",
    "mountain", "stop", "once", "base", "hear", "horse", "cut", "sure", "watch", "color", "face", "wood",
    "main", "enough", "plain", "girl", "usual", "young", "ready", "above", "ever", "red", "list", "though",
    "feel", "talk", "bird", "soon", "body", "dog", "family", "direct", "pose", "leave", "song", "measure",
    "door", "product", "black", "short", "numeral", "class", "wind", "question", "happen", "complete", "ship",
    "area", "half", "rock", "order", "fire", "south", "problem", "piece", "told", "knew", "pass", "since",
    "top", "whole", "king", "space", "heard", "best", "hour", "better", "true", "during", "hundred", "five",
    "remember", "step", "early", "hold", "west", "ground", "interest", "reach", "fast", "verb", "sing",
    "listen", "six", "table", "travel", "less", "morning", "ten", "simple", "several", "vowel", "toward",
    "war", "lay", "against", "pattern", "slow", "center", "love", "person", "money", "serve", "appear",
    "road", "map", "rain", "rule", "govern", "pull", "cold", "notice", "voice", "unit", "power", "town",
    "fine", "certain", "fly", "fall", "lead", "cry", "dark", "machine", "note", "wait", "plan", "figure",
    "star", "box", "noun", "field", "rest", "correct", "able", "pound", "done", "beauty", "drive", "stood",
    "contain", "front", "teach", "week", "final", "gave", "green", "oh", "quick", "develop", "ocean", "warm",
    "free", "minute", "strong", "special", "mind", "behind", "clear", "tail", "produce", "fact", "street",
    "inch", "multiply", "nothing", "course", "stay", "wheel", "full", "force", "blue", "object", "decide",
    "surface", "deep", "moon", "island", "foot", "system", "busy", "test", "record", "boat", "common", "gold",
    "possible", "plane", "stead", "dry", "wonder", "laugh", "thousand", "ago", "ran", "check", "game",
    "shape", "equate", "hot", "miss", "brought", "heat", "snow", "tire", "bring", "yes", "distant", "fill",
    "east", "paint", "language", "among", "jump", "joy", "jacket", "judge", "major", "object", "quiet",
    "quite", "queen", "square", "equal", "size", "zero", "zone", "lazy", "prize", "freeze", "amaze", "box",
    "six", "exact", "extra", "mix", "fox", "wax", "jazz", "fuzzy", "keyboard", "kitchen", "knife", "vivid",
    "visit", "value", "village", "view", "voyage", "yellow", "yard", "yesterday", "youth", "year",
};
const int kEnglishWordCount = sizeof(kEnglishWords) / sizeof(kEnglishWords[0]);

bool g_english = false;  // which vocabulary PickWord draws from, set by GenerateNotes

std::vector<std::vector<WCHAR>>& EnglishVocabulary()
{
    static std::vector<std::vector<WCHAR>> words;
    if (!words.empty()) return words;
    SearchRandom random(11);
    for (int i = 0; i < kEnglishWordCount; i++) {
        std::vector<WCHAR> word;
        for (const char* c = kEnglishWords[i]; *c; c++) word.push_back((WCHAR)*c);
        if (random.Below(12) == 0) word[0] = (WCHAR)(word[0] - 32);  // some capitalised
        words.push_back(word);
    }
    return words;
}

std::vector<std::vector<WCHAR>>& Vocabulary()
{
    static std::vector<std::vector<WCHAR>> words;
    if (!words.empty()) return words;
    for (int i = 0; i < kFixedWordCount; i++) {
        const WCHAR* w = kFixedWords[i];
        words.emplace_back(w, w + TextLength(w));
    }
    SearchRandom random(7);
    for (int i = 0; i < kMadeWordCount; i++) {
        std::vector<WCHAR> word;
        int syllables = 2 + random.Below(3);
        for (int s = 0; s < syllables; s++)
            for (const char* c = kSyllables[random.Below(20)]; *c; c++) word.push_back((WCHAR)*c);
        if (random.Below(10) == 0) word[0] = (WCHAR)(word[0] - 32);  // some capitalised
        words.push_back(word);
    }
    return words;
}

void Append(std::vector<WCHAR>& out, const WCHAR* text)
{
    out.insert(out.end(), text, text + TextLength(text));
}

void AppendAscii(std::vector<WCHAR>& out, const char* text)
{
    while (*text) out.push_back((WCHAR)*text++);
}

// Frequent words are chosen far more often than rare ones.
const std::vector<WCHAR>& PickWord(SearchRandom& random)
{
    const auto& words = g_english ? EnglishVocabulary() : Vocabulary();
    uint32_t r = random.Next() % 10000;
    size_t index = (size_t)((uint64_t)r * r * words.size() / 100000000ull);
    return words[index];
}

void AppendBody(std::vector<WCHAR>& out, SearchRandom& random, int chars, bool rare)
{
    size_t start = out.size();
    bool lineStart = true;
    int plantAt = rare ? random.Below(chars) : -1;
    while ((int)(out.size() - start) < chars) {
        if (lineStart) {
            int kind = random.Below(12);
            if (kind == 0) AppendAscii(out, "# ");
            else if (kind == 1) AppendAscii(out, "## ");
            else if (kind == 2) AppendAscii(out, "### ");
            else if (kind == 3) AppendAscii(out, "- ");
            lineStart = false;
        }
        if (plantAt >= 0 && (int)(out.size() - start) >= plantAt) {
            Append(out, kRareWord);
            plantAt = -1;
        } else {
            const auto& word = PickWord(random);
            int quote = random.Below(40);
            if (quote == 0) out.push_back(L'"');
            if (quote == 1) out.push_back(L'\'');
            out.insert(out.end(), word.begin(), word.end());
            if (quote == 0) out.push_back(L'"');
            if (quote == 1) out.push_back(L'\'');
        }
        int after = random.Below(30);
        if (after == 0) AppendAscii(out, ". ");
        else if (after == 1) AppendAscii(out, ", ");
        else if (after == 2) AppendAscii(out, ": ");
        else if (after == 3) out.push_back(L'_');
        else if (after == 4 || after == 5) { AppendAscii(out, "\r\n"); lineStart = true; }
        else out.push_back(L' ');
    }
}

void AppendLinkBlock(std::vector<WCHAR>& out, SearchRandom& random)
{
    AppendAscii(out, "\r\n{{\r\n");
    if (random.Below(4) == 0) AppendAscii(out, "[site\xB1 home:https://example.org/page]\r\n");
    AppendAscii(out, "}}\r\n");
}

}  // namespace

const WCHAR* GeneratedWord(int number)
{
    const auto& words = Vocabulary();
    static std::vector<WCHAR> held;
    held = words[(size_t)number % words.size()];
    held.push_back(0);
    return held.data();
}

int GeneratedWordCount() { return (int)Vocabulary().size(); }

void GenerateNotes(const NoteGeneratorOptions& options, std::vector<GeneratedNote>& notes)
{
    SearchRandom random(options.seed);
    g_english = options.english;
    notes.clear();
    notes.resize((size_t)options.noteCount);
    // Titles: a vocabulary word (ASCII part only), a number that keeps them
    // unique; ordered ignoring case as the data file requires.
    for (int i = 0; i < options.noteCount; i++) {
        char number[16];
        snprintf(number, sizeof number, "%06d", i);
        std::vector<WCHAR>& title = notes[(size_t)i].title;
        AppendAscii(title, number);
        title.push_back(L'_');
        for (WCHAR c : PickWord(random))
            if (c < 0x80 && title.size() < 30) title.push_back(c);
    }
    for (int i = 0; i < options.noteCount; i++) {
        GeneratedNote& note = notes[(size_t)i];
        bool rare = random.Below(1000) == 0;
        note.text.push_back(0x00A4);
        note.text.insert(note.text.end(), note.title.begin(), note.title.end());
        AppendAscii(note.text, "\r\n");
        int chars = options.bodyChars / 2 + random.Below(options.bodyChars + 1);
        if (random.Below(2) == 0) { Append(note.text, kCommonWord); note.text.push_back(L' '); }
        Append(note.text, L"draft ");
        AppendBody(note.text, random, chars, rare);
        AppendLinkBlock(note.text, random);
        if (random.Below(1000) < options.mirrorPerMille) {
            note.mirrorText = note.text;
            // The mirror text says "revised" where the data-file copy says "draft".
            static const WCHAR kDraft[] = L"draft";
            auto found = std::search(note.mirrorText.begin() + (long)note.title.size() + 1,
                                     note.mirrorText.end(), kDraft, kDraft + 5);
            if (found != note.mirrorText.end()) {
                size_t pos = (size_t)(found - note.mirrorText.begin());
                note.mirrorText.erase(found, found + 5);
                note.mirrorText.insert(note.mirrorText.begin() + (long)pos, kMirrorOnlyWord,
                                       kMirrorOnlyWord + TextLength(kMirrorOnlyWord));
            }
            note.mirrorText.push_back(0);
        }
    }
}
