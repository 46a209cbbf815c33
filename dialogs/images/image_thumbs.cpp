// Making and reusing the ".thumb" and ".icon" files of an image.
#include "dialogs/images/image_thumbs.h"
#include "dialogs/images/image_list_rules.h"
#include "foundation/ai_file.h"
#include "imaging/ai_image.h"

namespace {

const RGBQUAD kThumbCanvas = {255, 255, 255, 0};
const RGBQUAD kIconCanvas = {10, 10, 10, 0};
const int kSizeRecordMaxBytes = 32;

// The last write time of a file; 0 when it does not exist.
int GetWriteTime(const WCHAR* path, FILETIME& time)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return 0;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    time = data.ftLastWriteTime;
    return 1;
}

int IsFresh(const FILETIME* source, const WCHAR* cachePath)
{
    FILETIME cached;
    if (!GetWriteTime(cachePath, cached)) return 0;
    return !IsThumbStale(source, &cached);
}

// Creates the folder of path and every missing folder above it (the
// program's temporary folder may not exist yet). A failure shows as the
// failed save that follows.
void EnsureFolderOf(const WCHAR* path)
{
    AIString folder(path);
    folder.SplitAtChar(L'\\', 0, 1);
    if (folder.IsEmpty() || AIFile::PathExists(folder.GetText())) return;
    EnsureFolderOf(folder.GetText());
    CreateDirectoryW(folder.GetText(), nullptr);
}

int Fail(ThumbResult& result, const char* what, const char* detail)
{
    result.reason.AssignAscii(what);
    if (detail && *detail) {
        result.reason.AppendText(L": ");
        result.reason.AppendAscii(detail);
    }
    return 0;
}

// The size record of a thumbnail; 0 when it is missing or damaged.
int ReadSizeRecord(const WCHAR* path, int& width, int& height)
{
    AIFile file;
    if (!AIFile::PathExists(path) || !file.OpenForRead(path, 0)) return 0;
    AIString text;
    return file.ReadToText(text, kSizeRecordMaxBytes) && ParseImageSizeRecord(text.GetText(), width, height);
}

int WriteSizeRecord(const WCHAR* path, int width, int height)
{
    AIString text;
    FormatImageSizeRecord(width, height, text);
    char bytes[kSizeRecordMaxBytes];
    int n = 0;
    for (; n < text.GetLength() && n < kSizeRecordMaxBytes; n++) bytes[n] = (char)text.CharAt(n);
    return AIFile::WriteBytesFile(path, nullptr, 0, bytes, n);
}

// Loads source (fitted to width x height), pads it on the canvas and saves it
// as JPEG; sourceSize (when given) receives the picture's own size.
int MakeJpegCopy(const WCHAR* source, int32_t type, int width, int height, RGBQUAD canvas, int quality,
                 const WCHAR* destination, ThumbResult& result, SIZE* sourceSize = nullptr)
{
    // Only a PNG or JPEG is read at a reduced scale; any other picture too
    // large to hold whole is refused before it is decoded.
    int32_t ownWidth = 0, ownHeight = 0, format = 0;
    if (ReadImageFileSize(source, &ownWidth, &ownHeight, &format) && format != kImagePng && format != kImageJpg &&
        IsTooLargeToHold(ownWidth, ownHeight))
        return Fail(result, "cannot read the image", "Image is too large");
    AIImage image;
    image.SetLoadFit(width, height);
    if (!image.Load(source, type) || !image.IsValid()) return Fail(result, "cannot read the image", image.GetErrorText());
    if (sourceSize) *sourceSize = {image.GetFileWidth(), image.GetFileHeight()};
    AIImage fitted;
    if (!image.Thumbnail(width, height, canvas, &fitted)) return Fail(result, "cannot reduce the image", image.GetErrorText());
    fitted.SetJpegQuality(quality);
    EnsureFolderOf(destination);
    if (!fitted.Save(destination, kImageJpg)) return Fail(result, "cannot write the thumbnail", fitted.GetErrorText());
    result.made = 1;
    return 1;
}

}  // namespace

int LoadOrMakeThumbFile(const ThumbRequest& request, ThumbResult& result)
{
    result.made = 0;
    result.reason.Clear();
    result.imageWidth = result.imageHeight = 0;
    result.copyWidth = request.screenWidth > 0 ? request.screenWidth : GetSystemMetrics(SM_CXSCREEN);
    result.copyHeight = request.screenHeight > 0 ? request.screenHeight : GetSystemMetrics(SM_CYSCREEN);
    AIString fileName, cacheName;
    ImageFileNameOf(request.imagePath, fileName);
    MakeThumbCacheName(request.imagePath, cacheName);
    MakeThumbPath(request.tempFolder, cacheName.GetText(), kThumbScreen, result.thumbPath);
    MakeThumbPath(request.tempFolder, cacheName.GetText(), kThumbIcon, result.iconPath);
    if (!IsListedImageName(fileName.GetText())) return Fail(result, "not an image type", nullptr);

    FILETIME imageTime;
    if (!GetWriteTime(request.imagePath, imageTime)) return Fail(result, "the image file is missing", nullptr);
    AIString sizePath;
    MakeThumbPath(request.tempFolder, cacheName.GetText(), kThumbSize, sizePath);
    // A copy without its size record (or with an older one) is made again with it.
    if (!IsFresh(&imageTime, result.thumbPath.GetText()) || !IsFresh(&imageTime, sizePath.GetText()) ||
        !ReadSizeRecord(sizePath.GetText(), result.imageWidth, result.imageHeight)) {
        SIZE own = {0, 0};
        if (!MakeJpegCopy(request.imagePath, kImageDetect, result.copyWidth, result.copyHeight, kThumbCanvas,
                          kThumbJpegQuality, result.thumbPath.GetText(), result, &own))
            return 0;
        result.imageWidth = own.cx;
        result.imageHeight = own.cy;
        // Without its record the copy is made again next time; the copy itself is good.
        WriteSizeRecord(sizePath.GetText(), own.cx, own.cy);
    }
    FILETIME thumbTime;
    if (!GetWriteTime(result.thumbPath.GetText(), thumbTime)) return Fail(result, "the thumbnail is missing", nullptr);
    if (!IsFresh(&thumbTime, result.iconPath.GetText()))
        return MakeJpegCopy(result.thumbPath.GetText(), kImageJpg, kIconSide, kIconSide, kIconCanvas,
                            kIconJpegQuality, result.iconPath.GetText(), result);
    return 1;
}
