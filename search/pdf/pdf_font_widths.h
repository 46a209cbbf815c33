// How far each glyph of a font advances the text position: the font's
// /Widths (from /FirstChar, /MissingWidth beyond them), a composite font's
// /W and /DW, or a standard font's metrics. The text reader uses them to tell
// a gap between words from a jump inside a word.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <vector>

struct PdfWidthRange {
    uint32_t first;
    uint32_t last;
    float width;
};

struct PdfFontWidths {
    bool known = false;  // widths were found: positions after a show can be told
    float simple[256] = {};  // one-byte codes, thousandths of the font size
    std::vector<PdfWidthRange> ranges;  // two-byte codes, sorted by first code
    float defaultWidth = 1000;          // two-byte codes outside the ranges
};

enum { kPdfMaxWidthRanges = 65536 };

// /Widths [w0 w1 ...] for the codes from firstChar on; every other code
// takes `missing`. [array, end) starts after the "[".
void PdfWidthsReadSimple(PdfFontWidths* widths, const uint8_t* array, const uint8_t* end, int64_t firstChar,
                         float missing);
// /W [c [w ...] cFirst cLast w ...] with /DW; [array, end) starts after the "[".
void PdfWidthsReadComposite(PdfFontWidths* widths, const uint8_t* array, const uint8_t* end, float defaultWidth);
// A standard font named by /BaseFont (a subset prefix "ABCDEF+" and the
// common names of their metric twins allowed), each one-byte code measured
// by the character `chars` gives it; false when the name is not one of them.
bool PdfWidthsFromStandardFont(PdfFontWidths* widths, const uint8_t* name, size_t length,
                               const uint32_t chars[256]);
// The advance of a code in thousandths of the font size.
float PdfGlyphWidth(const PdfFontWidths& widths, int codeBytes, uint32_t code);
