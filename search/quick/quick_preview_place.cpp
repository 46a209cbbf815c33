#include "search/quick/quick_preview_place.h"
#include "search/quick/search_shell_links.h"
#include "foundation/app.h"
#include "ui/split_view.h"

namespace {

// Over the editor the pane reaches a little past its edges (less while the
// editor has the focus, whose frame stays in sight).
const int kOverhang = 8, kOverhangFocused = 5;

struct QuickPreviewPlace {
    int overEditor = 0;
    RECT home = {0, 0, 0, 0};  // the pane's own place, kept while it is away
};
QuickPreviewPlace s_place;

RECT RectInContent(HWND window)
{
    RECT r = {0, 0, 0, 0};
    if (!window) return r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, g_searchShell.content, (POINT*)&r, 2);
    return r;
}

}  // namespace

int QuickPreviewBelongsOverEditor()
{
    return IsSplitViewOn() || !g_app.settings.Record().instantPreview;
}

void PlaceQuickPreviewOverEditor()
{
    HWND pane = g_searchShell.previewPane, editor = g_searchShell.editor;
    if (!pane || !editor || !g_searchShell.content) return;
    if (!s_place.overEditor) s_place.home = RectInContent(pane);
    RECT r = RectInContent(editor);
    int overhang = GetFocus() == editor ? kOverhangFocused : kOverhang;
    InflateRect(&r, overhang, overhang);
    s_place.overEditor = 1;
    SetWindowPos(pane, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

int ReturnQuickPreview()
{
    if (!s_place.overEditor) return 0;
    s_place.overEditor = 0;
    HWND pane = g_searchShell.previewPane;
    if (!pane) return 1;
    const RECT& r = s_place.home;
    SetWindowPos(pane, HWND_BOTTOM, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (g_searchShell.editor) InvalidateRect(g_searchShell.editor, nullptr, TRUE);
    return 1;
}

int IsQuickPreviewOverEditor() { return s_place.overEditor; }

void FollowQuickPreviewPlace(int32_t previewed)
{
    if (!s_place.overEditor) return;
    int current = g_searchShell.currentNote ? g_searchShell.currentNote() : -1;
    HWND pane = g_searchShell.previewPane, focus = GetFocus();
    // A click into the pane (to copy from it) keeps it where it is.
    int inUse = focus == g_searchShell.quickSearch || (focus == pane && IsWindowVisible(pane));
    if (!inUse || previewed < 0 || previewed == current || !IsWindowVisible(pane)) ReturnQuickPreview();
}
