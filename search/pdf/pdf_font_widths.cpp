// Glyph widths of PDF fonts: their own tables or the standard fonts' metrics.
#include "search/pdf/pdf_font_widths.h"
#include "search/pdf/pdf_bytes.h"
#include "search/pdf/pdf_font_map.h"
#include "search/pdf/pdf_objects.h"
#include "search/pdf/pdf_standard_widths.h"
#include <algorithm>
#include <string.h>

namespace {

const float kCourierWidth = 600;

// The next number of an array (blanks and comments skipped); false at its end
// or at anything that is not a number.
bool NextNumber(const uint8_t*& p, const uint8_t* end, double* value)
{
    p = PdfSkipWhite(p, end);
    const uint8_t* next;
    if (p >= end || !ParsePdfNumber(p, end, value, &next)) return false;
    p = next;
    return true;
}

bool Contains(const uint8_t* name, size_t length, const char* part)
{
    size_t n = strlen(part);
    for (size_t i = 0; i + n <= length; i++)
        if (memcmp(name + i, part, n) == 0) return true;
    return false;
}

bool StartsWith(const uint8_t* name, size_t length, const char* prefix)
{
    size_t n = strlen(prefix);
    return length >= n && memcmp(name, prefix, n) == 0;
}

// The standard font a base font name stands for, or null; *courier when it
// is one of the fixed-width ones.
const uint16_t* StandardWidths(const uint8_t* name, size_t length, bool* courier)
{
    *courier = false;
    const uint8_t* plus = static_cast<const uint8_t*>(memchr(name, '+', length));
    if (plus && plus - name == 6) {  // a subset's tag
        length -= 7;
        name = plus + 1;
    }
    bool bold = Contains(name, length, "Bold");
    bool italic = Contains(name, length, "Italic") || Contains(name, length, "Oblique");
    const char* family = nullptr;
    if (StartsWith(name, length, "Courier")) {
        *courier = true;
        return nullptr;
    }
    if (StartsWith(name, length, "Helvetica") || StartsWith(name, length, "Arial")) family = "Helvetica";
    else if (StartsWith(name, length, "Times")) family = "Times";
    if (!family) return nullptr;
    const char* style;
    if (family[0] == 'H') style = bold ? (italic ? "Helvetica-BoldOblique" : "Helvetica-Bold")
                                       : (italic ? "Helvetica-Oblique" : "Helvetica");
    else style = bold ? (italic ? "Times-BoldItalic" : "Times-Bold") : (italic ? "Times-Italic" : "Times-Roman");
    for (size_t i = 0; i < kPdfStandardFontCount; i++)
        if (strcmp(kPdfStandardFonts[i].name, style) == 0) return kPdfStandardFonts[i].widths;
    return nullptr;
}

}  // namespace

void PdfWidthsReadSimple(PdfFontWidths* widths, const uint8_t* array, const uint8_t* end, int64_t firstChar,
                         float missing)
{
    for (float& w : widths->simple) w = missing;
    const uint8_t* p = array;
    double value;
    for (int64_t code = firstChar; NextNumber(p, end, &value); code++)
        if (code >= 0 && code < 256) widths->simple[code] = float(value);
    widths->known = true;
}

// Codes are two bytes: a number beyond is no code (and no 32-bit number).
const double kMaxTwoByteCode = 0xFFFF;

void PdfWidthsReadComposite(PdfFontWidths* widths, const uint8_t* array, const uint8_t* end, float defaultWidth)
{
    widths->defaultWidth = defaultWidth;
    widths->ranges.clear();
    const uint8_t* p = array;
    double first, last, width;
    while (widths->ranges.size() < kPdfMaxWidthRanges && NextNumber(p, end, &first)) {
        p = PdfSkipWhite(p, end);
        if (p < end && *p == '[') {
            // c [w0 w1 ...]: consecutive codes from c
            const uint8_t* close = PdfSkipContainer(p, end);
            const uint8_t* q = p + 1;
            for (double code = first; code <= kMaxTwoByteCode && widths->ranges.size() < kPdfMaxWidthRanges &&
                                      NextNumber(q, close, &width);
                 code++)
                if (code >= 0) widths->ranges.push_back(PdfWidthRange{uint32_t(code), uint32_t(code), float(width)});
            p = close;
            continue;
        }
        if (!NextNumber(p, end, &last) || !NextNumber(p, end, &width)) break;
        if (first >= 0 && last >= first && first <= kMaxTwoByteCode)
            widths->ranges.push_back(
                PdfWidthRange{uint32_t(first), uint32_t(last < kMaxTwoByteCode ? last : kMaxTwoByteCode), float(width)});
    }
    std::stable_sort(widths->ranges.begin(), widths->ranges.end(),
                     [](const PdfWidthRange& a, const PdfWidthRange& b) { return a.first < b.first; });
    widths->known = true;
}

bool PdfWidthsFromStandardFont(PdfFontWidths* widths, const uint8_t* name, size_t length, const uint32_t chars[256])
{
    bool courier;
    const uint16_t* table = StandardWidths(name, length, &courier);
    if (!table && !courier) return false;
    for (int code = 0; code < 256; code++) {
        float w = courier ? kCourierWidth : 0;
        if (!courier && chars[code]) {
            w = table[0];  // a character outside WinAnsi: as wide as a space
            for (int b = 32; b < 256; b++) {
                if (WinAnsiChar(uint8_t(b)) == chars[code]) {
                    w = table[b - 32];
                    break;
                }
            }
        }
        widths->simple[code] = w;
    }
    widths->known = true;
    return true;
}

float PdfGlyphWidth(const PdfFontWidths& widths, int codeBytes, uint32_t code)
{
    if (codeBytes == 1) return code < 256 ? widths.simple[code] : 0;
    auto after = std::upper_bound(widths.ranges.begin(), widths.ranges.end(), code,
                                  [](uint32_t c, const PdfWidthRange& r) { return c < r.first; });
    if (after != widths.ranges.begin() && code <= (after - 1)->last) return (after - 1)->width;
    return widths.defaultWidth;
}
