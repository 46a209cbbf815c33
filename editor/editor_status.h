// The editor's part of the status line, called after almost every editor
// action: the position and count text, the caret-line highlight when the
// editor is entered, the ribbon's editing states at the caret, and the
// warnings about the note's length.
#pragma once
#include "foundation/win.h"

enum EditorStatusCall : int32_t {
    kEditorStatusRepeat = -99,        // show the last text again
    kEditorStatusFormatChanged = -3,
    kEditorStatusEnter = -2,          // the editor is entered: highlight the caret line, full count
    kEditorStatusLeave = -1,          // the highlight ends, full count
    kEditorStatusRefresh = 0,         // a plain refresh; positive values are the key that caused it
};

// The ribbon editing state word (read by Ctrl+H and the ribbon's help texts).
enum EditorEditingState : int32_t {
    kEditingNormal = 0,
    kEditingLinesSelected = 1,
    kEditingHeading = 2,
    kEditingLinkOrSized = 3,
    kEditingStrike = 4,
    kEditingMixedLink = 5,
};

// Returns the word count of the last count.
int32_t UpdateEditorStatus(int32_t mode);
// The ribbon's editing controls as the text at the caret allows (the editor
// took the focus back from a field that had switched them off).
void UpdateEditorRibbon();

// The length the limits are measured on: the text with paragraph ends as
// CR LF plus the note's hidden link text (as the store measures when it cuts).
int32_t EditorNoteLength();
// A note was put in the editor (perhaps of another data file at the same
// index): the next update counts and writes its figures afresh.
void ForgetEditorStatus();
// The last composed text (tests and the repeat call).
const WCHAR* GetEditorStatusText();
int32_t GetEditorEditingState();
// The caret-line highlight range (start, end); end <= start when none.
void GetEditorHighlight(int32_t* start, int32_t* end);
// A status text about the link at the caret (its description, its deletion):
// it stays while the selection does, and goes ("Ready") when the selection
// moves or with EndLinkStatus (an undo).
void ShowLinkStatus(const WCHAR* text);
void EndLinkStatus();
// The text changed: the line and column are asked of the control again
// (a step of one character may have crossed a line end that came or went).
void ForgetEditorStatusPosition();
// 1 while Caps Lock is on (the All-Caps flag).
int32_t IsEditorAllCaps();
