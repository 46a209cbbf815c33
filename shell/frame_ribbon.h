// The ribbon of the frame and the controls it hosts. The controls are global
// objects, so each has its command id before WinMain.
#pragma once
#include "ui/ribbon.h"
#include "ui/ai_control.h"

extern Ribbon g_ribbon;

// Builds the tabs and groups and attaches the ribbon to the frame.
void BuildRibbon(HWND frame, int width);
// Height of the ribbon band in the current display mode.
int RibbonBandHeight();
// Whether a screen point is over the ribbon as shown (tabStripOnly: over
// its tab strip).
int IsOverRibbon(POINT screen, int tabStripOnly);
// The wheel turned at a screen point over the ribbon steps through the tabs:
// down to the next, up to the previous. 1 when the point was over it.
int TurnRibbonTabsAt(POINT screen, int wheelDelta);
