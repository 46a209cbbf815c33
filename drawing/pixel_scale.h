// Resizing 32-bit pixels with their alpha: every target pixel is the average
// of the source pixels it covers (at least one), weighted by alpha so that
// transparent pixels lend no colour to their neighbours.
#pragma once
#include <stdint.h>

// Rows top first; strides in pixels.
void ScalePixelsBox(const uint32_t* source, int sourceWidth, int sourceHeight, int sourceStride,
                    uint32_t* target, int targetWidth, int targetHeight, int targetStride);
