// A picture as plain pixels: what a picture decoder produces, what the drawing
// seam turns into a bitmap, and what tests and the headless renderer read back
// from a device context.
#pragma once

#include <cstdint>
#include <vector>

namespace showsaver {

// The most pixels a picture may have.  Like GDI running out of memory, a
// bigger picture or bitmap is refused instead of taking the machine down.
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 26;

// Top-down rows, each pixel 0x00RRGGBB: the memory layout of a 32-bit DIB.
// The words are the raw() bits of an Rgb32 (platform/color.h); they stay
// plain so that rows copy and compare as memory.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  friend bool operator==(const PixelImage&, const PixelImage&) = default;
};

}  // namespace showsaver
