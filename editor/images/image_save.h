// Saving a pasted or captured picture into the data folder's "images"
// folder: the smaller of PNG and JPEG (PNG unless it is at least three times
// the JPEG's size), under the note's name and the minute stamp, never over
// another picture: a name already taken gets "_2", "_3", ... before the stamp.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

class AIImage;

struct ImageSaveRequest
{
    const WCHAR* imagesFolder = nullptr;  // without a trailing backslash
    const WCHAR* name = nullptr;          // the note's title (or a name from an address)
    const WCHAR* stamp = nullptr;         // MakeImageStamp; null for a web capture
    int replaceSameName = 0;              // a web capture of the same address replaces its image
};

enum ImageSaveResult
{
    kImageSaved = 1,
    kImageSaveFailed = 0,  // nothing written; a file that was there is kept
    kImageNoRoom = -1,     // every numbered name is taken
};

// Saves image (its alpha plane dropped); path receives the file written.
ImageSaveResult SaveImageFile(AIImage& image, const ImageSaveRequest& request, AIString& path);
const int kPastedImageJpegQuality = 85;
// PNG is kept while a third of its size is below the JPEG's.
const uint32_t kPngSizeFactor = 3;
