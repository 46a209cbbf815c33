// Font code maps: WinAnsi, glyph names and ToUnicode CMaps.
#include "search/pdf/pdf_font_map.h"
#include "search/pdf/pdf_bytes.h"
#include <algorithm>
#include <string.h>

namespace {

const uint16_t kWinAnsiHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

struct GlyphName {
    const char* name;
    uint16_t ch;
};

// Names of the Latin, Greek and mathematical glyphs that real documents use;
// sorted (byte order) for the search.
const GlyphName kGlyphNames[] = {
    {"AE", 0xC6},
    {"Aacute", 0xC1},
    {"Acircumflex", 0xC2},
    {"Adieresis", 0xC4},
    {"Agrave", 0xC0},
    {"Alpha", 0x391},
    {"Alphatonos", 0x386},
    {"Aring", 0xC5},
    {"Atilde", 0xC3},
    {"Beta", 0x392},
    {"Ccedilla", 0xC7},
    {"Chi", 0x3A7},
    {"Delta", 0x394},
    {"Eacute", 0xC9},
    {"Ecircumflex", 0xCA},
    {"Edieresis", 0xCB},
    {"Egrave", 0xC8},
    {"Epsilon", 0x395},
    {"Epsilontonos", 0x388},
    {"Eta", 0x397},
    {"Etatonos", 0x389},
    {"Eth", 0xD0},
    {"Euro", 0x20AC},
    {"Gamma", 0x393},
    {"Iacute", 0xCD},
    {"Icircumflex", 0xCE},
    {"Idieresis", 0xCF},
    {"Igrave", 0xCC},
    {"Iota", 0x399},
    {"Iotadieresis", 0x3AA},
    {"Iotatonos", 0x38A},
    {"Kappa", 0x39A},
    {"Lambda", 0x39B},
    {"Lslash", 0x141},
    {"Mu", 0x39C},
    {"Ntilde", 0xD1},
    {"Nu", 0x39D},
    {"OE", 0x152},
    {"Oacute", 0xD3},
    {"Ocircumflex", 0xD4},
    {"Odieresis", 0xD6},
    {"Ograve", 0xD2},
    {"Omega", 0x3A9},
    {"Omegatonos", 0x38F},
    {"Omicron", 0x39F},
    {"Omicrontonos", 0x38C},
    {"Oslash", 0xD8},
    {"Otilde", 0xD5},
    {"Phi", 0x3A6},
    {"Pi", 0x3A0},
    {"Psi", 0x3A8},
    {"Rho", 0x3A1},
    {"Scaron", 0x160},
    {"Sigma", 0x3A3},
    {"Tau", 0x3A4},
    {"Theta", 0x398},
    {"Thorn", 0xDE},
    {"Uacute", 0xDA},
    {"Ucircumflex", 0xDB},
    {"Udieresis", 0xDC},
    {"Ugrave", 0xD9},
    {"Upsilon", 0x3A5},
    {"Upsilondieresis", 0x3AB},
    {"Upsilontonos", 0x38E},
    {"Xi", 0x39E},
    {"Yacute", 0xDD},
    {"Ydieresis", 0x178},
    {"Zcaron", 0x17D},
    {"Zeta", 0x396},
    {"aacute", 0xE1},
    {"acircumflex", 0xE2},
    {"acute", 0xB4},
    {"adieresis", 0xE4},
    {"ae", 0xE6},
    {"agrave", 0xE0},
    {"alpha", 0x3B1},
    {"alphatonos", 0x3AC},
    {"ampersand", '&'},
    {"angbracketleft", 0x27E8},
    {"angbracketright", 0x27E9},
    {"angleleft", 0x2329},
    {"angleright", 0x232A},
    {"anoteleia", 0x387},
    {"approxequal", 0x2248},
    {"aring", 0xE5},
    {"arrowboth", 0x2194},
    {"arrowdblboth", 0x21D4},
    {"arrowdblleft", 0x21D0},
    {"arrowdblright", 0x21D2},
    {"arrowdown", 0x2193},
    {"arrowleft", 0x2190},
    {"arrowright", 0x2192},
    {"arrowup", 0x2191},
    {"asciicircum", 0x5E},
    {"asciitilde", 0x7E},
    {"asterisk", '*'},
    {"asteriskmath", 0x2217},
    {"at", '@'},
    {"atilde", 0xE3},
    {"backslash", '\\'},
    {"bar", '|'},
    {"beta", 0x3B2},
    {"braceleft", '{'},
    {"braceright", '}'},
    {"bracketleft", '['},
    {"bracketright", ']'},
    {"breve", 0x2D8},
    {"brokenbar", 0xA6},
    {"bullet", 0x2022},
    {"caron", 0x2C7},
    {"ccedilla", 0xE7},
    {"cedilla", 0xB8},
    {"cent", 0xA2},
    {"chi", 0x3C7},
    {"circlemultiply", 0x2297},
    {"circleplus", 0x2295},
    {"circumflex", 0x2C6},
    {"colon", ':'},
    {"comma", ','},
    {"copyright", 0xA9},
    {"currency", 0xA4},
    {"dagger", 0x2020},
    {"daggerdbl", 0x2021},
    {"degree", 0xB0},
    {"delta", 0x3B4},
    {"dieresis", 0xA8},
    {"dieresistonos", 0x385},
    {"divide", 0xF7},
    {"dollar", '$'},
    {"dotaccent", 0x2D9},
    {"dotlessi", 0x131},
    {"dotmath", 0x22C5},
    {"eacute", 0xE9},
    {"ecircumflex", 0xEA},
    {"edieresis", 0xEB},
    {"egrave", 0xE8},
    {"eight", '8'},
    {"element", 0x2208},
    {"ellipsis", 0x2026},
    {"emdash", 0x2014},
    {"emptyset", 0x2205},
    {"endash", 0x2013},
    {"epsilon", 0x3B5},
    {"epsilontonos", 0x3AD},
    {"equal", '='},
    {"equivalence", 0x2261},
    {"eta", 0x3B7},
    {"etatonos", 0x3AE},
    {"eth", 0xF0},
    {"exclam", '!'},
    {"exclamdown", 0xA1},
    {"existential", 0x2203},
    {"f_f", 0xFB00},
    {"f_f_i", 0xFB03},
    {"f_f_l", 0xFB04},
    {"f_i", 0xFB01},
    {"f_l", 0xFB02},
    {"ff", 0xFB00},
    {"ffi", 0xFB03},
    {"ffl", 0xFB04},
    {"fi", 0xFB01},
    {"five", '5'},
    {"fl", 0xFB02},
    {"florin", 0x192},
    {"four", '4'},
    {"fraction", 0x2044},
    {"gamma", 0x3B3},
    {"germandbls", 0xDF},
    {"grave", 0x60},
    {"greater", '>'},
    {"greaterequal", 0x2265},
    {"guillemotleft", 0xAB},
    {"guillemotright", 0xBB},
    {"guilsinglleft", 0x2039},
    {"guilsinglright", 0x203A},
    {"hungarumlaut", 0x2DD},
    {"hyphen", '-'},
    {"iacute", 0xED},
    {"icircumflex", 0xEE},
    {"idieresis", 0xEF},
    {"igrave", 0xEC},
    {"infinity", 0x221E},
    {"integral", 0x222B},
    {"intersection", 0x2229},
    {"iota", 0x3B9},
    {"iotadieresis", 0x3CA},
    {"iotadieresistonos", 0x390},
    {"iotatonos", 0x3AF},
    {"kappa", 0x3BA},
    {"lambda", 0x3BB},
    {"less", '<'},
    {"lessequal", 0x2264},
    {"logicaland", 0x2227},
    {"logicalnot", 0xAC},
    {"logicalor", 0x2228},
    {"lslash", 0x142},
    {"macron", 0xAF},
    {"minus", 0x2212},
    {"mu", 0xB5},
    {"multiply", 0xD7},
    {"nabla", 0x2207},
    {"nine", '9'},
    {"notelement", 0x2209},
    {"notequal", 0x2260},
    {"ntilde", 0xF1},
    {"nu", 0x3BD},
    {"numbersign", '#'},
    {"oacute", 0xF3},
    {"ocircumflex", 0xF4},
    {"odieresis", 0xF6},
    {"oe", 0x153},
    {"ogonek", 0x2DB},
    {"ograve", 0xF2},
    {"omega", 0x3C9},
    {"omega1", 0x3D6},
    {"omegatonos", 0x3CE},
    {"omicron", 0x3BF},
    {"omicrontonos", 0x3CC},
    {"one", '1'},
    {"onehalf", 0xBD},
    {"onequarter", 0xBC},
    {"onesuperior", 0xB9},
    {"ordfeminine", 0xAA},
    {"ordmasculine", 0xBA},
    {"oslash", 0xF8},
    {"otilde", 0xF5},
    {"paragraph", 0xB6},
    {"parenleft", '('},
    {"parenright", ')'},
    {"partialdiff", 0x2202},
    {"percent", '%'},
    {"period", '.'},
    {"periodcentered", 0xB7},
    {"perpendicular", 0x22A5},
    {"perthousand", 0x2030},
    {"phi", 0x3C6},
    {"phi1", 0x3D5},
    {"pi", 0x3C0},
    {"plus", '+'},
    {"plusminus", 0xB1},
    {"prime", 0x2032},
    {"product", 0x220F},
    {"propersubset", 0x2282},
    {"propersuperset", 0x2283},
    {"proportional", 0x221D},
    {"psi", 0x3C8},
    {"question", '?'},
    {"questiondown", 0xBF},
    {"quotedbl", '"'},
    {"quotedblbase", 0x201E},
    {"quotedblleft", 0x201C},
    {"quotedblright", 0x201D},
    {"quoteleft", 0x2018},
    {"quoteright", 0x2019},
    {"quotesinglbase", 0x201A},
    {"quotesingle", '\''},
    {"radical", 0x221A},
    {"reflexsubset", 0x2286},
    {"reflexsuperset", 0x2287},
    {"registered", 0xAE},
    {"rho", 0x3C1},
    {"ring", 0x2DA},
    {"scaron", 0x161},
    {"section", 0xA7},
    {"semicolon", ';'},
    {"seven", '7'},
    {"sigma", 0x3C3},
    {"sigma1", 0x3C2},
    {"similar", 0x223C},
    {"six", '6'},
    {"slash", '/'},
    {"space", ' '},
    {"sterling", 0xA3},
    {"summation", 0x2211},
    {"tau", 0x3C4},
    {"theta", 0x3B8},
    {"theta1", 0x3D1},
    {"thorn", 0xFE},
    {"three", '3'},
    {"threequarters", 0xBE},
    {"threesuperior", 0xB3},
    {"tilde", 0x2DC},
    {"tonos", 0x384},
    {"trademark", 0x2122},
    {"two", '2'},
    {"twosuperior", 0xB2},
    {"uacute", 0xFA},
    {"ucircumflex", 0xFB},
    {"udieresis", 0xFC},
    {"ugrave", 0xF9},
    {"underscore", '_'},
    {"union", 0x222A},
    {"universal", 0x2200},
    {"upsilon", 0x3C5},
    {"upsilondieresis", 0x3CB},
    {"upsilondieresistonos", 0x3B0},
    {"upsilontonos", 0x3CD},
    {"visiblespace", 0x2423},
    {"xi", 0x3BE},
    {"yacute", 0xFD},
    {"ydieresis", 0xFF},
    {"yen", 0xA5},
    {"zcaron", 0x17E},
    {"zero", '0'},
    {"zeta", 0x3B6},
};

bool LessRun(const PdfCodeRun& a, const PdfCodeRun& b) { return a.code < b.code; }

// Reads one "<hex>" at p (after blanks); the bytes go into value (big-endian),
// their number into *bytes. Returns the position after ">" or null.
const uint8_t* ReadHexCode(const uint8_t* p, const uint8_t* end, uint32_t* value, int* bytes)
{
    while (p < end && IsPdfWhite(*p)) ++p;
    if (p >= end || *p != '<') return nullptr;
    ++p;
    uint32_t v = 0;
    int digits = 0;
    while (p < end && *p != '>') {
        int h = HexValue(*p++);
        if (h < 0) continue;
        if (digits < 8) v = (v << 4) | uint32_t(h);
        ++digits;
    }
    if (p >= end) return nullptr;
    *value = v;
    *bytes = (digits + 1) / 2;
    return p + 1;
}

// Reads a destination "<hex>" as UTF-16BE into map->chars; returns the
// position after it or null.
const uint8_t* ReadHexText(PdfFontMap* map, const uint8_t* p, const uint8_t* end, uint32_t* first,
                           uint32_t* count)
{
    while (p < end && IsPdfWhite(*p)) ++p;
    if (p >= end || *p != '<') return nullptr;
    ++p;
    *first = uint32_t(map->chars.size());
    uint32_t unit = 0;
    int digits = 0;
    uint32_t high = 0;
    while (p < end && *p != '>') {
        int h = HexValue(*p++);
        if (h < 0) continue;
        unit = (unit << 4) | uint32_t(h);
        if (++digits < 4) continue;
        if (unit >= 0xD800 && unit < 0xDC00) {
            high = unit;
        } else if (unit >= 0xDC00 && unit < 0xE000 && high) {
            map->chars.push_back(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
            high = 0;
        } else {
            map->chars.push_back(unit);
            high = 0;
        }
        unit = 0;
        digits = 0;
    }
    if (p >= end) return nullptr;
    *count = uint32_t(map->chars.size()) - *first;
    return p + 1;
}

void AddRun(PdfFontMap* map, uint32_t code, uint32_t first, uint32_t count)
{
    if (map->runs.size() >= kPdfMaxCodeRuns || count == 0) return;
    map->runs.push_back(PdfCodeRun{code, first, count});
}

}  // namespace

uint32_t WinAnsiChar(uint8_t byte)
{
    if (byte < 32) return 0;
    if (byte >= 0x80 && byte < 0xA0) return kWinAnsiHigh[byte - 0x80];
    return byte;
}

uint32_t GlyphNameChar(const uint8_t* name, size_t length)
{
    if (length == 1 && ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= 'A' && name[0] <= 'Z')))
        return name[0];
    if (length == 7 && memcmp(name, "uni", 3) == 0) {
        uint32_t v = 0;
        for (size_t i = 3; i < 7; i++) {
            int h = HexValue(name[i]);
            if (h < 0) return 0;
            v = (v << 4) | uint32_t(h);
        }
        return v;
    }
    size_t lo = 0, hi = sizeof(kGlyphNames) / sizeof(kGlyphNames[0]);
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        const char* candidate = kGlyphNames[mid].name;
        size_t n = strlen(candidate);
        int c = memcmp(candidate, name, n < length ? n : length);
        if (c == 0) c = n < length ? -1 : (n > length ? 1 : 0);
        if (c == 0) return kGlyphNames[mid].ch;
        if (c < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return 0;
}

uint32_t ComposeAccent(uint32_t accent, uint32_t base)
{
    struct AccentRow {
        uint32_t accent;
        const char* bases;
        const char16_t* composed;
    };
    static const AccentRow kRows[] = {
        {0x00B4, "aeiouyAEIOUY", u"áéíóúýÁÉÍÓÚÝ"},
        {0x0060, "aeiouAEIOU", u"àèìòùÀÈÌÒÙ"},
        {0x02C6, "aeiouAEIOU", u"âêîôûÂÊÎÔÛ"},
        {0x005E, "aeiouAEIOU", u"âêîôûÂÊÎÔÛ"},
        {0x00A8, "aeiouyAEIOU", u"äëïöüÿÄËÏÖÜ"},
        {0x02DC, "anoANO", u"ãñõÃÑÕ"},
        {0x007E, "anoANO", u"ãñõÃÑÕ"},
        {0x00B8, "cC", u"çÇ"},
        {0x02DA, "aA", u"åÅ"},
    };
    if (base == 0x131) base = 'i';
    if (base > 127) return 0;
    for (const AccentRow& row : kRows) {
        if (row.accent != accent) continue;
        const char* at = strchr(row.bases, int(base));
        return at && base ? row.composed[at - row.bases] : 0;
    }
    return 0;
}

void PdfFontMapInitSimple(PdfFontMap* map)
{
    map->codeBytes = 1;
    map->known = true;
    map->runs.clear();
    map->chars.clear();
    for (int i = 0; i < 256; i++) map->simple[i] = WinAnsiChar(uint8_t(i));
}

void PdfFontMapApplyDifferences(PdfFontMap* map, const uint8_t* p, const uint8_t* end)
{
    int code = 0;
    while (p < end && *p != ']') {
        if (*p == '/') {
            const uint8_t* name = ++p;
            while (p < end && IsPdfRegular(*p)) ++p;
            if (code >= 0 && code < 256) map->simple[code] = GlyphNameChar(name, size_t(p - name));
            ++code;
            continue;
        }
        double v;
        const uint8_t* next;
        if (ParsePdfNumber(p, end, &v, &next)) {
            code = v >= 0 && v < 256 ? int(v) : -1;
            p = next;
            continue;
        }
        ++p;
    }
}

void PdfFontMapApplyType1Encoding(PdfFontMap* map, const uint8_t* program, size_t size)
{
    // The clear-text part ends where the enciphered one begins.
    int64_t eexec = FindBytes(program, size, "eexec");
    const uint8_t* end = program + (eexec < 0 ? size : size_t(eexec));
    int64_t at = FindBytes(program, size_t(end - program), "/Encoding");
    if (at < 0) return;
    const uint8_t* p = program + at + 9;
    while (p < end) {
        int64_t dup = FindBytes(p, size_t(end - p), "dup ");
        if (dup < 0) break;
        p += dup + 4;
        double code;
        const uint8_t* next;
        if (!ParsePdfNumber(p, end, &code, &next)) continue;
        p = next;
        while (p < end && IsPdfWhite(*p)) ++p;
        if (p >= end || *p != '/') continue;
        const uint8_t* name = ++p;
        while (p < end && IsPdfRegular(*p)) ++p;
        if (code >= 0 && code < 256) {
            uint32_t ch = GlyphNameChar(name, size_t(p - name));
            if (ch) map->simple[int(code)] = ch;
        }
    }
}

void PdfFontMapReadCmap(PdfFontMap* map, const uint8_t* cmap, size_t size)
{
    const uint8_t* end = cmap + size;
    const uint8_t* p = cmap;
    int64_t at = FindBytes(cmap, size, "begincodespacerange");
    if (at >= 0) {
        uint32_t lo;
        int bytes;
        if (ReadHexCode(cmap + at + 19, end, &lo, &bytes)) map->codeBytes = bytes >= 2 ? 2 : 1;
    }
    while (p < end) {
        int64_t charAt = FindBytes(p, size_t(end - p), "beginbfchar");
        int64_t rangeAt = FindBytes(p, size_t(end - p), "beginbfrange");
        if (charAt < 0 && rangeAt < 0) break;
        bool isRange = charAt < 0 || (rangeAt >= 0 && rangeAt < charAt);
        p += isRange ? rangeAt + 12 : charAt + 11;
        const char* stop = isRange ? "endbfrange" : "endbfchar";
        int64_t stopAt = FindBytes(p, size_t(end - p), stop);
        const uint8_t* sectionEnd = stopAt < 0 ? end : p + stopAt;
        while (p < sectionEnd) {
            uint32_t code, last = 0, first, count;
            int bytes;
            const uint8_t* q = ReadHexCode(p, sectionEnd, &code, &bytes);
            if (!q) break;
            if (isRange) {
                q = ReadHexCode(q, sectionEnd, &last, &bytes);
                if (!q) break;
                while (q < sectionEnd && IsPdfWhite(*q)) ++q;
                if (q < sectionEnd && *q == '[') {
                    ++q;
                    for (uint32_t c = code; c <= last && q; c++) {
                        q = ReadHexText(map, q, sectionEnd, &first, &count);
                        if (q) AddRun(map, c, first, count);
                    }
                    while (q && q < sectionEnd && *q != ']') ++q;
                    p = q ? q + 1 : sectionEnd;
                    continue;
                }
                q = ReadHexText(map, q, sectionEnd, &first, &count);
                if (!q) break;
                if (last < code || last - code > kPdfMaxCodeRuns) last = code;
                for (uint32_t c = code; c <= last && count && map->runs.size() < kPdfMaxCodeRuns; c++) {
                    uint32_t at2 = uint32_t(map->chars.size());
                    for (uint32_t i = 0; i < count; i++) {
                        uint32_t ch = map->chars[first + i];
                        map->chars.push_back(ch);
                    }
                    map->chars[at2 + count - 1] += c - code;  // the last character counts up along the range
                    AddRun(map, c, at2, count);
                }
            } else {
                q = ReadHexText(map, q, sectionEnd, &first, &count);
                if (!q) break;
                AddRun(map, code, first, count);
            }
            p = q;
        }
        p = sectionEnd;
    }
    std::stable_sort(map->runs.begin(), map->runs.end(), LessRun);
}

const uint32_t* PdfFontMapLookup(const PdfFontMap& map, uint32_t code, uint32_t* count, uint32_t* single)
{
    if (!map.runs.empty()) {
        PdfCodeRun key{code, 0, 0};
        auto it = std::upper_bound(map.runs.begin(), map.runs.end(), key, LessRun);
        if (it != map.runs.begin()) {
            --it;
            if (it->code == code) {
                *count = it->count;
                return map.chars.data() + it->first;
            }
        }
    }
    if (map.codeBytes == 2 && (map.cids || map.unicodeCodes)) {
        *single = map.unicodeCodes ? code : PdfCidChar(*map.cids, code);
        if (*single == 0 || (*single >= 0xD800 && *single < 0xE000)) return nullptr;
        *count = 1;
        return single;
    }
    if (map.codeBytes == 1 && map.known && code < 256 && map.simple[code]) {
        *single = map.simple[code];
        *count = 1;
        return single;
    }
    return nullptr;
}
