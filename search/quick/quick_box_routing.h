// The QuickSearch box's input beside typing a title: the states that hold
// its keys (a dialog, a large picture, a preview under the mouse, a picture
// in the editor's place), the peek at the typed note while Shift is held,
// where the mouse wheel goes, and what taking the focus brings.
#pragma once
#include "foundation/win.h"

// 1 when the message is held (consumed or handed on) before the box sees it.
int QuickBoxHoldsMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// Shift going down alone (1 when it showed the typed note) and coming up
// (1 when it took that peek away); repeat: the key was down already.
int QuickShiftDown(int32_t typedNote, int repeat);
int QuickShiftUp();

// The wheel turned while the box has the focus (the point in lParam, on the
// screen): sent where the pointer is; 0 when it is the box's own.
int RouteQuickWheel(WPARAM wParam, LPARAM lParam);

// The box took the focus: a link preview showing is checked again soon and
// the QuickSearch preview pane is painted again.
void QuickBoxFocused();
