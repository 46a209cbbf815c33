// The capture's dealings with other programs' windows: keys synthesised only
// once Shift (of Shift+PrintScreen) is up, messages sent with a time-out so
// that a hung browser cannot stop the program, pauses that keep our own
// windows alive, and the module name of a window's program.
#pragma once
#include "foundation/ai_string.h"

enum { kForeignMessageTimeoutMs = 1000, kShiftReleaseWaitMs = 3000 };

// A pause of milliseconds during which our own messages are handled.
void PauseWithMessages(int milliseconds);

// Waits (at most kShiftReleaseWaitMs) until no Shift key is held. 1 when released.
int WaitForShiftRelease();
// Replaces the key-state reading (tests); null restores GetAsyncKeyState.
void SetShiftStateReader(int (*isShiftDown)());

// A message to another program's window that gives up after the time-out.
LRESULT SendForeignMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The file name of the program that owns the window; empty when unknown.
void GetWindowModuleName(HWND window, AIString& name);
