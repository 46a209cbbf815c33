// What a glyph name in a font's encoding stands for: a name of the Adobe
// Glyph List, or a "uniXXXX" or "uXXXX" name.
#pragma once
#include <stddef.h>
#include <stdint.h>

struct PdfGlyphName {
    const char* name;
    uint16_t ch;
};
extern const PdfGlyphName kPdfGlyphNames[];  // sorted by name (byte order)
extern const size_t kPdfGlyphNameCount;

// The character a glyph name stands for ("a", "eacute", "afii10017",
// "uni00E9", "u1F600", in either case of hex digits; a variant's suffix is left out: "a.sc" is "a"; "fi"
// and "f_i" give U+FB01), 0 when unknown or when it stands for several.
uint32_t GlyphNameChar(const uint8_t* name, size_t length);

