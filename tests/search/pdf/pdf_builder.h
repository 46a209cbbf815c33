// Makes small PDF files for the tests and the fuzzer's seeds: pages with
// content streams (plain or Flate), fonts with an encoding or a ToUnicode
// map, an object stream, an encryption entry, and a cross-reference table.
#pragma once
#include <string>
#include <vector>

struct TestPdfPage {
    std::string content;  // the page's content stream
    bool compressed = true;
    // A /Filter entry (with its /DecodeParms) for content already encoded by
    // the test; empty: `compressed` decides.
    std::string filters;
};

struct TestPdfFont {
    std::string name = "F1";  // resource name
    std::string dict = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>";
    std::string toUnicode;  // a CMap; empty: none
};

struct TestPdf {
    std::vector<TestPdfPage> pages;
    std::vector<TestPdfFont> fonts = {TestPdfFont()};
    bool fontsInObjectStream = false;
    bool encrypted = false;
    std::string extraObjects;  // written as they are (numbers from 90 on are free)
};

std::string BuildTestPdf(const TestPdf& pdf);
std::string Deflate(const std::string& bytes);
// A stream object "N 0 obj << /Length L /Filter /FlateDecode >> stream ... endstream endobj".
std::string StreamObject(int number, const std::string& data, bool compressed, const std::string& extra = "");
// The test's own encoders for the stream filters.
std::string Ascii85(const std::string& bytes);
std::string AsciiHex(const std::string& bytes);
std::string RunLengthLiterals(const std::string& bytes);
std::string Lzw(const std::string& bytes, int earlyChange = 1);
// A ToUnicode CMap for two-byte codes: each pair (code, text) as bfchar.
std::string TwoByteCmap(const std::vector<std::pair<unsigned, std::string>>& codes);
