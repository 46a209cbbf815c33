// Times the pixel effects and bitmap draws on a screen-sized picture, in
// place on a 32-bit bitmap and through a copy on a 24-bit one.
// Usage: drawing_effects_bench [width height]   (default 1920 1080)
#include "drawing/ai_dib.h"
#include "drawing/ai_effects.h"
#include <stdio.h>
#include <stdlib.h>
#include "bench/bench_timing.h"

namespace {

template <typename Step>
void Time(const char* name, int bitsPerPixel, int width, int height, Step step)
{
    const int rounds = 10;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < rounds; i++) step();
    QueryPerformanceCounter(&end);
    double each = Milliseconds(start, end) / rounds;
    double megapixels = (double)width * height / 1e6;
    printf("%-52s %2d-bit  %8.2f ms  %8.1f Mpixel/s\n", name, bitsPerPixel, each, megapixels / (each / 1000.0));
}

}  // namespace

int main(int argc, char** argv)
{
    int width = argc > 2 ? atoi(argv[1]) : 1920;
    int height = argc > 2 ? atoi(argv[2]) : 1080;
    printf("%d x %d pixels, mean of 10 rounds\n", width, height);
    const int depths[2] = {32, 24};
    for (int d = 0; d < 2; d++) {
        int bpp = depths[d];
        AIDib canvas, picture;
        if (!canvas.Create(width, height, bpp) || !picture.Create(width, height, 32)) {
            printf("cannot make %d-bit bitmaps of that size\n", bpp);
            return 1;
        }
        HDC dc = canvas.SelectIntoMemoryDC();
        RECT all = {0, 0, width, height};
        AIEffectContext effects(dc, all);
        Time("BlendColour", bpp, width, height, [&] { AIEffectContext::BlendColour(dc, 0, 0, width, height, -1, 128, RGB(10, 10, 10)); });
        Time("MakeGreyscale", bpp, width, height, [&] { AIEffectContext::MakeGreyscale(dc, 0, 0, width, height, 0, 100, RGB(100, 100, 100)); });
        Time("BlurTint", bpp, width, height, [&] { AIEffectContext::BlurTint(dc, 0, 0, width, height, 60, 0); });
        Time("GradientTintInRect", bpp, width, height, [&] { effects.GradientTintInRect(RGB(255, 255, 255), 200); });
        Time("FourCornerGradientC", bpp, width, height, [&] { effects.FourCornerGradientC(all, 0, 255, RGB(0, 0, 255), RGB(255, 255, 255), 80); });
        Time("DrawWithOpacity", bpp, width, height, [&] { picture.DrawWithOpacity(dc, 0, 0, 128); });
        Time("DrawTransparent", bpp, width, height, [&] { picture.DrawTransparent(dc, 0, 0, RGB(255, 0, 255)); });
        Time("Draw (BitBlt)", bpp, width, height, [&] { picture.Draw(dc, 0, 0); });
    }
    // A photo-sized picture shrunk for the preview pane.
    AIDib photo, pane;
    if (photo.Create(4000, 3000, 32) && pane.Create(800, 600, 32)) {
        HDC dc = pane.SelectIntoMemoryDC();
        RECT source = photo.GetRect(), dest = {0, 0, 800, 600};
        Time("DrawPartStretched 4000x3000 to 800x600 (halftone)", 32, 800, 600, [&] { photo.DrawPartStretched(dc, source, dest); });
        Time("DrawStretchedEx 4000x3000 to 800x600", 32, 800, 600, [&] { photo.DrawStretchedEx(dc, source, dest); });
    }
    return 0;
}
