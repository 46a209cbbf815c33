// The content window's by-name commands: their handlers (rows of the command
// table, shell/command_table.cpp) and the receiver that runs them.
#include "shell/commands.h"
#include "shell/command_table.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "shell/later_entry_points.h"
#include "shell/ribbon_hover.h"
#include "shell/editor_fonts.h"
#include "shell/capture_connection.h"
#include "search/preview/preview_pane.h"
#include "foundation/hash_name.h"

LRESULT FwdReadAndShowNote(HWND, WPARAM, LPARAM argument) { return ReadAndShowNote((int32_t)argument, kShowAndRecord); }
LRESULT FwdShowDialog(HWND, WPARAM, LPARAM argument)
{
    ShowDialogScreen(argument);
    return 1;
}
LRESULT FwdPaintImagePreview(HWND, WPARAM, LPARAM argument)
{
    PaintImagePreview(argument ? kPreviewFromCommand : kPreviewFromTimer, kPreviewWithImage, 0);
    return 1;
}
LRESULT FwdCaptureWindow(HWND, WPARAM, LPARAM argument)
{
    CaptureWindow(argument);
    return 1;
}
LRESULT FwdToggleIncSearch(HWND, WPARAM, LPARAM argument) { return ToggleIncSearch((IncSearchMode)argument); }
LRESULT FwdRibbonMouseMove(HWND, WPARAM, LPARAM argument)
{
    RibbonMouseMove(2, argument);
    return 1;
}
LRESULT FwdChangeRtfFont(HWND, WPARAM, LPARAM argument)
{
    ChangeRtfFont(argument);
    return 1;
}
LRESULT FwdChangeRtfFontSize(HWND, WPARAM, LPARAM argument)
{
    ChangeRtfFontSize(argument);
    return 1;
}
LRESULT FwdChangeRtfFontZoom(HWND, WPARAM, LPARAM argument)
{
    ChangeRtfFontZoom(argument);
    return 1;
}
LRESULT FwdHideQuickPreview(HWND, WPARAM, LPARAM argument)
{
    HideQuickPreview((int)argument);
    return 1;
}
LRESULT FwdHideControlsNoFile(HWND, WPARAM, LPARAM)
{
    HideControlsNoFile(1);
    return 1;
}
LRESULT FwdUpdateSplitter(HWND, WPARAM, LPARAM)
{
    UpdateSplitter();
    return 1;
}

LRESULT HandleForwardedMessage(HWND window, UINT message, WPARAM hash, LPARAM argument)
{
    if (message != MsgCommandByName) return 0;
    return RunCommandByHash(window, (uint32_t)hash, argument);
}
