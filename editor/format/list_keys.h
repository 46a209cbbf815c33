// Enter, Tab and Shift+Tab in the note editor: the list rules applied to the
// editor's text as one undoable step each.
#pragma once
#include "foundation/win.h"

// What the editor does with the key after the rule.
enum ListKeyResult : int32_t {
    kListKeyPassOn = 0,   // the control's own handling
    kListKeyHandled = 1,  // done here; the key and its character are dropped
};

// Enter at the editor's selection.
ListKeyResult HandleEnterKey();
// Tab (outdent 0) or Shift+Tab (outdent 1) at the editor's selection.
ListKeyResult HandleTabKey(int outdent);
