// What QuickSearch and the full-text result panel need of the shell, which
// sits beside them: the shell fills these in once its windows exist. Null
// entries are skipped.
#pragma once
#include "foundation/win.h"
#include "ui/status_line.h"

struct SearchShellLinks {
    HWND content = nullptr;
    HWND quickSearch = nullptr;
    HWND noteList = nullptr;
    HWND previewPane = nullptr;
    HWND editor = nullptr;

    int32_t (*currentNote)() = nullptr;           // index of the note in the editor, -1 none
    int (*showNote)(int32_t index) = nullptr;     // saves the current note and shows another
    int (*focusQuickSearch)(int focus) = nullptr; // 1 QuickSearch, 0 the editor
    int (*incSearch)(int mode) = nullptr;
    int (*newNote)(int fromActive) = nullptr;
    int (*renameNote)() = nullptr;
    int (*printNote)() = nullptr;
    int (*openDatafile)() = nullptr;
    int (*navigate)(int forward) = nullptr;
    void (*captureDocument)(int withShift) = nullptr;
    // Alt+S: the screenshot.
    void (*captureScreenshot)() = nullptr;
    int (*lookUpWord)(const WCHAR* word) = nullptr;     // 0 when look-up is not there
    int32_t (*showShortcuts)() = nullptr;
    void (*showZoomStatus)(int32_t percent) = nullptr;  // the editor's zoom on the status line
    // The size of image previews: 1 over the whole window, 0 beside the list.
    void (*setImageZoom)(int large) = nullptr;
    // Split view: the picture the note shown offers for the typed text (a
    // timed thumbnail), shown at once there.
    int (*showDefaultImage)() = nullptr;
    // The wheel turned at a screen point: 1 when it was over the ribbon (whose tab it stepped).
    int (*wheelOverRibbon)(POINT screen, int wheelDelta) = nullptr;
    // The held-Ctrl hint: started with the field's own second timer, stopped.
    void (*startCtrlHint)(UINT_PTR fieldTimer) = nullptr;
    void (*stopCtrlHint)() = nullptr;
    // Ribbon states: the box has the focus (the editing controls off); the
    // typed title names another note than the one shown (1) or not (0).
    void (*ribbonForQuickSearch)() = nullptr;
    void (*ribbonForTypedTitle)(int namesAnotherNote) = nullptr;
    void (*setStatusText)(const WCHAR* text, StatusLevel level) = nullptr;
    void (*layout)() = nullptr;                   // the panes laid out for the current mode
    void (*startTimer)(UINT_PTR timerId, UINT milliseconds) = nullptr;
    // What holds the box's keys: a dialog of the program runs; a large
    // picture covers the window page by page.
    int (*isDialogRunning)() = nullptr;
    int (*isLargeImageShown)() = nullptr;
    // A status text shown and painted at once (while a picture keeps the window busy).
    void (*refreshStatus)(const WCHAR* text, StatusLevel level) = nullptr;
    // The box flashes: a typed title was not found, or is found again.
    void (*pulseBox)() = nullptr;
};

extern SearchShellLinks g_searchShell;

// The QuickSearch preview timer of the content window, and the held-Ctrl
// hint's timer of the QuickSearch field.
enum : UINT_PTR { kQuickPreviewTimer = 10210, kQuickCtrlHintTimer = 10001 };
enum : UINT { kQuickPreviewMs = 200 };

int SearchKeyDown(int virtualKey);
void SearchStatus(const WCHAR* text, StatusLevel level);
