// Where the QuickSearch preview pane shows a note: in its own place under the
// note list, or over the editor's pane. It lies over the editor while split
// view is on, and whenever instant preview is off (then only a forced preview
// fills it); it goes back to its place once the box has given the focus away
// or the note it shows is the one in the editor.
#pragma once
#include "foundation/win.h"

// 1 when a note preview of the pane belongs over the editor now.
int QuickPreviewBelongsOverEditor();
// Lays the pane over the editor (a little larger than it, above it in Z order).
void PlaceQuickPreviewOverEditor();
// The pane back in its own place; 1 when it had been over the editor.
int ReturnQuickPreview();
int IsQuickPreviewOverEditor();
// After each message of the box: back in its place when it has no reason to
// cover the editor any more (previewed: the note it shows, -1 none).
void FollowQuickPreviewPlace(int32_t previewed);
