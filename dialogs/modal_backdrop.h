// The modal backdrop "winBuffer_" (window 800): a popup laid over the frame's
// client area showing a snapshot of the frame, darkened toward near-black. It
// blocks the main windows while a dialog is up, asks the owner for its dialog
// once it has darkened, fades back when the dialog closes, and on its end
// gives the windows, the focus and the status line back and marks the
// dialog centre done.
#pragma once
#include "foundation/win.h"
#include "ui/ai_window.h"

typedef HWND (*DialogRequester)();
// A by-name receiver of "ShowDialog" (the dialog host, the note dialogs, the
// error details), set by the layer that owns that dialog.
typedef LRESULT (*DialogReceiver)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct BackdropRecord {
    int32_t rectangleMode;    // 0 frame window, 1 frame client area, 2 content window
    DialogRequester requester;
    int32_t ownerCode;        // 98 note dialogs, 99 error details, 101 nobody, else a screen id
    int32_t alpha;            // 255 draws the snapshot unchanged
    int32_t darkeningPhase;   // 1 darkening, 0 finished, -1 dialog asked for
    int32_t lighteningPhase;  // -1 idle, 1 lightening, 0 finished
    int32_t lowTarget;
    int32_t highTarget;
    int32_t tickCount;        // toward the fallback of 11 ticks
    int32_t savedWindowId;    // AIApp's active window id at creation (never 800)
    HDC paintContext;
    int32_t lighteningStep;
};

enum {
    kBackdropWindowId = 800,
    kBackdropFadeTimer = 5,
    kBackdropCloseTimer = 6,
    kBackdropTickMs = 50,
    kBackdropFallbackTicks = 11,
};

extern BackdropRecord g_backdrop;

// Receivers of the dialogs the backdrop asks for; null until their layer exists
// (then the backdrop closes again instead of waiting for a dialog that never comes).
extern DialogReceiver g_dialogHostReceiver;
extern DialogReceiver g_noteDialogReceiver;
extern DialogReceiver g_errorDetailsReceiver;
// The dialog host's window (window 400) while it exists; kept by the host.
extern HWND g_dialogHostWindow;
// Window 800 "winBuffer_" while the backdrop is up.
extern AIWindow g_backdropWindow;

void RequestModalDialog(int32_t rectangleMode, DialogRequester requester, int32_t ownerCode);
void CreateBackdropWindow();
HWND GetBackdropWindow();
void ShowPendingDialog();
void CloseBackdropWindow();
// Gives the main windows back once per dialog and marks the centre done.
void RestoreAfterDialog();
// Destroys the host and the backdrop windows when they exist.
void DestroyDialogWindows();

// The targets of an owner: low (darkened) and high (start and end of the fade).
void BackdropTargetsFor(int32_t ownerCode, int32_t* low, int32_t* high);

LRESULT CALLBACK BackdropWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
