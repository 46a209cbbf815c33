// The zoom display.
#include "editor/format/zoom_status.h"
#include "editor/editor_status.h"
#include "editor/keys/editor_links.h"
#include "editor/keys/key_map.h"
#include "foundation/ai_string.h"
#include <richedit.h>

int32_t EditorZoomPercent(HWND editor)
{
    WPARAM numerator = 0;
    LPARAM denominator = 0;
    if (editor) SendMessageW(editor, EM_GETZOOM, (WPARAM)&numerator, (LPARAM)&denominator);
    if (numerator <= 0 || denominator <= 0) return kZoomNormal;
    return (int32_t)(numerator * kZoomNormal / denominator);
}

void ShowEditorZoomStatus(int32_t percent)
{
    UpdateEditorStatus(kEditorStatusLeave);
    AIString text(L"Zoom: ");
    text.AppendInt(percent).AppendText(L" %");
    if (g_editorShell.showRibbonZoom) g_editorShell.showRibbonZoom(percent);
    if (g_editorShell.setStatusSlot)
        g_editorShell.setStatusSlot(text.GetText(), kStatusInfo, 0);
    else
        EditorStatus(text.GetText(), kStatusInfo);
}
