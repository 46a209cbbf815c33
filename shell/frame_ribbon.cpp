#include "shell/frame_ribbon.h"
#include "shell/frame_window.h"
#include "shell/command_table.h"
#include "drawing/ai_resource_image.h"
#include "foundation/ai_string.h"
#include "resources/resource_ids.h"

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
// Small controls are wider: their picture stands beside the caption.
enum { kControlWidth = 60, kSmallControlWidth = 70, kLargeControlHeight = 60, kSmallControlHeight = 25 };

// One windowless control for each command on the ribbon, in table order,
// each with its picture.
enum { kMaxRibbonCommands = 60 };
static AIControl s_controls[kMaxRibbonCommands];
static AIResourceImage s_pictures[kMaxRibbonCommands];

// The picture of each command: 16 pixels in the groups of small controls,
// 24 in the others.
struct CommandPicture {
    UINT command;
    int picture;
};
static const CommandPicture kCommandPictures[] = {
    {IDM_NEW_NOTE, IDP_NEW_NOTE_24},           {IDM_RENAME_NOTE, IDP_RENAME_NOTE_24},
    {IDM_DELETE_NOTE, IDP_DELETE_NOTE_24},     {IDM_SAVE_NOTE, IDP_SAVE_NOTE_24},
    {IDM_NAVIGATE_BACK, IDP_BACK_16},          {IDM_NAVIGATE_FORWARD, IDP_FORWARD_16},
    {IDM_QUICK_SEARCH, IDP_FIND_16},           {IDM_FAVOURITES, IDP_FAVOURITES_16},
    {IDM_BROWSE_IMAGES, IDP_IMAGES_16},        {IDM_INC_SEARCH, IDP_IN_NOTE_16},
    {IDM_TOGGLE_HEADING, IDP_HEADING_16},      {IDM_EDIT_BOLD, IDP_BOLD_16},
    {IDM_EDIT_ITALIC, IDP_ITALIC_16},          {IDM_EDIT_STRIKE, IDP_STRIKE_16},
    {IDM_EDIT_HYPERLINK, IDP_LINK_16},         {IDM_EDIT_CUT, IDP_CUT_16},
    {IDM_EDIT_COPY, IDP_COPY_16},              {IDM_EDIT_PASTE, IDP_PASTE_16},
    {IDM_EDIT_UNDO, IDP_UNDO_16},              {IDM_EDIT_REDO, IDP_REDO_16},
    {IDM_EDIT_ZOOM, IDP_ZOOM_16},              {IDM_FILE_PANEL, IDP_FILE_PANEL_24},
    {IDM_NEW_DATAFILE, IDP_NEW_FILE_24},       {IDM_OPEN_DATAFILE, IDP_OPEN_FILE_24},
    {IDM_SAVE_COPY, IDP_SAVE_COPY_24},         {IDM_PRINT_NOTE, IDP_PRINT_24},
    {IDM_PAGE_SETUP_PRINT, IDP_PAGE_SETUP_24}, {IDM_CAPTURE_WEB, IDP_CAPTURE_WEB_24},
    {IDM_CAPTURE_SCREENSHOT, IDP_SCREENSHOT_24}, {IDM_TOGGLE_RIBBON, IDP_RIBBON_24},
    {IDM_REFRESH_NOTES, IDP_RELOAD_24},        {IDM_SYNC_SETTINGS, IDP_SHARE_SYNC_24},
    {IDM_HELP, IDP_HELP_24},                   {IDM_SHORTCUTS, IDP_KEYS_24},
    {IDM_ABOUT, IDP_ABOUT_24},                 {IDM_EXIT, IDP_EXIT_24},
    {IDM_GETTING_STARTED, IDP_STARTED_24},     {IDM_INTRO, IDP_INTRO_24},
    {IDM_TIP_OF_DAY, IDP_TIP_24},
};

static int PictureOfCommand(UINT command)
{
    for (const CommandPicture& p : kCommandPictures)
        if (p.command == command) return p.picture;
    return 0;
}

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
            int compact = kGroups[row.tab][row.group].smallControls;
            int height = compact ? kSmallControlHeight : kLargeControlHeight;
            control.CreateVirtualWithText(ControlStandard, row.caption, 0, 0, compact ? kSmallControlWidth : kControlWidth,
                                          height);
            // Decoded when its tab first shows.
            int pictureId = PictureOfCommand(row.id);
            if (pictureId) control.SetPictureResource(&s_pictures[used - 1], pictureId);
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

int IsOverRibbon(POINT screen, int tabStripOnly)
{
    HWND owner = g_ribbon.GetOwner();
    if (!owner || !IsWindowVisible(owner) || g_ribbon.GetDisplayMode() == Ribbon::ModeHidden) return 0;
    RECT area = tabStripOnly ? g_ribbon.GetTabStripRect() : g_ribbon.GetRect();
    ScreenToClient(owner, &screen);
    return PtInRect(&area, screen) ? 1 : 0;
}

int TurnRibbonTabsAt(POINT screen, int wheelDelta)
{
    const int kNextTab = -2, kPreviousTab = -1;
    if (!IsOverRibbon(screen, 0)) return 0;
    if (wheelDelta) g_ribbon.SelectTab(wheelDelta < 0 ? kNextTab : kPreviousTab);
    return 1;
}
