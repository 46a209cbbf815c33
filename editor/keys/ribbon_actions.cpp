#include "editor/keys/ribbon_actions.h"
#include "editor/keys/editor_actions.h"
#include "editor/keys/editor_state.h"
#include "editor/keys/note_editor.h"
#include <richedit.h>

int RunEditorRibbonControl(EditorRibbonControl control)
{
    HWND editor = g_noteEditor.hwnd;
    if (!editor) return 0;
    switch (control) {
    case kRibbonBold: CarryOutChord(kChordBold, 'B'); break;
    case kRibbonItalic: CarryOutChord(kChordItalic, 'I'); break;
    case kRibbonStrike: CarryOutChord(kChordStrikeThrough, 'D'); break;
    case kRibbonHyperlink: CreateHyperlinkFromSelection(); break;
    case kRibbonCut: CarryOutChord(kChordCutRich, 'X'); break;
    case kRibbonCopy: CarryOutChord(kChordCopyRich, 'C'); break;
    case kRibbonPaste: CarryOutChord(kChordPaste, 'V'); break;
    case kRibbonUndo:
    case kRibbonRedo:
        // As Ctrl+Z and Ctrl+Y: the display follows the text that comes back.
        if (g_noteEditor.readOnly) TellReadOnly();
        else SendMessageW(editor, control == kRibbonUndo ? EM_UNDO : EM_REDO, 0, 0);
        break;
    default: return 0;
    }
    return 1;
}

void ResetEditorZoom() { StepZoom(0); }
