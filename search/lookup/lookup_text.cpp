// Word look-up and translation: the text side.
#include "search/lookup/lookup_text.h"
#include <string.h>

namespace {

const char16_t kNotWordChars[] = u"\u00BD\u00A4{}[]#!@\u00A3$*?=/.;:<>+|%&\u20AC\u00B1'\",()\\\r\n\t";

struct Language {
    const char* name;
    const char* code;
};

// English names of languages as the system gives them, and their codes.
const Language kLanguages[] = {
    {"afrikaans", "af"},  {"albanian", "sq"},   {"arabic", "ar"},     {"basque", "eu"},
    {"belarusian", "be"}, {"bulgarian", "bg"},  {"catalan", "ca"},    {"chinese", "zh"},
    {"croatian", "hr"},   {"czech", "cs"},      {"danish", "da"},     {"dutch", "nl"},
    {"estonian", "et"},   {"finnish", "fi"},    {"french", "fr"},     {"galician", "gl"},
    {"german", "de"},     {"greek", "el"},      {"hebrew", "he"},     {"hindi", "hi"},
    {"hungarian", "hu"},  {"icelandic", "is"},  {"indonesian", "id"}, {"irish", "ga"},
    {"italian", "it"},    {"japanese", "ja"},   {"korean", "ko"},     {"latvian", "lv"},
    {"lithuanian", "lt"}, {"macedonian", "mk"}, {"malay", "ms"},      {"maltese", "mt"},
    {"norwegian", "no"},  {"persian", "fa"},    {"polish", "pl"},     {"portuguese", "pt"},
    {"romanian", "ro"},   {"russian", "ru"},    {"serbian", "sr"},    {"slovak", "sk"},
    {"slovenian", "sl"},  {"spanish", "es"},    {"swahili", "sw"},    {"swedish", "sv"},
    {"thai", "th"},       {"turkish", "tr"},    {"ukrainian", "uk"},  {"vietnamese", "vi"},
    {"welsh", "cy"},
};

const char* const kDeviceNames[] = {"con", "nul", "aux", "prn", "clock$"};

char16_t Lower(char16_t c) { return c >= 'A' && c <= 'Z' ? char16_t(c + 32) : c; }

bool IsDeviceName(const LookupText& name)
{
    LookupText lower;
    for (char16_t c : name) lower.push_back(Lower(c));
    for (const char* device : kDeviceNames)
        if (lower == LookupText(device, device + strlen(device))) return true;
    return lower.size() == 4 && (lower.compare(0, 3, u"com") == 0 || lower.compare(0, 3, u"lpt") == 0) &&
           lower[3] >= '1' && lower[3] <= '9';
}

void ReplaceAll(std::string& text, const char* find, const char* with)
{
    std::string out;
    size_t n = strlen(find), at = 0;
    for (;;) {
        size_t hit = text.find(find, at);
        if (hit == std::string::npos) break;
        out.append(text, at, hit - at);
        out += with;
        at = hit + n;
    }
    out.append(text, at, std::string::npos);
    text.swap(out);
}

void AppendUtf8(std::string& out, uint32_t ch)
{
    if (ch < 0x80) {
        out.push_back(char(ch));
    } else if (ch < 0x800) {
        out.push_back(char(0xC0 | (ch >> 6)));
        out.push_back(char(0x80 | (ch & 0x3F)));
    } else {
        out.push_back(char(0xE0 | (ch >> 12)));
        out.push_back(char(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(char(0x80 | (ch & 0x3F)));
    }
}

}  // namespace

LookupText CleanLookupWord(const LookupText& word)
{
    LookupText out;
    for (char16_t c : word) {
        bool drop = false;
        for (const char16_t* p = kNotWordChars; *p; p++) drop = drop || *p == c;
        if (!drop) out.push_back(c);
    }
    size_t a = 0, b = out.size();
    while (a < b && out[a] == ' ') a++;
    while (b > a && out[b - 1] == ' ') b--;
    return out.substr(a, b - a);
}

bool IsMultiWord(const LookupText& cleaned) { return cleaned.find(u' ') != LookupText::npos; }

LookupText LookupCacheName(const LookupText& cleaned)
{
    if (cleaned.empty()) return LookupText();
    if (IsMultiWord(cleaned)) return u"multi-word-translation";
    LookupText name = cleaned.substr(0, kMaxLookupChars);
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    if (name.empty() || IsDeviceName(name)) name += u"_";
    return name;
}

std::string WordNetQuery(const LookupText& cleaned)
{
    std::string out;
    for (char16_t c : cleaned) AppendUtf8(out, c == ' ' ? '_' : Lower(c));
    return out;
}

std::string FormatWordNetOverview(const std::string& overview)
{
    size_t start = overview.find("The ");
    if (start == std::string::npos) return std::string();
    std::string text = overview.substr(start);
    ReplaceAll(text, "The noun", "\n### NOUN:");
    ReplaceAll(text, "The verb", "\n### VERB:");
    ReplaceAll(text, "The adj", "\n### ADJECTIVE:");
    ReplaceAll(text, "The adv", "\n### ADVERB:");
    size_t tagged = text.find("from tagged texts)");
    size_t open = tagged == std::string::npos ? std::string::npos : text.rfind('(', tagged);
    if (open != std::string::npos) text.erase(open, tagged + 18 - open);
    ReplaceAll(text, "-- (", "\n- ");
    ReplaceAll(text, "; \"", "\n   \"");
    ReplaceAll(text, ")\n", "\n");
    // The sense counts "(42) " come from the tag counts: no use to a reader.
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '(' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9') {
            size_t close = i + 1;
            while (close < text.size() && text[close] >= '0' && text[close] <= '9') close++;
            if (close + 1 < text.size() && text[close] == ')' && text[close + 1] == ' ') {
                i = close + 1;
                continue;
            }
        }
        if (text[i] == '\n') {
            while (!out.empty() && out.back() == ' ') out.pop_back();
            out += "\r\n";
            while (i + 1 < text.size() && text[i + 1] == ' ' && (i + 2 >= text.size() || text[i + 2] != ' '))
                i++;
            continue;
        }
        if (text[i] != '\r') out.push_back(text[i]);
    }
    while (out.size() >= 4 && out.compare(out.size() - 4, 4, "\r\n\r\n") == 0) out.resize(out.size() - 2);
    return out;
}

bool ParseTranslationReply(const std::string& reply, std::string* translation)
{
    size_t key = reply.find("translatedText");
    if (key == std::string::npos) return false;
    size_t colon = reply.find(':', key);
    size_t close = reply.find('}', key);
    if (colon == std::string::npos || close == std::string::npos || colon > close) return false;
    std::string out;
    bool quoted = false;
    for (size_t i = colon + 1; i < close; i++) {
        char c = reply[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (c == ',' && !quoted) break;
        if (c == '\\' && i + 1 < close) {
            char e = reply[++i];
            if (e == 'u' && i + 4 < close) {
                uint32_t v = 0;
                bool ok = true;
                for (int k = 1; k <= 4; k++) {
                    char h = reply[i + k];
                    int d = h >= '0' && h <= '9'   ? h - '0'
                            : h >= 'a' && h <= 'f' ? h - 'a' + 10
                            : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                   : -1;
                    ok = ok && d >= 0;
                    v = v * 16 + uint32_t(d < 0 ? 0 : d);
                }
                if (ok && (v < 0xD800 || v > 0xDFFF) && v >= 32) AppendUtf8(out, v);
                i += 4;
                continue;
            }
            c = e == 'n' ? ' ' : e;
        }
        if (uint8_t(c) >= 32) out.push_back(c);
    }
    size_t a = 0, b = out.size();
    while (a < b && out[a] == ' ') a++;
    while (b > a && out[b - 1] == ' ') b--;
    *translation = out.substr(a, b - a);
    return !translation->empty();
}

std::string LanguageCode(const std::string& englishName)
{
    std::string lower;
    for (char c : englishName) lower.push_back(c >= 'A' && c <= 'Z' ? char(c + 32) : c);
    size_t blank = lower.find_first_of(" (");
    if (blank != std::string::npos) lower.resize(blank);  // "Norwegian (Bokmal)"
    if (lower.size() == 2 && lower[0] >= 'a' && lower[0] <= 'z' && lower[1] >= 'a' && lower[1] <= 'z')
        return lower == "en" ? std::string() : lower;
    for (const Language& language : kLanguages)
        if (lower == language.name) return language.code;
    return std::string();
}

std::string LanguageNameOfCode(const std::string& code)
{
    std::string lower;
    for (char c : code) lower.push_back(c >= 'A' && c <= 'Z' ? char(c + 32) : c);
    for (const Language& language : kLanguages)
        if (lower == language.code) {
            std::string name(language.name);
            name[0] = char(name[0] - 32);
            return name;
        }
    return code;
}

namespace {

bool IsWordChar(char16_t c)
{
    if (c <= 32 || c == 0x7F || c == 0xA0 || (c >= 0x2000 && c <= 0x200B) || c == 0x3000) return false;
    static const char16_t kEnds[] = u".,;:!?()[]{}<>\"/\\|=+*&%$#@~^`\u00A4\u00B1\u2026\u201C\u201D\u00AB\u00BB";
    for (const char16_t* p = kEnds; *p; p++)
        if (c == *p) return false;
    return true;
}

}  // namespace

WordSpan WordAtCaret(const LookupText& line, size_t caret)
{
    if (caret > line.size()) caret = line.size();
    size_t start = caret, end = caret;
    while (start > 0 && IsWordChar(line[start - 1])) start--;
    while (end < line.size() && IsWordChar(line[end])) end++;
    // Hyphens and apostrophes at the word's edges are no part of it.
    while (start < end && (line[start] == u'-' || line[start] == u'\'')) start++;
    while (end > start && (line[end - 1] == u'-' || line[end - 1] == u'\'')) end--;
    if (start == end) start = end = caret;
    return WordSpan{start, end};
}
