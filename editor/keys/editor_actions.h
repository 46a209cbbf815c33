// What the editor's chords and system keys do to the note: each action that
// changes the text does it as one undoable step of the text itself.
#pragma once
#include "foundation/win.h"
#include "editor/keys/key_map.h"
#include "editor/format/markup_toggle.h"

// Carries out a chord on key release.
void CarryOutChord(EditorChord chord, WPARAM releasedKey);
// Carries out a system key on its release.
void CarryOutSystemKey(SystemKeyAction action, WPARAM key, LPARAM lParam);

// Ctrl+K: the hyperlink dialog. Over a selection it makes a link; on a
// hyperlink it edits its label and target, or removes it (its label stays as
// plain text), each as one undo step.
void CreateHyperlinkFromSelection();

// Inserts text in place of the selection, caret after it; refused in a
// read-only data file and over a selection that cuts a hyperlink.
int InsertAtSelection(const WCHAR* text);
// Bold, italic or strike-through over the selection, as mark-up.
int ToggleEffect(MarkupEffect effect);
// Zoom by the steps of the key map: direction +1, -1, 0 resets.
void StepZoom(int direction);
// Line spacing of Alt+n for the editor.
void ApplyLineSpacing(int32_t n);
