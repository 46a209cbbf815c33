// The ribbon under the pointer: a control's help (or why it refuses) on the
// status line, and the hover highlight fading out once the pointer has left
// the ribbon for the panes below it.
#pragma once
#include "foundation/win.h"

// The pointer entered the panes: no ribbon control stays lit; the one that
// was fades out on the content window's ribbon timer.
void ResetRibbonHover();
// One tick of the fade; the timer stops with it.
void StepRibbonAnimation();
// mode 2: the pointer rests on the control `controlId`: its help text, or
// for a disabled editing control why it is off.
void RibbonMouseMove(int mode, LPARAM controlId);
