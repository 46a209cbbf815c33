#include "search/quick/result_panel.h"
#include "search/quick/full_text_mode.h"
#include "search/quick/quick_rules.h"
#include "search/search_tables.h"
#include "foundation/ai_string.h"
#include "ui/window_table.h"
#include "drawing/buffered_paint.h"
#include "drawing/ai_dib.h"

namespace {

HWND s_panel = nullptr;

const COLORREF kProgressColour = 0x3296C8;
const COLORREF kPanelTop = RGB(246, 248, 252);
const COLORREF kPanelBottom = RGB(226, 232, 242);
const COLORREF kBorder = RGB(170, 182, 204);
const COLORREF kText = RGB(30, 30, 30);
const COLORREF kRunning = RGB(40, 90, 170);
const COLORREF kFinished = RGB(30, 130, 50);
const COLORREF kNothing = RGB(170, 60, 40);
const COLORREF kSelectedRow = 0x6EDC6E;
const COLORREF kLevel3 = 0x96E6FA;
const COLORREF kLevel2 = 0x50A0DC;
const COLORREF kMarkOn = RGB(60, 140, 60);
const COLORREF kMarkOff = RGB(205, 210, 220);
const COLORREF kMirrorMark = RGB(230, 150, 40);
const int32_t kProgressHeight = 3;
const int32_t kRowHeight = 30;
const int32_t kHeaderTop = 8;
const int32_t kListTop = 96;
const int32_t kMarkStep = 18;
const WCHAR kClassName[] = L"winSearchResults";

const WCHAR kHelp[] =
    L"Help\r\n\r\nThe first search word is the most important and will be highlighted."
    L"\r\n\r\nTo quickly preview the results, use arrow up and down to navigate."
    L"\r\n\r\nSpace \t Start a new search\r\nEscape \t Return to Quick Search\r\nEnter \t Activate selected note"
    L"\r\n\r\n+word \t Word MUST exist\r\n-word \t Word must NOT exist\r\n\"I am\" \t Treated as a single word"
    L"\r\n\r\nHyperlinks will be shown with brackets - e.g. [link]";

HFONT Font(int points, int bold)
{
    HDC screen = GetDC(nullptr);
    int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY,
                       0, L"Arial");
}

// The fonts of the panel, made once.
struct PanelFonts {
    HFONT heading = nullptr;
    HFONT text = nullptr;
    HFONT bold = nullptr;
    HFONT row = nullptr;
};
PanelFonts& Fonts()
{
    static PanelFonts fonts;
    if (!fonts.heading) {
        HDC screen = GetDC(nullptr);
        int rowPoints = GetDeviceCaps(screen, LOGPIXELSY) > 96 ? 13 : 11;
        ReleaseDC(nullptr, screen);
        fonts.heading = Font(16, 1);
        fonts.text = Font(9, 0);
        fonts.bold = Font(9, 1);
        fonts.row = Font(rowPoints, 0);
    }
    return fonts;
}

void Gradient(HDC dc, const RECT& r)
{
    TRIVERTEX v[2] = {};
    v[0].x = r.left;
    v[0].y = r.top;
    v[0].Red = (COLOR16)(GetRValue(kPanelTop) << 8);
    v[0].Green = (COLOR16)(GetGValue(kPanelTop) << 8);
    v[0].Blue = (COLOR16)(GetBValue(kPanelTop) << 8);
    v[1].x = r.right;
    v[1].y = r.bottom;
    v[1].Red = (COLOR16)(GetRValue(kPanelBottom) << 8);
    v[1].Green = (COLOR16)(GetGValue(kPanelBottom) << 8);
    v[1].Blue = (COLOR16)(GetBValue(kPanelBottom) << 8);
    GRADIENT_RECT g = {0, 1};
    GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
    HBRUSH border = CreateSolidBrush(kBorder);
    FrameRect(dc, &r, border);
    DeleteObject(border);
}

void Text(HDC dc, HFONT font, COLORREF colour, const WCHAR* text, RECT r, UINT flags)
{
    SelectObject(dc, font);
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &r, flags | DT_NOPREFIX);
}

void Fill(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// The lines under the heading: how far the walk is and what it found.
void PaintProgressText(HDC dc, const RECT& area)
{
    const int32_t total = SearchCounters.total;
    if (total <= 0) return;
    int64_t percent = (int64_t)SearchCounters.processed * 100 / total;
    if (percent < 0) percent = 0;
    const int32_t found = SearchHitTable.count;
    const int walking = GetBestSearchScore() < 0 && percent >= 1 && percent <= 99;
    const int stopped = SearchStopRequest == kStopRequested;
    COLORREF colour = (walking || percent < 100) ? kRunning : (found > 0 ? kFinished : kNothing);
    AIString line;
    line.AppendLong(percent).AppendText(L" %");
    RECT r = {area.right - 70, area.top + kHeaderTop + 4, area.right - 10, area.top + kHeaderTop + 28};
    Text(dc, Fonts().bold, percent < 100 ? kRunning : kFinished, line.GetText(), r, DT_RIGHT | DT_SINGLELINE);
    line.AssignText(percent < 100 && found < kSearchHitSlots ? L"Searching " : L"Searched ");
    line.AppendInt(SearchCounters.processed < 0 ? 0 : SearchCounters.processed).AppendText(L" of ");
    line.AppendInt(total).AppendText(L" notes");
    RECT first = {area.left + 12, area.top + 40, area.right - 10, area.top + 58};
    Text(dc, Fonts().text, colour, line.GetText(), first, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
    if (stopped) line.AssignText(L"Search stopped");
    else if (found >= kSearchHitSlots) line.AssignText(L"Too many matches (first 50 shown)");
    else {
        line.AssignText(L"Found ").AppendInt(found).AppendText(found == 1 ? L" match" : L" matches");
        if (walking) line.AppendText(L" (potential)");
    }
    RECT second = {area.left + 12, area.top + 58, area.right - 10, area.top + 76};
    Text(dc, Fonts().text, colour, line.GetText(), second, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void PaintHelp(HDC dc, const RECT& area)
{
    RECT r = {area.left + 12, area.top + kListTop, area.right - 12, area.bottom - 10};
    Text(dc, Fonts().text, kText, kHelp, r, DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS);
}

void PaintMarks(HDC dc, const RECT& row, int32_t level, int dim)
{
    for (int32_t m = 0; m < 3; m++) {
        int x = row.right - 12 - (3 - m) * kMarkStep;
        RECT mark = {x + 4, row.top + 10, x + 14, row.top + 20};
        Fill(dc, mark, m < level ? kMarkOn : (dim ? RGB(236, 238, 242) : kMarkOff));
    }
}

void PaintHits(HDC dc, const RECT& area)
{
    const int32_t count = SearchHitTable.count;
    int32_t rows = RowsPerPage(area.bottom - area.top, kListTop - area.top + 25);
    SearchCounters.rowsPerPage = rows;
    HitPaging p = {SearchCounters.selectedHit, 0, rows, count};
    if (p.selected < 1) p.selected = 1;
    if (p.selected > count) p.selected = count;
    p.page = PageOfSelected(p.selected, rows);
    SearchCounters.pageIndex = p.page;
    AIString header;
    HitListHeader(p, header);
    RECT h = {area.left + 12, area.top + kListTop, area.right - 10, area.top + kListTop + 20};
    Text(dc, Fonts().bold, kText, header.GetText(), h, DT_LEFT | DT_SINGLELINE);
    const int32_t first = p.page * rows;
    int32_t last = first + rows;
    if (last > count) last = count;
    const int32_t keywords = SearchKeywords.count;
    const int32_t best = GetBestSearchScore();
    int y = area.top + kListTop + 25;
    for (int32_t i = first; i < last; i++, y += kRowHeight) {
        RECT row = {area.left + 6, y, area.right - 6, y + kRowHeight};
        const int selected = i + 1 == p.selected;
        if (selected) {
            RECT inner = {row.left, row.top + 1, row.right, row.bottom - 1};
            Fill(dc, inner, kSelectedRow);
        }
        // A hit whose note has gone since the search is not drawn as a note.
        const AIString& title = HitTitle(i + 1);
        const int32_t slot = RankedHits[i].slot;
        if (title.IsEmpty() || slot < 0 || slot >= kSearchHitSlots) continue;
        int64_t relevance = HitRelevance(RankedHits[i].score, keywords, best);
        int32_t level = RelevanceLevel(relevance);
        COLORREF colour = selected ? RGB(0, 0, 0) : level == 3 ? kLevel3 : level == 2 ? kLevel2 : kText;
        if (!selected && level >= 2) colour = level == 3 ? RGB(20, 110, 170) : RGB(190, 110, 40);
        AIString shown;
        HitRowTitle(title.GetText(), shown);
        RECT t = {row.left + 8, row.top, row.right - 70, row.bottom};
        Text(dc, Fonts().row, colour, shown.GetText(), t, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        PaintMarks(dc, row, level + 0, count >= kSearchHitSlots);
        // A note found in its mirror text has edits the data file does not hold yet.
        if (SearchHitTable.slot[slot].noteReference == kHitFromMirror) {
            RECT m = {row.left, row.top + 8, row.left + 3, row.bottom - 8};
            Fill(dc, m, kMirrorMark);
        }
        if (i + 1 < last) {
            RECT line = {row.left + 4, row.bottom - 1, row.right - 4, row.bottom};
            Fill(dc, line, RGB(200, 206, 218));
            RECT light = {row.left + 4, row.bottom, row.right - 4, row.bottom + 1};
            Fill(dc, light, RGB(255, 255, 255));
        }
    }
}

// The panel's picture, kept from one paint to the next.
AIDib s_paintBuffer;

LRESULT PanelPaint(HWND window, UINT, WPARAM, LPARAM)
{
    BufferedPaint paint;
    BeginBufferedPaint(window, s_paintBuffer, paint);
    if (paint.memory) {
        RECT client = {0, 0, paint.width, paint.height};
        PaintSearchResults(paint.memory, client);
    }
    EndBufferedPaint(window, s_paintBuffer, paint);
    return 0;
}

LRESULT PanelErase(HWND, UINT, WPARAM, LPARAM) { return 1; }

LRESULT PanelWheel(HWND, UINT, WPARAM wParam, LPARAM)
{
    if (GET_WHEEL_DELTA_WPARAM(wParam) < 0) ScrollHitsDown();
    else ScrollHitsUp();
    return 0;
}

// A click selects the hit under the mouse; a double click opens it.
LRESULT PanelClick(HWND window, UINT message, WPARAM, LPARAM lParam)
{
    int y = (short)HIWORD(lParam);
    int32_t row = (y - (kListTop + 25)) / kRowHeight;
    if (y < kListTop + 25 || SearchHitTable.count <= 0) return 0;
    int32_t hit = SearchCounters.pageIndex * SearchCounters.rowsPerPage + row + 1;
    if (row >= SearchCounters.rowsPerPage || hit > SearchHitTable.count) return 0;
    SearchCounters.selectedHit = hit;
    RepaintResultPanel();
    if (message == WM_LBUTTONDBLCLK) OpenSelectedHit();
    else ShowPreview();
    (void)window;
    return 0;
}

const MessageEntry kPanelMessages[] = {
    {WM_PAINT, PanelPaint},   {WM_ERASEBKGND, PanelErase},         {WM_MOUSEWHEEL, PanelWheel},
    {WM_LBUTTONDOWN, PanelClick}, {WM_LBUTTONDBLCLK, PanelClick},
};

LRESULT CALLBACK ResultPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DispatchMessageTable(kPanelMessages, window, message, wParam, lParam);
}

}  // namespace

void PaintSearchResults(HDC dc, const RECT& area)
{
    Gradient(dc, area);
    SetBkMode(dc, TRANSPARENT);
    RECT heading = {area.left + 12, area.top + kHeaderTop, area.right - 80, area.top + kHeaderTop + 30};
    Text(dc, Fonts().heading, kText, L"Search", heading, DT_LEFT | DT_SINGLELINE);
    PaintProgressText(dc, area);
    const int stopped = SearchStopRequest == kStopRequested;
    if (SearchHitTable.count <= 0 || stopped) PaintHelp(dc, area);
    else if (GetBestSearchScore() > 0) PaintHits(dc, area);
}

HWND CreateResultPanel(HWND content)
{
    WNDCLASSW wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ResultPanelProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    s_panel = CreateWindowExW(0, kClassName, L"", WS_CHILD, 0, 0, 10, 10, content, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    return s_panel;
}

HWND GetResultPanel() { return s_panel; }

void PaintSearchProgress(int32_t percent)
{
    if (!s_panel || !IsWindowVisible(s_panel)) return;
    RECT client;
    GetClientRect(s_panel, &client);
    HDC dc = GetDC(s_panel);
    RECT line = {0, 0, (LONG)((int64_t)client.right * percent / 100), kProgressHeight};
    Fill(dc, line, kProgressColour);
    ReleaseDC(s_panel, dc);
}

void InvalidateResultPanel()
{
    if (s_panel) InvalidateRect(s_panel, nullptr, FALSE);
}

void RepaintResultPanel()
{
    if (s_panel) RedrawWindow(s_panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}
