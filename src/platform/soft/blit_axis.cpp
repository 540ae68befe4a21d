#include "platform/soft/blit_axis.h"

#include <algorithm>

namespace showsaver::soft {
namespace {

// Extents are at most 2^31 (the magnitude of a 32-bit extent) and d lies
// inside the destination, so the largest product, (2d + 1) * S, stays below
// 2^63 - 2^31: 64-bit signed arithmetic is exact on every target, 32-bit
// Windows included.
using Wide = std::int64_t;

std::int64_t floor_div(Wide numerator, Wide denominator) {
  Wide quotient = numerator / denominator;
  if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) --quotient;
  return static_cast<std::int64_t>(quotient);
}

// First source index that lands on destination index d when shrinking: the
// least s with ((2s + 1) * D - 1) / (2 * S) >= d, that is
// s >= (2 * S * d - D + 1) / (2 * D).
std::int64_t first_landing(std::int64_t d, std::int64_t length_d, std::int64_t length_s) {
  const Wide numerator = Wide{2} * length_s * d - length_d + 1;
  return -floor_div(-numerator, Wide{2} * length_d);
}

}  // namespace

IndexRange source_indices(std::int64_t d, std::int64_t destination_length,
                          std::int64_t source_length) {
  const std::int64_t length_d = destination_length;
  const std::int64_t length_s = source_length;
  if (length_d >= length_s) {
    const Wide s = (Wide{2} * d + 1) * length_s - 1;
    return {static_cast<std::int64_t>(s / (Wide{2} * length_d)), 1};
  }
  if (length_d == 1) return {0, length_s - 1};
  const std::int64_t first = first_landing(d, length_d, length_s);
  const std::int64_t end = d + 1 < length_d ? first_landing(d + 1, length_d, length_s) : length_s;
  return {first, end - first};
}

PositionRange covered_positions(std::int64_t start, std::int64_t extent, int limit) {
  std::int64_t first = extent > 0 ? start : start + extent + 1;
  std::int64_t last = extent > 0 ? start + extent : start + 1;
  first = std::max<std::int64_t>(first, 0);
  last = std::min<std::int64_t>(last, limit);
  if (last < first) last = first;
  return {first, last};
}

AxisMap map_axis(const AxisRequest& request, bool with_source) {
  AxisMap map;
  const std::int64_t dst_extent = request.destination_extent;
  const std::int64_t src_extent = request.source_extent;
  const std::int64_t length_d = dst_extent < 0 ? -dst_extent : dst_extent;
  const std::int64_t length_s = src_extent < 0 ? -src_extent : src_extent;
  const PositionRange visible =
      covered_positions(request.destination_start, dst_extent, request.destination_limit);
  map.first = static_cast<int>(visible.first);
  if (!with_source) {
    map.source_first.assign(static_cast<std::size_t>(visible.last - visible.first), 0);
    map.source_count.assign(map.source_first.size(), 0);
    return map;
  }
  // Source indices whose positions lie inside the source bitmap.
  const PositionRange inside_positions =
      covered_positions(request.source_start, src_extent, request.source_limit);
  bool started = false;
  for (std::int64_t position = visible.first; position < visible.last; ++position) {
    const std::int64_t d = dst_extent > 0 ? position - request.destination_start
                                          : request.destination_start - position;
    const IndexRange indices = source_indices(d, length_d, length_s);
    const std::int64_t a = axis_position(request.source_start, src_extent, indices.first);
    const std::int64_t b =
        axis_position(request.source_start, src_extent, indices.first + indices.count - 1);
    const std::int64_t low = std::max(std::min(a, b), inside_positions.first);
    const std::int64_t high = std::min(std::max(a, b) + 1, inside_positions.last);
    if (indices.count <= 0 || high <= low) {
      // Outside the source: only the ends of the range can be like this.
      if (started) break;
      continue;
    }
    if (!started) map.first = static_cast<int>(position);
    started = true;
    map.source_first.push_back(static_cast<int>(low));
    map.source_count.push_back(static_cast<int>(high - low));
    if (high - low != 1) map.one_to_one = false;
  }
  return map;
}

}  // namespace showsaver::soft
