// Windows bitmap files written from pixels with the program's own encoder,
// for tests and for building show packages with pictures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "formats/bmp/bmp_encoder.h"
#include "platform/pixel_image.h"

namespace showsaver::test {

// Encodes `image` in `format`; std::invalid_argument, with the encoder's
// sentence, when the format cannot hold it.
std::vector<std::uint8_t> make_bmp(const PixelImage& image, const BmpFormat& format);

inline std::vector<std::uint8_t> make_bmp_24(const PixelImage& image) {
  return make_bmp(image, {.bit_count = 24});
}
inline std::vector<std::uint8_t> make_bmp_8(const PixelImage& image) {
  return make_bmp(image, {.bit_count = 8});
}

// A picture of `width` x `height` with a distinct, reproducible colour per pixel.
PixelImage make_test_picture(int width, int height, std::uint32_t seed = 1);
// A picture of one colour.
PixelImage make_solid_picture(int width, int height, std::uint32_t color);

void write_file(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace showsaver::test
