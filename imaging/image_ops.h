// Pixel operations on ImagePixels: conversion, resampling, thumbnails,
// quarter turns and flips, cropping and greyscale. Each writes a new image
// into `result` (which may be the source) and fails without touching it.
#pragma once
#include "imaging/image_pixels.h"

int32_t PixelsPaletteIsGrey(const ImagePixels& image);
int32_t PixelsTo24(const ImagePixels& source, ImagePixels* result, ImageError* error);
// Area averaging when shrinking, bilinear when growing; alpha follows.
int32_t PixelsResample(const ImagePixels& source, int32_t width, int32_t height, ImagePixels* result,
                       ImageError* error);

// Fits the source into width x height keeping the aspect ratio and never
// enlarging, centred on a canvas of exactly that size; transparent pixels
// are blended over the canvas colour. The result is 24-bit without alpha.
int32_t PixelsThumbnail(const ImagePixels& source, int32_t width, int32_t height, PaletteEntry canvas,
                        ImagePixels* result, ImageError* error);
// The fitted size alone (what PixelsThumbnail draws before centring).
void ThumbnailFitSize(int32_t sourceWidth, int32_t sourceHeight, int32_t width, int32_t height,
                      int32_t* fitWidth, int32_t* fitHeight);

enum PixelTurn : int32_t {
    kTurnRight = 0,  // 90 degrees clockwise
    kTurnLeft,       // 90 degrees anticlockwise
    kTurnHalf,       // 180 degrees
    kFlipHorizontal,
    kFlipVertical,
    kTranspose,   // mirror along the main diagonal
    kTransverse,  // mirror along the other diagonal
};
int32_t PixelsTurn(const ImagePixels& source, int32_t turn, ImagePixels* result, ImageError* error);
// Applies an EXIF orientation value (2..8) so that the picture stands upright.
int32_t PixelsApplyOrientation(ImagePixels* image, int32_t orientation, ImageError* error);

// Keeps the part of the rectangle inside the image; an empty part fails.
int32_t PixelsCrop(const ImagePixels& source, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   ImagePixels* result, ImageError* error);
// 8-bit grey palette image; alpha is kept.
int32_t PixelsGreyscale(const ImagePixels& source, ImagePixels* result, ImageError* error);
