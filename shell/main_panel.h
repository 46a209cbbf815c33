// The content window "winMain" (window 200): QuickSearch field, note list,
// preview pane, note editor and status line, their layout, painting, mouse,
// timers and the by-name commands the other windows send it.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "ui/ai_window.h"
#include "ui/ai_control.h"
#include "shell/panel_layout.h"
#include "ui/status_line.h"
#include <richedit.h>

// The note editor's notifications: changes, selection moves, and its keys
// (handed over first, so that a read-only data file can answer them).
const LPARAM kEditorEventMask = ENM_CHANGE | ENM_SELCHANGE | ENM_KEYEVENTS;

class MainPanelWindow : public AIWindow {
public:
    MainPanelWindow() : AIWindow(200) {}

    // Child controls.
    AIControl quickSearch;     // edit: type a title, Enter opens it
    AIControl noteList;        // list box of all titles, in index order, drawn from the index
    AIControl previewPane;     // read-only rich edit: the preview of link targets
    AIControl editor;          // "RichEdit20W": the current note
    AIControl incSearchBox;    // incremental search inside the note
    AIControl replaceBox;

    // Layout.
    PanelLayout layout;
    int32_t splitX = kDefaultSplitX;
    int32_t dragging = 0;      // 1 while the splitter is dragged
    int32_t noFileMode = 0;    // 1: the controls that need a data file are hidden

    // State other layers read and write.
    HWND focusedSearchBox = nullptr;
    int32_t previewHeld = 0;
    int32_t previewShown = 0;
    HWND focusPane = nullptr;        // the text pane that had the focus last
    int32_t windowState = 1;         // 0 while a screen shows, 1 after a dialog
    int32_t highlightAnimation = 0;  // -1 after a dialog
    int32_t ctrlHintState = 0;       // -1 after exit; >0 while the held-Ctrl hint runs
    int32_t incSearchOn = 0;         // the incremental-search boxes show (editor/find has their state)

    // Notes.
    int32_t currentNote = -1;        // index of the note in the editor, -1 none
    AIString lastShownTitle;
    int32_t previousView[4] = {0, 0, 0, 0};
    AIString chosenTitle;            // filled by the image browser
    int32_t lastEditTick = 0;        // TypingClockNow at the last change in the editor
};

extern MainPanelWindow g_mainPanel;

LRESULT CALLBACK MainPanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers "winMain" and creates the content window with its children.
HWND CreateContentWindow(HWND frame);
// The content window's set-up routine after a data file is loaded: fills the
// note list and shows the controls. Run through AIWindow::RunGuarded.
int CreateMainWindow(AIWindow* frame);
// Refills the note list from the note index (keeps the selection on the current note).
void FillNoteList();
// Lays the panes out for the current mode.
void UpdateSplitter();
// Makes the incremental search's boxes (hidden) on first use; 0 when they
// cannot be made.
int EnsureIncSearchBoxes();
// Hides (1) or shows (0) the controls that need an open data file.
void HideControlsNoFile(int hide);
void HideTransientControls(int hide);

// The by-name receiver of the content window.
LRESULT HandleForwardedMessage(HWND window, UINT message, WPARAM hash, LPARAM argument);

// Application timers: start one (remembered for KillAllTimers), the handler, stop.
void StartMainTimer(UINT_PTR timerId, UINT milliseconds);
void StopMainTimer(UINT_PTR timerId);
void OnMainTimer(HWND window, UINT_PTR timerId);
void KillAllTimers();
// How many application timers are started.
int CountRunningMainTimers();
int StopTimersForExit();

// Status line of the content window: text in TextMarkup, level 0 done or
// prompt, 1 information, 2 warning, 3 error.
void SetStatusText(const WCHAR* text, StatusLevel level);
const WCHAR* GetStatusText();
// A further slot of the status line (1 to 9).
void SetStatusSlotText(const WCHAR* text, StatusLevel level, int slot);
// Empties timed status texts whose time is up (the frame's timer 10).
void TickStatusLine();
// Shows a status text and repaints the status line at once (inside long steps).
void RefreshImagePreview(const WCHAR* text, StatusLevel level);
