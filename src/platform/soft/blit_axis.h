// Which source pixels feed which destination pixel, along one axis.
//
// The pixel choice is GDI's midpoint rule.  Indices count from the start
// corner in the direction of the extent's sign, so that a negative extent
// covers the positions [start + extent + 1, start + 1), as GDI lays a
// mirrored rectangle out.  With D destination and S source pixels:
//  - enlarging (D >= S): destination index d takes source index
//    ((2d + 1) * S - 1) / (2 * D);
//  - shrinking (D < S): source index s lands on destination index
//    ((2s + 1) * D - 1) / (2 * S), and all source pixels that land on one
//    destination pixel are combined (BLACKONWHITE: ANDed);
//  - a destination extent of 1 with a source extent above 1 takes only the
//    first S - 1 source pixels: GDI's line stepper stops one pixel short there.
// Clipping never changes which source pixel a visible destination pixel
// gets; it only removes destination pixels, and source pixels outside the
// source bitmap, from the result.
#pragma once

#include <cstdint>
#include <vector>

namespace showsaver::soft {

struct AxisRequest {
  std::int64_t destination_start = 0;
  std::int64_t destination_extent = 0;  // nonzero
  std::int64_t source_start = 0;
  std::int64_t source_extent = 0;  // nonzero
  int destination_limit = 0;       // bitmap size along the axis
  int source_limit = 0;
};

// Index range of source pixels feeding destination index d.
struct IndexRange {
  std::int64_t first = 0;
  std::int64_t count = 0;
};
IndexRange source_indices(std::int64_t d, std::int64_t destination_length,
                          std::int64_t source_length);

// Position of index `index` of an extent starting at `start`.
inline std::int64_t axis_position(std::int64_t start, std::int64_t extent, std::int64_t index) {
  return extent > 0 ? start + index : start - index;
}

// The visible destination positions of one axis, ascending, each with the
// ascending range of source positions inside the source bitmap that feed it.
struct AxisMap {
  int first = 0;
  std::vector<int> source_first;
  std::vector<int> source_count;

  int size() const { return static_cast<int>(source_first.size()); }
  bool empty() const { return source_first.empty(); }
  // True when every visible position takes exactly one source pixel.
  bool one_to_one = true;
};

// `with_source` false: the operation reads no source, only the destination
// clips, and the source ranges stay empty.
AxisMap map_axis(const AxisRequest& request, bool with_source);

// The destination positions an extent covers, clipped to [0, limit): [first, last).
struct PositionRange {
  std::int64_t first = 0;
  std::int64_t last = 0;
};
PositionRange covered_positions(std::int64_t start, std::int64_t extent, int limit);

}  // namespace showsaver::soft
