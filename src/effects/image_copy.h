// Putting pixels drawn in memory onto a surface, through a bitmap of their
// own: how the cross-fade and the pan and zoom show frames whose pixels the
// core computes, the same on every GDI.
#pragma once

#include "platform/gdi.h"
#include "platform/pixel_image.h"

namespace showsaver {

// Copies `image` to (0, 0) of the bitmap selected into `destination`.
void put_image(Gdi& gdi, DcHandle destination, const PixelImage& image);

}  // namespace showsaver
