#include "dialogs/foreground_check.h"

int IsForegroundOurs(HWND foreground, HWND frame, HWND box, int isWine)
{
    if (foreground && (foreground == frame || foreground == box)) return 1;
    if (!isWine) return 0;
    if (!foreground) return 1;
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    return process == GetCurrentProcessId() ? 1 : 0;
}
