// Drag and drop. On the frame: a data file (.tavik) dropped from Explorer
// opens; anything else is refused, so nothing is half taken. On the editor:
// files, a file name, an address or text go into the note where they are
// dropped (a caret shows where while dragging), as pasting them would; a
// data file opens.
#pragma once
#include "foundation/win.h"

// 1 when the frame accepts drops (OLE must be initialised).
int RegisterFrameDropTarget(HWND frame);
void RevokeFrameDropTarget(HWND frame);
// The frame's drop target object (tests drop on it directly).
struct IDropTarget* FrameDropTarget();

// 1 when the editor accepts drops; a new editor window replaces the old one.
int RegisterEditorDropTarget(HWND editor);
void RevokeEditorDropTarget();
// The editor's drop target object (tests drop on it directly).
struct IDropTarget* EditorDropTargetObject();
