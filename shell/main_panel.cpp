#include "shell/sync_connection.h"
#include "shell/main_panel.h"
#include "shell/note_list_rows.h"
#include "shell/image_preview_connection.h"
#include "shell/typing_store.h"
#include "shell/frame_window.h"
#include "shell/note_commands.h"
#include "shell/later_entry_points.h"
#include "shell/capture_connection.h"
#include "shell/read_only_notice.h"
#include "shell/shell_ids.h"
#include "notestore/note_store.h"
#include "notestore/datafile_format.h"
#include "editor/links/completion_popup.h"
#include "editor/note_marks.h"
#include "editor/keys/editor_links.h"
#include "editor/find/inc_search.h"
#include "shell/editor_connection.h"
#include "shell/search_connection.h"
#include "shell/preview_connection.h"
#include "shell/quick_search_pulse.h"
#include "shell/split_view.h"
#include "ui/status_line.h"
#include "ui/window_table.h"
#include "foundation/hash_name.h"
#include "foundation/trace.h"
#include "foundation/result_flag.h"
#include <commctrl.h>
#include <richedit.h>

MainPanelWindow g_mainPanel;
static AIStatusLine s_statusLine;
static const COLORREF kNoteListBackground = RGB(255, 255, 255);

void SetStatusText(const WCHAR* text, StatusLevel level)
{
    s_statusLine.SetSlotText(text ? text : L"", level, 0);
    s_statusLine.Invalidate();
}

const WCHAR* GetStatusText() { return s_statusLine.GetSlotText(0); }

void SetStatusSlotText(const WCHAR* text, StatusLevel level, int slot)
{
    s_statusLine.SetSlotText(text ? text : L"", level, slot);
    s_statusLine.Invalidate();
}

void RefreshImagePreview(const WCHAR* text, StatusLevel level)
{
    SetStatusText(text, level);
    HWND panel = g_mainPanel.GetHwndField();
    if (panel) UpdateWindow(panel);
}

void TickStatusLine() { s_statusLine.Tick(GetTickCount()); }

static void MoveControl(AIControl& control, const RECT& r)
{
    HWND window = control.GetHwnd();
    if (window) MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

static void CreatePaneAt(AIControl& control, int kind, HWND panel, const RECT& r, DWORD style)
{
    control.CreateWindowedAt(kind, panel, r.left, r.top, r.right - r.left, r.bottom - r.top, style);
}

void UpdateSplitter()
{
    TRACE_SCOPE(kTraceMainPanel, 1);
    HWND panel = g_mainPanel.GetHwndField();
    if (!panel) return;
    RECT client;
    GetClientRect(panel, &client);
    // The Replace box keeps its place while the search is on: Tab shows it without a new layout.
    int inc = g_mainPanel.incSearchOn ? 2 : 0;
    PanelLayout& l = g_mainPanel.layout;
    ComputePanelLayout(client.right, client.bottom, g_mainPanel.splitX, inc, &l);
    g_mainPanel.splitX = l.splitX;
    MoveControl(g_mainPanel.quickSearch, l.quickSearch);
    MoveControl(g_mainPanel.noteList, l.noteList);
    MoveControl(g_mainPanel.previewPane, l.preview);
    MoveControl(g_mainPanel.editor, l.editor);
    MoveControl(g_mainPanel.incSearchBox, l.incSearch);
    MoveControl(g_mainPanel.replaceBox, l.replace);
    LayOutFullTextSearch(l);
    // The editor's place (line and column) stays on the line whatever stands before it.
    s_statusLine.SetKeptSlot(kStatusSlotEditor);
    s_statusLine.Attach(panel, l.status);
    InvalidateRect(panel, nullptr, TRUE);
}

static void ShowControl(AIControl& control, int show)
{
    HWND window = control.GetHwnd();
    if (window) ShowWindow(window, show ? SW_SHOW : SW_HIDE);
}

void HideControlsNoFile(int hide)
{
    TRACE_SCOPE(kTraceMainPanel, 2);
    g_mainPanel.noFileMode = hide ? 1 : 0;
    ShowControl(g_mainPanel.noteList, !hide);
    ShowControl(g_mainPanel.previewPane, !hide);
    ShowControl(g_mainPanel.editor, !hide);
    if (hide) {
        ShowControl(g_mainPanel.incSearchBox, 0);
        ShowControl(g_mainPanel.replaceBox, 0);
        g_mainPanel.incSearchOn = 0;
    }
}

void HideTransientControls(int hide)
{
    TRACE_SCOPE(kTraceMainPanel, 3);
    StopMainTimer(kTimerQuickPreview);
    if (hide) {
        ShowControl(g_mainPanel.incSearchBox, 0);
        ShowControl(g_mainPanel.replaceBox, 0);
    }
}

void FillNoteList()
{
    TRACE_SCOPE(kTraceMainPanel, 4);
    HWND list = g_mainPanel.noteList.GetHwnd();
    if (!list) return;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SetNoteListRowCount(list, GetNoteCount());
    if (g_mainPanel.currentNote >= 0) SendMessageW(list, LB_SETCURSEL, g_mainPanel.currentNote, 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

int CreateMainWindow(AIWindow*)
{
    TRACE_SCOPE(kTraceMainPanel, 5);
    if (!g_mainPanel.GetHwndField()) return 0;
    FillNoteList();
    HideControlsNoFile(IsDatafileLoaded() ? 0 : 1);
    UpdateSplitter();
    return 1;
}

static LRESULT PanelOnCreate(HWND, UINT, WPARAM, LPARAM) { return 0; }

static LRESULT PanelOnSize(HWND, UINT, WPARAM, LPARAM)
{
    UpdateSplitter();
    return 0;
}

static LRESULT PanelOnPaint(HWND window, UINT, WPARAM, LPARAM)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const RECT& s = g_mainPanel.layout.splitter;
    RECT grip = {s.left + 2, s.top + (s.bottom - s.top) / 2 - 15, s.right - 2, s.top + (s.bottom - s.top) / 2 + 15};
    FillRect(dc, &grip, GetSysColorBrush(COLOR_BTNSHADOW));
    if (g_mainPanel.noFileMode) {
        RECT r = {g_mainPanel.layout.editor.left, g_mainPanel.layout.editor.top + 40, client.right,
                  g_mainPanel.layout.editor.top + 80};
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, L"No data file is open. Press Ctrl+O to open one.", -1, &r, DT_CENTER | DT_SINGLELINE);
    }
    s_statusLine.Paint(dc);
    EndPaint(window, &ps);
    // A picture in the editor's place is drawn straight into the window: what was painted over it goes back.
    if (IsEditorHiddenForPicture()) RepaintShownImagePreviewOver(ps.rcPaint);
    return 0;
}

static LRESULT PanelOnEraseBackground(HWND, UINT, WPARAM, LPARAM) { return 1; }

static int InRect(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

static LRESULT PanelOnLButtonDown(HWND window, UINT, WPARAM, LPARAM lParam)
{
    int x = (short)LOWORD(lParam), y = (short)HIWORD(lParam);
    if (InRect(g_mainPanel.layout.splitter, x, y)) {
        g_mainPanel.dragging = 1;
        SetCapture(window);
    }
    return 0;
}

static LRESULT PanelOnMouseMove(HWND, UINT, WPARAM, LPARAM lParam)
{
    POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    SplitViewMouseMoved(at);
    if (!g_mainPanel.dragging) return 0;
    int x = (short)LOWORD(lParam);
    g_mainPanel.splitX = x - kSplitterWidth / 2;
    UpdateSplitter();
    return 0;
}

// A click on the status line shows the last message again, in active mode.
static LRESULT OnMainLButtonUp(HWND, UINT, WPARAM, LPARAM lParam)
{
    int x = (short)LOWORD(lParam), y = (short)HIWORD(lParam);
    if (g_mainPanel.dragging) {
        g_mainPanel.dragging = 0;
        ReleaseCapture();
        return 0;
    }
    if (InRect(g_mainPanel.layout.status, x, y)) UpdateMessageBox(1);
    return 0;
}

static LRESULT PanelOnSetCursor(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((HWND)wParam == window && LOWORD(lParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(window, &p);
        if (InRect(g_mainPanel.layout.splitter, p.x, p.y)) {
            SetCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_SPLITTER)));
            return TRUE;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

static LRESULT PanelOnCommand(HWND window, UINT, WPARAM wParam, LPARAM lParam)
{
    HWND control = (HWND)lParam;
    WORD code = HIWORD(wParam);
    if (control && code == EN_SETFOCUS) {
        // The pane the user works in gets the focus back when the frame does.
        g_mainPanel.focusPane = control;
        return 0;
    }
    if (control && control == g_mainPanel.noteList.GetHwnd() && code == LBN_SELCHANGE) {
        // A click on the picture drawn over the list is the picture's, not the row's under it.
        DWORD at = GetMessagePos();
        POINT click = {(SHORT)LOWORD(at), (SHORT)HIWORD(at)};
        if (OpenNoteOfClickedImage(click)) return 0;
        int index = (int)SendMessageW(control, LB_GETCURSEL, 0, 0);
        if (index >= 0 && index != g_mainPanel.currentNote) ReadAndShowNote(index, kShowAndRecord);
        return 0;
    }
    if (control && control == g_mainPanel.editor.GetHwnd() && code == EN_CHANGE) {
        g_mainPanel.lastEditTick = (int32_t)TypingClockNow();
        OnEditorChangedForSync(control);
        return 0;
    }
    // Ribbon and accelerator commands that reach the panel belong to the frame.
    HWND frame = g_frame.GetHwndField();
    if (frame && !control) return SendMessageW(frame, WM_COMMAND, wParam, lParam);
    (void)window;
    return 0;
}

static LRESULT PanelOnTimer(HWND window, UINT, WPARAM wParam, LPARAM)
{
    OnMainTimer(window, wParam);
    return 0;
}

static LRESULT PanelOnCommandByName(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return HandleForwardedMessage(window, message, wParam, lParam);
}

static LRESULT PanelOnCtlColor(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The editor's completion list is a child of this window.
    if (HBRUSH brush = CompletionListColour((HWND)lParam, (HDC)wParam)) return (LRESULT)brush;
    if (HBRUSH brush = QuickSearchPulseColour((HWND)lParam, (HDC)wParam)) return (LRESULT)brush;
    if ((HWND)lParam == g_mainPanel.noteList.GetHwnd()) {
        SetBkColor((HDC)wParam, kNoteListBackground);
        return (LRESULT)GetStockObject(WHITE_BRUSH);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The editor's completion list draws its items from its own list; the note
// list draws its rows from the note index.
static LRESULT PanelOnDrawItem(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CompletionDrawItem((const DRAWITEMSTRUCT*)lParam)) return TRUE;
    if (NoteListDrawItem(g_mainPanel.noteList.GetHwnd(), (const DRAWITEMSTRUCT*)lParam)) return TRUE;
    return DefWindowProcW(window, message, wParam, lParam);
}

// A letter typed in the note list goes to the next title beginning with it.
static LRESULT PanelOnCharToItem(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND list = g_mainPanel.noteList.GetHwnd();
    if (!list || (HWND)lParam != list) return DefWindowProcW(window, message, wParam, lParam);
    // The caret comes from the list: the message's 16 bits cannot hold every row.
    int count = (int)SendMessageW(list, LB_GETCOUNT, 0, 0);
    int caret = (int)SendMessageW(list, LB_GETCARETINDEX, 0, 0);
    return NoteListRowForChar((WCHAR)LOWORD(wParam), caret, count);
}

// The list's own keys (arrows, Page keys, Home, End) stay the list box's.
static LRESULT PanelOnVKeyToItem(HWND, UINT, WPARAM, LPARAM) { return -1; }

// The editor hands its keys over first (EN_MSGFILTER): a read-only data file
// answers an editing key with its message. The key goes on either way; the
// editor itself refuses it.
static LRESULT PanelOnNotify(HWND, UINT, WPARAM, LPARAM lParam)
{
    const NMHDR* header = (const NMHDR*)lParam;
    if (header && header->hwndFrom == g_mainPanel.editor.GetHwnd() && header->code == EN_MSGFILTER)
        OnEditorKeyFilter((const MSGFILTER*)lParam);
    return 0;
}

static const MessageEntry kPanelMessages[] = {
    {WM_CREATE, PanelOnCreate},
    {WM_SIZE, PanelOnSize},
    {WM_PAINT, PanelOnPaint},
    {WM_ERASEBKGND, PanelOnEraseBackground},
    {WM_LBUTTONDOWN, PanelOnLButtonDown},
    {WM_MOUSEMOVE, PanelOnMouseMove},
    {WM_LBUTTONUP, OnMainLButtonUp},
    {WM_SETCURSOR, PanelOnSetCursor},
    {WM_COMMAND, PanelOnCommand},
    {WM_TIMER, PanelOnTimer},
    {WM_CTLCOLORLISTBOX, PanelOnCtlColor},
    {WM_CTLCOLOREDIT, PanelOnCtlColor},
    {WM_DRAWITEM, PanelOnDrawItem},
    {WM_CHARTOITEM, PanelOnCharToItem},
    {WM_VKEYTOITEM, PanelOnVKeyToItem},
    {WM_NOTIFY, PanelOnNotify},
    {MsgCommandByName, PanelOnCommandByName},
};

LRESULT CALLBACK MainPanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DispatchMessageTable(kPanelMessages, window, message, wParam, lParam);
}

// Made hidden when the search first opens; they stand right after the
// editor among the panes, as when they were made with it.
int EnsureIncSearchBoxes()
{
    MainPanelWindow& p = g_mainPanel;
    HWND panel = p.GetHwndField(), editor = p.editor.GetHwnd();
    if (p.incSearchBox.GetHwnd()) return 1;
    if (!panel || !editor) return 0;
    const DWORD style = WS_CHILD | WS_BORDER | ES_AUTOHSCROLL;
    if (!p.incSearchBox.CreateWindowedAt(ControlEdit, panel, 0, 0, 10, 10, style)) return 0;
    p.replaceBox.CreateWindowedAt(ControlEdit, panel, 0, 0, 10, 10, style);
    HWND box = p.incSearchBox.GetHwnd(), replace = p.replaceBox.GetHwnd();
    const UINT keepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW;
    SetWindowPos(box, editor, 0, 0, 0, 0, keepPlace);
    if (replace) SetWindowPos(replace, box, 0, 0, 0, 0, keepPlace);
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    SendMessageW(box, EM_SETCUEBANNER, TRUE, (LPARAM)L"Search in this note");
    SendMessageW(box, WM_SETFONT, (WPARAM)font, 0);
    if (replace) {
        SendMessageW(replace, EM_SETCUEBANNER, TRUE, (LPARAM)L"Replace with");
        SendMessageW(replace, WM_SETFONT, (WPARAM)font, 0);
    }
    InstallIncSearchBoxes(box, replace);
    return 1;
}

HWND CreateContentWindow(HWND frame)
{
    TRACE_SCOPE(kTraceMainPanel, 6);
    AIWindow::RegisterClassWithIcon(L"winMain", MainPanelWindowProc, 0);
    RECT client;
    GetClientRect(frame, &client);
    int top = g_frame.ribbonBandHeight;
    HWND panel = g_mainPanel.Create(WS_EX_CONTROLPARENT, L"winMain", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                    top, client.right, client.bottom - top, frame, nullptr, nullptr);
    if (!panel) return nullptr;
    MainPanelWindow& p = g_mainPanel;
    // The panes are made where the layout puts them: made small and moved
    // there, each would be laid out twice.
    GetClientRect(panel, &client);
    PanelLayout& l = p.layout;
    ComputePanelLayout(client.right, client.bottom, p.splitX, p.incSearchOn ? 2 : 0, &l);
    p.splitX = l.splitX;
    CreatePaneAt(p.quickSearch, ControlEdit, panel, l.quickSearch,
                 WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
    CreatePaneAt(p.noteList, ControlListBox, panel, l.noteList,
                 WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                     LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_WANTKEYBOARDINPUT);
    CreatePaneAt(p.previewPane, ControlRichEdit, panel, l.preview,
                 WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_READONLY | WS_VSCROLL);
    CreatePaneAt(p.editor, ControlRichEdit, panel, l.editor,
                 WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                     ES_WANTRETURN | ES_NOHIDESEL);
    SendMessageW(p.editor.GetHwnd(), EM_SETEVENTMASK, 0, kEditorEventMask);
    SendMessageW(p.editor.GetHwnd(), EM_EXLIMITTEXT, 0, 200000);
    // ShowNoteHyperlinks and ApplyLineTagsInEditor mark this editor.
    InstallNoteMarks(&p.editor);
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    static HFONT quickFont = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    SendMessageW(p.quickSearch.GetHwnd(), WM_SETFONT, (WPARAM)quickFont, 0);
    SendMessageW(p.noteList.GetHwnd(), WM_SETFONT, (WPARAM)font, 0);
    SetNoteListRowHeight(p.noteList.GetHwnd(), font);
    // QuickSearch, the full-text result panel and the engine's note source.
    ConnectSearch(panel);
    ConnectCapture();
    // The link preview pane and the results of the text pipelines.
    ConnectPreview(panel);
    UpdateSplitter();
    // The editor's own window procedure and its links to the shell.
    ConnectEditor();
    return panel;
}
