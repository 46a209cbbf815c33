// The advance widths of the standard PDF fonts that files use without
// giving widths of their own (Courier's are all 600 and need no table).
#pragma once
#include <stddef.h>
#include <stdint.h>

struct PdfStandardFont {
    const char* name;        // "Helvetica-Bold"
    const uint16_t* widths;  // of the WinAnsi characters 32 to 255, thousandths of the font size
};

extern const PdfStandardFont kPdfStandardFonts[];
extern const size_t kPdfStandardFontCount;
