// Entering and leaving full-text search, the keyword field's keys, moving
// through the hits, opening one and previewing it with its keywords.
#include "search/quick/full_text_mode.h"
#include "search/quick/full_text_field_input.h"
#include "search/preview/note_preview.h"
#include "search/preview/preview_pane.h"
#include "search/quick/quick_search_box.h"
#include "foundation/app.h"
#include "search/quick/quick_rules.h"
#include "search/quick/result_panel.h"
#include "search/quick/search_shell_links.h"
#include "search/folded_find.h"
#include "search/full_text_query.h"
#include "search/full_text_search.h"
#include "search/search_source.h"
#include "search/search_tables.h"
#include "notestore/note_store.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "ui/window_table.h"
#include <commctrl.h>
#include <richedit.h>

namespace {

const WCHAR kPrompt[] = L"<vlblue>Full text Search</vlblue>: Enter keywords and press <lred>Space</lred> to Search "
                        L"(Press <lred>Enter</lred> to activate selected note, <lred>Escape</lred> to return)";
const int32_t kFieldLimit = 150;
const int32_t kPreviewHitsMax = 100;
const COLORREF kFirstKeywordColour = 0x6EDC6E;
const COLORREF kOtherKeywordColour = 0x32C8E6;
const WCHAR kPreviewHead[] = L"Preview: ";

struct FullTextState {
    HWND content = nullptr;  // where the field and the result panel are made
    HWND field = nullptr;
    WNDPROC fieldPrevious = nullptr;
    int32_t mode = 0;
    int32_t fieldActive = 0;
    int32_t textChanged = 0;
    int32_t ctrlEnterPending = 0;
    AIString lastQuery;
    // The titles of the hits as the search found them: a note renamed or
    // deleted since is found again by its title, or not at all.
    AIString hitTitles[kSearchHitSlots];
};
FullTextState s_full;
AIString s_noTitle;

void QueryFromField(AIString& out)
{
    out.Clear();
    if (s_full.field) out.AssignControlText(s_full.field);
}

void QueryToField(const AIString& text)
{
    if (!s_full.field) return;
    SetWindowTextW(s_full.field, text.GetText());
    SendMessageW(s_full.field, EM_SETSEL, text.GetLength(), text.GetLength());
}

void KeepHitTitles()
{
    for (int32_t i = 0; i < kSearchHitSlots; i++) s_full.hitTitles[i].Clear();
    for (int32_t i = 0; i < SearchHitTable.count && i < kSearchHitSlots; i++) {
        int32_t slot = RankedHits[i].slot;
        if (slot < 0 || slot >= kSearchHitSlots) continue;
        int32_t index = SearchHitTable.slot[slot].titleIndex;
        if (index >= 0) GetNoteTitle(index, s_full.hitTitles[i]);
    }
}

void Search()
{
    ClearSearchHits();
    for (AIString& title : s_full.hitTitles) title.Clear();
    RepaintResultPanel();
    int completed = RunFullTextSearch();
    // A search started from inside a running one (a key in the pump) ends the
    // outer call; the titles are taken once the last one has ranked.
    if (IsFullTextSearchRunning()) return;
    KeepHitTitles();
    RepaintResultPanel();
    if (completed && SearchHitTable.count > 0) ShowPreview();
}

int ResultsShown() { return SearchHitTable.count > 0 || GetBestSearchScore() >= 0; }

void ForgetResults()
{
    SetSearchKeyword(0, L"", kKeywordPlain);
    ClearSearchHits();
    for (AIString& title : s_full.hitTitles) title.Clear();
    RepaintResultPanel();
}

HitPaging Paging()
{
    HitPaging p = {SearchCounters.selectedHit, SearchCounters.pageIndex, SearchCounters.rowsPerPage,
                   SearchHitTable.count};
    if (p.rows < 1) p.rows = 1;
    return p;
}

void Apply(const HitPaging& p, int headerOnly)
{
    SearchCounters.selectedHit = p.selected;
    SearchCounters.pageIndex = p.page;
    RepaintResultPanel();
    (void)headerOnly;
    ShowPreview();
}

// Left: the last keyword goes.
void RemoveLastKeyword()
{
    AIString text;
    QueryFromField(text);
    if (text.GetLength() > 0) text.SetLength(text.GetLength() - 1);
    int32_t blank = text.FindChar(L' ', true);
    if (blank >= 0) {
        text.SetLength(blank);
        text.AppendChar(L' ');
        s_full.textChanged = 1;
    } else {
        text.Clear();
    }
    QueryToField(text);
    ForgetResults();
}

LRESULT FieldPass(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(s_full.fieldPrevious, field, message, wParam, lParam);
}

LRESULT FieldKeyDown(HWND field, UINT message, WPARAM key, LPARAM lParam)
{
    if (!s_full.fieldActive) return 0;
    if (IsFullTextSearchRunning()) SearchStopRequest = kStopRequested;
    FullTextFieldKeyDown(key, lParam, kPrompt);
    if (key == VK_CAPITAL) return 0;
    if (SearchKeyDown(VK_CONTROL) && key == VK_RETURN) {
        s_full.ctrlEnterPending = 1;
        return 0;
    }
    switch (key) {
    case VK_DOWN: ScrollHitsDown(); return 0;
    case VK_UP: ScrollHitsUp(); return 0;
    case VK_RETURN: case VK_ESCAPE: case VK_SPACE: return 0;
    default: return FieldPass(field, message, key, lParam);
    }
}

LRESULT FieldKeyUp(HWND field, UINT message, WPARAM key, LPARAM lParam)
{
    if (!s_full.fieldActive) return 0;
    FullTextFieldKeyUp(key, kPrompt);
    if (s_full.ctrlEnterPending) {
        s_full.ctrlEnterPending = 0;
        ToggleFullTextSearch(0);
        return 0;
    }
    switch (key) {
    case VK_SPACE:
    case VK_RETURN:
        if (key == VK_RETURN && !s_full.textChanged) {
            OpenSelectedHit();
            return 0;
        }
        if (s_full.textChanged) {
            AIString text;
            QueryFromField(text);
            if (!text.IsEmpty() && text.CharAt(text.GetLength() - 1) != L' ') text.AppendChar(L' ');
            QueryToField(text);
        }
        s_full.textChanged = 0;
        Search();
        return 0;
    case VK_PRIOR: ScrollHitsPageUp(); return 0;
    case VK_NEXT: ScrollHitsPageDown(); return 0;
    case VK_LEFT: RemoveLastKeyword(); return 0;
    case VK_ESCAPE: ToggleFullTextSearch(0); return 0;
    default: return FieldPass(field, message, key, lParam);
    }
}

LRESULT FieldChar(HWND field, UINT message, WPARAM ch, LPARAM lParam)
{
    if (!s_full.fieldActive) return 0;
    if (SearchKeyDown(VK_CONTROL) && !SearchKeyDown(VK_MENU)) return 0;
    if (ch == 27 || ch == L'\r' || ch == L'\t' || ch == L'\n') return 0;
    s_full.textChanged = 1;
    // Typing after a search: the help comes back until the next search.
    if (ResultsShown() && !IsFullTextSearchRunning()) ForgetResults();
    return FieldPass(field, message, ch, lParam);
}

LRESULT FieldMouseWheel(HWND, UINT, WPARAM wParam, LPARAM lParam)
{
    if (!s_full.mode || !FullTextWheelMovesHits(wParam, lParam)) return 0;
    if (GET_WHEEL_DELTA_WPARAM(wParam) < 0) ScrollHitsDown();
    else ScrollHitsUp();
    return 0;
}

const MessageEntry kFieldMessages[] = {
    {WM_KEYDOWN, FieldKeyDown}, {WM_KEYUP, FieldKeyUp}, {WM_CHAR, FieldChar}, {WM_MOUSEWHEEL, FieldMouseWheel},
};

LRESULT CALLBACK SearchEditSubclassProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const MessageEntry& entry : kFieldMessages)
        if (entry.message == message) return entry.handler(field, message, wParam, lParam);
    return FieldPass(field, message, wParam, lParam);
}

void HidePreviewPane()
{
    if (g_searchShell.previewPane && s_full.mode) ShowWindow(g_searchShell.previewPane, SW_HIDE);
}

void Enter(int fromQuickSearch, const WCHAR* given)
{
    FullTextState& f = s_full;
    // The panel and its preview take the place of every other preview.
    HideQuickPreview(0);
    f.mode = 1;
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (g_searchShell.layout) g_searchShell.layout();
    SearchStatus(kPrompt, kStatusDone);
    SetFocus(f.field);
    AIString text;
    if (given) text.AssignText(given);
    else if (g_searchShell.quickSearch) text.AssignControlText(g_searchShell.quickSearch);
    text.Trim();
    if (text.IsEmpty()) {
        text.Copy(f.lastQuery);
        text.Trim();
        if (g_searchShell.quickSearch) SetWindowTextW(g_searchShell.quickSearch, text.GetText());
    }
    AIString last(f.lastQuery);
    last.Trim();
    int sameQuery = last.EqualsString(text);
    f.fieldActive = 1;
    f.textChanged = 0;
    if ((text.IsEmpty() || !fromQuickSearch) && sameQuery && !SearchResultsStale && GetBestSearchScore() >= 0 &&
        SearchHitTable.count > 0) {
        // The same query again: the kept results, no search.
        QueryToField(f.lastQuery);
        SearchCounters.reloadPreview = 1;
        RepaintResultPanel();
        ShowPreview();
    } else {
        QueryToField(text);
        SearchResultsStale = 0;
        if (!text.IsEmpty()) Search();
        else ForgetResults();
    }
    SetCursor(previous);
    AIString field;
    QueryFromField(field);
    if (!field.IsEmpty() && field.CharAt(field.GetLength() - 1) != L' ') field.AppendChar(L' ');
    QueryToField(field);
}

void Leave()
{
    FullTextState& f = s_full;
    f.fieldActive = 0;
    if (IsFullTextSearchRunning()) SearchStopRequest = kStopRequested;
    QueryFromField(f.lastQuery);
    f.mode = 0;
    if (g_searchShell.layout) g_searchShell.layout();
    HWND quick = g_searchShell.quickSearch;
    if (quick) {
        AIString text;
        text.AssignControlText(quick);
        text.Trim();
        SetWindowTextW(quick, text.GetText());
    }
    if (g_searchShell.focusQuickSearch) g_searchShell.focusQuickSearch(1);
    // The pane showed the hit with its keywords: QuickSearch's own preview is back.
    if (g_app.settings.Record().instantPreview) ShowQuickSearchPreview(kQuickPreviewTypedNote, 0);
    else ShowQuickSearchPreview(kQuickPreviewTip, 1);
}

// The query of full-text search is the keyword field's text.
void ConnectQueryField()
{
    FullTextQueryLink link = {QueryFromField, QueryToField};
    SetFullTextQueryLink(link);
}

void ConnectPanelHooks()
{
    SearchPanelHooks hooks = {PaintSearchProgress, InvalidateResultPanel, RepaintResultPanel, ShowPreview,
                              HidePreviewPane};
    SetSearchPanelHooks(hooks);
}

}  // namespace

void PrepareFullTextSearch(HWND content)
{
    s_full.content = content;
    ConnectQueryField();
    ConnectPanelHooks();
}

namespace {

// The field and the result panel, made on the first call; 0 without them.
int EnsureFullTextWindows()
{
    FullTextState& f = s_full;
    if (f.field) return 1;
    if (!f.content) return 0;
    f.field = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 10, 10, f.content,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!f.field) return 0;
    SendMessageW(f.field, EM_SETLIMITTEXT, kFieldLimit, 0);
    SendMessageW(f.field, EM_SETCUEBANNER, TRUE, (LPARAM)L"Enter search here");
    static HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    SendMessageW(f.field, WM_SETFONT, (WPARAM)font, 0);
    f.fieldPrevious = (WNDPROC)SetWindowLongPtrW(f.field, GWLP_WNDPROC, (LONG_PTR)SearchEditSubclassProc);
    CreateResultPanel(f.content);
    return 1;
}

}  // namespace

HWND GetFullTextField() { return s_full.field; }
int32_t IsFullTextSearchMode() { return s_full.mode; }

int ToggleFullTextSearch(int fromQuickSearch)
{
    TRACE_SCOPE(kTraceFullTextMode, 1);
    if (!EnsureFullTextWindows()) return 0;
    if (s_full.mode) Leave();
    else Enter(fromQuickSearch, nullptr);
    return 1;
}

int StartFullTextSearchFor(const WCHAR* text)
{
    if (!EnsureFullTextWindows()) return 0;
    if (s_full.mode) {
        AIString query(text);
        QueryToField(query);
        s_full.textChanged = 0;
        Search();
        return 1;
    }
    Enter(1, text);
    return 1;
}

void ScrollHitsPageUp()
{
    HitPaging p = Paging();
    PageHitsUp(p);
    Apply(p, 1);
}

void ScrollHitsPageDown()
{
    HitPaging p = Paging();
    PageHitsDown(p);
    Apply(p, 1);
}

void ScrollHitsUp()
{
    HitPaging p = Paging();
    StepHitsUp(p);
    Apply(p, 0);
}

void ScrollHitsDown()
{
    HitPaging p = Paging();
    StepHitsDown(p);
    Apply(p, 0);
}

const AIString& HitTitle(int32_t hit)
{
    if (hit < 1 || hit > SearchHitTable.count || hit > kSearchHitSlots) return s_noTitle;
    return s_full.hitTitles[hit - 1];
}

int32_t HitNoteIndex(int32_t hit)
{
    const AIString& title = HitTitle(hit);
    if (title.IsEmpty()) return -1;
    return FindNoteByTitle(title.GetText(), 0, 0);
}

int OpenSelectedHit()
{
    TRACE_SCOPE(kTraceFullTextMode, 2);
    int32_t index = SearchHitTable.count > 0 ? HitNoteIndex(SearchCounters.selectedHit) : -1;
    const int hadResults = SearchHitTable.count > 0;
    ToggleFullTextSearch(0);
    if (index < 0) {
        if (hadResults) SearchStatus(L"<lred>This note no longer exists</lred>", kStatusWarning);
        return 0;
    }
    // The mode's windows are gone before the note shows.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
    if (g_searchShell.showNote && g_searchShell.showNote(index)) {
        if (g_searchShell.focusQuickSearch) g_searchShell.focusQuickSearch(0);
        return 1;
    }
    return 0;
}

void ShowPreview()
{
    HWND pane = g_searchShell.previewPane;
    if (!pane || !s_full.mode || SearchHitTable.count <= 0) return;
    int32_t index = HitNoteIndex(SearchCounters.selectedHit);
    if (index < 0) {
        ShowWindow(pane, SW_HIDE);
        return;
    }
    SendMessageW(pane, WM_SETREDRAW, FALSE, 0);
    if (!FillNotePreview(pane, index, kPreviewHead)) {
        SendMessageW(pane, WM_SETREDRAW, TRUE, 0);
        return;
    }
    SearchCounters.reloadPreview = 0;
    AIString text;
    text.AssignControlText(pane);
    // GetWindowText counts a paragraph end as CR LF; the pane's positions count it once.
    text.ReplaceAll(L"\r\n", L"\r");
    int32_t coloured = 0, caret = -1;
    for (int32_t k = 0; k < kSearchKeywordEntries && coloured < kPreviewHitsMax; k++) {
        const AIString& keyword = SearchKeywords.text[k];
        if (keyword.IsEmpty()) break;
        if (SearchKeywords.mode[k] == kKeywordExcluded) continue;
        FoldedPattern pattern;
        PrepareFoldedPattern(pattern, keyword.GetText(), keyword.GetLength());
        const WCHAR* begin = text.GetText();
        const WCHAR* end = begin + text.GetLength();
        CHARFORMAT2W format = {};
        format.cbSize = sizeof format;
        format.dwMask = CFM_BACKCOLOR;
        format.crBackColor = k == 0 ? kFirstKeywordColour : kOtherKeywordColour;
        for (const WCHAR* hit = FindFolded(pattern, begin, end); hit && coloured < kPreviewHitsMax;
             hit = FindFolded(pattern, hit + 1, end)) {
            CHARRANGE r = {(LONG)(hit - begin), (LONG)(hit - begin + pattern.length)};
            if (caret < 0) caret = r.cpMin;
            SendMessageW(pane, EM_EXSETSEL, 0, (LPARAM)&r);
            SendMessageW(pane, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
            coloured++;
        }
    }
    CHARRANGE at = {caret < 0 ? 0 : caret, caret < 0 ? 0 : caret};
    SendMessageW(pane, EM_EXSETSEL, 0, (LPARAM)&at);
    SendMessageW(pane, EM_SCROLLCARET, 0, 0);
    SendMessageW(pane, WM_SETREDRAW, TRUE, 0);
    ShowWindow(pane, SW_SHOW);
    InvalidateRect(pane, nullptr, TRUE);
}
