// The link preview pane: the request, the timers, the fill by kind, the
// pane's own mouse and key handling.
#include "search/preview/preview_pane.h"
#include "search/preview/note_preview.h"
#include "search/preview/preview_fill.h"
#include "search/preview/preview_text.h"
#include "search/capture/web_capture.h"
#include "search/pdf/pdf_text_cache.h"
#include "editor/links/link_context.h"
#include "editor/links/link_describe.h"
#include "ui/ai_control.h"
#include "ui/ai_text_document.h"
#include "ui/link_marks.h"
#include "notestore/note_store.h"
#include "foundation/ai_file.h"
#include "foundation/ai_string_table.h"
#include "foundation/app.h"
#include "foundation/clipboard.h"
#include "foundation/text_markup.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include <richedit.h>

PreviewShellLinks g_previewShell;

namespace {

// The one state of the preview pane.
struct QuickPreviewState {
    AIString target;            // what is to be previewed ("Open file:" removed)
    PreviewKind kind = kPreviewNothing;
    PreviewOrigin origin = kOriginHover;
    AIString lastTarget;        // the previous request, and whether it showed something
    int lastKind = kPreviewNothing;
    int lastOrigin = kOriginHover;
    int lastOk = 0;
    AIString webCachePath;      // the cache file of the last web or PDF preview
    AIString lastForcedPdf;     // the PDF whose text was last extracted again on request (Shift)
    int zoomOffset = 0;         // -50..50 percent in steps of 10
    int copyHintDone = 0;
    AIString hovered;           // the link text under the mouse, to ignore moves within it
    POINT firstMouse = {-1, -1};
    int32_t fills = 0;
};

QuickPreviewState s_preview;
HWND s_pane = nullptr;
WNDPROC s_paneProc = nullptr;

// A hover download must never hold the program up for long.
const int kHoverConnectMs = 2000;
const int kHoverTotalMs = 5000;
const int kZoomStep = 10, kZoomOffsetLimit = 50, kZoomMin = 10, kZoomMax = 500, kDefaultZoom = 100;
const int kCopyPreviewChars = 20;
const int kListMinWidth = 30, kListOverhangLeft = 25, kListOverhangRight = 110, kPaneGap = 2;
const int kEditorInset = 10, kInvalidateMargin = 15;
const COLORREF kPaneColourOverList = RGB(250, 250, 235);
const COLORREF kPaneColourOverEditor = RGB(255, 255, 240);

const WCHAR kNoteMissing[] = L"\r\nThe note does not exist anymore ...";
const WCHAR kFileNotFound[] = L"Error: File not found";

int KeyDown(int vk)
{
    if (g_previewShell.isKeyDown) return g_previewShell.isKeyDown(vk);
    return GetKeyState(vk) < 0;
}
void Status(const WCHAR* text, StatusLevel level)
{
    if (g_previewShell.setStatusText) g_previewShell.setStatusText(text, level);
}
void Start(UINT_PTR timer, UINT ms)
{
    if (g_previewShell.startTimer) g_previewShell.startTimer(timer, ms);
}
void Stop(UINT_PTR timer)
{
    if (g_previewShell.stopTimer) g_previewShell.stopTimer(timer);
}
const SettingsRecord& Settings() { return g_app.settings.Record(); }

int PaneZoom()
{
    int zoom = (Settings().previewZoom > 0 ? Settings().previewZoom : kDefaultZoom) + s_preview.zoomOffset;
    return zoom < kZoomMin ? kZoomMin : zoom > kZoomMax ? kZoomMax : zoom;
}

RECT WindowRectIn(HWND window, HWND parent)
{
    RECT r = {0, 0, 0, 0};
    if (!window) return r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, parent, (POINT*)&r, 2);
    return r;
}

void InvalidateList()
{
    if (!g_previewShell.noteList || !g_previewShell.content) return;
    RECT r = WindowRectIn(g_previewShell.noteList, g_previewShell.content);
    InflateRect(&r, kInvalidateMargin, 0);
    InvalidateRect(g_previewShell.content, &r, TRUE);
}

void PlacePane()
{
    RECT r;
    int overEditor = GetPreviewRect(&r);
    static COLORREF s_colour = CLR_INVALID;
    COLORREF colour = overEditor ? kPaneColourOverEditor : kPaneColourOverList;
    if (colour != s_colour) SendMessageW(s_pane, EM_SETBKGNDCOLOR, 0, colour);
    s_colour = colour;
    SetWindowPos(s_pane, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void ShowText(const AIString& text)
{
    ShowPreviewText(s_pane, text, PaneZoom());
    s_preview.fills++;
}

// Kind 9: the web page from its cache file, downloaded first when allowed.
int FillWebPage()
{
    AIString name, cache;
    WebShownName(s_preview.target.GetText(), name);
    WebCachePath(GetNotesFolder(), s_preview.target.GetText(), cache);
    if (cache.IsEmpty()) return 0;
    if (!AIFile::Exists(cache.GetText()) && (Settings().previewWebPages || KeyDown(VK_SHIFT))) {
        // Quietly: a hover never asks about folders.
        AIString folder(GetNotesFolder());
        CreateDirectoryW(folder.GetText(), nullptr);
        CreateDirectoryW(folder.AppendText(L"txt").GetText(), nullptr);
        AIString url;
        WebLinkAddress(s_preview.target.GetText(), url);
        SetWebDownloadTimeouts(kHoverConnectMs, kHoverTotalMs);
        PreviewWebPage(url.GetText(), cache.GetText());
        SetWebDownloadTimeouts(0, 0);
    }
    if (!AIFile::Exists(cache.GetText())) {
        InvalidateList();
        return 1;
    }
    s_preview.webCachePath.Copy(cache);
    AIString page, text(L"Preview Web: ");
    text.AppendString(name);
    if (AIFile::GetSizeByName(cache.GetText()) > 2 && ReadPreviewTextFile(cache.GetText(), kWebCacheMaxBytes, page) == kPreviewTextOk) {
        text.AppendText(L"\r\n").AppendString(page);
        ShowText(text);
        return 1;
    }
    text.AppendText(L" \r\n\r\nNo preview available");
    ShowText(text);
    return 0;
}

struct RtfSource {
    HANDLE file;
};

DWORD CALLBACK ReadRtfChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got)
{
    DWORD read = 0;
    BOOL ok = ReadFile(((RtfSource*)cookie)->file, buffer, (DWORD)wanted, &read, nullptr);
    *got = (LONG)read;
    return ok ? 0 : 1;
}

// Kind 4: an RTF file keeps its own formatting.
int FillRtfFile(const AIString& path)
{
    if (!AIFile::Exists(path.GetText())) {
        Status(kFileNotFound, kStatusWarning);
        InvalidateList();
        return 1;
    }
    if (AIFile::GetSizeByName(path.GetText()) >= kRtfFileTooBigBytes) {
        ShowText(AIString(L"Cannot preview RTF file\r\n - file is too big (for quick previews)"));
        return 1;
    }
    RtfSource source = {CreateFileW(path.GetText(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (source.file == INVALID_HANDLE_VALUE) {
        ShowText(AIString(L"Preview RTF file: \r\nThe file cannot be read"));
        return 1;
    }
    SendMessageW(s_pane, WM_SETREDRAW, FALSE, 0);
    EDITSTREAM stream = {(DWORD_PTR)&source, 0, ReadRtfChunk};
    SendMessageW(s_pane, EM_STREAMIN, SF_RTF, (LPARAM)&stream);
    CloseHandle(source.file);
    CHARRANGE start = {0, 0};
    SendMessageW(s_pane, EM_EXSETSEL, 0, (LPARAM)&start);
    SendMessageW(s_pane, EM_REPLACESEL, FALSE, (LPARAM)L"Preview RTF file: \r\n");
    SendMessageW(s_pane, EM_SETZOOM, PaneZoom(), 100);
    SendMessageW(s_pane, EM_EXSETSEL, 0, (LPARAM)&start);
    SendMessageW(s_pane, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(s_pane, nullptr, TRUE);
    s_preview.fills++;
    return 1;
}

// A PDF's text through its cache file (extracted when missing, or again on Shift).
int PdfTextFile(const AIString& pdf, AIString& textFile)
{
    GetPdfTextCachePath(pdf.GetText(), textFile);
    const int64_t kReusableBytes = 4;
    int shift = KeyDown(VK_SHIFT);
    if (!shift && AIFile::GetSizeByName(textFile.GetText()) >= kReusableBytes) return 1;
    if (shift && !s_preview.lastForcedPdf.EqualsTextNoCase(pdf.GetText())) AIFile::DeleteQuiet(textFile.GetText());
    AIString reason;
    int made = ExtractPdfText(pdf.GetText(), &reason);
    if (shift) s_preview.lastForcedPdf.Copy(pdf);
    else if (!s_preview.lastForcedPdf.EqualsTextNoCase(pdf.GetText())) s_preview.lastForcedPdf.Clear();
    if (made && AIFile::Exists(textFile.GetText())) return 1;
    textFile.Copy(reason.IsEmpty() ? AIString(L"No text could be taken from the PDF file") : reason);
    return 0;
}

// Kinds 3 and 5: a text file, the text of a PDF, a dictionary entry.
int FillTextFile(const AIString& path)
{
    HCURSOR kept = nullptr;
    if (path.FindText(L"file:\\\\") >= 0 || path.StartsWith(L"\\\\")) kept = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    int exists = AIFile::Exists(path.GetText());
    if (kept) SetCursor(kept);
    if (!exists) {
        Status(kFileNotFound, kStatusWarning);
        InvalidateList();
        return 1;
    }
    AIString file(path), caption;
    int isPdf = Settings().previewPdfText && HasExtensionNoCase(path.GetText(), L"pdf");
    if (isPdf) {
        AIString textFile;
        if (!PdfTextFile(path, textFile)) {
            TextFileCaption(path.GetText(), 0, caption);
            caption.AppendString(textFile);
            ShowText(caption);
            return 1;
        }
        file.Copy(textFile);
        s_preview.webCachePath.Copy(textFile);
    }
    TextFileCaption(file.GetText(), isPdf, caption);
    AIString text;
    PreviewTextResult result = ReadPreviewTextFile(file.GetText(), kTextFileMaxBytes, text);
    if (result != kPreviewTextOk) {
        caption.AppendText(PreviewTextFailureText(result));
        ShowText(caption);
        return 1;
    }
    BreakDoubleCarriageReturns(text, kPreviewMaxChars - caption.GetLength());
    caption.AppendString(text);
    ShowText(caption);
    return 1;
}

int FillNote()
{
    int32_t index = FindNoteByTitle(s_preview.target.GetText(), 0, 0);
    if (index >= 0 && FillNotePreview(s_pane, index, L"Preview: ", PaneZoom())) {
        s_preview.fills++;
        return 1;
    }
    AIString text(L"Preview: ");
    text.AppendString(s_preview.target).AppendText(kNoteMissing);
    ShowText(text);
    return 1;
}

void FilePathOfTarget(AIString& path)
{
    AIString link;
    StripOpenFilePrefix(s_preview.target.GetText(), link);
    link.Trim();
    if (link.StartsWithNoCase(L"file:")) link.DeleteRange(0, 5);
    ResolveRelativePath(link.GetText(), path);
}

// Copies the pane's selection (at most a pane's worth) and says so.
void CopySelection(HWND pane)
{
    CHARRANGE range = {0, 0};
    SendMessageW(pane, EM_EXGETSEL, 0, (LPARAM)&range);
    if (range.cpMax <= range.cpMin) {
        if (!s_preview.copyHintDone) Status(L"Select text with your mouse to automatically copy selection to clipboard", kStatusInfo);
        return;
    }
    if (range.cpMax - range.cpMin > kPreviewMaxChars) range.cpMax = range.cpMin + kPreviewMaxChars;
    AIString selected;
    WCHAR* buffer = selected.GetBuffer(range.cpMax - range.cpMin + 1);
    TEXTRANGEW text = {range, buffer};
    int got = buffer ? (int)SendMessageW(pane, EM_GETTEXTRANGE, 0, (LPARAM)&text) : 0;
    selected.SetLength(got);
    AIClipboard clipboard(pane);
    if (!got || !clipboard.Open() || !clipboard.SetText(selected.GetText(), selected.GetLength())) {
        Status(L"Warning: Failed to automatically copy selected text to clipboard", kStatusWarning);
        return;
    }
    clipboard.Close();
    AIString shown, status(L"Selected text automatically copied to clipboard (<lgreen>");
    shown.AssignTextN(selected.GetText(), kCopyPreviewChars);
    AIString escaped;
    TextMarkup::Escape(shown.GetText(), escaped);
    status.AppendString(escaped).AppendText(L"...</lgreen>)");
    Status(status.GetText(), kStatusInfo);
    s_preview.copyHintDone = 1;
}

void ShowCopyHint()
{
    static const WCHAR kHint[] = L"Select text in preview to automatically copy selection to clipboard";
    if (!s_preview.copyHintDone) Status(kHint, kStatusInfo);
}

void ChangeZoom(HWND pane, int notches)
{
    s_preview.zoomOffset += notches > 0 ? kZoomStep : -kZoomStep;
    if (s_preview.zoomOffset > kZoomOffsetLimit) s_preview.zoomOffset = kZoomOffsetLimit;
    if (s_preview.zoomOffset < -kZoomOffsetLimit) s_preview.zoomOffset = -kZoomOffsetLimit;
    Stop(kPreviewTimerLinkHover);
    Stop(kPreviewTimerHide);
    int steps = s_preview.zoomOffset / kZoomStep;
    AIString status(L"Changed zoom level of preview");
    if (steps > 0) status.AppendText(L" ( +").AppendInt(steps).AppendText(L" )");
    else if (steps < 0) status.AppendText(L" ( ").AppendInt(steps).AppendText(L" )");
    else status.AppendText(L" (default)");
    Status(status.GetText(), kStatusInfo);
    SendMessageW(pane, EM_SETZOOM, PaneZoom(), 100);
    InvalidateRect(pane, nullptr, TRUE);
}

void FocusEditor()
{
    if (g_previewShell.editor && g_previewShell.editor->GetHwnd()) SetFocus(g_previewShell.editor->GetHwnd());
}

LRESULT CALLBACK PreviewSubclassProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SHOWWINDOW:
        if (!wParam) s_preview.firstMouse.x = s_preview.firstMouse.y = -1;
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        FocusEditor();
        return 0;
    case WM_MOUSEMOVE: {
        POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        if (s_preview.firstMouse.x < 0) {
            s_preview.firstMouse = at;
        } else if (at.x != s_preview.firstMouse.x || at.y != s_preview.firstMouse.y) {
            s_preview.firstMouse.x = s_preview.firstMouse.y = -1;
            if (s_preview.origin == kOriginHover || s_preview.origin == kOriginStepping) {
                HideQuickPreview(1);
                return 0;
            }
            ShowCopyHint();
        }
        break;
    }
    case WM_LBUTTONDOWN:
        ShowCopyHint();
        break;
    case WM_LBUTTONUP: {
        LRESULT result = CallWindowProcW(s_paneProc, pane, message, wParam, lParam);
        if (Settings().autoCopyPreview) CopySelection(pane);
        FocusEditor();
        return result;
    }
    case WM_MOUSEWHEEL: {
        int kind = s_preview.kind;
        if ((LOWORD(wParam) & MK_CONTROL) &&
            (kind < kPreviewImage || kind == kPreviewFileLink || kind == kPreviewTextFile || kind == kPreviewWebPage)) {
            ChangeZoom(pane, (short)HIWORD(wParam));
            return 0;
        }
        break;
    }
    }
    return CallWindowProcW(s_paneProc, pane, message, wParam, lParam);
}

// The QuickSearch preview pane: keys go back to the window that had the
// focus, a selection is always copied, Ctrl+wheel zooms like the link pane.
WNDPROC s_quickPaneProc = nullptr;
HWND s_focusBeforeQuickPane = nullptr;

LRESULT CALLBACK PreviewEditProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        s_focusBeforeQuickPane = (HWND)wParam;
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        if (s_focusBeforeQuickPane && IsWindow(s_focusBeforeQuickPane)) SetFocus(s_focusBeforeQuickPane);
        else FocusEditor();
        return 0;
    case WM_LBUTTONUP: {
        LRESULT result = CallWindowProcW(s_quickPaneProc, pane, message, wParam, lParam);
        CopySelection(pane);
        return result;
    }
    case WM_MOUSEWHEEL:
        if (LOWORD(wParam) & MK_CONTROL) {
            ChangeZoom(pane, (short)HIWORD(wParam));
            return 0;
        }
        break;
    }
    return CallWindowProcW(s_quickPaneProc, pane, message, wParam, lParam);
}

// The link text of the run [start, end) with its mark: a note title, a
// hyperlink's target from the note's table, or the address as typed.
int LinkTargetOfRun(int32_t start, int32_t end, int32_t mark, AIString& target)
{
    AITextDocument* doc = g_previewShell.editor ? g_previewShell.editor->GetDocument() : nullptr;
    if (!doc || mark == TagMark) return 0;
    AIString text;
    doc->GetRangeText(start, end, &text);
    if (text.CharAt(0) == L'[' && text.CharAt(text.GetLength() - 1) == L']') {
        text.DeleteRange(text.GetLength() - 1, 1);
        text.DeleteRange(0, 1);
    }
    target.Copy(text);
    if (mark != HyperlinkMark) return 1;
    AIString key(text);
    LabelToTableKey(key);
    if (g_noteStore.hyperlinks && g_noteStore.hyperlinks->IndexOfKeyStringExact(key.GetText()) >= 0) {
        g_noteStore.hyperlinks->GetValueOfKeyString(key.GetText(), target);
        TableTextToShown(target);
    }
    return 1;
}

}  // namespace

HWND CreateLinkPreviewPane(HWND content)
{
    s_pane = CreateWindowExW(0, L"RichEdit20W", L"", WS_CHILD | WS_BORDER | ES_MULTILINE | ES_READONLY | WS_VSCROLL,
                             0, 0, 10, 10, content, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!s_pane) return nullptr;
    SendMessageW(s_pane, EM_EXLIMITTEXT, 0, kPreviewMaxChars + 1000);
    SendMessageW(s_pane, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
    s_paneProc = (WNDPROC)SetWindowLongPtrW(s_pane, GWLP_WNDPROC, (LONG_PTR)PreviewSubclassProc);
    return s_pane;
}

HWND GetLinkPreviewPane() { return s_pane; }

void InstallQuickPreviewPane(HWND pane)
{
    if (!pane || s_quickPaneProc) return;
    s_quickPaneProc = (WNDPROC)SetWindowLongPtrW(pane, GWLP_WNDPROC, (LONG_PTR)PreviewEditProc);
}

void SetPreviewTarget(const WCHAR* target, PreviewKind kind, PreviewOrigin origin)
{
    StripOpenFilePrefix(target, s_preview.target);
    s_preview.kind = kind;
    s_preview.origin = origin;
}

int GetPreviewKind() { return s_preview.kind; }
int32_t GetPreviewFillCount() { return s_preview.fills; }

int PaintLinkPreview()
{
    TRACE_SCOPE(kTracePreview, 1);
    Stop(kPreviewTimerHide);
    QuickPreviewState& p = s_preview;
    if (p.target.IsEmpty() || p.kind == kPreviewNothing) return 0;
    // A request for what the pane already shows is not painted again.
    if (p.lastOk && p.kind == p.lastKind && p.origin == p.lastOrigin && p.target.EqualsString(p.lastTarget) &&
        s_pane && IsWindowVisible(s_pane))
        return 0;
    AIString requested(p.target);
    int ok = PreviewLinkTarget();
    if (ok) {
        p.lastTarget.Copy(requested);
        p.lastKind = p.kind;
        p.lastOrigin = p.origin;
        p.lastOk = 1;
    } else {
        p.lastTarget.Clear();
        p.lastKind = kPreviewNothing;
        p.lastOk = 0;
    }
    return ok;
}

int PreviewLinkTarget()
{
    TRACE_SCOPE(kTracePreview, 2);
    if (!s_pane || s_preview.target.IsEmpty()) return 0;
    int fillsBefore = s_preview.fills;
    int result;
    AIString path;
    switch (s_preview.kind) {
    case kPreviewImage:
    case kPreviewImagePaged: return 0;  // the image preview's
    case kPreviewWebPage: result = FillWebPage(); break;
    case kPreviewRtfFile:
        FilePathOfTarget(path);
        result = FillRtfFile(path);
        break;
    case kPreviewFileLink:
    case kPreviewTextFile:
        FilePathOfTarget(path);
        result = FillTextFile(path);
        break;
    default: result = FillNote(); break;
    }
    int filled = s_preview.fills != fillsBefore;
    if (filled) PlacePane();
    if (filled && IsWindowVisible(s_pane)) s_preview.target.Clear();
    else if (s_preview.kind == kPreviewWebPage) {
        AIString status(L"Hyperlink: <vlblue>"), escaped;
        status.AppendString(TextMarkup::Escape(s_preview.target.GetText(), escaped)).AppendText(L"</vlblue>");
        Status(status.GetText(), kStatusInfo);
    }
    if (!result) InvalidateList();
    return filled ? result : 0;
}

int HideQuickPreview(int restore)
{
    TRACE_SCOPE(kTracePreview, 3);
    s_preview.target.Clear();
    Stop(kPreviewTimerLinkHover);
    Stop(kPreviewTimerImageHover);
    Stop(kPreviewTimerHide);
    Stop(kPreviewTimerQuickSearch);
    if (g_previewShell.isFullTextMode && g_previewShell.isFullTextMode()) return 0;
    s_preview.kind = kPreviewNothing;
    s_preview.hovered.Clear();
    s_preview.lastOk = 0;
    s_preview.lastTarget.Clear();
    HWND focus = GetFocus();
    if (s_pane && IsWindowVisible(s_pane)) {
        ShowWindow(s_pane, SW_HIDE);
        InvalidateList();
        // Emptied while nobody waits, not when the next preview is due.
        SetWindowTextW(s_pane, L"");
    }
    if (!restore) return 1;
    if (g_previewShell.restoreQuickPreview) g_previewShell.restoreQuickPreview();
    if (focus && focus != s_pane && IsWindow(focus)) SendMessageW(focus, WM_SETFOCUS, 0, 0);
    return 1;
}

int PreviewLinkUnderCursor(const WCHAR* link) { return StartLinkPreview(link, ClassifyPreviewTarget(link)); }

int StartLinkPreview(const WCHAR* link, PreviewKind kind)
{
    TRACE_SCOPE(kTracePreview, 4);
    AIString text;
    StripOpenFilePrefix(link, text);
    text.Trim();
    if (text.IsEmpty()) return 0;
    if (kind == kPreviewImage || kind == kPreviewNothing) return 0;  // the image preview takes these
    if (kind == kPreviewWebPage) {
        AIString cache;
        WebCachePath(GetNotesFolder(), text.GetText(), cache);
        if (cache.IsEmpty() || (!AIFile::Exists(cache.GetText()) && !Settings().previewWebPages && !KeyDown(VK_SHIFT)))
            return 0;
    }
    SetPreviewTarget(text.GetText(), kind, kOriginHover);
    Stop(kPreviewTimerHide);
    Stop(kPreviewTimerLinkHover);
    if (s_pane && IsWindowVisible(s_pane)) PaintLinkPreview();
    else Start(kPreviewTimerLinkHover, kLinkHoverDelayMs);
    return 1;
}

void PreviewLinkAtPoint(HWND editor, WPARAM keys, LPARAM point)
{
    if (!g_previewShell.editor || (keys & MK_LBUTTON)) return;
    POINTL at = {(short)LOWORD(point), (short)HIWORD(point)};
    int32_t position = (int32_t)SendMessageW(editor, EM_CHARFROMPOS, 0, (LPARAM)&at);
    int32_t start = 0, end = 0, mark = 0;
    AIString target;
    int onLink = position >= 0 && LinkRunAt(g_previewShell.editor, position, &start, &end, &mark) &&
                 LinkTargetOfRun(start, end, mark, target);
    // A note link's text is a title, whatever it holds (a colon too).
    PreviewKind kind = mark == NoteLinkMark ? kPreviewNote : ClassifyPreviewTarget(target.GetText());
    if (onLink) {
        // EM_CHARFROMPOS answers the nearest character: the point must lie on it.
        POINTL from = {0, 0};
        SendMessageW(editor, EM_POSFROMCHAR, (WPARAM)&from, position);
        if (at.y < from.y) onLink = 0;
    }
    if (!onLink) {
        if (!s_preview.hovered.IsEmpty()) Stop(kPreviewTimerLinkHover);
        s_preview.hovered.Clear();
        return;
    }
    if (target.EqualsString(s_preview.hovered)) return;
    s_preview.hovered.Copy(target);
    StartLinkPreview(target.GetText(), kind);
}

int ShowLinkHoverText()
{
    AIString link;
    StripOpenFilePrefix(s_preview.hovered.GetText(), link);
    if (!link.StartsWithNoCase(L"file:") && !link.StartsWithNoCase(L"rel:")) return 0;
    AIString path, escaped, status(L"Open file: <lgreen>");
    if (link.StartsWithNoCase(L"file:")) link.DeleteRange(0, 5);
    ResolveRelativePath(link.GetText(), path);
    status.AppendString(TextMarkup::Escape(path.GetText(), escaped)).AppendText(L"</lgreen>");
    Status(status.GetText(), kStatusInfo);
    return 1;
}

void ShowDictionaryEntry(const WCHAR* cacheFile)
{
    SetPreviewTarget(cacheFile, kPreviewTextFile, kOriginCommand);
    Stop(kPreviewTimerHide);
    // A new look-up of the same word is shown again.
    s_preview.lastOk = 0;
    PaintLinkPreview();
}

int GetPreviewRect(RECT* out)
{
    HWND content = g_previewShell.content;
    RECT list = WindowRectIn(g_previewShell.noteList, content);
    HWND editor = g_previewShell.editor ? g_previewShell.editor->GetHwnd() : nullptr;
    RECT edit = WindowRectIn(editor, content);
    if (g_previewShell.noteList && IsWindowVisible(g_previewShell.noteList) && list.right - list.left > kListMinWidth) {
        out->left = list.left > kListOverhangLeft ? list.left - kListOverhangLeft : 0;
        out->top = list.top;
        out->right = list.right + kListOverhangRight - list.left;
        // Never over the editor: the link the mouse rests on stays in sight,
        // and the pane never comes up under the mouse (which would close it).
        if (editor && out->right > edit.left - kPaneGap) out->right = edit.left - kPaneGap;
        out->bottom = Settings().instantPreview ? edit.bottom : list.bottom;
        return 0;
    }
    *out = edit;
    out->left += kEditorInset;
    return 1;
}

void RepaintPreviewOnce()
{
    TRACE_SCOPE(kTracePreview, 5);
    Stop(kPreviewTimerRepaint);
    if (g_previewShell.content) RedrawWindow(g_previewShell.content, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
