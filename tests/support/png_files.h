// Reading PNG files back as pixels, for tests of programs that write them.
#pragma once

#include <optional>
#include <string>

#include "platform/pixel_image.h"

namespace showsaver::test {

// The picture as 0x00RRGGBB pixels, or nothing when it cannot be read.
std::optional<PixelImage> read_png(const std::string& path);
// Writing them is showpack's own PNG writer (showpack/png_writer.h).

}  // namespace showsaver::test
