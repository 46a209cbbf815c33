// The image browser (screen 22): what its tests reach. It opens through
// BrowseLinksScreen (dialogs/screen_launchers.h).
#pragma once
#include "foundation/win.h"

struct ImageBrowserModel;

// The images folder the browser lists (null or empty: the data folder's
// "images" folder) and its list cache (null: the notes folder's).
void SetImageBrowserFolders(const WCHAR* imagesFolder, const WCHAR* cachePath);
// 1 while the page's thumbnails are made (input waits meanwhile).
int ImageBrowserPreparing();
// The browser's state while it runs.
const ImageBrowserModel& ImageBrowserState();
// Cells drawn by the last paint of the grid and their rectangles.
int ImageBrowserCellCount();
RECT ImageBrowserCell(int cell);
// The title of the note of the image shown large (empty when unknown).
const WCHAR* ImageBrowserNoteTitle();
// The caption line of the large view: the note to open and the words around
// the picture's link, or the picture's web address.
const WCHAR* ImageBrowserCaption();
// The hint area's text: the hovered button's hint, the tip for many pages,
// or in the large view how a tall picture scrolls.
const WCHAR* ImageBrowserHint();
// The rectangle of the caption line that opens that note.
RECT ImageBrowserCaptionBand();
