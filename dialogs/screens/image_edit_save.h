// Saving an edited picture back over its file: the type follows the file's
// extension, a read-only file is refused, and the file writer replaces the
// original only with a whole new file. On any failure the original is left
// as it was.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

class AIImage;

enum EditedImageSave
{
    kEditedImageSaved = 1,
    kEditedImageWrongType = 0,   // the extension is not one the picture can be saved as
    kEditedImageFailed = -1,     // nothing replaced; reason says why
};
EditedImageSave SaveEditedImage(AIImage& image, const WCHAR* path, AIString& reason);
const int kEditedJpegQuality = 90;
