// Mark scanning of a large note: a 50,000-character note with 500 links in
// a real rich edit, read by runs (ScanMarks) and, for comparison, one
// character at a time over a slice.
#include "foundation/win.h"
#include "ui/ai_control.h"
#include "bench/bench_editor_host.h"
#include "ui/link_marks.h"
#include <stdio.h>
#include "bench/bench_timing.h"

int main()
{
    AIControl editor;
    HWND host = CreateBenchEditorHost(editor);
    if (!host) {
        printf("no rich edit\n");
        return 1;
    }
    AITextDocument* doc = editor.GetDocument();

    // 500 blocks of 100 characters, each holding one 12-character link; a line break every 4 blocks.
    const int kBlocks = 500, kBlock = 100;
    AIString text;
    WCHAR* buffer = text.GetBuffer(kBlocks * kBlock + 1);
    for (int b = 0; b < kBlocks; b++) {
        for (int i = 0; i < kBlock; i++) {
            WCHAR ch = (i % 7 == 6) ? L' ' : (WCHAR)(L'a' + (b + i) % 26);
            if (i == kBlock - 1) ch = (b % 4 == 3) ? L'\r' : L' ';
            buffer[b * kBlock + i] = ch;
        }
    }
    text.SetLength(kBlocks * kBlock);
    SETTEXTEX how = {ST_DEFAULT, 1200};
    SendMessageW(editor.GetHwnd(), EM_SETTEXTEX, (WPARAM)&how, (LPARAM)text.GetText());
    const int32_t kinds[3] = {HyperlinkMark, NoteLinkMark, TagMark};
    for (int b = 0; b < kBlocks; b++) editor.FormatRange(b * kBlock + 40, b * kBlock + 52, 1, kinds[b % 3]);
    int length = doc->GetTextLength();

    static MarkRun runs[4000];
    LARGE_INTEGER t0, t1;
    int count = 0;
    double best = 1e9;
    for (int round = 0; round < 5; round++) {
        QueryPerformanceCounter(&t0);
        count = doc->ScanMarks(0, length, runs, 4000);
        QueryPerformanceCounter(&t1);
        double ms = Milliseconds(t0, t1);
        if (ms < best) best = ms;
    }
    int links = 0;
    for (int i = 0; i < count; i++) links += IsLinkMark(runs[i].mark);
    printf("note of %d characters, %d links found in %d runs\n", length, links, count);
    printf("ScanMarks, whole note (best of 5): %.1f ms\n", best);

    // One mark read at a time over a 2,000-character slice, scaled to the note.
    const int kSlice = 2000;
    QueryPerformanceCounter(&t0);
    for (int p = 0; p < kSlice; p++) doc->GetRangeUnderline(p, p + 1);
    QueryPerformanceCounter(&t1);
    double perChar = Milliseconds(t0, t1);
    printf("single-character reads: %.1f ms per %d characters (about %.0f ms for the note)\n", perChar, kSlice,
           perChar * length / kSlice);
    DestroyWindow(host);
    return links == kBlocks ? 0 : 2;
}
