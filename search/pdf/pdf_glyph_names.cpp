// Glyph names to characters: the Adobe Glyph List's rules.
#include "search/pdf/pdf_glyph_names.h"
#include "search/pdf/pdf_bytes.h"
#include <string.h>

namespace {

bool IsCharacter(uint32_t v) { return v > 0 && v <= 0x10FFFF && (v < 0xD800 || v >= 0xE000); }

uint32_t ListedChar(const uint8_t* name, size_t length)
{
    size_t lo = 0, hi = kPdfGlyphNameCount;
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        const char* candidate = kPdfGlyphNames[mid].name;
        size_t n = strlen(candidate);
        int c = memcmp(candidate, name, n < length ? n : length);
        if (c == 0) c = n < length ? -1 : (n > length ? 1 : 0);
        if (c == 0) return kPdfGlyphNames[mid].ch;
        if (c < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return 0;
}

// The value of `count` hex digits, or -1 when one is not a hex digit.
int64_t HexNumber(const uint8_t* digits, size_t count)
{
    int64_t v = 0;
    for (size_t i = 0; i < count; i++) {
        int h = HexValue(digits[i]);
        if (h < 0) return -1;
        v = (v << 4) | h;
    }
    return v;
}

}  // namespace

uint32_t GlyphNameChar(const uint8_t* name, size_t length)
{
    const uint8_t* dot = static_cast<const uint8_t*>(memchr(name, '.', length));
    if (dot) length = size_t(dot - name);
    if (length == 0) return 0;
    if (uint32_t ch = ListedChar(name, length)) return ch;
    int64_t v = -1;
    if (length == 7 && memcmp(name, "uni", 3) == 0)
        v = HexNumber(name + 3, 4);
    else if (length >= 5 && length <= 7 && name[0] == 'u')
        v = HexNumber(name + 1, length - 1);
    return v >= 0 && IsCharacter(uint32_t(v)) ? uint32_t(v) : 0;
}
