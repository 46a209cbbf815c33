#include "shell/frame_ribbon.h"
#include "shell/frame_window.h"
#include "shell/command_table.h"
#include "foundation/ai_string.h"

Ribbon g_ribbon;

static const WCHAR* const kGroupNames[kRibbonTabCount][4] = {
    {L"Note", L"Go to", L"Format", L"File"},
    {L"View", nullptr, nullptr, nullptr},
    {L"Tavik", L"Learning Tavik", nullptr, nullptr},
};

// One windowless control for each command on the ribbon, in table order.
enum { kMaxRibbonCommands = 40 };
static AIControl s_controls[kMaxRibbonCommands];

void BuildRibbon(HWND frame, int width)
{
    if (g_ribbon.GetTabCount() == 0) {
        g_ribbon.AddStandardTabs();
        for (int tab = 0; tab < kRibbonTabCount; tab++)
            for (int group = 0; group < 4; group++)
                if (kGroupNames[tab][group]) g_ribbon.AddGroup(tab, kGroupNames[tab][group]);
        int used = 0;
        for (int i = 0; i < FrameCommandCount && used < kMaxRibbonCommands; i++) {
            const CommandRow& row = FrameCommandTable[i];
            if (row.tab == kNoRibbonTab) continue;
            AIControl& control = s_controls[used++];
            AIString help;
            CommandHelpText(row, help);
            control.AssignCommandId(row.id);
            control.CreateVirtualWithText(ControlStandard, row.caption, 0, 0, 64, 60);
            control.SetParent(frame);
            g_ribbon.AddControl(row.tab, row.group, &control, help.GetText());
        }
    }
    g_ribbon.Attach(frame, 0, 0, width);
    g_ribbon.Layout();
}

int RibbonBandHeight()
{
    switch (g_ribbon.GetDisplayMode()) {
    case Ribbon::ModeFull: return Ribbon::kTabStripHeight + Ribbon::kGroupHeight;
    case Ribbon::ModeTabsOnly: return Ribbon::kTabStripHeight;
    default: return 0;
    }
}
