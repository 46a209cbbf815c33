// The program's window objects besides the frame and the content window,
// constructed before WinMain. The dialog layer owns 500 (the message box)
// and 800 (the backdrop); 300, 400, 820, 830 and 840 create no window yet.
#pragma once
#include "ui/ai_window.h"
#include "dialogs/message_box.h"
#include "dialogs/modal_backdrop.h"

extern AIWindow g_noteDialogWindow;    // 300
extern AIWindow g_guideWindow;         // 400 "winGuide_"
extern AIWindow g_spareWindow820;
extern AIWindow g_spareWindow830;
extern AIWindow g_spareWindow840;

// The window object of an id (100 to 840), or null.
AIWindow* FindWindowObject(int windowId);
