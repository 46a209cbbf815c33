// The note dialogs: one modal dialog over the program's dialog template for
// the generic prompt (which confirms deleting a note), the hyperlink, rename
// and new-note kinds. The dialog centre asks for it; its answer goes back to
// the centre: 0 cancelled, 1 accepted, 2 link removed.
#pragma once
#include "foundation/win.h"

enum NoteDialogAnswer { kNoteDialogCancelled = 0, kNoteDialogAccepted = 1, kNoteDialogLinkRemoved = 2 };

// The centre's note-dialog callback: lays the backdrop (owner 98, no
// darkening) and returns when the dialog has run.
void OpenNoteDialog();
// The backdrop's receiver of "ShowDialog" for owner 98: runs the dialog.
LRESULT ShowNoteDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Makes the dialog centre and the backdrop use these dialogs.
void ConnectNoteDialogs();

// The dialog while it runs (tests answer it through its fields and buttons).
HWND GetNoteDialogWindow();
HWND GetNoteDialogTitleField();
HWND GetNoteDialogLinkField();
// The heading the dialog shows.
const WCHAR* GetNoteDialogHeading();
// The message code shown now (0 none).
int GetNoteDialogCode();
// The text of the message shown now ("" none).
const WCHAR* GetNoteDialogMessageText();
int IsNoteDialogHelpShown();

// The dialog's buttons; a WM_COMMAND with a button's id is its click.
enum NoteDialogButton { kButtonOk, kButtonCancel, kButtonDelete, kButtonBrowse, kButtonHelp };
WORD GetNoteDialogButtonId(NoteDialogButton button);
