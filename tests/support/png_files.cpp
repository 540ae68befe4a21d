#include "support/png_files.h"

#include <png.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace showsaver::test {

std::optional<PixelImage> read_png(const std::string& path) {
  png_image description;
  std::memset(&description, 0, sizeof description);
  description.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&description, path.c_str()) == 0) return std::nullopt;
  description.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(description));
  if (png_image_finish_read(&description, nullptr, rgb.data(), 0, nullptr) == 0) {
    return std::nullopt;
  }
  PixelImage image{static_cast<int>(description.width), static_cast<int>(description.height), {}};
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
    image.pixels.push_back((std::uint32_t{rgb[i]} << 16) | (std::uint32_t{rgb[i + 1]} << 8) |
                           rgb[i + 2]);
  }
  return image;
}

bool write_png(const std::string& path, const PixelImage& image) {
  std::vector<std::uint8_t> rgb;
  for (const std::uint32_t pixel : image.pixels) {
    rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
    rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
    rgb.push_back(static_cast<std::uint8_t>(pixel));
  }
  png_image description;
  std::memset(&description, 0, sizeof description);
  description.version = PNG_IMAGE_VERSION;
  description.width = static_cast<png_uint_32>(image.width);
  description.height = static_cast<png_uint_32>(image.height);
  description.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&description, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

}  // namespace showsaver::test
