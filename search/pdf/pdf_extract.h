// Text extraction from a PDF held in memory: finds the streams, inflates them
// within bounds, reads the fonts' code maps and scans the page contents.
// Pure function over bytes; the cache file lives in pdf_text_cache.h.
#pragma once
#include <stddef.h>
#include <stdint.h>

enum PdfExtractStatus {
    kPdfExtracted = 0,  // text (possibly none) was read
    kPdfNotPdf = 1,     // no "%PDF-" header
    kPdfEncrypted = 2,  // the strings are enciphered: nothing readable
};

struct PdfExtractLimits {
    size_t maxFileBytes = 5000000;           // bytes of the file that are read
    size_t maxStreamBytes = 1000000;         // a longer compressed stream is skipped
    size_t inflateFactor = 100;              // a stream may unpack to this many times its size,
    size_t inflateFloor = 65536;             //   but always to this many bytes,
    size_t maxInflatedBytes = 10000000;      //   and never to more than this
    size_t maxTextBytes = 50000;             // the text is cut here
    size_t maxObjectStreamBytes = 20000000;  // object streams kept unpacked at once
};

struct PdfExtractResult {
    int status = kPdfExtracted;
    char* text = nullptr;  // UTF-8, lines ended by CR LF, tidied; free with PdfExtractFree
    size_t size = 0;
    bool truncated = false;  // the text reached maxTextBytes
    bool fileCut = false;    // the file is longer than maxFileBytes: only its start was read
    int streamsRead = 0;
    int streamsSkipped = 0;   // too large, a bomb, damaged, or of an unknown filter
    const char* reason = "";  // for a status other than kPdfExtracted, in words
};

// Extracts the text of the PDF bytes (only the first maxFileBytes are looked at).
void ExtractPdfTextFromBytes(const uint8_t* data, size_t size, const PdfExtractLimits& limits,
                             PdfExtractResult* result);
void PdfExtractFree(PdfExtractResult* result);
