// A picture as plain pixels: what the decoder produces and what tests and the
// headless renderer read back from a device context.
#pragma once

#include <cstdint>
#include <vector>

namespace showsaver {

// Top-down rows, each pixel 0x00RRGGBB: the memory layout of a 32-bit DIB.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  friend bool operator==(const PixelImage&, const PixelImage&) = default;
};

}  // namespace showsaver
