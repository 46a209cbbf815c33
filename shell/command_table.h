// Every command of the shell in one table: its WM_COMMAND id, its name on the
// by-name route (MsgCommandByName, HashName of the name), its place, caption
// and help text on the ribbon, its key, and its handler. The ribbon, the
// accelerators, the content window's by-name receiver and the frame's
// WM_COMMAND all read this table and nothing else.
#pragma once
#include "foundation/win.h"
#include "ui/window_table.h"

class AIString;

enum RibbonTabId {
    kNoRibbonTab = -1, kTabHome = 0, kTabFile = 1, kTabOptions = 2, kTabHelp = 3, kRibbonTabCount = 4
};

// The groups of each tab, in their order on the tab.
enum RibbonGroupId {
    kGroupNote = 0, kGroupGoTo = 1, kGroupFormat = 2, kGroupEdit = 3,  // Home
    kGroupFile = 0,                                                     // File
    kGroupView = 0,                                                     // Options
    kGroupProgram = 0, kGroupLearning = 1,                              // Help
    kMaxGroupsOnATab = 4,
};

// A key of the accelerator table: FCONTROL, FALT and FSHIFT with a virtual key.
struct CommandKey {
    BYTE modifiers;
    WORD virtualKey;
};

struct CommandRow {
    WORD id;                 // WM_COMMAND id; 0: reached by name only
    const char* name;        // by-name route; nullptr: reached by id only
    CommandHandler handler;  // by name: wParam is the hash, lParam the argument
    int tab;                 // RibbonTabId; kNoRibbonTab: no ribbon control
    int group;               // RibbonGroupId within the tab
    const WCHAR* caption;    // the ribbon control's caption
    const WCHAR* help;       // the ribbon control's help text (the key is added)
    CommandKey key;          // {0, 0}: none
};

// The one table (FrameCommandTable) and its row count.
extern const CommandRow FrameCommandTable[];
extern const int FrameCommandCount;

// The row of a WM_COMMAND id, or of a by-name hash; nullptr when none.
const CommandRow* FindCommandById(UINT id);
const CommandRow* FindCommandByHash(uint32_t hash);

// Runs the row of LOWORD(wParam); *handled 0 when the table has none.
LRESULT RunCommandById(HWND window, WPARAM wParam, LPARAM lParam, int* handled);
// Runs the row of a by-name hash with its argument; 1 when a row ran.
LRESULT RunCommandByHash(HWND window, uint32_t hash, LPARAM argument);

// "Ctrl+N", "Alt+Left", "F5" for a key (empty for none).
void FormatCommandKey(const CommandKey& key, AIString& out);
// A row's help text followed by its key in brackets.
void CommandHelpText(const CommandRow& row, AIString& out);

// The accelerator table of every row that has a key (the caller destroys it).
HACCEL CreateCommandAccelerators();
