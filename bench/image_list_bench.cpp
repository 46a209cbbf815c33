// Image list benchmark: image_list_bench <images folder> <temp folder> <cache file> <width> <height>
// Lists the folder (from the list cache when it is there, else by a scan that
// writes it) and makes or reuses the ".thumb" (fitted into width x height)
// and ".icon" files of every image, as the image browser does before its
// first page. Prints the images listed, the thumbnails made, the skipped
// files and the milliseconds of the listing and of the thumbnails.
#include <stdio.h>

#include "foundation/win.h"
#include <shellapi.h>

#include "bench/bench_timing.h"

#include "dialogs/images/image_list.h"
#include "dialogs/images/image_list_rules.h"
#include "dialogs/images/image_thumbs.h"
#include "foundation/ai_string.h"
#include "foundation/ai_string_table.h"

namespace {

// Unix paths (as a shell gives them) are reached through drive Z:.
void WindowsPath(const WCHAR* arg, AIString& path)
{
    path.Clear();
    if (arg[0] == L'/') path.AppendText(L"Z:");
    for (const WCHAR* p = arg; *p; ++p) path.AppendChar(*p == L'/' ? L'\\' : *p);
}

}  // namespace

int main()
{
    int argc = 0;
    WCHAR** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 6) {
        fprintf(stderr, "usage: image_list_bench <images folder> <temp folder> <cache file> <width> <height>\n");
        return 2;
    }
    AIString images, temp, cache, number;
    WindowsPath(argv[1], images);
    WindowsPath(argv[2], temp);
    WindowsPath(argv[3], cache);
    int width = number.AssignText(argv[4]).ToInt();
    int height = number.AssignText(argv[5]).ToInt();

    LARGE_INTEGER start, listed, done;
    QueryPerformanceCounter(&start);
    ImageScanSource source;
    source.imagesFolder = images.GetText();
    source.cachePath = cache.GetText();
    ImageScanReport report;
    ImageListOrigin origin = BuildImageList(source, report);
    QueryPerformanceCounter(&listed);

    int made = 0, skipped = 0;
    AIString value, path;
    AIStringTable& list = GetImageListTable();
    for (int i = 0; i < list.GetCount(); i++) {
        list.GetValueAt(i, value);
        ImageFileNameOf(value.GetText(), path);
        path.InsertText(0, L"\\").InsertText(0, images.GetText());
        ThumbRequest request;
        request.imagePath = path.GetText();
        request.tempFolder = temp.GetText();
        request.screenWidth = width;
        request.screenHeight = height;
        ThumbResult result;
        if (!LoadOrMakeThumbFile(request, result)) skipped++;
        else if (result.made) made++;
    }
    QueryPerformanceCounter(&done);
    printf("origin %s\nimages %d\nmade %d\nskipped %d\nlist_ms %.1f\nthumbs_ms %.1f\ntotal_ms %.1f\n",
           origin == kImageListFromCache ? "cache" : "scan", list.GetCount(), made, skipped,
           Milliseconds(start, listed), Milliseconds(listed, done), Milliseconds(start, done));
    return 0;
}
