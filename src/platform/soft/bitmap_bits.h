// Initial pixels handed to CreateBitmap and CreateDIBitmap.
#pragma once

#include "platform/gdi.h"
#include "platform/soft/pixel_bitmap.h"

namespace showsaver::soft {

// CreateBitmap's layout: monochrome rows of bits, most significant bit first,
// 1 for white, each row padded to 16 bits; 32-bit rows of 4-byte pixels.
void load_bitmap_bits(PixelBitmap& bitmap, const void* bits);

// CreateDIBitmap's CBM_INIT: a DIB of 24 or 32 bits per pixel, BI_RGB, rows
// padded to 32 bits, bottom-up or top-down by the sign of biHeight.  Colours
// written into a monochrome bitmap take the nearer of black and white.
// Returns false for a format it does not read.
bool load_dib_bits(PixelBitmap& bitmap, const BitmapInfoHeader& info, const void* bits);

}  // namespace showsaver::soft
