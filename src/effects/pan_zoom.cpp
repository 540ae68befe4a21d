#include "effects/pan_zoom.h"

#include <algorithm>
#include <vector>

#include "common/seeded_random.h"

namespace showsaver {
namespace {

constexpr std::int64_t kOne = 1 << 16;

// Where output column (or row) `i` of `count` samples, as a 16.16 source
// position of the pixel centres, clamped to [0, last pixel].
std::int64_t sample_position(std::int64_t start, std::int64_t extent, int i, int count,
                             int source_count) {
  const std::int64_t centre = start + (2 * std::int64_t{i} + 1) * extent / (2 * count) - kOne / 2;
  return std::clamp<std::int64_t>(centre, 0, std::int64_t{source_count - 1} * kOne);
}

struct Tap {
  int first;             // the left (upper) source pixel
  int second;            // the right (lower) one, the same at the edge
  std::uint32_t weight;  // of `second`, 0..256
};

std::vector<Tap> taps(std::int64_t start, std::int64_t extent, int count, int source_count) {
  std::vector<Tap> result(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::int64_t position = sample_position(start, extent, i, count, source_count);
    const int first = static_cast<int>(position >> 16);
    result[static_cast<std::size_t>(i)] = {first, std::min(first + 1, source_count - 1),
                                           static_cast<std::uint32_t>((position >> 8) & 0xFF)};
  }
  return result;
}

// One channel between two pixels: at most 255 * 256, so the second
// weighting stays within 32 bits.
inline std::uint32_t lerp(std::uint32_t a, std::uint32_t b, std::uint32_t weight) {
  return a * (256 - weight) + b * weight;
}

inline std::uint32_t filter(std::uint32_t p00, std::uint32_t p01, std::uint32_t p10,
                            std::uint32_t p11, std::uint32_t wx, std::uint32_t wy) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const auto c = [shift](std::uint32_t p) { return (p >> shift) & 0xFF; };
    const std::uint32_t top = lerp(c(p00), c(p01), wx);
    const std::uint32_t bottom = lerp(c(p10), c(p11), wx);
    out |= ((top * (256 - wy) + bottom * wy + 32768) >> 16) << shift;
  }
  return out;
}

}  // namespace

FixedRect to_fixed(const Rect& rect) {
  return {rect.left * kOne, rect.top * kOne, rect.width * kOne, rect.height * kOne};
}

FixedRect region_at(const Rect& start, const Rect& end, std::int64_t elapsed_ms,
                    std::int64_t hold_ms) {
  const FixedRect a = to_fixed(start);
  const FixedRect b = to_fixed(end);
  if (hold_ms <= 0 || elapsed_ms >= hold_ms) return b;
  if (elapsed_ms <= 0) return a;
  const auto mix = [&](std::int64_t from, std::int64_t to) {
    return from + (to - from) * elapsed_ms / hold_ms;
  };
  return {mix(a.left, b.left), mix(a.top, b.top), mix(a.width, b.width), mix(a.height, b.height)};
}

PanZoomPath path_from_seed(std::uint32_t seed, Size size) {
  SeededRandom random(seed);
  const auto fraction = [&](std::uint32_t low, std::uint32_t high) {
    return low + random.below(high - low + 1);  // per cent
  };
  const auto rect_of = [&](std::uint32_t per_cent) {
    const std::int32_t width = std::max(1, static_cast<std::int32_t>(size.width * per_cent / 100));
    const std::int32_t height =
        std::max(1, static_cast<std::int32_t>(size.height * per_cent / 100));
    const auto left =
        static_cast<std::int32_t>(random.below(std::uint32_t(size.width - width) + 1));
    const auto top =
        static_cast<std::int32_t>(random.below(std::uint32_t(size.height - height) + 1));
    return Rect{left, top, width, height};
  };
  const Rect wide = rect_of(fraction(95, 100));
  const Rect close = rect_of(fraction(70, 85));
  // Zoom in or out, half the paths each way.
  if (random.below(2) == 0) return {wide, close};
  return {close, wide};
}

void draw_region(const PixelImage& source, const FixedRect& region, PixelImage& out) {
  if (source.width <= 0 || source.height <= 0 || out.width <= 0 || out.height <= 0) return;
  out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
  const std::vector<Tap> columns = taps(region.left, region.width, out.width, source.width);
  const std::vector<Tap> rows = taps(region.top, region.height, out.height, source.height);
  for (int y = 0; y < out.height; ++y) {
    const Tap& row = rows[static_cast<std::size_t>(y)];
    const std::uint32_t* upper = &source.pixels[static_cast<std::size_t>(row.first) * source.width];
    const std::uint32_t* lower =
        &source.pixels[static_cast<std::size_t>(row.second) * source.width];
    std::uint32_t* target = &out.pixels[static_cast<std::size_t>(y) * out.width];
    for (int x = 0; x < out.width; ++x) {
      const Tap& column = columns[static_cast<std::size_t>(x)];
      target[x] = filter(upper[column.first], upper[column.second], lower[column.first],
                         lower[column.second], column.weight, row.weight);
    }
  }
}

}  // namespace showsaver
