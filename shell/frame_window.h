// The frame (window 100): the top-level window named after the program that
// holds the ribbon and the content window, its command table, hot keys,
// system commands, tray icon and the periodic save.
#pragma once
#include "foundation/win.h"
#include "ui/ai_window.h"
#include "ui/window_table.h"
#include "shell/typing_store.h"

class FrameWindow : public AIWindow {
public:
    FrameWindow() : AIWindow(100) {}

    // Geometry the dialogs read.
    int borderWidth = 0;
    int borderHeight = 0;
    int captionHeight = 0;
    int ribbonBandHeight = 0;     // 0 while the ribbon is hidden
    int ribbonTabHeight = 0;
    int sidePanelWidth = 0;

    int ribbonMode = 1;           // 1 shown, 0 hidden (F10)
    TypingStoreState typingStore = {0, 0, 0};   // timer 0: when the note being typed is stored
};

extern FrameWindow g_frame;

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers the frame's class (named after the program) and creates it off-screen.
HWND CreateFrameWindow(HINSTANCE instance);
// Moves the frame to a placement, kept within the work area of its monitor.
// With kFrameHiddenUntilShown a frame placed in its normal state is only
// moved and stays hidden (its panes are then made unseen, without a paint
// each; ShowPlacedFrame shows it); a maximized one is shown at once, so that
// its panes are made at their final size.
enum FrameShowing { kFrameShownNow, kFrameHiddenUntilShown };
void PlaceFrameWithinWorkArea(const WINDOWPLACEMENT* placement, FrameShowing showing = kFrameShownNow);
// Shows a frame that was placed hidden; nothing when it shows already.
void ShowPlacedFrame();
// While on, the frame keeps the focus it gets instead of passing it to a pane.
// The start shows the frame this way (the start-up timer gives the editor the
// focus), as it did when the frame showed before its panes were made.
void KeepFocusInFrame(bool keep);
// Shows or hides the ribbon band and lays the content window out again.
void SetRibbonMode(int mode);

// Runs a command of the command table by id (also the ribbon's command path).
LRESULT OnRibbonCommand(HWND window, UINT commandId, WPARAM wParam, LPARAM lParam);
LRESULT OnHotKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnSysCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The frame's timers: 0 saves a changed note periodically, 10 animates the status line.
void OnFrameTimer(HWND window, UINT_PTR timerId);

// Global hot key Shift+PrintScreen and the window hot key (F12 under the
// program's own name). Each fails softly. Returns the number registered.
int RegisterProgramHotKeys(HWND frame, int allowHotKeys, int allowWindowHotKey);
// The same as the settings and the start-up words have it: the settings'
// switch turns both off, the word "nohotkey" only the window hot key.
int RegisterHotKeysAsSet(HWND frame);
void UnregisterProgramHotKeys(HWND frame);
// The window hot key for a program name: F12 for "Tavik", Ctrl+F12 for other
// names of up to 10 characters, Alt+F12 for longer ones (virtual key in the
// low byte, HOTKEYF_ modifiers in the high byte, as WM_SETHOTKEY takes it).
WORD WindowHotKeyForName(const WCHAR* programName);

// The tray icon with a balloon (title and text may be null). 1 when the
// shell accepted it; with no tray the program goes on without one.
int SetTrayIcon(const WCHAR* title, const WCHAR* text);
void RemoveTrayIcon();
// Takes the capture's balloon away and leaves the icon.
void RemoveTrayBalloon();
