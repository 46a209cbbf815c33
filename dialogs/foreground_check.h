// Whether the window in front belongs to this program. Under Wine the
// foreground is often reported as none, or as another window of this process
// (a tool window, the backdrop): both count as ours there, so that no false
// deactivation closes a message or saves the note.
#pragma once
#include "foundation/win.h"

int IsForegroundOurs(HWND foreground, HWND frame, HWND box, int isWine);
