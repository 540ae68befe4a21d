// Pixels of the show (0x00RRGGBB) in the layout of an X11 true-colour visual.
#pragma once

#include <cstdint>

namespace showsaver {

struct ChannelMasks {
  std::uint32_t red = 0;
  std::uint32_t green = 0;
  std::uint32_t blue = 0;
};

// The visual's pixel value for `rgb`: each 8-bit channel cut to the width of
// its mask and shifted into the mask's place.
std::uint32_t native_pixel(std::uint32_t rgb, const ChannelMasks& masks);

// True when the visual's pixel values are the show's own (8 bits per channel,
// red highest): rows then copy as they are.
constexpr bool is_show_layout(const ChannelMasks& masks) {
  return masks.red == 0xFF0000u && masks.green == 0x00FF00u && masks.blue == 0x0000FFu;
}

}  // namespace showsaver
