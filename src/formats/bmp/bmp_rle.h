// Run-length encoded pixel data (BI_RLE8, BI_RLE4).
#pragma once

#include <optional>
#include <span>
#include <string>

#include "formats/bmp/bmp_header.h"
#include "platform/pixel_image.h"

namespace showsaver::bmp {

// Decodes the runs in `data` into `image` (already sized, top-down, black).
// Pixels the runs skip (delta moves, early line ends) stay black, as in a
// fresh bitmap; runs past the right edge are dropped.  Returns an error when
// the data ends before the end-of-bitmap mark and before the last line.
std::optional<std::string> decode_rle(const BmpLayout& layout, std::span<const std::uint8_t> data,
                                      PixelImage& image);

}  // namespace showsaver::bmp
