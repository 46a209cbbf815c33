// The characters of the Adobe CJK character collections (Japan1, GB1, CNS1,
// Korea1): a composite font without a ToUnicode map that names one of them in
// its /CIDSystemInfo draws its glyphs by these CIDs.
#pragma once
#include <stddef.h>
#include <stdint.h>

struct PdfCidRun {
    uint16_t cid;    // the first CID of the run
    uint16_t count;  // CIDs in the run
    uint32_t first;  // the character of the first; the next CIDs count up
};

struct PdfCidCollection {
    const char* ordering;  // "Japan1"
    const PdfCidRun* runs;  // sorted by CID
    size_t count;
};

extern const PdfCidCollection kPdfCidCollections[];
extern const size_t kPdfCidCollectionCount;

// The collection of an /Ordering name (without its parentheses), null when
// it is none of them.
const PdfCidCollection* PdfFindCidCollection(const uint8_t* ordering, size_t length);
// The character of a CID in a collection, 0 when it has none.
uint32_t PdfCidChar(const PdfCidCollection& collection, uint32_t cid);
