// The transparent sprite blit.
#pragma once

#include <cstdint>

#include "platform/gdi.h"

namespace showsaver {

// Copies the width x height rectangle at (source_x, source_y) of `source` to
// (x, y) of `destination`, leaving out every source pixel of
// `transparent_color`, with plain raster operations: a monochrome mask, a
// colour "hole" (white where transparent), a sprite with its transparent
// pixels turned black, then an AND pass and an XOR pass on the destination.
// Creates three DCs and three bitmaps and deletes all six before returning.
// The results of the GDI calls are not examined.
//
// Throws RuntimeFailure (overflow) when -height or width * height * 3 does not
// fit in 32 bits; the destination is untouched then and the mask DC and mask
// bitmap, the only objects that exist at that point, are released.
void BlitTransparent(Gdi& gdi, DcHandle destination, std::int32_t x, std::int32_t y,
                     std::int32_t width, std::int32_t height, DcHandle source,
                     std::int32_t source_x, std::int32_t source_y, ColorRef transparent_color);

}  // namespace showsaver
