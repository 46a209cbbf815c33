// Test PDFs.
#include "tests/search/pdf/pdf_builder.h"
#include <map>
#include <stdint.h>
#include <stdio.h>
#include <zlib.h>

std::string Deflate(const std::string& bytes)
{
    uLongf size = compressBound(bytes.size());
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(bytes.data()),
              bytes.size(), 9);
    out.resize(size);
    return out;
}

std::string StreamObject(int number, const std::string& data, bool compressed, const std::string& extra)
{
    std::string body = compressed ? Deflate(data) : data;
    std::string out = std::to_string(number) + " 0 obj\n<< /Length " + std::to_string(body.size());
    if (compressed) out += " /Filter /FlateDecode";
    out += extra + " >>\nstream\r\n" + body + "\r\nendstream\nendobj\n";
    return out;
}

std::string Ascii85(const std::string& bytes)
{
    std::string out = "<~";
    for (size_t i = 0; i < bytes.size(); i += 4) {
        size_t n = bytes.size() - i < 4 ? bytes.size() - i : 4;
        uint32_t group = 0;
        for (size_t b = 0; b < 4; b++) group = group << 8 | (b < n ? uint8_t(bytes[i + b]) : 0);
        if (group == 0 && n == 4) {
            out += 'z';
            continue;
        }
        char digits[5];
        for (int d = 4; d >= 0; d--) {
            digits[d] = char('!' + group % 85);
            group /= 85;
        }
        out.append(digits, n + 1);
        if (i % 64 == 60) out += '\n';  // line breaks inside the data are allowed
    }
    return out + "~>";
}

std::string AsciiHex(const std::string& bytes)
{
    std::string out;
    char hex[4];
    for (unsigned char c : bytes) {
        snprintf(hex, sizeof(hex), "%02x ", c);
        out += hex;
    }
    return out + ">";
}

std::string RunLengthLiterals(const std::string& bytes)
{
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 128) {
        size_t n = bytes.size() - i < 128 ? bytes.size() - i : 128;
        out += char(n - 1);
        out += bytes.substr(i, n);
    }
    return out + char(128);
}

// LZW as PDF writers make it: 9- to 12-bit codes, a clear code first and
// whenever the table is full, the width growing one code early by default.
std::string Lzw(const std::string& bytes, int earlyChange)
{
    std::string out;
    uint32_t buffer = 0;
    int bits = 0, width = 9;
    auto put = [&](int code) {
        buffer = buffer << width | uint32_t(code);
        bits += width;
        while (bits >= 8) {
            out += char(buffer >> (bits - 8));
            bits -= 8;
        }
    };
    std::map<std::string, int> table;
    auto reset = [&]() {
        table.clear();
        for (int c = 0; c < 256; c++) table[std::string(1, char(c))] = c;
        width = 9;
    };
    reset();
    put(256);
    int next = 258;
    std::string w;
    for (char c : bytes) {
        std::string wc = w + c;
        if (table.count(wc)) {
            w = wc;
            continue;
        }
        put(table[w]);
        table[wc] = next++;
        if (next + earlyChange - 1 >= (1 << width)) {
            if (width == 12) {
                put(256);
                reset();
                next = 258;
            } else {
                width++;
            }
        }
        w = std::string(1, c);
    }
    if (!w.empty()) put(table[w]);
    put(257);
    if (bits > 0) out += char(buffer << (8 - bits));
    return out;
}

std::string TwoByteCmap(const std::vector<std::pair<unsigned, std::string>>& codes)
{
    std::string out = "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
                      "1 begincodespacerange <0000> <FFFF> endcodespacerange\n";
    out += std::to_string(codes.size()) + " beginbfchar\n";
    char hex[16];
    for (const auto& c : codes) {
        snprintf(hex, sizeof(hex), "<%04X> <", c.first);
        out += hex;
        for (unsigned char ch : c.second) {
            snprintf(hex, sizeof(hex), "%04X", ch);
            out += hex;
        }
        out += ">\n";
    }
    out += "endbfchar\nendcmap CMapName currentdict /CMap defineresource pop end end\n";
    return out;
}

std::string BuildTestPdf(const TestPdf& pdf)
{
    // Objects: 1 catalog, 2 pages, 3.. fonts (and their maps), then the pages and contents.
    std::vector<std::string> objects;
    std::vector<int> offsets;
    std::string out = "%PDF-1.5\n%\xE2\xE3\xCF\xD3\n";
    int next = 3;
    std::string fontResources = "<<";
    std::string fontObjects;
    std::string objectStreamHeader, objectStreamBody;
    int fontCount = 0;
    for (const TestPdfFont& font : pdf.fonts) {
        int fontNumber = next++;
        std::string dict = font.dict;
        if (!font.toUnicode.empty()) {
            int mapNumber = next++;
            dict.insert(dict.size() - 2, " /ToUnicode " + std::to_string(mapNumber) + " 0 R ");
            fontObjects += StreamObject(mapNumber, font.toUnicode, true);
        }
        fontResources += " /" + font.name + " " + std::to_string(fontNumber) + " 0 R";
        if (pdf.fontsInObjectStream) {
            objectStreamHeader +=
                std::to_string(fontNumber) + " " + std::to_string(objectStreamBody.size()) + " ";
            objectStreamBody += dict + "\n";
        } else {
            fontObjects += std::to_string(fontNumber) + " 0 obj\n" + dict + "\nendobj\n";
        }
        fontCount++;
    }
    fontResources += " >>";
    if (pdf.fontsInObjectStream) {
        int number = next++;
        std::string data = objectStreamHeader + objectStreamBody;
        fontObjects += StreamObject(number, data, true,
                                    " /Type /ObjStm /N " + std::to_string(fontCount) + " /First " +
                                        std::to_string(objectStreamHeader.size()));
    }
    std::string kids;
    std::string pageObjects;
    for (const TestPdfPage& page : pdf.pages) {
        int pageNumber = next++;
        int contentNumber = next++;
        kids += std::to_string(pageNumber) + " 0 R ";
        pageObjects += std::to_string(pageNumber) +
                       " 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] "
                       "/Resources << /Font " +
                       fontResources + " >> /Contents " + std::to_string(contentNumber) + " 0 R >>\nendobj\n";
        if (page.filters.empty()) pageObjects += StreamObject(contentNumber, page.content, page.compressed);
        else pageObjects += StreamObject(contentNumber, page.content, false, page.filters);
    }
    out += "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n";
    out += "2 0 obj\n<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pdf.pages.size()) +
           " >>\nendobj\n";
    out += fontObjects + pageObjects + pdf.extraObjects;
    int encryptNumber = next++;
    if (pdf.encrypted)
        out += std::to_string(encryptNumber) +
               " 0 obj\n<< /Filter /Standard /V 1 /R 2 /O (x) /U (y) /P -4 >>\nendobj\n";
    size_t xref = out.size();
    out += "xref\n0 1\n0000000000 65535 f \ntrailer\n<< /Size " + std::to_string(next) + " /Root 1 0 R";
    if (pdf.encrypted) out += " /Encrypt " + std::to_string(encryptNumber) + " 0 R";
    out += " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}
