// Font code maps: WinAnsi, glyph names and ToUnicode CMaps.
#include "search/pdf/pdf_font_map.h"
#include "search/pdf/pdf_bytes.h"
#include "search/pdf/pdf_glyph_names.h"
#include <algorithm>
#include <string.h>

namespace {

const uint16_t kWinAnsiHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
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

// The character of the glyph an encoding names for a code. A name that is
// not known stands for the code's own byte, as in a font without an
// encoding (bitmap fonts name their glyphs "a46", "x2D", "Bullet").
uint32_t EncodedGlyphChar(const uint8_t* name, size_t length, int code)
{
    if (uint32_t ch = GlyphNameChar(name, length)) return ch;
    bool none = length == 7 && memcmp(name, ".notdef", 7) == 0;
    return none ? 0 : WinAnsiChar(uint8_t(code));
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
            if (code >= 0 && code < 256) map->simple[code] = EncodedGlyphChar(name, size_t(p - name), code);
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
            uint32_t ch = EncodedGlyphChar(name, size_t(p - name), int(code));
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
