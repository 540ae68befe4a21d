// A photo the browser decoded, as the bitmap the show stores: flattened onto
// the show's background where it is transparent, fitted to the picture area
// (cover: cut to it, centred) and encoded as showpack encodes what it
// converts.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/color.h"
#include "platform/geometry.h"
#include "showpack/fit.h"

namespace showsaver::studio {

struct ConvertedPicture {
  std::vector<std::uint8_t> bmp;
  Size size;
};

// `rgba`: top-down rows of `size`, four bytes a pixel, alpha not premultiplied.
ConvertedPicture convert_picture(std::span<const std::uint8_t> rgba, Size size, showpack::Fit fit,
                                 Size area, Rgb32 back);

}  // namespace showsaver::studio
