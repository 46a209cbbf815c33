// Where a show lies against the line: on it, over it as a small annotation
// (ruby over its base characters), or on another line.
#include "tests/support/gtest.h"
#include "search/pdf/pdf_line_place.h"

namespace {

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

}  // namespace
