// Numbers the shell shares with the rest of the program: window ids, timer
// ids, command ids and the trace module numbers of the shell's source files.
#pragma once
#include "resources/resource_ids.h"
#include "foundation/trace_modules.h"
#include "editor/keys/editor_links.h"

// The product name of titles and messages (the program name, from the
// executable's file name, names the window class and the registry key).
#define kProductName L"Tavik"

// The nine global window objects; 300, 820, 830 and 840 never create a window.
enum ShellWindowId {
    kWindowFrame = 100,
    kWindowMainPanel = 200,
    kWindowNoteDialog = 300,
    kWindowDialogHost = 400,
    kWindowMessageBox = 500,
    kWindowBackdrop = 800,
    kWindowSpare820 = 820,
    kWindowSpare830 = 830,
    kWindowSpare840 = 840,
};

// Timers of the frame.
enum FrameTimerId {
    kTimerFramePeriodic = 0,     // every 200 ms: saves a changed note now and then
    kTimerStatusAnimation = 10,  // status-line animation
    kTimerPasteFollowUp = 10111, // started by a paste (1000 ms)
};
enum : UINT { kPasteFollowUpMs = 1000 };
// A picture's transparency changed: it is drawn again this soon.
enum : UINT { kPreviewRepaintMs = 5 };

// Application timers of the content window (ids 10001 to 10230).
enum MainTimerId {
    kTimerCtrlHintFirst = 10001,
    kTimerCtrlHintLast = 10005,
    kTimerCtrlHintEditor = kEditorTimerCtrlHint,
    kTimerEditorStatus = kEditorTimerStatus,
    kTimerLinkHover = 10120,
    kTimerQuickPreview = 10121,
    kTimerImageHover = 10122,
    kTimerEditorRepaint = 10150,
    kTimerEditorRepaint2 = 10155,
    kTimerRibbonHover = 10170,
    kTimerCaptureClickMode = 10180,
    kTimerThumbnail = 10190,
    kTimerPreviewRepaint = 10200,
    kTimerQuickSearchPreview = 10210,
    kTimerCaptureBalloon = 10220,
    kTimerStartupDone = 10230,   // one-shot, 500 ms after start-up
};

// Command sent to the running instance when it is started again while in front.
enum { kCommandActivatedAgain = 0x1BFC2 };

