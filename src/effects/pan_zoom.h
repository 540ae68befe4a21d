// Pan and zoom during a hold: the part of the picture shown at each moment,
// and the filter that draws it, written once for every renderer.
#pragma once

#include <cstdint>

#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/pixel_image.h"

namespace showsaver {

// One pixel in 16.16 fixed point.
inline constexpr std::int64_t kFixedOne = 1 << 16;

// A rectangle in 16.16 fixed point, so that a slow pan moves by less than a
// pixel from frame to frame.
struct FixedRect {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  friend bool operator==(const FixedRect&, const FixedRect&) = default;
};

FixedRect to_fixed(const Rect& rect);

// The rectangle `elapsed_ms` into a hold of `hold_ms`: `start` at the start,
// `end` once the hold is over, moving evenly between.
FixedRect region_at(const Rect& start, const Rect& end, std::int64_t elapsed_ms,
                    std::int64_t hold_ms);

// A path over a picture of `size` picked from `seed`: both rectangles of the
// picture's shape, one the whole picture or nearly, the other zoomed in to
// between 70 % and 85 % of it, each placed inside the picture.
struct PanZoomPath {
  Rect start;
  Rect end;
};
PanZoomPath path_from_seed(std::uint32_t seed, Size size);

// Draws the part `region` of `source` over the whole of `out` with bilinear
// filtering: each output pixel's centre maps into the region, and the four
// source pixels around it are weighted by 8-bit fractions, the weights
// summing to 65536 with rounding to nearest.  Samples beyond the source's
// edge take the edge pixel.
void draw_region(const PixelImage& source, const FixedRect& region, const PixelTarget& out);
// The same into an image, its size already set.
void draw_region(const PixelImage& source, const FixedRect& region, PixelImage& out);

}  // namespace showsaver
