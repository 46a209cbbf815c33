#include "shell/split_view.h"
#include "shell/main_panel.h"
#include "search/preview/preview_pane.h"
#include "search/quick/quick_preview_place.h"
#include "search/quick/quick_search_box.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "ui/split_view.h"
#include <cstdlib>

namespace {

// A move of at most this many pixels from where the picture came up keeps it.
const int kMouseSlack = 3;

struct SplitViewState {
    int editorHidden = 0;        // a picture stands in the editor's place
    POINT firstMouse = {-1, -1}; // where the mouse was when it came up
};
SplitViewState s_split;

}  // namespace

void ToggleSplitView()
{
    TRACE_SCOPE(kTraceLaterEntryPoints, 24);
    // What shows now belongs to the other place: it is taken away first.
    HideQuickPreview(0);
    ReturnQuickPreview();
    SetSplitViewOn(!IsSplitViewOn());
    if (IsSplitViewOn())
        SetStatusText(L"<vlblue>Split view</vlblue>: previews show in the editor's pane "
                      L"(press <lred>Alt+V</lred> to leave)", kStatusInfo);
    else
        SetStatusText(L"Split view is off: previews show beside the editor (press <lred>Alt+V</lred> for split view)",
                      kStatusInfo);
    // The QuickSearch box with a title in it previews that note in its new place.
    if (GetFocus() == g_mainPanel.quickSearch.GetHwnd()) {
        int32_t selected = GetQuickSearchSelection();
        if (selected >= 0) ShowQuickSearchPreview(selected, IsSplitViewOn());
    }
}

void HideEditorForPicture()
{
    HWND editor = g_mainPanel.editor.GetHwnd();
    if (!editor || !IsSplitViewOn() || s_split.editorHidden || !IsWindowVisible(editor)) return;
    HWND focus = GetFocus();
    s_split.editorHidden = 1;
    s_split.firstMouse.x = s_split.firstMouse.y = -1;
    ShowWindow(editor, SW_HIDE);
    // Hiding hands the focus to the content window: the keys stay the editor's.
    if (focus == editor) SetFocus(editor);
}

void ShowEditorAfterPicture()
{
    if (!s_split.editorHidden) return;
    s_split.editorHidden = 0;
    HWND editor = g_mainPanel.editor.GetHwnd();
    if (editor) ShowWindow(editor, SW_SHOW);
}

int IsEditorHiddenForPicture() { return s_split.editorHidden; }

void SplitViewMouseMoved(POINT at)
{
    if (!s_split.editorHidden) return;
    if (s_split.firstMouse.x < 0) {
        s_split.firstMouse = at;
        return;
    }
    if (abs(at.x - s_split.firstMouse.x) <= kMouseSlack && abs(at.y - s_split.firstMouse.y) <= kMouseSlack) return;
    HideQuickPreview(1);
}
