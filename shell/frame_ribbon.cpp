#include "shell/frame_ribbon.h"
#include "shell/frame_window.h"
#include "shell/command_table.h"
#include "foundation/ai_string.h"

Ribbon g_ribbon;

static const WCHAR* const kTabNames[kRibbonTabCount] = {L"Home", L"File", L"Options", L"Help"};

// The groups of each tab; a group of small controls stands them two to a
// column, so that the Home tab's controls fit a frame 960 pixels wide.
struct RibbonGroupLook {
    const WCHAR* caption;
    int smallControls;
};
static const RibbonGroupLook kGroups[kRibbonTabCount][kMaxGroupsOnATab] = {
    {{L"Note", 0}, {L"Go to", 1}, {L"Format", 1}, {L"Edit", 1}},
    {{L"File", 0}},
    {{L"View", 0}},
    {{L"Tavik", 0}, {L"Learning Tavik", 0}},
};
enum { kControlWidth = 64, kLargeControlHeight = 60, kSmallControlHeight = 25 };

// One windowless control for each command on the ribbon, in table order.
enum { kMaxRibbonCommands = 60 };
static AIControl s_controls[kMaxRibbonCommands];

void BuildRibbon(HWND frame, int width)
{
    if (g_ribbon.GetTabCount() == 0) {
        for (int tab = 0; tab < kRibbonTabCount; tab++) g_ribbon.AddTab(kTabNames[tab]);
        for (int tab = 0; tab < kRibbonTabCount; tab++)
            for (int group = 0; group < kMaxGroupsOnATab; group++)
                if (kGroups[tab][group].caption) g_ribbon.AddGroup(tab, kGroups[tab][group].caption);
        int used = 0;
        for (int i = 0; i < FrameCommandCount && used < kMaxRibbonCommands; i++) {
            const CommandRow& row = FrameCommandTable[i];
            if (row.tab == kNoRibbonTab) continue;
            AIControl& control = s_controls[used++];
            AIString help;
            CommandHelpText(row, help);
            control.AssignCommandId(row.id);
            int height = kGroups[row.tab][row.group].smallControls ? kSmallControlHeight : kLargeControlHeight;
            control.CreateVirtualWithText(ControlStandard, row.caption, 0, 0, kControlWidth, height);
            g_ribbon.AddControl(row.tab, row.group, &control, help.GetText());
        }
        // Laid out before the controls know their window, which a new window
        // draws whole: attaching then finds each in place and repaints none.
        g_ribbon.Layout();
    }
    g_ribbon.Attach(frame, 0, 0, width);  // lays the ribbon out
}

int RibbonBandHeight()
{
    switch (g_ribbon.GetDisplayMode()) {
    case Ribbon::ModeFull: return Ribbon::kTabStripHeight + Ribbon::kGroupHeight;
    case Ribbon::ModeTabsOnly: return Ribbon::kTabStripHeight;
    default: return 0;
    }
}
