// The handlers of the frame's command table (ribbon controls and accelerators).
#pragma once
#include "ui/window_table.h"

LRESULT CmdNewNote(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CmdRenameNote(HWND window, WPARAM wParam, LPARAM lParam);
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
