#include "picture_stage.h"

namespace showsaver::effects_test {

std::uint32_t patterned_pixel(Picture picture, int x, int y) {
  return (static_cast<std::uint32_t>(picture) << 22) | (static_cast<std::uint32_t>(x) << 11) |
         static_cast<std::uint32_t>(y);
}

PixelImage patterned_image(Picture picture, int width, int height) {
  PixelImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.pixels.push_back(patterned_pixel(picture, x, y));
  }
  return image;
}

PixelImage halves_image(int width, int height, std::uint32_t left, std::uint32_t right) {
  PixelImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.pixels.push_back(x < width / 2 ? left : right);
  }
  return image;
}

PixelOrigin origin_of(std::uint32_t pixel) {
  return PixelOrigin{static_cast<Picture>(pixel >> 22), static_cast<int>((pixel >> 11) & 0x7FF),
                     static_cast<int>(pixel & 0x7FF)};
}

PictureStage::PictureStage(int width, int height)
    : PictureStage(patterned_image(Picture::kOutgoing, width, height),
                   patterned_image(Picture::kIncoming, width, height)) {}

PictureStage::PictureStage(const PixelImage& outgoing, const PixelImage& incoming)
    : pictures_{patterned_image(Picture::kStale, outgoing.width, outgoing.height), outgoing,
                incoming} {}

RunSetup PictureStage::setup() const {
  RunSetup setup;
  setup.width = pictures_.outgoing.width;
  setup.height = pictures_.outgoing.height;
  setup.pictures = pictures_;
  return setup;
}

const EffectRecord& PictureStage::run(int code, const RunSetup& setup) {
  last_ = record_effect(code, setup);
  return last_;
}

}  // namespace showsaver::effects_test
