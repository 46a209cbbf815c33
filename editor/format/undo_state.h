// The Undo and Redo controls after an undo or a redo, and the share folder's
// edit marker: it goes back only when the text is again the text last saved
// (nothing left to undo is not enough: the undo limit and edits made
// without undo steps end the undo stack too).
#pragma once
#include "foundation/win.h"

// The editor's text as saved or loaded now: remembered when the editor's
// modified flag is cleared.
void RememberSavedEditorText(HWND editor);
// 1 when the editor's text equals the text remembered last.
int EditorTextIsSaved(HWND editor);

void UpdateUndoButton();
void UpdateRedoButton();
