// Small annotations over a line (ruby over its base characters): the base
// line stays whole and the annotations stand on their own line before it,
// however the producer interleaves the two.
#include "tests/support/gtest.h"
#include "tests/search/pdf/pdf_builder.h"
#include "search/pdf/pdf_extract.h"
#include "search/pdf/pdf_line_place.h"
#include <string>

namespace {

std::string ExtractCourier(const std::string& content)
{
    TestPdf pdf;
    pdf.fonts[0].dict = "<< /Type /Font /Subtype /Type1 /BaseFont /Courier >>";  // every glyph 600
    TestPdfPage page;
    page.content = content;
    pdf.pages.push_back(page);
    std::string file = BuildTestPdf(pdf);
    PdfExtractResult result;
    ExtractPdfTextFromBytes(reinterpret_cast<const uint8_t*>(file.data()), file.size(), PdfExtractLimits(), &result);
    std::string text(result.text ? result.text : "", result.size);
    PdfExtractFree(&result);
    return text;
}

// A show of `text` at (x, y) in Courier of `size`.
std::string At(double size, double x, double y, const std::string& text)
{
    return "/F1 " + std::to_string(size) + " Tf 1 0 0 1 " + std::to_string(x) + " " + std::to_string(y) + " Tm (" +
           text + ") Tj\n";
}

TEST(PdfLinePlace, SmallTextJustOverTheLineWithinItsSpanIsAnAnnotation)
{
    PdfLineBox line{72, 132, 700, 10};
    EXPECT_EQ(kPdfOnLine, PlacePdfShow(line, 132, 700, 10));
    EXPECT_EQ(kPdfOnLine, PlacePdfShow(line, 132, 704, 7));     // a footnote mark
    EXPECT_EQ(kPdfOnLine, PlacePdfShow(line, 132, 697, 7));     // an index
    EXPECT_EQ(kPdfAboveLine, PlacePdfShow(line, 100, 709.4, 5));  // ruby
    EXPECT_EQ(kPdfAboveLine, PlacePdfShow(line, 64, 709.4, 5));   // overhanging the line's start
    EXPECT_EQ(kPdfAboveLine, PlacePdfShow(line, 140, 712, 7));    // a limit just after its symbol
    EXPECT_EQ(kPdfOtherLine, PlacePdfShow(line, 100, 709.4, 10));  // as large: the line before
    EXPECT_EQ(kPdfOtherLine, PlacePdfShow(line, 100, 716, 5));     // too far over
    PdfLineBox dropCapital{98, 131, 500, 48};  // the text beside it starts at its top
    EXPECT_EQ(kPdfOtherLine, PlacePdfShow(dropCapital, 131, 527, 11));
    EXPECT_EQ(kPdfOtherLine, PlacePdfShow(line, 100, 690.6, 5));   // under the line
    EXPECT_EQ(kPdfOtherLine, PlacePdfShow(line, 150, 709.4, 5));   // beside the line: another column
    EXPECT_EQ(kPdfOtherLine, PlacePdfShow(line, 60, 709.4, 5));
    PdfLineBox rightToLeft{132, 72, 700, 10};
    EXPECT_EQ(kPdfAboveLine, PlacePdfShow(rightToLeft, 100, 709.4, 5));
}

TEST(PdfLinePlace, RubyInterleavedWithItsBaseLineGoesOnALineBeforeIt)
{
    // Base "ab" "cd" "ef" "gh" at 10 pt (6 wide a letter), ruby at 5 pt (3 wide)
    // drawn between them: "xy" over "cd", "zw" right after it, "q" apart.
    std::string content = "BT " + At(10, 72, 700, "ab") + At(5, 84, 709.4, "xy") + At(10, 84, 700, "cd") +
                          At(5, 90, 709.4, "zw") + At(10, 96, 700, "ef") + At(5, 111, 709.4, "q") +
                          At(10, 108, 700, "gh") + At(10, 72, 688, "next") + "ET\n";
    EXPECT_EQ("xyzw q\r\nabcdefgh\r\nnext\r\n", ExtractCourier(content));

    // The ruby drawn before the line's first base letters: the line it
    // started becomes the annotation line of the base line under it.
    std::string first = "BT " + At(5, 72, 709.4, "xy") + At(10, 72, 700, "ab") + At(5, 84, 709.4, "zw") +
                        At(10, 84, 700, "cd") + "ET\n";
    EXPECT_EQ("xy zw\r\nabcd\r\n", ExtractCourier(first));

    // The base line goes on after the annotation as if it had not been there:
    // a word gap is measured from the base text's own end.
    std::string gap = "BT " + At(10, 72, 700, "ab") + At(5, 78, 709.4, "r") + At(10, 90, 700, "cd") + "ET\n";
    EXPECT_EQ("r\r\nab cd\r\n", ExtractCourier(gap));
}

}  // namespace
