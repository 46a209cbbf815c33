// The editor's mouse: links under the pointer are tinted and described, a
// click without a drag follows them, the right button opens the editor's
// menu, the extra buttons go back and forward through the notes shown.
#pragma once
#include "foundation/win.h"

// The tints of the link under the pointer, one per kind.
const COLORREF kHoverTintHyperlink = RGB(230, 230, 255);
const COLORREF kHoverTintNoteLink = RGB(255, 230, 230);
const COLORREF kHoverTintTag = RGB(230, 255, 230);

// The handlers NoteEditorProc gives the mouse messages to.
LRESULT EditorMouseMove(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditorLeftButtonDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditorLeftButtonUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditorDoubleClick(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditorRightButtonDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditorRightButtonUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditorExtraButtonUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditorCaptureChanged(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditorWheel(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The pointer hides while the user types and shows again when a modifier
// goes down or the mouse is used (a move of more than a few pixels).
void HidePointerWhileTyping();
void ShowPointerAgain();
// The link under the pointer: its range (0, 0 when none) and mark.
void GetHoveredLink(int32_t* start, int32_t* end, int32_t* mark);
// Forgets the hovered link and removes its tint (a note is being replaced).
void ForgetHoveredLink();

// The right-click menu at a client point; returns the command carried out (0: none).
UINT ShowEditorContextMenu(HWND window, POINT clientPoint);
// Carries out a command of the menu.
void CarryOutMenuCommand(UINT command);
