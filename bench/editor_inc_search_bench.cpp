// Incremental search in a 50,000-character note: the time from a key typed
// into the search box to the matches found, those on screen coloured and the
// editor painted again (the rest of the at most 100 are coloured afterwards in
// timer rounds, timed by themselves), beside the same search done with the rich edit's own
// find (EM_FINDTEXTW) and the matches coloured through the selection, which
// is how a control's user would write it (measured in the same run).
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "editor/find/inc_search.h"
#include "editor/keys/note_editor.h"
#include "ui/ai_control.h"
#include "bench/bench_editor_host.h"
#include "bench/bench_timing.h"
#include <commdlg.h>
#include <richedit.h>
#include <stdio.h>

namespace {

const int kNoteChars = 50000;
const int kMaxColoured = 100;

const char* const kWords[] = {"harbour", "stone",  "market", "window", "letter", "garden", "harvest",
                              "copper",  "field",  "candle", "morning", "bridge", "hat",   "lantern"};

// Words in lines of about 70 characters (one long paragraph is slow in the
// rich edit whatever searches it).
void MakeNote(AIString& out)
{
    unsigned seed = 99;
    int lineChars = 0;
    while (out.GetLength() < kNoteChars - 20) {
        seed = seed * 1103515245u + 12345u;
        int before = out.GetLength();
        out.AppendAscii(kWords[(seed >> 16) % 14]);
        lineChars += out.GetLength() - before;
        if (lineChars > 70) {
            out.AppendText(L"\r\n");
            lineChars = 0;
        } else {
            out.AppendChar(L' ');
        }
    }
}

// The control's own find, the matches coloured through the selection.
void PlainSearch(HWND editor, const WCHAR* text, CHARRANGE* coloured, int& colouredCount)
{
    SendMessageW(editor, WM_SETREDRAW, FALSE, 0);
    CHARFORMAT2W format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_BACKCOLOR;
    format.dwEffects = CFE_AUTOBACKCOLOR;
    for (int i = 0; i < colouredCount; i++) {
        SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&coloured[i]);
        SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
    }
    colouredCount = 0;
    format.dwEffects = 0;
    format.crBackColor = kIncMatchColour;
    FINDTEXTW find = {{0, -1}, text};
    while (colouredCount < kMaxColoured) {
        LONG at = (LONG)SendMessageW(editor, EM_FINDTEXTW, FR_DOWN, (LPARAM)&find);
        if (at < 0) break;
        CHARRANGE match = {at, at + lstrlenW(text)};
        SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&match);
        SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
        coloured[colouredCount++] = match;
        find.chrg.cpMin = at + 1;
    }
    if (colouredCount) SendMessageW(editor, EM_EXSETSEL, 0, (LPARAM)&coloured[0]);
    SendMessageW(editor, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(editor, nullptr, TRUE);
}

// Lets the timer colour the matches off screen; returns the time the rounds
// took together and sets the longest round (each round blocks the window).
double ColourTheRest(double* longestRound)
{
    double total = 0;
    for (int rounds = 0; rounds < 1000 && IncSearchColoursPending(); rounds++) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            LARGE_INTEGER t0, t1;
            QueryPerformanceCounter(&t0);
            DispatchMessageW(&msg);
            QueryPerformanceCounter(&t1);
            double round = Milliseconds(t0, t1);
            total += round;
            if (round > *longestRound) *longestRound = round;
        }
    }
    return total;
}

}  // namespace

int main()
{
    AIControl editor;
    HWND host = CreateBenchEditorHost(editor);
    AIControl bare;
    HWND bareHost = CreateBenchEditorHost(bare);
    if (!host || !bareHost) {
        printf("no rich edit\n");
        return 1;
    }
    AIString note;
    MakeNote(note);
    SendMessageW(editor.GetHwnd(), EM_EXLIMITTEXT, 0, 200000);
    SendMessageW(bare.GetHwnd(), EM_EXLIMITTEXT, 0, 200000);
    SetWindowTextW(editor.GetHwnd(), note.GetText());
    SetWindowTextW(bare.GetHwnd(), note.GetText());
    InstallNoteEditor(&editor);
    HWND box = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 24, host, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    g_incSearch.box = box;
    Pump();
    // Every prefix has more than 100 matches: each key colours as many as a key may.
    const char* typed[] = {"harvest", "lantern", "hat"};
    printf("incremental search in a %d-character note (per key: found, coloured, painted; ms)\n", note.GetLength());
    printf("%-10s %8s %10s %10s %8s\n", "text", "matches", "program", "find+sel", "ratio");
    double worst = 0, worstPlain = 0, sum = 0, sumPlain = 0, later = 0, longestRound = 0;
    int keys = 0;
    CHARRANGE coloured[kMaxColoured];
    int colouredCount = 0;
    for (const char* word : typed) {
        WCHAR text[32];
        MultiByteToWideChar(CP_UTF8, 0, word, -1, text, 32);
        SetWindowTextW(box, L"");
        for (int32_t n = 1; text[n - 1]; n++) {
            WCHAR prefix[32];
            lstrcpynW(prefix, text, n + 1);
            // The box holds the text before the key; the key's character is on its way.
            WCHAR before[32];
            lstrcpynW(before, text, n);
            SetWindowTextW(box, before);
            LARGE_INTEGER t0, t1, t2;
            QueryPerformanceCounter(&t0);
            FindIncSearchMatches(text[n - 1]);
            UpdateWindow(editor.GetHwnd());
            QueryPerformanceCounter(&t1);
            PlainSearch(bare.GetHwnd(), prefix, coloured, colouredCount);
            UpdateWindow(bare.GetHwnd());
            QueryPerformanceCounter(&t2);
            double rest = ColourTheRest(&longestRound);
            Pump();
            double ours = Milliseconds(t0, t1), plain = Milliseconds(t1, t2);
            if (n < 2) continue;   // one character is not searched
            char shown[32];
            WideCharToMultiByte(CP_UTF8, 0, prefix, -1, shown, sizeof(shown), nullptr, nullptr);
            printf("%-10s %8d %10.3f %10.3f %7.1fx\n", shown, g_incSearch.count, ours, plain, plain / ours);
            if (ours > worst) worst = ours;
            if (plain > worstPlain) worstPlain = plain;
            sum += ours;
            sumPlain += plain;
            later += rest;
            keys++;
        }
    }
    printf("mean per key %.3f ms (find+sel %.3f ms, %.1fx); worst %.3f ms (find+sel %.3f ms)\n", sum / keys,
           sumPlain / keys, sumPlain / sum, worst, worstPlain);
    printf("matches off screen coloured after the key: %.3f ms per key in timer rounds, the longest %.3f ms\n",
           later / keys, longestRound);
    // Where the time goes: the same keys with the colouring off.
    g_incSearch.highlightAll = 0;
    double uncoloured = 0;
    for (const char* word : typed) {
        WCHAR text[32];
        MultiByteToWideChar(CP_UTF8, 0, word, -1, text, 32);
        for (int32_t n = 2; text[n - 1]; n++) {
            WCHAR before[32];
            lstrcpynW(before, text, n);
            SetWindowTextW(box, before);
            LARGE_INTEGER t0, t1;
            QueryPerformanceCounter(&t0);
            FindIncSearchMatches(text[n - 1]);
            UpdateWindow(editor.GetHwnd());
            QueryPerformanceCounter(&t1);
            double ignored = 0;
            ColourTheRest(&ignored);
            Pump();
            uncoloured += Milliseconds(t0, t1);
        }
    }
    printf("parts: found and painted without colouring %.3f ms per key; the rest is the colours on screen set\n"
           "and cleared, one format change of the rich edit each\n", uncoloured / keys);
    printf("target: under 16 ms per key\n");
    ClearIncSearchColours();
    DestroyWindow(host);
    DestroyWindow(bareHost);
    return 0;
}
