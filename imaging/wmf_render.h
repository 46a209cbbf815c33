// Draws a Windows metafile onto a white 24-bit bitmap through GDI.
#pragma once
#include "imaging/image_pixels.h"

int32_t RenderWmf(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error);
