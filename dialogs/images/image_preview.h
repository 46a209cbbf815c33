// The image preview of the content window: the picture of a link drawn into
// a device context, fitted into the preview area or page by page, and the
// small thumbnail shown for a few seconds while the user steps through
// links. The decoded picture is kept until another file is asked for; a file
// of kLargeImageFileBytes or more is shown from its screen-size copy.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "dialogs/images/image_preview_layout.h"

struct ImagePreviewRequest
{
    const WCHAR* path = nullptr;        // the picture file (resolved, no "rel:" or "file:")
    RECT area = {0, 0, 0, 0};           // where it goes, in the device context's coordinates
    int fromCommand = 0;                // 1: always fitted; 0: small pictures stay 1:1
    int pageByPage = 0;                 // 1: a tall picture is cut into pages side by side
    int capturedPage = 0;               // 1: a captured web page (fills the width, never enlarged)
    int firstPage = 0;                  // the page shown first before pageStep
    int pageStep = 0;                   // -1, 0, +1
    const WCHAR* tempFolder = nullptr;  // where the screen-size copies are kept
    int screenWidth = 0;                // the size of a screen-size copy
    int screenHeight = 0;
    COLORREF background = RGB(255, 255, 255);
    int transparency = kPictureOpaque;  // percent of the background showing through the picture
};

enum ImagePreviewOutcome
{
    kImagePreviewMissing = 0,   // the file does not exist: nothing drawn
    kImagePreviewShown = 1,     // drawn
    kImagePreviewUnreadable = 2 // the file is there but could not be decoded: the area stays empty
};

struct ImagePreviewResult
{
    ImagePreviewOutcome outcome = kImagePreviewMissing;
    int64_t fileBytes = 0;
    int fromThumbnail = 0;  // 1 when the screen-size copy stands in for a large file
    int width = 0;          // the decoded picture drawn
    int height = 0;
    int scale = kScaleOneToOne;
    int page = 0;           // page by page: the first page shown and the page count
    int pageCount = 0;
    int decoded = 0;        // 1 when the picture had to be decoded (not kept from before)
    RECT painted = {0, 0, 0, 0};  // every pixel drawn, the frames round the picture included
};

// Draws the picture of request.path into dc. Nothing is drawn for a
// zero-size area.
ImagePreviewOutcome PaintImagePreviewInto(HDC dc, const ImagePreviewRequest& request, ImagePreviewResult& result);

// Forgets the kept picture (its memory is freed).
void FreeImagePreview();

// The status line caption of a preview: "Click to open note '<title>'" when
// the picture belongs to a note, else "Preview: name (n kb)" with the
// thumbnail remark and the picture's place; " - Scaled Size: n %" when it
// was drawn at another scale.
struct ImagePreviewCaption
{
    const WCHAR* fileName = L"";
    const WCHAR* noteTitle = L"";     // empty: the picture belongs to no note
    const WCHAR* place = L"";         // "rel:\images\a.png" or the full path
    int64_t fileBytes = 0;
    int fromThumbnail = 0;
    int scale = kScaleOneToOne;
};
void MakeImagePreviewCaption(const ImagePreviewCaption& parts, AIString& text);

// The small timed thumbnail: the ".thumb" (kThumbnailScreen) or ".icon"
// (kThumbnailSmall) copy of the picture drawn over a lightened area with the
// caption "Preview: " + name. 1 when drawn.
struct ThumbnailPreviewRequest
{
    const WCHAR* path = nullptr;  // the picture file (resolved)
    RECT area = {0, 0, 0, 0};
    ThumbnailPreviewMode mode = kThumbnailScreen;
    const WCHAR* tempFolder = nullptr;
    int screenWidth = 0;
    int screenHeight = 0;
};
int PaintThumbnailPreviewInto(HDC dc, const ThumbnailPreviewRequest& request);
