// Stream filters: each filter against known data, their chains read from
// dictionaries, their bounds, and pages written through every chain; and
// ToUnicode maps with ranges, arrays in ranges and two-byte codes; glyph
// names of simple fonts.
#include "tests/support/gtest.h"
#include "tests/search/pdf/pdf_builder.h"
#include "search/pdf/pdf_extract.h"
#include "search/pdf/pdf_filters.h"
#include <string>

namespace {

std::string Text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }
const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

std::string ExtractText(const std::string& pdf)
{
    PdfExtractResult result;
    ExtractPdfTextFromBytes(Bytes(pdf), pdf.size(), PdfExtractLimits(), &result);
    std::string text(result.text ? result.text : "", result.size);
    PdfExtractFree(&result);
    return text;
}

PdfFilterChain Chain(const std::string& dict) { return ReadPdfFilterChain(Bytes(dict), Bytes(dict) + dict.size()); }

TEST(PdfFilters, AsciiHexAndAscii85ReadTheirKnownForms)
{
    std::vector<uint8_t> out;
    std::string hex = "48 65 6C\n6c 6F>ignored";
    EXPECT_EQ(kPdfDecodeOk, DecodeAsciiHex(Bytes(hex), hex.size(), 100, &out));
    EXPECT_EQ("Hello", Text(out));
    std::string odd = "414>";  // an odd last digit is followed by 0
    EXPECT_EQ(kPdfDecodeOk, DecodeAsciiHex(Bytes(odd), odd.size(), 100, &out));
    EXPECT_EQ("A@", Text(out));
    std::string bad = "4G>";
    EXPECT_EQ(kPdfDecodeDamaged, DecodeAsciiHex(Bytes(bad), bad.size(), 100, &out));

    std::string a85 = "<~87cURD_*#TDfTZ)~>";
    EXPECT_EQ(kPdfDecodeOk, DecodeAscii85(Bytes(a85), a85.size(), 100, &out));
    EXPECT_EQ("Hello, world", Text(out));
    std::string zeros = "z@:E^~>";  // 'z' stands for four zero bytes; a last group of 4 digits for 3 bytes
    EXPECT_EQ(kPdfDecodeOk, DecodeAscii85(Bytes(zeros), zeros.size(), 100, &out));
    EXPECT_EQ(std::string("\0\0\0\0abc", 7), Text(out));
    std::string spaced = "87cUR\r\nD_*#T DfTZ)~>";
    EXPECT_EQ(kPdfDecodeOk, DecodeAscii85(Bytes(spaced), spaced.size(), 100, &out));
    EXPECT_EQ("Hello, world", Text(out));
    for (const char* broken : {"s8W-\"~>", "87cUR{~>", "8~>"}) {  // over 2^32, outside the alphabet, one digit
        std::string b = broken;
        EXPECT_EQ(kPdfDecodeDamaged, DecodeAscii85(Bytes(b), b.size(), 100, &out)) << broken;
    }
    std::string all;
    for (int i = 0; i < 1000; i++) all += char(i * 7 + i / 256);
    std::string encoded = Ascii85(all);
    EXPECT_EQ(kPdfDecodeOk, DecodeAscii85(Bytes(encoded), encoded.size(), 1000, &out));
    EXPECT_EQ(all, Text(out));
    EXPECT_EQ(kPdfDecodeTooLarge, DecodeAscii85(Bytes(encoded), encoded.size(), 999, &out));
}

TEST(PdfFilters, LzwReadsTheStandardExampleBothWidthRulesAndTableResets)
{
    // The reference example: "-----A---B" as 9-bit codes.
    const uint8_t example[] = {0x80, 0x0B, 0x60, 0x50, 0x22, 0x0C, 0x0C, 0x85, 0x01};
    std::vector<uint8_t> out;
    EXPECT_EQ(kPdfDecodeOk, DecodeLzw(example, sizeof(example), 1, 100, &out));
    EXPECT_EQ("-----A---B", Text(out));

    // Long enough to pass 10, 11 and 12 bits and to fill the table twice.
    std::string text;
    for (int i = 0; i < 40000; i++) text += char('a' + (i * i + i / 7) % 26);
    for (int early : {0, 1}) {
        std::string packed = Lzw(text, early);
        EXPECT_EQ(kPdfDecodeOk, DecodeLzw(Bytes(packed), packed.size(), early, 100000, &out)) << early;
        EXPECT_EQ(text, Text(out)) << early;
    }
    // A repeated byte grows by one per code: bounded all the same.
    std::string bomb = Lzw(std::string(2000000, 'x'));
    EXPECT_EQ(kPdfDecodeTooLarge, DecodeLzw(Bytes(bomb), bomb.size(), 1, 100000, &out));
    const uint8_t beyond[] = {0x80, 0x10, 0x65, 0x80};  // clear, 'A', then code 300 past the table
    EXPECT_EQ(kPdfDecodeDamaged, DecodeLzw(beyond, sizeof(beyond), 1, 100, &out));
}

TEST(PdfFilters, RunLengthAndPredictors)
{
    std::vector<uint8_t> out;
    const uint8_t runs[] = {2, 'a', 'b', 'c', 254, 'x', 0, 'z', 128, 'q'};
    EXPECT_EQ(kPdfDecodeOk, DecodeRunLength(runs, sizeof(runs), 100, &out));
    EXPECT_EQ("abcxxxz", Text(out));
    const uint8_t many[] = {129, 'y', 129, 'y'};
    EXPECT_EQ(kPdfDecodeTooLarge, DecodeRunLength(many, sizeof(many), 200, &out));

    // PNG rows of three bytes: None, Sub, Up, Average, Paeth.
    PdfFilterParams png;
    png.predictor = 12;
    png.columns = 3;
    std::vector<uint8_t> rows = {0, 10, 20, 30, 1, 1, 1, 1, 2, 5, 5, 5, 3, 4, 4, 4, 4, 1, 2, 3};
    EXPECT_EQ(kPdfDecodeOk, UndoPredictor(png, &rows));
    std::vector<uint8_t> expected = {10, 20, 30, 1, 2, 3, 6, 7, 8, 7, 11, 13, 8, 13, 16};
    EXPECT_EQ(expected, rows);
    std::vector<uint8_t> unknownRow = {9, 1, 2, 3};
    EXPECT_EQ(kPdfDecodeDamaged, UndoPredictor(png, &unknownRow));
    PdfFilterParams tiff;
    tiff.predictor = 2;
    tiff.columns = 4;
    std::vector<uint8_t> tiffRow = {1, 1, 1, 1, 5, 0, 0, 0};
    EXPECT_EQ(kPdfDecodeOk, UndoPredictor(tiff, &tiffRow));
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4, 5, 5, 5, 5}), tiffRow);
}

TEST(PdfFilters, ChainsAndTheirParametersAreReadFromTheDictionary)
{
    PdfFilterChain none = Chain("<< /Length 5 >>");
    EXPECT_EQ(kPdfChainNone, none.status);
    PdfFilterChain two = Chain("<< /Filter [/ASCII85Decode /FlateDecode] /DecodeParms [null << /Predictor 12 "
                               "/Columns 5 >>] /Length 9 >>");
    ASSERT_EQ(kPdfChainKnown, two.status);
    ASSERT_EQ(2u, two.count);
    EXPECT_EQ(kPdfFilterAscii85, two.steps[0].kind);
    EXPECT_EQ(1, two.steps[0].params.predictor);
    EXPECT_EQ(kPdfFilterFlate, two.steps[1].kind);
    EXPECT_EQ(12, two.steps[1].params.predictor);
    EXPECT_EQ(5, two.steps[1].params.columns);
    // One dictionary for a chain belongs to its compressing step.
    PdfFilterChain lone = Chain("<< /Filter [/AHx /LZW] /DecodeParms << /EarlyChange 0 >> >>");
    ASSERT_EQ(2u, lone.count);
    EXPECT_EQ(kPdfFilterAsciiHex, lone.steps[0].kind);
    EXPECT_EQ(0, lone.steps[1].params.earlyChange);
    EXPECT_EQ(kPdfFilterRunLength, Chain("<< /Filter /RunLengthDecode >>").steps[0].kind);
    EXPECT_EQ(kPdfChainUnknown, Chain("<< /Filter [/FlateDecode /DCTDecode] >>").status);
    EXPECT_EQ(kPdfChainUnknown, Chain("<< /Filter 7 0 R >>").status);
}

TEST(PdfFilters, PagesWrittenThroughEveryChainGiveTheirWords)
{
    std::string content = "BT /F1 12 Tf 72 700 Td (Filtered words here) Tj ET\n";
    std::string wide;  // enough text for LZW to reach longer codes
    for (int i = 0; i < 300; i++) wide += "BT /F1 12 Tf 72 " + std::to_string(760 - 2 * i) + " Td (line " +
                                         std::to_string(i) + ") Tj ET\n";
    // PNG "Up" rows of eight bytes over the deflated content.
    auto upRows = [](const std::string& bytes) {
        std::string out, previous(8, '\0');
        for (size_t i = 0; i < bytes.size(); i += 8) {
            std::string row = bytes.substr(i, 8);
            out += '\2';
            for (size_t x = 0; x < row.size(); x++) out += char(uint8_t(row[x]) - uint8_t(previous[x]));
            previous = row + std::string(8 - row.size(), '\0');
        }
        return out;
    };
    struct Case {
        const char* name;
        std::string encoded;
        std::string filters;
    } cases[] = {
        {"A85 Flate", Ascii85(Deflate(content)), " /Filter [/ASCII85Decode /FlateDecode]"},
        {"A85", Ascii85(content), " /Filter /ASCII85Decode"},
        {"AHx", AsciiHex(content), " /Filter /ASCIIHexDecode"},
        {"LZW", Lzw(content), " /Filter /LZWDecode"},
        {"LZW early 0", Lzw(content, 0), " /Filter /LZWDecode /DecodeParms << /EarlyChange 0 >>"},
        {"RL", RunLengthLiterals(content), " /Filter /RunLengthDecode"},
        {"AHx RL", AsciiHex(RunLengthLiterals(content)), " /Filter [/AHx /RL]"},
        {"Flate PNG", Deflate(upRows(content)), " /Filter /FlateDecode /DecodeParms << /Predictor 12 /Columns 8 >>"},
    };
    for (const Case& c : cases) {
        TestPdf pdf;
        pdf.pages.push_back(TestPdfPage{c.encoded, false, c.filters});
        EXPECT_EQ("Filtered words here\r\n", ExtractText(BuildTestPdf(pdf))) << c.name;
    }
    TestPdf lzw;
    lzw.pages.push_back(TestPdfPage{Lzw(wide), false, " /Filter /LZWDecode"});
    std::string text = ExtractText(BuildTestPdf(lzw));
    EXPECT_EQ(0u, text.find("line 0 line 1 "));
    EXPECT_NE(std::string::npos, text.find("line 299"));
}

std::string CmapOf(const std::string& sections)
{
    return "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
           "1 begincodespacerange <0000> <FFFF> endcodespacerange\n" +
           sections + "endcmap CMapName currentdict /CMap defineresource pop end end\n";
}

TEST(PdfFontMaps, RangesCountUpArraysMapEachCodeAndCodesTakeTwoBytes)
{
    TestPdfFont font;
    font.dict = "<< /Type /Font /Subtype /Type0 /BaseFont /Some /Encoding /Identity-H >>";
    // 0x0010-0x0019 count up from 'a'; 0x0030-0x0032 take one text each (one of
    // them two characters); 0x0100 is a code whose high byte matters.
    font.toUnicode = CmapOf("2 beginbfrange\n<0010> <0019> <0061>\n<0030> <0032> [<0058> <00660069> <005A>]\n"
                            "endbfrange\n1 beginbfchar\n<0100> <0021>\nendbfchar\n");
    TestPdf pdf;
    pdf.fonts = {font};
    pdf.pages.push_back(TestPdfPage{"BT /F1 12 Tf 72 700 Td [<0010001100120013> -1000 <0019> "
                                    "<0030003100320100>] TJ ET\n",
                                    true});
    EXPECT_EQ("abcd jXfiZ!\r\n", ExtractText(BuildTestPdf(pdf)));
}

TEST(PdfFontMaps, AnEmbeddedType1ProgramsOwnEncodingIsTheBaseOfAFontThatNamesNone)
{
    // TeX's math italic draws the leaders' dots as code 58 and Greek letters
    // by name; the program's clear-text part says so before "eexec".
    std::string program = "%!PS-AdobeFont-1.0: CMMI10\n/Encoding 256 array\n0 1 255 {1 index exch /.notdef put} for\n"
                          "dup 58 /period put\ndup 59 /comma put\ndup 11 /alpha put\ndup 20 /lessequal put\n"
                          "readonly def\ncurrentdict end\ncurrentfile eexec\ndup 65 /beta put";
    TestPdfFont math;
    math.dict = "<< /Type /Font /Subtype /Type1 /BaseFont /CMMI10 /FontDescriptor 90 0 R >>";
    TestPdf pdf;
    pdf.fonts = {math};
    pdf.extraObjects = "90 0 obj\n<< /Type /FontDescriptor /FontName /CMMI10 /FontFile 91 0 R >>\nendobj\n" +
                       StreamObject(91, program, true, " /Length1 " + std::to_string(program.size()));
    pdf.pages.push_back(TestPdfPage{"BT /F1 10 Tf 72 700 Td (A\\013\\024B:;) Tj ET\n", true});
    // A and B keep the standard letters; the enciphered part's "dup 65" counts for nothing.
    EXPECT_EQ("A\xCE\xB1\xE2\x89\xA4""B.,\r\n", ExtractText(BuildTestPdf(pdf)));
    // A font that names its encoding keeps it.
    pdf.fonts[0].dict = "<< /Type /Font /Subtype /Type1 /BaseFont /CMMI10 /Encoding /WinAnsiEncoding "
                        "/FontDescriptor 90 0 R >>";
    EXPECT_EQ("AB:;\r\n", ExtractText(BuildTestPdf(pdf)));
}

TEST(PdfFontMaps, GlyphNamesByTheListOrTheirUniFormsAndUnknownNamesAsTheirByte)
{
    // Cyrillic by the list's names, a variant by its suffix, characters by
    // "uniXXXX" and "uXXXXX".
    TestPdfFont cyrillic;
    cyrillic.dict = "<< /Type /Font /Subtype /Type1 /BaseFont /X /Encoding << /Differences [65 /afii10017 "
                    "/afii10071 /emdash.cyr /uni0416 /u1D400 /uni00e9 /club] >> >>";
    TestPdf pdf;
    pdf.fonts = {cyrillic};
    pdf.pages.push_back(TestPdfPage{"BT /F1 12 Tf 72 700 Td (ABCDEFG) Tj ET\n", true, ""});
    EXPECT_EQ("\xD0\x90\xD1\x91\xE2\x80\x94\xD0\x96\xF0\x9D\x90\x80\xC3\xA9\xE2\x99\xA3\r\n", ExtractText(BuildTestPdf(pdf)));

    // Bitmap fonts name their glyphs after their codes, in hex or in decimal,
    // or by names of their own: a name that is not known stands for the byte
    // (through WinAnsi), ".notdef" for nothing.
    TestPdfFont bitmap;
    bitmap.dict = "<< /Type /Font /Subtype /Type3 /FontMatrix [0.001 0 0 0.001 0 0] /Encoding << /Differences "
                  "[45 /x2D 47 /d47 65 /a65 /char42 69 /x45 84 /x54 88 /x58 98 /Bullet 100 /.notdef 128 /a128 "
                  "161 /a0 233 /xE9] >> >>";
    pdf.fonts = {bitmap};
    pdf.pages[0].content = "BT /F1 12 Tf 72 700 Td (-ETX AB/bd\\200\\241\\351) Tj ET\n";
    EXPECT_EQ("-ETX AB/b\xE2\x82\xAC\xC2\xA1\xC3\xA9\r\n", ExtractText(BuildTestPdf(pdf)));
}

}  // namespace
