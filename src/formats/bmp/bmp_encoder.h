// Pixels to Windows bitmap files: the counterpart of decode_bmp, in every
// format it reads.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "formats/bmp/bmp_header.h"
#include "platform/geometry.h"
#include "platform/pixel_image.h"

namespace showsaver {

enum class BmpHeaderKind {
  kCore,  // 12-byte OS/2 core header: RGB triples in the colour table
  kOs2,   // 64-byte OS/2 2.x header
  kInfo,  // 40-byte BITMAPINFOHEADER (bit field masks follow it)
  kV4,    // 108-byte BITMAPV4HEADER (masks inside)
  kV5,    // 124-byte BITMAPV5HEADER (masks inside)
};

struct BmpFormat {
  int bit_count = 24;                       // 1, 4, 8, 16, 24 or 32
  std::uint32_t compression = bmp::kBiRgb;  // or kBiRle8, kBiRle4, kBiBitfields
  BmpHeaderKind header = BmpHeaderKind::kInfo;
  bool top_down = false;
  // Red, green, blue masks for BI_BITFIELDS.
  std::array<std::uint32_t, 3> masks{0xF800, 0x07E0, 0x001F};
};

// The bitmap file of `image` in `format`.  Indexed formats hold the picture's
// colours in ascending order; 16 and 32-bit formats keep the top bits of each
// channel (16-bit BI_RGB is 5-5-5).  A format no reader takes, or a picture
// with more colours than the table holds, gives a sentence saying why.
std::variant<std::vector<std::uint8_t>, std::string> encode_bmp(const PixelImage& image,
                                                                const BmpFormat& format);

// The pieces of a bitmap file, put together as they are: nothing checks that
// they make a picture.  encode_bmp writes through this; it also makes the
// files a reader must refuse.
struct BmpParts {
  BmpFormat format;
  Size size;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB; a core header's is filled up to 2^bit_count
  std::span<const std::uint8_t> pixel_data;
};
std::vector<std::uint8_t> assemble_bmp(const BmpParts& parts);

}  // namespace showsaver
