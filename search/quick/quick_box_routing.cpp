#include "search/quick/quick_box_routing.h"
#include "search/quick/search_shell_links.h"
#include "search/preview/preview_pane.h"
#include "foundation/ai_string.h"
#include "notestore/note_store.h"
#include "ui/split_view.h"

namespace {

const UINT kQuickHideCheckMs = 1;

int IsKeyMessage(UINT message) { return message >= WM_KEYDOWN && message <= WM_CHAR; }
int IsSystemKeyMessage(UINT message) { return message >= WM_SYSKEYDOWN && message <= WM_SYSCHAR; }
int IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }

int LinkPaneShown()
{
    HWND pane = GetLinkPreviewPane();
    return pane && IsWindowVisible(pane);
}

int CursorOver(HWND window)
{
    if (!window || !IsWindowVisible(window)) return 0;
    POINT at;
    RECT r;
    return GetCursorPos(&at) && GetWindowRect(window, &r) && PtInRect(&r, at);
}

void RefreshStatus(const WCHAR* text)
{
    if (g_searchShell.refreshStatus) g_searchShell.refreshStatus(text, kStatusWarning);
    else SearchStatus(text, kStatusWarning);
}

void PostToEditor(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_searchShell.editor) PostMessageW(g_searchShell.editor, message, wParam, lParam);
}

struct ShiftPeek {
    int shown = 0;  // Shift showed the typed note in the link preview pane
};
ShiftPeek s_peek;

}  // namespace

int QuickBoxHoldsMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    const SearchShellLinks& l = g_searchShell;
    int key = IsKeyMessage(message) || IsSystemKeyMessage(message);
    if (l.isDialogRunning && l.isDialogRunning() && (key || (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK)))
        return 1;
    if (l.isLargeImageShown && l.isLargeImageShown()) {
        // The picture acts on releases and the wheel; nothing typed reaches the note under it.
        if (message == WM_KEYUP || message == WM_MOUSEWHEEL) {
            PostToEditor(message, wParam, lParam);
            return 1;
        }
        if (key || IsMouseMessage(message)) return 1;
    }
    if (!key) return 0;
    HWND editor = l.editor;
    if (!IsSplitViewOn()) {
        RECT ignored;
        if (LinkPaneShown() && GetPreviewRect(&ignored) == 0 && CursorOver(l.noteList)) {
            RefreshStatus(L"Cannot use QuickSearch while previewing using the mouse");
            return 1;
        }
        return 0;
    }
    if (editor && !IsWindowVisible(editor) && IsWindowVisible(GetParent(editor))) {
        // A picture stands in the editor's place: the editor answers the keys.
        if (IsKeyMessage(message)) PostToEditor(message, wParam, lParam);
        else RefreshStatus(L"QuickSearch not active while previewing images");
        return 1;
    }
    return 0;
}

int QuickShiftDown(int32_t typedNote, int repeat)
{
    if (repeat || SearchKeyDown(VK_CONTROL) || typedNote < 0) return 0;
    int32_t current = g_searchShell.currentNote ? g_searchShell.currentNote() : -1;
    if (typedNote == current) return 0;
    AIString title;
    GetNoteTitle(typedNote, title);
    SetPreviewTarget(title.GetText(), kPreviewNote, kOriginCommand);
    s_peek.shown = PaintLinkPreview();
    return s_peek.shown;
}

int QuickShiftUp()
{
    if (!s_peek.shown) return 0;
    s_peek.shown = 0;
    HideQuickPreview(1);
    return 1;
}

int RouteQuickWheel(WPARAM wParam, LPARAM lParam)
{
    const SearchShellLinks& l = g_searchShell;
    HWND linkPane = GetLinkPreviewPane();
    int linkShown = LinkPaneShown();
    if ((linkShown && SearchKeyDown(VK_CONTROL)) || (l.isLargeImageShown && l.isLargeImageShown())) {
        PostToEditor(WM_MOUSEWHEEL, wParam, lParam);
        return 1;
    }
    if (linkShown) {
        PostMessageW(linkPane, WM_MOUSEWHEEL, wParam, lParam);
        return 1;
    }
    POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    if (l.wheelOverRibbon && l.wheelOverRibbon(at, GET_WHEEL_DELTA_WPARAM(wParam))) return 1;
    // The note list's column: above the list's bottom the box's own, below it the preview pane's.
    RECT list;
    if (l.noteList && GetWindowRect(l.noteList, &list) && at.x >= list.left && at.x < list.right &&
        IsWindowVisible(l.noteList)) {
        if (at.y < list.bottom) return 0;
        if (l.previewPane) SendMessageW(l.previewPane, WM_MOUSEWHEEL, wParam, lParam);
        return 1;
    }
    PostToEditor(WM_MOUSEWHEEL, wParam, lParam);
    return 1;
}

void QuickBoxFocused()
{
    if (LinkPaneShown() && g_searchShell.startTimer) g_searchShell.startTimer(kPreviewTimerHide, kQuickHideCheckMs);
    if (g_searchShell.previewPane) InvalidateRect(g_searchShell.previewPane, nullptr, TRUE);
}
