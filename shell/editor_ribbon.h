// The ribbon's editing controls: which command stands for which of the
// editor's controls, their states as the editor computes them, their
// refusals, the zoom control's text, and their states while QuickSearch has
// the focus (the editing controls off, the note's controls by the typed title).
#pragma once
#include "editor/keys/editor_links.h"

// The ribbon command of an editing control (0: none on this ribbon).
UINT RibbonCommandOf(EditorRibbonControl control);
void SetRibbonControl(EditorRibbonControl control, int enabled, int pressed);
// Why a control refuses ("" when it has nothing to say), and the same on
// the status line.
const WCHAR* RibbonRefusalText(EditorRibbonControl control);
void ShowRibbonHelp(EditorRibbonControl control);
// The editing control a ribbon command stands for (kRibbonControlCount: none).
EditorRibbonControl EditorControlOfCommand(UINT command);
// The zoom control's caption ("120 %").
void ShowRibbonZoom(int32_t percent);

// QuickSearch took the focus: every editing control is off, and the note's
// own controls (Rename, Delete) are on where the data file can change.
void RibbonForQuickSearch();
// The typed title names another note than the one shown: the note's own
// controls are off while it does (they would act on the note shown).
void RibbonForTypedTitle(int namesAnotherNote);
