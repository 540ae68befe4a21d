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
}  // namespace showsaver::test
