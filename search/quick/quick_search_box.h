// The QuickSearch box: typing a title completes it and previews the note,
// Enter shows it, a second Enter moves to the editor, and a title no note
// has starts full-text search.
#pragma once
#include "foundation/win.h"

// Installs the box's window procedure (cue text, font and limit set too).
void InstallQuickSearchBox(HWND box);

// The note the list shows selected, -1 when none.
int32_t GetQuickSearchSelection();

// The box's prompt on the status line, as the box is entered: a title no
// note has is told again at the next key, and a typed title previewed again
// (the pane may show anything since, or another data file be open).
void ShowQuickSearchPrompt();

// Previews a note in the QuickSearch preview pane (not the note shown in the
// editor), or the tip text, or the note the typed text names. Runs while
// instant preview is on, or always with force 1.
enum { kQuickPreviewTip = -2, kQuickPreviewTypedNote = -3 };
void ShowQuickSearchPreview(int noteIndex, int force);

// Waits, at most boundMs, until the key is up; peeks the queue meanwhile so
// that the key state follows. 1 when it came up in time.
int WaitForKeyRelease(int virtualKey, DWORD boundMs);
