// The picture decoder on any bytes: an error with a text, or a picture whose
// pixels fill exactly its size.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <variant>

#include "formats/bmp/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto decoded = showsaver::decode_bmp(std::span<const std::uint8_t>(data, size));
  if (const auto* image = std::get_if<showsaver::PixelImage>(&decoded)) {
    if (image->width <= 0 || image->height <= 0 ||
        image->pixels.size() != static_cast<std::size_t>(image->width) * image->height) {
      std::abort();
    }
  } else if (std::get<std::string>(decoded).empty()) {
    std::abort();
  }
  return 0;
}
