// A picture's pixels as the red, green, blue bytes that image libraries
// (libpng, ImageMagick) take in.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/byte_writer.h"
#include "platform/pixel_image.h"

namespace showsaver {

// Three bytes a pixel, rows as in `image`: 0x00RRGGBB big-endian.
inline std::vector<std::uint8_t> rgb_bytes(const PixelImage& image) {
  ByteWriter rgb;
  rgb.reserve(image.pixels.size() * 3);
  for (const std::uint32_t pixel : image.pixels) rgb.u24_big_endian(pixel);
  return rgb.take();
}

}  // namespace showsaver
