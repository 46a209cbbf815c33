// The shell's side of folder sync: the engine's notices on the status line,
// the edit marker claimed at a shared note's first change and released when
// every change is undone, a pass every few minutes, and a shown note whose
// text a pass changed shown again.
#pragma once
#include "foundation/win.h"
#include "ui/status_line.h"

// Connects the engine's notices to the status line (at start-up).
void ConnectSyncNotices();
// How many notices were shown so far. A command that writes the status line
// after work that may raise notices (a refresh: a save and a load, each with
// a pass) shows its outcome with ShowStatusKeepingSyncNotice, so that a
// notice raised meanwhile stays in view, with the outcome after it.
uint32_t SyncNoticesShown();
void ShowStatusKeepingSyncNotice(const WCHAR* text, StatusLevel level, uint32_t noticesBefore);
// After each change of the editor's text (EN_CHANGE).
void OnEditorChangedForSync(HWND editor);
// From the frame's periodic timer: a pass when its time has come.
void RunTimedSyncPass();
// After a pass that took texts from a folder: the unchanged note in the
// editor is shown again as it now stands ("Please wait ..." meanwhile).
// 1 when it was shown again.
int WaitForSyncUpdate();
// The editor was entered: with a sync or share folder set, WaitForSyncUpdate.
void ShowSyncedNoteOnEntry();
// The note just shown: read-only while another user edits it (with the
// message). 1 when it is held by another.
int ShowSharedNoteLock(HWND editor, int32_t noteIndex);
