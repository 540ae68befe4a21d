// The plain value types of positions and extents in pixels, shared by the
// seam, the core, the tools and the benchmarks.
#pragma once

#include <cstdint>

namespace showsaver {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(Point, Point) = default;
};

struct Size {
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(Size, Size) = default;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(Rect, Rect) = default;
};

}  // namespace showsaver
