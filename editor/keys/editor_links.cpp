// The editor's links to the layers beside it, with their defaults.
#include "editor/keys/editor_links.h"
#include "foundation/ai_string.h"

EditorShellLinks g_editorShell;

// The state of a key as of the key message being handled (GetKeyState), not
// as it is now (GetAsyncKeyState): when the program lags behind fast typing,
// a Ctrl pressed after a letter must not turn that letter into a chord.
int EditorIsKeyDown(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) ? 1 : 0;
}

int EditorIsKeyToggled(int virtualKey)
{
    return (GetKeyState(virtualKey) & 1) ? 1 : 0;
}

void EditorStatus(const WCHAR* text, StatusLevel level)
{
    if (g_editorShell.setStatusText) g_editorShell.setStatusText(text, level);
}

void EditorMessage(int32_t messageId)
{
    if (g_editorShell.showMessage) g_editorShell.showMessage(messageId);
}

void EditorNotAvailable(const WCHAR* what)
{
    AIString text(what);
    text.AppendText(L" is not available in this version");
    EditorStatus(text.GetText(), kStatusInfo);
}
