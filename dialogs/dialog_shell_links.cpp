#include "dialogs/dialog_shell_links.h"
#include "foundation/app.h"

DialogShellLinks g_dialogShell;

HWND DialogFrameWindow()
{
    return g_dialogShell.frame ? g_dialogShell.frame : g_app.GetMainWindow();
}

HWND DialogMainWindow()
{
    HWND main = g_app.GetMainWindow();
    return main ? main : g_dialogShell.frame;
}

void DialogSetStatusText(const WCHAR* text, StatusLevel level)
{
    if (g_dialogShell.setStatusText) g_dialogShell.setStatusText(text, level);
}

void DialogInvalidateStatusLine()
{
    if (g_dialogShell.invalidateStatusLine) g_dialogShell.invalidateStatusLine();
}

void DialogStopContentTimers()
{
    if (g_dialogShell.stopTimersForDialog) g_dialogShell.stopTimersForDialog();
}

void DialogRepaintContent(int update)
{
    HWND content = g_dialogShell.content;
    if (!content) return;
    InvalidateRect(content, 0, FALSE);
    if (update) UpdateWindow(content);
}

void DialogEnableMainWindows()
{
    if (HWND frame = DialogFrameWindow()) EnableWindow(frame, TRUE);
    if (g_dialogShell.content) EnableWindow(g_dialogShell.content, TRUE);
}
