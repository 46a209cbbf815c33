// The link preview pane: a read-only rich edit over the note list (or the
// editor's left edge) that shows what the link under the mouse or the caret
// points to, 300 ms after it came there: another note, a web page from its
// cache file, an RTF or text file, the text of a PDF, a dictionary entry.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "search/preview/preview_target.h"
#include "ui/status_line.h"

class AIControl;

// What the pane needs of the shell, which sits above it; null entries are skipped.
struct PreviewShellLinks {
    HWND content = nullptr;
    HWND noteList = nullptr;
    HWND quickPreview = nullptr;  // the QuickSearch preview pane
    HWND quickSearch = nullptr;   // the QuickSearch field
    AIControl* editor = nullptr;
    void (*startTimer)(UINT_PTR timerId, UINT milliseconds) = nullptr;
    void (*stopTimer)(UINT_PTR timerId) = nullptr;
    void (*setStatusText)(const WCHAR* text, StatusLevel level) = nullptr;
    const WCHAR* (*statusText)() = nullptr;      // what the status line shows now
    int (*isFullTextMode)() = nullptr;
    // QuickSearch's preview of the note its text names, when instant preview is on.
    void (*restoreQuickPreview)() = nullptr;
    // The image preview: whether a picture is drawn, and taking it away.
    int (*isImageShown)() = nullptr;
    void (*hideImage)() = nullptr;
    // A link that names a picture previewed after the hover delay: 1 when it is one.
    int (*previewImage)(const WCHAR* link) = nullptr;
};
extern PreviewShellLinks g_previewShell;

// The content window's timers that lead here.
enum PreviewTimer : UINT_PTR {
    kPreviewTimerLinkHover = 10120,
    kPreviewTimerHide = 10121,
    kPreviewTimerImageHover = 10122,
    kPreviewTimerRepaint = 10200,
    kPreviewTimerQuickSearch = 10210,
};
enum : UINT { kLinkHoverDelayMs = 300 };

// Who asked for a preview: origins 0 and 2 close the pane as soon as the
// mouse moves inside it, any other keeps it open.
enum PreviewOrigin { kOriginHover = 0, kOriginCommand = 1, kOriginStepping = 2 };

// The pane's parent, the content window. The pane itself is made (hidden)
// the first time it has something to show.
void PrepareLinkPreviewPane(HWND content);
HWND GetLinkPreviewPane();
// Gives the QuickSearch preview pane its keys, copy and zoom handling.
void InstallQuickPreviewPane(HWND pane);

// The request: what to preview, its kind and who asks.
void SetPreviewTarget(const WCHAR* target, PreviewKind kind, PreviewOrigin origin);
int GetPreviewKind();
PreviewOrigin GetPreviewOrigin();

// Paints the pending request unless it is the one already shown; 1 when the
// pane shows something. The text side of the image preview's entry.
int PaintLinkPreview();
// Fills the pane with the pending target by its kind; 1 when filled.
int PreviewLinkTarget();
// Hides the pane and stops the hover timers; restore 1 gives QuickSearch's
// preview back. 0 while full-text search is on (nothing hidden), else 1.
int HideQuickPreview(int restore);

// Hides the pane alone (the request is kept): a target with nothing to
// show, or a picture drawn in its place.
void HideLinkPreviewPane();
// 1 while the pane or a picture of a link is shown.
int IsLinkPreviewShown();

// Hover entry for a link's text (a note title, "http...", "hyperlink:...",
// "file:..."/"rel:..." or "Open file:..."): arms the 300 ms timer, or
// paints at once when the pane already shows. 1 when a preview was started.
int PreviewLinkUnderCursor(const WCHAR* link);
// The same for a link whose kind is known (a note link's text is a title).
int StartLinkPreview(const WCHAR* link, PreviewKind kind);
// The editor's mouse move: finds the link under the point and previews it.
void PreviewLinkAtPoint(HWND editor, WPARAM keys, LPARAM point);
// The status text of a file link under the mouse; 1 when one was shown.
int ShowLinkHoverText();
// Shows a dictionary entry's cache file (the look-up's result) in the pane.
void ShowDictionaryEntry(const WCHAR* cacheFile);
// The pane's place: 1 when over the editor, 0 when over the note list.
int GetPreviewRect(RECT* out);
// The place beside the note list, whatever the view: 1 when the list is
// shown wide enough to have it (then out is set), else 0.
int GetPreviewRectBesideList(RECT* out);
// Timer 10200: one repaint of the content window.
void RepaintPreviewOnce();

// For tests and benchmarks: how often the pane was filled.
int32_t GetPreviewFillCount();
