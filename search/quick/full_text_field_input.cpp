#include "search/quick/full_text_field_input.h"
#include "search/quick/result_panel.h"
#include "search/quick/search_shell_links.h"

namespace {

// The field's own second timer of the hint.
const UINT_PTR kFullTextCtrlHintTimer = 10005;
const LPARAM kWasDown = (LPARAM)1 << 30;

int s_hint = 0;  // 1 while Ctrl alone is held and the hint runs

void StopHint(const WCHAR* prompt)
{
    if (!s_hint) return;
    s_hint = 0;
    if (g_searchShell.stopCtrlHint) g_searchShell.stopCtrlHint();
    SearchStatus(prompt, kStatusDone);
}

int ScreenPointIn(HWND window, POINT at)
{
    RECT r;
    return window && IsWindowVisible(window) && GetWindowRect(window, &r) && PtInRect(&r, at);
}

}  // namespace

void FullTextFieldKeyDown(WPARAM key, LPARAM lParam, const WCHAR* prompt)
{
    if (key != VK_CONTROL) {
        StopHint(prompt);
        return;
    }
    if ((lParam & kWasDown) || s_hint || SearchKeyDown(VK_SHIFT) || !g_searchShell.startCtrlHint) return;
    s_hint = 1;
    g_searchShell.startCtrlHint(kFullTextCtrlHintTimer);
}

void FullTextFieldKeyUp(WPARAM key, const WCHAR* prompt)
{
    if (key == VK_CONTROL) StopHint(prompt);
}

int FullTextWheelMovesHits(WPARAM wParam, LPARAM lParam)
{
    POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    if (ScreenPointIn(g_searchShell.previewPane, at)) {
        PostMessageW(g_searchShell.previewPane, WM_MOUSEWHEEL, wParam, lParam);
        return 0;
    }
    RECT list;
    HWND panel = GetResultPanel();
    if (!panel || !GetWindowRect(panel, &list)) return 0;
    return at.x >= list.left && at.x < list.right;
}
