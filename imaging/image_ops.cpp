#include "imaging/image_ops.h"

#include <stdlib.h>
#include <string.h>

namespace {

// Takes `made` into *result (result may alias the source).
int32_t Replace(ImagePixels* result, ImagePixels* made)
{
    PixelsFree(result);
    *result = *made;
    *made = ImagePixels();
    return 1;
}

// Contributions of source samples to one output sample, weights summing to
// 1 << 14.
struct Contributions {
    int32_t* first = nullptr;    // first source index per output
    int32_t* count = nullptr;    // sources per output
    int32_t* weights = nullptr;  // maxCount per output
    int32_t maxCount = 0;
};

void FreeContributions(Contributions* c)
{
    free(c->first);
    free(c->count);
    free(c->weights);
}

int32_t BuildContributions(int32_t sourceLength, int32_t length, Contributions* c)
{
    const int32_t kOne = 1 << 14;
    double ratio = double(sourceLength) / length;
    c->maxCount = ratio > 1 ? int32_t(ratio) + 2 : 2;
    c->first = static_cast<int32_t*>(malloc(sizeof(int32_t) * length));
    c->count = static_cast<int32_t*>(malloc(sizeof(int32_t) * length));
    c->weights = static_cast<int32_t*>(malloc(sizeof(int32_t) * uint64_t(length) * c->maxCount));
    if (!c->first || !c->count || !c->weights) return 0;
    for (int32_t i = 0; i < length; ++i) {
        int32_t* w = c->weights + uint64_t(i) * c->maxCount;
        if (ratio > 1) {  // each output covers [i*ratio, (i+1)*ratio) of the source
            double from = i * ratio, to = (i + 1) * ratio;
            int32_t start = int32_t(from), end = int32_t(to);
            if (end >= sourceLength) end = sourceLength - 1;
            int32_t n = end - start + 1;
            if (n > c->maxCount) n = c->maxCount;
            int32_t sum = 0, largest = 0;
            for (int32_t k = 0; k < n; ++k) {
                double lo = start + k > from ? start + k : from, hi = start + k + 1 < to ? start + k + 1 : to;
                int32_t weight = hi > lo ? int32_t((hi - lo) / ratio * kOne + 0.5) : 0;
                w[k] = weight;
                sum += weight;
                if (weight > w[largest]) largest = k;
            }
            w[largest] += kOne - sum;
            c->first[i] = start;
            c->count[i] = n;
        } else {  // bilinear between the two nearest source samples
            double centre = (i + 0.5) * ratio - 0.5;
            if (centre < 0) centre = 0;
            int32_t start = int32_t(centre);
            if (start >= sourceLength - 1) {
                c->first[i] = sourceLength - 1;
                c->count[i] = 1;
                w[0] = kOne;
                continue;
            }
            int32_t second = int32_t((centre - start) * kOne + 0.5);
            c->first[i] = start;
            c->count[i] = 2;
            w[0] = kOne - second;
            w[1] = second;
        }
    }
    return 1;
}

// Resamples one plane of `channels` interleaved bytes per pixel; rows are
// addressed from the top with a signed pitch so that bottom-up DIB rows work.
int32_t ResamplePlane(const uint8_t* sourceTop, int64_t sourcePitch, int32_t sourceWidth,
                      int32_t sourceHeight, int32_t channels, uint8_t* top, int64_t pitch, int32_t width,
                      int32_t height)
{
    Contributions across, down;
    uint8_t* middle = static_cast<uint8_t*>(malloc(uint64_t(width) * channels * uint64_t(sourceHeight)));
    int32_t ok = middle && BuildContributions(sourceWidth, width, &across) &&
                 BuildContributions(sourceHeight, height, &down);
    if (ok) {
        uint64_t middlePitch = uint64_t(width) * channels;
        for (int32_t y = 0; y < sourceHeight; ++y) {
            const uint8_t* in = sourceTop + sourcePitch * y;
            uint8_t* out = middle + middlePitch * y;
            for (int32_t x = 0; x < width; ++x) {
                const int32_t* w = across.weights + uint64_t(x) * across.maxCount;
                const uint8_t* s = in + int64_t(across.first[x]) * channels;
                for (int32_t ch = 0; ch < channels; ++ch) {
                    int32_t sum = 0;
                    for (int32_t k = 0; k < across.count[x]; ++k) sum += s[k * channels + ch] * w[k];
                    out[x * channels + ch] = uint8_t((sum + (1 << 13)) >> 14);
                }
            }
        }
        for (int32_t y = 0; y < height; ++y) {
            const int32_t* w = down.weights + uint64_t(y) * down.maxCount;
            uint8_t* out = top + pitch * y;
            const uint8_t* s = middle + middlePitch * down.first[y];
            for (uint64_t i = 0; i < middlePitch; ++i) {
                int32_t sum = 0;
                for (int32_t k = 0; k < down.count[y]; ++k) sum += s[middlePitch * k + i] * w[k];
                out[i] = uint8_t((sum + (1 << 13)) >> 14);
            }
        }
    }
    FreeContributions(&across);
    FreeContributions(&down);
    free(middle);
    return ok;
}

const uint8_t* TopRow(const ImagePixels& image) { return PixelsRowFromTop(image, 0); }

}  // namespace

int32_t PixelsPaletteIsGrey(const ImagePixels& image)
{
    if (image.bpp != 8) return 0;
    const PaletteEntry* p = PixelsPalette(image);
    for (int32_t i = 0; i < 256; ++i)
        if (p[i].red != i || p[i].green != i || p[i].blue != i) return 0;
    return 1;
}

int32_t PixelsTo24(const ImagePixels& source, ImagePixels* result, ImageError* error)
{
    if (!source.dib) return SetImageError(error, "Image has no pixels");
    if (source.bpp == 24) return &source == result ? 1 : PixelsCopy(source, result, error);
    ImagePixels made;
    if (!PixelsCreate(&made, source.width, source.height, 24, error)) return 0;
    const PaletteEntry* palette = PixelsPalette(source);
    for (int32_t y = 0; y < source.height; ++y) {
        const uint8_t* in = PixelsRowFromTop(source, y);
        uint8_t* out = PixelsRowFromTop(made, y);
        for (int32_t x = 0; x < source.width; ++x) {
            const PaletteEntry& e = palette[in[x]];
            out[x * 3] = e.blue;
            out[x * 3 + 1] = e.green;
            out[x * 3 + 2] = e.red;
        }
    }
    if (source.alpha) {
        if (!PixelsCreateAlpha(&made, error)) {
            PixelsFree(&made);
            return 0;
        }
        memcpy(made.alpha, source.alpha, uint64_t(source.width) * uint64_t(source.height));
    }
    return Replace(result, &made);
}

int32_t PixelsResample(const ImagePixels& source, int32_t width, int32_t height, ImagePixels* result,
                       ImageError* error)
{
    if (!source.dib) return SetImageError(error, "Image has no pixels");
    ImagePixels colour, made;
    const ImagePixels* from = &source;
    if (source.bpp != 24) {
        if (!PixelsTo24(source, &colour, error)) return 0;
        from = &colour;
    }
    int32_t ok =
        PixelsCreate(&made, width, height, 24, error) && (!from->alpha || PixelsCreateAlpha(&made, error));
    if (ok) {
        ok = ResamplePlane(TopRow(*from), -int64_t(from->stride), from->width, from->height, 3,
                           PixelsRowFromTop(made, 0), -int64_t(made.stride), width, height);
        if (ok && from->alpha)
            ok = ResamplePlane(AlphaRowFromTop(*from, 0), -int64_t(from->width), from->width, from->height, 1,
                               AlphaRowFromTop(made, 0), -int64_t(width), width, height);
        if (!ok) SetImageError(error, "Out of memory for resampling");
    }
    PixelsFree(&colour);
    if (!ok) {
        PixelsFree(&made);
        return 0;
    }
    return Replace(result, &made);
}

void ThumbnailFitSize(int32_t sourceWidth, int32_t sourceHeight, int32_t width, int32_t height,
                      int32_t* fitWidth, int32_t* fitHeight)
{
    if (sourceWidth <= width && sourceHeight <= height) {
        *fitWidth = sourceWidth;
        *fitHeight = sourceHeight;
        return;
    }
    // Compare width/sourceWidth with height/sourceHeight without rounding.
    if (int64_t(width) * sourceHeight <= int64_t(height) * sourceWidth) {
        *fitWidth = width;
        *fitHeight = int32_t((int64_t(sourceHeight) * width + sourceWidth / 2) / sourceWidth);
    } else {
        *fitHeight = height;
        *fitWidth = int32_t((int64_t(sourceWidth) * height + sourceHeight / 2) / sourceHeight);
    }
    if (*fitWidth < 1) *fitWidth = 1;
    if (*fitHeight < 1) *fitHeight = 1;
}

int32_t PixelsThumbnail(const ImagePixels& source, int32_t width, int32_t height, PaletteEntry canvas,
                        ImagePixels* result, ImageError* error)
{
    if (!source.dib) return SetImageError(error, "Image has no pixels");
    if (width <= 0 || height <= 0) return SetImageError(error, "Thumbnail size is empty");
    int32_t fitWidth, fitHeight;
    ThumbnailFitSize(source.width, source.height, width, height, &fitWidth, &fitHeight);
    ImagePixels scaled, made;
    int32_t ok = (fitWidth == source.width && fitHeight == source.height)
                     ? PixelsTo24(source, &scaled, error)
                     : PixelsResample(source, fitWidth, fitHeight, &scaled, error);
    if (!ok || !PixelsCreate(&made, width, height, 24, error)) {
        PixelsFree(&scaled);
        return 0;
    }
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* out = PixelsRowFromTop(made, y);
        for (int32_t x = 0; x < width; ++x) {
            out[x * 3] = canvas.blue;
            out[x * 3 + 1] = canvas.green;
            out[x * 3 + 2] = canvas.red;
        }
    }
    int32_t left = (width - fitWidth) / 2, top = (height - fitHeight) / 2;
    for (int32_t y = 0; y < fitHeight; ++y) {
        const uint8_t* in = PixelsRowFromTop(scaled, y);
        uint8_t* out = PixelsRowFromTop(made, top + y) + uint64_t(left) * 3;
        if (!scaled.alpha) {
            memcpy(out, in, uint64_t(fitWidth) * 3);
            continue;
        }
        const uint8_t* a = AlphaRowFromTop(scaled, y);
        for (int32_t x = 0; x < fitWidth; ++x)
            for (int32_t ch = 0; ch < 3; ++ch)
                out[x * 3 + ch] =
                    uint8_t((in[x * 3 + ch] * a[x] + out[x * 3 + ch] * (255 - a[x]) + 127) / 255);
    }
    PixelsFree(&scaled);
    return Replace(result, &made);
}

int32_t PixelsTurn(const ImagePixels& source, int32_t turn, ImagePixels* result, ImageError* error)
{
    if (!source.dib) return SetImageError(error, "Image has no pixels");
    int32_t w = source.width, h = source.height;
    bool swaps = turn == kTurnRight || turn == kTurnLeft || turn == kTranspose || turn == kTransverse;
    int32_t dw = swaps ? h : w, dh = swaps ? w : h;
    ImagePixels made;
    if (!PixelsCreate(&made, dw, dh, source.bpp, error)) return 0;
    if (source.alpha && !PixelsCreateAlpha(&made, error)) {
        PixelsFree(&made);
        return 0;
    }
    if (source.bpp == 8) memcpy(PixelsPalette(made), PixelsPalette(source), 256 * sizeof(PaletteEntry));
    int32_t bytes = source.bpp / 8;
    for (int32_t dy = 0; dy < dh; ++dy) {
        uint8_t* out = PixelsRowFromTop(made, dy);
        uint8_t* outAlpha = made.alpha ? AlphaRowFromTop(made, dy) : nullptr;
        for (int32_t dx = 0; dx < dw; ++dx) {
            int32_t sx = dx, sy = dy;
            switch (turn) {
            case kTurnRight:
                sx = dy;
                sy = h - 1 - dx;
                break;
            case kTurnLeft:
                sx = w - 1 - dy;
                sy = dx;
                break;
            case kTurnHalf:
                sx = w - 1 - dx;
                sy = h - 1 - dy;
                break;
            case kFlipHorizontal: sx = w - 1 - dx; break;
            case kFlipVertical: sy = h - 1 - dy; break;
            case kTranspose:
                sx = dy;
                sy = dx;
                break;
            case kTransverse:
                sx = w - 1 - dy;
                sy = h - 1 - dx;
                break;
            }
            memcpy(out + dx * bytes, PixelsRowFromTop(source, sy) + sx * bytes, uint32_t(bytes));
            if (outAlpha) outAlpha[dx] = AlphaRowFromTop(source, sy)[sx];
        }
    }
    return Replace(result, &made);
}

int32_t PixelsApplyOrientation(ImagePixels* image, int32_t orientation, ImageError* error)
{
    static const int32_t kTurnFor[9] = {-1,         -1,         kFlipHorizontal, kTurnHalf, kFlipVertical,
                                        kTranspose, kTurnRight, kTransverse,     kTurnLeft};
    if (orientation < 2 || orientation > 8) return 1;
    return PixelsTurn(*image, kTurnFor[orientation], image, error);
}

int32_t PixelsCrop(const ImagePixels& source, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   ImagePixels* result, ImageError* error)
{
    if (!source.dib) return SetImageError(error, "Image has no pixels");
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (right > source.width) right = source.width;
    if (bottom > source.height) bottom = source.height;
    if (right <= left || bottom <= top) return SetImageError(error, "Crop rectangle is empty");
    ImagePixels made;
    if (!PixelsCreate(&made, right - left, bottom - top, source.bpp, error)) return 0;
    if (source.alpha && !PixelsCreateAlpha(&made, error)) {
        PixelsFree(&made);
        return 0;
    }
    if (source.bpp == 8) memcpy(PixelsPalette(made), PixelsPalette(source), 256 * sizeof(PaletteEntry));
    int32_t bytes = source.bpp / 8;
    for (int32_t y = top; y < bottom; ++y) {
        memcpy(PixelsRowFromTop(made, y - top), PixelsRowFromTop(source, y) + left * bytes,
               uint64_t(made.width) * bytes);
        if (made.alpha)
            memcpy(AlphaRowFromTop(made, y - top), AlphaRowFromTop(source, y) + left, uint32_t(made.width));
    }
    return Replace(result, &made);
}

int32_t PixelsGreyscale(const ImagePixels& source, ImagePixels* result, ImageError* error)
{
    if (!source.dib) return SetImageError(error, "Image has no pixels");
    ImagePixels made;
    if (!PixelsCreate(&made, source.width, source.height, 8, error)) return 0;
    if (source.alpha && !PixelsCreateAlpha(&made, error)) {
        PixelsFree(&made);
        return 0;
    }
    const PaletteEntry* palette = source.bpp == 8 ? PixelsPalette(source) : nullptr;
    for (int32_t y = 0; y < source.height; ++y) {
        const uint8_t* in = PixelsRowFromTop(source, y);
        uint8_t* out = PixelsRowFromTop(made, y);
        for (int32_t x = 0; x < source.width; ++x) {
            uint32_t b, g, r;
            if (palette) {
                b = palette[in[x]].blue;
                g = palette[in[x]].green;
                r = palette[in[x]].red;
            } else {
                b = in[x * 3];
                g = in[x * 3 + 1];
                r = in[x * 3 + 2];
            }
            out[x] = uint8_t((r * 77 + g * 150 + b * 29 + 128) >> 8);
        }
    }
    if (source.alpha) memcpy(made.alpha, source.alpha, uint64_t(source.width) * uint64_t(source.height));
    return Replace(result, &made);
}
