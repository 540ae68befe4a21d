// The bitmap a converted picture is stored as, apart from the decoding and
// scaling library: the studio's engine stores what it converts with it too.
#include "formats/bmp/bmp_encoder.h"
#include "picture_import.h"

namespace showsaver::showpack {

std::vector<std::uint8_t> encode_stored_bmp(const PixelImage& image) {
  auto indexed = encode_bmp(image, {.bit_count = 8});
  if (auto* file = std::get_if<std::vector<std::uint8_t>>(&indexed)) return std::move(*file);
  // Too many colours for a table; 24 bits hold any picture the import makes.
  return std::get<std::vector<std::uint8_t>>(encode_bmp(image, {.bit_count = 24}));
}

}  // namespace showsaver::showpack
