// The screenshot and the browser capture: what the hot key, the ribbon
// command and the click mode start.
#pragma once
#include "foundation/ai_string.h"

enum {
    kDefaultCaptureScreens = 9,  // screens per browser capture (1..9)
    kMinCaptureClientSize = 100,
    kCaptureStepDelayMs = 500,   // less the machine's speed index, at least the minimum
    kCaptureStepDelayMinMs = 300,
    kCaptureMoveWaitMs = 1500,   // how long a scroll may take to show on a busy machine
    kCaptureSettleMs = 60,       // a frame counts once two grabs this far apart agree
    kScreenshotHideMs = 500,     // the frame is hidden this long before the screen is taken
};

// Screens per capture, kept within 1..9.
void SetCaptureScreens(int screens);
int GetCaptureScreens();
// The pause after each scroll (tests shorten it; 0 goes back to the machine's).
void SetCaptureStepDelay(int milliseconds);

// The monitor of the foreground window onto the clipboard and into the
// paste-image screen. 1 when the picture was taken.
int CaptureScreenshot();

// The page shown in browser (the window whose program is a browser): frames
// scrolled through, stitched, on the clipboard, saved into the notes with the
// page's text as a new note. 0 when nothing was captured; 1 when the capture
// ran (also when the window was no browser: the balloon says so).
int CaptureBrowserWindow(HWND browser);

// The address and title read from the browser by the last capture.
const AIString& GetCaptureUrl();
const AIString& GetCaptureTitle();

// The click mode: the next click (while armed) names the window to capture.
void ArmCaptureClickMode();
void EndCaptureClick();
int IsCaptureClickArmed();
