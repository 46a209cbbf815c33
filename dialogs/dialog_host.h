// The dialog host "winGuide_" (window 400): one popup over the backdrop that
// shows one screen at a time. A screen is a set of handlers (screen_frame.h)
// and the controls it creates in the host; the host owns the window, the
// fades in and out, the double-buffered paint with the frame drawn once into
// a cache, the focus of the screens' edit fields and the keys.
#pragma once
#include "foundation/win.h"
#include "dialogs/screen_frame.h"

enum {
    kDialogHostWindowId = 400,
    kHostFadeTimer = 5,        // the opening and closing fades
    kHostAnimationTimer = 6,   // a screen's own animation (About's credits, guide pages)
    kHostSlideshowTimer = 80,  // the image browser's slideshow
    kHostTickMs = 50,
    kHostFallbackTicks = 21,   // an opening or closing ends by then without paints
    kHostMarkedStatic = 13901,  // a static drawn in blue; its command answers 1
};

struct DialogHostState {
    int32_t screenId;
    HWND focusControl;      // the edit field that has the focus, or none
    HDC paintContext;       // the paint in progress
    HWND window;
    int32_t savedWindowId;  // AIApp's active window id before the host opened
    WPARAM lastKey;         // the last WM_KEYDOWN or WM_CHAR
    int x, y, width, height;
    int level;              // 10 closed .. 255 open
    int openingPhase;       // -99 created, 1 opening, 0 just opened, -1 open
    int closingPhase;       // -1 idle, 1 closing, 0 just closed
    int tickCount;
    int frameCacheValid;
    int slideshowTicks;
    int closedFlag;         // the screen's OnClose has run
    int page;
    int margin1, margin2;
    int paintCount;
    int frameStyle;
};
extern DialogHostState g_dialogHost;

// Makes a screen known to the host (the screens' library does this once).
void RegisterScreen(int32_t screenId, const ScreenHandlers* handlers);
const ScreenHandlers* FindScreen(int32_t screenId);
// Further messages a screen may want: WM_COMMAND of its edit fields,
// WM_CAPTURECHANGED, and WM_ACTIVATE when the host goes inactive.
typedef LRESULT (*ScreenMessageHandler)(HWND host, UINT message, WPARAM wParam, LPARAM lParam);
void RegisterScreenMessages(int32_t screenId, ScreenMessageHandler handler);
// Connects the host to the backdrop and the launchers.
void ConnectDialogHost();

// The by-name receiver: "ShowDialog" with the screen id shows the host.
LRESULT DialogHostOnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Builds and shows the host for a screen; 0 when the window could not be made.
HWND ShowDialogHost(int32_t screenId);
// A screen's choice: stores the result and asks the host to close.
void CloseScreenWithResult(int32_t result);
// The client rectangle of a screen (frame client coordinates) before the Mac rule.
RECT ScreenRectFor(int32_t screenId);

LRESULT CALLBACK DialogHostWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The subclass procedure of every edit field a screen creates in the host.
LRESULT CALLBACK DialogHostEditProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
// Subclasses a screen's edit field with DialogHostEditProc.
void AttachHostEditField(HWND field);
