// Writing a picture into the images folder under a name of its own.
#include "editor/images/image_save.h"
#include "editor/images/image_names.h"
#include "foundation/ai_file.h"
#include "imaging/ai_image.h"

namespace {

const int kMaxNumberedName = 999;

int EitherTypeExists(const AIString& base)
{
    AIString path(base);
    path.AppendText(L".png");
    if (AIFile::Exists(path.GetText())) return 1;
    path.Copy(base);
    path.AppendText(L".jpg");
    return AIFile::Exists(path.GetText());
}

// PNG (4) or JPEG (3), whichever the size rule picks; 0 when neither encodes.
int32_t ChooseType(AIImage& image)
{
    uint8_t* png = nullptr;
    uint8_t* jpeg = nullptr;
    uint32_t pngSize = 0, jpegSize = 0;
    int havePng = image.EncodeToMemory(&png, &pngSize, kImagePng);
    int haveJpeg = image.EncodeToMemory(&jpeg, &jpegSize, kImageJpg);
    if (png) AIImage::FreeMemory(png);
    if (jpeg) AIImage::FreeMemory(jpeg);
    if (!havePng && !haveJpeg) return 0;
    if (!haveJpeg) return kImagePng;
    if (!havePng) return kImageJpg;
    return (pngSize / kPngSizeFactor < jpegSize) ? kImagePng : kImageJpg;
}

}  // namespace

ImageSaveResult SaveImageFile(AIImage& image, const ImageSaveRequest& request, AIString& path)
{
    path.Clear();
    if (!image.IsValid()) return kImageSaveFailed;
    image.AlphaDelete();
    image.SetJpegQuality(kPastedImageJpegQuality);
    int32_t type = ChooseType(image);
    if (!type) return kImageSaveFailed;

    AIString base, numbered;
    MakeImageFileBase(request.imagesFolder, request.name, request.stamp, base);
    if (!request.replaceSameName) {
        int number = 1;
        while (EitherTypeExists(base)) {
            if (++number > kMaxNumberedName) return kImageNoRoom;
            numbered.AssignText(request.name ? request.name : L"");
            numbered.AppendChar(L'_').AppendInt(number);
            MakeImageFileBase(request.imagesFolder, numbered.GetText(), request.stamp, base);
        }
    }
    if (!AIFile::PathExists(request.imagesFolder)) CreateDirectoryW(request.imagesFolder, nullptr);
    path.Copy(base);
    path.AppendText(type == kImagePng ? L".png" : L".jpg");
    if (!image.Save(path.GetText(), type)) {
        path.Clear();
        return kImageSaveFailed;
    }
    if (request.replaceSameName) {
        // The other type of the same capture would be an old picture of the page.
        AIString other(base);
        other.AppendText(type == kImagePng ? L".jpg" : L".png");
        AIFile::DeleteQuiet(other.GetText());
    }
    return kImageSaved;
}
