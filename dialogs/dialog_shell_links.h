// What the dialogs need of the shell's windows and commands. The shell fills
// these in once its windows exist (the dialogs sit below the shell and cannot
// call it directly). Every null entry is skipped, so the dialogs also run with
// windows of their own, as the tests do.
#pragma once
#include "foundation/win.h"
#include "ui/status_line.h"

class AIString;

struct DialogShellLinks {
    HWND frame = nullptr;       // window 100
    HWND content = nullptr;     // window 200, "winMain"
    HWND editor = nullptr;      // the note editor control
    int statusLineHeight = 22;  // the message box slides out until only this much is left

    // Status line: text in mark-up at a level (0 done .. 3 error), its picture
    // (a message kind code, 0 none), and a repaint of its rectangle.
    void (*setStatusText)(const WCHAR* text, StatusLevel level) = nullptr;
    void (*setStatusPicture)(int32_t kindCode) = nullptr;
    void (*invalidateStatusLine)() = nullptr;

    // The content window's timers: those that must not run under a dialog,
    // and all its application timers.
    int (*stopTimersForDialog)() = nullptr;
    void (*killAllTimers)() = nullptr;

    // 1 when the quick preview shows and the shell does not hold it; hides it.
    int (*isQuickPreviewShowing)() = nullptr;
    void (*hideQuickPreview)() = nullptr;
    // After a dialog: the content window's highlight word -1, its window-state
    // word 1 and the focus back on the pane the shell records as focused.
    void (*afterDialogRestored)() = nullptr;
    // After another application came to the front while a message showed:
    // the editor's background colour from the settings again.
    void (*afterOtherApplicationInFront)() = nullptr;

    // The current note, everywhere the shell keeps it (-1 none).
    void (*setCurrentNote)(int32_t noteIndex) = nullptr;
    // Shows a note (the shell's ReadAndShowNote with 1).
    int (*showNote)(int32_t noteIndex) = nullptr;
    // The shell's own data-file commands, so that the note in the editor is
    // saved first and the editor shows a note of the file loaded afterwards.
    // refreshDatafile: saves and loads the open file again (1 done).
    // openDatafile: 1 opened; 0 the file was refused; -1 the open file could
    // not be saved first (nothing was changed).
    int (*refreshDatafile)() = nullptr;
    int (*openDatafile)(const WCHAR* path) = nullptr;
    // After the sync settings stored the two folders in the note store's
    // settings: the shell takes them up too.
    void (*syncFoldersStored)() = nullptr;
    // The title the image browser chose (owned by the shell).
    AIString* chosenTitle = nullptr;
    // The paste image screen's result: the clipboard picture saved into the
    // images folder under name and linked at the editor's selection (1 done).
    int (*saveImageIntoNote)(const WCHAR* name, int insert) = nullptr;
    // Where the image browser lies: right of the note list's column and below
    // the ribbon, in the frame's client coordinates (0 when there is none).
    int (*imageBrowserArea)(RECT* area) = nullptr;
};

extern DialogShellLinks g_dialogShell;

// The frame: the linked one, else the application's main window.
HWND DialogFrameWindow();
// The window that gets the focus back after a dialog.
HWND DialogMainWindow();
void DialogSetStatusText(const WCHAR* text, StatusLevel level);
void DialogInvalidateStatusLine();
void DialogStopContentTimers();
// Enables the frame and the content window again.
void DialogEnableMainWindows();
// Repaints the content window (update 1: at once).
void DialogRepaintContent(int update);
