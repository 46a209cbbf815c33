// Filling the note list after a load, through the program's own content
// window and data file, beside a plain list box of the same size and font
// that holds a copy of every shown title (one LB_ADDSTRING each), filled from
// the same note index in the same run. Each fill is painted.
// Usage: bench_shell_note_list <data file> [rounds]   (bench/startup_bench.sh
// generates data files of 1,000, 10,000 and 50,000 notes)
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "shell/file_commands.h"
#include "shell/main_panel.h"
#include "shell/note_list_rows.h"
#include "notestore/note_store.h"
#include "bench/bench_program.h"
#include "bench/bench_timing.h"
#include <stdio.h>
#include <stdlib.h>

namespace {

const int kDefaultRounds = 7;
const int kMostRounds = 50;

double ProgramFillMs(HWND list)
{
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    FillNoteList();
    UpdateWindow(list);
    QueryPerformanceCounter(&t1);
    return Milliseconds(t0, t1);
}

// The comparison: every shown title copied into a list box of strings.
double StringListFillMs(HWND strings)
{
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    SendMessageW(strings, WM_SETREDRAW, FALSE, 0);
    SendMessageW(strings, LB_RESETCONTENT, 0, 0);
    int count = GetNoteCount();
    SendMessageW(strings, LB_INITSTORAGE, count, count * 24);
    AIString shown;
    for (int i = 0; i < count; i++) {
        NoteListRowTitle(i, shown);
        SendMessageW(strings, LB_ADDSTRING, 0, (LPARAM)shown.GetText());
    }
    SendMessageW(strings, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(strings, nullptr, TRUE);
    UpdateWindow(strings);
    QueryPerformanceCounter(&t1);
    return Milliseconds(t0, t1);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printf("usage: bench_shell_note_list <data file> [rounds]\n");
        return 2;
    }
    int rounds = argc > 2 ? atoi(argv[2]) : kDefaultRounds;
    if (rounds < 1 || rounds > kMostRounds) rounds = kDefaultRounds;
    HWND frame = StartBenchProgram();
    if (!frame) return 1;
    AIString path;
    path.AppendAscii(argv[1]);
    if (!OpenDatafile(path.GetText())) {
        printf("the data file did not open\n");
        return 1;
    }
    HWND list = g_mainPanel.noteList.GetHwnd();
    RECT r;
    GetWindowRect(list, &r);
    MapWindowPoints(nullptr, g_mainPanel.GetHwndField(), (POINT*)&r, 2);
    HWND strings = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY |
                                   LBS_NOINTEGRALHEIGHT, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                   g_mainPanel.GetHwndField(), nullptr, nullptr, nullptr);
    SendMessageW(strings, WM_SETFONT, SendMessageW(list, WM_GETFONT, 0, 0), 0);
    Pump();
    double program[kMostRounds], comparison[kMostRounds];
    for (int i = 0; i < rounds; i++) {
        program[i] = ProgramFillMs(list);
        Pump();
        comparison[i] = StringListFillMs(strings);
        Pump();
    }
    Figures p = Summary(program, rounds), c = Summary(comparison, rounds);
    printf("note list filled and painted, %d notes, median of %d rounds:\n", GetNoteCount(), rounds);
    printf("  program:                      %.2f ms (slowest %.2f)\n", p.median, p.worst);
    printf("  list box of copied titles:    %.2f ms (slowest %.2f)\n", c.median, c.worst);
    printf("  ratio program / copied titles: %.3fx\n", p.median / (c.median > 0 ? c.median : 1));
    DestroyWindow(strings);
    DestroyWindow(frame);
    return 0;
}
