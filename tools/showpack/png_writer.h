// Writing frames as PNG files.
#pragma once

#include <string>

#include "platform/pixel_image.h"

namespace showsaver {

// Writes `image` as an 8-bit RGB PNG; returns an error message, empty on success.
std::string write_png(const std::string& path, const PixelImage& image);

}  // namespace showsaver
