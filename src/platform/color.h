// The two byte orders a colour travels in, as two types that do not mix.
//
// ColorRef is GDI's COLORREF, 0x00BBGGRR: what SetBkColor, SetTextColor and a
// filled box take, and what the show package stores as its background colour.
// Rgb32 is one pixel of a 32-bit DIB, 0x00RRGGBB: the layout of PixelImage,
// of what a picture decoder produces and of the software GDI's colour bitmaps.
// Going from one to the other swaps red and blue, so it is spelled out with
// to_pixel() or to_color_ref(); raw() gives the 32 bits for storage and
// pixel arithmetic.
#pragma once

#include <cstdint>

namespace showsaver {

enum class ColorRef : std::uint32_t {};
enum class Rgb32 : std::uint32_t {};

constexpr std::uint32_t raw(ColorRef color) {
  return static_cast<std::uint32_t>(color);
}
constexpr std::uint32_t raw(Rgb32 pixel) {
  return static_cast<std::uint32_t>(pixel);
}

constexpr ColorRef rgb(unsigned red, unsigned green, unsigned blue) {
  return ColorRef{(red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16)};
}

// What GDI's colour calls return on failure.
constexpr ColorRef CLR_INVALID{0xFFFFFFFF};

namespace color_detail {
// Swaps the low and the third byte and clears the top one: the same shuffle
// turns either order into the other.
constexpr std::uint32_t swap_red_blue(std::uint32_t value) {
  return ((value & 0xFFu) << 16) | (value & 0xFF00u) | ((value >> 16) & 0xFFu);
}
}  // namespace color_detail

// The pixel a colour paints (the top byte of a COLORREF is not colour).
constexpr Rgb32 to_pixel(ColorRef color) {
  return Rgb32{color_detail::swap_red_blue(raw(color))};
}

// The colour of a pixel (its top byte is dropped).
constexpr ColorRef to_color_ref(Rgb32 pixel) {
  return ColorRef{color_detail::swap_red_blue(raw(pixel))};
}

}  // namespace showsaver
