// Making the ".thumb" and ".icon" files of a linked or pasted image.
#include "shell/image_thumbnails.h"
#include "shell/link_helpers.h"
#include "dialogs/images/image_list_rules.h"
#include "dialogs/images/image_thumbs.h"
#include "foundation/ai_file.h"
#include "notestore/note_store.h"
#include "foundation/app.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"

namespace {

const int32_t kTraceCreateThumbnail = 2;
// Trace point of an image whose thumbnail could not be made.
const int32_t kTraceThumbnailFailed = 1;

}  // namespace

int CreateThumbnail(const WCHAR* imagePath, int flag)
{
    TRACE_SCOPE(kTraceImageList, kTraceCreateThumbnail);
    if (!imagePath || !*imagePath) return 0;
    AIString path;
    ResolveFileLink(imagePath, path);
    ThumbRequest request;
    request.imagePath = path.GetText();
    request.tempFolder = g_app.system.GetTempFolder();
    RECT desktop;
    if (GetWindowRect(GetDesktopWindow(), &desktop)) {
        request.screenWidth = desktop.right - desktop.left;
        request.screenHeight = desktop.bottom - desktop.top;
    }
    ThumbResult result;
    int made = LoadOrMakeThumbFile(request, result);
    if (!made && flag == kThumbnailTraced) 
        TraceRecord(MakeTraceId(kTraceImageList, kTraceCreateThumbnail, kTraceThumbnailFailed));
    return made;
}

void OnImageSaved(const WCHAR* imagePath)
{
    AIString cache(GetNotesFolder());
    cache.AppendText(kImageListCacheName);
    AIFile::DeleteQuiet(cache.GetText());
    CreateThumbnail(imagePath, kThumbnailTraced);
}

void OnFileLinked(const WCHAR* target)
{
    AIString path;
    if (ResolveFileLink(target, path) && IsListedImageName(path.GetText())) CreateThumbnail(target, kThumbnailQuiet);
}
