// Undo and Redo states and the edit marker.
#include "editor/format/undo_state.h"
#include "editor/keys/editor_state.h"
#include "foundation/ai_string.h"
#include "notestore/note_store.h"

namespace {

const uint32_t kFnvBasis = 0x811c9dc5u;
const uint32_t kFnvPrime = 16777619u;

struct SavedText {
    HWND editor = nullptr;
    int32_t length = -1;
    uint32_t hash = 0;
};
SavedText s_saved;

// The editor's text (a paragraph end counted once) as its length and a hash.
void Fingerprint(HWND editor, int32_t* length, uint32_t* hash)
{
    GETTEXTLENGTHEX request = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    int32_t chars = (int32_t)SendMessageW(editor, EM_GETTEXTLENGTHEX, (WPARAM)&request, 0);
    AIString text;
    WCHAR* buffer = text.GetBuffer(chars + 1);
    GETTEXTEX get = {(DWORD)((chars + 1) * sizeof(WCHAR)), GT_DEFAULT, 1200, nullptr, nullptr};
    int32_t got = buffer ? (int32_t)SendMessageW(editor, EM_GETTEXTEX, (WPARAM)&get, (LPARAM)buffer) : 0;
    uint32_t h = kFnvBasis;
    for (int32_t i = 0; i < got; i++) h = (h ^ buffer[i]) * kFnvPrime;
    *length = got;
    *hash = h;
}

void SetRibbon(EditorRibbonControl control, int enabled)
{
    g_noteEditor.enabled[control] = (uint8_t)(enabled ? 1 : 0);
    if (g_editorShell.setRibbonControl) g_editorShell.setRibbonControl(control, enabled, 0);
}

void RefreshEditor()
{
    if (!g_noteEditor.hwnd) return;
    InvalidateRect(g_noteEditor.hwnd, nullptr, FALSE);
    UpdateWindow(g_noteEditor.hwnd);
}

}  // namespace

void RememberSavedEditorText(HWND editor)
{
    if (!editor) return;
    s_saved.editor = editor;
    Fingerprint(editor, &s_saved.length, &s_saved.hash);
}

int EditorTextIsSaved(HWND editor)
{
    if (!editor || editor != s_saved.editor) return 0;
    // A different length answers without reading the text.
    GETTEXTLENGTHEX request = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    if ((int32_t)SendMessageW(editor, EM_GETTEXTLENGTHEX, (WPARAM)&request, 0) != s_saved.length) return 0;
    int32_t length;
    uint32_t hash;
    Fingerprint(editor, &length, &hash);
    return length == s_saved.length && hash == s_saved.hash;
}

void UpdateUndoButton()
{
    HWND editor = g_noteEditor.hwnd;
    if (!editor) return;
    SetRibbon(kRibbonUndo, (int)SendMessageW(editor, EM_CANUNDO, 0, 0));
    SetRibbon(kRibbonRedo, 1);
    RefreshEditor();
}

void UpdateRedoButton()
{
    HWND editor = g_noteEditor.hwnd;
    if (!editor) return;
    SetRibbon(kRibbonRedo, (int)SendMessageW(editor, EM_CANREDO, 0, 0));
    SetRibbon(kRibbonUndo, 1);
    RefreshEditor();
}
