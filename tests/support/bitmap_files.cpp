#include "support/bitmap_files.h"

#include <fstream>
#include <stdexcept>

namespace showsaver::test {

std::vector<std::uint8_t> make_bmp(const PixelImage& image, const BmpFormat& format) {
  auto encoded = encode_bmp(image, format);
  if (auto* problem = std::get_if<std::string>(&encoded)) throw std::invalid_argument(*problem);
  return std::move(std::get<std::vector<std::uint8_t>>(encoded));
}

PixelImage make_test_picture(int width, int height, std::uint32_t seed) {
  PixelImage image{width, height, {}};
  std::uint32_t state = seed * 2654435761u + 1;
  for (int i = 0; i < width * height; ++i) {
    state = state * 1664525u + 1013904223u;
    image.pixels.push_back(state >> 8);
  }
  return image;
}

PixelImage make_solid_picture(int width, int height, std::uint32_t color) {
  return PixelImage{width, height,
                    std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, color)};
}

void write_file(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace showsaver::test
