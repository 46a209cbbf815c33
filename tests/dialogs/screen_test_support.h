// Running a real screen of the dialog host from a test: an action runs once
// the screen is open and active (polled on a thread timer, so inside the modal
// loop), and a watchdog ends a run that never finishes.
#pragma once
#include "foundation/win.h"

typedef void (*ScreenAction)(HWND host);

struct ScreenRun {
    int32_t result;
    int opened;          // the action ran on an open screen
    int watchdogFired;
    int lowestAlpha;     // the backdrop's darkest level seen while the screen was up
    int backdropSeen;
};

// Sets the dialogs up with the test windows and every real screen.
void ResetScreenTestState();
// RunDialogScreen (or the File panel's HandleFileCommand when screenId is 11
// and viaFileCommand is 1) with the action.
ScreenRun RunScreen(int32_t screenId, ScreenAction action, int viaFileCommand = 0);
// The action waits until ready answers 1 too (null: no wait); it stays set.
void SetScreenReadyCheck(int (*ready)());
// The same through a launcher of dialogs/screen_launchers.h.
ScreenRun RunScreenThrough(int32_t (*launch)(), ScreenAction action);

// A click (press and release) at a point of the host's client area.
void ClickHost(HWND host, int x, int y);
void ClickControlCentre(HWND host, const RECT& rect);
// A key pressed and released in the host.
void PressHostKey(HWND host, WPARAM key);
