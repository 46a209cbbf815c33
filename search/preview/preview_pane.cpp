// The link preview pane: the request and the last one shown, the hover
// timer, hiding, and the pane's place beside the editor.
#include "search/preview/preview_state.h"
#include "search/preview/note_preview.h"
#include "search/preview/preview_fill.h"
#include "editor/links/link_context.h"
#include "editor/links/link_describe.h"
#include "ui/ai_control.h"
#include "ui/ai_text_document.h"
#include "ui/link_marks.h"
#include "ui/split_view.h"
#include "notestore/note_store.h"
#include "foundation/ai_file.h"
#include "foundation/ai_string_table.h"
#include "foundation/app.h"
#include "foundation/text_markup.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include <richedit.h>

PreviewShellLinks g_previewShell;

namespace {

QuickPreviewState s_preview;
HWND s_pane = nullptr;
HWND s_paneParent = nullptr;  // where the pane is made when first needed
// The QuickSearch preview pane gave its place to this pane: one pane owns the
// area at a time, and it comes back when this one goes.
int s_quickPaneYielded = 0;

const int kZoomMin = 10, kZoomMax = 500, kDefaultZoom = 100;
const int kListMinWidth = 30, kListOverhangLeft = 25, kListOverhangRight = 110, kPaneGap = 2;
const int kEditorInset = 10, kInvalidateMargin = 15;
const COLORREF kPaneColourOverList = RGB(250, 250, 235);
const COLORREF kPaneColourOverEditor = RGB(255, 255, 240);

RECT WindowRectIn(HWND window, HWND parent)
{
    RECT r = {0, 0, 0, 0};
    if (!window) return r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, parent, (POINT*)&r, 2);
    return r;
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

int ImageShown() { return g_previewShell.isImageShown && g_previewShell.isImageShown(); }

int MenuIsOpen()
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
           (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE));
}

}  // namespace

QuickPreviewState& PreviewState() { return s_preview; }
HWND PreviewPaneWindow() { return s_pane; }

int PreviewKeyDown(int vk)
{
    return GetKeyState(vk) < 0;
}

void PreviewStatus(const WCHAR* text, StatusLevel level)
{
    if (g_previewShell.setStatusText) g_previewShell.setStatusText(text, level);
}

void StartPreviewTimer(UINT_PTR timer, UINT ms)
{
    if (g_previewShell.startTimer) g_previewShell.startTimer(timer, ms);
}

void StopPreviewTimer(UINT_PTR timer)
{
    if (g_previewShell.stopTimer) g_previewShell.stopTimer(timer);
}

const SettingsRecord& PreviewSettings() { return g_app.settings.Record(); }

int PaneZoom()
{
    int zoom = (PreviewSettings().previewZoom > 0 ? PreviewSettings().previewZoom : kDefaultZoom) +
               s_preview.zoomOffset;
    return zoom < kZoomMin ? kZoomMin : zoom > kZoomMax ? kZoomMax : zoom;
}

void InvalidateNoteList()
{
    if (!g_previewShell.noteList || !g_previewShell.content) return;
    RECT r = WindowRectIn(g_previewShell.noteList, g_previewShell.content);
    InflateRect(&r, kInvalidateMargin, 0);
    InvalidateRect(g_previewShell.content, &r, TRUE);
}

void PlacePreviewPane()
{
    RECT r;
    int overEditor = GetPreviewRect(&r);
    static COLORREF s_colour = CLR_INVALID;
    COLORREF colour = overEditor ? kPaneColourOverEditor : kPaneColourOverList;
    if (colour != s_colour) SendMessageW(s_pane, EM_SETBKGNDCOLOR, 0, colour);
    s_colour = colour;
    SetWindowPos(s_pane, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    HWND quick = g_previewShell.quickPreview;
    RECT quickRect = WindowRectIn(quick, g_previewShell.content), overlap;
    if (quick && IsWindowVisible(quick) && IntersectRect(&overlap, &r, &quickRect)) {
        ShowWindow(quick, SW_HIDE);
        s_quickPaneYielded = 1;
    }
}

void ShowPaneText(const AIString& text)
{
    ShowPreviewText(s_pane, text, PaneZoom());
    s_preview.fills++;
}

void PrepareLinkPreviewPane(HWND content) { s_paneParent = content; }

// The pane, made hidden on the first call (PlacePreviewPane gives it its
// place and puts it on top when it shows); null when it cannot be made.
static HWND EnsureLinkPreviewPane()
{
    if (s_pane || !s_paneParent) return s_pane;
    s_pane = CreateWindowExW(0, L"RichEdit20W", L"",
                             WS_CHILD | WS_BORDER | ES_MULTILINE | ES_READONLY | WS_VSCROLL, 0, 0, 10, 10,
                             s_paneParent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!s_pane) return nullptr;
    SendMessageW(s_pane, EM_EXLIMITTEXT, 0, kPreviewMaxChars + 1000);
    SendMessageW(s_pane, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
    SubclassLinkPreviewPane(s_pane);
    return s_pane;
}

HWND GetLinkPreviewPane() { return s_pane; }

void SetPreviewTarget(const WCHAR* target, PreviewKind kind, PreviewOrigin origin)
{
    StripOpenFilePrefix(target, s_preview.target);
    s_preview.kind = kind;
    s_preview.origin = origin;
}

int GetPreviewKind() { return s_preview.kind; }
PreviewOrigin GetPreviewOrigin() { return s_preview.origin; }
int32_t GetPreviewFillCount() { return s_preview.fills; }

int PaintLinkPreview()
{
    TRACE_SCOPE(kTracePreview, 1);
    StopPreviewTimer(kPreviewTimerHide);
    QuickPreviewState& p = s_preview;
    if (p.target.IsEmpty() || p.kind == kPreviewNothing) return 0;
    // A hover that comes due while a menu is open waits for the next move:
    // the menu keeps the mouse and the keys.
    if (p.origin == kOriginHover && MenuIsOpen()) return 0;
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
    if (s_preview.target.IsEmpty() || !EnsureLinkPreviewPane()) return 0;
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
    if (filled) PlacePreviewPane();
    // Nothing to show for this target: the last one's text must not stay beside its message.
    else HideLinkPreviewPane();
    // A web page with nothing to show leaves the status to the link's own
    // description (its target and the keys that act on it).
    if (filled && IsWindowVisible(s_pane)) s_preview.target.Clear();
    if (!result) InvalidateNoteList();
    return filled ? result : 0;
}

int HideQuickPreview(int restore)
{
    TRACE_SCOPE(kTracePreview, 3);
    s_preview.target.Clear();
    StopPreviewTimer(kPreviewTimerLinkHover);
    StopPreviewTimer(kPreviewTimerImageHover);
    StopPreviewTimer(kPreviewTimerHide);
    StopPreviewTimer(kPreviewTimerQuickSearch);
    if (g_previewShell.isFullTextMode && g_previewShell.isFullTextMode()) return 0;
    s_preview.kind = kPreviewNothing;
    s_preview.hovered.Clear();
    HWND focus = GetFocus();
    if (ImageShown() && g_previewShell.hideImage) g_previewShell.hideImage();
    HideLinkPreviewPane();
    if (!restore) return 1;
    if (g_previewShell.restoreQuickPreview) g_previewShell.restoreQuickPreview();
    if (focus && focus != s_pane && IsWindow(focus)) SendMessageW(focus, WM_SETFOCUS, 0, 0);
    return 1;
}

void HideLinkPreviewPane()
{
    s_preview.lastOk = 0;
    s_preview.lastTarget.Clear();
    if (s_pane && IsWindowVisible(s_pane)) {
        ShowWindow(s_pane, SW_HIDE);
        InvalidateNoteList();
        // Emptied while nobody waits, not when the next preview is due.
        SetWindowTextW(s_pane, L"");
    }
    if (s_quickPaneYielded && g_previewShell.quickPreview &&
        !(g_previewShell.isFullTextMode && g_previewShell.isFullTextMode()))
        ShowWindow(g_previewShell.quickPreview, SW_SHOWNA);
    s_quickPaneYielded = 0;
}

int IsLinkPreviewShown() { return (s_pane && IsWindowVisible(s_pane)) || ImageShown(); }

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
        if (cache.IsEmpty() || (!AIFile::Exists(cache.GetText()) && !PreviewSettings().previewWebPages &&
                                !PreviewKeyDown(VK_SHIFT))) {
            // Nothing to show for this page: what showed for another link goes.
            StopPreviewTimer(kPreviewTimerLinkHover);
            if (ImageShown() && g_previewShell.hideImage) g_previewShell.hideImage();
            HideLinkPreviewPane();
            return 0;
        }
    }
    // A file link is asked for by its table target or by its path: one request either way.
    if (kind == kPreviewFileLink || kind == kPreviewRtfFile || kind == kPreviewTextFile) {
        AIString path(text);
        if (path.StartsWithNoCase(L"file:")) path.DeleteRange(0, 5);
        ResolveRelativePath(path.GetText(), text);
        if (kind == kPreviewFileLink) kind = kPreviewTextFile;  // read the same way
    }
    SetPreviewTarget(text.GetText(), kind, kOriginHover);
    StopPreviewTimer(kPreviewTimerHide);
    StopPreviewTimer(kPreviewTimerLinkHover);
    // A picture shown gives way to the text at once.
    if (ImageShown() && g_previewShell.hideImage) {
        g_previewShell.hideImage();
        PaintLinkPreview();
    } else if (s_pane && IsWindowVisible(s_pane)) {
        PaintLinkPreview();
    } else {
        StartPreviewTimer(kPreviewTimerLinkHover, kLinkHoverDelayMs);
    }
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
        if (!s_preview.hovered.IsEmpty()) {
            StopPreviewTimer(kPreviewTimerLinkHover);
            StopPreviewTimer(kPreviewTimerImageHover);
        }
        s_preview.hovered.Clear();
        return;
    }
    if (target.EqualsString(s_preview.hovered)) return;
    s_preview.hovered.Copy(target);
    // A captured web page shows its picture (with Alt held, its text).
    int pictureFirst = kind == kPreviewImage || (kind == kPreviewWebPage && !PreviewKeyDown(VK_MENU));
    if (pictureFirst && g_previewShell.previewImage && g_previewShell.previewImage(target.GetText())) return;
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
    PreviewStatus(status.GetText(), kStatusInfo);
    return 1;
}

void ShowDictionaryEntry(const WCHAR* cacheFile)
{
    SetPreviewTarget(cacheFile, kPreviewTextFile, kOriginCommand);
    StopPreviewTimer(kPreviewTimerHide);
    // A new look-up of the same word is shown again.
    s_preview.lastOk = 0;
    PaintLinkPreview();
}

int GetPreviewRectBesideList(RECT* out)
{
    HWND content = g_previewShell.content;
    RECT list = WindowRectIn(g_previewShell.noteList, content);
    if (!g_previewShell.noteList || !IsWindowVisible(g_previewShell.noteList) || list.right - list.left <= kListMinWidth)
        return 0;
    HWND editor = g_previewShell.editor ? g_previewShell.editor->GetHwnd() : nullptr;
    RECT edit = WindowRectIn(editor, content);
    out->left = list.left > kListOverhangLeft ? list.left - kListOverhangLeft : 0;
    out->top = list.top;
    out->right = list.right + kListOverhangRight - list.left;
    // Never over the editor: the link the mouse rests on stays in sight,
    // and the pane never comes up under the mouse (which would close it).
    if (editor && out->right > edit.left - kPaneGap) out->right = edit.left - kPaneGap;
    out->bottom = PreviewSettings().instantPreview ? edit.bottom : list.bottom;
    return 1;
}

int GetPreviewRect(RECT* out)
{
    // Split view gives every preview the editor's pane.
    if (!IsSplitViewOn() && GetPreviewRectBesideList(out)) return 0;
    HWND editor = g_previewShell.editor ? g_previewShell.editor->GetHwnd() : nullptr;
    *out = WindowRectIn(editor, g_previewShell.content);
    out->left += kEditorInset;
    return 1;
}

void RepaintPreviewOnce()
{
    TRACE_SCOPE(kTracePreview, 5);
    StopPreviewTimer(kPreviewTimerRepaint);
    if (g_previewShell.content)
        RedrawWindow(g_previewShell.content, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
