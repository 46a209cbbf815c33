#include "shell/frame_ribbon.h"
#include "shell/frame_window.h"
#include "shell/commands.h"

Ribbon g_ribbon;

// Home
static AIControl s_newNote, s_renameNote, s_saveNote, s_back, s_forward, s_heading, s_quickSearch,
    s_incSearch;
// Home, file group
static AIControl s_newFile, s_openFile, s_saveCopy, s_print, s_pageSetupPrint;
// Options and Help
static AIControl s_toggleRibbon, s_refresh, s_help, s_exit;

struct RibbonItem {
    AIControl* control;
    int tab;
    int group;
    const WCHAR* caption;
    const WCHAR* help;
    CommandHandler handler;
};

static const RibbonItem kItems[] = {
    {&s_newNote, 0, 0, L"New", L"Create a new note (Ctrl+N)", CmdNewNote},
    {&s_renameNote, 0, 0, L"Rename", L"Rename the note to the text in QuickSearch (F2)", CmdRenameNote},
    {&s_saveNote, 0, 0, L"Save", L"Save the note now (Ctrl+S)", CmdSaveNote},
    {&s_back, 0, 1, L"Back", L"Previous note (Alt+Left)", CmdNavigateBack},
    {&s_forward, 0, 1, L"Forward", L"Next note (Alt+Right)", CmdNavigateForward},
    {&s_quickSearch, 0, 1, L"Find", L"QuickSearch: type a title (Ctrl+Q)", CmdQuickSearch},
    {&s_incSearch, 0, 1, L"In note", L"Search inside the note", CmdIncSearch},
    {&s_heading, 0, 2, L"Heading", L"Make the line a heading, or plain text again", CmdToggleHeading},
    {&s_newFile, 0, 3, L"New file", L"Create a new data file", CmdNewDatafile},
    {&s_openFile, 0, 3, L"Open", L"Open a data file (Ctrl+O)", CmdOpenDatafile},
    {&s_saveCopy, 0, 3, L"Copy", L"Save a copy of the data file", CmdSaveCopy},
    {&s_print, 0, 3, L"Print", L"Print the note (Ctrl+P)", CmdPrintNote},
    {&s_pageSetupPrint, 0, 3, L"Page...", L"Choose the page, then print", CmdPageSetupPrint},
    {&s_toggleRibbon, 1, 0, L"Ribbon", L"Hide or show the ribbon (F10)", CmdToggleRibbon},
    {&s_refresh, 1, 0, L"Reload", L"Save and reload the notes (F5)", CmdRefreshNotes},
    {&s_help, 2, 0, L"Help", L"Open the help page (F1)", CmdHelp},
    {&s_exit, 2, 0, L"Exit", L"Save everything and close Tavik", CmdExit},
};

static const WCHAR* const kGroupNames[3][4] = {
    {L"Note", L"Go to", L"Format", L"File"},
    {L"View", nullptr, nullptr, nullptr},
    {L"Tavik", nullptr, nullptr, nullptr},
};

// The ribbon's controls carry their ids from construction; their rows join the
// frame's command table before WinMain, the fixed accelerator rows after them.
static struct FrameCommandTableFiller {
    FrameCommandTableFiller()
    {
        for (const RibbonItem& item : kItems) AddFrameCommand(item.control->GetId(), item.handler);
        FillFrameCommandTable();
    }
} s_filler;

void BuildRibbon(HWND frame, int width)
{
    if (g_ribbon.GetTabCount() == 0) {
        g_ribbon.AddStandardTabs();
        for (int tab = 0; tab < 3; tab++)
            for (int group = 0; group < 4; group++)
                if (kGroupNames[tab][group]) g_ribbon.AddGroup(tab, kGroupNames[tab][group]);
        for (const RibbonItem& item : kItems) {
            item.control->CreateVirtualWithText(ControlStandard, item.caption, 0, 0, 64, 60);
            item.control->SetParent(frame);
            item.control->SetHelpText(item.help);
            g_ribbon.AddControl(item.tab, item.group, item.control, item.help);
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
