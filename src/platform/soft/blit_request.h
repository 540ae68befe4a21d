// The arguments of one BitBlt or StretchBlt, resolved from handles to pixels.
#pragma once

#include <cstdint>

#include "platform/soft/pixel_bitmap.h"
#include "platform/soft/pixel_conversion.h"
#include "platform/soft/rop3.h"

namespace showsaver::soft {

// Extents may be negative (mirrored) or zero (nothing drawn).  BitBlt is the
// case source extent == destination extent.
struct BlitGeometry {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t source_x = 0;
  std::int32_t source_y = 0;
  std::int32_t source_width = 0;
  std::int32_t source_height = 0;
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
