// The two preview panes' own mouse and keys: the link pane closes when the
// mouse moves inside a hover preview, both copy a selection and zoom with
// Ctrl+wheel, keys go back to the editor or the window that had the focus.
#include "search/preview/preview_state.h"
#include "ui/ai_control.h"
#include "foundation/clipboard.h"
#include "foundation/text_markup.h"
#include <richedit.h>

namespace {

WNDPROC s_paneProc = nullptr;
const int kZoomStep = 10, kZoomOffsetLimit = 50;
const int kCopyPreviewChars = 20;

void CopySelection(HWND pane)
{
    CHARRANGE range = {0, 0};
    SendMessageW(pane, EM_EXGETSEL, 0, (LPARAM)&range);
    if (range.cpMax <= range.cpMin) {
        if (!PreviewState().copyHintDone)
            PreviewStatus(L"Select text with your mouse to automatically copy selection to clipboard",
                          kStatusInfo);
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
        PreviewStatus(L"Warning: Failed to automatically copy selected text to clipboard", kStatusWarning);
        return;
    }
    clipboard.Close();
    AIString shown, status(L"Selected text automatically copied to clipboard (<lgreen>");
    shown.AssignTextN(selected.GetText(), kCopyPreviewChars);
    AIString escaped;
    TextMarkup::Escape(shown.GetText(), escaped);
    status.AppendString(escaped).AppendText(L"...</lgreen>)");
    PreviewStatus(status.GetText(), kStatusInfo);
    PreviewState().copyHintDone = 1;
}

void ShowCopyHint()
{
    static const WCHAR kHint[] = L"Select text in preview to automatically copy selection to clipboard";
    if (!PreviewState().copyHintDone) PreviewStatus(kHint, kStatusInfo);
}

void ChangeZoom(HWND pane, int notches)
{
    PreviewState().zoomOffset += notches > 0 ? kZoomStep : -kZoomStep;
    if (PreviewState().zoomOffset > kZoomOffsetLimit) PreviewState().zoomOffset = kZoomOffsetLimit;
    if (PreviewState().zoomOffset < -kZoomOffsetLimit) PreviewState().zoomOffset = -kZoomOffsetLimit;
    StopPreviewTimer(kPreviewTimerLinkHover);
    StopPreviewTimer(kPreviewTimerHide);
    int steps = PreviewState().zoomOffset / kZoomStep;
    AIString status(L"Changed zoom level of preview");
    if (steps > 0)
        status.AppendText(L" ( +").AppendInt(steps).AppendText(L" )");
    else if (steps < 0)
        status.AppendText(L" ( ").AppendInt(steps).AppendText(L" )");
    else
        status.AppendText(L" (default)");
    PreviewStatus(status.GetText(), kStatusInfo);
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
        if (!wParam) PreviewState().firstMouse.x = PreviewState().firstMouse.y = -1;
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: FocusEditor(); return 0;
    case WM_MOUSEMOVE: {
        POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        if (PreviewState().firstMouse.x < 0) {
            PreviewState().firstMouse = at;
        } else if (at.x != PreviewState().firstMouse.x || at.y != PreviewState().firstMouse.y) {
            PreviewState().firstMouse.x = PreviewState().firstMouse.y = -1;
            if (PreviewState().origin == kOriginHover || PreviewState().origin == kOriginStepping) {
                HideQuickPreview(1);
                return 0;
            }
            ShowCopyHint();
        }
        break;
    }
    case WM_LBUTTONDOWN: ShowCopyHint(); break;
    case WM_LBUTTONUP: {
        LRESULT result = CallWindowProcW(s_paneProc, pane, message, wParam, lParam);
        if (PreviewSettings().autoCopyPreview) CopySelection(pane);
        FocusEditor();
        return result;
    }
    case WM_MOUSEWHEEL: {
        int kind = PreviewState().kind;
        if ((LOWORD(wParam) & MK_CONTROL) && (kind < kPreviewImage || kind == kPreviewFileLink ||
                                              kind == kPreviewTextFile || kind == kPreviewWebPage)) {
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
    case WM_SETFOCUS: s_focusBeforeQuickPane = (HWND)wParam; break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        if (s_focusBeforeQuickPane && IsWindow(s_focusBeforeQuickPane))
            SetFocus(s_focusBeforeQuickPane);
        else
            FocusEditor();
        return 0;
    case WM_LBUTTONUP: {
        LRESULT result = CallWindowProcW(s_quickPaneProc, pane, message, wParam, lParam);
        CopySelection(pane);
        // Without instant preview the pane was asked for: a click has read it.
        if (!PreviewSettings().instantPreview) {
            ShowWindow(pane, SW_HIDE);
            if (s_focusBeforeQuickPane && IsWindow(s_focusBeforeQuickPane)) SetFocus(s_focusBeforeQuickPane);
        }
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

}  // namespace

WNDPROC SubclassLinkPreviewPane(HWND pane)
{
    s_paneProc = (WNDPROC)SetWindowLongPtrW(pane, GWLP_WNDPROC, (LONG_PTR)PreviewSubclassProc);
    return s_paneProc;
}

void InstallQuickPreviewPane(HWND pane)
{
    if (!pane || s_quickPaneProc) return;
    s_quickPaneProc = (WNDPROC)SetWindowLongPtrW(pane, GWLP_WNDPROC, (LONG_PTR)PreviewEditProc);
}
