// A frame and content window of the tests' own, linked into the dialogs in
// place of the shell's, with recorders for the status line and the frame's
// commands, and helpers that pump messages.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

struct DialogTestWindows {
    HWND frame;
    HWND content;
    AIString statusText;
    int32_t statusPicture;
    int statusCalls;
    UINT lastFrameCommand;
    int frameCommands;
    int32_t currentNoteSet;
    int refreshes;
    AIString openedPath;
    int openAnswer;  // what the stand-in open returns
};

extern DialogTestWindows g_testWindows;

// Creates the windows once and links them; resets every recorder and the
// dialog state (no box, no dialog, settings at their defaults).
void ResetDialogTestState();

// Dispatches pending messages until cond() holds or the time is up; 1 when it held.
int PumpUntil(int (*cond)(), int milliseconds);
void PumpFor(int milliseconds);

// The driven clock of the message box: no window timer; the tests send WM_TIMER.
void UseDrivenClock();
int DrivenClockRunning();
// Sends n ticks 10 ms apart to the box while it exists; returns the ticks sent.
int TickMessageBox(int n);
// Sends n ticks at the same moment (as Wine delivers missed ticks).
int SendTickBurst(int n);
