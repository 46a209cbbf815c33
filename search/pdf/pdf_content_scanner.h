// The one-pass scanner over a page's content stream: it follows the text
// operators (BT/ET, Tf, Td, TD, Tm, T*, TL, Tj, TJ, ', ") and writes the
// shown strings as UTF-8 through their font's code map. Line breaks come
// from the text position: a show on another line starts a new line, a jump
// along the same line past the end of the glyphs before it (by the fonts'
// widths and the text's spacings) and a TJ gap wider than 0.09 of the font
// size give a blank (kerning inside words stays below it). A spacing accent drawn
// before its letter is joined with it into one character. Inline images are stepped over. Operands are kept as ranges of the
// stream, so the scanner allocates nothing.
#pragma once
#include "search/pdf/pdf_bytes.h"
#include "search/pdf/pdf_font_map.h"

// Looks up a font resource by its name (without "/"); null when unknown.
struct PdfFontSource {
    const PdfFontMap* (*lookup)(void* context, const uint8_t* name, size_t length);
    void* context;
};

// A TJ adjustment (thousandths of the font size, negative moves right) beyond
// this is a gap between words.
enum { kTjWordGapThousandths = 90 };
// A move along the line wider than this share of the font size, after the
// glyphs shown before it, is a gap between words.
const double kWordGapOfFontSize = 0.1;

// Writes the text of one content stream; false once the output is full.
bool ScanPdfContent(const uint8_t* data, size_t size, const PdfFontSource& fonts, TextOutput* out);
