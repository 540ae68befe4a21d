#include "effects/pan_zoom.h"

#include <algorithm>

#include "common/seeded_random.h"

namespace showsaver {

FixedRect to_fixed(const Rect& rect) {
  return {rect.left * kFixedOne, rect.top * kFixedOne, rect.width * kFixedOne,
          rect.height * kFixedOne};
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

}  // namespace showsaver
