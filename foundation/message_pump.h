// Keeping the user interface alive during long steps and modal screens.
// A WM_QUIT met on the way is posted again (with its exit code) and the call
// returns 0 at once, so that the loop that called it can end and the main
// message loop still sees the quit.
#pragma once
#include "foundation/win.h"

// Dispatches every pending message of this thread. 1 when the queue was
// emptied, 0 when a quit was seen.
int PumpMessages();

// Waits for one message and dispatches it. 1 after a message, 0 when a quit
// was seen: modal loops stop then instead of waiting for their done flag.
int RunModalLoop();

// The main message loop: accelerators are translated against the frame
// window. Ends with WM_QUIT (returns its exit code) or as soon as the
// application's run state becomes -1 (returns 0).
int RunMessageLoop(HACCEL accelerators, HWND frame);

// One message handled as the main loop handles it: the window's own keys
// first, then the accelerators, then the character translation.
void DispatchLoopMessage(MSG* message, HACCEL accelerators, HWND frame);

// Every pending message of this thread handled as the main loop handles it
// (for code that stands in for the main loop while it waits). 1 when the
// queue was emptied, 0 when a quit was seen (posted again).
int PumpMessagesAsMainLoop(HACCEL accelerators, HWND frame);

// Keys that a window handles itself (its own chords) skip the accelerators:
// the filter answers 1 for such a message. Null: every key is translated.
typedef int (*OwnKeysFilter)(const MSG* message);
void SetOwnKeysFilter(OwnKeysFilter filter);
