// PDF text extraction over PDFs made here: plain and Flate pages, several
// pages, TJ spacing, hex strings, encodings, and damaged or hostile files.
#include "tests/support/gtest.h"
#include "tests/search/pdf/pdf_builder.h"
#include "search/pdf/pdf_extract.h"
#include "search/pdf/pdf_tidy.h"
#include <string>

namespace {

struct Extracted {
    int status;
    std::string text;
    bool truncated;
    int read;
    int skipped;
};

Extracted Extract(const std::string& pdf, const PdfExtractLimits& limits = PdfExtractLimits())
{
    PdfExtractResult result;
    ExtractPdfTextFromBytes(reinterpret_cast<const uint8_t*>(pdf.data()), pdf.size(), limits, &result);
    Extracted e{result.status, std::string(result.text ? result.text : "", result.size), result.truncated,
                result.streamsRead, result.streamsSkipped};
    PdfExtractFree(&result);
    return e;
}

TestPdf OnePage(const std::string& content, bool compressed = true)
{
    TestPdf pdf;
    pdf.pages.push_back(TestPdfPage{content, compressed});
    return pdf;
}

std::string Line(double y, const std::string& show)
{
    return "BT /F1 12 Tf 72 " + std::to_string(int(y)) + " Td " + show + " ET\n";
}

TEST(PdfExtract, ReadsPlainAndFlatePagesInOrder)
{
    TestPdf pdf;
    pdf.pages.push_back(TestPdfPage{Line(700, "(First page) Tj") + Line(680, "(second line) Tj"), false});
    pdf.pages.push_back(TestPdfPage{Line(700, "(Packed page) Tj"), true});
    pdf.pages.push_back(TestPdfPage{"0 0 1 rg 10 10 100 100 re f\n" + Line(700, "(Third) Tj"), true});
    Extracted e = Extract(BuildTestPdf(pdf));
    EXPECT_EQ(kPdfExtracted, e.status);
    EXPECT_EQ("First page\r\nsecond line\r\nPacked page\r\nThird\r\n", e.text);
    EXPECT_EQ(3, e.read);
    EXPECT_EQ(0, e.skipped);
}

TEST(PdfExtract, PagesAreReadInThePageTreesOrderNotTheFilesOrder)
{
    TestPdf pdf;
    pdf.pages.push_back(TestPdfPage{Line(700, "(written first) Tj"), true});
    pdf.pages.push_back(TestPdfPage{Line(700, "(written second) Tj"), false});
    std::string bytes = BuildTestPdf(pdf);
    // The tree lists the second page first (as writers that place pages out of order do).
    size_t kids = bytes.find("/Kids [");
    ASSERT_NE(std::string::npos, kids);
    size_t close = bytes.find("]", kids);
    std::string list = bytes.substr(kids + 7, close - kids - 7);  // "A 0 R B 0 R "
    size_t second = list.find("R ") + 2;
    bytes.replace(kids + 7, list.size(), list.substr(second) + list.substr(0, second));
    Extracted e = Extract(bytes);
    EXPECT_EQ("written second\r\nwritten first\r\n", e.text);
    EXPECT_EQ(2, e.read);
    // A tree that loops on itself still ends, and the streams are all read once.
    std::string looped = bytes;
    size_t kidsAgain = looped.find("/Kids [");
    looped.insert(kidsAgain + 7, "2 0 R ");
    EXPECT_EQ("written second\r\nwritten first\r\n", Extract(looped).text);
}

TEST(PdfExtract, PlacesBreaksAndBlanksByPosition)
{
    // Td moves relative to the line start, Tm sets it, T* and ' go down by the leading.
    std::string content = "BT /F1 10 Tf 14 TL 72 700 Td (one) Tj 40 0 Td (two) Tj T* (three) Tj (four) ' ET\n"
                          "BT /F1 10 Tf 1 0 0 1 72 600 Tm (five) Tj 1 0 0 1 200 600 Tm (six) Tj 1 0 0 1 72 "
                          "580 Tm (seven) Tj ET\n";
    EXPECT_EQ("one two\r\nthree\r\nfour\r\nfive six\r\nseven\r\n",
              Extract(BuildTestPdf(OnePage(content))).text);
}

TEST(PdfExtract, RaisedAndLoweredMarksStayOnTheirLine)
{
    // A footnote mark raised 3.6 points in a 7-point font, an index lowered
    // 2 points: both within half the 10-point text around them. A line 12
    // points below is a new line whichever font it is set in.
    std::string content = "BT /F1 10 Tf 72 700 Td (etex.ch) Tj /F1 7 Tf 31 3.6 Td (*) Tj /F1 10 Tf 4 -3.6 Td "
                          "( and x) Tj /F1 7 Tf 26 -2 Td (1) Tj /F1 10 Tf 4 2 Td (, y) Tj "
                          "/F1 7 Tf -65 -12 Td (small) Tj ET\n";
    EXPECT_EQ("etex.ch* and x1, y\r\nsmall\r\n", Extract(BuildTestPdf(OnePage(content))).text);
}

TEST(PdfExtract, TjGapsOfMoreThanATenthOfTheFontAreWordGaps)
{
    // Kerning inside words (small numbers, either sign) joins; -333 (a word space) separates.
    std::string content = Line(700, "[(W)83(ord)-27(s)-333(and)-95(gaps)-80(kern)120(ed)] TJ");
    EXPECT_EQ("Words and gapskerned\r\n", Extract(BuildTestPdf(OnePage(content))).text);
}

TEST(PdfExtract, ACombiningMarkPlacedApartStaysOnItsLetter)
{
    // Church Slavonic sets its accents (U+0301, U+0483 titlo) as glyphs of their own, moved into place;
    // a mark shown on its own, between word gaps, stays apart.
    TestPdf pdf = OnePage(Line(700, "[(pri)-200(\\001llia) -300 (g\\002\\001d) -300 (mark) -300 (\\001) -300 (end)] TJ"));
    pdf.fonts[0].dict = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding << /Differences "
                        "[1 /uni0301 /uni0483] >> >>";
    EXPECT_EQ("pri\xCC\x81llia g\xD2\x83\xCC\x81" "d mark \xCC\x81 end\r\n", Extract(BuildTestPdf(pdf)).text);
}

TEST(PdfExtract, DecodesEscapesOctalAndWinAnsiBytesToUtf8)
{
    // \351 is e-acute, \222 the right single quote in WinAnsi; escaped brackets and backslash.
    std::string content = Line(700, "(caf\\351 \\(it\\222s\\) a\\\\b \\\nend) Tj");
    content += Line(680, "(Gr\xFC\xDF"
                         "e \x80"
                         "5) Tj");
    // Accents drawn before their letter (as TeX does) join it; an accent alone stays.
    content += Line(660, "(r\264esum\264e \250u \250) Tj");
    Extracted e = Extract(BuildTestPdf(OnePage(content)));
    EXPECT_EQ("caf\xC3\xA9 (it\xE2\x80\x99s) a\\b end\r\nGr\xC3\xBC\xC3\x9F"
              "e \xE2\x82\xAC"
              "5\r\n"
              "r\xC3\xA9sum\xC3\xA9 \xC3\xBC \xC2\xA8\r\n",
              e.text);
}

TEST(PdfExtract, HexStringsOfSimpleAndCompositeFonts)
{
    TestPdf pdf = OnePage(Line(700, "<48656c6c6f20> Tj <576F726C64> Tj") +
                          "BT /F2 12 Tf 72 680 Td <00030004> Tj [<0005>-400<0003>] TJ ET\n");
    TestPdfFont composite;
    composite.name = "F2";
    composite.dict = "<< /Type /Font /Subtype /Type0 /BaseFont /ABCDEF+Sans /Encoding /Identity-H >>";
    composite.toUnicode = TwoByteCmap({{3, "Z"}, {4, "oo"}, {5, "fi"}});
    pdf.fonts.push_back(composite);
    EXPECT_EQ("Hello World\r\nZoofi Z\r\n", Extract(BuildTestPdf(pdf)).text);

    // A composite font without a map gives glyph numbers, not text: nothing is written.
    TestPdf unmapped = pdf;
    unmapped.fonts[1].toUnicode.clear();
    EXPECT_EQ("Hello World\r\n", Extract(BuildTestPdf(unmapped)).text);
}

TEST(PdfExtract, CompositeFontsWithoutAMapByTheirCharacterCollectionOrUnicodeEncoding)
{
    // Japanese by the CIDs of Adobe-Japan1 (Identity-H), Korean by Adobe-Korea1
    // in a referenced descendant, Chinese by a UCS-2 encoding's own codes.
    TestPdf pdf = OnePage("BT /F2 12 Tf 72 700 Td <0CD40E8A07A0034B> Tj ET\n"
                          "BT /F3 12 Tf 72 680 Td <0CE004D6> Tj ET\n"
                          "BT /F4 12 Tf 72 660 Td <4E2D6587> Tj ET\n"
                          "BT /F5 12 Tf 72 640 Td <0CD4> Tj ET\n"
                          // Vertical text: each column one line, however its shows step down it.
                          "BT /F6 10 Tf 1 0 0 1 300 600 Tm <0CD4> Tj 1 0 0 1 300 590 Tm <0E8A> Tj "
                          "1 0 0 1 300 580 Tm <07A0> Tj 1 0 0 1 285 600 Tm <034B> Tj 1 0 0 1 285.5 590 Tm <034B> Tj ET\n");
    auto font = [](const char* name, const std::string& dict) {
        TestPdfFont f;
        f.name = name;
        f.dict = dict;
        return f;
    };
    pdf.fonts.push_back(font("F2", "<< /Type /Font /Subtype /Type0 /Encoding /Identity-H /DescendantFonts [<< "
                                   "/Subtype /CIDFontType0 /CIDSystemInfo << /Registry (Adobe) /Ordering (Japan1) "
                                   "/Supplement 6 >> >>] >>"));
    pdf.fonts.push_back(font("F3", "<< /Type /Font /Subtype /Type0 /Encoding /Identity-V /DescendantFonts [91 0 R] >>"));
    pdf.extraObjects = "91 0 obj << /Subtype /CIDFontType0 /CIDSystemInfo 92 0 R >> endobj\n"
                       "92 0 obj << /Registry (Adobe) /Ordering (Korea1) /Supplement 2 >> endobj\n";
    pdf.fonts.push_back(font("F4", "<< /Type /Font /Subtype /Type0 /Encoding /UniGB-UCS2-H >>"));
    // A collection of no known ordering still gives nothing.
    pdf.fonts.push_back(font("F5", "<< /Type /Font /Subtype /Type0 /Encoding /Identity-H /DescendantFonts [<< "
                                   "/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) >> >>] >>"));
    pdf.fonts.push_back(font("F6", "<< /Type /Font /Subtype /Type0 /Encoding /Identity-V /DescendantFonts [<< "
                                   "/CIDSystemInfo << /Registry (Adobe) /Ordering (Japan1) >> >>] >>"));
    EXPECT_EQ("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\x82\r\n"
              "\xED\x95\x9C\xEA\xB8\x80\r\n"
              "\xE4\xB8\xAD\xE6\x96\x87\r\n"
              "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\r\n\xE3\x81\x82\xE3\x81\x82\r\n",
              Extract(BuildTestPdf(pdf)).text);
}

TEST(PdfExtract, ReadsFontsFromObjectStreamsAndDifferences)
{
    // Ligatures by their old and their new names (Latin Modern's "f_i"),
    // Greek letters with their accents by their names.
    TestPdf pdf = OnePage(Line(700, "(\\001\\002\\003 \\004\\005\\006 hxi) Tj") + "BT /F2 12 Tf 72 680 Td <0003> Tj ET\n");
    pdf.fonts[0].dict = "<< /Type /Font /Subtype /Type1 /BaseFont /X /Encoding << /Differences [1 /eacute /fi "
                        "/f_f_l 4 /omegatonos /iotadieresistonos /sigma1 32 /space 104 /angbracketleft /angbracketright] >> >>";
    TestPdfFont composite;
    composite.name = "F2";
    composite.dict = "<< /Type /Font /Subtype /Type0 /Encoding /Identity-H >>";
    composite.toUnicode = TwoByteCmap({{3, "ok"}});
    pdf.fonts.push_back(composite);
    pdf.fontsInObjectStream = true;
    EXPECT_EQ("\xC3\xA9\xEF\xAC\x81\xEF\xAC\x84 \xCF\x8E\xCE\x90\xCF\x82 \xE2\x9F\xA8x\xE2\x9F\xA9\r\nok\r\n", Extract(BuildTestPdf(pdf)).text);
}

TEST(PdfExtract, StepsOverInlineImagesAndMarkedContent)
{
    std::string content = "BI /W 4 /H 1 /BPC 8 /CS /G ID \x01(fake) Tj BT\xFF EI\n" +
                          Line(700, "/Span << /ActualText (not this) >> BDC (real) Tj EMC");
    EXPECT_EQ("real\r\n", Extract(BuildTestPdf(OnePage(content))).text);
}

TEST(PdfExtract, SkipsABombAndADamagedStreamAndKeepsTheRest)
{
    TestPdf pdf;
    pdf.pages.push_back(TestPdfPage{Line(700, "(before) Tj"), true});
    pdf.pages.push_back(
        TestPdfPage{std::string(50000000, ' ') + Line(700, "(bomb) Tj"), true});  // ~49 KB packed
    pdf.pages.push_back(TestPdfPage{Line(700, "(after) Tj"), true});
    Extracted e = Extract(BuildTestPdf(pdf));
    EXPECT_EQ("before\r\nafter\r\n", e.text);
    EXPECT_EQ(1, e.skipped);

    TestPdf damaged;
    damaged.pages.push_back(TestPdfPage{Line(700, "(kept) Tj"), true});
    damaged.pages.push_back(TestPdfPage{Line(700, "(broken page text) Tj"), true});
    damaged.pages.push_back(TestPdfPage{Line(700, "(also kept) Tj"), true});
    std::string bytes = BuildTestPdf(damaged);
    size_t second = bytes.find("stream\r\n", bytes.find("stream\r\n") + 1);  // the second page's content
    ASSERT_NE(std::string::npos, second);
    bytes[second + 12] ^= 0x5A;
    bytes[second + 13] ^= 0x5A;
    e = Extract(bytes);
    EXPECT_EQ("kept\r\nalso kept\r\n", e.text);
    EXPECT_EQ(1, e.skipped);
}

TEST(PdfExtract, AStreamWhoseLastByteIsALineEndKeepsItByItsLength)
{
    // Packed data that happens to end in 0x0A, written with no line end
    // before "endstream" (as groff's writer does): /Length tells.
    std::string content;
    std::string packed;
    for (int i = 0; i < 4000; i++) {
        content = Line(700, "(ends in a line feed " + std::to_string(i) + ") Tj");
        packed = Deflate(content);
        if (packed.back() == '\n') break;
    }
    ASSERT_EQ('\n', packed.back());
    std::string pdf = BuildTestPdf(OnePage("PLACEHOLDER", false));
    size_t at = pdf.find("<< /Length 11 >>\nstream\r\nPLACEHOLDER\r\nendstream");
    ASSERT_NE(std::string::npos, at);
    pdf.replace(at, std::string("<< /Length 11 >>\nstream\r\nPLACEHOLDER\r\nendstream").size(),
                "<< /Length " + std::to_string(packed.size()) + " /Filter /FlateDecode >>\nstream\n" + packed +
                    "endstream");
    Extracted e = Extract(pdf);
    EXPECT_EQ(0, e.skipped);
    EXPECT_NE(std::string::npos, e.text.find("ends in a line feed"));
}

TEST(PdfExtract, APageThatPacksTightlyIsReadAll)
{
    // Text padded with blanks (as groff writes its pages) packs to a
    // thirtieth of its size and more: still text, not a bomb.
    std::string content;
    for (int i = 0; i < 3000; i++)
        content += "BT /F1 12 Tf 72 " + std::to_string(700 - i % 50) + " Td (word" + std::to_string(i * 7919 % 1000) +
                   ")" + std::string(60, ' ') + " Tj ET\n";
    content += Line(100, "(last) Tj");
    ASSERT_GT(content.size(), Deflate(content).size() * 20);
    Extracted e = Extract(BuildTestPdf(OnePage(content)));
    EXPECT_EQ(0, e.skipped);
    EXPECT_NE(std::string::npos, e.text.find("last"));
}

TEST(PdfExtract, SkipsAStreamOverTheSizeLimitAndKeepsTheRest)
{
    std::string noise;
    for (int i = 0; noise.size() < 1100000; i++) noise += std::to_string(i * 7919 % 100003) + " 0 m ";
    TestPdf pdf;
    pdf.pages.push_back(TestPdfPage{Line(700, "(small) Tj"), true});
    pdf.pages.push_back(TestPdfPage{noise + Line(700, "(huge) Tj"), false});
    pdf.pages.push_back(TestPdfPage{Line(700, "(end) Tj"), true});
    Extracted e = Extract(BuildTestPdf(pdf));
    EXPECT_EQ("small\r\nend\r\n", e.text);
    EXPECT_EQ(1, e.skipped);
}

TEST(PdfExtract, ReadsACutFileUpToTheCut)
{
    TestPdf pdf;
    pdf.pages.push_back(TestPdfPage{Line(700, "(whole page) Tj"), true});
    pdf.pages.push_back(TestPdfPage{Line(700, "(cut page) Tj") + std::string(2000, ' '), true});
    std::string bytes = BuildTestPdf(pdf);
    size_t last = bytes.rfind("stream\r\n", bytes.rfind("endstream") - 1);
    Extracted e = Extract(bytes.substr(0, last + 12));
    EXPECT_EQ(kPdfExtracted, e.status);
    EXPECT_EQ("whole page\r\n", e.text);
    for (size_t cut = 0; cut < bytes.size(); cut += 37) Extract(bytes.substr(0, cut));  // no cut may crash
}

TEST(PdfExtract, ReadsOnlyTheFirstBytesOfALargeFile)
{
    TestPdf pdf;
    pdf.pages.push_back(TestPdfPage{Line(700, "(early) Tj"), true});
    std::string filler;
    for (int i = 0; filler.size() < 6000000; i++) filler += "% filler comment " + std::to_string(i) + "\n";
    std::string bytes = BuildTestPdf(pdf);
    bytes.insert(bytes.find("xref"), filler + StreamObject(99, Line(700, "(late) Tj"), true));
    ASSERT_GT(bytes.size(), 6000000u);
    PdfExtractResult result;
    ExtractPdfTextFromBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), PdfExtractLimits(),
                            &result);
    EXPECT_EQ("early\r\n", std::string(result.text, result.size));
    EXPECT_TRUE(result.fileCut);
    EXPECT_FALSE(result.truncated);
    PdfExtractFree(&result);
}

TEST(PdfExtract, RefusesEncryptedAndNonPdfFiles)
{
    TestPdf pdf = OnePage(Line(700, "(secret) Tj"));
    pdf.encrypted = true;
    Extracted e = Extract(BuildTestPdf(pdf));
    EXPECT_EQ(kPdfEncrypted, e.status);
    EXPECT_EQ("", e.text);
    EXPECT_EQ(kPdfNotPdf, Extract("<html>stream\r\nBT (x) Tj ET\r\nendstream").status);
    EXPECT_EQ(kPdfNotPdf, Extract("").status);
}

TEST(PdfExtract, CutsTheTextAtItsLimit)
{
    std::string content;
    for (int i = 0; i < 800; i++)
        content += Line(700 - 14 * i, "(line of text number " + std::to_string(i) + ") Tj");
    PdfExtractLimits limits;
    limits.maxTextBytes = 1000;
    Extracted e = Extract(BuildTestPdf(OnePage(content)), limits);
    EXPECT_TRUE(e.truncated);
    EXPECT_LE(e.text.size(), 1002u);
    EXPECT_EQ(0u, e.text.find("line of text number 0\r\nline of text number 1\r\n"));
}

std::string Tidy(const std::string& text)
{
    TextOutput out;
    TextOutputInit(&out, text.size() * 2 + 16);
    TidyPdfText(text.data(), text.size(), &out);
    std::string s(out.data ? out.data : "", out.size);
    TextOutputFree(&out);
    return s;
}

TEST(PdfTidy, TrimsBlanksKeepsOneEmptyLineBreaksLongLinesAndJoinsDividedWords)
{
    EXPECT_EQ("a b\r\n\r\nc\r\n", Tidy("\r\n  a   b  \r\n\r\n\r\n\r\n  c \r\n"));
    EXPECT_EQ("", Tidy(" \r\n \r\n"));
    std::string sentence(60, 'x');
    std::string text = sentence + ". " + sentence + "! " + sentence + ". end";
    EXPECT_EQ(sentence + ". " + sentence + "!\r\n" + sentence + ". end\r\n", Tidy(text));
    EXPECT_EQ("McDonald iPhone\r\n", Tidy("McDonald iPhone"));  // camel case stays one word
    EXPECT_EQ("government is well-\r\nKnown 12-\r\n3\r\n",
              Tidy("govern-\r\nment is well-\r\nKnown 12-\r\n3"));
    // Greek (polytonic too), Cyrillic and accented Latin words are joined
    // alike; a capital after the break keeps it.
    EXPECT_EQ("\xCF\x84\xE1\xBF\x86\xCF\x82\r\n", Tidy("\xCF\x84\xE1\xBF\x86-\r\n\xCF\x82"));
    EXPECT_EQ("\xCF\x80\xCE\xBF\xCE\xBB\xCF\x8D \xD0\xB8\xD0\xB7\xD0\xBF\xD0\xBE\xD0\xBB \xC3\xA9t\xC3\xA9 "
              "\xD0\xB0-\r\n\xD0\x91\r\n",
              Tidy("\xCF\x80\xCE\xBF-\r\n\xCE\xBB\xCF\x8D \xD0\xB8\xD0\xB7-\r\n\xD0\xBF\xD0\xBE\xD0\xBB "
                   "\xC3\xA9-\r\nt\xC3\xA9 \xD0\xB0-\r\n\xD0\x91"));
}

}  // namespace
