// PDF text extraction over a folder of PDFs: writes each file's text as
// <name>.txt into the output folder (UTF-8 with its byte-order mark, as the
// preview's cache holds it) and prints per file the time (reading, extracting
// and writing), the words, whether the text was cut at its size limit ("cut")
// or the file read only to the reading limit ("filecut"), and the reason when
// a file is refused:
//   pdf_text_bench.exe <pdf folder> <output folder>
// bench/pdf_text_bench.sh runs it beside pdftotext and compares the words.
#include "foundation/win.h"
#include <shellapi.h>
#include "foundation/ai_file.h"
#include "foundation/ai_string.h"
#include "search/pdf/pdf_text_cache.h"
#include <stdio.h>
#include <string>

namespace {

int CountWords(const std::string& text)
{
    int words = 0;
    bool inWord = false;
    for (unsigned char c : text) {
        bool blank = c == ' ' || c == '\r' || c == '\n' || c == '\t';
        if (!blank && !inWord) words++;
        inWord = !blank;
    }
    return words;
}

std::string ReadAll(const WCHAR* path)
{
    AIFile file;
    std::string bytes;
    if (!file.OpenForRead(path, 0)) return bytes;
    bytes.resize((size_t)file.GetSize());
    if (!bytes.empty() && file.ReadChunk(&bytes[0], (int)bytes.size()) != (int)bytes.size()) bytes.clear();
    return bytes;
}

}  // namespace

int main()
{
    int argc = 0;
    WCHAR** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) {
        printf("usage: pdf_text_bench.exe <pdf folder> <output folder>\n");
        return 2;
    }
    AIString pattern(argv[1]);
    pattern.AppendText(L"\\*.pdf");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.GetText(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        printf("no PDF files in the folder\n");
        return 1;
    }
    CreateDirectoryW(argv[2], nullptr);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double totalMs = 0;
    int files = 0;
    do {
        AIString name(found.cFileName);
        AIString pdfPath(argv[1]), textPath(argv[2]);
        pdfPath.AppendText(L"\\").AppendString(name);
        AIString stem(name);
        stem.SplitAtChar(L'.', 0, 1);
        textPath.AppendText(L"\\").AppendString(stem).AppendText(L".txt");
        AIFile::DeleteQuiet(textPath.GetText());
        AIString reason;
        PdfExtractResult details;
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        int ok = ExtractPdfFileToText(pdfPath.GetText(), textPath.GetText(), PdfExtractLimits(), &reason,
                                      &details);
        QueryPerformanceCounter(&end);
        double ms = double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
        char nameUtf8[MAX_PATH * 3];
        name.ToUtf8(nameUtf8, sizeof(nameUtf8));
        if (ok) {
            std::string text = ReadAll(textPath.GetText());
            printf("FILE %s ms=%.3f words=%d bytes=%d streams=%d skipped=%d%s%s\n", nameUtf8, ms,
                   CountWords(text), (int)text.size(), details.streamsRead, details.streamsSkipped,
                   details.truncated ? " cut" : "", details.fileCut ? " filecut" : "");
        } else {
            char why[512];
            reason.ToUtf8(why, sizeof(why));
            printf("REFUSED %s ms=%.3f reason=%s\n", nameUtf8, ms, why);
        }
        totalMs += ms;
        files++;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    printf("TOTAL files=%d ms=%.3f\n", files, totalMs);
    return 0;
}
