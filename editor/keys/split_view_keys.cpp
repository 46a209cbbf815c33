// Keys while split view has a picture in the editor's place: the editor is
// hidden, so nothing typed may change the note unseen. Every key is kept
// from it; releasing Up or Down lets more or less of the background show
// through the picture, Ctrl alone says nothing, any other key says why.
#include "editor/keys/note_editor.h"
#include "editor/keys/editor_links.h"
#include "ui/split_view.h"

namespace {

int IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR || message == WM_SYSKEYDOWN ||
           message == WM_SYSKEYUP || message == WM_SYSCHAR;
}

int IsTransparencyKey(WPARAM key) { return key == VK_UP || key == VK_DOWN; }

}  // namespace

int SplitViewHoldsKey(HWND editor, UINT message, WPARAM key)
{
    if (!IsKeyMessage(message) || !IsSplitViewOn() || IsWindowVisible(editor)) return 0;
    if (message == WM_KEYUP && IsTransparencyKey(key)) {
        if (g_editorShell.stepPictureTransparency) g_editorShell.stepPictureTransparency(key == VK_UP);
        return 1;
    }
    if (message == WM_KEYDOWN && IsTransparencyKey(key)) return 1;
    if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && key != VK_CONTROL) {
        EditorStatus(L"Editing not active while previewing images", kStatusWarning);
        // Said at once: the picture keeps the window busy drawing.
        if (HWND parent = GetParent(editor)) UpdateWindow(parent);
    }
    return 1;
}
