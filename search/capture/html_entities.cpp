// HTML character references.
#include "search/capture/html_entities.h"
#include <string.h>

namespace {

struct Entity {
    const char* name;
    uint16_t ch;
};

// Sorted by name (byte order) for the binary search.
const Entity kEntities[] = {
    {"AElig", 0xC6},    {"Aacute", 0xC1},   {"Acirc", 0xC2},    {"Agrave", 0xC0}, {"Aring", 0xC5},
    {"Atilde", 0xC3},   {"Auml", 0xC4},     {"Ccedil", 0xC7},   {"ETH", 0xD0},    {"Eacute", 0xC9},
    {"Ecirc", 0xCA},    {"Egrave", 0xC8},   {"Euml", 0xCB},     {"Iacute", 0xCD}, {"Icirc", 0xCE},
    {"Igrave", 0xCC},   {"Iuml", 0xCF},     {"Ntilde", 0xD1},   {"Oacute", 0xD3}, {"Ocirc", 0xD4},
    {"Ograve", 0xD2},   {"Oslash", 0xD8},   {"Otilde", 0xD5},   {"Ouml", 0xD6},   {"Uacute", 0xDA},
    {"Ucirc", 0xDB},    {"Ugrave", 0xD9},   {"Uuml", 0xDC},     {"Yacute", 0xDD}, {"Yuml", 0x178},
    {"aacute", 0xE1},   {"acirc", 0xE2},    {"aelig", 0xE6},    {"agrave", 0xE0}, {"amp", '&'},
    {"apos", '\''},     {"aring", 0xE5},    {"atilde", 0xE3},   {"auml", 0xE4},   {"brvbar", 0xA6},
    {"bull", 0x2022},   {"ccedil", 0xE7},   {"cedil", 0xB8},    {"cent", 0xA2},   {"copy", 0xA9},
    {"deg", 0xB0},      {"eacute", 0xE9},   {"ecirc", 0xEA},    {"egrave", 0xE8}, {"eth", 0xF0},
    {"euml", 0xEB},     {"euro", 0x20AC},   {"frac12", 0xBD},   {"frac14", 0xBC}, {"frac34", 0xBE},
    {"gt", '>'},        {"hellip", 0x2026}, {"iacute", 0xED},   {"icirc", 0xEE},  {"iexcl", 0xA1},
    {"igrave", 0xEC},   {"iquest", 0xBF},   {"iuml", 0xEF},     {"laquo", 0xAB},  {"ldquo", '"'},
    {"lsaquo", 0x2039}, {"lsquo", '\''},    {"lt", '<'},        {"mdash", '-'},   {"micro", 0xB5},
    {"nbsp", ' '},      {"ndash", '-'},     {"ntilde", 0xF1},   {"oacute", 0xF3}, {"ocirc", 0xF4},
    {"ograve", 0xF2},   {"ordf", 0xAA},     {"ordm", 0xBA},     {"oslash", 0xF8}, {"otilde", 0xF5},
    {"ouml", 0xF6},     {"para", 0xB6},     {"permil", 0x2030}, {"plusmn", 0xB1}, {"pound", 0xA3},
    {"quot", '"'},      {"raquo", 0xBB},    {"rdquo", '"'},     {"reg", 0xAE},    {"rsaquo", 0x203A},
    {"rsquo", '\''},    {"sect", 0xA7},     {"sup1", 0xB9},     {"sup2", 0xB2},   {"sup3", 0xB3},
    {"szlig", 0xDF},    {"trade", 0x2122},  {"uacute", 0xFA},   {"ucirc", 0xFB},  {"ugrave", 0xF9},
    {"uuml", 0xFC},     {"yacute", 0xFD},   {"yen", 0xA5},      {"yuml", 0xFF},
};

const uint16_t kWindows1252[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

enum { kLongestEntityName = 8 };

int FindEntity(const char* name)
{
    int lo = 0, hi = int(sizeof(kEntities) / sizeof(kEntities[0]));
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        int c = strcmp(kEntities[mid].name, name);
        if (c == 0) return kEntities[mid].ch;
        if (c < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return -1;
}

// Reads a reference at text[at] == '&'; returns the characters consumed (0: none).
size_t ReadReference(const WebText& text, size_t at, uint32_t* ch)
{
    size_t i = at + 1;
    if (i < text.size() && text[i] == '#') {
        i++;
        bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
        if (hex) i++;
        uint32_t value = 0;
        size_t digits = 0;
        for (; i < text.size() && digits < 8; i++, digits++) {
            char16_t c = text[i];
            int d = c >= '0' && c <= '9'          ? c - '0'
                    : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                  : -1;
            if (d < 0) break;
            value = value * (hex ? 16 : 10) + uint32_t(d);
        }
        if (!digits) return 0;
        if (i < text.size() && text[i] == ';') i++;
        if (value >= 0x80 && value < 0xA0)
            value = kWindows1252[value - 0x80];
        else if (value == 0xA0)
            value = ' ';
        else if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            value = 0xFFFD;
        *ch = value;
        return i - at;
    }
    char name[kLongestEntityName + 1];
    size_t n = 0;
    while (i < text.size() && n < kLongestEntityName &&
           ((text[i] >= 'a' && text[i] <= 'z') || (text[i] >= 'A' && text[i] <= 'Z') ||
            (text[i] >= '0' && text[i] <= '9')))
        name[n++] = char(text[i++]);
    name[n] = 0;
    if (!n || i >= text.size() || text[i] != ';') return 0;
    int found = FindEntity(name);
    if (found < 0) return 0;
    *ch = uint32_t(found);
    return i + 1 - at;
}

}  // namespace

WebText DecodeHtmlEntities(const WebText& text)
{
    WebText out;
    out.reserve(text.size());
    bool inTarget = false;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == kMarkLink) inTarget = !inTarget;
        uint32_t ch;
        size_t used = text[i] == '&' && !inTarget ? ReadReference(text, i, &ch) : 0;
        if (used) {
            AppendPageChar(out, ch);
            i += used;
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

WebText DecodeTargetEntities(const WebText& href)
{
    WebText out;
    out.reserve(href.size());
    for (size_t i = 0; i < href.size();) {
        uint32_t ch;
        size_t used = href[i] == '&' ? ReadReference(href, i, &ch) : 0;
        if (used) {
            AppendTargetChar(out, ch);
            i += used;
        } else {
            AppendTargetChar(out, href[i++]);
        }
    }
    return out;
}
