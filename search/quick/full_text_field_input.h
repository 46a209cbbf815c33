// The full-text keyword field's held-Ctrl hint and mouse wheel: Ctrl held
// alone shows the program's Ctrl keys and then the field's own; any other key
// or Ctrl's release stops the hint and brings the field's prompt back. The
// wheel scrolls the hits over the result list and scrolls the preview over
// the preview pane.
#pragma once
#include "foundation/win.h"

// A key went down in the field (lParam as WM_KEYDOWN has it); prompt: the
// field's status prompt, shown again when the hint stops.
void FullTextFieldKeyDown(WPARAM key, LPARAM lParam, const WCHAR* prompt);
void FullTextFieldKeyUp(WPARAM key, const WCHAR* prompt);
// The wheel: 1 when the hits are to move (delta's sign tells which way),
// 0 when the message went to the preview or is dropped.
int FullTextWheelMovesHits(WPARAM wParam, LPARAM lParam);
