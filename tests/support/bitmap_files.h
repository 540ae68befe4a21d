// Windows bitmap files of every format, written from pixels, for tests and
// for building show packages with pictures.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/pixel_image.h"

namespace showsaver::test {

enum class BmpHeader {
  kCore,  // 12-byte OS/2 core header, RGB triples in the colour table
  kOs2,   // 64-byte OS/2 2.x header
  kInfo,  // 40-byte BITMAPINFOHEADER (bit field masks follow it)
  kV4,    // 108-byte BITMAPV4HEADER (masks inside)
  kV5,    // 124-byte BITMAPV5HEADER (masks inside)
};

struct BmpLayout {
  int bit_count = 24;
  std::uint32_t compression = 0;  // 0 BI_RGB, 1 BI_RLE8, 2 BI_RLE4, 3 BI_BITFIELDS
  BmpHeader header = BmpHeader::kInfo;
  bool top_down = false;
  // Red, green, blue masks for BI_BITFIELDS.
  std::array<std::uint32_t, 3> masks{0xF800, 0x07E0, 0x001F};
};

// Encodes `image`.  Indexed formats take their colour table from the image's
// colours in order of first appearance (std::invalid_argument when there are
// too many); 16 and 32-bit formats keep the top bits of each channel.
std::vector<std::uint8_t> encode_bmp(const PixelImage& image, const BmpLayout& layout);

inline std::vector<std::uint8_t> make_bmp_24(const PixelImage& image) {
  return encode_bmp(image, {.bit_count = 24});
}
inline std::vector<std::uint8_t> make_bmp_32(const PixelImage& image) {
  return encode_bmp(image, {.bit_count = 32});
}
inline std::vector<std::uint8_t> make_bmp_8(const PixelImage& image) {
  return encode_bmp(image, {.bit_count = 8});
}
inline std::vector<std::uint8_t> make_bmp_4(const PixelImage& image) {
  return encode_bmp(image, {.bit_count = 4});
}
inline std::vector<std::uint8_t> make_bmp_1(const PixelImage& image) {
  return encode_bmp(image, {.bit_count = 1});
}

// A picture of `width` x `height` with a distinct, reproducible colour per pixel.
PixelImage make_test_picture(int width, int height, std::uint32_t seed = 1);
// A picture of one colour.
PixelImage make_solid_picture(int width, int height, std::uint32_t color);

void write_file(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace showsaver::test
