// The per-image caches: a screen-size JPEG copy (".thumb") with the
// picture's own size beside it (".size"), and a 300 x 300 JPEG icon made
// from the copy (".icon"), all in the temporary folder, made on first need
// and made again when the image is newer than its copy.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

struct ThumbRequest
{
    const WCHAR* imagePath = nullptr;   // the image file itself
    const WCHAR* tempFolder = nullptr;  // holds the "thumb" and "icon" folders
    int screenWidth = 0;                // the screen-size copy fits this
    int screenHeight = 0;
};

struct ThumbResult
{
    int made = 0;        // 1 when a file had to be made (0: both were fresh)
    AIString reason;     // why the image was skipped, empty on success
    AIString thumbPath;  // the two cache files
    AIString iconPath;
    int imageWidth = 0;  // the picture's own size, recorded with its thumbnail
    int imageHeight = 0;
    int copyWidth = 0;   // the canvas of the screen-size copy (the screen's size)
    int copyHeight = 0;
};

// 1 when both cache files exist and are fresh afterwards; 0 when the name is
// not an image type, the image cannot be read or a file cannot be written
// (result.reason says which; files that were there stay).
int LoadOrMakeThumbFile(const ThumbRequest& request, ThumbResult& result);

const int kThumbJpegQuality = 85;
const int kIconJpegQuality = 90;
