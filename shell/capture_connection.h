// The screenshot and browser capture in the program: their links filled,
// the hot key's and the click mode's entry points, the ribbon commands.
#pragma once
#include "foundation/win.h"

// Fills the capture's links (status line, tray balloon, paste screen, notes).
void ConnectCapture();

// now 1 (the hot key): captures the foreground window. now 0 (the ribbon,
// QuickSearch's Alt+C): the next click within the time limit names the
// browser window; the frame comes forward without taking the focus.
enum CaptureStart { kCaptureAfterClick = 0, kCaptureNow = 1 };
void StartCapture(int now);
// The window under point (the editor's client coordinates, as a mouse
// message's lParam) is captured; outside our windows, else the foreground.
void CaptureWindow(LPARAM point);
// The click mode ends without a capture (the time limit) or after the click.
void EndCaptureClickMode();
