// Look-ups in the CJK character collections' tables (pdf_cid_unicode_table.cpp).
#include "search/pdf/pdf_cid_unicode.h"
#include <algorithm>
#include <string.h>

const PdfCidCollection* PdfFindCidCollection(const uint8_t* ordering, size_t length)
{
    for (size_t i = 0; i < kPdfCidCollectionCount; i++) {
        const char* name = kPdfCidCollections[i].ordering;
        if (strlen(name) == length && memcmp(name, ordering, length) == 0) return &kPdfCidCollections[i];
    }
    return nullptr;
}

uint32_t PdfCidChar(const PdfCidCollection& collection, uint32_t cid)
{
    const PdfCidRun* end = collection.runs + collection.count;
    const PdfCidRun* it = std::upper_bound(collection.runs, end, cid,
                                           [](uint32_t c, const PdfCidRun& run) { return c < run.cid; });
    if (it == collection.runs) return 0;
    --it;
    return cid < uint32_t(it->cid) + it->count ? it->first + (cid - it->cid) : 0;
}
