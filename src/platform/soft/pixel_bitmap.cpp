#include "platform/soft/pixel_bitmap.h"

#include <new>

namespace showsaver::soft {

std::optional<PixelBitmap> make_pixel_bitmap(std::int64_t width, std::int64_t height,
                                             PixelFormat format) {
  if (width <= 0 || height <= 0) return std::nullopt;
  if (width > kMaxBitmapPixels || height > kMaxBitmapPixels / width) return std::nullopt;
  PixelBitmap bitmap;
  bitmap.width = static_cast<int>(width);
  bitmap.height = static_cast<int>(height);
  bitmap.format = format;
  try {
    bitmap.pixels.assign(static_cast<std::size_t>(width * height), 0u);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  return bitmap;
}

std::uint32_t solid_pixel(ColorRef color, PixelFormat format) {
  const std::uint32_t pixel = raw(to_pixel(color));
  return format == PixelFormat::kColor ? pixel : nearest_mono(pixel);
}

std::uint32_t nearest_mono(std::uint32_t pixel) {
  const int red = static_cast<int>((pixel >> 16) & 0xFF);
  const int green = static_cast<int>((pixel >> 8) & 0xFF);
  const int blue = static_cast<int>(pixel & 0xFF);
  const int to_black = red * red + green * green + blue * blue;
  const int to_white =
      (255 - red) * (255 - red) + (255 - green) * (255 - green) + (255 - blue) * (255 - blue);
  return to_black < to_white ? kMonoZero : kMonoOne;
}

}  // namespace showsaver::soft
