// The ribbon's editing controls (Bold, Italic, Strike-through, Hyperlink,
// Cut, Copy, Paste, Undo, Redo, the zoom): each does what its key does in
// the editor, with the same refusals.
#pragma once
#include "editor/keys/editor_links.h"

// 1 when the control is one of the editor's and was carried out (or refused with its reason).
int RunEditorRibbonControl(EditorRibbonControl control);
// The zoom control: back to 100 %.
void ResetEditorZoom();
