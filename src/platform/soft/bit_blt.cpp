#include "platform/soft/bit_blt.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/soft/blit_axis.h"

namespace showsaver::soft {
namespace {

struct Span {
  std::int64_t first = 0;
  std::int64_t last = 0;
  bool empty() const { return last <= first; }
};

// Destination span of one axis whose source also lies inside the source bitmap.
Span visible_span(std::int64_t start, std::int64_t extent, int limit, std::int64_t source_start,
                  int source_limit) {
  const PositionRange destination = covered_positions(start, extent, limit);
  const PositionRange source = covered_positions(source_start, extent, source_limit);
  const std::int64_t offset = start - source_start;
  return {std::max(destination.first, source.first + offset),
          std::min(destination.last, source.last + offset)};
}

void fill_without_source(const BlitRequest& request) {
  const BlitGeometry& g = request.geometry;
  PixelBitmap& destination = *request.destination;
  const PositionRange columns =
      covered_positions(g.destination.left, g.destination.width, destination.width);
  const PositionRange rows =
      covered_positions(g.destination.top, g.destination.height, destination.height);
  const std::uint32_t pattern = default_pattern(destination.format);
  const auto n = static_cast<std::size_t>(columns.last - columns.first);
  if (n == 0) return;
  for (std::int64_t y = rows.first; y < rows.last; ++y) {
    apply_rop_row(request.rop, pattern, nullptr,
                  destination.row(static_cast<int>(y)) + columns.first, n);
  }
}

}  // namespace

void bit_blt(const BlitRequest& request) {
  const BlitGeometry& g = request.geometry;
  if (g.destination.width == 0 || g.destination.height == 0) return;
  if (!request.rop.uses_source) return fill_without_source(request);
  if (request.source == nullptr) return;
  PixelBitmap& destination = *request.destination;
  const PixelBitmap& source = *request.source;
  const Span columns = visible_span(g.destination.left, g.destination.width, destination.width,
                                    g.source.left, source.width);
  const Span rows = visible_span(g.destination.top, g.destination.height, destination.height,
                                 g.source.top, source.height);
  if (columns.empty() || rows.empty()) return;

  const std::int64_t dx = g.destination.left - static_cast<std::int64_t>(g.source.left);
  const std::int64_t dy = g.destination.top - static_cast<std::int64_t>(g.source.top);
  const auto n = static_cast<std::size_t>(columns.last - columns.first);
  const bool same_bitmap = &destination == &source;
  const PixelConversion convert(source.format, destination.format, request.source_colors,
                                request.destination_colors);
  const bool plain_copy =
      request.rop.kernel == RopKernel::kCopy && convert.kind() == PixelConversion::Kind::kNone;

  // Whole rows of equal width side by side are one block: a single memmove.
  if (plain_copy && n == static_cast<std::size_t>(destination.width) &&
      n == static_cast<std::size_t>(source.width)) {
    std::memmove(destination.row(static_cast<int>(rows.first)),
                 source.row(static_cast<int>(rows.first - dy)),
                 n * static_cast<std::size_t>(rows.last - rows.first) * sizeof(std::uint32_t));
    return;
  }

  // Rows of different bitmaps: one memcpy a row.
  if (plain_copy && !same_bitmap) {
    const std::size_t row_bytes = n * sizeof(std::uint32_t);
    for (std::int64_t y = rows.first; y < rows.last; ++y) {
      std::memcpy(destination.row(static_cast<int>(y)) + columns.first,
                  source.row(static_cast<int>(y - dy)) + (columns.first - dx), row_bytes);
    }
    return;
  }

  const std::uint32_t pattern = default_pattern(destination.format);
  // A row is read completely before it is written, and rows go in the order in
  // which no source row is overwritten before it is read.
  const bool needs_copy =
      !plain_copy && (same_bitmap || convert.kind() != PixelConversion::Kind::kNone);
  std::vector<std::uint32_t> staging(needs_copy ? n : 0);
  const bool bottom_up = same_bitmap && dy > 0;
  for (std::int64_t i = 0; i < rows.last - rows.first; ++i) {
    const std::int64_t y = bottom_up ? rows.last - 1 - i : rows.first + i;
    std::uint32_t* target = destination.row(static_cast<int>(y)) + columns.first;
    const std::uint32_t* from = source.row(static_cast<int>(y - dy)) + (columns.first - dx);
    if (request.rop.kernel == RopKernel::kCopy && !same_bitmap) {
      convert.convert_row(from, target, n);  // a converting copy needs no staging
      continue;
    }
    if (needs_copy) {
      convert.convert_row(from, staging.data(), n);
      from = staging.data();
    }
    apply_rop_row(request.rop, pattern, from, target, n);
  }
}

}  // namespace showsaver::soft
