// The full-text result panel with 50 hits: the paint of the whole list (rows,
// relevance marks, header and progress lines) into a memory bitmap, beside a
// standard list box painting the same 50 titles; and the preview of each hit
// with its keywords highlighted, beside the same note previewed plain. Both
// comparisons are measured in the same run, in the program's own windows,
// after a real search of a data file of 2,000 notes.
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "search/quick/full_text_mode.h"
#include "search/preview/note_preview.h"
#include "search/quick/result_panel.h"
#include "search/quick/search_shell_links.h"
#include "search/search_tables.h"
#include "bench/bench_program.h"
#include "bench/bench_timing.h"
#include "shell/file_commands.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "notestore/note_store.h"
#include <shellapi.h>
#include <stdio.h>

namespace {

const int kNotes = 2000;
const int kHitEvery = 7;      // every seventh note holds both keywords
const int kRounds = 20;
const int kPanelWidth = 420;
const int kPanelHeight = 96 + 25 + kSearchHitSlots * 30 + 20;   // room for all 50 rows

// Notes "Note_0000" to "Note_1999" (already in title order), with text of
// some hundred words; every seventh mentions the harbour and the lantern a
// varying number of times so that the hits rank apart.
int WriteDatafile(const WCHAR* path)
{
    static const WCHAR* const kWords[] = {L"river", L"stone", L"market", L"window", L"letter", L"garden",
                                          L"autumn", L"copper", L"field", L"candle", L"morning", L"bridge"};
    AIString file(L"Tavik 10\r\n");
    for (int i = 0; i < kNotes; i++) {
        file.AppendChar(0x00A4).AppendText(L"Note_");
        if (i < 1000) file.AppendChar(L'0');
        if (i < 100) file.AppendChar(L'0');
        if (i < 10) file.AppendChar(L'0');
        file.AppendInt(i).AppendText(L"\r\n");
        for (int line = 0; line < 12; line++) {
            for (int w = 0; w < 10; w++) {
                file.AppendText(kWords[(i * 7 + line * 3 + w) % 12]).AppendChar(L' ');
                if (i % kHitEvery == 0 && w == (line + i) % 10 && line <= (i / kHitEvery) % 12)
                    file.AppendText(L"harbour lantern ");
            }
            file.AppendText(L"\r\n");
        }
        file.AppendText(L"{{\r\n}}\r\n");
    }
    HANDLE handle = CreateFileW(path, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    if (handle == INVALID_HANDLE_VALUE) return 0;
    DWORD written = 0;
    WriteFile(handle, "\xff\xfe", 2, &written, 0);
    BOOL ok = WriteFile(handle, file.GetText(), (DWORD)file.GetLength() * 2, &written, 0);
    CloseHandle(handle);
    return ok && written == (DWORD)file.GetLength() * 2;
}

}  // namespace

int main()
{
    HWND frame = StartBenchProgram();
    if (!frame) return 1;

    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString path(temp);
    path.AppendText(L"tavik_result_panel_bench_").AppendInt((int)(GetTickCount() % 100000)).AppendText(L".tavik");
    if (!WriteDatafile(path.GetText()) || !OpenDatafile(path.GetText())) {
        printf("the data file did not open\n");
        return 1;
    }
    g_frame.RunGuarded(CreateMainWindow);
    ReadAndShowNote(0, kShowAndRecord);
    Pump();
    StartFullTextSearchFor(L"harbour lantern");
    for (DWORD start = GetTickCount(); GetBestSearchScore() < 0 && GetTickCount() - start < 30000;) Pump();
    if (SearchHitTable.count < kSearchHitSlots) {
        printf("the search found %d hits, not %d\n", SearchHitTable.count, (int)kSearchHitSlots);
        return 1;
    }

    // The panel's paint and a list box's, into the same kind of bitmap.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kPanelWidth, kPanelHeight);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT area = {0, 0, kPanelWidth, kPanelHeight};
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | LBS_NOINTEGRALHEIGHT, 0, 0, kPanelWidth, kPanelHeight,
                                frame, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
    for (int32_t hit = 1; hit <= SearchHitTable.count; hit++)
        SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)HitTitle(hit).GetText());
    SendMessageW(list, LB_SETITEMHEIGHT, 0, 30);
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    double panelTimes[kRounds], listTimes[kRounds];
    for (int round = 0; round < kRounds; round++) {
        LARGE_INTEGER t0, t1, t2;
        QueryPerformanceCounter(&t0);
        PaintSearchResults(memory, area);
        GdiFlush();
        QueryPerformanceCounter(&t1);
        SendMessageW(list, WM_PRINTCLIENT, (WPARAM)memory, PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
        QueryPerformanceCounter(&t2);
        panelTimes[round] = Milliseconds(t0, t1);
        listTimes[round] = Milliseconds(t1, t2);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    Figures panel = Summary(panelTimes, kRounds), plainList = Summary(listTimes, kRounds);

    // Each hit previewed with its keywords highlighted, and the same note plain.
    HWND pane = g_searchShell.previewPane;
    double highlighted[kSearchHitSlots], plain[kSearchHitSlots];
    for (int32_t hit = 1; hit <= kSearchHitSlots; hit++) {
        SearchCounters.selectedHit = hit;
        LARGE_INTEGER t0, t1, t2;
        QueryPerformanceCounter(&t0);
        ShowPreview();
        UpdateWindow(pane);
        QueryPerformanceCounter(&t1);
        FillNotePreview(pane, HitNoteIndex(hit), L"");
        UpdateWindow(pane);
        QueryPerformanceCounter(&t2);
        highlighted[hit - 1] = Milliseconds(t0, t1);
        plain[hit - 1] = Milliseconds(t1, t2);
    }
    Figures preview = Summary(highlighted, kSearchHitSlots), plainPreview = Summary(plain, kSearchHitSlots);

    printf("result panel with %d hits of a search over %d notes (ms)\n", SearchHitTable.count, kNotes);
    printf("%-34s %8s %8s\n", "", "median", "worst");
    printf("%-34s %8.3f %8.3f\n", "panel paint, 50 rows", panel.median, panel.worst);
    printf("%-34s %8.3f %8.3f\n", "list box paint, same 50 titles", plainList.median, plainList.worst);
    printf("%-34s %8.3f %8.3f\n", "preview, keywords highlighted", preview.median, preview.worst);
    printf("%-34s %8.3f %8.3f\n", "preview, plain", plainPreview.median, plainPreview.worst);
    printf("panel / list box %.2fx; highlighted / plain preview %.2fx; target: under 16 ms each\n",
           panel.median / (plainList.median > 0 ? plainList.median : 1),
           preview.median / (plainPreview.median > 0 ? plainPreview.median : 1));
    DestroyWindow(frame);
    CloseDatafileHandle();
    DeleteFileW(path.GetText());
    return 0;
}
