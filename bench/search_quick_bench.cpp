// QuickSearch over 50,000 note titles: the time from a typed key to the
// completed title in the box (the key's character and its release, as the
// box receives them), beside the walk that compares the typed text with every
// title in turn (measured in the same run).
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "notestore/note_store.h"
#include "search/quick/quick_rules.h"
#include "search/quick/quick_search_box.h"
#include "bench/bench_timing.h"
#include "bench/bench_titles.h"
#include <stdio.h>

namespace {

const int kTitles = 50000;
const int kRounds = 20;

// The walk that lower-cases every title and compares it with the typed text,
// then completes the box the same way.
void NaiveKey(HWND box, const WCHAR* typed)
{
    AIString lookup, title, completion;
    QuickLookupForm(typed, lookup);
    int32_t found = -1;
    for (int32_t i = 0; i < GetNoteCount() && found < 0; i++) {
        GetNoteTitle(i, title);
        title.ToLowerCase();
        if (title.StartsWith(lookup.GetText())) found = i;
    }
    if (found < 0) return;
    GetNoteTitle(found, title);
    QuickCompletionOf(title.GetText(), completion);
    SetWindowTextW(box, completion.GetText());
    SendMessageW(box, EM_SETSEL, lstrlenW(typed), -1);
}

// One key as the box receives it: its character, then its release.
void TypeKey(HWND box, WCHAR ch)
{
    SendMessageW(box, WM_CHAR, ch, 1);
    SendMessageW(box, WM_KEYUP, (WPARAM)(ch >= L'a' && ch <= L'z' ? ch - L'a' + 'A' : ch), 0xC0000001);
}

}  // namespace

int main()
{
    HWND host = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 100, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND box = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 4, 4, 300, 24, host, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    HWND naiveBox = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 4, 40, 300, 24, host,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!box || !naiveBox) {
        printf("no edit box\n");
        return 1;
    }
    MakeBenchTitles(kTitles);
    InstallQuickSearchBox(box);
    printf("QuickSearch completion over %d note titles (best of %d per key, ms)\n", kTitles, kRounds);
    printf("%-16s %10s %12s %8s\n", "typed", "one key", "whole walk", "ratio");
    const char* words[] = {"k", "ka", "kal", "qua", "zuzu", "xq"};
    double worst = 0, worstNaive = 0;
    for (const char* word : words) {
        WCHAR typed[32];
        MultiByteToWideChar(CP_UTF8, 0, word, -1, typed, 32);
        const int32_t length = lstrlenW(typed);
        double key = 1e9, naive = 1e9;
        for (int round = 0; round < kRounds; round++) {
            SetWindowTextW(box, L"");
            for (int32_t i = 0; i + 1 < length; i++) TypeKey(box, typed[i]);
            SendMessageW(box, EM_SETSEL, length - 1, -1);
            LARGE_INTEGER t0, t1;
            QueryPerformanceCounter(&t0);
            TypeKey(box, typed[length - 1]);
            QueryPerformanceCounter(&t1);
            if (Milliseconds(t0, t1) < key) key = Milliseconds(t0, t1);
            QueryPerformanceCounter(&t0);
            NaiveKey(naiveBox, typed);
            QueryPerformanceCounter(&t1);
            if (Milliseconds(t0, t1) < naive) naive = Milliseconds(t0, t1);
        }
        if (key > worst) worst = key;
        if (naive > worstNaive) worstNaive = naive;
        AIString shown;
        shown.AssignControlText(box);
        char completed[64];
        WideCharToMultiByte(CP_UTF8, 0, shown.GetText(), -1, completed, sizeof(completed), nullptr, nullptr);
        printf("%-5s -> %-9s %10.3f %12.3f %7.1fx\n", word, completed, key, naive, naive / key);
    }
    printf("worst key %.3f ms, whole walk %.3f ms (%.1fx); target: under 1 ms per key\n", worst, worstNaive,
           worstNaive / worst);
    DestroyWindow(host);
    return 0;
}
