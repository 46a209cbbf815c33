// Web page cleaning over a folder of saved pages: writes each page's note
// text (as a capture would store it) as <name>.txt into the output folder
// (UTF-8) and prints per page the cleaning time, the page's and the text's
// size and the links found:
//   web_clean_bench.exe <page folder> <output folder>
// bench/web_clean_bench.sh runs it beside html2text and w3m -dump.
#include "foundation/win.h"
#include <shellapi.h>
#include "foundation/ai_file.h"
#include "foundation/ai_string.h"
#include "search/capture/capture_note.h"
#include <stdio.h>
#include <string>

int main()
{
    int argc = 0;
    WCHAR** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) {
        printf("usage: web_clean_bench.exe <page folder> <output folder>\n");
        return 2;
    }
    AIString pattern(argv[1]);
    pattern.AppendText(L"\\*.htm*");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.GetText(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        printf("no pages in the folder\n");
        return 1;
    }
    CreateDirectoryW(argv[2], nullptr);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    do {
        AIString name(found.cFileName), pagePath(argv[1]), textPath(argv[2]);
        pagePath.AppendText(L"\\").AppendString(name);
        AIString stem(name);
        stem.SplitAtChar(L'.', 0, 1);
        textPath.AppendText(L"\\").AppendString(stem).AppendText(L".txt");
        AIFile page;
        if (!page.OpenForRead(pagePath.GetText(), 0)) continue;
        std::string bytes((size_t)page.GetSize(), '\0');
        if (!bytes.empty() && page.ReadChunk(&bytes[0], (int)bytes.size()) != (int)bytes.size()) continue;
        page.Close();
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        WebCleanRequest request;
        request.html = DecodeUtf8(bytes.data(), bytes.size());
        request.pageUrl = Ascii("https://example.org/saved/page.html");
        request.capture = true;
        WebCleanResult result;
        CleanWebPage(request, &result);
        CapturedNote note;
        ComposeCapturedNote(result, request.pageUrl, 1, Ascii("today"), &note);
        QueryPerformanceCounter(&end);
        std::string text = EncodeUtf8(note.text);
        AIFile::WriteBytesFile(textPath.GetText(), nullptr, 0, text.data(), (int)text.size());
        char nameUtf8[MAX_PATH * 3];
        name.ToUtf8(nameUtf8, sizeof(nameUtf8));
        printf("PAGE %s ms=%.3f page_bytes=%d text_bytes=%d links=%d ok=%d\n", nameUtf8,
               double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart), (int)bytes.size(),
               (int)text.size(), (int)result.links.size(), result.ok ? 1 : 0);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return 0;
}
