// The preview pane's shared state and helpers, inside search/preview only:
// the request and the last one shown, the shell's links with their defaults.
#pragma once
#include "search/preview/preview_pane.h"
#include "foundation/settings_record.h"

// The one state of the preview pane.
struct QuickPreviewState {
    AIString target;  // what is to be previewed ("Open file:" removed)
    PreviewKind kind = kPreviewNothing;
    PreviewOrigin origin = kOriginHover;
    AIString lastTarget;  // the previous request, and whether it showed something
    int lastKind = kPreviewNothing;
    int lastOrigin = kOriginHover;
    int lastOk = 0;
    AIString webCachePath;   // the cache file of the last web or PDF preview
    AIString lastForcedPdf;  // the PDF whose text was last extracted again on request (Shift)
    int zoomOffset = 0;      // -50..50 percent in steps of 10
    int copyHintDone = 0;
    AIString hovered;  // the link text under the mouse, to ignore moves within it
    POINT firstMouse = {-1, -1};
    int32_t fills = 0;
};

QuickPreviewState& PreviewState();
HWND PreviewPaneWindow();

int PreviewKeyDown(int vk);
void PreviewStatus(const WCHAR* text, StatusLevel level);
void StartPreviewTimer(UINT_PTR timer, UINT ms);
void StopPreviewTimer(UINT_PTR timer);
const SettingsRecord& PreviewSettings();
// The panes' zoom: the base zoom of the settings plus the user's offset, 10..500 %.
int PaneZoom();
// Invalidates the note list and a margin beside it (where the pane lay).
void InvalidateNoteList();
// Shows the pane in its place with the text (counted as one fill).
void ShowPaneText(const AIString& text);
// Places the pane (shown) over the list or the editor.
void PlacePreviewPane();
// Fills the pane by the request's kind; 1 when something was shown or told.
int FillWebPage();
int FillRtfFile(const AIString& path);
int FillTextFile(const AIString& path);
int FillNote();
// The file a file link's target names ("file:" and "rel:" resolved).
void FilePathOfTarget(AIString& path);
// Subclasses the link pane; the previous procedure.
WNDPROC SubclassLinkPreviewPane(HWND pane);
