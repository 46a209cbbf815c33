// The bitmap reader shared by BMP files, icons and clipboard DIBs.
#pragma once
#include "imaging/image_pixels.h"

// data starts at the DIB header; bitsOffset (from the header start, 0 for
// "right after the palette") says where the rows are; iconMode halves the
// height and reads the AND mask that follows the colour rows.
int32_t DecodeDibAt(const uint8_t* data, uint64_t size, uint64_t bitsOffset, int32_t iconMode,
                    ImagePixels* image, ImageError* error);
