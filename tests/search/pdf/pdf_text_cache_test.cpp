// The PDF text cache file: written once with its byte-order mark, reused
// while it exists, never written for a refused PDF.
#include "tests/support/gtest.h"
#include "tests/support/test_files.h"
#include "tests/search/pdf/pdf_builder.h"
#include "foundation/ai_file.h"
#include "foundation/app.h"
#include "search/pdf/pdf_text_cache.h"
#include "tests/search/own_temp_folder.h"

namespace {

class PdfTextCache : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = UseOwnTempFolder(L"tavik_pdf_cache_");
        for (const WCHAR* name : {L"\\txt\\report.pdf.txt", L"\\txt\\locked.pdf.txt"}) {
            AIString stale(folder_);
            DeleteStaleCacheFile(stale.AppendText(name));  // left by an earlier run
        }
        statusCalls = 0;
        SetPdfTextHooks(PdfTextHooks{[](const WCHAR*, int) { statusCalls++; }});
    }
    void TearDown() override { SetPdfTextHooks(PdfTextHooks{}); }

    AIString WritePdf(const WCHAR* name, const std::string& bytes)
    {
        AIString path(folder_);
        path.AppendText(L"\\").AppendText(name);
        WriteBytes(path.GetText(), bytes);
        return path;
    }

    AIString folder_;
    static int statusCalls;
};
int PdfTextCache::statusCalls = 0;

TestPdf Page(const std::string& text)
{
    TestPdf pdf;
    pdf.pages.push_back(TestPdfPage{"BT /F1 12 Tf 72 700 Td (" + text + ") Tj ET", true});
    return pdf;
}

TEST_F(PdfTextCache, WritesTheTextOnceAndReusesTheFile)
{
    AIString pdf = WritePdf(L"report.pdf", BuildTestPdf(Page("caf\\351 menu")));
    AIString cache;
    GetPdfTextCachePath(pdf.GetText(), cache);
    EXPECT_EQ(Utf8(folder_) + "\\txt\\report.pdf.txt", Utf8(cache));
    ASSERT_EQ(1, ExtractPdfText(pdf.GetText()));
    EXPECT_EQ("\xEF\xBB\xBF"
              "caf\xC3\xA9 menu\r\n",
              ReadBytes(cache.GetText()));
    EXPECT_EQ(2, statusCalls);  // "Extracting ..." and "Ready"

    WriteBytes(cache.GetText(), "kept as it is");
    ASSERT_EQ(1, ExtractPdfText(pdf.GetText()));
    EXPECT_EQ("kept as it is", ReadBytes(cache.GetText()));
}

TEST_F(PdfTextCache, RefusedAndMissingFilesLeaveNoTextFile)
{
    TestPdf locked = Page("secret");
    locked.encrypted = true;
    AIString pdf = WritePdf(L"locked.pdf", BuildTestPdf(locked));
    AIString cache, reason;
    GetPdfTextCachePath(pdf.GetText(), cache);
    EXPECT_EQ(0, ExtractPdfText(pdf.GetText(), &reason));
    EXPECT_EQ("the PDF is encrypted", Utf8(reason));
    EXPECT_EQ(0, AIFile::Exists(cache.GetText()));
    AIString partial(cache);
    partial.AppendText(L".tmp");
    EXPECT_EQ(0, AIFile::Exists(partial.GetText()));

    AIString missing(folder_);
    missing.AppendText(L"\\absent.pdf");
    EXPECT_EQ(0, ExtractPdfText(missing.GetText(), &reason));
    EXPECT_EQ("the PDF file cannot be opened", Utf8(reason));
    GetPdfTextCachePath(missing.GetText(), cache);
    EXPECT_EQ(0, AIFile::Exists(cache.GetText()));
}

}  // namespace
