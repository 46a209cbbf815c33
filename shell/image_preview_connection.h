// The content window's image preview: the picture of the link under the
// mouse drawn beside the note list and editor (or over the whole window,
// page by page, when the image zoom is large), the timed thumbnail shown
// while stepping through links, the status line naming the file, its size
// and its note, and the way from an image file to its note.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "dialogs/images/image_preview_layout.h"

// What the hover and link code asks to preview.
enum ImagePreviewKind
{
    kImagePreviewNone = -1,
    kImagePreviewFitted = 1,   // beside the note list and editor
    kImagePreviewPaged = 2,    // over the content window, a tall picture page by page
};
// target: a file link ("rel:...", "file:...", "Open file:..." or a path).
// capturedPage: 1 for the snapshot of a captured web page.
void SetImagePreviewTarget(const WCHAR* target, ImagePreviewKind kind, int capturedPage);
const WCHAR* GetImagePreviewTarget();
// 1 while a picture is drawn in the content window.
int IsImagePreviewShown();
// 1 while a large picture covers the window page by page (it holds the keys).
int IsLargeImagePreviewShown();
// Takes the picture away: its area is repainted by the windows under it.
void HideImagePreview();

// The picture of the current target drawn at once. 1 when something was
// shown; 0 when there is no target or the file is missing (then the status
// line says so).
int PreviewImageFile(int fromCommand, int pageStep);

// Where a timed thumbnail is drawn: in the preview area (in split view the
// editor's pane), or beside the note list whatever the view.
enum ThumbnailPlace { kThumbnailInPreviewArea = 0, kThumbnailBesideList = 1 };

// In split view, the picture in the editor's place seen through by a step
// more (up 1) or less of the background (kept within 0 and 100 %); drawn
// again once kTimerPreviewRepaint fires. The level stays for the run.
void StepImagePreviewTransparency(int up);
int GetImagePreviewTransparency();
// The picture shown drawn again as it is (kTimerPreviewRepaint).
void RepaintShownImagePreview();
// The same after the content window painted over part of it.
void RepaintShownImagePreviewOver(const RECT& painted);

// The hover and stepping entry for a link that may name a picture: 1 when it
// does. now 1 with a thumbnail mode paints that thumbnail for a few seconds
// (at place); otherwise the picture is drawn at once when one is shown
// already or now is 1, else after the hover delay (kTimerImageHover).
int PreviewImageUnderCursor(const WCHAR* link, int now, int thumbnailMode, ThumbnailPlace place);
int PreviewImageUnderCursor(const WCHAR* link, int now, int thumbnailMode);

// The image zoom: 1 when pictures are drawn over the whole content window
// (page by page), 0 when beside the note list. A picture shown is drawn
// again at the new size; the status line says which.
void SetImageZoom(int large);
int IsImageZoomLarge();

// The picture the note shown names for QuickSearch's typed text (its link
// table's entry of that name, else "default", else its first picture), or
// its "web" snapshot, as a timed thumbnail beside the note list (in split
// view too, beside the typed note shown over the editor). Only while
// previews follow the typing, the link preview is idle, the note list is
// shown and the mouse is off it. 1 when a picture was chosen.
int ShowDefaultPreviewImage();

// The small thumbnail of link for a few seconds (kTimerThumbnail hides it).
int PaintThumbnailPreview(const WCHAR* link, ThumbnailPreviewMode mode,
                          ThumbnailPlace place = kThumbnailInPreviewArea);

// The title of the note a picture belongs to: the note whose text links its
// file name, the page a captured picture came from, or the note a pasted
// picture was named after. 1 when found.
int FindNoteOfImage(const WCHAR* path, AIString& title);

// A click at a screen point on the shown picture (drawn over the note list
// and the editor, which get the click): the picture's note is shown, as its
// caption offers. 1 when a note was shown; 0 (nothing done) off the picture or
// when the picture belongs to no note.
int OpenNoteOfClickedImage(POINT screen);

// Shows the note an image file was named after ("Trip_2011_05231020.png"
// belongs to the note "Trip"). Only stamped picture names are cut; any other
// file has no note. 1 when a note was shown.
int OpenNoteByFileName(const WCHAR* path);
