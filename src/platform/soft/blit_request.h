// The arguments of one BitBlt or StretchBlt, resolved from handles to pixels.
#pragma once

#include <cstdint>

#include "platform/geometry.h"
#include "platform/soft/pixel_bitmap.h"
#include "platform/soft/pixel_conversion.h"
#include "platform/soft/rop3.h"

namespace showsaver::soft {

// Extents may be negative (mirrored) or zero (nothing drawn).  BitBlt is the
// case source extent == destination extent.
struct BlitGeometry {
  Rect destination;
  Rect source;
};

struct BlitRequest {
  PixelBitmap* destination = nullptr;
  DcColors destination_colors;
  // Null when the operation does not use a source.
  const PixelBitmap* source = nullptr;
  DcColors source_colors;
  BlitGeometry geometry;
  Rop3 rop;
};

}  // namespace showsaver::soft
