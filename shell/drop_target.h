// Drag and drop on the frame: a data file (.tavik) dropped from Explorer
// opens; anything else is refused, so nothing is half taken.
#pragma once
#include "foundation/win.h"

// 1 when the frame accepts drops (OLE must be initialised).
int RegisterFrameDropTarget(HWND frame);
void RevokeFrameDropTarget(HWND frame);
// The frame's drop target object (tests drop on it directly).
struct IDropTarget* FrameDropTarget();
