// Split view: while it is on, previews take the editor's pane (the note the
// QuickSearch text names at once, link targets and pictures) instead of the
// place beside the note list. The shell switches it (Alt+V); the editor, the
// search fields and the preview panes only read it.
#pragma once

int IsSplitViewOn();
// The shell's switch; everything that follows from it is the shell's too.
void SetSplitViewOn(int on);
