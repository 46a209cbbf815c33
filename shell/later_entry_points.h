// Shell entry points that the connections to the image preview and the
// dialogs implement, and the favourites. The shell calls them where they
// belong.
#pragma once
#include "foundation/win.h"

// Preview pane.
// Who asks for the image preview, what it shows, and a page step (-1, 0, +1).
enum PreviewRequest { kPreviewFromTimer = 0, kPreviewFromCommand = 1 };
enum PreviewContent { kPreviewWithImage = 0, kPreviewTextOnly = 1 };
// Pictures are drawn by the image preview (shell/image_preview_connection);
// every other target goes to the link preview pane (PaintLinkPreview).
void PaintImagePreview(PreviewRequest request, PreviewContent content, int pageStep);
void HideThumbnail();
// Dialogs.
void UpdateMessageBox(int mode);
void ShowDialogScreen(LPARAM argument);
int IsDialogCenterBusy();
void CloseMessageBoxForExit();
// The image preview's zoom and mode; favourites.
void ToggleImageZoom();
enum ImagePreviewModeChange { kImagePreviewModeLeave = 1 };
void ToggleImagePreviewMode(ImagePreviewModeChange change);
// Favourite slot 1 to 9 (Ctrl+1..9): opens its note, or says it is not
// defined; kFavouritesScreen runs the favourites screen and acts on its choice.
enum { kFavouritesScreen = -1 };
int OpenFavorite(int slot);
