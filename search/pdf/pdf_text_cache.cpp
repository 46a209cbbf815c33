// The PDF text cache file: reads the PDF, runs the extraction, writes the text.
#include "search/pdf/pdf_text_cache.h"
#include "foundation/ai_file.h"
#include "foundation/app.h"
#include "foundation/trace.h"
#include <stdlib.h>

namespace {

PdfTextHooks g_hooks = {};

enum { kStatusBusy = 1, kStatusReady = 0 };

void ShowStatus(const WCHAR* text, int level)
{
    if (g_hooks.showStatus) g_hooks.showStatus(text, level);
}

const BYTE kUtf8Bom[3] = {0xEF, 0xBB, 0xBF};

}  // namespace

void SetPdfTextHooks(const PdfTextHooks& hooks) { g_hooks = hooks; }

void GetPdfTextCachePath(const WCHAR* pdfPath, AIString& out)
{
    AIString name(pdfPath);
    name.SplitAtChar(L'\\', 1, 1);
    name.SplitAtChar(L'/', 1, 1);
    out.AssignText(g_app.system.GetTempFolder())
        .AppendText(L"\\txt\\")
        .AppendString(name)
        .AppendText(L".txt");
}

int ExtractPdfFileToText(const WCHAR* pdfPath, const WCHAR* textPath, const PdfExtractLimits& limits,
                         AIString* reason, PdfExtractResult* details)
{
    TRACE_SCOPE(870, 1);
    AIString why;
    int ok = 0;
    AIFile pdf;
    if (!pdf.OpenForRead(pdfPath, 0)) {
        why.AssignText(L"the PDF file cannot be opened");
    } else {
        int64_t size = pdf.GetSize();
        bool cut = size > (int64_t)limits.maxFileBytes;
        if (cut) size = (int64_t)limits.maxFileBytes;
        uint8_t* bytes = size > 0 ? static_cast<uint8_t*>(malloc((size_t)size)) : nullptr;
        if (size <= 0 || !bytes || pdf.ReadChunk(bytes, (int)size) != (int)size) {
            why.AssignText(size <= 0 ? L"the PDF file is empty" : L"the PDF file cannot be read");
        } else {
            pdf.Close();
            PdfExtractResult result;
            ExtractPdfTextFromBytes(bytes, (size_t)size, limits, &result);
            result.fileCut = result.fileCut || cut;
            if (result.status != kPdfExtracted) {
                why.AssignAscii(result.reason);
            } else if (!AIFile::WriteBytesFile(textPath, kUtf8Bom, sizeof(kUtf8Bom), result.text,
                                               (int)result.size)) {
                why.AssignText(L"the text file cannot be written");
            } else {
                ok = 1;
            }
            if (details) {
                *details = result;
                details->text = nullptr;
                details->size = 0;
            }
            PdfExtractFree(&result);
        }
        free(bytes);
    }
    if (reason) reason->Copy(why);
    return ok;
}

int ExtractPdfText(const WCHAR* pdfPath, AIString* reason)
{
    TRACE_SCOPE(870, 2);
    AIString textPath;
    GetPdfTextCachePath(pdfPath, textPath);
    if (AIFile::Exists(textPath.GetText())) return 1;
    AIString folder(g_app.system.GetTempFolder());
    AIFile::CreateFolder(folder.GetText());
    folder.AppendText(L"\\txt");
    AIFile::CreateFolder(folder.GetText());
    AIString name(textPath);
    name.SplitAtChar(L'\\', 1, 1);
    AIString status(L"Extracting text from PDF  ");
    status.AppendString(name);
    ShowStatus(status.GetText(), kStatusBusy);
    int ok = ExtractPdfFileToText(pdfPath, textPath.GetText(), PdfExtractLimits(), reason);
    ShowStatus(L"Ready", kStatusReady);
    return ok;
}
