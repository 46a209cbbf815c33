// Draws a Windows metafile onto a white 24-bit bitmap through GDI.
#pragma once
#include "imaging/image_pixels.h"

int32_t RenderWmf(const uint8_t* data, uint64_t size, ImagePixels* image, ImageError* error);

// Prepares a copy of checked metafile records for GDI: marks it a memory
// metafile, spoils the signature of an enhanced metafile carried in a
// leading comment and drops palette selections, whose index GDI reads from
// the wrong word.
void NeutraliseWmfForPlayback(uint8_t* bits, uint64_t size);
