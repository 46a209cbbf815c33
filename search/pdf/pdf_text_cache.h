// The text of a PDF file that a note links to, pulled out once into a cache
// file for the preview: the "txt" folder of the program's temporary folder +
// the PDF's file name + ".txt", UTF-8 with a byte-order mark, lines ended by
// CR LF. The preview deletes the cache file to force a new extraction.
#pragma once
#include "foundation/ai_string.h"
#include "search/pdf/pdf_extract.h"

// What extraction reports while it works (the status line of the program);
// null members are skipped.
struct PdfTextHooks {
    void (*showStatus)(const WCHAR* text, int level);
};
void SetPdfTextHooks(const PdfTextHooks& hooks);

// The cache file's path for a PDF.
void GetPdfTextCachePath(const WCHAR* pdfPath, AIString& out);

// Reads at most limits.maxFileBytes of the PDF and extracts its text into
// textPath (written whole or not at all). 1 when written; 0 when the PDF
// cannot be read or is refused, with the reason in words in *reason.
int ExtractPdfFileToText(const WCHAR* pdfPath, const WCHAR* textPath, const PdfExtractLimits& limits,
                         AIString* reason, PdfExtractResult* details = nullptr);

// 1 when the cache file exists (then nothing is extracted again) or was
// written; 0 when there is no text for the preview (reason in *reason).
int ExtractPdfText(const WCHAR* pdfPath, AIString* reason = nullptr);
