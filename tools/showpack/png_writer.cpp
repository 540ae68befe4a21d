#include "png_writer.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "formats/rgb_bytes.h"

namespace showsaver {

std::string write_png(const std::string& path, const PixelImage& image) {
  const std::vector<std::uint8_t> rgb = rgb_bytes(image);
  png_image description;
  std::memset(&description, 0, sizeof description);
  description.version = PNG_IMAGE_VERSION;
  description.width = static_cast<png_uint_32>(image.width);
  description.height = static_cast<png_uint_32>(image.height);
  description.format = PNG_FORMAT_RGB;
  if (png_image_write_to_file(&description, path.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
    std::string message = "cannot write " + path + ": " + description.message;
    png_image_free(&description);
    return message;
  }
  return {};
}

}  // namespace showsaver
