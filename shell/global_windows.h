// The program's window objects besides the frame and the content window,
// constructed before WinMain. The dialog layer creates 400, 500 and 800;
// 300, 820, 830 and 840 never create a window.
#pragma once
#include "ui/ai_window.h"

extern AIWindow g_noteDialogWindow;    // 300
extern AIWindow g_dialogHostWindow;    // 400 "winGuide_"
extern AIWindow g_messageBoxWindow;    // 500
extern AIWindow g_backdropWindow;      // 800 "winBuffer_"
extern AIWindow g_spareWindow820;
extern AIWindow g_spareWindow830;
extern AIWindow g_spareWindow840;

// The window object of an id (100 to 840), or null.
AIWindow* FindWindowObject(int windowId);
