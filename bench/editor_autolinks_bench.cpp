// The AutoLinks list over 50,000 note titles: the time from Ctrl+Space to a
// filled list (titles looked up from their place in title order, the list box
// told only the count) and one typed key that narrows it, beside the same
// titles copied into a list box of strings and the walk over the whole index
// that tests every title in turn (both measured in the same run).
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "foundation/ai_string_table.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/note_editor.h"
#include "editor/links/completion_popup.h"
#include "editor/links/completion_rules.h"
#include "notestore/note_store.h"
#include "ui/ai_control.h"
#include "bench/bench_editor_host.h"
#include "bench/bench_timing.h"
#include "bench/bench_titles.h"
#include <richedit.h>
#include <stdio.h>

namespace {

const int kTitles = 50000;
const int kRounds = 20;

// The walk that tests every title from the first one, filling the same list.
int NaiveFill(HWND list, const WCHAR* prefix)
{
    AIStringTable& index = *g_noteStore.noteIndex;
    int32_t prefixLen = lstrlenW(prefix);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    int listed = 0, matched = 0;
    AIString shown;
    for (int i = 0; i < index.GetCount(); i++) {
        GetNoteTitle(i, shown);
        shown.ReplaceAll(L"_", L" ");
        if (BeginsWithNoCase(shown.GetText(), shown.GetLength(), prefix, prefixLen)) {
            matched++;
            if (listed < kMaxListedItems) {
                SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)shown.GetText());
                listed++;
            }
        } else if (matched && shown.FindText(prefix) < 0) {
            break;
        }
    }
    return listed;
}

// The host draws the completion list's rows, as the content window does.
WNDPROC s_hostProc = nullptr;
LRESULT CALLBACK DrawingHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM && CompletionDrawItem((const DRAWITEMSTRUCT*)lParam)) return TRUE;
    return CallWindowProcW(s_hostProc, window, message, wParam, lParam);
}

// The same titles found the same way, copied item by item into a list box
// that keeps its own strings, shown where the AutoLinks list was.
int StringsFill(HWND list, const WCHAR* prefix, const RECT& place)
{
    AIString joined, items, item;
    CollectTitleMatches(prefix, joined);
    int32_t count = FilterJoinedItems(joined.GetText(), prefix, kMaxListedItems, items);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    const WCHAR* p = items.GetText();
    for (int32_t i = 0; i < count; i++) {
        const WCHAR* end = p;
        while (*end && *end != L'\n') end++;
        item.AssignTextN(p, (int32_t)(end - p));
        SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)item.GetText());
        p = *end ? end + 1 : end;
    }
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    SetWindowPos(list, HWND_TOP, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    return count;
}

void TypeWord(HWND editor, const WCHAR* word)
{
    SetWindowTextW(editor, L"");
    SendMessageW(editor, EM_REPLACESEL, FALSE, (LPARAM)L"see ");
    SendMessageW(editor, EM_REPLACESEL, FALSE, (LPARAM)word);
}

}  // namespace

int main()
{
    AIControl editor;
    HWND host = CreateBenchEditorHost(editor);
    if (!host) {
        printf("no rich edit\n");
        return 1;
    }
    MakeBenchTitles(kTitles);
    InstallNoteEditor(&editor);
    g_editorShell.content = host;
    s_hostProc = (WNDPROC)SetWindowLongPtrW(host, GWLP_WNDPROC, (LONG_PTR)DrawingHostProc);
    HWND naiveList = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VSCROLL, 0, 0, 200, 150, host, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
    printf("AutoLinks list over %d note titles (best of %d, ms)\n", kTitles, kRounds);
    printf("%-10s %7s %8s %8s %9s %7s %11s %7s\n", "prefix", "listed", "open", "one key", "strings", "ratio",
           "whole walk", "ratio");
    const WCHAR* prefixes[] = {L"k", L"kal", L"qua"};
    for (const WCHAR* prefix : prefixes) {
        double open = 1e9, key = 1e9, naive = 1e9, strings = 1e9;
        int listed = 0;
        for (int round = 0; round < kRounds; round++) {
            TypeWord(editor.GetHwnd(), prefix);
            LARGE_INTEGER t0, t1, t2;
            QueryPerformanceCounter(&t0);
            ShowAutoLinksPopup();
            QueryPerformanceCounter(&t1);
            listed = (int)SendMessageW(GetCompletionListBox(), LB_GETCOUNT, 0, 0);
            AutoLinksPopupKey(L'a');
            QueryPerformanceCounter(&t2);
            RECT place;
            GetWindowRect(GetCompletionListBox(), &place);
            MapWindowPoints(nullptr, host, (POINT*)&place, 2);
            HideAutoLinksPopup();
            if (Milliseconds(t0, t1) < open) open = Milliseconds(t0, t1);
            if (Milliseconds(t1, t2) < key) key = Milliseconds(t1, t2);
            QueryPerformanceCounter(&t0);
            NaiveFill(naiveList, prefix);
            QueryPerformanceCounter(&t1);
            if (Milliseconds(t0, t1) < naive) naive = Milliseconds(t0, t1);
            QueryPerformanceCounter(&t0);
            StringsFill(naiveList, prefix, place);
            QueryPerformanceCounter(&t1);
            ShowWindow(naiveList, SW_HIDE);
            if (Milliseconds(t0, t1) < strings) strings = Milliseconds(t0, t1);
        }
        char name[16];
        WideCharToMultiByte(CP_UTF8, 0, prefix, -1, name, sizeof(name), nullptr, nullptr);
        printf("%-10s %7d %8.3f %8.3f %9.3f %6.2fx %11.3f %6.1fx\n", name, listed, open, key, strings,
               open / strings, naive, naive / open);
    }
    {
        double collect = 1e9, fill = 1e9;
        AIString joined;
        for (int round = 0; round < kRounds; round++) {
            LARGE_INTEGER t0, t1, t2;
            QueryPerformanceCounter(&t0);
            CollectTitleMatches(L"k", joined);
            QueryPerformanceCounter(&t1);
            SendMessageW(naiveList, LB_RESETCONTENT, 0, 0);
            for (int i = 0; i < kMaxListedItems; i++)
                SendMessageW(naiveList, LB_ADDSTRING, 0, (LPARAM)L"kalo renta 12345");
            QueryPerformanceCounter(&t2);
            if (Milliseconds(t0, t1) < collect) collect = Milliseconds(t0, t1);
            if (Milliseconds(t1, t2) < fill) fill = Milliseconds(t1, t2);
        }
        printf("parts: titles for \"k\" %.3f ms, 100 list items %.3f ms\n", collect, fill);
    }
    printf("ratio: open / strings (below 1 is faster than a list of strings); whole walk / open\n");
    printf("target: under 1 ms per key\n");
    return 0;
}
