// What the sync settings screen offers beyond its registration: the folder
// chooser it calls (the shell's folder browser; tests put their own here),
// and the page and folder field shown.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// sharePage 1 on the Share page (the browser starts at the network). 1 when
// a folder was chosen into `chosen`.
typedef int (*SyncFolderChooser)(int sharePage, AIString& chosen);
extern SyncFolderChooser g_syncFolderChooser;

int SyncSettingsPageShown();
HWND SyncSettingsFolderField();  // null while the screen is not shown
