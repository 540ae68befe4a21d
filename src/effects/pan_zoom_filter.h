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
// horizontal one is a multiply-add a pixel, its pairs of blended pixels
// gathered a pixel at a time or, in an enlargement, picked from a window.
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
// 32-byte load from the pixel after the last column's left one reaches four
// further.
inline constexpr std::size_t kBlendedPadding = 4;

// Four neighbouring output pixels whose left source pixels lie within four
// neighbouring blended ones, as in an enlargement, where a source step is at
// most a pixel: a vector pass loads the window once, and the four pixels'
// right neighbours once more a pixel on, and picks each output pixel's pair
// from them.  Laid out for the 32-bit permute of AVX2.
struct alignas(32) ColumnWindow {
  // Not a window: the four read further apart.
  static constexpr std::uint32_t kNone = ~std::uint32_t{0};
  // Output pixel j's left blended pixel as the two 32-bit words of the
  // window it takes, at 2j and 2j + 1.
  std::uint32_t places[8] = {};
  // Output pixels 0 and 2's weights four times each, then 1 and 3's: the
  // order in which the 16-bit interleaves of the two halves meet them.
  ColumnWeights weights[16] = {};
  // The window's first blended lane, or kNone.
  std::uint32_t first = kNone;
};

// What the horizontal pass reads of the output columns, from the first one
// it draws: each one's first blended lane and weights, and, where not null,
// a window per four of them.
struct ColumnView {
  const std::uint32_t* offsets = nullptr;
  const ColumnWeights* weights = nullptr;
  const ColumnWindow* windows = nullptr;
};

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
  // writes past the cache.
  std::size_t (*blend_columns)(const std::int16_t* blended, const ColumnView& columns,
                               std::size_t count, std::uint32_t* out, bool stream);
  // Whether blend_columns takes windows.
  bool takes_windows = false;
};

// The passes this build and this processor can take, the fastest last.
std::vector<PanZoomPasses> pan_zoom_passes();

// draw_region() with `passes`.
void draw_region_with(const PanZoomPasses& passes, const PixelImage& source,
                      const FixedRect& region, const PixelTarget& out);

}  // namespace showsaver
