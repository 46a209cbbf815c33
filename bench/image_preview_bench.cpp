// From hover to the image preview painted, for a 4000 x 3000 JPEG photo, in
// the program's own content window: cold (no screen-size copy yet: it is
// made), warm (the copy is read) and kept (the same picture again). Beside
// it, in the same run and into the same window: a plain decode of the whole
// file drawn with StretchDIBits, and a plain decode of the screen-size copy
// drawn the same way (the least a warm preview has to do).
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "foundation/app.h"
#include "bench/bench_program.h"
#include "bench/bench_timing.h"
#include "dialogs/images/image_preview.h"
#include "dialogs/images/image_thumbs.h"
#include "imaging/ai_image.h"
#include "shell/file_commands.h"
#include "shell/frame_window.h"
#include "shell/image_preview_connection.h"
#include "shell/later_entry_points.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "notestore/note_store.h"
#include <algorithm>
#include <stdio.h>

namespace {

const int kPhotoWidth = 4000;
const int kPhotoHeight = 3000;
const int kColdRounds = 5;
const int kWarmRounds = 20;
const DWORD kHoldMs = 4000;
const int kFrameWidth = 1200;
const int kFrameHeight = 860;

// A photo-like picture: smooth colour fields with grain, about as large as a
// camera's JPEG.
int WritePhoto(const WCHAR* path)
{
    AIImage image;
    if (!image.Create(kPhotoWidth, kPhotoHeight, 24)) return 0;
    uint32_t seed = 12345;
    for (int y = 0; y < kPhotoHeight; y++) {
        uint8_t* row = image.GetBits() + (size_t)y * image.GetStride();
        for (int x = 0; x < kPhotoWidth; x++) {
            seed = seed * 1103515245u + 12345u;
            int grain = (int)((seed >> 16) & 31) - 16;
            int b = (x * 255 / kPhotoWidth + grain), g = (y * 255 / kPhotoHeight + grain),
                r = ((x + y) % 512 < 256 ? (x + y) % 256 : 255 - (x + y) % 256) + grain;
            row[x * 3] = (uint8_t)(b < 0 ? 0 : b > 255 ? 255 : b);
            row[x * 3 + 1] = (uint8_t)(g < 0 ? 0 : g > 255 ? 255 : g);
            row[x * 3 + 2] = (uint8_t)(r < 0 ? 0 : r > 255 ? 255 : r);
        }
    }
    image.SetJpegQuality(90);
    return image.Save(path, kImageJpg);
}

int WriteDatafile(const WCHAR* path)
{
    AIString file(L"\xFEFFTavik 10\r\n\x00A4Photos\r\nthe trip [photo]\r\n{{\r\n}}\r\n");
    HANDLE handle = CreateFileW(path, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
    if (handle == INVALID_HANDLE_VALUE) return 0;
    DWORD written = 0;
    BOOL ok = WriteFile(handle, file.GetText(), (DWORD)file.GetLength() * 2, &written, 0);
    CloseHandle(handle);
    return ok && written == (DWORD)file.GetLength() * 2;
}

// Sorts the times (the worst is last afterwards) and gives the middle one.
double Median(double* times, int count)
{
    std::sort(times, times + count);
    return times[count / 2];
}

// The hover timer's paint of the picture, until the window has it.
double TimePreview(const WCHAR* link)
{
    HideImagePreview();
    Pump();
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    SetImagePreviewTarget(link, kImagePreviewFitted, 0);
    PaintImagePreview(kPreviewFromTimer, kPreviewWithImage, 0);
    GdiFlush();
    QueryPerformanceCounter(&t1);
    return Milliseconds(t0, t1);
}

// A plain preview: decode the file, draw it fitted with StretchDIBits.
double TimePlainDecodeAndDraw(const WCHAR* path, int type, const RECT& area)
{
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    AIImage image;
    if (!image.Load(path, type)) return -1;
    HWND panel = g_mainPanel.GetHwndField();
    HDC dc = GetDCEx(panel, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    int width = area.right - area.left, height = area.bottom - area.top;
    int shownWidth = width, shownHeight = (int)((int64_t)image.GetHeight() * width / image.GetWidth());
    if (shownHeight > height) {
        shownHeight = height;
        shownWidth = (int)((int64_t)image.GetWidth() * height / image.GetHeight());
    }
    SetStretchBltMode(dc, HALFTONE);
    StretchDIBits(dc, area.left, area.top, shownWidth, shownHeight, 0, 0, image.GetWidth(), image.GetHeight(),
                  image.GetBits(), image.GetPackedDib(), DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    ReleaseDC(panel, dc);
    QueryPerformanceCounter(&t1);
    return Milliseconds(t0, t1);
}

}  // namespace

int main(int argc, char** argv)
{
    HWND frame = StartBenchProgram();
    if (!frame) return 1;
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString folder(temp);
    folder.AppendText(L"tavik_image_preview_bench_").AppendInt((int)(GetTickCount() % 100000));
    CreateDirectoryW(folder.GetText(), nullptr);
    AIString datafile(folder), images(folder), photo(folder);
    datafile.AppendText(L"\\bench.tavik");
    images.AppendText(L"\\images");
    CreateDirectoryW(images.GetText(), nullptr);
    photo.AppendText(L"\\images\\photo.jpg");
    if (!WriteDatafile(datafile.GetText()) || !OpenDatafile(datafile.GetText())) {
        printf("the data file did not open\n");
        return 1;
    }
    g_frame.RunGuarded(CreateMainWindow);
    ReadAndShowNote(0, kShowAndRecord);
    // On the display, in full view (the frame may start where an earlier run left it).
    SetWindowPos(frame, HWND_TOP, 0, 0, kFrameWidth, kFrameHeight, SWP_SHOWWINDOW);
    Pump();
    if (!WritePhoto(photo.GetText())) {
        printf("the photo could not be written\n");
        return 1;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    GetFileAttributesExW(photo.GetText(), GetFileExInfoStandard, &data);
    const WCHAR* link = L"rel:\\images\\photo.jpg";

    // The screen-size copy the warm rounds read (and the cold rounds delete).
    ThumbRequest request;
    request.imagePath = photo.GetText();
    request.tempFolder = g_app.system.GetTempFolder();
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    request.screenWidth = desktop.right - desktop.left;
    request.screenHeight = desktop.bottom - desktop.top;
    ThumbResult copy;
    LoadOrMakeThumbFile(request, copy);

    double cold[kColdRounds], warm[kWarmRounds], kept[kWarmRounds];
    double plainFull[kColdRounds], plainCopy[kWarmRounds];
    RECT area = {0, 0, 0, 0};
    GetClientRect(g_mainPanel.GetHwndField(), &area);
    area.right = area.left + (area.right - area.left) / 3;
    for (int round = 0; round < kColdRounds; round++) {
        DeleteFileW(copy.thumbPath.GetText());
        DeleteFileW(copy.iconPath.GetText());
        FreeImagePreview();
        cold[round] = TimePreview(link);
        plainFull[round] = TimePlainDecodeAndDraw(photo.GetText(), kImageJpg, area);
    }
    for (int round = 0; round < kWarmRounds; round++) {
        FreeImagePreview();
        warm[round] = TimePreview(link);
        kept[round] = TimePreview(link);
        plainCopy[round] = TimePlainDecodeAndDraw(copy.thumbPath.GetText(), kImageJpg, area);
    }
    int shown = IsImagePreviewShown();

    double coldMedian = Median(cold, kColdRounds), fullMedian = Median(plainFull, kColdRounds);
    double warmMedian = Median(warm, kWarmRounds), keptMedian = Median(kept, kWarmRounds);
    double copyMedian = Median(plainCopy, kWarmRounds);
    printf("image preview of a %d x %d JPEG of %lu bytes, screen %d x %d (ms, median; shown %d)\n", kPhotoWidth,
           kPhotoHeight, (unsigned long)data.nFileSizeLow, (int)(desktop.right - desktop.left), (int)(desktop.bottom - desktop.top),
           shown);
    printf("%-52s %9.2f (worst %.2f)\n", "preview cold (makes the screen-size copy)", coldMedian, cold[kColdRounds - 1]);
    printf("%-52s %9.2f\n", "plain decode of the whole file + StretchDIBits", fullMedian);
    printf("%-52s %9.2f (worst %.2f)\n", "preview warm (reads the screen-size copy)", warmMedian, warm[kWarmRounds - 1]);
    printf("%-52s %9.2f (worst %.2f)\n", "preview kept (the same picture again)", keptMedian, kept[kWarmRounds - 1]);
    printf("%-52s %9.2f\n", "plain decode of the screen-size copy + StretchDIBits", copyMedian);
    printf("cold / plain whole-file %.2fx; warm / plain whole-file %.2fx; warm / plain copy %.2fx; "
           "target: under 50 ms warm\n",
           coldMedian / fullMedian, warmMedian / fullMedian, warmMedian / copyMedian);
    // "hold": the preview is shown again and kept for a screenshot of the display.
    if (argc > 1 && !lstrcmpA(argv[1], "hold")) {
        // The comparisons' drawings go first.
        RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        TimePreview(link);
        // "hold large": the image zoom's view over the whole window.
        if (argc > 2 && !lstrcmpA(argv[2], "large")) ToggleImageZoom();
        printf("holding the preview\n");
        fflush(stdout);
        for (DWORD start = GetTickCount(); GetTickCount() - start < kHoldMs;) {
            Pump();
            Sleep(20);
        }
    }
    HideImagePreview();
    DestroyWindow(frame);
    CloseDatafileHandle();
    return 0;
}
