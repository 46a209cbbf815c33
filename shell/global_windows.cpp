#include "shell/global_windows.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"

AIWindow g_noteDialogWindow(300);
AIWindow g_guideWindow(400);
AIWindow g_spareWindow820(820);
AIWindow g_spareWindow830(830);
AIWindow g_spareWindow840(840);

AIWindow* FindWindowObject(int windowId)
{
    AIWindow* const all[] = {&g_frame, &g_mainPanel, &g_noteDialogWindow, &g_guideWindow, &g_messageBoxWindow,
                             &g_backdropWindow, &g_spareWindow820, &g_spareWindow830, &g_spareWindow840};
    for (AIWindow* window : all)
        if (window->GetWindowId() == windowId) return window;
    return nullptr;
}
