#include "platform/soft/bitmap_bits.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace showsaver::soft {

void load_bitmap_bits(PixelBitmap& bitmap, const void* bits) {
  const auto* bytes = static_cast<const std::uint8_t*>(bits);
  if (bitmap.format == PixelFormat::kMonochrome) {
    const std::size_t stride = (static_cast<std::size_t>(bitmap.width) + 15) / 16 * 2;
    for (int y = 0; y < bitmap.height; ++y) {
      const std::uint8_t* row = bytes + stride * static_cast<std::size_t>(y);
      for (int x = 0; x < bitmap.width; ++x) {
        bitmap.at(x, y) = ((row[x / 8] >> (7 - x % 8)) & 1) ? kMonoOne : kMonoZero;
      }
    }
    return;
  }
  for (std::size_t i = 0; i < bitmap.pixels.size(); ++i) {
    const std::uint8_t* p = bytes + 4 * i;
    bitmap.pixels[i] = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                       (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
  }
}

bool load_dib_bits(PixelBitmap& bitmap, const BitmapInfoHeader& info, const void* bits) {
  if (info.biCompression != BI_RGB || (info.biBitCount != 24 && info.biBitCount != 32)) {
    return false;
  }
  if (info.biWidth <= 0 || info.biHeight == 0) return false;
  const auto* bytes = static_cast<const std::uint8_t*>(bits);
  const std::int64_t dib_height = std::llabs(static_cast<std::int64_t>(info.biHeight));
  const std::size_t bytes_per_pixel = info.biBitCount / 8u;
  const std::size_t stride =
      (static_cast<std::size_t>(info.biWidth) * info.biBitCount + 31) / 32 * 4;
  const int width = static_cast<int>(std::min<std::int64_t>(info.biWidth, bitmap.width));
  const int height = static_cast<int>(std::min<std::int64_t>(dib_height, bitmap.height));
  for (int y = 0; y < height; ++y) {
    const std::int64_t dib_row = info.biHeight < 0 ? y : dib_height - 1 - y;
    const std::uint8_t* row = bytes + stride * static_cast<std::size_t>(dib_row);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = row + bytes_per_pixel * static_cast<std::size_t>(x);
      const std::uint32_t pixel = (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
      bitmap.at(x, y) = bitmap.format == PixelFormat::kColor ? pixel : nearest_mono(pixel);
    }
  }
  return true;
}

}  // namespace showsaver::soft
