#include "drawing/pixel_scale.h"

void ScalePixelsBox(const uint32_t* source, int sourceWidth, int sourceHeight, int sourceStride,
                    uint32_t* target, int targetWidth, int targetHeight, int targetStride)
{
    for (int ty = 0; ty < targetHeight; ty++) {
        int y0 = (int)((int64_t)ty * sourceHeight / targetHeight);
        int y1 = (int)((int64_t)(ty + 1) * sourceHeight / targetHeight);
        if (y1 <= y0) y1 = y0 + 1;
        uint32_t* out = target + (intptr_t)ty * targetStride;
        for (int tx = 0; tx < targetWidth; tx++) {
            int x0 = (int)((int64_t)tx * sourceWidth / targetWidth);
            int x1 = (int)((int64_t)(tx + 1) * sourceWidth / targetWidth);
            if (x1 <= x0) x1 = x0 + 1;
            uint64_t blue = 0, green = 0, red = 0, alpha = 0, count = 0;
            for (int y = y0; y < y1; y++) {
                const uint32_t* in = source + (intptr_t)y * sourceStride;
                for (int x = x0; x < x1; x++) {
                    uint32_t pixel = in[x], a = pixel >> 24;
                    blue += (pixel & 0xFF) * a;
                    green += ((pixel >> 8) & 0xFF) * a;
                    red += ((pixel >> 16) & 0xFF) * a;
                    alpha += a;
                    count++;
                }
            }
            uint32_t value = 0;
            if (alpha > 0) {
                uint32_t b = (uint32_t)((blue + alpha / 2) / alpha);
                uint32_t g = (uint32_t)((green + alpha / 2) / alpha);
                uint32_t r = (uint32_t)((red + alpha / 2) / alpha);
                uint32_t a = (uint32_t)((alpha + count / 2) / count);
                value = (a << 24) | (r << 16) | (g << 8) | b;
            }
            out[tx] = value;
        }
    }
}
