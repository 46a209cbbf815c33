// The standard stream filters of PDF files, as a chain read from a stream's
// dictionary: ASCIIHexDecode, ASCII85Decode, LZWDecode (with EarlyChange),
// RunLengthDecode and FlateDecode, each with the TIFF and PNG predictors.
// Every step is bounded like inflation: no output grows past the bound.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <vector>

enum PdfFilterKind {
    kPdfFilterFlate,
    kPdfFilterAsciiHex,
    kPdfFilterAscii85,
    kPdfFilterLzw,
    kPdfFilterRunLength,
};

// What a filter's /DecodeParms say.
struct PdfFilterParams {
    int predictor = 1;  // 1 none, 2 TIFF, 10-15 PNG
    int colors = 1;
    int bitsPerComponent = 8;
    int columns = 1;
    int earlyChange = 1;  // LZW only
};

struct PdfFilterStep {
    PdfFilterKind kind;
    PdfFilterParams params;
};

const size_t kPdfMaxFilterSteps = 8;

enum PdfFilterChainStatus {
    kPdfChainNone,     // no /Filter: the stream is its own bytes
    kPdfChainKnown,    // every filter of the chain can be undone
    kPdfChainUnknown,  // a filter the reader does not know (images' DCT, JBIG2 ...)
};

struct PdfFilterChain {
    PdfFilterChainStatus status = kPdfChainNone;
    PdfFilterStep steps[kPdfMaxFilterSteps];
    size_t count = 0;
};

// The chain of the stream dictionary [begin, end).
PdfFilterChain ReadPdfFilterChain(const uint8_t* begin, const uint8_t* end);

enum PdfDecodeResult {
    kPdfDecodeOk = 0,
    kPdfDecodeTooLarge = 1,  // a step would produce more than the bound
    kPdfDecodeDamaged = 2,   // data the filter cannot read
};

// Undoes every filter of the chain on [data, data + size) into out; no step
// makes more than `bound` bytes.
int DecodePdfStream(const uint8_t* data, size_t size, const PdfFilterChain& chain, size_t bound,
                    std::vector<uint8_t>* out);

// The single filters, for the chain and the tests.
int DecodeAsciiHex(const uint8_t* data, size_t size, size_t bound, std::vector<uint8_t>* out);
int DecodeAscii85(const uint8_t* data, size_t size, size_t bound, std::vector<uint8_t>* out);
int DecodeLzw(const uint8_t* data, size_t size, int earlyChange, size_t bound, std::vector<uint8_t>* out);
int DecodeRunLength(const uint8_t* data, size_t size, size_t bound, std::vector<uint8_t>* out);
int UndoPredictor(const PdfFilterParams& params, std::vector<uint8_t>* bytes);
