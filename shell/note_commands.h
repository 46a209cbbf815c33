// Commands on notes: show, save, create, rename, reload, history, headings,
// QuickSearch and incremental search.
#pragma once
#include "foundation/win.h"

// Whether showing a note is a new visit for the history or a move within it.
enum ShowNoteHistory { kShowFromHistory = 0, kShowAndRecord = 1 };
// Saves the current note, then shows note noteIndex in the editor with its
// view (scroll position and selection) as it was left. Returns 1 when shown.
int ReadAndShowNote(int32_t noteIndex, ShowNoteHistory history);
// How a save that cannot store the note answers. Asked for by the user or by
// a step that needs the note stored, the failure comes with its question.
// The timer's and the deactivation's saves ask the first time only; after
// the user was told, they try again without asking until a store succeeds.
enum SaveFailureAnswer { kSaveAskOnFailure = 0, kSaveAutomatic = 1 };

// Saves the note in the editor when it changed (command 40099; also the
// periodic save and the save at exit). `how` is one of the values above.
// Returns 1 when nothing was lost; 0 leaves the text in the editor and says
// on the status line that it is not stored. One store at a time: a save
// asked for while one is under way (its question's message loop runs the
// timers) stores nothing and returns 0.
int SaveCurrentNote(SaveFailureAnswer how);
// The periodic and the deactivation save: never while a failure is being
// reported or a message is shown.
int SaveCurrentNoteAutomatically();

// Keeps the editor's scroll position and selection for the note being left.
void SaveEditorScroll();
// Creates a note, empty or with the active note's text as template, titled
// through the new-note dialog (QuickSearch's text is offered when it names
// no note). 1 when created.
enum NewNoteContent { kNewNoteEmpty = 0, kNewNoteFromActive = 1 };
int CreateNewNote(NewNoteContent content);
// The creation itself: an empty or used title becomes "New_note_N".
int CreateNoteTitled(const WCHAR* title, NewNoteContent content);
// Renames the current note through the rename dialog. 1 when renamed.
int RenameCurrentNote();
// The rename itself (a change of letter case only is allowed).
int RenameCurrentNoteTo(const WCHAR* title);
// Deletes the current note after the delete dialog's confirmation: it leaves
// the list and the data file; its text is kept as the store's deleted copy.
int DeleteCurrentNote();
// The deletion itself; the next note (or the one before) is shown.
int DeleteShownNote();
// Saves, reloads the data file and shows the same note again. A data file
// that another program changed is loaded as it now stands, keeping the notes
// edited here (see ReloadDatafileKeepingEdits).
int RefreshNotes();
int NavigateBack();
int NavigateForward();
// The caret's paragraph as a heading ("# " level 1 to "### " level 3) or
// plain text; kHeadingToggle switches between plain text and the level the
// paragraph had last.
enum HeadingChoice { kHeadingToggle = -1, kHeadingPlain = 0, kHeadingLevel1 = 1, kHeadingLevel2 = 2, kHeadingLevel3 = 3 };
int ToggleHeading(HWND window, HeadingChoice choice);
// The focus to QuickSearch (all selected), or back to the editor.
enum QuickSearchFocus { kFocusEditor = 0, kFocusQuickSearch = 1 };
int ShowQuickSearch(QuickSearchFocus focus);
// Opens incremental search (from the editor, from QuickSearch, or with the
// Replace box) or closes it (keeping the selected match, after Escape, after
// Caps Lock).
enum IncSearchMode {
    kIncSearchCloseKeepMatch = 0,
    kIncSearchOpen = 1,
    kIncSearchOpenFromQuickSearch = 2,
    kIncSearchCloseEscape = -2,
    kIncSearchCloseCapsLock = -4,
    kIncSearchOpenWithReplace = -99,
};
int ToggleIncSearch(IncSearchMode mode);
