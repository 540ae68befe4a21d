#include "platform/x11/x11_pixel_format.h"

#include <bit>

namespace showsaver {
namespace {

std::uint32_t place_channel(std::uint32_t value8, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int width = std::popcount(mask);
  const std::uint32_t scaled = width >= 8 ? value8 << (width - 8) : value8 >> (8 - width);
  return (scaled << shift) & mask;
}

}  // namespace

std::uint32_t native_pixel(std::uint32_t rgb, const ChannelMasks& masks) {
  return place_channel((rgb >> 16) & 0xFFu, masks.red) |
         place_channel((rgb >> 8) & 0xFFu, masks.green) | place_channel(rgb & 0xFFu, masks.blue);
}

}  // namespace showsaver
