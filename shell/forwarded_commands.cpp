// The content window's by-name receiver: each name it knows is hashed once;
// the message's wParam picks the handler, lParam is its argument.
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "shell/later_entry_points.h"
#include "shell/shell_ids.h"
#include "foundation/hash_name.h"
#include "foundation/trace.h"

typedef void (*ForwardedHandler)(LPARAM argument);

struct ForwardedName {
    const char* name;
    ForwardedHandler handler;
    uint32_t hash;
};

static void FwdReadAndShowNote(LPARAM argument) { ReadAndShowNote((int32_t)argument, 1, 0, 0); }
static void FwdShowDialog(LPARAM argument) { ShowDialogScreen(argument); }
static void FwdPaintImagePreview(LPARAM argument) { PaintImagePreview((int)argument, 0, 0); }
static void FwdCaptureWindow(LPARAM argument) { CaptureWindow(argument); }
static void FwdToggleIncSearch(LPARAM argument) { ToggleIncSearch((int32_t)argument); }
static void FwdRibbonMouseMove(LPARAM argument) { RibbonMouseMove(2, argument); }
static void FwdChangeRtfFont(LPARAM argument) { ChangeRtfFont(argument); }
static void FwdChangeRtfFontSize(LPARAM argument) { ChangeRtfFontSize(argument); }
static void FwdChangeRtfFontZoom(LPARAM argument) { ChangeRtfFontZoom(argument); }
static void FwdHideQuickPreview(LPARAM argument) { HideQuickPreview((int)argument); }
static void FwdHideControlsNoFile(LPARAM) { HideControlsNoFile(1); }
static void FwdUpdateSplitter(LPARAM) { UpdateSplitter(); }

static ForwardedName s_names[] = {
    {"ReadAndShowNote", FwdReadAndShowNote, 0},
    {"ShowDialog", FwdShowDialog, 0},
    {"PaintImagePreview", FwdPaintImagePreview, 0},
    {"CaptureWindow", FwdCaptureWindow, 0},
    {"ToggleIncSearch", FwdToggleIncSearch, 0},
    {"RibbonMouseMove", FwdRibbonMouseMove, 0},
    {"ChangeRTFfont", FwdChangeRtfFont, 0},
    {"ChangeRTFfontSize", FwdChangeRtfFontSize, 0},
    {"ChangeRTFfontZoom", FwdChangeRtfFontZoom, 0},
    {"HideQuickPreview", FwdHideQuickPreview, 0},
    {"HideControlsNoFile", FwdHideControlsNoFile, 0},
    {"UpdateSplitter", FwdUpdateSplitter, 0},
};

LRESULT HandleForwardedMessage(HWND, UINT message, WPARAM hash, LPARAM argument)
{
    TRACE_SCOPE(kTraceForwarded, 1);
    static int hashed = 0;
    if (!hashed) {
        for (ForwardedName& n : s_names) n.hash = HashName(n.name);
        hashed = 1;
    }
    if (message != MsgCommandByName) return 0;
    for (const ForwardedName& n : s_names) {
        if (n.hash == (uint32_t)hash) {
            n.handler(argument);
            return 1;
        }
    }
    return 0;
}
