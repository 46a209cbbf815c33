// Links the dialogs (message box, backdrop, screens) to the shell's windows,
// status line and commands, and routes the note store's and the shell's
// numbered messages to the message box. Run once the windows exist.
#pragma once

void ConnectDialogs();
