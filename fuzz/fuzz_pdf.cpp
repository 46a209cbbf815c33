// libFuzzer target for the PDF text reader: the whole extraction over the
// input (read as a PDF, with its header added when missing) and the content
// scanner over the input as one page's content. The text must stay within
// its cap and be valid UTF-8.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

#include "search/pdf/pdf_content_scanner.h"
#include "search/pdf/pdf_extract.h"
#include "search/pdf/pdf_filters.h"

namespace {

void CheckUtf8(const char* text, size_t size)
{
    for (size_t i = 0; i < size;) {
        uint8_t c = uint8_t(text[i]);
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > size) abort();
        for (size_t k = 1; k < n; k++)
            if ((uint8_t(text[i + k]) & 0xC0) != 0x80) abort();
        i += n;
    }
}

const PdfFontMap* NoFont(void*, const uint8_t*, size_t) { return nullptr; }

// Every stream filter over the input as a stream's bytes, and the chain the
// input names as a dictionary: never past the bound.
void CheckFilters(const uint8_t* data, size_t size)
{
    const size_t bound = 1 << 16;
    std::vector<uint8_t> out;
    if (DecodeAsciiHex(data, size, bound, &out) == kPdfDecodeOk && out.size() > bound) abort();
    if (DecodeAscii85(data, size, bound, &out) == kPdfDecodeOk && out.size() > bound) abort();
    if (DecodeLzw(data, size, size & 1, bound, &out) == kPdfDecodeOk && out.size() > bound) abort();
    if (DecodeRunLength(data, size, bound, &out) == kPdfDecodeOk && out.size() > bound) abort();
    if (size > 4) {
        PdfFilterParams params;
        params.predictor = data[0] % 16;
        params.colors = 1 + data[1] % 4;
        params.bitsPerComponent = 1 << (data[2] % 5);
        params.columns = 1 + data[3];
        std::vector<uint8_t> rows(data + 4, data + size);
        size_t before = rows.size();
        UndoPredictor(params, &rows);
        if (rows.size() > before) abort();
    }
    PdfFilterChain chain = ReadPdfFilterChain(data, data + size);
    if (chain.count > kPdfMaxFilterSteps) abort();
    if (DecodePdfStream(data, size, chain, bound, &out) == kPdfDecodeOk && out.size() > bound) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PdfExtractLimits limits;
    limits.maxTextBytes = 4096;
    limits.maxInflatedBytes = 1 << 20;
    std::vector<uint8_t> file;
    if (size < 5 || memcmp(data, "%PDF-", 5) != 0) {
        static const char kHeader[] = "%PDF-1.4\n";
        file.assign(kHeader, kHeader + sizeof(kHeader) - 1);
    }
    file.insert(file.end(), data, data + size);
    PdfExtractResult result;
    ExtractPdfTextFromBytes(file.data(), file.size(), limits, &result);
    if (result.size > limits.maxTextBytes + limits.maxTextBytes / 2 + 16) abort();
    CheckUtf8(result.text, result.size);
    PdfExtractFree(&result);

    TextOutput out;
    TextOutputInit(&out, 4096);
    PdfFontSource fonts{NoFont, nullptr};
    ScanPdfContent(data, size, fonts, &out);
    if (out.size > out.cap) abort();
    CheckUtf8(out.data, out.size);
    TextOutputFree(&out);
    CheckFilters(data, size);
    return 0;
}
