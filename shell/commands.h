// The handlers of the command table: commands by id (ribbon controls and
// accelerators) and the content window's commands by name.
#pragma once
#include "ui/window_table.h"

LRESULT CmdNewNote(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdRenameNote(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdDeleteNote(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdFavourites(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdFavourite(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdFilePanel(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdAbout(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdSyncSettings(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdShortcuts(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdBrowseImages(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdGettingStarted(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdIntro(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdTipOfDay(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdSaveNote(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdNavigateBack(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdNavigateForward(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdQuickSearch(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdIncSearch(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdToggleHeading(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdNewDatafile(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdOpenDatafile(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdSaveCopy(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdPrintNote(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdPageSetupPrint(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdToggleRibbon(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdRefreshNotes(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdHelp(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdExit(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdActivatedAgain(HWND window, WPARAM wParam, LPARAM lParam);
// Capture (shell/capture_connection.cpp).
LRESULT CmdCaptureWeb(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdCaptureScreenshot(HWND window, WPARAM wParam, LPARAM lParam);
// The ribbon's editing controls (shell/editor_ribbon.cpp).
LRESULT CmdEditBold(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdEditItalic(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdEditStrike(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdEditHyperlink(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdEditCut(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdEditCopy(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdEditPaste(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdEditUndo(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdEditRedo(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdEditZoom(HWND window, WPARAM wParam, LPARAM lParam);

// By name: wParam is the name's hash, lParam the argument.
LRESULT FwdReadAndShowNote(HWND window, WPARAM hash, LPARAM argument);
LRESULT FwdShowDialog(HWND window, WPARAM hash, LPARAM argument);
LRESULT FwdPaintImagePreview(HWND window, WPARAM hash, LPARAM argument);
LRESULT FwdCaptureWindow(HWND window, WPARAM hash, LPARAM argument);
LRESULT FwdToggleIncSearch(HWND window, WPARAM hash, LPARAM argument);
LRESULT FwdRibbonMouseMove(HWND window, WPARAM hash, LPARAM argument);
LRESULT FwdChangeRtfFont(HWND window, WPARAM hash, LPARAM argument);
LRESULT FwdChangeRtfFontSize(HWND window, WPARAM hash, LPARAM argument);
LRESULT FwdChangeRtfFontZoom(HWND window, WPARAM hash, LPARAM argument);
LRESULT FwdHideQuickPreview(HWND window, WPARAM hash, LPARAM argument);
LRESULT FwdHideControlsNoFile(HWND window, WPARAM hash, LPARAM argument);
LRESULT FwdUpdateSplitter(HWND window, WPARAM hash, LPARAM argument);
