// One program per user: a second start hands over to the running instance.
//
// The second instance brings the running frame to the front (restoring it
// when minimised), passes on a data file named on its command line, and
// ends. The running instance opens that file as its Open command would,
// once no dialog is up, and takes the foreground and the keyboard focus
// itself: without a window manager Wine can go on reporting a frame as the
// foreground window after the display's focus has moved elsewhere, so the
// second instance alone cannot be trusted to bring it back.
#pragma once
#include "foundation/win.h"

// The frame's private message, posted by a second instance: come to the front.
enum : unsigned { MsgStartedAgain = WM_APP + 0x51 };

// WM_COPYDATA tag of a data-file path handed over by a second instance.
enum : ULONG_PTR { kCopyDataOpenDatafile = 0x54564B4F };

// 1 when this is the only instance (the mutex is held until
// EndSingleInstance); 0 when another runs and has been handed the start
// (or the user was told that it could not be found).
int ClaimOrHandOver(const WCHAR* arguments);
void EndSingleInstance();

// The running instance's side: the frame's handlers of MsgStartedAgain and
// WM_COPYDATA, and the frame timer's step that opens a handed-over file.
LRESULT FrameOnStartedAgain(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT FrameOnCopyData(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
void OpenHandedOverDatafile();
