// Integer pixel arithmetic shared by the effects and the bitmap draws.
// Pixels are 32-bit BGRA words as a DIB section stores them.
#pragma once
#include <stdint.h>

inline int ClampByte(int value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

// (a * weight + b * (255 - weight)) / 255, rounded; weight 255 gives a, 0 gives b.
inline uint32_t MixChannel(uint32_t a, uint32_t b, uint32_t weight)
{
    return (a * weight + b * (255 - weight) + 127) / 255;
}

// Mixes the colour channels; the alpha byte of b (the picture underneath) stays.
inline uint32_t MixPixel(uint32_t a, uint32_t b, uint32_t weight)
{
    uint32_t blue = MixChannel(a & 0xFF, b & 0xFF, weight);
    uint32_t green = MixChannel((a >> 8) & 0xFF, (b >> 8) & 0xFF, weight);
    uint32_t red = MixChannel((a >> 16) & 0xFF, (b >> 16) & 0xFF, weight);
    return (b & 0xFF000000u) | (red << 16) | (green << 8) | blue;
}

// A COLORREF (0x00BBGGRR) as a DIB pixel (0x00RRGGBB).
inline uint32_t PixelFromColour(uint32_t colour)
{
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

// Colour channels only, for key-colour comparisons.
inline uint32_t PixelRgb(uint32_t pixel) { return pixel & 0x00FFFFFFu; }

// Luminance with the weights 0.299, 0.587, 0.114 in 1/1000, rounded.
inline uint32_t PixelGrey(uint32_t pixel)
{
    uint32_t blue = pixel & 0xFF, green = (pixel >> 8) & 0xFF, red = (pixel >> 16) & 0xFF;
    return (red * 299 + green * 587 + blue * 114 + 500) / 1000;
}

// Linear step from `from` at position 0 to `to` at position last, rounded.
inline int LinearStep(int from, int to, int position, int last)
{
    if (last <= 0) return from;
    int64_t numerator = int64_t(from) * (last - position) + int64_t(to) * position;
    return int((numerator + last / 2) / last);
}
