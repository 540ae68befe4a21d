#include "picture_conversion.h"

#include <algorithm>

#include "platform/picture_scaling.h"
#include "showpack/picture_import.h"

namespace showsaver::studio {
namespace {

std::uint32_t blend(std::uint32_t value, std::uint32_t back, std::uint32_t alpha) {
  return (value * alpha + back * (255 - alpha) + 127) / 255;
}

PixelImage flattened(std::span<const std::uint8_t> rgba, Size size, Rgb32 back) {
  PixelImage image{size.width, size.height,
                   std::vector<std::uint32_t>(std::size_t(size.width) * size.height)};
  const std::uint32_t b = raw(back);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const std::uint8_t* p = &rgba[i * 4];
    image.pixels[i] = blend(p[0], b >> 16 & 0xFF, p[3]) << 16 |
                      blend(p[1], b >> 8 & 0xFF, p[3]) << 8 | blend(p[2], b & 0xFF, p[3]);
  }
  return image;
}

// The part of `image` inside `area`, centred: a same-size scale is a copy.
PixelImage centred_cut(const PixelImage& image, Size area) {
  const Size cut{std::min(image.width, area.width), std::min(image.height, area.height)};
  const int left = (image.width - cut.width) / 2;
  const int top = (image.height - cut.height) / 2;
  const PixelView window{&image.pixels[std::size_t(top) * image.width + left], cut.width,
                         cut.height, std::size_t(image.width)};
  return scaled_picture(window, cut);
}

}  // namespace

ConvertedPicture convert_picture(std::span<const std::uint8_t> rgba, Size size, showpack::Fit fit,
                                 Size area, Rgb32 back) {
  PixelImage image = flattened(rgba, size, back);
  image = showpack::scale_picture(image, showpack::fitted_size(size, area, fit));
  if (fit == showpack::Fit::cover) image = centred_cut(image, area);
  return {showpack::encode_stored_bmp(image), {image.width, image.height}};
}

}  // namespace showsaver::studio
