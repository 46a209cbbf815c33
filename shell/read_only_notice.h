// Telling the user that the open data file is read-only: when it opens, on
// the first key that would change the note, and by every command that would
// otherwise store something (or report a save that did not happen).
#pragma once
#include "foundation/win.h"
#include "foundation/message_ids.h"
#include <richedit.h>

// After a data file opened: when it is read-only, the status line and the
// message say so, and the next editing key says it once more.
void AnnounceReadOnlyDatafile();
// 1 (after showing messageId) when the data file is read-only; else 0.
int RefuseWhenReadOnly(int32_t messageId);
// 1 for a key message that would change the text of an editor (typing,
// Backspace, Enter, Delete, paste, cut, undo, redo); navigation and copying
// are not.
int IsEditingKey(UINT message, WPARAM key);
// The editor's key filter (EN_MSGFILTER): an editing key in a read-only
// data file gives the message the first time, the status line after that.
void OnEditorKeyFilter(const MSGFILTER* filter);
