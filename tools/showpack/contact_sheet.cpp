#include "contact_sheet.h"

#include <Magick++.h>

#include <algorithm>

#include "effects/effect_catalogue.h"
#include "formats/rgb_bytes.h"
#include "picture_import.h"

namespace showsaver::showpack {
namespace {

// Installed with fonts-dejavu-core; ImageMagick's own default needs fonts
// that Debian does not install.
constexpr const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

}  // namespace

void ContactSheet::transition_started(std::int32_t effect) {
  effect_ = effect;
  in_transition_ = true;
  running_.clear();
}

void ContactSheet::frame(const PixelImage& image) {
  if (!in_transition_ || image.width <= 0 || image.height <= 0) return;
  const int height = std::max(1, int(std::int64_t(image.height) * kThumbWidth / image.width));
  running_.push_back(scale_picture(image, {kThumbWidth, height}));
}

void ContactSheet::transition_finished() {
  in_transition_ = false;
  Row row{effect_, {}};
  // Evenly spread over the transition, its first and last frame included.
  const std::size_t count = running_.size();
  for (std::size_t k = 0; k < std::min<std::size_t>(count, kFramesPerRow); ++k) {
    const std::size_t at = count <= kFramesPerRow ? k
                                                  : (k * (count - 1) * 2 + kFramesPerRow - 1) /
                                                        ((kFramesPerRow - 1) * 2);
    row.frames.push_back(running_[at]);
  }
  rows_.push_back(std::move(row));
  running_.clear();
}

std::string ContactSheet::write(const std::string& path) const {
  if (rows_.empty()) return "no transition was played: the contact sheet would be empty";
  start_image_library();
  int row_height = 1;
  for (const Row& row : rows_) {
    for (const PixelImage& frame : row.frames) row_height = std::max(row_height, frame.height);
  }
  const int width = kLabelWidth + kFramesPerRow * (kThumbWidth + kGap) + kGap;
  const int height = int(rows_.size()) * (row_height + kGap) + kGap;
  try {
    Magick::Image sheet(Magick::Geometry(std::size_t(width), std::size_t(height)),
                        Magick::Color("white"));
    sheet.font(kFont);
    sheet.fontPointsize(15);
    sheet.fillColor(Magick::Color("black"));
    for (std::size_t r = 0; r < rows_.size(); ++r) {
      const int top = kGap + int(r) * (row_height + kGap);
      const std::string label =
          std::to_string(rows_[r].effect) + "  " + std::string(effect_name(rows_[r].effect));
      sheet.annotate(
          label,
          Magick::Geometry(std::size_t(kLabelWidth - 2 * kGap), std::size_t(row_height), kGap, top),
          MagickCore::WestGravity);
      for (std::size_t f = 0; f < rows_[r].frames.size(); ++f) {
        const PixelImage& frame = rows_[r].frames[f];
        const std::vector<std::uint8_t> rgb = rgb_bytes(frame);
        const Magick::Image thumb(std::size_t(frame.width), std::size_t(frame.height), "RGB",
                                  Magick::CharPixel, rgb.data());
        sheet.composite(thumb, kLabelWidth + int(f) * (kThumbWidth + kGap), top,
                        MagickCore::CopyCompositeOp);
      }
    }
    sheet.depth(8);
    sheet.magick("PNG");
    sheet.write(path);
  } catch (const Magick::Exception& error) {
    return path + ": " + error.what();
  }
  return {};
}

}  // namespace showsaver::showpack
