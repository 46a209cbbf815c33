// Commands on notes: show, save, create, rename, reload, history, headings,
// QuickSearch and incremental search.
#pragma once
#include "foundation/win.h"

// Saves the current note, then shows note noteIndex in the editor with its
// view (scroll position and selection) as it was left. flag 1 records the
// note in the history (0: back/forward moves). Returns 1 when shown.
int ReadAndShowNote(int32_t noteIndex, int32_t flag, int32_t, int32_t);
// How a save that cannot store the note answers. Asked for by the user or by
// a step that needs the note stored, the failure comes with its question.
// The timer's and the deactivation's saves ask the first time only; after
// the user was told, they try again without asking until a store succeeds.
enum { kSaveAskOnFailure = 0, kSaveAutomatic = 1 };

// Saves the note in the editor when it changed (command 40099; also the
// periodic save and the save at exit). `how` is one of the values above.
// Returns 1 when nothing was lost; 0 leaves the text in the editor and says
// on the status line that it is not stored. One store at a time: a save
// asked for while one is under way (its question's message loop runs the
// timers) stores nothing and returns 0.
int SaveCurrentNote(int32_t how, int32_t, int32_t, int32_t);
// The periodic and the deactivation save: never while a failure is being
// reported or a message is shown.
int SaveCurrentNoteAutomatically();

// Keeps the editor's scroll position and selection for the note being left.
void SaveEditorScroll();
// Creates a note: 1 with the active note's text as template, 0 empty. The
// title is the QuickSearch text when it names no note, else "New_note_N".
int CreateNewNote(int32_t useTemplate);
// Renames the current note to the QuickSearch text. 1 when renamed.
int RenameCurrentNote();
// Saves, reloads the data file and shows the same note again. A data file
// that another program changed is loaded as it now stands, keeping the notes
// edited here (see ReloadDatafileKeepingEdits).
int RefreshNotes();
int NavigateBack();
int NavigateForward();
// Makes the caret's paragraph a heading of `level` (1-3) or plain text (0);
// level -1 toggles between heading 1 and plain text.
int ToggleHeading(HWND window, int32_t level, int32_t, int32_t);
// 1 focuses QuickSearch (all selected); 0 gives the focus back to the editor.
int ShowQuickSearch(int32_t focus);
// mode 1 (or 2 from QuickSearch, -99 with Replace) opens incremental search;
// 0, -2 and -4 close it (0 keeps the selected match).
int ToggleIncSearch(int32_t mode);
