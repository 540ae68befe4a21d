// The pan-and-zoom filter of draw_region() a row at a time, in two passes
// that give the same pixels as its one-step formula, since neither rounds:
//  - the vertical pass blends the two source rows around the output row over
//    the run of source columns the frame reads, each channel into a 16-bit
//    lane as
//      upper * (256 - wy) + lower * wy + 128 - 32768;
//    the 128 is the final rounding carried ahead (the horizontal weights sum
//    to 256, which makes it 32768), and the 32768 moves the value into the
//    signed range of the SIMD multiply-add;
//  - the horizontal pass gives each channel of each output pixel as
//      ((left * (256 - wx) + right * wx) >> 16) + 128
//    from the two blended source columns around it.
// Per column, the source index and the weights are worked out once a frame;
// the vertical pass reads whole rows, so it vectorises simply, and the
// horizontal one is a multiply-add a pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "effects/pan_zoom.h"
#include "platform/gdi.h"

namespace showsaver {

// An output column's horizontal weights: 256 - wx in the low 16 bits, wx in
// the high ones, the pair of lanes the SIMD multiply-add takes.
using ColumnWeights = std::uint32_t;

// How many blended pixels past the run the horizontal passes may read: a
// 32-byte load from the last column's left pixel reaches three further.
inline constexpr std::size_t kBlendedPadding = 3;

// Each pass does the leading pixels it can and returns how many; a null pass
// leaves them all to the plain loop.
struct PanZoomPasses {
  const char* name;
  // The vertical pass over `count` source pixels into `blended` (four lanes
  // a pixel); `keep` + `take` is 256.
  std::size_t (*blend_rows)(const std::uint32_t* upper, const std::uint32_t* lower,
                            std::int16_t keep, std::int16_t take, std::size_t count,
                            std::int16_t* blended);
  // The horizontal pass over `count` output pixels: pixel x from the eight
  // lanes at blended + offsets[x], its left source pixel's then its right
  // one's.  `stream` (with `out` aligned for it, see streaming_stores.h)
  // writes past the cache, unordered until `fence`.
  std::size_t (*blend_columns)(const std::int16_t* blended, const std::uint32_t* offsets,
                               const ColumnWeights* weights, std::size_t count, std::uint32_t* out,
                               bool stream);
  // Orders the streamed stores before what follows: once a frame, not a
  // row, since each fence waits for every store before it to land.
  void (*fence)();
};

// The passes this build and this processor can take, the fastest last.
std::vector<PanZoomPasses> pan_zoom_passes();

// draw_region() with `passes`.
void draw_region_with(const PanZoomPasses& passes, const PixelImage& source,
                      const FixedRect& region, const PixelTarget& out);

}  // namespace showsaver
