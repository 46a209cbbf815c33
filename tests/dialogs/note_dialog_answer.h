// Answers the note dialogs as a user would, from a thread timer inside the
// dialog's modal loop: each step types into the title (and link) field and
// presses a button; what the dialog shows after each step is kept.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

struct NoteDialogStep {
    const WCHAR* title;  // null leaves the field as it is
    WPARAM command;      // IDOK, IDCANCEL, or a button's id
    const WCHAR* link;   // hyperlink kind: null leaves the field
};

enum { kMaxNoteDialogSteps = 8, kDialogEnded = -100 };

struct NoteDialogScript {
    const NoteDialogStep* steps;
    int count;
    int done;
    int codes[kMaxNoteDialogSteps];      // the message code after each step, kDialogEnded once closed
    AIString messages[kMaxNoteDialogSteps];
    int selectionStart[kMaxNoteDialogSteps];
    AIString offered;                    // the title field when the dialog opened
    AIString offeredLink;
    int openingCode;                     // the message the dialog opened with
};
extern NoteDialogScript g_noteScript;

// Runs the command with the steps answering the dialog it opens; waits until
// the backdrop has gone again. Returns the command's result.
// waitForBackdrop 0 returns while the backdrop may still fade out.
int RunAnsweredSteps(int (*command)(), const NoteDialogStep* steps, int count, int waitForBackdrop = 1);
template <int N>
int RunAnswered(int (*command)(), const NoteDialogStep (&steps)[N])
{
    return RunAnsweredSteps(command, steps, N);
}
