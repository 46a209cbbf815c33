// Where one word ends and the next begins: pieces of a word placed one after
// the other by moves (as groff and Ghostscript write them) stay one word, a
// gap of a word space gives a blank, by the font's own widths, a composite
// font's /W, a standard font's metrics, and the text's spacings and scales.
// A mirrored letter is measured from its near edge, and small text set over
// a line (ruby) goes on a line of its own before it without cutting it.
#include "tests/support/gtest.h"
#include "tests/search/pdf/pdf_builder.h"
#include "search/pdf/pdf_extract.h"
#include <stdio.h>
#include <string>

namespace {

std::string ExtractWith(const TestPdfFont& font, const std::string& content)
{
    TestPdf pdf;
    pdf.fonts = {font};
    pdf.pages.push_back(TestPdfPage{content, true});
    std::string file = BuildTestPdf(pdf);
    PdfExtractResult result;
    ExtractPdfTextFromBytes(reinterpret_cast<const uint8_t*>(file.data()), file.size(), PdfExtractLimits(), &result);
    std::string text(result.text ? result.text : "", result.size);
    PdfExtractFree(&result);
    return text;
}

std::string Move(double x) {
    char buffer[32];
    snprintf(buffer, sizeof(buffer), " %.3f 0 Td ", x);
    return buffer;
}

// A show of `text` at (x, y) in the font of `size`.
std::string At(double size, double x, double y, const std::string& text)
{
    return "/F1 " + std::to_string(size) + " Tf 1 0 0 1 " + std::to_string(x) + " " + std::to_string(y) + " Tm (" +
           text + ") Tj\n";
}

TEST(PdfWordGaps, PiecesOfAWordPlacedEndToEndStayOneWord)
{
    // Helvetica without widths of its own: e 556, x 500, c 500, u 556, t 278, s 500.
    TestPdfFont helvetica;
    std::string pieces = "BT /F1 10 Tf 72 700 Td (e) Tj" + Move(5.56) + "(xe) Tj" + Move(10.56) + "(cutes) Tj" +
                         Move(28.9 + 2.78) + "(now) Tj ET\n";
    EXPECT_EQ("executes now\r\n", ExtractWith(helvetica, pieces));

    // The font's own widths from /FirstChar on: here every letter is 1000 wide.
    TestPdfFont own;
    own.dict = "<< /Type /Font /Subtype /Type1 /BaseFont /Unknown /FirstChar 97 /Widths [1000 1000 1000 1000 "
               "1000 1000 1000 1000 1000] >>";
    std::string wide = "BT /F1 10 Tf 72 700 Td (ab) Tj" + Move(20) + "(cd) Tj" + Move(20 + 3) + "(ef) Tj ET\n";
    EXPECT_EQ("abcd ef\r\n", ExtractWith(own, wide));

    // A font whose widths are unknown: every move along the line is a blank, as before.
    TestPdfFont unknown;
    unknown.dict = "<< /Type /Font /Subtype /Type1 /BaseFont /SomeFont >>";
    EXPECT_EQ("ab cd ef\r\n", ExtractWith(unknown, wide));
}

TEST(PdfWordGaps, CompositeFontsMeasureByTheirWAndDefaultWidth)
{
    TestPdfFont font;
    font.dict = "<< /Type /Font /Subtype /Type0 /BaseFont /Some /Encoding /Identity-H /DescendantFonts [<< /Type "
                "/Font /Subtype /CIDFontType2 /DW 500 /W [1 [600 700] 10 20 800] >>] >>";
    font.toUnicode = TwoByteCmap({{1, "a"}, {2, "b"}, {10, "c"}, {30, "d"}});
    // a 600 + b 700 = 13 at 10 pt; c 800 = 8; d takes the default 500.
    std::string content = "BT /F1 10 Tf 72 700 Td <00010002> Tj" + Move(13) + "<000A> Tj" + Move(8) +
                          "<001E> Tj" + Move(5 + 2) + "<0001> Tj ET\n";
    EXPECT_EQ("abcd a\r\n", ExtractWith(font, content));

    // Numbers beyond two-byte codes in /W name no code: code 1 keeps the default width.
    font.dict = "<< /Type /Font /Subtype /Type0 /Encoding /Identity-H /DescendantFonts [<< /DW 500 "
                "/W [4294967297 4294967297 0 4294967297 [0] 1e40 2e40 0] >>] >>";
    EXPECT_EQ("aa\r\n", ExtractWith(font, "BT /F1 10 Tf 72 700 Td <0001> Tj" + Move(5) + "<0001> Tj ET\n"));
}

TEST(PdfWordGaps, SpacingsScalingAndTheMatrixMoveTheEnd)
{
    TestPdfFont courier;  // every glyph 600
    courier.dict = "<< /Type /Font /Subtype /Type1 /BaseFont /Courier >>";
    // Character spacing 1 widens "ab" from 12 to 14; word spacing widens a space.
    std::string spaced = "BT /F1 10 Tf 1 Tc 72 700 Td (ab) Tj" + Move(14) + "(cd) Tj ET\n";
    EXPECT_EQ("abcd\r\n", ExtractWith(courier, spaced));
    // Letters spread apart by the character spacing are words apart; a small spacing is not.
    EXPECT_EQ("a . T\r\n", ExtractWith(courier, "BT /F1 10 Tf 7 Tc 72 700 Td (a.T) Tj ET\n"));
    EXPECT_EQ("abc\r\n", ExtractWith(courier, "BT /F1 10 Tf 0.5 Tc 72 700 Td (abc) Tj ET\n"));
    std::string words = "BT /F1 10 Tf 5 Tw 72 700 Td (a ) Tj" + Move(12 + 5) + "(b) Tj ET\n";
    EXPECT_EQ("a b\r\n", ExtractWith(courier, words));
    std::string glued = "BT /F1 10 Tf 5 Tw 72 700 Td (a) Tj" + Move(6) + "(b) Tj ET\n";
    EXPECT_EQ("ab\r\n", ExtractWith(courier, glued));
    // Horizontal scaling 50%: "ab" is 6 wide.
    std::string scaled = "BT /F1 10 Tf 50 Tz 72 700 Td (ab) Tj" + Move(6) + "(cd) Tj ET\n";
    EXPECT_EQ("abcd\r\n", ExtractWith(courier, scaled));
    // A text matrix of scale 2: the font of 5 is 10 on the page, the move is in text space.
    std::string matrix = "BT /F1 5 Tf 2 0 0 2 72 700 Tm (ab) Tj 6 0 Td (cd) Tj 7 0 Td (ef) Tj ET\n";
    EXPECT_EQ("abcd ef\r\n", ExtractWith(courier, matrix));
    // TJ's own adjustments move the end too.
    std::string array = "BT /F1 10 Tf 72 700 Td [(a) -50 (b)] TJ" + Move(12.5) + "(c) Tj ET\n";
    EXPECT_EQ("abc\r\n", ExtractWith(courier, array));
    // Back over the text (another column) is a gap.
    std::string back = "BT /F1 10 Tf 72 700 Td (abcdef) Tj" + Move(-40) + "(gh) Tj ET\n";
    EXPECT_EQ("abcdef gh\r\n", ExtractWith(courier, back));
}

TEST(PdfWordGaps, AMirroredLetterIsMeasuredFromItsNearEdge)
{
    TestPdfFont courier;  // every glyph 600: 6 wide at 10 pt
    courier.dict = "<< /Type /Font /Subtype /Type1 /BaseFont /Courier >>";
    // A logo with a reversed E: drawn leftwards from 84, it covers 78 to 84,
    // right after the X, and the T goes on from its right edge.
    std::string logo = "BT /F1 10 Tf 1 0 0 1 72 700 Tm (X) Tj -1 0 0 1 84 700 Tm (E) Tj 1 0 0 1 84 700 Tm (TEX) Tj ET\n";
    EXPECT_EQ("XETEX\r\n", ExtractWith(courier, logo));
    // Set apart, it is a word of its own on both sides.
    std::string apart = "BT /F1 10 Tf 1 0 0 1 72 700 Tm (X) Tj -1 0 0 1 100 700 Tm (E) Tj 1 0 0 1 110 700 Tm (T) Tj ET\n";
    EXPECT_EQ("X E T\r\n", ExtractWith(courier, apart));
}

TEST(PdfWordGaps, RubyInterleavedWithItsBaseLineGoesOnALineBeforeIt)
{
    TestPdfFont courier;
    courier.dict = "<< /Type /Font /Subtype /Type1 /BaseFont /Courier >>";
    // Base "ab" "cd" "ef" "gh" at 10 pt (6 wide a letter), ruby at 5 pt (3 wide)
    // drawn between them: "xy" over "cd", "zw" right after it, "q" apart.
    std::string content = "BT " + At(10, 72, 700, "ab") + At(5, 84, 709.4, "xy") + At(10, 84, 700, "cd") +
                          At(5, 90, 709.4, "zw") + At(10, 96, 700, "ef") + At(5, 111, 709.4, "q") +
                          At(10, 108, 700, "gh") + At(10, 72, 688, "next") + "ET\n";
    EXPECT_EQ("xyzw q\r\nabcdefgh\r\nnext\r\n", ExtractWith(courier, content));

    // The ruby drawn before the line's first base letters: the line it
    // started becomes the annotation line of the base line under it.
    std::string first = "BT " + At(5, 72, 709.4, "xy") + At(10, 72, 700, "ab") + At(5, 84, 709.4, "zw") +
                        At(10, 84, 700, "cd") + "ET\n";
    EXPECT_EQ("xy zw\r\nabcd\r\n", ExtractWith(courier, first));

    // The base line goes on after the annotation as if it had not been there:
    // a word gap is measured from the base text's own end.
    std::string gap = "BT " + At(10, 72, 700, "ab") + At(5, 78, 709.4, "r") + At(10, 90, 700, "cd") + "ET\n";
    EXPECT_EQ("r\r\nab cd\r\n", ExtractWith(courier, gap));
}

}  // namespace
