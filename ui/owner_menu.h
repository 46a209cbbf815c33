// Owner-drawn menus: items of a pop-up menu are drawn by the program in the
// toolkit's colours. The owner window routes WM_MEASUREITEM and WM_DRAWITEM here.
#pragma once
#include "foundation/win.h"

// Makes every item of the menu (not its sub-menus) owner-drawn, keeping a copy
// of each item's text. Returns the number of items converted.
int MakeMenuOwnerDrawn(HMENU menu);
// WM_MEASUREITEM for a menu item: 1 when handled.
int MeasureOwnerMenuItem(HWND owner, MEASUREITEMSTRUCT* item);
// WM_DRAWITEM for a menu item: 1 when handled.
int DrawOwnerMenuItem(const DRAWITEMSTRUCT* item);
// Frees the kept item texts (after the menu is destroyed).
void ReleaseOwnerMenuTexts();
