// Windows bitmap files to pixels.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "platform/pixel_image.h"

namespace showsaver {

// Decodes a whole .bmp file: 1, 4, 8, 16, 24 or 32 bits per pixel, bottom-up
// or top-down, BI_RGB, BI_RLE4, BI_RLE8 or BI_BITFIELDS, with any header from
// the OS/2 core header to BITMAPV5HEADER.  A malformed or truncated file gives
// a sentence saying what is wrong; nothing is read outside `file`.
std::variant<PixelImage, std::string> decode_bmp(std::span<const std::uint8_t> file);

}  // namespace showsaver
