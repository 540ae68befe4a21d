#include "platform/soft/blit_reference.h"

#include <cstdlib>
#include <vector>

namespace showsaver::soft {
namespace {

// Extents are at most 2^31 and indices lie inside the destination, so the
// midpoint products stay below 2^63: exact in 64 bits on every target.
using Wide = std::int64_t;

// Destination position -> destination index, or -1 when the extent misses it.
std::int64_t index_of(std::int64_t position, std::int64_t start, std::int64_t extent) {
  const std::int64_t index = extent > 0 ? position - start : start - position;
  const std::int64_t length = std::llabs(extent);
  return index >= 0 && index < length ? index : -1;
}

// For every destination position of one axis, the source positions inside the
// source bitmap that feed it.  Enlarging picks one source index per
// destination index; shrinking sends every source index to the destination
// index it lands on.
std::vector<std::vector<int>> feeding_positions(int destination_limit, std::int64_t start,
                                                std::int64_t extent, int source_limit,
                                                std::int64_t source_start,
                                                std::int64_t source_extent) {
  std::vector<std::vector<int>> feeds(static_cast<std::size_t>(destination_limit));
  const std::int64_t length_d = std::llabs(extent);
  const std::int64_t length_s = std::llabs(source_extent);
  if (length_d >= length_s) {
    for (int position = 0; position < destination_limit; ++position) {
      const std::int64_t d = index_of(position, start, extent);
      if (d < 0) continue;
      const auto s =
          static_cast<std::int64_t>(((Wide{2} * d + 1) * length_s - 1) / (Wide{2} * length_d));
      const std::int64_t source_position = source_extent > 0 ? source_start + s : source_start - s;
      if (source_position >= 0 && source_position < source_limit) {
        feeds[static_cast<std::size_t>(position)].push_back(static_cast<int>(source_position));
      }
    }
    return feeds;
  }
  for (int source_position = 0; source_position < source_limit; ++source_position) {
    const std::int64_t s = index_of(source_position, source_start, source_extent);
    if (s < 0) continue;
    if (length_d == 1 && s == length_s - 1) continue;  // GDI's stepper stops one short.
    const auto d =
        static_cast<std::int64_t>(((Wide{2} * s + 1) * length_d - 1) / (Wide{2} * length_s));
    const std::int64_t position = extent > 0 ? start + d : start - d;
    if (position >= 0 && position < destination_limit) {
      feeds[static_cast<std::size_t>(position)].push_back(source_position);
    }
  }
  return feeds;
}

}  // namespace

void reference_blit(const BlitRequest& request) {
  const BlitGeometry& g = request.geometry;
  PixelBitmap& destination = *request.destination;
  if (g.destination.width == 0 || g.destination.height == 0) return;
  const std::uint32_t pattern = default_pattern(destination.format);
  const std::uint8_t table = request.rop.table;
  if (!request.rop.uses_source) {
    for (int py = 0; py < destination.height; ++py) {
      if (index_of(py, g.destination.top, g.destination.height) < 0) continue;
      for (int px = 0; px < destination.width; ++px) {
        if (index_of(px, g.destination.left, g.destination.width) < 0) continue;
        destination.at(px, py) = rop3_reference(table, pattern, 0, destination.at(px, py));
      }
    }
    return;
  }
  if (request.source == nullptr || g.source.width == 0 || g.source.height == 0) return;
  const PixelBitmap source = *request.source;  // memmove semantics within one bitmap
  const PixelConversion convert(source.format, destination.format, request.source_colors,
                                request.destination_colors);
  const auto columns = feeding_positions(destination.width, g.destination.left, g.destination.width,
                                         source.width, g.source.left, g.source.width);
  const auto rows = feeding_positions(destination.height, g.destination.top, g.destination.height,
                                      source.height, g.source.top, g.source.height);
  for (int py = 0; py < destination.height; ++py) {
    for (int px = 0; px < destination.width; ++px) {
      const auto& xs = columns[static_cast<std::size_t>(px)];
      const auto& ys = rows[static_cast<std::size_t>(py)];
      if (xs.empty() || ys.empty()) continue;
      // BLACKONWHITE: every source pixel that lands here is ANDed in.
      std::uint32_t combined = 0xFFFFFFFFu;
      for (int sy : ys) {
        for (int sx : xs) combined &= convert(source.at(sx, sy));
      }
      destination.at(px, py) = rop3_reference(table, pattern, combined, destination.at(px, py));
    }
  }
}

}  // namespace showsaver::soft
