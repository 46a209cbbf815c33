// Frames of the message box: the slide draws one every 10 ms, so a frame must
// cost far less than that. Prints the time per frame of a 1200 x 120 band for
// the plain background and for the blurred one (content drawn once, then
// reused), and the cost of drawing the content again.
#include "dialogs/dialog_center.h"
#include "dialogs/message_box.h"
#include "foundation/app.h"
#include <stdio.h>
#include "bench/bench_timing.h"

static double TimeFrames(HDC dc, int frames, int redrawContent)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < frames; i++) {
        g_messageBox.slideIn = 50;  // keep sliding: every frame blends the content anew
        if (redrawContent) g_messageBox.contentDirty = 1;
        PaintMessageBox(dc, 1200, 120);
    }
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end) / frames;
}

int main()
{
    SettingsSetDefaults(g_app.settings.Record(), 0);
    g_app.system.SetCpuSpeedIndex(400);
    g_dialogCenter.messageId = 31;
    g_dialogCenter.messageText1.AssignText(L"holiday.tavik");
    g_dialogCenter.messageText2.AssignText(L"C:\\Users\\someone\\Documents\\Notes\\Archive\\2026\\");
    g_dialogCenter.messageModeFlag = 0;
    MessageCatalogueInput input = {31, {&g_dialogCenter.messageText1, &g_dialogCenter.messageText2, 0}, 0, 0};
    MessageCatalogue::Compose(input, &g_messageBox.catalogue, &g_messageBox.texts);
    g_messageBox.height = 120;
    g_messageBox.transparency = 235;

    HDC screen = GetDC(0);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 1200;
    info.bmiHeader.biHeight = -120;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = 0;
    HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, 0, 0);
    SelectObject(dc, target);

    const int frames = 300;
    g_app.settings.Record().transparencyOff = 1;
    g_messageBox.backgroundDirty = 1;
    printf("plain background:   %.3f ms per frame\n", TimeFrames(dc, frames, 0));
    g_app.settings.Record().transparencyOff = 0;
    g_messageBox.backgroundDirty = 1;
    TimeFrames(dc, 1, 0);  // the blur runs once per showing
    printf("blurred background: %.3f ms per frame\n", TimeFrames(dc, frames, 0));
    printf("content redrawn:    %.3f ms per frame\n", TimeFrames(dc, 50, 1));
    g_messageBox.backgroundDirty = 1;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    TimeFrames(dc, 1, 0);
    QueryPerformanceCounter(&end);
    printf("first frame with blur: %.3f ms\n", Milliseconds(start, end));
    DeleteDC(dc);
    DeleteObject(target);
    ReleaseDC(0, screen);
    return 0;
}
