// Run-length encoded pixel data (BI_RLE8, BI_RLE4), read and written.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "formats/bmp/bmp_header.h"
#include "formats/byte_writer.h"
#include "platform/pixel_image.h"

namespace showsaver::bmp {

// Decodes the runs in `data` into `image` (already sized, top-down, black).
// Pixels the runs skip (delta moves, early line ends) stay black, as in a
// fresh bitmap; runs past the right edge are dropped.  Returns an error when
// the data ends before the end-of-bitmap mark and before the last line.
std::optional<std::string> decode_rle(const BmpLayout& layout, std::span<const std::uint8_t> data,
                                      PixelImage& image);

// One file row of colour table indices (each below 16 for RLE4): repeats as
// runs, stretches of three or more changing pixels as literals, then the
// end-of-line mark.
void encode_rle_row(std::span<const std::uint8_t> indices, bool four_bit, ByteWriter& out);
// The end-of-bitmap mark, after the last row.
void end_rle_bitmap(ByteWriter& out);

}  // namespace showsaver::bmp
