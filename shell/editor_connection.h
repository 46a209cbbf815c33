// Links the note editor to the shell's windows, status line, commands,
// dialogs and screens, and installs its window procedure. Run once the
// content window exists.
#pragma once

void ConnectEditor();
