// How the bytes of a font's strings become characters: the font's ToUnicode
// map when it has one, else its /Differences glyph names over WinAnsi (the
// encoding simple fonts use when they name none). A two-byte font without a
// map is read through its character collection (Adobe's CJK ones) or its
// Unicode encoding, and yields nothing otherwise, since its codes are glyph
// numbers.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <vector>
#include "search/pdf/pdf_cid_unicode.h"
#include "search/pdf/pdf_font_widths.h"

struct PdfCodeRun {
    uint32_t code;
    uint32_t first;  // index of the first character in PdfFontMap::chars
    uint32_t count;  // characters the code stands for (a ligature gives several)
};

struct PdfFontMap {
    int codeBytes = 1;             // 2 for composite (Type0) fonts
    bool known = true;             // false: the codes cannot be read
    std::vector<PdfCodeRun> runs;  // sorted by code; from ToUnicode
    std::vector<uint32_t> chars;
    uint32_t simple[256];  // one-byte codes when there is no ToUnicode entry (0 = none)
    // Two-byte codes without a ToUnicode entry: CIDs of a character
    // collection (an Identity encoding), or characters themselves (a UCS-2 or
    // UTF-16 encoding).
    const PdfCidCollection* cids = nullptr;
    bool unicodeCodes = false;
    bool vertical = false;  // written top to bottom (a composite font's "-V" encoding)
    PdfFontWidths widths;  // how far each code moves the text position
};

enum { kPdfMaxCodeRuns = 65536 };

// The WinAnsi character of a byte (Latin-1 with the 0x80-0x9F block of
// Windows-1252), 0 for control bytes.
uint32_t WinAnsiChar(uint8_t byte);

// The precomposed letter of a spacing accent drawn before a letter ("¨" then
// "u" gives "ü"; a dotless i takes the accent as "i"), 0 when there is none.
uint32_t ComposeAccent(uint32_t accent, uint32_t base);

// A one-byte font over WinAnsi.
void PdfFontMapInitSimple(PdfFontMap* map);
// Applies a /Differences array ("[ 32 /space /a 39 /quoteright ]") to the
// one-byte table; a name that is not known leaves the code its own byte.
void PdfFontMapApplyDifferences(PdfFontMap* map, const uint8_t* begin, const uint8_t* end);
// Applies the built-in encoding of an embedded Type1 font program ("dup 58
// /period put" lines before its enciphered part): the base encoding of a
// font that names none.
void PdfFontMapApplyType1Encoding(PdfFontMap* map, const uint8_t* program, size_t size);
// Reads the bfchar and bfrange sections of a ToUnicode CMap.
void PdfFontMapReadCmap(PdfFontMap* map, const uint8_t* cmap, size_t size);
// The characters of one code: *count of them at the returned pointer, or a
// null pointer when the code stands for nothing readable.
const uint32_t* PdfFontMapLookup(const PdfFontMap& map, uint32_t code, uint32_t* count, uint32_t* single);
