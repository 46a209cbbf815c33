// Split view (Alt+V): previews take the editor's pane. The note the
// QuickSearch text names shows there at once, a link's target covers the
// editor, and a picture is drawn in the editor's place while the editor
// itself is hidden. Off, previews show beside the editor as before.
#pragma once
#include "foundation/win.h"

// Switches split view on or off and says so on the status line.
void ToggleSplitView();
// The editor's pane for a picture: the editor hidden while the picture is
// drawn in its place (its keys stay with it), shown again afterwards.
void HideEditorForPicture();
void ShowEditorAfterPicture();
// 1 while a picture stands in the editor's place.
int IsEditorHiddenForPicture();
// The content window's mouse moved (client point): a picture in the
// editor's place goes once the mouse moves on, as a link preview does.
void SplitViewMouseMoved(POINT at);
