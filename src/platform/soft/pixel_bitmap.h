// The pixel store behind every bitmap handle of the software GDI.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi.h"
#include "platform/pixel_image.h"

namespace showsaver::soft {

// A colour bitmap holds 0x00RRGGBB words whose top byte takes part in every
// raster operation, as in a 32-bit DIB.  A monochrome bitmap keeps one word per
// pixel too, 0 for a 0 bit (black) and all ones for a 1 bit (white): a raster
// operation then works on a monochrome pixel exactly as on a 1-bit one, since
// every bit of the word carries the same value, and one set of row kernels
// serves both formats.
enum class PixelFormat { kMonochrome, kColor };

inline constexpr std::uint32_t kMonoZero = 0x00000000;
inline constexpr std::uint32_t kMonoOne = 0xFFFFFFFF;

// The largest bitmap this GDI allocates: that of the largest picture.
inline constexpr std::int64_t kMaxBitmapPixels = kMaxImagePixels;

struct PixelBitmap {
  int width = 0;
  int height = 0;
  PixelFormat format = PixelFormat::kColor;
  std::vector<std::uint32_t> pixels;

  std::uint32_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
  const std::uint32_t* row(int y) const {
    return pixels.data() + static_cast<std::size_t>(y) * width;
  }
  std::uint32_t& at(int x, int y) { return row(y)[x]; }
  std::uint32_t at(int x, int y) const { return row(y)[x]; }
};

// A zero-filled bitmap, or nothing when the size is not positive or too large.
std::optional<PixelBitmap> make_pixel_bitmap(std::int64_t width, std::int64_t height,
                                             PixelFormat format);

// The palette entry of a monochrome bitmap (black, white) nearest to a colour
// pixel; ties go to white.
std::uint32_t nearest_mono(std::uint32_t pixel);

// The value a solid colour takes in a bitmap of `format`.  A monochrome bitmap
// has the palette black, white; GDI picks the nearer entry (ties go to white).
std::uint32_t solid_pixel(ColorRef color, PixelFormat format);

}  // namespace showsaver::soft
