// The frame's command handlers: each runs one shell command.
#include "shell/commands.h"
#include "shell/note_commands.h"
#include "shell/file_commands.h"
#include "shell/frame_window.h"
#include "shell/main_panel.h"
#include "shell/shutdown.h"
#include "shell/shell_ids.h"
#include "shell/read_only_notice.h"
#include "foundation/trace.h"
#include "ui/shell_helpers.h"
#include "shell/later_entry_points.h"
#include "dialogs/screen_launchers.h"
#include "resources/resource_ids.h"

LRESULT CmdNewNote(HWND, WPARAM, LPARAM) { return CreateNewNote(kNewNoteEmpty); }
LRESULT CmdRenameNote(HWND, WPARAM, LPARAM) { return RenameCurrentNote(); }
LRESULT CmdDeleteNote(HWND, WPARAM, LPARAM) { return DeleteCurrentNote(); }
LRESULT CmdFavourites(HWND, WPARAM, LPARAM) { return OpenFavorite(kFavouritesScreen); }
LRESULT CmdFavourite(HWND, WPARAM wParam, LPARAM) { return OpenFavorite(LOWORD(wParam) - IDM_FAVOURITE_FIRST + 1); }
LRESULT CmdFilePanel(HWND, WPARAM, LPARAM) { return HandleFileCommand(); }
LRESULT CmdAbout(HWND, WPARAM, LPARAM) { return ShowAboutScreen(); }
LRESULT CmdSyncSettings(HWND, WPARAM, LPARAM) { return ShowSyncSettingsScreen(); }
LRESULT CmdShortcuts(HWND, WPARAM, LPARAM) { return ShowShortcutsScreen(); }
LRESULT CmdBrowseImages(HWND, WPARAM, LPARAM)
{
    SaveCurrentNote(kSaveAskOnFailure);  // the browser finds images in the stored text
    return BrowseLinksScreen();
}
LRESULT CmdGettingStarted(HWND, WPARAM, LPARAM) { return ShowGettingStartedScreen(); }
LRESULT CmdIntro(HWND, WPARAM, LPARAM) { return ShowWelcomeScreen(); }
LRESULT CmdTipOfDay(HWND, WPARAM, LPARAM) { return ShowTipOfDayScreen(); }

LRESULT CmdSaveNote(HWND, WPARAM, LPARAM)
{
    if (RefuseWhenReadOnly(kMsgReadOnlyNoChanges)) return 0;
    int saved = SaveCurrentNote(kSaveAskOnFailure);
    if (saved) SetStatusText(L"Note saved", kStatusDone);
    return saved;
}

LRESULT CmdNavigateBack(HWND, WPARAM, LPARAM) { return NavigateBack(); }
LRESULT CmdNavigateForward(HWND, WPARAM, LPARAM) { return NavigateForward(); }
LRESULT CmdQuickSearch(HWND, WPARAM, LPARAM) { return ShowQuickSearch(kFocusQuickSearch); }
LRESULT CmdIncSearch(HWND, WPARAM, LPARAM) { return ToggleIncSearch(g_mainPanel.incSearchOn ? kIncSearchCloseKeepMatch : kIncSearchOpen); }
LRESULT CmdToggleHeading(HWND window, WPARAM, LPARAM) { return ToggleHeading(window, kHeadingToggle); }
LRESULT CmdNewDatafile(HWND, WPARAM, LPARAM) { return CreateNewDatafile(); }
LRESULT CmdOpenDatafile(HWND, WPARAM, LPARAM) { return OpenDatafileDialog(); }
LRESULT CmdSaveCopy(HWND, WPARAM, LPARAM) { return SaveCopyOfDatafile(); }
LRESULT CmdPrintNote(HWND, WPARAM, LPARAM) { return PrintNote(kPrintDefaultPage); }
LRESULT CmdPageSetupPrint(HWND, WPARAM, LPARAM) { return PrintNote(kPrintWithPageSetup); }

LRESULT CmdToggleRibbon(HWND, WPARAM, LPARAM)
{
    SetRibbonMode(g_frame.ribbonMode ? 0 : 1);
    return 1;
}

LRESULT CmdRefreshNotes(HWND, WPARAM, LPARAM) { return RefreshNotes(); }

LRESULT CmdHelp(HWND window, WPARAM, LPARAM)
{
    AIString path;
    GetProgramDataFolder(path);
    path.AppendText(L"\\help.html");
    return OpenInShell(window, nullptr, path.GetText(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT CmdExit(HWND, WPARAM, LPARAM) { return ShutdownApplication(); }

// Started again while in front: the user wants to find a note.
LRESULT CmdActivatedAgain(HWND, WPARAM, LPARAM) { return ShowQuickSearch(kFocusQuickSearch); }
