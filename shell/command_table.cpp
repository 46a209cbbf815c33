// The shell's one command table and the look-ups the routes use.
#include "shell/command_table.h"
#include "shell/commands.h"
#include "shell/shell_ids.h"
#include "foundation/ai_string.h"
#include "foundation/hash_name.h"
#include "foundation/trace.h"

#define NO_KEY {0, 0}
#define BY_NAME(name, handler) {0, name, handler, kNoRibbonTab, 0, nullptr, nullptr, NO_KEY}

const CommandRow FrameCommandTable[] = {
    // Home: note
    {IDM_NEW_NOTE, nullptr, CmdNewNote, kTabHome, kGroupNote, L"New", L"Create a new note", {FCONTROL, 'N'}},
    {IDM_RENAME_NOTE, nullptr, CmdRenameNote, kTabHome, kGroupNote, L"Rename",
     L"Give the note a new title", {0, VK_F2}},
    {IDM_DELETE_NOTE, nullptr, CmdDeleteNote, kTabHome, kGroupNote, L"Delete", L"Delete the note (after a question)",
     NO_KEY},
    {IDM_SAVE_NOTE, nullptr, CmdSaveNote, kTabHome, kGroupNote, L"Save", L"Save the note now", {FCONTROL, 'S'}},
    // Home: go to
    {IDM_NAVIGATE_BACK, nullptr, CmdNavigateBack, kTabHome, kGroupGoTo, L"Back", L"Previous note",
     {FALT, VK_LEFT}},
    {IDM_NAVIGATE_FORWARD, nullptr, CmdNavigateForward, kTabHome, kGroupGoTo, L"Forward", L"Next note",
     {FALT, VK_RIGHT}},
    {IDM_QUICK_SEARCH, nullptr, CmdQuickSearch, kTabHome, kGroupGoTo, L"Find", L"QuickSearch: type a title",
     {FCONTROL, 'L'}},
    {IDM_FAVOURITES, nullptr, CmdFavourites, kTabHome, kGroupGoTo, L"Favorites", L"Favorite notes", {FCONTROL, '0'}},
    {IDM_FAVOURITE_FIRST + 0, nullptr, CmdFavourite, kNoRibbonTab, 0, nullptr, nullptr, {FCONTROL, '1'}},
    {IDM_FAVOURITE_FIRST + 1, nullptr, CmdFavourite, kNoRibbonTab, 0, nullptr, nullptr, {FCONTROL, '2'}},
    {IDM_FAVOURITE_FIRST + 2, nullptr, CmdFavourite, kNoRibbonTab, 0, nullptr, nullptr, {FCONTROL, '3'}},
    {IDM_FAVOURITE_FIRST + 3, nullptr, CmdFavourite, kNoRibbonTab, 0, nullptr, nullptr, {FCONTROL, '4'}},
    {IDM_FAVOURITE_FIRST + 4, nullptr, CmdFavourite, kNoRibbonTab, 0, nullptr, nullptr, {FCONTROL, '5'}},
    {IDM_FAVOURITE_FIRST + 5, nullptr, CmdFavourite, kNoRibbonTab, 0, nullptr, nullptr, {FCONTROL, '6'}},
    {IDM_FAVOURITE_FIRST + 6, nullptr, CmdFavourite, kNoRibbonTab, 0, nullptr, nullptr, {FCONTROL, '7'}},
    {IDM_FAVOURITE_FIRST + 7, nullptr, CmdFavourite, kNoRibbonTab, 0, nullptr, nullptr, {FCONTROL, '8'}},
    {IDM_FAVOURITE_FIRST + 8, nullptr, CmdFavourite, kNoRibbonTab, 0, nullptr, nullptr, {FCONTROL, '9'}},
    // Home: go to the image browser
    {IDM_BROWSE_IMAGES, nullptr, CmdBrowseImages, kTabHome, kGroupGoTo, L"Images",
     L"Browse the images of all notes", NO_KEY},
    {IDM_INC_SEARCH, nullptr, CmdIncSearch, kTabHome, kGroupGoTo, L"In note", L"Search inside the note", NO_KEY},
    // Home: format
    {IDM_TOGGLE_HEADING, nullptr, CmdToggleHeading, kTabHome, kGroupFormat, L"Heading",
     L"Make the line a heading, or plain text again", NO_KEY},
    // Home: format and edit (the editor's own keys act on their own; shown, not accelerators)
    {IDM_EDIT_BOLD, nullptr, CmdEditBold, kTabHome, kGroupFormat, L"Bold", L"Bold text (Ctrl+B)", NO_KEY},
    {IDM_EDIT_ITALIC, nullptr, CmdEditItalic, kTabHome, kGroupFormat, L"Italic", L"Italic text (Ctrl+I)", NO_KEY},
    {IDM_EDIT_STRIKE, nullptr, CmdEditStrike, kTabHome, kGroupFormat, L"Strike", L"Strike-through text (Ctrl+D)",
     NO_KEY},
    {IDM_EDIT_HYPERLINK, nullptr, CmdEditHyperlink, kTabHome, kGroupFormat, L"Link",
     L"Make the selection a hyperlink (Ctrl+K)", NO_KEY},
    {IDM_EDIT_CUT, nullptr, CmdEditCut, kTabHome, kGroupEdit, L"Cut", L"Cut the selection (Ctrl+X)", NO_KEY},
    {IDM_EDIT_COPY, nullptr, CmdEditCopy, kTabHome, kGroupEdit, L"Copy", L"Copy the selection (Ctrl+C)", NO_KEY},
    {IDM_EDIT_PASTE, nullptr, CmdEditPaste, kTabHome, kGroupEdit, L"Paste", L"Paste text (Ctrl+V)", NO_KEY},
    {IDM_EDIT_UNDO, nullptr, CmdEditUndo, kTabHome, kGroupEdit, L"Undo", L"Undo the last change (Ctrl+Z)", NO_KEY},
    {IDM_EDIT_REDO, nullptr, CmdEditRedo, kTabHome, kGroupEdit, L"Redo", L"Redo the change undone (Ctrl+Y)",
     NO_KEY},
    {IDM_EDIT_ZOOM, nullptr, CmdEditZoom, kTabHome, kGroupEdit, L"100 %",
     L"The editor's zoom: click for 100 % (Ctrl+- and Ctrl++ change it)", NO_KEY},
    // File
    {IDM_FILE_PANEL, nullptr, CmdFilePanel, kTabFile, kGroupFile, L"File...", L"The file panel", {FALT, 'F'}},
    {IDM_NEW_DATAFILE, nullptr, CmdNewDatafile, kTabFile, kGroupFile, L"New file", L"Create a new data file",
     NO_KEY},
    {IDM_OPEN_DATAFILE, nullptr, CmdOpenDatafile, kTabFile, kGroupFile, L"Open", L"Open a data file",
     {FCONTROL, 'O'}},
    {IDM_SAVE_COPY, nullptr, CmdSaveCopy, kTabFile, kGroupFile, L"Copy", L"Save a copy of the data file", NO_KEY},
    {IDM_PRINT_NOTE, nullptr, CmdPrintNote, kTabFile, kGroupFile, L"Print", L"Print the note", {FCONTROL, 'P'}},
    {IDM_PAGE_SETUP_PRINT, nullptr, CmdPageSetupPrint, kTabFile, kGroupFile, L"Page...",
     L"Choose the page, then print", NO_KEY},
    // File: capture
    {IDM_CAPTURE_WEB, nullptr, CmdCaptureWeb, kTabFile, kGroupFile, L"Capture Web",
     L"Capture the page of a web browser: click the browser's window", NO_KEY},
    {IDM_CAPTURE_SCREENSHOT, nullptr, CmdCaptureScreenshot, kTabFile, kGroupFile, L"Screenshot",
     L"Take a picture of the screen (Alt+S in QuickSearch)",
     NO_KEY},
    // Options
    {IDM_TOGGLE_RIBBON, nullptr, CmdToggleRibbon, kTabOptions, kGroupView, L"Ribbon", L"Hide or show the ribbon",
     {0, VK_F10}},
    {IDM_REFRESH_NOTES, nullptr, CmdRefreshNotes, kTabOptions, kGroupView, L"Reload", L"Save and reload the notes",
     {0, VK_F5}},
    {IDM_SYNC_SETTINGS, nullptr, CmdSyncSettings, kTabOptions, kGroupView, L"ShareSync",
     L"Choose the sync and share folders", NO_KEY},
    // Help
    {IDM_HELP, nullptr, CmdHelp, kTabHelp, kGroupProgram, L"Help", L"Open the help page", {0, VK_F1}},
    {IDM_SHORTCUTS, nullptr, CmdShortcuts, kTabHelp, kGroupLearning, L"Keys", L"View shortcut keys", NO_KEY},
    {IDM_ABOUT, nullptr, CmdAbout, kTabHelp, kGroupProgram, L"About", L"About Orvanta Tavik", NO_KEY},
    {IDM_EXIT, nullptr, CmdExit, kTabHelp, kGroupProgram, L"Exit", L"Save everything and close Tavik", NO_KEY},
    {IDM_GETTING_STARTED, nullptr, CmdGettingStarted, kTabHelp, kGroupLearning, L"Get Started",
     L"The getting started guide", NO_KEY},
    {IDM_INTRO, nullptr, CmdIntro, kTabHelp, kGroupLearning, L"Intro", L"A short introduction to Tavik", NO_KEY},
    {IDM_TIP_OF_DAY, nullptr, CmdTipOfDay, kTabHelp, kGroupLearning, L"Tip", L"Tip of the day (Alt+T in the editor)",
     NO_KEY},
    // Started again while in front.
    {kCommandActivatedAgain & 0xFFFF, nullptr, CmdActivatedAgain, kNoRibbonTab, 0, nullptr, nullptr, NO_KEY},
    // The content window's by-name commands.
    BY_NAME("ReadAndShowNote", FwdReadAndShowNote),
    BY_NAME("ShowDialog", FwdShowDialog),
    BY_NAME("PaintImagePreview", FwdPaintImagePreview),
    BY_NAME("CaptureWindow", FwdCaptureWindow),
    BY_NAME("ToggleIncSearch", FwdToggleIncSearch),
    BY_NAME("RibbonMouseMove", FwdRibbonMouseMove),
    BY_NAME("ChangeRTFfont", FwdChangeRtfFont),
    BY_NAME("ChangeRTFfontSize", FwdChangeRtfFontSize),
    BY_NAME("ChangeRTFfontZoom", FwdChangeRtfFontZoom),
    BY_NAME("HideQuickPreview", FwdHideQuickPreview),
    BY_NAME("HideControlsNoFile", FwdHideControlsNoFile),
    BY_NAME("UpdateSplitter", FwdUpdateSplitter),
};

const int FrameCommandCount = (int)(sizeof FrameCommandTable / sizeof FrameCommandTable[0]);

const CommandRow* FindCommandById(UINT id)
{
    if (!id) return nullptr;
    for (const CommandRow& row : FrameCommandTable)
        if (row.id == id) return &row;
    return nullptr;
}

const CommandRow* FindCommandByHash(uint32_t hash)
{
    // Each name is hashed once.
    static uint32_t hashes[sizeof FrameCommandTable / sizeof FrameCommandTable[0]];
    static int hashed = 0;
    if (!hashed) {
        for (int i = 0; i < FrameCommandCount; i++)
            hashes[i] = FrameCommandTable[i].name ? HashName(FrameCommandTable[i].name) : 0;
        hashed = 1;
    }
    for (int i = 0; i < FrameCommandCount; i++)
        if (FrameCommandTable[i].name && hashes[i] == hash) return &FrameCommandTable[i];
    return nullptr;
}

LRESULT RunCommandById(HWND window, WPARAM wParam, LPARAM lParam, int* handled)
{
    TRACE_SCOPE(kTraceFrame, 1);
    const CommandRow* row = FindCommandById(LOWORD(wParam));
    *handled = row != nullptr;
    return row ? row->handler(window, wParam, lParam) : 0;
}

LRESULT RunCommandByHash(HWND window, uint32_t hash, LPARAM argument)
{
    TRACE_SCOPE(kTraceForwarded, 1);
    const CommandRow* row = FindCommandByHash(hash);
    if (!row) return 0;
    row->handler(window, hash, argument);
    return 1;
}

void FormatCommandKey(const CommandKey& key, AIString& out)
{
    out.Clear();
    if (!key.virtualKey) return;
    if (key.modifiers & FCONTROL) out.AppendText(L"Ctrl+");
    if (key.modifiers & FALT) out.AppendText(L"Alt+");
    if (key.modifiers & FSHIFT) out.AppendText(L"Shift+");
    WORD vk = key.virtualKey;
    if (vk >= VK_F1 && vk <= VK_F24) {
        out.AppendText(L"F");
        out.AppendInt(vk - VK_F1 + 1);
    } else if (vk == VK_LEFT) {
        out.AppendText(L"Left");
    } else if (vk == VK_RIGHT) {
        out.AppendText(L"Right");
    } else {
        WCHAR letter[2] = {(WCHAR)vk, 0};
        out.AppendText(letter);
    }
}

void CommandHelpText(const CommandRow& row, AIString& out)
{
    out.AssignText(row.help ? row.help : L"");
    AIString key;
    FormatCommandKey(row.key, key);
    if (key.IsEmpty()) return;
    out.AppendText(L" (");
    out.AppendString(key);
    out.AppendText(L")");
}

HACCEL CreateCommandAccelerators()
{
    ACCEL keys[sizeof FrameCommandTable / sizeof FrameCommandTable[0]];
    int count = 0;
    for (const CommandRow& row : FrameCommandTable) {
        if (!row.key.virtualKey || !row.id) continue;
        keys[count].fVirt = (BYTE)(FVIRTKEY | row.key.modifiers);
        keys[count].key = row.key.virtualKey;
        keys[count].cmd = row.id;
        count++;
    }
    return CreateAcceleratorTableW(keys, count);
}
