#include "contact_sheet.h"

#include <Magick++.h>

#include <algorithm>

#include "effects/effect_catalogue.h"
#include "formats/rgb_bytes.h"
#include "manifest_keys.h"
#include "picture_import.h"

namespace showsaver::showpack {
namespace {

// Installed with fonts-dejavu-core; ImageMagick's own default needs fonts
// that Debian does not install.
constexpr const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr double kTitlePoints = 15;
constexpr double kNotePoints = 12;
constexpr std::size_t kTitleLineHeight = 20;

std::string effect_text(std::int32_t code) {
  return std::to_string(code) + "  " + std::string(effect_name(code));
}

// Seconds to the nearest tenth, as "1.5 s" (whatever the locale's decimal sign).
std::string seconds_text(std::int32_t milliseconds) {
  const std::int32_t tenths = (milliseconds + 50) / 100;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " s";
}

// The title in the middle of the row's height, or, with a note, the title
// just above the middle and the note just below it.  (ImageMagick places
// south-gravity text against the whole image, not the area given, so both
// lines hang from their top-left corners.)
void annotate_label(Magick::Image& sheet, const RowLabel& label, int top, int row_height) {
  const auto width = std::size_t(ContactSheet::kLabelWidth - 2 * ContactSheet::kGap);
  const int left = ContactSheet::kGap;
  sheet.fontPointsize(kTitlePoints);
  if (label.note.empty()) {
    sheet.annotate(label.title, Magick::Geometry(width, std::size_t(row_height), left, top),
                   MagickCore::WestGravity);
    return;
  }
  const int middle = top + row_height / 2;
  sheet.annotate(label.title,
                 Magick::Geometry(width, kTitleLineHeight, left, middle - kTitleLineHeight),
                 MagickCore::NorthWestGravity);
  sheet.fontPointsize(kNotePoints);
  sheet.annotate(label.note, Magick::Geometry(width, kTitleLineHeight, left, middle + 2),
                 MagickCore::NorthWestGravity);
}

}  // namespace

RowLabel transition_label(const TransitionStart& start) {
  if (!start.fade_ms) return {effect_text(start.effect_code), {}};
  return {std::string(manifest_keys::kFade) + "  " + seconds_text(*start.fade_ms),
          "fallback " + effect_text(start.effect_code)};
}

RowLabel moving_hold_label(std::int32_t scene) {
  return {std::string(manifest_keys::kPanZoom), "hold of scene " + std::to_string(scene)};
}

void ContactSheet::transition_started(const TransitionStart& start) {
  start_row(transition_label(start));
}

void ContactSheet::moving_hold_started(std::int32_t scene) {
  start_row(moving_hold_label(scene));
}

void ContactSheet::start_row(RowLabel label) {
  row_finished();
  label_ = std::move(label);
  in_row_ = true;
}

void ContactSheet::frame(const PixelImage& image) {
  if (!in_row_ || image.width <= 0 || image.height <= 0) return;
  const int height = std::max(1, int(std::int64_t(image.height) * kThumbWidth / image.width));
  running_.push_back(scale_picture(image, {kThumbWidth, height}));
}

void ContactSheet::row_finished() {
  if (!in_row_) return;
  in_row_ = false;
  Row row{std::move(label_), {}};
  // Evenly spread over the row's time, its first and last frame included.
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
  if (rows_.empty()) {
    return "no transition or moving hold was played: the contact sheet would be empty";
  }
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
    sheet.fillColor(Magick::Color("black"));
    for (std::size_t r = 0; r < rows_.size(); ++r) {
      const int top = kGap + int(r) * (row_height + kGap);
      annotate_label(sheet, rows_[r].label, top, row_height);
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
