// The results of the text pipelines (PDF text, word look-up) shown by the
// windows: the status line and the link preview pane.
#pragma once
#include "foundation/win.h"

// Connects the pipelines' hooks to the pane and the shell's status line.
void ConnectPreviewPipelines();

// Looks up the QuickSearch text when that field has the focus, else the
// editor's selection (at most 50 characters), trimmed. 1 when a word was
// given to the look-up.
int LookUpSelectedWord();
