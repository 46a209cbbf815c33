// What the screenshot and the browser capture need of the program's windows,
// filled in by the shell (the capture code never calls up a layer directly).
#pragma once
#include "foundation/win.h"

struct CaptureShellLinks {
    HWND frame;   // hidden while the screen is taken, brought forward for a click
    HWND editor;  // holds the mouse while the user picks the browser window
    void (*setStatus)(const WCHAR* text, int level);
    // The tray balloon with the capture's progress (1 when one shows: not
    // where the system cannot show balloons); removeBalloonLater arms its
    // removal after the result has been read.
    int (*showBalloon)(const WCHAR* text);
    void (*removeBalloonLater)();
    // The paste-image screen with the clipboard's picture; -1 when the dialog
    // host does not offer it.
    int32_t (*openPasteScreen)();
    void (*showMessage)(int32_t messageId);
    void (*saveCurrentNote)();
    // The page's picture (on the clipboard) saved into the notes.
    int (*saveCaptureImage)(const WCHAR* address, const WCHAR* label);
    // The captured note found in the rebuilt note list and shown.
    void (*showCapturedNote)(const WCHAR* title);
};
extern CaptureShellLinks g_captureShell;
