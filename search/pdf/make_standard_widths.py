#!/usr/bin/env python3
"""Writes pdf_standard_widths.cpp: the advance widths of the standard PDF
fonts (Helvetica, Times and their styles) for the characters of the WinAnsi
encoding, from the metric-compatible URW base 35 fonts' AFM files
(Debian's fonts-urw-base35). Courier's glyphs are all 600 wide and need no
table. Run it from this folder when the table must be made again."""
import os, unicodedata

afm_dir = "/usr/share/fonts/type1/urw-base35"
families = [
    ("Helvetica", "NimbusSans-Regular"), ("Helvetica-Bold", "NimbusSans-Bold"),
    ("Helvetica-Oblique", "NimbusSans-Italic"), ("Helvetica-BoldOblique", "NimbusSans-BoldItalic"),
    ("Times-Roman", "NimbusRoman-Regular"), ("Times-Bold", "NimbusRoman-Bold"),
    ("Times-Italic", "NimbusRoman-Italic"), ("Times-BoldItalic", "NimbusRoman-BoldItalic"),
]
# Glyph names of the WinAnsi characters that are neither ASCII nor letters
# with accents.
names = {
    "\u2018": "quoteleft", "\u2019": "quoteright", "\u201c": "quotedblleft", "\u201d": "quotedblright",
    "\u201a": "quotesinglbase", "\u201e": "quotedblbase", "\u2013": "endash", "\u2014": "emdash",
    "\u2022": "bullet", "\u2026": "ellipsis", "\u2020": "dagger", "\u2021": "daggerdbl", "\u2030": "perthousand",
    "\u2039": "guilsinglleft", "\u203a": "guilsinglright", "\u20ac": "Euro", "\u2122": "trademark",
    "\u0152": "OE", "\u0153": "oe", "\u00c6": "AE", "\u00e6": "ae", "\u00d8": "Oslash", "\u00f8": "oslash",
    "\u00df": "germandbls", "\u00a0": "space", "\u00a1": "exclamdown", "\u00a2": "cent", "\u00a3": "sterling",
    "\u00a4": "currency", "\u00a5": "yen", "\u00a6": "brokenbar", "\u00a7": "section", "\u00a8": "dieresis",
    "\u00a9": "copyright", "\u00aa": "ordfeminine", "\u00ab": "guillemotleft", "\u00ac": "logicalnot",
    "\u00ad": "hyphen", "\u00ae": "registered", "\u00af": "macron", "\u00b0": "degree", "\u00b1": "plusminus",
    "\u00b2": "twosuperior", "\u00b3": "threesuperior", "\u00b4": "acute", "\u00b5": "mu", "\u00b6": "paragraph",
    "\u00b7": "periodcentered", "\u00b8": "cedilla", "\u00b9": "onesuperior", "\u00ba": "ordmasculine",
    "\u00bb": "guillemotright", "\u00bc": "onequarter", "\u00bd": "onehalf", "\u00be": "threequarters",
    "\u00bf": "questiondown", "\u00d7": "multiply", "\u00f7": "divide", "\u00d0": "Eth", "\u00f0": "eth",
    "\u00de": "Thorn", "\u00fe": "thorn", "\u0192": "florin", "\u02c6": "circumflex", "\u02dc": "tilde",
    "'": "quotesingle", "`": "grave",
}

def read_afm(name):
    by_code, by_name = {}, {}
    for line in open(os.path.join(afm_dir, name + ".afm"), encoding="latin-1"):
        if not line.startswith("C "):
            continue
        fields = dict(f.strip().split(" ", 1) for f in line.split(";") if f.strip())
        by_name[fields["N"]] = int(float(fields["WX"]))
        if int(fields["C"]) >= 0:
            by_code[int(fields["C"])] = int(float(fields["WX"]))
    return by_code, by_name

def width_of(ch, by_code, by_name):
    if ch in names and names[ch] in by_name:
        return by_name[names[ch]]
    if " " <= ch <= "~":
        return by_code[ord(ch)]  # StandardEncoding is ASCII here, but for ' and ` (named above)
    base = unicodedata.normalize("NFD", ch)[0]
    if " " <= base <= "~":
        return by_code[ord(base)]
    return by_name.get("bullet", 500)

out = ["// Made by make_standard_widths.py from the URW base 35 fonts' metrics, which",
       "// match the standard PDF fonts': advance widths (thousandths of the font",
       "// size) of the WinAnsi characters 32 to 255.",
       '#include "search/pdf/pdf_standard_widths.h"', "", "namespace {", ""]
for pdf_name, afm in families:
    by_code, by_name = read_afm(afm)
    widths = []
    for code in range(32, 256):
        try:
            ch = bytes([code]).decode("cp1252")
        except UnicodeDecodeError:
            ch = "\u2022"
        widths.append(width_of(ch, by_code, by_name))
    ident = "k" + pdf_name.replace("-", "")
    out.append("const uint16_t %s[224] = {" % ident)
    for i in range(0, 224, 16):
        out.append("    " + ", ".join(str(w) for w in widths[i:i + 16]) + ",")
    out.append("};")
    out.append("")
out.append("}  // namespace")
out.append("")
out.append("const PdfStandardFont kPdfStandardFonts[] = {")
for pdf_name, afm in families:
    out.append('    {"%s", k%s},' % (pdf_name, pdf_name.replace("-", "")))
out.append("};")
out.append("const size_t kPdfStandardFontCount = sizeof(kPdfStandardFonts) / sizeof(kPdfStandardFonts[0]);")
open("pdf_standard_widths.cpp", "w").write("\n".join(out) + "\n")
