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
    : outgoing_(outgoing), incoming_(incoming) {
  destination_dc_ = surface_dc(patterned_image(Picture::kStale, outgoing.width, outgoing.height));
  outgoing_dc_ = surface_dc(outgoing_);
  incoming_dc_ = surface_dc(incoming_);
}

DcHandle PictureStage::surface_dc(const PixelImage& image) {
  const DcHandle dc = gdi_.CreateCompatibleDC(DcHandle{});
  gdi_.SelectObject(dc, gdi_.CreateBitmapFromImage(image));
  return dc;
}

RunSetup PictureStage::setup() {
  RunSetup setup;
  setup.width = outgoing_.width;
  setup.height = outgoing_.height;
  setup.drawing = &gdi_;
  setup.destination_dc = destination_dc_;
  setup.outgoing_dc = outgoing_dc_;
  setup.incoming_dc = incoming_dc_;
  return setup;
}

EffectRecord PictureStage::run(int code, RunSetup setup) {
  refreshed_.clear();
  setup.on_refresh = [this] { refreshed_.push_back(destination()); };
  return record_effect(code, setup);
}

PixelImage PictureStage::destination() const {
  return gdi_.read_image(destination_dc_).value();
}

}  // namespace showsaver::effects_test
