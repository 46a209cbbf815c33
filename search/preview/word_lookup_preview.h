// The results of the text pipelines (PDF text, word look-up) shown by the
// windows: the status line and the link preview pane.
#pragma once
#include "foundation/win.h"

// Connects the pipelines' hooks to the pane and the shell's status line, and
// gives translation the language of the "lang:" start-up word.
void ConnectPreviewPipelines();

// Looks the word up; the status line says so when no dictionary is there.
// 1 (the request was handled).
int LookUpWordAndReport(const WCHAR* word);

// Looks up the QuickSearch text when that field has the focus, else the
// editor's selection (at most 50 characters) or, with nothing selected, the
// word at the caret, trimmed. With no word the status line says how to pick
// one. 1 (the request was handled).
int LookUpSelectedWord();
