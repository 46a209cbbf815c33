// Saving an edited picture through a temporary file and a replace.
#include "dialogs/screens/image_edit_save.h"
#include "dialogs/screens/image_paste_rules.h"
#include "foundation/ai_file.h"
#include "imaging/ai_image.h"

EditedImageSave SaveEditedImage(AIImage& image, const WCHAR* path, AIString& reason)
{
    reason.Clear();
    int type = EditedImageType(path);
    if (!type) {
        reason.AssignText(L"Only .png and .jpg images can be saved");
        return kEditedImageWrongType;
    }
    if (!image.IsValid()) {
        reason.AssignText(L"No image to save");
        return kEditedImageFailed;
    }
    DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        reason.AssignText(L"The image file is read-only");
        return kEditedImageFailed;
    }
    if (type == kImageJpg) image.SetJpegQuality(kEditedJpegQuality);
    uint8_t* bytes = nullptr;
    uint32_t size = 0;
    if (!image.EncodeToMemory(&bytes, &size, type) || !bytes || !size) {
        AIImage::FreeMemory(bytes);
        reason.AssignAscii(image.GetErrorText());
        return kEditedImageFailed;
    }
    // The file writer puts the bytes into a temporary file first and replaces
    // the original only once all of them are written.
    int written = AIFile::WriteBytesFile(path, nullptr, 0, bytes, (int)size);
    AIImage::FreeMemory(bytes);
    if (!written) {
        reason.AssignText(L"The image could not be written");
        return kEditedImageFailed;
    }
    return kEditedImageSaved;
}
