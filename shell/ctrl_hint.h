// The held-Ctrl hint: Ctrl held alone in the editor or a search field shows,
// after half a second, the program's Ctrl keys on the status line, and after
// two seconds the keys of the field itself. Any other key stops it.
#pragma once
#include "foundation/win.h"
#include "shell/command_table.h"

class AIString;

// Starts the hint's timers: the shared first one and the field's own second
// one (kTimerCtrlHintFirst to kTimerCtrlHintLast).
void StartCtrlHint(UINT_PTR fieldTimer);
// Stops the hint's timers and repaints the content window.
void StopCtrlHint();
// A hint timer fired: the hint shows, once, while Ctrl is still held.
void RunCtrlHint(int timerId);

// "Ctrl+ N New · O Open ..." from the rows of a command table that have a
// Ctrl key and a caption, in table order.
void ComposeCtrlKeysHint(const CommandRow* rows, int count, AIString& out);
// The keys of a field by its second timer ("" for another timer).
const WCHAR* FieldCtrlKeysHint(UINT_PTR fieldTimer);
